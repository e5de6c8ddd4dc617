#include "platform/paper_sizes.h"

#include <array>
#include <cmath>

namespace {

constexpr double In = 25.4;

// Sizes in millimetres; the inch sizes are converted exactly.
const std::array<PaperSize, 41> Papers{{
    {1, "Letter, 8\u00bd x 11 in.", 8.5 * In, 11 * In},
    {2, "Letter Small, 8\u00bd x 11 in.", 8.5 * In, 11 * In},
    {3, "Tabloid, 11 x 17 in.", 11 * In, 17 * In},
    {4, "Ledger, 17 x 11 in.", 17 * In, 11 * In},
    {5, "Legal, 8\u00bd x 14 in.", 8.5 * In, 14 * In},
    {6, "Statement, 5\u00bd x 8\u00bd in.", 5.5 * In, 8.5 * In},
    {7, "Executive, 7\u00bd x 10\u00bd in.", 7.25 * In, 10.5 * In},
    {8, "A3, 297 x 420 mm", 297, 420},
    {9, "A4, 210 x 297 mm", 210, 297},
    {10, "A4 Small, 210x297 mm", 210, 297},
    {11, "A5, 148 x 210 mm", 148, 210},
    {12, "B4, 250 x 354 mm", 250, 354},
    {13, "B5, 182 x 257 mm", 182, 257},
    {14, "Folio, 8\u00bd x 13 in.", 8.5 * In, 13 * In},
    {15, "Quarto, 215 x 275 mm", 215, 275},
    {16, "10 x 14 in.", 10 * In, 14 * In},
    {17, "11 x 17 in.", 11 * In, 17 * In},
    {18, "Note, 8\u00bd x 11 in.", 8.5 * In, 11 * In},
    {19, "Envelope #9, 3 7/8 x 8 7/8 in.", 3.875 * In, 8.875 * In},
    {20, "Envelope #10, 4 1/8 x 9\u00bd in.", 4.125 * In, 9.5 * In},
    {21, "Envelope #11, 4\u00bd x 10 3/8 in.", 4.5 * In, 10.375 * In},
    {22, "Envelope #12, 4\u00bd x 11 in.", 4.5 * In, 11 * In},
    {23, "Envelope #14, 5 x 11\u00bd in.", 5 * In, 11.5 * In},
    {24, "C size sheet", 17 * In, 22 * In},
    {25, "D size sheet", 22 * In, 34 * In},
    {26, "E size sheet", 34 * In, 44 * In},
    {27, "Envelope DL, 110 x 220 mm", 110, 220},
    {28, "Envelope C5, 162 x 229 mm", 162, 229},
    {29, "Envelope C3, 324 x 458 mm", 324, 458},
    {30, "Envelope C4, 229 x 324 mm", 229, 324},
    {31, "Envelope C6, 114 x 162 mm", 114, 162},
    {32, "Envelope C65, 114 x 229 mm", 114, 229},
    {33, "Envelope B4, 250 x 353 mm", 250, 353},
    {34, "Envelope B5, 176 x 250 mm", 176, 250},
    {35, "Envelope B6, 176 x 125 mm", 176, 125},
    {36, "Envelope, 110 x 230 mm", 110, 230},
    {37, "Envelope Monarch, 3 7/8 x 7\u00bd in.", 3.875 * In, 7.5 * In},
    {38, "Envelope, 3 5/8 x 6\u00bd in.", 3.625 * In, 6.5 * In},
    {39, "U.S. Standard Fanfold, 14 7/8 x 11 in.", 14.875 * In, 11 * In},
    {40, "German Standard Fanfold, 8\u00bd x 12 in.", 8.5 * In, 12 * In},
    {41, "German Legal Fanfold, 8\u00bd x 13 in.", 8.5 * In, 13 * In},
}};

} // namespace

std::optional<PaperSize> paperSizeByCode(int code) {
    if (code < FirstPaperCode || code > LastPaperCode) return std::nullopt;
    return Papers[static_cast<std::size_t>(code - 1)];
}

std::string paperName(int code) {
    auto p = paperSizeByCode(code);
    return p ? p->name : "";
}

bool paperMatches(int code, double widthMm, double heightMm, double toleranceMm) {
    auto p = paperSizeByCode(code);
    if (!p) return false;
    auto within = [toleranceMm](double a, double b) { return std::fabs(a - b) <= toleranceMm; };
    return (within(p->widthMm, widthMm) && within(p->heightMm, heightMm)) ||
           (within(p->widthMm, heightMm) && within(p->heightMm, widthMm)); // turned
}

std::optional<int> paperCodeForSize(double widthMm, double heightMm, double toleranceMm) {
    for (const auto& p : Papers)
        if (paperMatches(p.code, widthMm, heightMm, toleranceMm)) return p.code;
    return std::nullopt;
}
