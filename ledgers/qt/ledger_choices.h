// The controls along the top of every ledger and journal window: the two
// date pickers of the period, the account box, the account-number box and
// the two page buttons, with the key rules the windows share. The window
// places them and says what a build, a navigation key and a page button do.
#pragma once

#include "book/currency.h"
#include "ledgers/qt/ledger_host.h"
#include "toolkit/key_codes.h"

#include <QObject>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

class CalanderForm;
class QComboBox;
class QLabel;
class QLineEdit;

// A page-up or page-down button: an arrow on a light face, grey while the
// pointer is over it; pressing it pages.
class PageButton : public QWidget {
    Q_OBJECT
  public:
    PageButton(bool down, QWidget* parent);
    bool hovered() const { return hovered_; }
    QSize sizeHint() const override { return {24, 24}; }

  signals:
    void pressed();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

  private:
    bool down_;
    bool hovered_ = false;
};

class LedgerChoices : public QObject {
    Q_OBJECT
  public:
    LedgerChoices(const LedgerHost& host, QWidget* parent);

    std::array<CalanderForm*, 2> DateSearch{};
    QLabel* ToLable = nullptr;
    QComboBox* tReportAcc = nullptr;
    QLineEdit* FolioChoiceTx = nullptr;
    std::array<PageButton*, 2> PNPage{};

    // The period as the two pickers last read (both days inclusive).
    double FromDate = 0;
    double ToDate = 0;
    // 1 after a key was accepted in a date box; a build clears it.
    int DateTyped = 0;

    // Refills the account box from the main window's list, with `first`
    // ("ALL" in the journal) before the names when given.
    void fillAccounts(const std::string& first = "");
    // The journal's earliest and latest line dates into the pickers.
    void setJournalPeriod();
    // Writes a picker's text in the book's style (a date that does not read
    // stays as typed).
    void normaliseDate(int index);
    // The account box's text, and choosing an account by name.
    std::string accountText() const;
    void setAccountText(const std::string& name);
    // The account-number box shows the number of the account built ("" for 0).
    void showFolio(Currency number);

    // What the window does.
    std::function<void()> build;
    std::function<void(KeyArgs&)> navigationKey; // key down in a date or number box
    std::function<void(int button)> pagePressed; // 0 up, 1 down
    std::function<Currency()> builtAccount;      // Enter in a date box chooses it again
    std::function<void(int index)> dateClicked;  // a day accepted in a picker
    std::function<void(int index)> dateLeft;     // the focus left a date box

  private:
    void readPeriod();
    bool folioKey(int keyAscii);
    bool dateKey(int keyAscii);

    const LedgerHost& host_;
};
