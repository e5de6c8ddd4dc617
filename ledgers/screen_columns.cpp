#include "ledgers/screen_columns.h"

#include "toolkit/row_pitch.h"

#include <algorithm>
#include <cmath>

double pixelWidth(DrawingSurface& s, const std::string& text) {
    return s.TextWidth(text) / TwipsPerScreenPixel;
}

double widestPixels(DrawingSurface& s, const std::vector<std::string>& texts) {
    return widestTextWidth(s, texts) / TwipsPerScreenPixel;
}

void textAt(DrawingSurface& s, double x, double y, const std::string& text) {
    if (text.empty()) return;
    s.CurrentX = x * TwipsPerScreenPixel;
    s.CurrentY = y * TwipsPerScreenPixel;
    s.PrintInline(text);
}

void textEndingAt(DrawingSurface& s, double right, double y, const std::string& text) {
    textAt(s, right - pixelWidth(s, text), y, text);
}

double rowPitch(DrawingSurface& s, double pixels) {
    const bool bold = s.FontBold;
    double tallest = 0;
    for (const bool b : {false, true}) {
        s.FontBold = b;
        tallest = std::max(tallest, s.TextHeight("W"));
    }
    s.FontBold = bold;
    return rowPitchFor(pixels, tallest / TwipsPerScreenPixel);
}

std::string cutToRoom(DrawingSurface& s, const std::string& text, double room) {
    return cutToWidth(s, text, room * TwipsPerScreenPixel);
}

void nameAt(DrawingSurface& s, double x, double y, double room, const std::string& text) {
    textAt(s, x, y, cutToRoom(s, text, room));
}

void lineAt(DrawingSurface& s, double x1, double y1, double x2, double y2, RgbColor color) {
    s.Line(x1 * TwipsPerScreenPixel, y1 * TwipsPerScreenPixel, x2 * TwipsPerScreenPixel,
           y2 * TwipsPerScreenPixel, color);
}

void ruledBoxAt(DrawingSurface& s, double x1, double y1, double x2, double y2, RgbColor fill) {
    const double t = TwipsPerScreenPixel;
    s.FilledBox(x1 * t, y1 * t, x2 * t, y2 * t, fill);
    s.Box(x1 * t, y1 * t, x2 * t, y2 * t, 0);
}
