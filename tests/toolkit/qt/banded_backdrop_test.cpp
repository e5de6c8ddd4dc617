#include "toolkit/qt/BandedBackdrop.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(BandedBackdrop, BandRunsThroughTheColoursAndBack) {
    EXPECT_EQ(bandColorIndex(0, false), 0);
    EXPECT_EQ(bandColorIndex(1, false), 1);
    EXPECT_EQ(bandColorIndex(30, false), 30);
    EXPECT_EQ(bandColorIndex(31, false), 30); // height 30 + i takes colour 31 - i
    EXPECT_EQ(bandColorIndex(60, false), 1);
    EXPECT_EQ(bandColorIndex(61, false), 0);
    EXPECT_EQ(bandColorIndex(61, true), 1); // repeated every 60 rows
    EXPECT_EQ(bandColorIndex(120, true), 1);
    EXPECT_EQ(bandColorIndex(150, true), 30);

    GradientTable colors{};
    for (int i = 1; i <= 36; ++i)
        colors[static_cast<std::size_t>(i)] = i * 7; // red only
    QImage once = bandedBackdrop(colors, QSize(10, 80), false, 0x00FFFFFF).toImage();
    EXPECT_EQ(once.pixelColor(3, 1).red(), 7);
    EXPECT_EQ(once.pixelColor(3, 30).red(), 210);
    EXPECT_EQ(once.pixelColor(3, 45).red(), 16 * 7);
    EXPECT_EQ(once.pixelColor(3, 70), QColor(Qt::white)); // below the band: the window's colour
    QImage repeated = bandedBackdrop(colors, QSize(10, 130), true, 0x00FFFFFF).toImage();
    EXPECT_EQ(repeated.pixelColor(3, 61).red(), 7);
    EXPECT_EQ(repeated.pixelColor(9, 90).red(), 210);
}

TEST(BandedBackdrop, UnfilledTableIsDerivedFromTheWindowColour) {
    GradientTable empty{};
    GradientTable derived = effectiveGradient(empty, 0x00C8C8C8); // 200, 200, 200
    EXPECT_EQ(derived[1], 0x00C8C8C8);                            // 199.5 to even: 200
    EXPECT_EQ(derived[2], 0x00C7C7C7);
    EXPECT_EQ(derived[30], 0x00B9B9B9);
    GradientTable filled{};
    filled[5] = 123;
    EXPECT_EQ(effectiveGradient(filled, 0x00C8C8C8), filled);
}

} // namespace
