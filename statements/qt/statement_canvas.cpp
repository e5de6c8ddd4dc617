#include "statements/qt/statement_canvas.h"

#include "platform/qt/painter_surface.h"
#include "resources/string_table.h"
#include "toolkit/qt/qt_keys.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

StatementCanvas::StatementCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatementCanvas::paint(RgbColor background, const std::function<void(DrawingSurface&)>& draw) {
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (picture_.size() != size) picture_ = QImage(size, QImage::Format_RGB32);
    {
        PainterSurface surface(&picture_, background);
        surface.Cls();
        draw(surface);
    }
    update();
}

void StatementCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (picture_.isNull())
        p.fillRect(rect(), palette().window());
    else
        p.drawImage(0, 0, picture_);
}

void StatementCanvas::mousePressEvent(QMouseEvent* e) {
    if (pressed)
        pressed(qt_keys::mouseButton(e->button()), twipsOf(e->position().x()),
                twipsOf(e->position().y()));
}

void StatementCanvas::mouseMoveEvent(QMouseEvent* e) {
    if (moved) moved(0, twipsOf(e->position().x()), twipsOf(e->position().y()));
}

void StatementCanvas::mouseReleaseEvent(QMouseEvent* e) {
    if (released)
        released(qt_keys::mouseButton(e->button()), twipsOf(e->position().x()),
                 twipsOf(e->position().y()));
}

void StatementCanvas::wheelEvent(QWheelEvent* e) {
    if (!wheeled) {
        e->ignore();
        return;
    }
    wheeled(e->angleDelta().x(), e->angleDelta().y());
}

void StatementCanvas::paintStrip(const QPixmap& backdrop, int stripTwips, int lineTwips) {
    QPainter p(&picture_);
    const QRect r(0, 0, width(), pixelsOf(stripTwips));
    if (backdrop.isNull())
        p.fillRect(r, palette().button());
    else
        p.drawPixmap(0, 0, backdrop, 0, 0, r.width(), r.height());
    p.setPen(Qt::black);
    p.drawLine(0, pixelsOf(lineTwips), width(), pixelsOf(lineTwips));
}

QString stringText(int id) {
    return QString::fromStdString(strings::text(id));
}
