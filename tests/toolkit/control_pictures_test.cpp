#include "toolkit/etched_frame.h"
#include "toolkit/ole_colour.h"
#include "toolkit/overlay_picture.h"

#include <gtest/gtest.h>

namespace {

TEST(EtchedFrame, ShadowOverHighlight) {
    const std::uint32_t light = ole::toRgb(ole::SystemHighlight3D);
    const std::uint32_t shadow = ole::toRgb(ole::SystemButtonShadow);
    EXPECT_EQ(etched_frame::topOffset(15), 8); // 7.5, halves to even
    EXPECT_EQ(etched_frame::topOffset(13), 6);
    const PixelCanvas c = etched_frame::draw(100, 50, 15, ole::rgb(10, 20, 30));
    EXPECT_EQ(c.at(50, 49), light);  // highlight bottom
    EXPECT_EQ(c.at(99, 30), light);  // highlight right
    EXPECT_EQ(c.at(50, 47), shadow); // the shadow ends two rows higher
    EXPECT_EQ(c.at(98, 30), shadow); // and one column further left
    EXPECT_EQ(c.at(50, 8), shadow);  // top edge half a line down
    EXPECT_EQ(c.at(98, 9), shadow);  // drawn last where the two meet
    EXPECT_EQ(c.at(50, 48), 0x0A141Eu);
    EXPECT_EQ(c.at(50, 7), 0x0A141Eu);
}

TEST(OverlayPicture, BlackMiddleIsTransparent) {
    const PixelCanvas c = overlay_picture::make();
    EXPECT_EQ(c.width(), 32);
    EXPECT_EQ(c.height(), 33);
    EXPECT_EQ(c.at(16, 16), overlay_picture::Transparent);
    EXPECT_EQ(c.at(0, 0), overlay_picture::Transparent); // rounded corner
    EXPECT_NE(c.at(0, 16), overlay_picture::Transparent);
    EXPECT_NE(c.at(16, 32), overlay_picture::Transparent);
}

TEST(OleColour, SystemColoursResolve) {
    EXPECT_EQ(ole::toRgb(ole::SystemButtonFace), 0xF0F0F0u);
    EXPECT_EQ(ole::toRgb(ole::SystemWindowText), 0x000000u);
    EXPECT_EQ(ole::toRgb(ole::rgb(1, 2, 3)), 0x010203u);
    EXPECT_EQ(ole::resolve(0x80000099), 0u); // no such system colour
    EXPECT_EQ(ole::resolve(ole::SystemHighlight3D), 0xFFFFFFu);
}

} // namespace
