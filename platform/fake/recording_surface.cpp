#include "platform/fake/recording_surface.h"

#include "book/text_encoding.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string colour(RgbColor c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
    return buf;
}

RecordedCall shape(RecordedCall::Kind kind, double x1 = 0, double y1 = 0, double x2 = 0,
                   double y2 = 0, RgbColor color = 0) {
    RecordedCall c;
    c.kind = kind;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.color = color;
    return c;
}

} // namespace

void RecordingSurface::drawText(double x, double y, const std::string& line) {
    // A text's box: its top-left corner, and its right and bottom edges.
    RecordedCall c =
        shape(RecordedCall::Text, x, y, x + lineWidth(line), y + lineHeight(), ForeColor);
    c.text = line;
    c.font = font();
    calls.push_back(c);
}

double RecordingSurface::lineWidth(const std::string& line) {
    double perChar = FontSize * 10.0 * (FontBold ? 1.1 : 1.0);
    return std::round(static_cast<double>(encoding::characterCount(line)) * perChar);
}

double RecordingSurface::lineHeight() {
    return std::round(FontSize * 24.0);
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2, RgbColor color) {
    calls.push_back(shape(RecordedCall::Line, x1, y1, x2, y2, color));
}

void RecordingSurface::drawBox(double x1, double y1, double x2, double y2, RgbColor color,
                               bool filled) {
    calls.push_back(
        shape(filled ? RecordedCall::FilledBox : RecordedCall::Box, x1, y1, x2, y2, color));
}

void RecordingSurface::drawPixel(double x, double y, RgbColor color) {
    calls.push_back(shape(RecordedCall::Pixel, x, y, x, y, color));
}

void RecordingSurface::clearArea() {
    calls.push_back(shape(RecordedCall::Clear));
}
void RecordingSurface::startNewPage() {
    calls.push_back(shape(RecordedCall::NewPage));
}
void RecordingSurface::finishDocument() {
    calls.push_back(shape(RecordedCall::EndDoc));
}

std::vector<std::string> RecordingSurface::texts() const {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.kind == RecordedCall::Text) out.push_back(c.text);
    return out;
}

int RecordingSurface::pages() const {
    int n = 1;
    for (const auto& c : calls)
        if (c.kind == RecordedCall::NewPage) ++n;
    return n;
}

std::string RecordingSurface::describe(const RecordedCall& c) {
    std::string p1 = number(c.x1) + "," + number(c.y1);
    std::string p2 = number(c.x2) + "," + number(c.y2);
    switch (c.kind) {
    case RecordedCall::Text: {
        std::string s =
            "Text " + p1 + " \"" + c.text + "\" " + c.font.name + " " + number(c.font.size);
        if (c.font.bold || c.font.italic || c.font.underline) s += " ";
        if (c.font.bold) s += "B";
        if (c.font.italic) s += "I";
        if (c.font.underline) s += "U";
        if (c.color != 0) s += " " + colour(c.color);
        return s;
    }
    case RecordedCall::Line:
        return "Line " + p1 + "-" + p2 + " " + colour(c.color);
    case RecordedCall::Box:
        return "Box " + p1 + "-" + p2 + " " + colour(c.color);
    case RecordedCall::FilledBox:
        return "FilledBox " + p1 + "-" + p2 + " " + colour(c.color);
    case RecordedCall::Pixel:
        return "Pixel " + p1 + " " + colour(c.color);
    case RecordedCall::Clear:
        return "Clear";
    case RecordedCall::NewPage:
        return "NewPage";
    case RecordedCall::EndDoc:
        return "EndDoc";
    }
    return {};
}

std::string RecordingSurface::describe() const {
    std::ostringstream out;
    for (const auto& c : calls)
        out << describe(c) << "\n";
    return out.str();
}
