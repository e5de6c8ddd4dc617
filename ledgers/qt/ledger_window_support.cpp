#include "ledgers/qt/ledger_window_support.h"

#include "book/tmain.h"
#include "ledgers/screen_columns.h"
#include "platform/qt/painter_surface.h"
#include "toolkit/qt/RealhScroll.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

std::string ledgerFontName(const Book& book) {
    return fontFamily(book.FontName.str()).toStdString();
}

LedgerCanvas::LedgerCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void LedgerCanvas::paintEvent(QPaintEvent*) {
    PainterSurface s(this, fromQColor(palette().color(QPalette::Window)));
    if (underlay) underlay(s.painter());
    if (draw) draw(s);
}

void LedgerCanvas::mousePressEvent(QMouseEvent* e) {
    if (pressed) pressed(e->position());
}

void LedgerCanvas::mouseMoveEvent(QMouseEvent* e) {
    if (moved) moved(e->position());
}

LedgerCanvas* addLedgerCanvas(QMainWindow& window, const LedgerHost* backdrop,
                              std::function<void(DrawingSurface&)> draw,
                              std::function<void(QPointF)> pressed,
                              std::function<void(QPointF)> moved) {
    auto* canvas = new LedgerCanvas(&window);
    if (backdrop) canvas->underlay = [backdrop](QPainter& p) { drawToolbarBackdrop(p, *backdrop); };
    canvas->draw = std::move(draw);
    canvas->pressed = std::move(pressed);
    canvas->moved = std::move(moved);
    window.setCentralWidget(canvas);
    return canvas;
}

void drawToolbarBackdrop(QPainter& p, const LedgerHost& host) {
    const QPixmap band = host.toolbarPicture ? host.toolbarPicture() : QPixmap();
    if (!band.isNull()) p.drawPixmap(0, 0, band);
}

void measureOnScreen(const std::function<void(DrawingSurface&)>& measure) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    PainterSurface s(&scratch);
    measure(s);
}

double drawDetailBar(DrawingSurface& s, const QWidget& canvas, const std::string& fontName,
                     double points, const std::string& text) {
    const double top = canvas.height() - DetailBarHeight;
    const double t = TwipsPerScreenPixel;
    s.FilledBox(0, top * t, canvas.width() * t, canvas.height() * t,
                fromQColor(canvas.palette().color(QPalette::Button)));
    s.setFont({fontName, points});
    s.ForeColor = 0;
    const double lineHeight = s.TextHeight("W") / t;
    textAt(s, 10, top + (DetailBarHeight - lineHeight) / 2, text);
    return top;
}

bool fitTableScroll(RealhScroll& bar, double tableRight, double room, const QRect& place) {
    // A table that fits but for the rounding of its columns' sum fits.
    const int excess = static_cast<int>(std::ceil(tableRight - room - 1e-6));
    if (excess <= 0) {
        bar.hide();
        if (bar.Value() != 0) bar.setValue(0);
        return false;
    }
    bar.setGeometry(place);
    bar.setValueSmallChange(20 * static_cast<int>(TwipsPerScreenPixel));
    bar.setValueLargeChange(std::max(place.width(), 1) * static_cast<int>(TwipsPerScreenPixel));
    bar.setValueMax(excess * static_cast<int>(TwipsPerScreenPixel));
    bar.show();
    bar.Refresh();
    if (bar.Value() > bar.ValueMax()) bar.setValue(bar.ValueMax());
    return true;
}

double tableScrolled(const RealhScroll& bar) {
    return bar.isHidden() ? 0 : bar.Value() / TwipsPerScreenPixel;
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
        if (window_->isAncestorOf(QApplication::focusWidget()))
            focus_ = QApplication::focusWidget();
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
        // Disabled, the window let go of its focus.
        if (focus_ && !window_->isAncestorOf(QApplication::focusWidget()))
            focus_->setFocus(Qt::OtherFocusReason);
    }
    building_ = false;
}
