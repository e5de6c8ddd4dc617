#include "toolkit/help_mode.h"
#include "toolkit/progress_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ProgressText, PercentOfTheBarNeverPassesHundred) {
    EXPECT_EQ(progressPercentText(0), "0%");
    EXPECT_EQ(progressPercentText(28), "0%");
    EXPECT_EQ(progressPercentText(29), "1%");
    EXPECT_EQ(progressPercentText(29 * 57), "57%");
    EXPECT_EQ(progressPercentText(2900), "100%");
    EXPECT_EQ(progressPercentText(29 * 150), "100%");
    EXPECT_EQ(progressPercentText(-29), "0%");

    EXPECT_EQ(capPercentText("101%"), "100%");
    EXPECT_EQ(capPercentText("250%"), "100%");
    EXPECT_EQ(capPercentText("99999999999999%"), "100%");
    EXPECT_EQ(capPercentText("100%"), "100%");
    EXPECT_EQ(capPercentText("42%"), "42%");
    EXPECT_EQ(capPercentText("-3%"), "0%");
    EXPECT_EQ(capPercentText("Reading"), "Reading");

    EXPECT_EQ(progressBarTwips(29 * 10), 290);
    EXPECT_EQ(progressBarTwips(29 * 200), ProgressFrameWidth);
    EXPECT_EQ(progressBarTwips(-5), 0);
}

TEST(HelpMode, EveryListenerHearsEachChangeOnce) {
    HelpMode mode;
    std::vector<bool> pointer, menuTick;
    int pointerId = mode.addListener([&](bool on) { pointer.push_back(on); });
    mode.addListener([&](bool on) { menuTick.push_back(on); });

    mode.start();
    mode.start(); // no change, nobody told
    mode.end();
    EXPECT_EQ(pointer, (std::vector<bool>{true, false}));
    EXPECT_EQ(menuTick, (std::vector<bool>{true, false}));

    mode.removeListener(pointerId);
    mode.start();
    EXPECT_EQ(pointer.size(), 2u);
    EXPECT_EQ(menuTick.size(), 3u);
}

TEST(HelpMode, ListenerThatEndsTheModeLeavesEveryoneOff) {
    // The help window closing itself on a start must leave every indicator off.
    HelpMode mode;
    bool tick = false, face = false;
    mode.addListener([&](bool on) { tick = on; });
    mode.addListener([&](bool on) {
        if (on) mode.end();
    });
    mode.addListener([&](bool on) { face = on; });
    mode.start();
    EXPECT_FALSE(mode.isOn());
    EXPECT_FALSE(tick);
    EXPECT_FALSE(face);
}

TEST(HelpMode, ListenerMayRemoveItselfWhileTold) {
    HelpMode mode;
    int calls = 0;
    int id = 0;
    id = mode.addListener([&](bool) {
        ++calls;
        mode.removeListener(id);
    });
    mode.start();
    mode.end();
    EXPECT_EQ(calls, 1);
}

} // namespace
