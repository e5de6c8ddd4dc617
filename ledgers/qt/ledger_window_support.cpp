#include "ledgers/qt/ledger_window_support.h"

#include "book/tmain.h"
#include "platform/services.h"

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
