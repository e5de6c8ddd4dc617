#include "ledgers/qt/ledger_window_support.h"

#include "book/print_scale_guard.h"
#include "book/tmain.h"
#include "platform/qt/printer_factory.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/Printformer.h"

#include <QApplication>

QFont ledgerFont(const Book& book, double points) {
    QFont f = QApplication::font();
    const std::string name = book.FontName.str();
    if (!name.empty()) f.setFamily(QString::fromStdString(name));
    f.setPointSizeF(points);
    return f;
}

BuildGuard::BuildGuard(QWidget* window, bool& building, RunTimeState& run)
    : window_(window), building_(building), run_(run) {
    if (building_) {
        refused_ = true;
        return;
    }
    building_ = true;
    if (window_) {
        window_->setEnabled(false);
        window_->setCursor(Qt::WaitCursor);
    }
    Tmain::BeginProgress(run_, "");
}

BuildGuard::~BuildGuard() {
    if (refused_) return;
    Tmain::EndProgress(run_);
    if (window_) {
        window_->unsetCursor();
        window_->setEnabled(true);
    }
    building_ = false;
}

ProgressStep progressOf(RunTimeState& run) {
    return [&run] { Tmain::StepProgress(run); };
}

LedgerChoice ledgerChoice(Currency account, double from, double to, bool reconcile,
                          RunTimeState& run) {
    LedgerChoice c;
    c.account = account;
    c.fromDate = from;
    c.toDate = to;
    c.reconcileMode = reconcile;
    c.marks = marksOf(currentLocale());
    c.progress = progressOf(run);
    return c;
}

void printLedger(const LedgerHost& host,
                 const std::function<void(DrawingSurface&, double zoom)>& draw) {
    Printformer* setup = host.printSetup ? host.printSetup() : nullptr;
    if (!setup) return;
    // Shown with its own owner, the main window, which keeps it between prints.
    const std::optional<Printformer::Result> r = setup->ask();
    if (!r) return;
    const PrintScaleGuard scale(*host.run, r->zoom);
    const bool printed =
        printCopies(r->printer, r->copies, [&](DrawingSurface& s) { draw(s, r->zoom); });
    if (!printed) showMessage(strings::text(292));
}

std::optional<LoadSave::Choice> askExportFile(QWidget* owner, QPointer<LoadSave>& dialog,
                                              RunTimeState& run,
                                              const std::vector<std::string>& patterns) {
    if (!dialog) dialog = new LoadSave(run, owner);
    LoadSave::Request request;
    request.caption = strings::text(166);
    request.acceptCaption = strings::text(165);
    request.patterns = patterns;
    return dialog->ask(request, owner);
}
