#include "toolkit/print_setup.h"

#include "platform/paper_sizes.h"

#include <algorithm>
#include <cctype>
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

double leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double value = 0;
    bool point = false;
    double scale = 1;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            if (point) {
                scale /= 10;
                value += (c - '0') * scale;
            } else {
                value = value * 10 + (c - '0');
            }
        } else {
            break;
        }
    }
    return negative ? -value : value;
}

int copiesFromText(const std::string& text) {
    double n = std::nearbyint(leadingNumber(text)); // halves to even
    return static_cast<int>(std::clamp(n, 0.0, 999.0));
}

std::string zoomTextAfterLeaving(const std::string& text) {
    const double zoom = leadingNumber(text);
    if (zoom < ZoomFloor) return std::to_string(ZoomFloor) + "%";
    return zoom > ZoomCeiling ? std::to_string(ZoomCeiling) + "%" : text;
}

double zoomFactor(const std::string& zoomText) {
    return std::min(leadingNumber(zoomText), double(ZoomCeiling)) / 100.0;
}

PrintSetup::PrintSetup(std::vector<PrinterCapabilities> installed, PrinterCapabilities pdfPrinter,
                       const std::string& defaultPrinter)
    : printers_(std::move(installed)) {
    printers_.push_back(std::move(pdfPrinter));
    choices_.orientation = Portrait;
    choosePrinter(startingPrinter(defaultPrinter));
}

const std::string& PrintSetup::startingPrinter(const std::string& defaultPrinter) const {
    for (std::size_t i = 0; i + 1 < printers_.size(); ++i)
        if (printers_[i].name == defaultPrinter) return defaultPrinter;
    return printers_.front().name;
}

void PrintSetup::listPrinters(std::vector<PrinterCapabilities> installed,
                              const std::string& defaultPrinter) {
    const PrinterChoices kept = choices_;
    installed.push_back(std::move(printers_.back()));
    printers_ = std::move(installed);
    if (!choosePrinter(kept.printerName)) {
        choosePrinter(startingPrinter(defaultPrinter));
        return;
    }
    for (std::size_t i = 0; i < papers_.codes.size(); ++i)
        if (papers_.codes[i] == kept.paperCode) choosePaper(static_cast<int>(i));
}

std::vector<std::string> PrintSetup::printerNames() const {
    std::vector<std::string> names;
    for (const auto& p : printers_)
        names.push_back(p.name);
    return names;
}

void PrintSetup::probe(int startCode) {
    const auto& accepted = printers_[current_].paperCodes;
    papers_ = probePapers(
        [&](int code) {
            return std::find(accepted.begin(), accepted.end(), code) != accepted.end();
        },
        startCode);
    choosePaper(papers_.selected);
}

bool PrintSetup::choosePrinter(const std::string& name) {
    for (std::size_t i = 0; i < printers_.size(); ++i) {
        if (printers_[i].name != name) continue;
        current_ = i;
        choices_.printerName = name;
        if (!printers_[i].color) choices_.colorMode = Monochrome;
        choices_.duplex = duplexTicked_ && printers_[i].duplex;
        probe(printers_[i].currentPaperCode);
        return true;
    }
    return false;
}

std::vector<std::string> PrintSetup::paperNames() const {
    std::vector<std::string> names;
    for (int code : papers_.codes)
        names.push_back(paperName(code));
    return names;
}

bool PrintSetup::choosePaper(int index) {
    if (index < 0 || index >= static_cast<int>(papers_.codes.size())) return false;
    papers_.selected = index;
    choices_.paperCode = papers_.codes[static_cast<std::size_t>(index)];
    return true;
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

int PrintSetup::accept() {
    zoomText = zoomTextAfterLeaving(zoomText);
    return copiesFromText(copiesText);
}
