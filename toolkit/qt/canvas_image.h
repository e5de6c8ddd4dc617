// Pictures and colours of the self-drawn controls as Qt takes them.
#pragma once

#include "toolkit/ole_colour.h"
#include "toolkit/pixel_canvas.h"

#include <QColor>
#include <QImage>

#include <cstring>

inline QImage imageOf(const PixelCanvas& canvas) {
    QImage image(canvas.width(), canvas.height(), QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint32_t* src =
            canvas.pixels().data() + static_cast<std::size_t>(y) * canvas.width();
        for (int x = 0; x < canvas.width(); ++x)
            line[x] = 0xFF000000u | src[x];
    }
    return image;
}

// A host's colour (0x00BBGGRR or a system colour) as a QColor.
inline QColor colourOf(std::uint32_t oleColour) {
    const std::uint32_t c = ole::resolve(oleColour);
    return QColor(ole::red(c), ole::green(c), ole::blue(c));
}
