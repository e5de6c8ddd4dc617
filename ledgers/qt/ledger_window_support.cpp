#include "ledgers/qt/ledger_window_support.h"

#include "book/tmain.h"

#include <QApplication>
#include <QPainter>

QFont ledgerFont(const Book& book, double points) {
    QFont f = QApplication::font();
    const std::string name = book.FontName.str();
    if (!name.empty()) f.setFamily(QString::fromStdString(name));
    f.setPointSizeF(points);
    return f;
}

void drawToolbarBackdrop(QPainter& p, const LedgerHost& host) {
    const QPixmap band = host.toolbarPicture ? host.toolbarPicture() : QPixmap();
    if (!band.isNull()) p.drawPixmap(0, 0, band);
}

QRect drawDetailBar(QPainter& p, const QWidget& canvas, const QFont& font,
                    const std::string& text) {
    constexpr int height = 22;
    const QRect bar(0, canvas.height() - height, canvas.width(), height);
    p.fillRect(bar, canvas.palette().color(QPalette::Button));
    p.setPen(Qt::black);
    p.setFont(font);
    p.drawText(bar.adjusted(10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(text));
    return bar;
}

BuildGuard::BuildGuard(QWidget* window, bool& building, RunTimeState& run)
    : window_(window), building_(building), run_(run) {
    if (building_) {
        refused_ = true;
        return;
    }
    // First, so that a progress window that fails leaves the window as it was.
    Tmain::BeginProgress(run_, "");
    building_ = true;
    if (window_) {
        window_->setEnabled(false);
        window_->setCursor(Qt::WaitCursor);
    }
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
