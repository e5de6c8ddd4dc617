// The print setup's choices and rules in standard C++: the printers offered
// (the installed ones and always the PDF printer), the paper list probed from
// the chosen printer, orientation, colour, quality, duplex, copies and zoom.
// The print-setup window mirrors this model; it is kept between showings.
#pragma once

#include "book/currency.h"
#include "book/number_format.h"
#include "book/typed_input.h"
#include "platform/printer_choices.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The paper codes 1..41 a printer accepts, in ascending order, and the item to
// select: the one of `startCode` when it is accepted, else item 0. The
// printer's own sheets that no code stands for follow the codes as items.
struct PaperList {
    std::vector<int> codes;
    std::vector<PrinterPaper> own;
    int selected = 0;
    std::size_t size() const { return codes.size() + own.size(); }
};
PaperList probePapers(const std::function<bool(int)>& accepts, int startCode);
// The name the paper list shows for a printer's own sheet: "A6, 105 x 148 mm".
std::string ownPaperName(const PrinterPaper& paper);

// The zoom a zoom box's text stands for, in per cent: a number in the
// locale's marks ("87,5" under a decimal comma), blanks around it and one
// "%" after it allowed; nullopt for any other text.
std::optional<Currency> readZoomPercent(const std::string& text, const NumberMarks& marks);
// The zoom box's text for a zoom in per cent, in the locale's marks: "87,5%".
std::string zoomBoxText(Currency percent, const NumberMarks& marks);
// The copies a copies box's text stands for: a whole number from 1 to 999
// in the locale's marks, blanks around it allowed; nullopt for any other.
std::optional<int> readCopies(const std::string& text, const NumberMarks& marks);

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

    // The printers there are now, for a later showing. The printer the user
    // chose (or, before any choice, the one the setup started on) is chosen
    // again, with the paper it had, whenever it is among them; while it is
    // not, the default printer stands in for it, else the first installed,
    // else the PDF printer (a printer standing in stays so, with its paper,
    // while it is there). The other choices are kept.
    void listPrinters(std::vector<PrinterCapabilities> installed,
                      const std::string& defaultPrinter = "");
    // What to tell of the last listing or printer chosen, once for each
    // outage: the printer the pages were to go to is not there (with no
    // printer at all because the print service is stopped when
    // `serviceStopped`), or the printer names no paper at all. "" when all
    // is well or when the same outage was told already.
    std::string troubleToTell(bool serviceStopped);

    const std::vector<PrinterCapabilities>& printers() const { return printers_; }
    std::vector<std::string> printerNames() const;
    bool noPrinterInstalled() const { return printers_.size() == 1; }
    const PrinterCapabilities& currentPrinter() const { return printers_[current_]; }

    // The user chooses the printer of that name: its papers are probed
    // again. False (nothing changes) when there is none of that name.
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

    // The copies and the zoom (a factor: 0.8 for 80 %) Print prints with.
    int copies() const { return copies_; }
    double zoom() const { return zoomPercent_.toDouble() / 100; }
    // The copies box left with `typed`: a number of copies is kept and shown
    // as a number; any other text is told and the box shows the copies kept.
    LeftBox leaveCopiesBox(const std::string& typed, const NumberMarks& marks);
    // The zoom box left with `typed`: a zoom is kept, held to ZoomFloor ..
    // ZoomCeiling, and shown as it will print; any other text is told and
    // the box shows the zoom kept.
    LeftBox leaveZoomBox(const std::string& typed, const NumberMarks& marks);

    const PrinterChoices& choices() const { return choices_; }
    void setPdfPath(const std::string& path) { choices_.pdfPath = path; }

  private:
    // Makes the printer of that name the current one and probes its papers.
    bool select(const std::string& name);
    void probe();
    // Chooses the paper item of that name; false when there is none.
    bool choosePaperNamed(const std::string& name);
    // The name of the paper item chosen.
    std::string chosenPaperName() const;
    bool listed(const std::string& name) const;
    // The default printer when installed, else the first listed.
    const std::string& startingPrinter(const std::string& defaultPrinter) const;

    std::vector<PrinterCapabilities> printers_;
    std::size_t current_ = 0;
    PaperList papers_;
    PrinterChoices choices_;
    bool duplexTicked_ = false;
    int copies_ = 1;
    Currency zoomPercent_ = Currency::fromUnits(100);
    // The printer the pages are to go to and its paper item ("" before any).
    std::string wanted_;
    std::string wantedPaper_;
    bool wantedMissing_ = false;
    std::string troubleTold_;
};
