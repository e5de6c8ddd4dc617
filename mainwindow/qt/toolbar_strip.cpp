#include "mainwindow/qt/toolbar_strip.h"

#include "mainwindow/layout.h"
#include "mainwindow/startup_state.h"
#include "toolkit/qt/ButtonUd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int ButtonPixels = design::ToolButtonSize / TwipsPerPixel; // 30
constexpr int BarPixels = design::ButtonBarHeight / TwipsPerPixel;   // 36

QColor glyphColour(ToolGlyph g) {
    switch (g) {
    case ToolGlyph::Previous:
    case ToolGlyph::Next:
        return QColor(40, 110, 40);
    case ToolGlyph::Open:
        return QColor(200, 150, 40);
    case ToolGlyph::Save:
        return QColor(40, 70, 160);
    case ToolGlyph::Mail:
        return QColor(150, 60, 40);
    case ToolGlyph::HelpOff:
    case ToolGlyph::HelpOn:
        return QColor(30, 90, 190);
    default:
        return QColor(60, 60, 70);
    }
}

void drawGlyph(QPainter& p, ToolGlyph g, const QRectF& r, bool grey) {
    QColor ink = grey ? QColor(150, 150, 150) : glyphColour(g);
    QColor paper = grey ? QColor(225, 225, 225) : QColor(255, 255, 250);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.4));
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    auto text = [&](const QString& t, int size) {
        QFont f = p.font();
        f.setPixelSize(size);
        f.setBold(true);
        p.setFont(f);
        p.drawText(r, Qt::AlignCenter, t);
    };
    switch (g) {
    case ToolGlyph::Previous:
    case ToolGlyph::Next: {
        QPainterPath path;
        bool left = g == ToolGlyph::Previous;
        double tip = left ? x + 5 : x + w - 5, base = left ? x + w - 7 : x + 7;
        path.moveTo(tip, y + h / 2);
        path.lineTo(base, y + 6);
        path.lineTo(base, y + h - 6);
        path.closeSubpath();
        p.fillPath(path, ink);
        break;
    }
    case ToolGlyph::Open:
        p.setBrush(grey ? paper : QColor(245, 205, 110));
        p.drawRect(QRectF(x + 4, y + 9, w - 8, h - 15));
        p.drawRect(QRectF(x + 4, y + 6, 9, 4));
        break;
    case ToolGlyph::Save:
        p.setBrush(grey ? paper : QColor(90, 120, 200));
        p.drawRect(QRectF(x + 5, y + 5, w - 10, h - 10));
        p.setBrush(paper);
        p.drawRect(QRectF(x + 9, y + 5, w - 18, 7));
        p.drawRect(QRectF(x + 8, y + h - 12, w - 16, 6));
        break;
    case ToolGlyph::Copy:
        p.setBrush(paper);
        p.drawRect(QRectF(x + 5, y + 4, 13, 16));
        p.drawRect(QRectF(x + 11, y + 10, 13, 16));
        break;
    case ToolGlyph::Paste:
        p.setBrush(grey ? paper : QColor(210, 170, 110));
        p.drawRect(QRectF(x + 6, y + 6, w - 12, h - 10));
        p.setBrush(paper);
        p.drawRect(QRectF(x + 10, y + 4, w - 20, 5));
        p.drawRect(QRectF(x + 10, y + 12, w - 17, h - 18));
        break;
    case ToolGlyph::TAccount:
        p.drawLine(QPointF(x + 5, y + 8), QPointF(x + w - 5, y + 8));
        p.drawLine(QPointF(x + w / 2, y + 8), QPointF(x + w / 2, y + h - 5));
        break;
    case ToolGlyph::RunningBalance:
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(x + 5, y + 8 + 5 * i), QPointF(x + w - 5, y + 8 + 5 * i));
        p.drawLine(QPointF(x + w - 10, y + 6), QPointF(x + w - 10, y + h - 6));
        break;
    case ToolGlyph::TrialBalance:
        text("TB", 11);
        break;
    case ToolGlyph::IncomeStatement:
        text("IS", 11);
        break;
    case ToolGlyph::BalanceSheet:
        text("BS", 11);
        break;
    case ToolGlyph::Accounts:
        p.setBrush(paper);
        p.drawRect(QRectF(x + 5, y + 5, w - 10, h - 10));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(x + 8, y + 11 + 5 * i), QPointF(x + w - 8, y + 11 + 5 * i));
        break;
    case ToolGlyph::Calculator:
        p.setBrush(paper);
        p.drawRect(QRectF(x + 7, y + 4, w - 14, h - 8));
        p.drawRect(QRectF(x + 10, y + 7, w - 20, 5));
        for (int r2 = 0; r2 < 3; ++r2)
            for (int c = 0; c < 3; ++c)
                p.drawPoint(QPointF(x + 11 + 4 * c, y + 16 + 4 * r2));
        break;
    case ToolGlyph::Mail:
        p.setBrush(paper);
        p.drawRect(QRectF(x + 4, y + 8, w - 8, h - 15));
        p.drawLine(QPointF(x + 4, y + 8), QPointF(x + w / 2, y + h / 2 + 2));
        p.drawLine(QPointF(x + w - 4, y + 8), QPointF(x + w / 2, y + h / 2 + 2));
        break;
    case ToolGlyph::HelpOff:
    case ToolGlyph::HelpOn:
        p.setBrush(g == ToolGlyph::HelpOn && !grey ? QColor(255, 240, 150) : paper);
        p.drawEllipse(r.adjusted(4, 4, -4, -4));
        text("?", 15);
        break;
    }
}

QColor windowColour(std::int32_t c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

} // namespace

int toolButtonLeft(int slot) {
    // previous, next | 0 | 1 2 | 3 4 | 5 | 6 7 | 8 9 10 11: the groups sit
    // between the etched separators.
    static const int lefts[14] = {4, 34, 66, 104, 134, 171, 201, 238, 274, 306, 346, 378, 410, 442};
    return lefts[slot];
}

ToolButtonImage::ToolButtonImage(ToolGlyph glyph, QWidget* parent)
    : QWidget(parent), glyph_(glyph) {
    setFixedSize(ButtonPixels, ButtonPixels);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void ToolButtonImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawGlyph(p, glyph_, QRectF(0, 0, width(), height()), pressed_ || !isEnabled());
}

void ToolButtonImage::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = true; // the greyed twin shows while pressed
    update();
}

void ToolButtonImage::mouseMoveEvent(QMouseEvent* e) {
    const QPointF at = e->position();
    // Inside the square 10..440 twips of the 450-twip button.
    const bool inside =
        at.x() >= 10.0 / 15 && at.y() >= 10.0 / 15 && at.x() <= 440.0 / 15 && at.y() <= 440.0 / 15;
    if (inside != hovered_) {
        hovered_ = inside;
        emit hoverChanged(inside);
    }
    if (!inside && pressed_) {
        pressed_ = false;
        update();
    }
}

void ToolButtonImage::mouseReleaseEvent(QMouseEvent* e) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    hovered_ = false;
    update();
    emit hoverChanged(false);
    if (e->button() == Qt::LeftButton && wasPressed && rect().contains(e->position().toPoint()))
        emit released();
}

void ToolButtonImage::enterEvent(QEnterEvent*) {
    hovered_ = true;
    emit hoverChanged(true);
}

void ToolButtonImage::leaveEvent(QEvent*) {
    hovered_ = false;
    emit hoverChanged(false);
}

ToolbarStrip::ToolbarStrip(QWidget* parent) : QWidget(parent) {
    setFixedHeight(BarPixels);
    setMouseTracking(true);
    // The hover frame lets the mouse through to the button it rings.
    ButtonBorderOver = new ButtonUd(this);
    ButtonBorderOver->setAttribute(Qt::WA_TransparentForMouseEvents);
    ButtonBorderOver->hide();
    const int top = (BarPixels - ButtonPixels) / 2;
    PNPage[0] = new ToolButtonImage(ToolGlyph::Previous, this);
    PNPage[1] = new ToolButtonImage(ToolGlyph::Next, this);
    const ToolGlyph glyphs[12] = {ToolGlyph::Open,         ToolGlyph::Save,
                                  ToolGlyph::Copy,         ToolGlyph::Paste,
                                  ToolGlyph::TAccount,     ToolGlyph::RunningBalance,
                                  ToolGlyph::TrialBalance, ToolGlyph::IncomeStatement,
                                  ToolGlyph::BalanceSheet, ToolGlyph::Accounts,
                                  ToolGlyph::Calculator,   ToolGlyph::Mail};
    for (int i = 0; i < 12; ++i)
        CalcButton[i] = new ToolButtonImage(glyphs[i], this);
    for (int slot = 0; slot < 14; ++slot) {
        ToolButtonImage* b = slot < 2 ? PNPage[slot] : CalcButton[slot - 2];
        b->move(toolButtonLeft(slot), top);
        connect(b, &ToolButtonImage::hoverChanged, this,
                [this, b](bool inside) { showHoverOver(b, inside); });
    }
    HelpButton = new ToolButtonImage(ToolGlyph::HelpOff, this);
    HelpButton->move(600, top);
    ButtonBorderOver->raise();
}

void ToolbarStrip::placeHelpButton(int left) {
    HelpButton->move(left, HelpButton->y());
}

void ToolbarStrip::showHoverOver(ToolButtonImage* button, bool inside) {
    if (inside && button->isEnabled()) {
        ButtonBorderOver->move(button->x() - 1, button->y() - 1);
        ButtonBorderOver->show();
    } else {
        ButtonBorderOver->hide();
    }
}

void ToolbarStrip::setBackdrop(const std::array<std::int32_t, 37>& colours, int screenWidth) {
    backdrop_ = QPixmap(std::max(1, screenWidth), BarPixels);
    backdrop_.fill(palette().color(QPalette::Window));
    QPainter p(&backdrop_);
    for (int i = 1; i <= ToolbarRows && i < BarPixels; ++i) {
        p.setPen(windowColour(colours[i]));
        p.drawLine(0, i, backdrop_.width(), i);
    }
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawLine(0, BarPixels - 1, backdrop_.width(), BarPixels - 1);
    update();
}

void ToolbarStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!backdrop_.isNull()) p.drawPixmap(0, 0, backdrop_);
    // The etched separators: a shadow line and a highlight 1 pixel to its right.
    for (int left : design::SeparatorLefts) {
        const int x = toPixels(left);
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(x, toPixels(design::SeparatorTop), x, toPixels(design::SeparatorBottom));
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(x + 1, toPixels(design::SeparatorTop), x + 1, toPixels(design::SeparatorBottom));
    }
}

void ToolbarStrip::mouseMoveEvent(QMouseEvent*) {
    ButtonBorderOver->hide();
    PNPage[0]->show();
    PNPage[1]->show();
}
