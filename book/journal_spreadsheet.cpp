#include "book/journal_spreadsheet.h"

#include "book/account_name_index.h"
#include "book/excel_file.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

constexpr int TwipsPerCharacter = 120;
constexpr int FontPoints = 9;
constexpr double MarginInches = 0.5;

// The heading row, then one row per journal line.
constexpr std::int32_t MaxJournalRows = ExcelFile::MaxRows - 1;

class SheetWriter {
  public:
    std::error_code error;

    void check(std::error_code ec) {
        if (!error) error = ec;
    }
    void text(ExcelFile& file, int font, int alignment, int locked, std::int32_t row, int column,
              const std::string& value) {
        if (!error)
            check(
                file.WriteValue(ExcelFile::TextValue, font, alignment, locked, row, column, value));
    }
    void number(ExcelFile& file, int font, int alignment, std::int32_t row, int column,
                double value) {
        if (!error)
            check(file.WriteValue(ExcelFile::NumberValue, font, alignment, 0, row, column, value));
    }
};

std::error_code writeSheet(ExcelFile& file, const Book& book, const std::filesystem::path& fileName,
                           const LocaleInfo& locale, const JournalSheetLayout& layout,
                           std::int32_t lines) {
    SheetWriter w;
    w.check(file.CreateFile(fileName));
    if (!w.error) w.check(file.PrintGridLines(false));
    for (int margin : {ExcelFile::TopMargin, ExcelFile::LeftMargin, ExcelFile::RightMargin,
                       ExcelFile::BottomMargin})
        if (!w.error) w.check(file.SetMargin(margin, MarginInches));
    for (int bits :
         {0, ExcelFile::Bold, ExcelFile::Underlined, ExcelFile::Bold | ExcelFile::Italic})
        if (!w.error) w.check(file.SetFont(book.FontName.str(), FontPoints, bits));

    const std::array<int, 6> widths{layout.dateTwips,   layout.accountTwips,   layout.amountTwips,
                                    layout.amountTwips, layout.referenceTwips, layout.noteTwips};
    for (int k = 1; k <= 6; ++k)
        if (!w.error) w.check(file.SetColumnWidth(k, k, sheetColumnCharacters(widths[k - 1])));
    if (!w.error) w.check(file.SetHeader(book.Caption));
    if (!w.error) w.check(file.SetFooter(book.Caption));

    const std::array<std::string, 6> headings{strings::text(175), "Account", "Dr", "Cr", "ID",
                                              strings::text(152)};
    constexpr int headingAlignment = ExcelFile::AlignCentre | ExcelFile::LeftBorder |
                                     ExcelFile::RightBorder | ExcelFile::BottomBorder;
    for (int k = 1; k <= 6; ++k)
        w.text(file, ExcelFile::Font1, headingAlignment, ExcelFile::CellLocked, 1, k,
               headings[k - 1]);

    const AccountNameIndex names(book);
    for (std::int32_t i = 0; i < lines && !w.error; ++i) {
        const EntryLine& line = book.EntryLines[i];
        const std::int32_t row = i + 2;
        const bool first = i == 0 || closesEntry(book.EntryLines[i - 1].Details);
        const int top = first ? ExcelFile::TopBorder : 0;
        const int bottom = closesEntry(line.Details) ? ExcelFile::BottomBorder : 0;

        if (first)
            w.text(file, ExcelFile::Font3, ExcelFile::AlignLeft | ExcelFile::TopBorder, 0, row, 1,
                   Tmain::FormatDateStyle(line.Date, book.DateStyle, locale));
        if (line.Side != Unfilled) {
            w.text(file, ExcelFile::Font0, top + ExcelFile::AlignLeft, 0, row, 2,
                   names.name(line.AccountNumber));
            // Only a debit or a credit has a column; a damaged side gets no amount.
            if (line.Side == Debit || line.Side == Credit)
                w.number(file, ExcelFile::Font0, top + ExcelFile::AlignRight + bottom, row,
                         line.Side + 2, line.Amount.toDouble());
        }
        w.text(file, ExcelFile::Font3, top + ExcelFile::AlignLeft, 0, row, 5,
               book.EntryIds[i].raw());
        w.text(file, ExcelFile::Font3, top + ExcelFile::AlignLeft, 0, row, 6,
               line.Details == "_" ? std::string() : line.Details);
    }
    if (!w.error) w.check(file.CloseFile());
    return w.error;
}

} // namespace

int sheetColumnCharacters(int twips) {
    double characters = std::nearbyint(static_cast<double>(twips) / TwipsPerCharacter);
    return static_cast<int>(std::clamp(characters, 0.0, double(ExcelFile::MaxColumnWidth)));
}

JournalSheetResult SaveAsExcel(const Book& book, const std::filesystem::path& fileName,
                               const LocaleInfo& locale, const JournalSheetLayout& layout) {
    JournalSheetResult result;
    const auto count =
        static_cast<std::int32_t>(std::min(book.EntryLines.size(), book.EntryIds.size()));
    result.journalLines = count;
    const std::int32_t lines = std::min(count, MaxJournalRows);

    ExcelFile file;
    result.error = writeSheet(file, book, fileName, locale, layout, lines);
    if (result.error) {
        Tmain::FileErrorMessage(result.error);
        return result;
    }
    result.linesWritten = lines;
    if (lines < count)
        showMessage("Only the first " + std::to_string(lines) + " of the " + std::to_string(count) +
                    " journal lines were written: a spreadsheet of this kind holds at most " +
                    std::to_string(ExcelFile::MaxRows) + " rows.");
    return result;
}
