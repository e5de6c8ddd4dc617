#include "ledgers/qt/ledger_file_menu.h"

#include "book/business_heading.h"
#include "platform/qt/printer_factory.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/menu_access.h"
#include "toolkit/qt/print_command.h"

#include <QMainWindow>
#include <QMenuBar>

QMenu* addLedgerMenu(QMainWindow& window, int text) {
    return addMenuWithAccessKey(window.menuBar(), QString::fromStdString(strings::text(text)));
}

QAction* addLedgerCommand(QMenu* menu, int text, std::function<void()> run) {
    QAction* command = menu->addAction(QString::fromStdString(strings::text(text)));
    QObject::connect(command, &QAction::triggered, menu, std::move(run));
    return command;
}

bool ledgerNotMade(bool refused, const std::string& message) {
    if (refused) showMessage("There is no ledger to print, save or mail: " + message);
    return refused;
}

void printLedger(const LedgerHost& host, const std::string& printout,
                 const std::function<void(DrawingSurface&, double zoom)>& draw) {
    Printformer* setup = host.printSetup ? host.printSetup() : nullptr;
    if (!setup) return;
    // Shown with its own owner, the main window, which keeps it between prints.
    printThroughSetup(*setup, nullptr, *host.run,
                      printJobName(printout, host.book->BusinessName.str()), draw);
}

void exportLedger(
    QWidget* owner, QPointer<LoadSave>& dialog, RunTimeState& run,
    const std::vector<std::string>& patterns,
    const std::function<void(const std::filesystem::path&, const std::string& type)>& write) {
    if (!dialog) dialog = new LoadSave(run, owner);
    const std::optional<LoadSave::Choice> file =
        dialog->ask(LoadSave::saveRequest(patterns), owner);
    if (!file) return;
    const std::filesystem::path path = file->pathWithType();
    run.CurrentFilePath = path.string(); // left at the exported file
    write(path, file->type);
}
