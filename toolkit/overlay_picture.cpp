#include "toolkit/overlay_picture.h"

#include <cstdlib>

namespace overlay_picture {

PixelCanvas make() {
    PixelCanvas c(Width, Height, Transparent);
    // Three rings, darkest outside; the corners are cut to round the frame.
    const std::uint32_t rings[] = {0x2B5F96, 0x5C9AD8, 0xB4D4F4};
    for (int ring = 0; ring < 3; ++ring) {
        const int left = ring, top = ring, right = Width - 1 - ring, bottom = Height - 1 - ring;
        for (int x = left + 2; x <= right - 2; ++x) {
            c.pixel(x, top, rings[ring]);
            c.pixel(x, bottom, rings[ring]);
        }
        for (int y = top + 2; y <= bottom - 2; ++y) {
            c.pixel(left, y, rings[ring]);
            c.pixel(right, y, rings[ring]);
        }
        c.pixel(left + 1, top + 1, rings[ring]);
        c.pixel(right - 1, top + 1, rings[ring]);
        c.pixel(left + 1, bottom - 1, rings[ring]);
        c.pixel(right - 1, bottom - 1, rings[ring]);
    }
    return c;
}

} // namespace overlay_picture
