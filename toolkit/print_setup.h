// The print setup's choices and rules in standard C++: the printers offered
// (the installed ones and always the PDF printer), the paper list probed from
// the chosen printer, orientation, colour, quality, duplex, copies and zoom.
// The print-setup window mirrors this model; it is kept between showings.
#pragma once

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

// The smallest zoom the zoom box keeps, in per cent.
inline constexpr int ZoomFloor = 20;
// The largest. On the PDF printer at 1200 dots to the inch the font's line
// height stops being measured (it comes out negative) from about 17,000
// pixels of type, some 1,000 points, and from 65,536 pixels its widths too;
// then no text is drawn. The printouts' largest type is 12 points, which at
// this zoom is 240 points: 4,000 pixels, a quarter of the way there, so a
// font of unusually tall lines is measured whole too.
inline constexpr int ZoomCeiling = 2000;

class PrintSetup {
  public:
    // `installed` in the system's order; the PDF printer is added after them.
    // The current printer starts as `defaultPrinter` when installed, else the
    // first installed one, else the PDF printer.
    PrintSetup(std::vector<PrinterCapabilities> installed, PrinterCapabilities pdfPrinter,
               const std::string& defaultPrinter = "");

    // The printers there are now, for a later showing: the printer chosen
    // stays so, with its paper, while it is among them; else the current
    // printer starts as in the constructor. The other choices are kept.
    void listPrinters(std::vector<PrinterCapabilities> installed,
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
    // The default printer when installed, else the first listed.
    const std::string& startingPrinter(const std::string& defaultPrinter) const;

    std::vector<PrinterCapabilities> printers_;
    std::size_t current_ = 0;
    PaperList papers_;
    PrinterChoices choices_;
    bool duplexTicked_ = false;
};
