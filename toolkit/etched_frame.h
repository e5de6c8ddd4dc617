// The etched frame: a highlight rectangle under a shadow rectangle, giving a
// sunken double line, with its top edge half a text line down the control.
#pragma once

#include "toolkit/pixel_canvas.h"

#include <cstdint>

namespace etched_frame {

// Rows from the top to the frame's top edge for a text line of that height.
int topOffset(int lineHeight);

// The frame on a background of `backColor` (0x00BBGGRR or a system colour):
// first the highlight rectangle (1, t + 1)-(W - 1, H - 1), then the shadow
// rectangle (0, t)-(W - 2, H - 3) drawn over it.
PixelCanvas draw(int width, int height, int lineHeight, std::uint32_t backColor);

} // namespace etched_frame
