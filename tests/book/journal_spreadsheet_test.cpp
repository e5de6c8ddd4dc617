#include "book/journal_spreadsheet.h"

#include "book/safe_file.h"
#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using testing_support::readFile;
using testing_support::runCommand;
using testing_support::systemPython;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// Reads a spreadsheet with xlrd and prints what a user would see of it:
// fonts, column widths and every written cell with its font and borders.
const char* DumpScript = R"(
import sys, xlrd
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = b.sheet_by_index(0)
first = int(sys.argv[2])
print("rows %d cols %d" % (s.nrows, s.ncols))
print("fonts " + ";".join("%s/%d/%d/%d/%d" % (ascii(f.name), f.height, f.bold, f.italic,
                          f.underline_type) for f in b.font_list))
print("widths " + " ".join(str(s.colinfo_map[c].width) for c in range(6)))
for r in range(first, s.nrows):
    for c in range(s.ncols):
        cell = s.cell(r, c)
        if cell.ctype == xlrd.XL_CELL_EMPTY:
            continue
        xf = b.xf_list[cell.xf_index]
        f = b.font_list[xf.font_index]
        d = xf.border
        print("%d,%d %s %s font=%d border=%d%d%d%d align=%d locked=%d" % (
            r, c, {1: "text", 2: "number"}[cell.ctype], ascii(cell.value), xf.font_index,
            d.top_line_style, d.bottom_line_style, d.left_line_style, d.right_line_style,
            xf.alignment.hor_align, xf.protection.cell_locked))
)";

std::string dump(const TempDir& dir, const std::filesystem::path& sheet, int firstRow = 0) {
    writeFile(dir / "dump.py", DumpScript);
    std::string out;
    int status = runCommand(systemPython() + " " + (dir / "dump.py").string() + " " +
                                sheet.string() + " " + std::to_string(firstRow) + " 2>&1",
                            &out);
    EXPECT_EQ(status, 0) << out;
    return out;
}

Book smallBook() {
    Book book = makeEmptyBook("Balance", 45000);
    book.AccountNames[1] = "Bank";
    book.AccountNumbers[1] = Currency::fromUnits(100);
    book.AccountNames[2] = "Sales \xC3\xA9\xE2\x82\xAC"; // "é" and "€"
    book.AccountNumbers[2] = Currency::fromUnits(400);
    book.AccountNames[3] = "Second bank"; // same number: the first slot wins
    book.AccountNumbers[3] = Currency::fromUnits(100);
    book.FontName = "Arial";
    book.DateStyle = 2;
    book.Caption = "Books of Smith & Sons \xC3\xA9";

    book.resizeJournal(5);
    auto line = [&](int i, double date, std::uint8_t side, int account, std::int64_t raw,
                    const char* id, const char* details) {
        book.EntryLines[i] =
            EntryLine{date, side, Currency::fromUnits(account), Currency::fromRaw(raw), details, 0};
        if (id)
            book.EntryIds[i] = id;
        else
            book.EntryIds[i] = EntryId{};
    };
    line(0, 45000, Debit, 100, 2505000, "1", "");
    line(1, 45000, Credit, 400, 2505000, "1", "Sold goods");
    line(2, 45001.75, Debit, 100, 100000, "2", "_"); // a one-line entry
    line(3, 45002, Unfilled, 0, 0, nullptr, "  ");   // never-filled line, blank note
    line(4, 45002, Credit, 999, 32500, "3", "Fee");  // an account that does not exist
    return book;
}

} // namespace

TEST(JournalSpreadsheet, ReadBackByARealReader) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    Book book = smallBook();
    auto result = SaveAsExcel(book, dir / "journal.xls", dayFirstLocale());
    ASSERT_TRUE(result.ok()) << result.error.message();
    EXPECT_EQ(result.linesWritten, 5);
    EXPECT_TRUE(fakes.messages.shown.empty());

    EXPECT_EQ(dump(dir, dir / "journal.xls"),
              "rows 6 cols 6\n"
              "fonts 'Arial'/180/0/0/0;'Arial'/180/1/0/0;'Arial'/180/0/0/1;'Arial'/180/1/1/0\n"
              "widths 2816 8704 2560 2560 2560 15616\n"
              // headings: bold, centred, locked, borders left, right and bottom
              "0,0 text 'Date' font=1 border=0111 align=2 locked=1\n"
              "0,1 text 'Account' font=1 border=0111 align=2 locked=1\n"
              "0,2 text 'Dr' font=1 border=0111 align=2 locked=1\n"
              "0,3 text 'Cr' font=1 border=0111 align=2 locked=1\n"
              "0,4 text 'ID' font=1 border=0111 align=2 locked=1\n"
              "0,5 text 'Notes :' font=1 border=0111 align=2 locked=1\n"
              // first entry: date on its first line only, top border there, bottom on the
              // amount of its last line
              "1,0 text '15/03/2023' font=3 border=1000 align=1 locked=0\n"
              "1,1 text 'Bank' font=0 border=1000 align=1 locked=0\n"
              "1,2 number 250.5 font=0 border=1000 align=3 locked=0\n"
              "1,4 text '1" +
                  std::string(13, ' ') +
                  "' font=3 border=1000 align=1 locked=0\n"
                  "1,5 text '' font=3 border=1000 align=1 locked=0\n"
                  "2,1 text 'Sales \\xe9\\u20ac' font=0 border=0000 align=1 locked=0\n"
                  "2,3 number 250.5 font=0 border=0100 align=3 locked=0\n"
                  "2,4 text '1" +
                  std::string(13, ' ') +
                  "' font=3 border=0000 align=1 locked=0\n"
                  "2,5 text 'Sold goods' font=3 border=0000 align=1 locked=0\n"
                  // a one-line entry whose note is "_": shown empty
                  "3,0 text '16/03/2023' font=3 border=1000 align=1 locked=0\n"
                  "3,1 text 'Bank' font=0 border=1000 align=1 locked=0\n"
                  "3,2 number 10.0 font=0 border=1100 align=3 locked=0\n"
                  "3,4 text '2" +
                  std::string(13, ' ') +
                  "' font=3 border=1000 align=1 locked=0\n"
                  "3,5 text '' font=3 border=1000 align=1 locked=0\n"
                  // a never-filled line: no account or amount, its unset reference empty
                  "4,0 text '17/03/2023' font=3 border=1000 align=1 locked=0\n"
                  "4,4 text '' font=3 border=1000 align=1 locked=0\n"
                  "4,5 text '  ' font=3 border=1000 align=1 locked=0\n"
                  // a note of blanks ends no entry: no date here
                  "5,1 text '' font=0 border=0000 align=1 locked=0\n"
                  "5,3 number 3.25 font=0 border=0100 align=3 locked=0\n"
                  "5,4 text '3" +
                  std::string(13, ' ') +
                  "' font=3 border=0000 align=1 locked=0\n"
                  "5,5 text 'Fee' font=3 border=0000 align=1 locked=0\n");

    // Header and footer carry the caption in Windows-1252 with "&" doubled.
    const std::string bytes = readFile(dir / "journal.xls");
    const std::string caption = "Books of Smith && Sons \xE9";
    for (char record : {'\x14', '\x15'}) {
        std::string expected = std::string(1, record) + '\0' + char(caption.size() + 1) + '\0' +
                               char(caption.size()) + caption;
        EXPECT_NE(bytes.find(expected), std::string::npos) << int(record);
    }
}

TEST(JournalSpreadsheet, ColumnWidthsComeFromTheLayout) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    JournalSheetLayout wide;
    wide.dateTwips = 1380;  // 11.5 characters: halves to the even one
    wide.noteTwips = 40000; // wider than a column can be
    wide.accountTwips = 0;
    auto result = SaveAsExcel(smallBook(), dir / "wide.xls", dayFirstLocale(), wide);
    ASSERT_TRUE(result.ok());
    std::string out = dump(dir, dir / "wide.xls", 6);
    EXPECT_NE(out.find("widths 3072 0 2560 2560 2560 32512\n"), std::string::npos) << out;
}

TEST(JournalSpreadsheet, StopsAtTheRowsReadersTake) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    Book book = smallBook();
    book.resizeJournal(20000);
    for (int i = 0; i < 20000; ++i) {
        book.EntryLines[i] = EntryLine{45000,
                                       std::uint8_t(i % 2 ? Credit : Debit),
                                       Currency::fromUnits(100),
                                       Currency::fromUnits(i),
                                       i % 2 ? "n" + std::to_string(i) : "",
                                       0};
        book.EntryIds[i] = std::to_string(i / 2 + 1);
    }
    for (int i : {1, 3}) // longer than a cell holds: cut, and said with the rows
        book.EntryLines[i].Details = std::string(300, 'n');
    auto result = SaveAsExcel(book, dir / "big.xls", dayFirstLocale());
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.journalLines, 20000);
    EXPECT_EQ(result.linesWritten, 16383);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    for (const char* told : {"16383 of the 20000 journal lines", " 2 texts were cut to 255 "})
        EXPECT_NE(fakes.messages.lastText().find(told), std::string::npos)
            << fakes.messages.lastText();

    std::string out = dump(dir, dir / "big.xls", 16383);
    EXPECT_EQ(out.substr(0, out.find('\n')), "rows 16384 cols 6");
    // The last row holds journal line 16382 (a debit of 16382 in entry 8192).
    EXPECT_NE(out.find("16383,2 number 16382.0"), std::string::npos) << out;
    EXPECT_NE(out.find("16383,4 text '8192"), std::string::npos) << out;
}

TEST(JournalSpreadsheet, AFailedWriteIsReportedAndLeavesNothing) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    auto result = SaveAsExcel(smallBook(), dir / "missing" / "journal.xls", dayFirstLocale());
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.linesWritten, 0);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.lastText(), "The file could not be written:\n" +
                                             (dir / "missing" / "journal.xls").string() + ": " +
                                             Tmain::FileErrorText(result.error));

    // A full disk half-way keeps the older file as it was.
    writeFile(dir / "journal.xls", "older");
    Book book = smallBook();
    book.resizeJournal(3000);
    for (auto& line : book.EntryLines)
        line = EntryLine{45000, Debit, {}, {}, "x", 0};
    SafeFileWriter::failAfterWrites(1);
    result = SaveAsExcel(book, dir / "journal.xls", dayFirstLocale());
    SafeFileWriter::failAfterWrites(-1);
    EXPECT_EQ(result.error, std::make_error_code(std::errc::no_space_on_device));
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(readFile(dir / "journal.xls"), "older");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}
