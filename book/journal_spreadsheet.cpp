#include "book/journal_spreadsheet.h"

#include "book/account_name_index.h"
#include "book/excel_file.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

// The heading row, then one row per journal line.
constexpr std::int32_t MaxJournalRows = ExcelFile::MaxRows - 1;

std::error_code writeSheet(const Book& book, const std::filesystem::path& fileName,
                           const LocaleInfo& locale, const JournalSheetLayout& layout,
                           std::int32_t lines, int& textsCut) {
    ReportSheet sheet;
    std::vector<int> widths;
    for (int twips : {layout.dateTwips, layout.accountTwips, layout.amountTwips, layout.amountTwips,
                      layout.referenceTwips, layout.noteTwips})
        widths.push_back(sheetColumnCharacters(twips));
    sheet.start(fileName, book.FontName.str(), widths, book.Caption);

    const std::array<std::string, 6> headings{strings::text(175), "Account", "Dr", "Cr", "ID",
                                              strings::text(152)};
    constexpr int headingAlignment = ExcelFile::AlignCentre | ExcelFile::LeftBorder |
                                     ExcelFile::RightBorder | ExcelFile::BottomBorder;
    for (int k = 1; k <= 6; ++k)
        sheet.text(ExcelFile::Font1, headingAlignment, ExcelFile::CellLocked, 1, k,
                   headings[k - 1]);

    const AccountNameIndex names(book);
    for (std::int32_t i = 0; i < lines && !sheet.failed(); ++i) {
        const EntryLine& line = book.EntryLines[i];
        const std::int32_t row = i + 2;
        const bool first = i == 0 || closesEntry(book.EntryLines[i - 1].Details);
        const int top = first ? ExcelFile::TopBorder : 0;
        const int bottom = closesEntry(line.Details) ? ExcelFile::BottomBorder : 0;

        if (first)
            sheet.text(ExcelFile::Font3, ExcelFile::AlignLeft | ExcelFile::TopBorder, 0, row, 1,
                       Tmain::FormatDateStyle(line.Date, book.DateStyle, locale));
        if (line.Side != Unfilled) {
            sheet.text(ExcelFile::Font0, top + ExcelFile::AlignLeft, 0, row, 2,
                       names.name(line.AccountNumber));
            // Only a debit or a credit has a column; a damaged side gets no amount.
            if (line.Side == Debit || line.Side == Credit)
                sheet.number(ExcelFile::Font0, top + ExcelFile::AlignRight + bottom, 0, row,
                             line.Side + 2, line.Amount.toDouble());
        }
        sheet.text(ExcelFile::Font3, top + ExcelFile::AlignLeft, 0, row, 5, book.EntryIds[i].raw());
        sheet.text(ExcelFile::Font3, top + ExcelFile::AlignLeft, 0, row, 6,
                   line.Details == "_" ? std::string() : line.Details);
    }
    textsCut = sheet.textsCut();
    return sheet.finish();
}

} // namespace

JournalSheetResult SaveAsExcel(const Book& book, const std::filesystem::path& fileName,
                               const LocaleInfo& locale, const JournalSheetLayout& layout) {
    JournalSheetResult result;
    const auto count =
        static_cast<std::int32_t>(std::min(book.EntryLines.size(), book.EntryIds.size()));
    result.journalLines = count;
    const std::int32_t lines = std::min(count, MaxJournalRows);

    int textsCut = 0;
    result.error = writeSheet(book, fileName, locale, layout, lines, textsCut);
    if (result.error) {
        showMessage(Tmain::WriteFailureText(fileName, result.error));
        return result;
    }
    result.linesWritten = lines;
    const std::string notice = sheetNotice(lines, count, "journal lines", textsCut);
    if (!notice.empty()) showMessage(notice);
    return result;
}
