// A surface the program draws on in twips (1440 to the inch): a printer page,
// a window's picture, or a recorder in tests. Invoices, ledgers and statements
// draw through it, so one drawing procedure serves screen, paper and tests.
//
// The state fields work as a drawing procedure expects: set the font fields
// and the current position, then Print; Print leaves the position at the start
// of the next line, PrintInline just after the text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A colour as the program stores it: 0x00BBGGRR (red in the low byte).
using RgbColor = std::int32_t;

constexpr RgbColor rgbColor(int red, int green, int blue) {
    return static_cast<RgbColor>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}
constexpr int redOf(RgbColor c) {
    return c & 0xFF;
}
constexpr int greenOf(RgbColor c) {
    return (c >> 8) & 0xFF;
}
constexpr int blueOf(RgbColor c) {
    return (c >> 16) & 0xFF;
}

constexpr double TwipsPerInch = 1440.0;
constexpr double TwipsPerPoint = 20.0;
constexpr double TwipsPerScreenPixel = 15.0;

struct SurfaceFont {
    std::string name = "Arial";
    double size = 9.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const SurfaceFont&, const SurfaceFont&) = default;
};

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    // --- state read by the next drawing call ---
    double CurrentX = 0; // twips from the left of the drawing area
    double CurrentY = 0; // twips from its top; text hangs below this line
    std::string FontName = "Arial";
    double FontSize = 9.0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    RgbColor ForeColor = 0; // text colour, and lines drawn without a colour
    int DrawWidth = 1;      // line width in the device's pixels

    SurfaceFont font() const { return {FontName, FontSize, FontBold, FontItalic, FontUnderline}; }
    void setFont(const SurfaceFont& f) {
        FontName = f.name;
        FontSize = f.size;
        FontBold = f.bold;
        FontItalic = f.italic;
        FontUnderline = f.underline;
    }

    // --- text ---
    // Draws the text at the current position (line breaks start new lines at
    // the same left edge); then CurrentX = 0 and CurrentY moves below the text.
    void Print(const std::string& text);
    // Draws the text at the current position; then CurrentX moves past it.
    void PrintInline(const std::string& text);
    // Width of the widest line and height of all lines, in the current font.
    double TextWidth(const std::string& text);
    double TextHeight(const std::string& text);

    // --- shapes (twips); each leaves the current position at (x2, y2) ---
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }
    void Line(double x1, double y1, double x2, double y2, RgbColor color);
    void Box(double x1, double y1, double x2, double y2, RgbColor color);
    void FilledBox(double x1, double y1, double x2, double y2, RgbColor color);
    void PSet(double x, double y, RgbColor color);

    // --- the drawing area and the document ---
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    // Clears the drawing area to its background; the position goes to (0, 0).
    void Cls();
    // Ends the page and starts the next one; the position goes to (0, 0).
    void NewPage();
    // Ends the document: the printer prints it, a PDF file is written.
    void EndDoc();
    // The page being drawn, counted from 1 in each document.
    int pageNumber() const { return page_; }
    // Called by NewPage once the next page has begun, at its top: what a
    // printout puts on every page it goes on to (its page number), wherever
    // the page breaks.
    std::function<void(DrawingSurface&)> pageStarted;

  protected:
    // One line of text with its top-left corner at (x, y).
    virtual void drawText(double x, double y, const std::string& line) = 0;
    virtual double lineWidth(const std::string& line) = 0;
    virtual double lineHeight() = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, RgbColor color) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2, RgbColor color,
                         bool filled) = 0;
    virtual void drawPixel(double x, double y, RgbColor color) = 0;
    virtual void clearArea() = 0;
    virtual void startNewPage() = 0;
    virtual void finishDocument() = 0;

  private:
    int page_ = 1;
};

// The one rule for a printed line that would pass the page's foot: it goes on
// to the next page. Starts one when `height` twips more from the current line
// would pass the foot, unless the line is at a page's top already (it could
// not fit any page); true when it did.
bool newPageBeforeFoot(DrawingSurface& s, double height);

// The lines of a text split at CR LF, LF or CR (a final break gives no extra line).
std::vector<std::string> splitTextLines(const std::string& text);
