// Colours as the controls' hosts give them: 32-bit values with red in the low
// byte, green in the second and blue in the third (0x00BBGGRR), or a system
// colour (0x80000000 plus its index). Drawing works in 0xRRGGBB.
#pragma once

#include <cstdint>

namespace ole {

constexpr std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
           (static_cast<std::uint32_t>(b & 0xFF) << 16);
}

// System colours used by the controls.
constexpr std::uint32_t SystemWindow = 0x80000005;
constexpr std::uint32_t SystemWindowText = 0x80000008;
constexpr std::uint32_t SystemButtonFace = 0x8000000F;
constexpr std::uint32_t SystemButtonShadow = 0x80000010;
constexpr std::uint32_t SystemGrayText = 0x80000011;
constexpr std::uint32_t SystemHighlight3D = 0x80000014;

constexpr bool isSystemColour(std::uint32_t c) {
    return (c & 0xFF000000u) == 0x80000000u;
}

// The colour as plain 0x00BBGGRR: a system colour is replaced by the colour
// it stands for (the standard desktop scheme); an unknown index gives black.
std::uint32_t resolve(std::uint32_t colour);

// The resolved colour as 0xRRGGBB.
std::uint32_t toRgb(std::uint32_t colour);

inline int red(std::uint32_t resolved) {
    return static_cast<int>(resolved & 0xFF);
}
inline int green(std::uint32_t resolved) {
    return static_cast<int>((resolved >> 8) & 0xFF);
}
inline int blue(std::uint32_t resolved) {
    return static_cast<int>((resolved >> 16) & 0xFF);
}

} // namespace ole
