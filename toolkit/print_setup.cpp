#include "toolkit/print_setup.h"

#include "platform/paper_sizes.h"

#include <algorithm>
#include <cmath>

PaperList probePapers(const std::function<bool(int)>& accepts, int startCode) {
    PaperList list;
    for (int code = FirstPaperCode; code <= LastPaperCode; ++code) {
        if (!accepts(code)) continue;
        if (code == startCode) list.selected = static_cast<int>(list.codes.size());
        list.codes.push_back(code);
    }
    return list;
}

std::string ownPaperName(const PrinterPaper& paper) {
    return paper.name + ", " + std::to_string(std::lround(paper.widthMm)) + " x " +
           std::to_string(std::lround(paper.heightMm)) + " mm";
}

namespace {

std::string withoutBlanksAround(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string quoted(const std::string& text) {
    return "\"" + shortenForStatus(text) + "\"";
}

} // namespace

std::optional<Currency> readZoomPercent(const std::string& text, const NumberMarks& marks) {
    std::string number = withoutBlanksAround(text);
    if (!number.empty() && number.back() == '%')
        number = withoutBlanksAround(number.substr(0, number.size() - 1));
    return parseAmount(number, marks);
}

std::string zoomBoxText(Currency percent, const NumberMarks& marks) {
    return plainNumberText(percent, marks.decimal) + "%";
}

std::optional<int> readCopies(const std::string& text, const NumberMarks& marks) {
    const std::optional<Currency> n = parseAmount(withoutBlanksAround(text), marks);
    if (!n || n->fractionRaw() != 0 || n->wholePart() < 1 || n->wholePart() > 999)
        return std::nullopt;
    return static_cast<int>(n->wholePart());
}

PrintSetup::PrintSetup(std::vector<PrinterCapabilities> installed, PrinterCapabilities pdfPrinter,
                       const std::string& defaultPrinter) {
    printers_.push_back(std::move(pdfPrinter));
    choices_.orientation = Portrait;
    listPrinters(std::move(installed), defaultPrinter);
}

bool PrintSetup::listed(const std::string& name) const {
    for (const auto& p : printers_)
        if (p.name == name) return true;
    return false;
}

const std::string& PrintSetup::startingPrinter(const std::string& defaultPrinter) const {
    for (std::size_t i = 0; i + 1 < printers_.size(); ++i)
        if (printers_[i].name == defaultPrinter) return defaultPrinter;
    return printers_.front().name;
}

void PrintSetup::listPrinters(std::vector<PrinterCapabilities> installed,
                              const std::string& defaultPrinter) {
    const std::string keptPrinter = choices_.printerName, keptPaper = chosenPaperName();
    const std::string wantedPaper = wantedPaper_;
    installed.push_back(std::move(printers_.back()));
    printers_ = std::move(installed);
    wantedMissing_ = wanted_.empty() ? noPrinterInstalled() : !listed(wanted_);
    // While the wanted printer is missing, a printer standing in for it stays
    // so, with its paper, while it is there.
    std::string target = wanted_;
    if (wantedMissing_ || wanted_.empty())
        target = keptPrinter != PdfPrinterName && listed(keptPrinter)
                     ? keptPrinter
                     : startingPrinter(defaultPrinter);
    select(target);
    if (target == wanted_)
        choosePaperNamed(wantedPaper);
    else if (target == keptPrinter)
        choosePaperNamed(keptPaper);
    if (wanted_.empty() && !noPrinterInstalled()) {
        wanted_ = target;
        wantedPaper_ = chosenPaperName();
    }
}

std::string PrintSetup::troubleToTell(bool serviceStopped) {
    std::string trouble;
    if (wantedMissing_ && noPrinterInstalled())
        trouble = std::string(serviceStopped ? "The print service is not running"
                                             : "No printer is installed") +
                  ": the pages will be written to a PDF file.";
    else if (wantedMissing_)
        trouble = "The printer " + wanted_ + " is not there now: the pages will be printed on " +
                  currentPrinter().name + ".";
    if (papers_.size() == 0)
        trouble += std::string(trouble.empty() ? "" : "\n") + "The printer " +
                   currentPrinter().name + " names no paper size: the pages are laid out on " +
                   chosenPaperName() + ", which it may shrink or cut to its paper.";
    if (!trouble.empty()) trouble = "Printer Trouble\n\n" + trouble;
    if (trouble == troubleTold_) return "";
    troubleTold_ = trouble;
    return trouble;
}

std::vector<std::string> PrintSetup::printerNames() const {
    std::vector<std::string> names;
    for (const auto& p : printers_)
        names.push_back(p.name);
    return names;
}

void PrintSetup::probe() {
    const PrinterCapabilities& printer = printers_[current_];
    const auto& accepted = printer.paperCodes;
    const auto accepts = [&](int code) {
        return std::find(accepted.begin(), accepted.end(), code) != accepted.end();
    };
    papers_ = probePapers(accepts, printer.currentPaperCode);
    papers_.own = printer.ownPapers;
    // A printer on a sheet of its own (named only then) starts on that one.
    for (std::size_t i = 0; i < papers_.own.size(); ++i)
        if (papers_.own[i].name == printer.currentOwnPaper)
            papers_.selected = static_cast<int>(papers_.codes.size() + i);
    // A printer naming no paper keeps the paper chosen before (told as trouble).
    choosePaper(papers_.selected);
}

bool PrintSetup::select(const std::string& name) {
    for (std::size_t i = 0; i < printers_.size(); ++i) {
        if (printers_[i].name != name) continue;
        current_ = i;
        choices_.printerName = name;
        if (!printers_[i].color) choices_.colorMode = Monochrome;
        choices_.duplex = duplexTicked_ && printers_[i].duplex;
        probe();
        return true;
    }
    return false;
}

bool PrintSetup::choosePrinter(const std::string& name) {
    if (!select(name)) return false;
    wanted_ = name;
    wantedPaper_ = chosenPaperName();
    wantedMissing_ = false;
    return true;
}

std::vector<std::string> PrintSetup::paperNames() const {
    std::vector<std::string> names;
    for (int code : papers_.codes)
        names.push_back(paperName(code));
    for (const PrinterPaper& own : papers_.own)
        names.push_back(ownPaperName(own));
    return names;
}

bool PrintSetup::choosePaper(int index) {
    if (index < 0 || index >= static_cast<int>(papers_.size())) return false;
    papers_.selected = index;
    const std::size_t item = static_cast<std::size_t>(index);
    const bool coded = item < papers_.codes.size();
    choices_.paperCode = coded ? papers_.codes[item] : 0;
    choices_.ownPaper = coded ? PrinterPaper{} : papers_.own[item - papers_.codes.size()];
    if (choices_.printerName == wanted_) wantedPaper_ = chosenPaperName();
    return true;
}

bool PrintSetup::choosePaperNamed(const std::string& name) {
    const std::vector<std::string> names = paperNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return choosePaper(static_cast<int>(i));
    return false;
}

std::string PrintSetup::chosenPaperName() const {
    return choices_.paperCode == 0 ? ownPaperName(choices_.ownPaper)
                                   : paperName(choices_.paperCode);
}

int PrintSetup::setOrientation(int orientation) {
    if (orientation == Portrait || orientation == Landscape) choices_.orientation = orientation;
    return choices_.orientation;
}

int PrintSetup::setColorMode(int mode) {
    if (mode == Monochrome || (mode == Color && currentPrinter().color)) choices_.colorMode = mode;
    return choices_.colorMode;
}

int PrintSetup::setQuality(int quality) {
    if (quality >= HighQuality && quality <= DraftQuality) choices_.quality = quality;
    return choices_.quality;
}

bool PrintSetup::setDuplex(bool ticked) {
    duplexTicked_ = ticked;
    choices_.duplex = ticked && currentPrinter().duplex;
    return choices_.duplex;
}

LeftBox PrintSetup::leaveCopiesBox(const std::string& typed, const NumberMarks& marks) {
    const std::optional<int> copies = readCopies(typed, marks);
    if (copies) copies_ = *copies;
    return {std::to_string(copies_),
            copies
                ? ""
                : quoted(typed) + " is not a number of copies: type a whole number from 1 to 999."};
}

LeftBox PrintSetup::leaveZoomBox(const std::string& typed, const NumberMarks& marks) {
    const std::optional<Currency> percent = readZoomPercent(typed, marks);
    if (percent)
        zoomPercent_ =
            std::clamp(*percent, Currency::fromUnits(ZoomFloor), Currency::fromUnits(ZoomCeiling));
    const std::string example = zoomBoxText(Currency::fromRaw(875000), marks);
    return {zoomBoxText(zoomPercent_, marks),
            percent ? ""
                    : quoted(typed) + " is not a text size: type a percentage such as " + example +
                          "."};
}
