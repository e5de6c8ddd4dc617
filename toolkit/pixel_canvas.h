// A small picture held as 0xRRGGBB pixels, with the drawing steps the
// self-drawn controls use. Drawing outside the picture is clipped.
#pragma once

#include <cstdint>
#include <vector>

class PixelCanvas {
  public:
    PixelCanvas() = default;
    PixelCanvas(int width, int height, std::uint32_t rgb = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

    // The pixel at (x, y); 0 outside the picture.
    std::uint32_t at(int x, int y) const;

    void clear(std::uint32_t rgb);
    void pixel(int x, int y, std::uint32_t rgb);
    // Rectangle outline through both corners (in either order).
    void box(int x1, int y1, int x2, int y2, std::uint32_t rgb);
    // Filled rectangle, both corners included.
    void filledBox(int x1, int y1, int x2, int y2, std::uint32_t rgb);
    // Straight line from the first point towards the second; the end point is not drawn.
    void line(int x1, int y1, int x2, int y2, std::uint32_t rgb);

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};
