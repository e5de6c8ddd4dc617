#include "toolkit/ole_colour.h"

#include <array>

namespace ole {
namespace {

// The standard desktop scheme, 0xRRGGBB, by system colour index.
constexpr std::array<std::uint32_t, 31> SystemScheme = {
    0xC8C8C8, // 0 scroll bar
    0x000000, // 1 desktop
    0x99B4D1, // 2 active caption
    0xBFCDDB, // 3 inactive caption
    0xF0F0F0, // 4 menu
    0xFFFFFF, // 5 window
    0x646464, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0x000000, // 9 caption text
    0xB4B4B4, // 10 active border
    0xF4F7FC, // 11 inactive border
    0xABABAB, // 12 application workspace
    0x3399FF, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xF0F0F0, // 15 button face
    0xA0A0A0, // 16 button shadow
    0x6D6D6D, // 17 grey text
    0x000000, // 18 button text
    0x000000, // 19 inactive caption text
    0xFFFFFF, // 20 3-D highlight
    0x696969, // 21 3-D dark shadow
    0xE3E3E3, // 22 3-D light
    0x000000, // 23 tooltip text
    0xFFFFE1, // 24 tooltip background
    0x000000, // 25 (unused)
    0x0066CC, // 26 hot-tracked item
    0xB9D1EA, // 27 active caption gradient
    0xD7E4F2, // 28 inactive caption gradient
    0x3399FF, // 29 menu highlight
    0xF0F0F0, // 30 menu bar
};

} // namespace

std::uint32_t resolve(std::uint32_t colour) {
    if (!isSystemColour(colour)) return colour & 0x00FFFFFFu;
    const std::uint32_t index = colour & 0x00FFFFFFu;
    if (index >= SystemScheme.size()) return 0;
    const std::uint32_t c = SystemScheme[index];
    return rgb(static_cast<int>(c >> 16), static_cast<int>(c >> 8), static_cast<int>(c));
}

std::uint32_t toRgb(std::uint32_t colour) {
    const std::uint32_t c = resolve(colour);
    return (static_cast<std::uint32_t>(red(c)) << 16) |
           (static_cast<std::uint32_t>(green(c)) << 8) | static_cast<std::uint32_t>(blue(c));
}

} // namespace ole
