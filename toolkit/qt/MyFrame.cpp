#include "toolkit/qt/MyFrame.h"

#include "toolkit/etched_frame.h"
#include "toolkit/qt/canvas_image.h"

#include <QFontMetrics>
#include <QPainter>

MyFrame::MyFrame(QWidget* parent) : QWidget(parent) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(9);
    f.setBold(true);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MyFrame::setBackCol(std::uint32_t colour) {
    backCol_ = colour;
    update();
}

void MyFrame::paintEvent(QPaintEvent*) {
    const int lineHeight = QFontMetrics(font()).height();
    QPainter p(this);
    p.drawImage(0, 0, imageOf(etched_frame::draw(width(), height(), lineHeight, backCol_)));
}
