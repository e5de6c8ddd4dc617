#include "toolkit/pixel_canvas.h"

#include <algorithm>
#include <cstdlib>

PixelCanvas::PixelCanvas(int width, int height, std::uint32_t rgb)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), rgb) {}

std::uint32_t PixelCanvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void PixelCanvas::clear(std::uint32_t rgb) {
    std::fill(pixels_.begin(), pixels_.end(), rgb);
}

void PixelCanvas::pixel(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = rgb;
}

void PixelCanvas::box(int x1, int y1, int x2, int y2, std::uint32_t rgb) {
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    for (int x = left; x <= right; ++x) {
        pixel(x, top, rgb);
        pixel(x, bottom, rgb);
    }
    for (int y = top; y <= bottom; ++y) {
        pixel(left, y, rgb);
        pixel(right, y, rgb);
    }
}

void PixelCanvas::filledBox(int x1, int y1, int x2, int y2, std::uint32_t rgb) {
    const int left = std::max(std::min(x1, x2), 0), right = std::min(std::max(x1, x2), width_ - 1);
    const int top = std::max(std::min(y1, y2), 0), bottom = std::min(std::max(y1, y2), height_ - 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            pixels_[static_cast<std::size_t>(y) * width_ + x] = rgb;
}

void PixelCanvas::line(int x1, int y1, int x2, int y2, std::uint32_t rgb) {
    const int dx = x2 - x1, dy = y2 - y1;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        // Nearest pixel on the way; integer arithmetic, halves rounded up.
        const int x = x1 + (2 * dx * i + (dx >= 0 ? steps : -steps)) / (2 * steps);
        const int y = y1 + (2 * dy * i + (dy >= 0 ? steps : -steps)) / (2 * steps);
        pixel(x, y, rgb);
    }
}
