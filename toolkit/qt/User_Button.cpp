#include "toolkit/qt/User_Button.h"

#include "resources/string_table.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

User_Button::User_Button(QWidget* parent) : QWidget(parent) {
    resize(sizeHint());
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
    caption_ = QString::fromStdString(strings::text(331));
}

void User_Button::setFontBold(bool bold) {
    if (bold_ == bold) return;
    bold_ = bold;
    update();
}

void User_Button::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (pressed_) {
        p.fillRect(rect(), QColor(0xC8, 0xC8, 0xC8));
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(r);
    } else {
        QLinearGradient face(0, 0, 0, height());
        face.setColorAt(0, QColor(0xFF, 0xFF, 0xE6));
        face.setColorAt(1, QColor(0xFF, 0xF3, 0xB0));
        p.fillRect(rect(), face);
        p.setPen(QColor(0xC8, 0xB4, 0x64));
        p.drawRect(r);
    }
    QFont f = font();
    f.setBold(bold_);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0));
    p.drawText(rect().translated(pressed_ ? 1 : 0, pressed_ ? 1 : 0), Qt::AlignCenter, caption_);
}

void User_Button::showEvent(QShowEvent*) {
    caption_ = QString::fromStdString(strings::text(331));
}

void User_Button::hideEvent(QHideEvent*) {
    setFontBold(false);
}

void User_Button::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    bold_ = true;
    update();
}

void User_Button::mouseMoveEvent(QMouseEvent*) {
    setFontBold(true);
}

void User_Button::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    bold_ = false;
    update();
    if (rect().contains(event->position().toPoint())) emit Click();
}
