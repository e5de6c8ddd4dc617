#include "platform/drawing_surface.h"

#include <algorithm>

bool newPageBeforeFoot(DrawingSurface& s, double height) {
    if (s.CurrentY + height <= s.ScaleHeight() || s.CurrentY <= 0) return false;
    s.NewPage();
    return true;
}

std::vector<std::string> splitTextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty() || lines.empty()) lines.push_back(current);
    return lines;
}

void DrawingSurface::Print(const std::string& text) {
    double x = CurrentX;
    double y = CurrentY;
    const double step = lineHeight();
    for (const auto& line : splitTextLines(text)) {
        drawText(x, y, line);
        y += step;
    }
    CurrentX = 0;
    CurrentY = y;
}

void DrawingSurface::PrintInline(const std::string& text) {
    auto lines = splitTextLines(text);
    const double step = lineHeight();
    double y = CurrentY;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        drawText(CurrentX, y, lines[i]);
        if (i + 1 < lines.size()) y += step;
    }
    CurrentX += lineWidth(lines.back());
    CurrentY = y;
}

double DrawingSurface::TextWidth(const std::string& text) {
    double widest = 0;
    for (const auto& line : splitTextLines(text))
        widest = std::max(widest, lineWidth(line));
    return widest;
}

double DrawingSurface::TextHeight(const std::string& text) {
    return static_cast<double>(splitTextLines(text).size()) * lineHeight();
}

void DrawingSurface::Line(double x1, double y1, double x2, double y2, RgbColor color) {
    drawLine(x1, y1, x2, y2, color);
    CurrentX = x2;
    CurrentY = y2;
}

void DrawingSurface::Box(double x1, double y1, double x2, double y2, RgbColor color) {
    drawBox(x1, y1, x2, y2, color, false);
    CurrentX = x2;
    CurrentY = y2;
}

void DrawingSurface::FilledBox(double x1, double y1, double x2, double y2, RgbColor color) {
    drawBox(x1, y1, x2, y2, color, true);
    CurrentX = x2;
    CurrentY = y2;
}

void DrawingSurface::PSet(double x, double y, RgbColor color) {
    drawPixel(x, y, color);
    CurrentX = x;
    CurrentY = y;
}

void DrawingSurface::Cls() {
    clearArea();
    CurrentX = 0;
    CurrentY = 0;
}

void DrawingSurface::NewPage() {
    startNewPage();
    ++page_;
    CurrentX = 0;
    CurrentY = 0;
    if (pageStarted) pageStarted(*this);
}

void DrawingSurface::EndDoc() {
    finishDocument();
    page_ = 1;
    CurrentX = 0;
    CurrentY = 0;
}
