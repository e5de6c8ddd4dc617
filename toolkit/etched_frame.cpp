#include "toolkit/etched_frame.h"

#include "toolkit/ole_colour.h"
#include "toolkit/scroll_logic.h"

namespace etched_frame {

int topOffset(int lineHeight) {
    return roundHalfEven(lineHeight / 2.0);
}

PixelCanvas draw(int width, int height, int lineHeight, std::uint32_t backColor) {
    PixelCanvas c(width, height, ole::toRgb(backColor));
    const int t = topOffset(lineHeight);
    c.box(1, t + 1, width - 1, height - 1, ole::toRgb(ole::SystemHighlight3D));
    c.box(0, t, width - 2, height - 3, ole::toRgb(ole::SystemButtonShadow));
    return c;
}

} // namespace etched_frame
