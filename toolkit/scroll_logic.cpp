#include "toolkit/scroll_logic.h"

#include "toolkit/key_codes.h"
#include "toolkit/ole_colour.h"

#include <algorithm>
#include <cmath>

namespace {

// Keeps a double within what the 32-bit positions and values can take.
double bounded(double x) {
    if (std::isnan(x)) return 0;
    return std::clamp(x, -2.0e9, 2.0e9);
}

std::int64_t roundValue(double x) {
    return static_cast<std::int64_t>(std::nearbyint(bounded(x)));
}

} // namespace

int roundHalfEven(double x) {
    return static_cast<int>(std::nearbyint(bounded(x)));
}

std::array<std::uint32_t, 26> scrollShades(std::uint32_t colour) {
    const std::uint32_t c = ole::resolve(colour);
    const int r = ole::red(c), g = ole::green(c), b = ole::blue(c);
    std::array<std::uint32_t, 26> shades{};
    for (int k = 1; k <= 25; ++k) {
        auto part = [k](int component) {
            return static_cast<std::uint32_t>(
                std::min(255, roundHalfEven(10.0 * k * component / 200.0)));
        };
        shades[k] = (part(r) << 16) | (part(g) << 8) | part(b);
    }
    return shades;
}

// --- shared arithmetic ---

std::int64_t ScrollBarLogic::limited(std::int64_t v) const {
    if (v > max_) v = max_;
    if (v < min_) v = min_;
    return v;
}

int ScrollBarLogic::mappedThumb(int spare) const {
    const double ratio = (static_cast<double>(value_) - min_) / (static_cast<double>(max_) - min_);
    return roundHalfEven(ratio * (length_ - (thumbSize_ + spare)));
}

void ScrollBarLogic::clampThumb() {
    if (length_ - (thumbSize_ + 22) < thumbTop_)
        thumbTop_ = length_ - (thumbSize_ + 22);
    else if (thumbTop_ < 17)
        thumbTop_ = 17;
}

void ScrollBarLogic::placeThumb() {
    // An empty range has no place for the thumb: it stays where it was.
    if (!emptyRange()) thumbTop_ = mappedThumb(23);
    clampThumb();
}

void ScrollBarLogic::resize(int length, int breadth) {
    length_ = length;
    breadth_ = breadth;
    // One page of the track for each page of values, halved; kept as it was
    // when there are no pages to count.
    if (large_ != 0 && !emptyRange()) {
        const double pages = (static_cast<double>(max_) - min_) / large_;
        thumbSize_ = roundHalfEven(((length_ - 40) / pages) / 2);
    }
    if (thumbSize_ < minimumThumb())
        thumbSize_ = minimumThumb();
    else if (length_ - 40 < thumbSize_)
        thumbSize_ = std::max(0, length_ - 100);
    finishThumbSize();
    placeThumb();
    repaint();
}

ScrollBarLogic::Part ScrollBarLogic::partAt(int pos) const {
    if (pos < ArrowLength) return BackArrow;
    if (pos >= length_ - ArrowLength) return ForwardArrow;
    if (pos < thumbTop_) return BackTrack;
    if (pos > thumbTop_ + thumbSize_ + 4) return ForwardTrack;
    return Thumb;
}

void ScrollBarLogic::tick() {
    // Pressed on the thumb's own place: wait until it moves away.
    if (repeatMode_ == RepeatMouse && mouseDown_ >= thumbTop_ - 3 &&
        mouseDown_ <= thumbTop_ + thumbSize_ + 6)
        return;
    step();
}

void ScrollBarLogic::step() {
    const bool mouse = repeatMode_ == RepeatMouse;
    const Part part = mouse ? partAt(mouseDown_) : Thumb;
    std::int64_t v = value_;
    bool pagedForward = false;
    if (repeatMode_ == RepeatPageForward) {
        v += large_;
    } else if (repeatMode_ == RepeatPageBack) {
        v -= large_;
    } else if (repeatMode_ == RepeatLineBack && v >= min_) {
        v -= small_;
        setInterval(10);
    } else if (repeatMode_ == RepeatLineForward && v <= max_) {
        v += small_;
        setInterval(10);
    } else if (part == BackArrow && v > min_) {
        v -= small_;
        setInterval(10);
    } else if (part == ForwardArrow && v < max_) {
        v += small_;
        setInterval(10);
    } else if (part == ForwardTrack) {
        v += large_;
        pagedForward = true;
    } else if (part == BackTrack) {
        if (mouseDown_ < thumbTop_ - (thumbSize_ + 6))
            v -= large_;
        else if (length_ > 0) // close in on the pointer, a line at the least
            v = std::min(roundValue(static_cast<double>(v) -
                                    (static_cast<double>(thumbTop_ - mouseDown_) / length_) *
                                        (static_cast<double>(max_) - min_)),
                         v - small_);
    }
    value_ = static_cast<std::int32_t>(limited(v));
    if (!emptyRange()) thumbTop_ = mappedThumb(thumbSpareForStep());
    clampThumb();
    repaint();
    change();
    // Paging towards the pointer ends once the thumb has passed it.
    if (pagedForward && mouseDown_ < thumbTop_ && repeatMode_ == RepeatMouse) setTimer(false);
}

void ScrollBarLogic::pressOffThumb(double pos) {
    mouseDown_ = roundHalfEven(pos);
    // The press itself steps, so that a click shorter than the repeat delay
    // still moves; the repeats follow only while the button stays down.
    setTimer(true);
    step();
    if (timerOn_) setInterval(FirstRepeatDelay);
}

void ScrollBarLogic::mouseMove(double pos) {
    if (!dragging_) return;
    thumbTop_ = roundHalfEven(pos - thumbSize_ / 2.0 - 3);
    double raw;
    if (thumbTop_ < 17) {
        thumbTop_ = 17;
        raw = 0;
    } else if (length_ - (thumbSize_ + 22) < thumbTop_) {
        thumbTop_ = length_ - (thumbSize_ + 22);
        raw = roundHalfEven(length_ - 17);
    } else {
        raw = roundHalfEven(pos - 17);
    }
    const double span = length_ - (thumbSize_ + 12);
    if (span > 0)
        value_ = static_cast<std::int32_t>(
            limited(roundValue(raw / span * (static_cast<double>(max_) - min_) + min_)));
    repaint();
    yield();
    change();
}

void ScrollBarLogic::keyDown(int keyCode, int shift) {
    KeyArgs args{keyCode, shift};
    if (onKeyDown) onKeyDown(args);
    keyAction(args.KeyCode);
}

void ScrollBarLogic::keyUp() {
    repeatMode_ = RepeatMouse;
    setTimer(false);
    setInterval(100);
}

PixelCanvas ScrollBarLogic::picture() const {
    PixelCanvas canvas = background();
    drawThumb(canvas);
    return canvas;
}

void ScrollBarLogic::setRepeatTimer(std::unique_ptr<RepeatTimer> timer) {
    if (timer_) timer_->stop();
    timer_ = std::move(timer);
    if (!timer_) return;
    timer_->onTimeout = [this] { tick(); };
    runTimer();
}

void ScrollBarLogic::setTimer(bool on) {
    if (timerOn_ == on) return;
    timerOn_ = on;
    runTimer();
}

void ScrollBarLogic::setInterval(int ms) {
    if (interval_ == ms) return;
    interval_ = ms;
    // A running timer starts its count again at the new pace.
    if (timerOn_) runTimer();
}

void ScrollBarLogic::runTimer() const {
    if (!timer_) return;
    if (timerOn_)
        timer_->start(interval_);
    else
        timer_->stop();
}

void ScrollBarLogic::change() const {
    if (onChange) onChange();
}
void ScrollBarLogic::repaint() const {
    if (onRepaint) onRepaint();
}
void ScrollBarLogic::yield() const {
    if (onYield) onYield();
}

// --- vertical bar ---

void VerticalScrollLogic::setValue(std::int32_t v) {
    value_ = static_cast<std::int32_t>(limited(v));
    if (max_ > 0 && !emptyRange()) thumbTop_ = mappedThumb(23);
    clampThumb();
    repaint();
    change();
    yield();
}

void VerticalScrollLogic::setValueMax(std::int32_t v) {
    max_ = v;
    repaint();
}

void VerticalScrollLogic::mousePress(bool leftButton, double pos) {
    if (!leftButton || !enabled_ || emptyRange()) return;
    if (partAt(roundHalfEven(pos)) != Thumb) {
        pressOffThumb(pos);
    } else {
        dragging_ = true;
        repaint();
    }
}

void VerticalScrollLogic::mouseRelease() {
    dragging_ = false;
    repaint();
    setTimer(false);
}

void VerticalScrollLogic::keyAction(int keyCode) {
    if (!enabled_ || emptyRange()) return;
    switch (keyCode) {
    case keys::PageUp:
        setInterval(10);
        repeatMode_ = RepeatPageBack;
        break;
    case keys::PageDown:
        setInterval(10);
        repeatMode_ = RepeatPageForward;
        break;
    case keys::Up:
        repeatMode_ = RepeatLineBack;
        tick();
        repeatMode_ = RepeatMouse;
        break;
    case keys::Down:
        repeatMode_ = RepeatLineForward;
        tick();
        repeatMode_ = RepeatMouse;
        break;
    default:
        break;
    }
    if (repeatMode_ != RepeatMouse) setTimer(true);
}

PixelCanvas VerticalScrollLogic::background() const {
    const int W = breadth_, H = length_;
    const auto s = shades();
    PixelCanvas c(W, H, ole::toRgb(backColor_));
    const int mid = roundHalfEven(W / 2.0);
    for (int y = 16; y <= H - 17; y += 2)
        for (int x = 0; x <= W; x += 2) {
            c.pixel(x, y, s[11]);
            c.pixel(x + 1, y + 1, s[11]);
        }
    c.box(0, 0, W - 1, H - 1, s[11]);
    c.box(1, 1, W - 2, H - 2, s[16]);
    // Top arrow button.
    c.box(0, 0, W - 1, 17, s[11]);
    c.box(1, 1, W - 2, 16, s[16]);
    c.box(2, 2, W - 3, 15, s[20]);
    c.filledBox(3, 3, W - 4, 14, s[18]);
    c.pixel(mid, 6, s[11]);
    c.line(mid - 1, 7, mid + 2, 7, s[11]);
    c.line(mid - 2, 8, mid + 3, 8, s[11]);
    c.line(mid - 3, 9, mid + 4, 9, s[11]);
    c.line(mid - 4, 10, mid + 5, 10, s[10]);
    // Bottom arrow button.
    c.box(1, H, W - 1, H - 18, s[11]);
    c.box(1, H - 2, W - 2, H - 17, s[16]);
    c.box(2, H - 3, W - 3, H - 16, s[20]);
    c.filledBox(3, H - 4, W - 4, H - 15, s[18]);
    c.pixel(mid, H - 7, 0);
    c.line(mid - 1, H - 8, mid + 2, H - 8, s[11]);
    c.line(mid - 2, H - 9, mid + 3, H - 9, s[11]);
    c.line(mid - 3, H - 10, mid + 4, H - 10, s[11]);
    c.line(mid - 4, H - 11, mid + 5, H - 11, s[10]);
    return c;
}

void VerticalScrollLogic::drawThumb(PixelCanvas& c) const {
    if (max_ <= 0) return;
    const int W = breadth_, top = thumbTop_, T = thumbSize_;
    const auto s = shades();
    const int h = dragging_ ? 1 : 0; // held: one shade darker
    c.box(0, top, W - 1, top + T + 4, s[11 - h]);
    c.box(1, top + 1, W - 2, top + T + 3, s[16 - h]);
    c.box(2, top + 2, W - 3, top + T + 2, s[20 - h]);
    c.filledBox(3, top + 3, W - 4, top + T + 1, s[14 - h]);
    c.filledBox(4, top + 4, W - 5, top + T, s[18 - h]);
    c.box(5, top + 5, W - 6, top + T - 1, s[19 - h]);
}

// --- horizontal bar ---

void HorizontalScrollLogic::setValue(std::int32_t v) {
    value_ = static_cast<std::int32_t>(limited(v));
    placeThumb();
    change();
    repaint();
}

void HorizontalScrollLogic::finishThumbSize() {
    // A disabled bar's thumb covers the whole track between the arrows.
    if (!enabled_) thumbSize_ = length_ - 39;
}

void HorizontalScrollLogic::mousePress(bool leftButton, double pos) {
    if (!leftButton || !enabled_) return;
    if (partAt(roundHalfEven(pos)) != Thumb) {
        pressOffThumb(pos);
    } else {
        dragging_ = true;
    }
}

void HorizontalScrollLogic::mouseRelease() {
    dragging_ = false;
    setTimer(false);
}

void HorizontalScrollLogic::keyAction(int keyCode) {
    if (!enabled_) return;
    switch (keyCode) {
    case keys::PageUp:
        setInterval(100);
        repeatMode_ = RepeatPageBack;
        break;
    case keys::PageDown:
        setInterval(100);
        repeatMode_ = RepeatPageForward;
        break;
    case keys::Left:
    case keys::Up:
        repeatMode_ = RepeatLineBack;
        tick();
        break;
    case keys::Right:
    case keys::Down:
        repeatMode_ = RepeatLineForward;
        tick();
        break;
    default:
        break;
    }
    if (repeatMode_ != RepeatMouse) setTimer(true);
}

PixelCanvas HorizontalScrollLogic::background() const {
    const int W = length_, H = breadth_;
    const auto s = shades();
    PixelCanvas c(W, H, ole::toRgb(backColor_));
    const int mid = roundHalfEven(H / 2.0);
    for (int x = 16; x <= W; x += 2)
        for (int y = 0; y <= H; y += 2) {
            c.pixel(x, y, s[11]);
            c.pixel(x + 1, y + 1, s[11]);
        }
    c.box(0, 0, W - 1, H - 1, s[11]);
    c.box(1, 1, W - 2, H - 2, s[16]);
    // Left arrow button.
    c.box(0, 0, 17, H - 1, s[11]);
    c.box(1, 1, 16, H - 2, s[16]);
    c.box(2, 2, 15, H - 3, s[20]);
    c.filledBox(3, 3, 14, H - 4, s[18]);
    c.pixel(5, mid, s[11]);
    c.line(6, mid - 1, 6, mid + 2, s[11]);
    c.line(7, mid - 2, 7, mid + 3, s[11]);
    c.line(8, mid - 3, 8, mid + 4, s[11]);
    c.line(9, mid - 4, 9, mid + 5, s[10]);
    // Right arrow button.
    c.box(W, 1, W - 18, H - 1, s[11]);
    c.box(W - 2, 1, W - 17, H - 2, s[16]);
    c.box(W - 3, 2, W - 16, H - 3, s[20]);
    c.filledBox(W - 4, 3, W - 15, H - 4, s[18]);
    c.pixel(W - 7, mid, 0);
    c.line(W - 8, mid - 1, W - 8, mid + 2, s[11]);
    c.line(W - 9, mid - 2, W - 9, mid + 3, s[11]);
    c.line(W - 10, mid - 3, W - 10, mid + 4, s[11]);
    c.line(W - 11, mid - 4, W - 11, mid + 5, s[10]);
    return c;
}

void HorizontalScrollLogic::drawThumb(PixelCanvas& c) const {
    const int H = breadth_, left = thumbTop_, T = thumbSize_;
    const auto s = shades();
    c.box(left, 0, left + T + 4, H - 1, s[11]);
    c.box(left + 1, 1, left + T + 3, H - 2, s[16]);
    c.box(left + 2, 2, left + T + 2, H - 3, s[20]);
    c.filledBox(left + 3, 3, left + T + 1, H - 4, s[18]);
}
