#include "toolkit/qt/scroll_bar_widget.h"

#include "platform/qt/qt_repeat_timer.h"
#include "toolkit/qt/canvas_image.h"
#include "toolkit/qt/qt_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ScrollBarWidget::ScrollBarWidget(std::unique_ptr<ScrollBarLogic> logic, bool vertical,
                                 QWidget* parent)
    : QWidget(parent), logic_(std::move(logic)), vertical_(vertical) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    logic_->setRepeatTimer(std::make_unique<QtRepeatTimer>());
    logic_->onChange = [this] { emit Change(); };
    logic_->onRepaint = [this] { update(); };
    logic_->onYield = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    resize(vertical ? QSize(17, 100) : QSize(100, 17));
    layOut();
}

ScrollBarWidget::~ScrollBarWidget() {
    // The logic's hooks point back here; nothing may call them any more.
    logic_->onChange = nullptr;
    logic_->onRepaint = nullptr;
    logic_->onYield = nullptr;
    logic_->setRepeatTimer(nullptr);
    logic_->onKeyDown = nullptr;
}

void ScrollBarWidget::setValue(std::int32_t v) {
    ensureLaidOut();
    logic_->setValue(v);
}

void ScrollBarWidget::setValueMax(std::int32_t v) {
    logic_->setValueMax(v);
    update();
}

void ScrollBarWidget::setBackColor(std::uint32_t colour) {
    logic_->setBackColor(colour);
    layOut();
}

void ScrollBarWidget::Refresh() {
    layOut();
    repaint();
}

void ScrollBarWidget::layOut() {
    const int length = vertical_ ? height() : width();
    const int breadth = vertical_ ? width() : height();
    logic_->resize(length, breadth);
    background_ = logic_->background();
    update();
}

void ScrollBarWidget::ensureLaidOut() {
    const int length = vertical_ ? height() : width();
    const int breadth = vertical_ ? width() : height();
    if (logic_->length() != length || logic_->breadth() != breadth) layOut();
}

void ScrollBarWidget::paintEvent(QPaintEvent*) {
    ensureLaidOut();
    PixelCanvas canvas = background_;
    logic_->drawThumb(canvas);
    QPainter painter(this);
    painter.drawImage(0, 0, imageOf(canvas));
    if (hasFocus()) {
        // The focus marker: a dotted outline just inside the frame.
        QPen pen(QColor(0, 0, 0));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void ScrollBarWidget::resizeEvent(QResizeEvent*) {
    layOut();
}

void ScrollBarWidget::mousePressEvent(QMouseEvent* event) {
    ensureLaidOut();
    logic_->mousePress(event->button() == Qt::LeftButton, along(event->position()));
}

void ScrollBarWidget::mouseMoveEvent(QMouseEvent* event) {
    logic_->mouseMove(along(event->position()));
}

void ScrollBarWidget::mouseReleaseEvent(QMouseEvent*) {
    logic_->mouseRelease();
}

void ScrollBarWidget::keyPressEvent(QKeyEvent* event) {
    ensureLaidOut();
    logic_->keyDown(qt_keys::keyCode(event), qt_keys::shiftState(event->modifiers()));
}

void ScrollBarWidget::keyReleaseEvent(QKeyEvent* event) {
    // The keyboard's own repeat is not a release.
    if (event->isAutoRepeat()) return;
    logic_->keyUp();
}

void ScrollBarWidget::focusInEvent(QFocusEvent*) {
    update();
    emit GotFocus();
}

void ScrollBarWidget::focusOutEvent(QFocusEvent*) {
    // A key held now lets go elsewhere: its repeating ends here.
    logic_->keyUp();
    update();
    emit LostFocus();
}

void ScrollBarWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        logic_->setEnabled(isEnabled());
        if (!isEnabled()) logic_->mouseRelease();
        layOut();
    }
    QWidget::changeEvent(event);
}

void coverScrollCorner(DrawingSurface& s, const ScrollBarWidget& down,
                       const ScrollBarWidget& across, RgbColor colour) {
    const QWidget* parent = down.parentWidget();
    if (down.isHidden() || across.isHidden() || !parent) return;
    const double t = TwipsPerScreenPixel;
    s.FilledBox((across.geometry().right() + 1) * t, (down.geometry().bottom() + 1) * t,
                parent->width() * t, parent->height() * t, colour);
}
