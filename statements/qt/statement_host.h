// What a statement window needs of the program around it, handed in by the
// launcher: the toolbar strip's picture, the window icon, the light-yellow
// flag, the main window's account list and caption and the way into the
// shared ledger windows. The statement windows include nothing of the main window.
#pragma once

#include "book/currency.h"

#include <QIcon>
#include <QPixmap>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Printformer;
class QComboBox;

// A drill-down: which of the two shared ledger windows, on which account.
struct LedgerRequest {
    enum class Window { RunningBalance, TAccount };
    Window window = Window::RunningBalance;
    Currency account;             // the clicked row's own account number
    std::optional<double> endDay; // the ledger's last day; none leaves its dates alone
    // Sets the running-balance window up again (its dates from the journal)
    // before the account and date are given to it.
    bool reloadFirst = false;
};

struct StatementHost {
    QPixmap toolbarBackdrop; // painted along the top of the window; empty: button face
    QIcon icon;              // the ledger windows' icon
    bool tinted = false;     // the main window's light-yellow flag
    // Fills the shared ledger window as asked, builds its list and shows it.
    std::function<void(const LedgerRequest&)> openLedger;
    // The main window's account list, in its own order.
    std::function<std::vector<std::string>()> accountNames;
    // Type-ahead on an account box, as the main window's boxes have it.
    std::function<void(QComboBox*)> installTypeAhead;
    // The main window's caption, which a mail draft names as its producer.
    std::function<std::string()> mainCaption;
    // The program's print setup, whose printer every printout uses.
    std::function<Printformer*()> printSetup;
    std::string producer() const { return mainCaption ? mainCaption() : std::string(); }
};
