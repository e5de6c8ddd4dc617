// The File menu of the ledger and journal windows: its commands, printing
// through the main window's print setup, and the export file asked for in
// the file dialog.
#pragma once

#include "book/runtime_state.h"
#include "ledgers/qt/ledger_host.h"
#include "toolkit/qt/LoadSave.h"

#include <QPointer>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class DrawingSurface;
class QAction;
class QMainWindow;
class QMenu;

// A top menu of the window's menu bar captioned with string `text`.
QMenu* addLedgerMenu(QMainWindow& window, int text);
// A command of `menu` captioned with string `text` that runs `run`.
QAction* addLedgerCommand(QMenu* menu, int text, std::function<void()> run);

// When the ledger on show was refused (`refused`, with `message` telling
// why), the user is told that there is no ledger to print, save or mail, and
// true is returned: the command then does nothing.
bool ledgerNotMade(bool refused, const std::string& message);

// Prints through the main window's print setup as printThroughSetup does,
// the jobs named for `printout` ("General Journal") and the book.
void printLedger(const LedgerHost& host, const std::string& printout,
                 const std::function<void(DrawingSurface&, double zoom)>& draw);

// Export...: the file asked for in the file dialog (caption "Save As...",
// button "Save"), `patterns` such as "*.csv" with the first as the default
// type, the dialog made on first use. Nothing when cancelled; else the path
// with the chosen type's extension is left in CurrentFilePath and `write`
// writes it.
void exportLedger(
    QWidget* owner, QPointer<LoadSave>& dialog, RunTimeState& run,
    const std::vector<std::string>& patterns,
    const std::function<void(const std::filesystem::path&, const std::string& type)>& write);
