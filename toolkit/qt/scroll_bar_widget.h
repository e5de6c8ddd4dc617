// What the two self-drawn scroll bars share as widgets: the properties, the
// repeat timer on Qt's clock, the mouse, the keys, the focus marker and the
// painting. The arithmetic is the bar's logic (toolkit/scroll_logic.h).
#pragma once

#include "platform/drawing_surface.h"
#include "toolkit/pixel_canvas.h"
#include "toolkit/scroll_logic.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class ScrollBarWidget : public QWidget {
    Q_OBJECT

  public:
    ~ScrollBarWidget() override;

    std::int32_t Value() const { return logic_->Value(); }
    // Limits the value to ValueMin..ValueMax, moves the thumb and raises
    // Change, also when the value stays the same.
    void setValue(std::int32_t v);
    std::int32_t ValueMax() const { return logic_->ValueMax(); }
    // Stores the upper end; no Change.
    void setValueMax(std::int32_t v);
    std::int32_t ValueMin() const { return logic_->ValueMin(); }
    void setValueMin(std::int32_t v) { logic_->setValueMin(v); }
    std::int32_t ValueLargeChange() const { return logic_->ValueLargeChange(); }
    void setValueLargeChange(std::int32_t v) { logic_->setValueLargeChange(v); }
    std::int32_t ValueSmallChange() const { return logic_->ValueSmallChange(); }
    void setValueSmallChange(std::int32_t v) { logic_->setValueSmallChange(v); }
    // 0x00BBGGRR or a system colour; setting it redraws the whole bar.
    std::uint32_t BackColor() const { return logic_->BackColor(); }
    void setBackColor(std::uint32_t colour);
    bool Enabled() const { return isEnabled(); }
    // Recomputes the layout for the current size and repaints.
    void Refresh();

    // The arithmetic behind the bar (thumb place and size, timer state).
    const ScrollBarLogic& logic() const { return *logic_; }
    // Replaces the Qt timer a held press repeats on (a test's own clock).
    void setRepeatTimer(std::unique_ptr<RepeatTimer> timer) {
        logic_->setRepeatTimer(std::move(timer));
    }

  signals:
    void Change();
    void GotFocus();
    void LostFocus();

  protected:
    ScrollBarWidget(std::unique_ptr<ScrollBarLogic> logic, bool vertical, QWidget* parent);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    ScrollBarLogic& bar() { return *logic_; }
    void layOut();
    void ensureLaidOut();

  private:
    double along(const QPointF& p) const { return vertical_ ? p.y() : p.x(); }

    std::unique_ptr<ScrollBarLogic> logic_;
    bool vertical_;
    PixelCanvas background_;
};

// Paints `colour` over the corner two shown scroll bars leave on the surface
// their parent is drawn on: right of the end of the horizontal bar and below
// the end of the vertical one, to the parent's bottom right. Nothing while
// either is hidden.
void coverScrollCorner(DrawingSurface& s, const ScrollBarWidget& down,
                       const ScrollBarWidget& across, RgbColor colour);
