#include "platform/fake/manual_timer.h"
#include "toolkit/key_codes.h"
#include "toolkit/ole_colour.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "widget_events.h"

#include <QAbstractSlider>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <type_traits>

using namespace widget_events;

static_assert(!std::is_base_of_v<QAbstractSlider, TuvoVerticalScroll>);
static_assert(!std::is_base_of_v<QAbstractSlider, RealhScroll>);

namespace {

// A bar shown in a window of its own at `value`, counting its Change events
// from there. Its repeats run on a timer the test moves on, or without
// `testClock` on Qt's.
template <class Bar> struct Host {
    QWidget top;
    Bar* bar;
    ManualTimer* clock = nullptr;
    int changes = 0;
    Host(QSize size, QRect at, int value = 0, bool testClock = true) {
        top.resize(size);
        bar = new Bar(&top);
        bar->setGeometry(at);
        if (testClock) {
            auto timer = std::make_unique<ManualTimer>();
            clock = timer.get();
            bar->setRepeatTimer(std::move(timer));
        }
        QObject::connect(bar, &Bar::Change, [this] { ++changes; });
        showTop(&top);
        bar->setValue(value);
        changes = 0;
    }
};

struct VerticalHost : Host<TuvoVerticalScroll> {
    explicit VerticalHost(int value = 0, bool testClock = true)
        : Host({80, 240}, {20, 20, 17, 200}, value, testClock) {}
};

void sendKey(QWidget* w, QEvent::Type type, int key) {
    QKeyEvent event(type, key, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

TEST(TuvoVerticalScrollWidget, ChangeOnEverySetAndNoneOnValueMax) {
    VerticalHost host;
    host.bar->setValue(30);
    host.bar->setValue(30);
    EXPECT_EQ(host.changes, 2); // delivered at once, also for the same value
    host.bar->setValue(500);
    EXPECT_EQ(host.bar->Value(), 100);
    host.bar->setValue(-1);
    EXPECT_EQ(host.bar->Value(), 0);
    host.bar->setValueMax(40);
    EXPECT_EQ(host.changes, 4);
    EXPECT_EQ(host.bar->Value(), 0);

    // A handler that sets the value again while Change runs.
    int nested = 0;
    QObject::connect(host.bar, &TuvoVerticalScroll::Change, [&] {
        if (++nested == 1) host.bar->setValue(host.bar->Value() + 1);
    });
    host.bar->setValue(10);
    EXPECT_EQ(host.bar->Value(), 11);
}

TEST(TuvoVerticalScrollWidget, ShortClickStepsOnceAndHeldArrowRepeats) {
    VerticalHost host(50);
    // Ordinary clicks last 60 to 90 ms: each steps once, on the arrows and on the track.
    const QPoint downArrow = inTop(host.bar, QPoint(8, 195));
    const struct {
        QPoint at;
        int value;
    } clicks[] = {{downArrow, 51},
                  {inTop(host.bar, QPoint(8, 5)), 50},
                  {inTop(host.bar, QPoint(8, 180)), 55},
                  {inTop(host.bar, QPoint(8, 20)), 50}};
    for (const auto& c : clicks) {
        press(&host.top, c.at);
        host.clock->advance(99);
        release(&host.top, c.at);
        EXPECT_EQ(host.bar->Value(), c.value);
    }
    EXPECT_EQ(host.changes, 4);
    host.changes = 0;

    press(&host.top, downArrow);
    EXPECT_EQ(host.changes, 1); // the press steps at once
    host.clock->advance(150);
    // Then a step at 100 ms and one every 10 ms after it: 100, 110, ..., 150.
    EXPECT_EQ(host.changes, 7);
    EXPECT_EQ(host.bar->Value(), 57);
    release(&host.top, downArrow);
    EXPECT_FALSE(host.bar->logic().timerEnabled());
    host.clock->advance(30);
    EXPECT_EQ(host.changes, 7);

    // Without a test's clock the repeats run on the event loop.
    VerticalHost onQt(0, false);
    press(&onQt.top, inTop(onQt.bar, QPoint(8, 195)));
    EXPECT_TRUE(QTest::qWaitFor([&onQt] { return onQt.bar->Value() >= 3; }, 10000));
    release(&onQt.top, inTop(onQt.bar, QPoint(8, 195)));
}

TEST(TuvoVerticalScrollWidget, KeysAfterTheHostsKeyDown) {
    VerticalHost host(50);
    std::vector<int> codes;
    QObject::connect(host.bar, &TuvoVerticalScroll::KeyDown, [&](KeyArgs& k) {
        codes.push_back(k.KeyCode);
        if (k.KeyCode == keys::Down) k.KeyCode = 0;
    });
    sendKey(host.bar, QEvent::KeyPress, Qt::Key_Down);
    sendKey(host.bar, QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_EQ(host.bar->Value(), 50);
    EXPECT_EQ(host.changes, 0);
    sendKey(host.bar, QEvent::KeyPress, Qt::Key_Up);
    sendKey(host.bar, QEvent::KeyRelease, Qt::Key_Up);
    EXPECT_EQ(host.bar->Value(), 49);
    EXPECT_EQ(host.changes, 1);
    sendKey(host.bar, QEvent::KeyPress, Qt::Key_PageDown);
    EXPECT_TRUE(host.bar->logic().timerEnabled());
    sendKey(host.bar, QEvent::KeyRelease, Qt::Key_PageDown);
    EXPECT_FALSE(host.bar->logic().timerEnabled());
    EXPECT_EQ(codes, (std::vector<int>{keys::Down, keys::Up, keys::PageDown}));
    // Held as the focus leaves, its release lost: the repeating stops all the same.
    sendKey(host.bar, QEvent::KeyPress, Qt::Key_PageDown);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(host.bar, &out);
    EXPECT_FALSE(host.bar->logic().timerEnabled());
}

TEST(TuvoVerticalScrollWidget, DraggingTheThumb) {
    VerticalHost host(50); // thumb from 78
    press(&host.top, inTop(host.bar, QPoint(8, 85)));
    mouse(&host.top, QEvent::MouseMove, inTop(host.bar, QPoint(8, 120)), Qt::NoButton,
          Qt::LeftButton);
    EXPECT_EQ(host.bar->Value(), 61);
    EXPECT_EQ(host.changes, 1);
    release(&host.top, inTop(host.bar, QPoint(8, 120)));
    EXPECT_FALSE(host.bar->logic().Dragging());
}

TEST(ScrollBarPictures, SavedForReview) {
    QWidget top;
    top.resize(360, 240);
    top.setStyleSheet("background: #d0d0d0");
    auto* plain = new TuvoVerticalScroll(&top);
    plain->setGeometry(10, 10, 17, 200);
    plain->setValue(30);
    auto* yellow = new TuvoVerticalScroll(&top);
    yellow->setGeometry(40, 10, 21, 200);
    yellow->setBackColor(0xC0FFFF);
    yellow->setValueMax(10);
    yellow->setValueLargeChange(5);
    yellow->Refresh();
    yellow->setValue(4);
    auto* face = new TuvoVerticalScroll(&top);
    face->setGeometry(75, 10, 17, 200);
    face->setBackColor(ole::SystemButtonFace);
    face->setValue(100);
    auto* h = new RealhScroll(&top);
    h->setGeometry(110, 10, 240, 17);
    h->setValueMax(12);
    h->setValue(5);
    auto* hOff = new RealhScroll(&top);
    hOff->setGeometry(110, 40, 240, 17);
    hOff->setEnabled(false);
    showTop(&top);
    yellow->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(QFile::exists(saveShot(&top, "scroll_bars")));

    // The button face resolves to grey, not to near-black shades.
    const QImage shot = face->grab().toImage();
    EXPECT_GT(qGray(shot.pixel(8, 100)), 100);
}

TEST(RealhScrollWidget, ValueWithinRangeAndChange) {
    Host<RealhScroll> host({300, 40}, {10, 10, 260, 17});
    RealhScroll* bar = host.bar;
    bar->setValueMax(6);
    bar->setValue(-3);
    EXPECT_EQ(bar->Value(), 0);
    bar->setValue(9);
    EXPECT_EQ(bar->Value(), 6);
    EXPECT_EQ(host.changes, 2);
    // A short click on an arrow steps once; held, it repeats.
    bar->setValue(3);
    press(&host.top, inTop(bar, QPoint(255, 8)));
    host.clock->advance(99);
    release(&host.top, inTop(bar, QPoint(255, 8)));
    EXPECT_EQ(bar->Value(), 4);
    host.changes = 0;
    press(&host.top, inTop(bar, QPoint(4, 8)));
    host.clock->advance(115); // the press, then steps at 100 and 110 ms
    EXPECT_EQ(bar->Value(), 1);
    EXPECT_EQ(host.changes, 3);
    host.clock->advance(15); // at 120 ms to the least value, where the step at 130 leaves it
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(host.changes, 5);
    release(&host.top, inTop(bar, QPoint(4, 8)));
    host.clock->advance(100);
    EXPECT_EQ(host.changes, 5);
    bar->setEnabled(false);
    EXPECT_EQ(bar->logic().ThumbSize(), 260 - 39);
}

} // namespace
