// The arithmetic of the program's own scroll bars, without any window: value
// limits, thumb size and place, the repeat step of arrows, track and keys,
// dragging, and the pictures of frame, arrows, track and thumb.
//
// Positions run along the bar: "length" is the inner height of the vertical
// bar and the inner width of the horizontal one, "breadth" the other side.
// The first and last 17 pixels of the length are the arrow buttons.
#pragma once

#include "platform/repeat_timer.h"
#include "toolkit/key_codes.h"
#include "toolkit/pixel_canvas.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

// Nearest integer, halves to the even one.
int roundHalfEven(double x);

// The 25 shades of a colour given as 0x00BBGGRR (system colours resolved
// first): shade k has each component k/20 of the colour's, capped at 255.
// Index 0 is unused; shade 20 is the colour itself. Results are 0xRRGGBB.
std::array<std::uint32_t, 26> scrollShades(std::uint32_t colour);

// What a repeat step is doing.
enum RepeatModes {
    RepeatMouse = 0,
    RepeatPageBack = 1,
    RepeatPageForward = 2,
    RepeatLineBack = 3,
    RepeatLineForward = 4
};

class ScrollBarLogic {
  public:
    // A press on an arrow or the track steps at once; held that long, it
    // starts repeating (arrows then every 10 ms, the track at this pace).
    static constexpr int FirstRepeatDelay = 100;
    // Each arrow button's length; the least length that shows both arrows
    // and the largest least thumb (with its frame) whole.
    static constexpr int ArrowLength = 17;
    static constexpr int LeastLength = 2 * ArrowLength + 20 + 6;

    virtual ~ScrollBarLogic() = default;

    // Raised after every move (each Value set, timer step and drag movement).
    std::function<void()> onChange;
    // The thumb must be painted again.
    std::function<void()> onRepaint;
    // Let pending window events run.
    std::function<void()> onYield;
    // KeyDown, raised before the bar acts on a key; the bar then acts on the
    // key code as the handler left it (0: not at all).
    std::function<void(KeyArgs&)> onKeyDown;

    std::int32_t Value() const { return value_; }
    virtual void setValue(std::int32_t v) = 0;
    std::int32_t ValueMax() const { return max_; }
    virtual void setValueMax(std::int32_t v) = 0;
    std::int32_t ValueMin() const { return min_; }
    void setValueMin(std::int32_t v) { min_ = v; }
    std::int32_t ValueLargeChange() const { return large_; }
    void setValueLargeChange(std::int32_t v) { large_ = v; }
    std::int32_t ValueSmallChange() const { return small_; }
    void setValueSmallChange(std::int32_t v) { small_ = v; }
    std::uint32_t BackColor() const { return backColor_; }
    void setBackColor(std::uint32_t c) { backColor_ = c; }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }

    // Assigns a stored value as it is, without limits, thumb update or Change.
    void loadValue(std::int32_t v) { value_ = v; }

    // New size: thumb size and place are computed again.
    void resize(int length, int breadth);
    int length() const { return length_; }
    int breadth() const { return breadth_; }

    int ThumbTop() const { return thumbTop_; }
    int ThumbSize() const { return thumbSize_; }
    bool Dragging() const { return dragging_; }
    int MouseDownPos() const { return mouseDown_; }
    int RepeatMode() const { return repeatMode_; }
    bool timerEnabled() const { return timerOn_; }
    int timerInterval() const { return interval_; }
    // The timer whose firing steps the bar while the timer is on; it follows
    // every switch and new interval. Without one, tick() is left to the caller.
    void setRepeatTimer(std::unique_ptr<RepeatTimer> timer);

    // One step of the repeat timer (the keys call it directly too); a
    // pointer held where the thumb has come to waits.
    void tick();
    // Mouse, in pixels along the bar.
    virtual void mousePress(bool leftButton, double pos) = 0;
    void mouseMove(double pos);
    virtual void mouseRelease() = 0;
    // A key went down (KeyDown first, then the bar's own step) or up.
    void keyDown(int keyCode, int shift = 0);
    void keyUp();

    std::array<std::uint32_t, 26> shades() const { return scrollShades(backColor_); }
    // Frame, arrows and dotted track: the picture the thumb is drawn over.
    virtual PixelCanvas background() const = 0;
    // The thumb over that picture.
    virtual void drawThumb(PixelCanvas& canvas) const = 0;
    // The whole bar as it shows now.
    PixelCanvas picture() const;

  protected:
    explicit ScrollBarLogic(int interval) : interval_(interval) {}

    // The parts of the bar, each pixel of its length in one: a press on the
    // thumb drags it, anywhere else steps.
    enum Part { BackArrow, BackTrack, Thumb, ForwardTrack, ForwardArrow };
    Part partAt(int pos) const;
    // One step for the repeat mode or the part pressed.
    void step();

    bool emptyRange() const { return max_ == min_; }
    // Value limited to min..max; the lower limit wins when they cross.
    std::int64_t limited(std::int64_t v) const;
    // The thumb's place for the value: spare is what the thumb takes from the track.
    int mappedThumb(int spare) const;
    void clampThumb();
    virtual int minimumThumb() const = 0;
    virtual int thumbSpareForStep() const = 0;
    virtual void finishThumbSize() {}
    virtual void keyAction(int keyCode) = 0;
    void placeThumb();
    // A press beside the thumb: one step now, then the repeat timer.
    void pressOffThumb(double pos);

    void setTimer(bool on);
    void setInterval(int ms);
    void runTimer() const;
    void change() const;
    void repaint() const;
    void yield() const;

    std::int32_t value_ = 0;
    std::int32_t max_ = 100;
    std::int32_t min_ = 0;
    std::int32_t large_ = 5;
    std::int32_t small_ = 1;
    std::uint32_t backColor_ = 0xFFFFFF;
    bool enabled_ = true;

    int length_ = 0;
    int breadth_ = 0;
    int thumbTop_ = 17;
    int thumbSize_ = 0;
    bool dragging_ = false;
    int mouseDown_ = 0;
    int repeatMode_ = RepeatMouse;
    bool timerOn_ = false;
    int interval_;
    std::unique_ptr<RepeatTimer> timer_;
};

// TuvoVerticalScroll: arrows at top and bottom; KeyDown is the host's before
// the bar acts; keys and mouse do nothing while the range is empty.
class VerticalScrollLogic : public ScrollBarLogic {
  public:
    VerticalScrollLogic() : ScrollBarLogic(100) {}
    void setValue(std::int32_t v) override;
    void setValueMax(std::int32_t v) override;
    void mousePress(bool leftButton, double pos) override;
    void mouseRelease() override;
    PixelCanvas background() const override;
    void drawThumb(PixelCanvas& canvas) const override;

  protected:
    void keyAction(int keyCode) override;
    int minimumThumb() const override { return 20; }
    int thumbSpareForStep() const override { return 23; }
};

// RealhScroll: arrows at left and right; its timer starts at 50 ms; the arrow
// and page keys repeat while held; a disabled bar's thumb fills the track.
class HorizontalScrollLogic : public ScrollBarLogic {
  public:
    HorizontalScrollLogic() : ScrollBarLogic(50) {}
    void setValue(std::int32_t v) override;
    void setValueMax(std::int32_t v) override { max_ = v; }
    void mousePress(bool leftButton, double pos) override;
    void mouseRelease() override;
    PixelCanvas background() const override;
    void drawThumb(PixelCanvas& canvas) const override;

  protected:
    void keyAction(int keyCode) override;
    int minimumThumb() const override { return 5; }
    int thumbSpareForStep() const override { return 22; }
    void finishThumbSize() override;
};
