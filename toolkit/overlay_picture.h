// The overlay button's picture: 32 x 33 pixels in which black is transparent
// and lets the mouse through. It is a rounded hover frame whose middle shows
// the control underneath.
#pragma once

#include "toolkit/pixel_canvas.h"

namespace overlay_picture {

constexpr int Width = 32;
constexpr int Height = 33;
constexpr std::uint32_t Transparent = 0x000000;

PixelCanvas make();

} // namespace overlay_picture
