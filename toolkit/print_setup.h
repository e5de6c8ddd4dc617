// The print setup's choices and rules in standard C++: the printers offered
// (the installed ones and always the PDF printer), the paper list probed from
// the chosen printer, orientation, colour, quality, duplex, copies and zoom.
// The print-setup window mirrors this model; it is kept between showings.
#pragma once

#include "platform/drawing_surface.h"
#include "platform/printer_choices.h"

#include <functional>
#include <string>
#include <vector>

// The paper codes 1..41 a printer accepts, in ascending order, and the item to
// select: the one of `startCode` when it is accepted, else item 0.
struct PaperList {
    std::vector<int> codes;
    int selected = 0;
};
PaperList probePapers(const std::function<bool(int)>& accepts, int startCode);

// Locale-free number at the start of a text (blanks skipped, optional sign,
// digits with one "."); 0 when there is none.
double leadingNumber(const std::string& text);
// Copies from the copies box: the leading number to the nearest whole number
// (halves to even), held to 0..999; a text without a number gives 0.
int copiesFromText(const std::string& text);
// The zoom box's text after the box is left: below 20 (or no number) gives
// "20%", above the largest zoom at which type is still drawn, "2000%".
std::string zoomTextAfterLeaving(const std::string& text);
// The zoom factor a zoom text stands for: "80%" gives 0.8; never above 20.
double zoomFactor(const std::string& zoomText);

// A line of a printout's headings (a title, a period, a column's heading)
// printed whole from `left` twips: its text and its type at 100 %.
struct PrintedHeading {
    std::string text;
    double points = 10;
    bool bold = true;
    double left = 0;
};
// Whether each heading, in its type at `zoom`, ends on the surface's page.
// The surface's font is left as it was.
bool headingsFit(DrawingSurface& s, const std::vector<PrintedHeading>& headings, double zoom);

// The zoom a printout prints at when `asked` is chosen: `asked` itself when
// its figure columns fit the page at it (`fits`, measured in the fonts of
// that zoom), else the largest zoom below it at which they do, to a
// thousandth, never below the zoom box's floor (nor below `asked`). An
// `asked` above the zoom box's largest is taken as that largest.
double fittingZoom(double asked, const std::function<bool(double zoom)>& fits);
// fittingZoom for a printout measured in one font: before each try the
// surface's font size is set to `points` times the zoom tried, and the
// surface is left at the size of the zoom returned. A zoom fits only where
// its `headings` fit too, so that every title prints whole on the page.
double fittingFontZoom(DrawingSurface& s, double points, double asked,
                       const std::function<bool(double zoom)>& fits,
                       const std::vector<PrintedHeading>& headings = {});

class PrintSetup {
  public:
    // `installed` in the system's order; the PDF printer is added after them.
    // The current printer starts as `defaultPrinter` when installed, else the
    // first installed one, else the PDF printer.
    PrintSetup(std::vector<PrinterCapabilities> installed, PrinterCapabilities pdfPrinter,
               const std::string& defaultPrinter = "");

    const std::vector<PrinterCapabilities>& printers() const { return printers_; }
    std::vector<std::string> printerNames() const;
    bool noPrinterInstalled() const { return printers_.size() == 1; }
    const PrinterCapabilities& currentPrinter() const { return printers_[current_]; }

    // Chooses the printer of that name and probes its papers again; false
    // (nothing changes) when there is none of that name.
    bool choosePrinter(const std::string& name);

    const PaperList& papers() const { return papers_; }
    std::vector<std::string> paperNames() const;
    // Chooses paper item `index`; false when there is no such item.
    bool choosePaper(int index);

    // Each returns what the printer now has (a refused value keeps the old one).
    int setOrientation(int orientation);
    int setColorMode(int mode);
    int setQuality(int quality);
    // Ticked = two-sided. A printer without duplex stays one-sided.
    bool setDuplex(bool ticked);
    bool duplexTicked() const { return duplexTicked_; }

    std::string copiesText = "1";
    std::string zoomText = "100%";

    // OK: the copies (0 = nothing to print); the zoom floor is applied first.
    int accept();

    const PrinterChoices& choices() const { return choices_; }
    void setPdfPath(const std::string& path) { choices_.pdfPath = path; }

  private:
    void probe(int startCode);

    std::vector<PrinterCapabilities> printers_;
    std::size_t current_ = 0;
    PaperList papers_;
    PrinterChoices choices_;
    bool duplexTicked_ = false;
};
