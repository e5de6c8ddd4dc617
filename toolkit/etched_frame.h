// The etched frame: a sunken double rectangle whose top edge lies half a text
// line below the top of the control.
#pragma once

#include "toolkit/pixel_canvas.h"

#include <cstdint>

namespace etched_frame {

// Rows from the top to the frame's top edge for a text line of that height.
int topOffset(int lineHeight);

// The frame on a background of `backColor` (0x00BBGGRR or a system colour):
// the highlight box from (1, t + 1) to (W - 1, H - 1), then the shadow box
// from (0, t) to (W - 2, H - 3) over it.
PixelCanvas draw(int width, int height, int lineHeight, std::uint32_t backColor);

} // namespace etched_frame
