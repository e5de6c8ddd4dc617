// A drawing surface that records every call instead of drawing, with text
// metrics that depend only on the text and the font: each character is
// FontSize * 10 twips wide (half a point size per character; bold adds a
// tenth), a line is FontSize * 24 twips high.
#pragma once

#include "platform/drawing_surface.h"

#include <string>
#include <vector>

struct RecordedCall {
    enum Kind { Text, Line, Box, FilledBox, Pixel, Clear, NewPage, EndDoc };
    Kind kind = Text;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // a text: its box
    RgbColor color = 0;
    std::string text; // Text only
    SurfaceFont font; // Text only
    friend bool operator==(const RecordedCall&, const RecordedCall&) = default;
};

class RecordingSurface : public DrawingSurface {
  public:
    // The drawing area, in twips (default: a letter page less half-inch margins).
    explicit RecordingSurface(double scaleWidth = 11520, double scaleHeight = 15120)
        : width_(scaleWidth), height_(scaleHeight) {}

    std::vector<RecordedCall> calls;

    double ScaleWidth() const override { return width_; }
    double ScaleHeight() const override { return height_; }

    // The texts drawn, in order.
    std::vector<std::string> texts() const;
    // One line per call, e.g. `Text 720,1440 "Total" Arial 9 B` or `Line 0,0-100,0 #000000`.
    std::string describe() const;
    static std::string describe(const RecordedCall& call);
    int pages() const; // pages begun: 1 + the NewPage calls

  protected:
    void drawText(double x, double y, const std::string& line) override;
    double lineWidth(const std::string& line) override;
    double lineHeight() override;
    void drawLine(double x1, double y1, double x2, double y2, RgbColor color) override;
    void drawBox(double x1, double y1, double x2, double y2, RgbColor color, bool filled) override;
    void drawPixel(double x, double y, RgbColor color) override;
    void clearArea() override;
    void startNewPage() override;
    void finishDocument() override;

  private:
    double width_;
    double height_;
};
