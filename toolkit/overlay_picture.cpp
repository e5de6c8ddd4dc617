#include "toolkit/overlay_picture.h"

#include <algorithm>

namespace overlay_picture {

PixelCanvas make() {
    PixelCanvas c(Width, Height, Transparent);
    // Three rings, darkest outside, with rounded corners.
    const std::uint32_t rings[] = {0x2B5F96, 0x5C9AD8, 0xB4D4F4};
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const int dx = std::min(x, Width - 1 - x), dy = std::min(y, Height - 1 - y);
            if (dx + dy < 2) continue; // the cut corner
            const int ring = std::min({dx, dy, (dx + dy - 2) / 2});
            if (ring < 3) c.pixel(x, y, rings[ring]);
        }
    return c;
}

} // namespace overlay_picture
