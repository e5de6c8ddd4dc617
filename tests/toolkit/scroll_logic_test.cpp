#include "toolkit/key_codes.h"
#include "toolkit/ole_colour.h"
#include "toolkit/scroll_logic.h"

#include <gtest/gtest.h>

namespace {

// A bar at `value`, with its events counted from there.
template <class Logic> struct Bar {
    Logic logic;
    int changes = 0;
    int yields = 0;
    Bar(int length, int breadth, int max = 100, int large = 5, int value = 0) {
        logic.onChange = [this] { ++changes; };
        logic.onYield = [this] { ++yields; };
        logic.setValueMax(max);
        logic.setValueLargeChange(large);
        logic.resize(length, breadth);
        logic.setValue(value);
        changes = yields = 0;
    }
};

using VBar = Bar<VerticalScrollLogic>;
using HBar = Bar<HorizontalScrollLogic>;

TEST(VerticalScroll, ValueIsLimitedAndEverySetRaisesChange) {
    VBar bar(200, 17);
    bar.logic.setValue(150);
    EXPECT_EQ(bar.logic.Value(), 100);
    EXPECT_EQ(bar.logic.ThumbTop(), 157); // 1 * (200 - 43)
    bar.logic.setValue(100);              // unchanged, still a Change
    EXPECT_EQ(bar.changes, 2);
    EXPECT_EQ(bar.yields, 2);
    bar.logic.setValue(-5);
    EXPECT_EQ(bar.logic.Value(), 0);
    EXPECT_EQ(bar.logic.ThumbTop(), 17); // never above the top arrow
    bar.logic.setValue(50);
    EXPECT_EQ(bar.logic.ThumbTop(), 78); // 78.5, halves to even
    EXPECT_EQ(bar.changes, 4);

    // ValueMax is only stored: no Change, the value and thumb stay.
    bar.logic.setValueMax(200);
    EXPECT_EQ(bar.changes, 4);
    EXPECT_EQ(bar.logic.Value(), 50);
    EXPECT_EQ(bar.logic.ThumbTop(), 78);

    // Crossed limits: the lower one wins.
    bar.logic.setValueMin(10);
    bar.logic.setValueMax(5);
    bar.logic.setValue(7);
    EXPECT_EQ(bar.logic.Value(), 10);
}

TEST(VerticalScroll, ThumbSizeAndPlace) {
    struct Case {
        int length, max, large, size;
    } cases[] = {
        {200, 100, 5, 20}, // 20 pages: would be 4, the least is 20
        {300, 10, 5, 65},  // two pages: half the track each, halved
        {300, 4, 5, 162},  // 162.5, halves to even
        {300, 2, 5, 200},  // longer than the track: length - 100
        {60, 1, 5, 0},     // a short bar never gets a negative thumb
    };
    for (const Case& c : cases) {
        VBar bar(c.length, 17, c.max, c.large);
        EXPECT_EQ(bar.logic.ThumbSize(), c.size) << c.length << " " << c.max;
    }

    VBar bar(300, 17, 10, 5, 5);
    EXPECT_EQ(bar.logic.ThumbTop(), 106); // half of 300 - 88
    bar.logic.setValue(10);
    EXPECT_EQ(bar.logic.ThumbTop(), 212);
    // A resize places the thumb for the same value again.
    bar.logic.resize(400, 17);
    EXPECT_EQ(bar.logic.ThumbSize(), 90);
    EXPECT_EQ(bar.logic.ThumbTop(), 287); // 400 - 113

    // No page size or no range: the size stays as it was.
    bar.logic.setValueLargeChange(0);
    bar.logic.resize(300, 17);
    EXPECT_EQ(bar.logic.ThumbSize(), 90);
    VerticalScrollLogic fresh;
    fresh.setValueMax(0);
    fresh.resize(300, 17);
    EXPECT_EQ(fresh.ThumbSize(), 20);
}

TEST(VerticalScroll, EmptyRangeNeverDividesByZero) {
    VBar bar(200, 17, 0);
    bar.logic.setValue(5);
    EXPECT_EQ(bar.logic.Value(), 0);
    EXPECT_EQ(bar.logic.ThumbTop(), 17);
    EXPECT_EQ(bar.changes, 1);

    // A range of one value above 0: the thumb stays put, within the track.
    bar.logic.setValueMin(7);
    bar.logic.setValueMax(7);
    bar.logic.setValue(3);
    EXPECT_EQ(bar.logic.Value(), 7);
    EXPECT_GE(bar.logic.ThumbTop(), 17);
    EXPECT_LE(bar.logic.ThumbTop(), 200 - (bar.logic.ThumbSize() + 22));
    bar.logic.resize(250, 17);
    EXPECT_GE(bar.logic.ThumbTop(), 17);

    // Keys and mouse do not start while the range is empty.
    bar.logic.keyDown(keys::PageDown);
    bar.logic.mousePress(true, 195);
    EXPECT_FALSE(bar.logic.timerEnabled());
    bar.logic.keyDown(keys::Down);
    EXPECT_EQ(bar.changes, 2);
}

TEST(VerticalScroll, RepeatSteps) {
    // Value 50 of 0..100 on a 200-pixel bar: thumb at 78, 20 + 5 pixels tall.
    auto at50 = [] { return std::make_unique<VBar>(200, 17, 100, 5, 50); };

    // A press steps at once: a click shorter than the repeat delay moves too.
    auto top = at50();
    top->logic.mousePress(true, 5);
    EXPECT_EQ(top->logic.Value(), 49);
    EXPECT_EQ(top->logic.ThumbTop(), 77);
    EXPECT_EQ(top->changes, 1);
    EXPECT_TRUE(top->logic.timerEnabled());
    EXPECT_EQ(top->logic.timerInterval(), ScrollBarLogic::FirstRepeatDelay);
    top->logic.mouseRelease();
    EXPECT_FALSE(top->logic.timerEnabled());
    EXPECT_EQ(top->logic.Value(), 49); // one step, and no more

    // Held, the arrow repeats on the timer, then quickly.
    auto held = at50();
    held->logic.mousePress(true, 5);
    held->logic.tick();
    EXPECT_EQ(held->logic.Value(), 48);
    EXPECT_EQ(held->logic.timerInterval(), 10);
    held->logic.tick();
    EXPECT_EQ(held->logic.Value(), 47);
    EXPECT_EQ(held->changes, 3);

    auto bottom = at50();
    bottom->logic.mousePress(true, 195);
    EXPECT_EQ(bottom->logic.Value(), 51);
    EXPECT_EQ(bottom->logic.ThumbTop(), 80); // the plain place, not 17 pixels lower

    auto farAbove = at50();
    farAbove->logic.mousePress(true, 30);
    EXPECT_EQ(farAbove->logic.Value(), 45); // a page at once
    EXPECT_EQ(farAbove->logic.timerInterval(), ScrollBarLogic::FirstRepeatDelay);
    farAbove->logic.tick();
    EXPECT_EQ(farAbove->logic.Value(), 40); // and a page a tick while held
    EXPECT_EQ(farAbove->logic.timerInterval(), 100);

    // Just above the thumb: the value moves by the distance, and stepping
    // ends once the thumb covers the pointer.
    auto near = at50();
    near->logic.mousePress(true, 60);
    EXPECT_EQ(near->logic.Value(), 41); // 50 - 18/200 * 100
    EXPECT_EQ(near->logic.ThumbTop(), 64);
    near->logic.tick();
    EXPECT_EQ(near->logic.Value(), 39);
    near->logic.tick();
    EXPECT_EQ(near->logic.Value(), 39);
    EXPECT_EQ(near->changes, 2);

    // At the top the arrow still raises Change without moving.
    VBar atMin(200, 17);
    atMin.logic.mousePress(true, 5);
    atMin.logic.tick();
    EXPECT_EQ(atMin.logic.Value(), 0);
    EXPECT_EQ(atMin.changes, 2);
    EXPECT_EQ(atMin.logic.timerInterval(), 100);
    atMin.logic.mouseRelease();
    EXPECT_FALSE(atMin.logic.timerEnabled());

    // Every pixel of either bar, pressed at value 50, steps or drags.
    auto acts = [](auto&& bar, int pos) {
        bar.logic.mousePress(true, pos);
        return bar.logic.Dragging() || bar.logic.Value() != 50;
    };
    for (int pos = 0; pos < 200; ++pos)
        EXPECT_TRUE(acts(*at50(), pos) && acts(HBar(200, 17, 100, 5, 50), pos)) << pos;
}

TEST(VerticalScroll, PagingDownStopsWhenTheThumbPassesThePointer) {
    VBar bar(300, 17, 10, 5); // thumb 65 + 5 tall at 17
    bar.logic.mousePress(true, 95);
    EXPECT_EQ(bar.logic.Value(), 5);
    EXPECT_EQ(bar.logic.ThumbTop(), 106);
    EXPECT_FALSE(bar.logic.timerEnabled());

    VBar far(300, 17, 10, 5);
    far.logic.mousePress(true, 250);
    far.logic.tick();
    EXPECT_EQ(far.logic.Value(), 10);
    EXPECT_TRUE(far.logic.timerEnabled()); // the thumb has reached the pointer, not passed it
    far.logic.tick();
    EXPECT_EQ(far.changes, 2);
}

TEST(VerticalScroll, KeysAndTheHostsKeyDown) {
    VBar bar(200, 17, 100, 5, 50);
    std::vector<int> seen;
    bar.logic.onKeyDown = [&](KeyArgs& k) {
        seen.push_back(k.KeyCode);
        if (k.KeyCode == keys::Down) k.KeyCode = 0; // the host takes Down for itself
    };
    bar.logic.keyDown(keys::Down);
    EXPECT_EQ(bar.logic.Value(), 50);
    EXPECT_EQ(bar.changes, 0);
    bar.logic.keyDown(keys::Up);
    EXPECT_EQ(bar.logic.Value(), 49);
    EXPECT_EQ(bar.changes, 1);
    EXPECT_FALSE(bar.logic.timerEnabled()); // Up steps once per key press
    EXPECT_EQ(seen, (std::vector<int>{keys::Down, keys::Up}));

    bar.logic.keyDown(keys::PageDown);
    EXPECT_TRUE(bar.logic.timerEnabled());
    EXPECT_EQ(bar.logic.timerInterval(), 10);
    EXPECT_EQ(bar.logic.Value(), 49); // the first page comes with the timer
    bar.logic.tick();
    EXPECT_EQ(bar.logic.Value(), 54);
    bar.logic.keyUp();
    EXPECT_FALSE(bar.logic.timerEnabled());
    EXPECT_EQ(bar.logic.timerInterval(), 100);
    EXPECT_EQ(bar.logic.RepeatMode(), RepeatMouse);

    bar.logic.setEnabled(false);
    bar.logic.keyDown(keys::Up);
    EXPECT_EQ(bar.logic.Value(), 54);
}

TEST(VerticalScroll, Dragging) {
    VBar bar(200, 17, 100, 5, 50); // thumb 78..103
    bar.logic.mousePress(false, 85);
    EXPECT_FALSE(bar.logic.Dragging());
    bar.logic.mousePress(true, 85);
    EXPECT_TRUE(bar.logic.Dragging());
    EXPECT_FALSE(bar.logic.timerEnabled());
    bar.logic.mouseMove(120);
    EXPECT_EQ(bar.logic.ThumbTop(), 107);
    EXPECT_EQ(bar.logic.Value(), 61); // 103 / 168 * 100
    bar.logic.mouseMove(5);
    EXPECT_EQ(bar.logic.ThumbTop(), 17);
    EXPECT_EQ(bar.logic.Value(), 0);
    bar.logic.mouseMove(199);
    EXPECT_EQ(bar.logic.ThumbTop(), 158);
    EXPECT_EQ(bar.logic.Value(), 100);
    EXPECT_EQ(bar.changes, 3);
    bar.logic.mouseRelease();
    EXPECT_FALSE(bar.logic.Dragging());
    bar.logic.mouseMove(120);
    EXPECT_EQ(bar.changes, 3);
}

TEST(HorizontalScroll, ValueStaysWithinTheRange) {
    HBar bar(300, 17);
    bar.logic.setValue(-4);
    EXPECT_EQ(bar.logic.Value(), 0);
    bar.logic.setValue(500);
    EXPECT_EQ(bar.logic.Value(), 100);
    // The thumb stays on the track, clear of the right arrow.
    EXPECT_LE(bar.logic.ThumbTop() + bar.logic.ThumbSize() + 4, 300 - 18);
    bar.logic.setValue(100);
    EXPECT_EQ(bar.changes, 3);
    EXPECT_EQ(bar.yields, 0);

    bar.logic.setValueMax(-1); // no columns
    EXPECT_EQ(bar.changes, 3);
    bar.logic.setValue(0);
    EXPECT_EQ(bar.logic.Value(), 0);
    bar.logic.setValue(3);
    EXPECT_EQ(bar.logic.Value(), 0);
    bar.logic.setValueMin(2);
    bar.logic.setValue(-7);
    EXPECT_EQ(bar.logic.Value(), 2); // a column index is never below the first
}

TEST(HorizontalScroll, ThumbSizeAndDisabledBar) {
    HBar bar(300, 17);
    EXPECT_EQ(bar.logic.ThumbSize(), 6); // 6.5, halves to even; the least is 5
    HBar big(300, 17, 200, 5);
    EXPECT_EQ(big.logic.ThumbSize(), 5);
    bar.logic.setEnabled(false);
    bar.logic.resize(300, 17);
    EXPECT_EQ(bar.logic.ThumbSize(), 261);
    EXPECT_EQ(bar.logic.ThumbTop(), 17);
}

TEST(HorizontalScroll, TimerAndKeys) {
    HBar bar(300, 17, 100, 5, 50);
    EXPECT_EQ(bar.logic.timerInterval(), 50);
    // A click on an arrow steps once, however short.
    bar.logic.mousePress(true, 5);
    EXPECT_EQ(bar.logic.Value(), 49);
    EXPECT_TRUE(bar.logic.timerEnabled());
    EXPECT_EQ(bar.logic.timerInterval(), ScrollBarLogic::FirstRepeatDelay);
    bar.logic.mouseRelease();
    EXPECT_FALSE(bar.logic.timerEnabled());
    EXPECT_EQ(bar.logic.Value(), 49);
    // Held, it repeats quickly after the first delay; a press after fast
    // repeats waits the whole delay again.
    bar.logic.mousePress(true, 5);
    bar.logic.tick();
    EXPECT_EQ(bar.logic.Value(), 47);
    EXPECT_EQ(bar.logic.timerInterval(), 10);
    bar.logic.mouseRelease();
    EXPECT_EQ(bar.logic.timerInterval(), 10); // a release keeps the interval
    bar.logic.mousePress(true, 295);
    EXPECT_EQ(bar.logic.Value(), 48);
    EXPECT_EQ(bar.logic.timerInterval(), ScrollBarLogic::FirstRepeatDelay);
    bar.logic.mouseRelease();
    // A click on the track pages once.
    bar.logic.mousePress(true, 30);
    EXPECT_EQ(bar.logic.Value(), 43);
    bar.logic.mouseRelease();
    EXPECT_EQ(bar.changes, 5);
    bar.logic.setValue(49);

    // Arrow keys step at once and go on repeating until released.
    bar.logic.keyDown(keys::Left);
    EXPECT_EQ(bar.logic.Value(), 48);
    EXPECT_TRUE(bar.logic.timerEnabled());
    bar.logic.tick();
    EXPECT_EQ(bar.logic.Value(), 47);
    bar.logic.keyUp();
    EXPECT_FALSE(bar.logic.timerEnabled());
    EXPECT_EQ(bar.logic.timerInterval(), 100);
    bar.logic.keyDown(keys::Down);
    EXPECT_EQ(bar.logic.Value(), 48);
    bar.logic.keyUp();

    // Page keys wait for the timer.
    bar.logic.keyDown(keys::PageUp);
    EXPECT_EQ(bar.logic.Value(), 48);
    EXPECT_EQ(bar.logic.timerInterval(), 100);
    bar.logic.tick();
    EXPECT_EQ(bar.logic.Value(), 43);
    bar.logic.keyUp();

    // Keys act on an empty range too, without dividing by zero.
    HBar empty(300, 17, 0);
    empty.logic.keyDown(keys::Right);
    empty.logic.tick();
    EXPECT_EQ(empty.logic.Value(), 0);
    EXPECT_GE(empty.logic.ThumbTop(), 17);
    EXPECT_EQ(empty.changes, 2);
}

TEST(ScrollShades, FromTheBackColour) {
    auto white = scrollShades(0xFFFFFF);
    EXPECT_EQ(white[20], 0xFFFFFFu);
    EXPECT_EQ(white[11], 0x8C8C8Cu); // 140.25
    EXPECT_EQ(white[25], 0xFFFFFFu); // capped
    EXPECT_EQ(white[1], 0x0D0D0Du);  // 12.75

    // Red in the low byte: light yellow 0xC0FFFF is red and green full, blue 0xC0.
    EXPECT_EQ(scrollShades(0xC0FFFF)[20], 0xFFFFC0u);
    EXPECT_EQ(scrollShades(ole::rgb(200, 100, 0))[10], 0x643200u);

    // A system colour is resolved first: button face gives grey shades, not near-black.
    auto face = scrollShades(ole::SystemButtonFace);
    EXPECT_EQ(face[20], 0xF0F0F0u);
    EXPECT_EQ(face[10], 0x787878u);
}

TEST(ScrollPictures, FrameArrowsAndThumb) {
    VerticalScrollLogic v;
    v.resize(200, 17);
    v.setValue(50);
    const auto s = v.shades();
    PixelCanvas bg = v.background();
    EXPECT_EQ(bg.at(0, 100), s[11]);
    EXPECT_EQ(bg.at(8, 6), s[11]);  // tip of the up arrow
    EXPECT_EQ(bg.at(8, 193), 0u);   // tip of the down arrow
    EXPECT_EQ(bg.at(4, 10), s[10]); // base of the up arrow, 9 pixels wide
    EXPECT_EQ(bg.at(12, 10), s[10]);
    EXPECT_EQ(bg.at(13, 10), s[18]);
    EXPECT_EQ(bg.at(4, 40), s[11]); // dotted track
    EXPECT_EQ(bg.at(5, 40), s[20]);
    EXPECT_EQ(bg.at(5, 41), s[11]);

    PixelCanvas pic = v.picture();
    EXPECT_EQ(pic.at(8, 78), s[11]); // thumb edge
    EXPECT_EQ(pic.at(3, 81), s[14]);
    EXPECT_EQ(pic.at(8, 90), s[18]);
    v.mousePress(true, 85);
    EXPECT_EQ(v.picture().at(8, 90), s[17]); // held: a shade darker

    // No thumb while ValueMax is 0.
    v.mouseRelease();
    v.setValueMax(0);
    EXPECT_EQ(v.picture().pixels(), v.background().pixels());

    HorizontalScrollLogic h;
    h.resize(200, 17);
    PixelCanvas hp = h.picture();
    EXPECT_EQ(hp.at(5, 8), s[11]);  // tip of the left arrow
    EXPECT_EQ(hp.at(193, 8), 0u);   // tip of the right arrow
    EXPECT_EQ(hp.at(17, 8), s[11]); // thumb edge at 17
}

} // namespace
