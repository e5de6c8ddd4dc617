#include "book/report_sheet.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double TwipsPerCharacter = 120;
constexpr int FontPoints = 9;
constexpr double MarginInches = 0.5;

std::string rowsNotice(std::int64_t written, std::int64_t wanted, const std::string& what) {
    if (written >= wanted) return {};
    const std::string rows = std::to_string(ExcelFile::MaxRows) + " rows";
    if (written == 0)
        return "None of the " + std::to_string(wanted) + " " + what +
               " were written: the first entry alone is longer than a spreadsheet of this kind "
               "holds (at most " +
               rows + ").";
    return "Only the first " + std::to_string(written) + " of the " + std::to_string(wanted) + " " +
           what + " were written: a spreadsheet of this kind holds at most " + rows + ".";
}
} // namespace

int sheetColumnCharacters(double twips) {
    const double characters = std::nearbyint(twips / TwipsPerCharacter);
    return static_cast<int>(std::clamp(characters, 0.0, double(ExcelFile::MaxColumnWidth)));
}

std::string sheetNotice(std::int64_t written, std::int64_t wanted, const std::string& what,
                        std::int64_t textsCut) {
    std::string notice = rowsNotice(written, wanted, what);
    if (textsCut == 0) return notice;
    if (!notice.empty()) notice += " ";
    return notice + std::to_string(textsCut) + (textsCut == 1 ? " text was" : " texts were") +
           " cut to " + std::to_string(ExcelFile::MaxTextBytes) +
           " characters: a spreadsheet of this kind holds no more in a cell, a page header or "
           "a footer.";
}

void ReportSheet::start(const std::filesystem::path& path, const std::string& fontName,
                        const std::vector<int>& columnCharacters, const std::string& pageTitle) {
    check(file_.CreateFile(path));
    if (!error_) check(file_.PrintGridLines(false));
    for (int margin : {ExcelFile::TopMargin, ExcelFile::LeftMargin, ExcelFile::RightMargin,
                       ExcelFile::BottomMargin})
        if (!error_) check(file_.SetMargin(margin, MarginInches));
    for (int bits :
         {0, ExcelFile::Bold, ExcelFile::Underlined, ExcelFile::Bold | ExcelFile::Italic})
        if (!error_) check(file_.SetFont(fontName, FontPoints, bits));
    for (std::size_t c = 0; c < columnCharacters.size(); ++c) {
        const int column = static_cast<int>(c) + 1;
        if (!error_) check(file_.SetColumnWidth(column, column, columnCharacters[c]));
    }
    if (!error_) check(file_.SetHeader(pageTitle));
    if (!error_) check(file_.SetFooter(pageTitle));
}

void ReportSheet::text(int font, int alignment, int attribute, std::int32_t row, int column,
                       const std::string& value) {
    if (fits(row))
        check(
            file_.WriteValue(ExcelFile::TextValue, font, alignment, attribute, row, column, value));
}

void ReportSheet::number(int font, int alignment, int attribute, std::int32_t row, int column,
                         double value) {
    if (fits(row))
        check(file_.WriteValue(ExcelFile::NumberValue, font, alignment, attribute, row, column,
                               value));
}

std::error_code ReportSheet::finish() {
    if (!error_) check(file_.CloseFile());
    return error_;
}
