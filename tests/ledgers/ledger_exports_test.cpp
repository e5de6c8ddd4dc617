// The general journal's spreadsheet and the running balance's comma-separated
// text, spreadsheet, web page and mail, each read back by a real reader.
#include "ledgers/ledger_exports.h"

#include "book/safe_file.h"

#include "ledger_book.h"
#include "platform/fake/fake_services.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using testing_support::runCommand;
using testing_support::systemPython;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

using namespace ledgerbook;

// Prints what a user would see of a file: spreadsheet cells with their font
// and alignment and the column widths (xlrd), comma-separated rows with their
// field count (csv), the page's tables and texts (html.parser), and a mail
// draft's subject and the texts of its page (email).
const char* ReaderScript = R"(
import sys, csv, email, xlrd
from email import policy
from html.parser import HTMLParser
kind, path = sys.argv[1], sys.argv[2]
class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.tables, self.texts = 0, []
    def handle_starttag(self, tag, attrs):
        self.tables += tag == 'table'
    def handle_data(self, data):
        self.texts.append(data)
def page(text):
    p = Page()
    p.feed(text)
    print('tables %d' % p.tables)
    print('|'.join(p.texts))
if kind == 'xls':
    b = xlrd.open_workbook(path, formatting_info=True)
    s = b.sheet_by_index(0)
    print('widths ' + ' '.join(str(s.colinfo_map[c].width // 256) for c in range(s.ncols)))
    for r in range(s.nrows):
        cells = []
        for c in range(s.ncols):
            cell = s.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_EMPTY or cell.value == '':
                continue
            xf = b.xf_list[cell.xf_index]
            f = b.font_list[xf.font_index]
            cells.append('%d:%s%s%s%d' % (c + 1, cell.value, '/b' if f.bold else '',
                                          '/i' if f.italic else '', xf.alignment.hor_align))
        print('%d %s' % (r + 1, ' '.join(cells)))
elif kind == 'csv':
    for row in csv.reader(open(path, newline='', encoding='utf-8')):
        print('%d %s' % (len(row), '|'.join(row)))
elif kind == 'htm':
    page(open(path, encoding='utf-8').read())
else:
    m = email.message_from_binary_file(open(path, 'rb'), policy=policy.default)
    print('subject ' + str(m['Subject']))
    page(m.get_body(preferencelist=('html',)).get_content())
)";

std::string read(const TempDir& dir, const std::string& kind, const std::filesystem::path& file) {
    writeFile(dir / "reader.py", ReaderScript);
    std::string out;
    const int status = runCommand(systemPython() + " " + (dir / "reader.py").string() + " " + kind +
                                      " '" + file.string() + "' 2>&1",
                                  &out);
    EXPECT_EQ(status, 0) << out;
    return out;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

Book exportedBook() {
    Book book = ledgerbook::book();
    book.FontName = "Arial";
    book.AccountNames[9] = "Loan <Smith, & Sons>";
    book.AccountNote2[9] = "Smith & Sons\r\nHarbour Road";
    book.AccountNote2[0] = "Another client's address";
    handmade::addEntry(book, "60", feb(20), Loan, Cash, "1234.5", "Part \"repaid\"");
    // An entry without a debit line: its note takes its own reference, and
    // its credit lines, with no contra line, show their own amounts.
    handmade::addLine(book, "61", feb(21), Credit, Loan, "5");
    handmade::addLine(book, "61", feb(21), Credit, Cash, "5", "Credits only");
    // An entry written credit first shows its date on its debit line.
    handmade::addLine(book, "62", feb(22), Credit, Loan, "7");
    handmade::addLine(book, "62", feb(22), Debit, Cash, "7", "Credit first");
    return book;
}

LedgerHeading loanHeading(const Book& book, const LocaleInfo& locale) {
    return ledgerHeading(book, book.AccountNames[9], "600", feb(1), feb(28), locale);
}

RunningBalanceLedger loanLedger(const Book& book, const char* account = Loan) {
    return buildRunningBalance(book, inFebruary<LedgerChoice>(account));
}

TEST(LedgerExports, JournalSpreadsheet) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const Book book = exportedBook();
    JournalOptions options = inFebruary<JournalOptions>(Loan);
    const LedgerExportResult result = exportJournalSheet(book, buildJournalList(book, options),
                                                         dir / "journal.xls", dayFirstLocale());
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.rowsWritten, 10);
    EXPECT_TRUE(fakes.messages.shown.empty());
    // Each credit line's account stands 14 spaces in.
    EXPECT_EQ(read(dir, "xls", dir / "journal.xls"),
              "widths 12 62 12 12 12\n"
              "1 2:General Journal, Corner Shop/b1\n"
              "2 \n"
              "3 1:03/02/20261 2:Loan <Smith, & Sons>1 3:6003 4:500.003\n"
              "4 2:              Cash1 3:1003 5:500.003\n"
              "5 2:Loan repaid / 3/b/i2\n"
              "6 \n"
              "7 1:04/02/20261 2:Cash1 3:1003 4:800.003\n"
              "8 2:              Loan <Smith, & Sons>1 3:6003 5:800.003\n"
              "9 2:Loan taken / 6/b/i2\n"
              "10 \n"
              "11 1:20/02/20261 2:Loan <Smith, & Sons>1 3:6003 4:1,234.503\n"
              "12 2:              Cash1 3:1003 5:1,234.503\n"
              "13 2:Part \"repaid\" / 60/b/i2\n"
              "14 \n"
              "15 2:              Loan <Smith, & Sons>1 3:6003 5:5.003\n"
              "16 2:              Cash1 3:1003 5:5.003\n"
              "17 2:Credits only / 61/b/i2\n"
              "18 \n"
              "19 2:              Loan <Smith, & Sons>1 3:6003 5:7.003\n"
              "20 1:22/02/20261 2:Cash1 3:1003 4:7.003\n"
              "21 2:Credit first / 62/b/i2\n"
              "22 \n");

    // A sub-account as the journal window shows it, with the dash setting; two
    // entries of one day, at 6:00 and at 18:00, write the day once.
    Book dashed = exportedBook();
    dashed.SubAccountDash = -1;
    handmade::addEntry(dashed, "80", feb(25) + 0.25, Till, Cash, "1", "Morning");
    handmade::addEntry(dashed, "81", feb(25) + 0.75, Till, Cash, "2", "Evening");
    options.account = money(Till);
    exportJournalSheet(dashed, buildJournalList(dashed, options), dir / "till.xls",
                       dayFirstLocale());
    const std::string till = read(dir, "xls", dir / "till.xls");
    EXPECT_NE(till.find(" 3:100-13 "), std::string::npos);
    EXPECT_EQ(occurrences(till, "25/02/2026"), 1u);

    // More lines than the sheet holds: whole entries up to its last row, and
    // the user is told how many lines were written.
    Book big = exportedBook();
    for (int i = 0; i < 5000; ++i)
        handmade::addEntry(big, "70", feb(22), Rent, Cash, "1", "Many");
    options.account = Currency();
    const LedgerExportResult cut =
        exportJournalSheet(big, buildJournalList(big, options), dir / "big.xls", dayFirstLocale());
    EXPECT_TRUE(cut.ok);
    EXPECT_EQ(cut.rowsWritten % 2, 0);
    EXPECT_LT(cut.rowsWritten, cut.rowsListed);
    EXPECT_GE(cut.rowsWritten * 2 + 2, 16384 - 4);
    EXPECT_EQ(fakes.messages.lastText(),
              "Only the first " + std::to_string(cut.rowsWritten) + " of the " +
                  std::to_string(cut.rowsListed) +
                  " lines were written: a spreadsheet of this kind holds at most 16384 rows.");

    // A book whose only entry is longer than the sheet: the user is told so.
    Book one = handmade::emptyBook();
    for (int i = 0; i < 20000; ++i)
        handmade::addLine(one, "1", feb(22), Debit, "70", "1", i + 1 == 20000 ? "Long" : "");
    const LedgerExportResult none =
        exportJournalSheet(one, buildJournalList(one, options), dir / "one.xls", dayFirstLocale());
    EXPECT_EQ(none.notice, "None of the 20000 lines were written: the first entry alone is longer "
                           "than a spreadsheet of this kind holds (at most 16384 rows).");
}

TEST(LedgerExports, RunningBalanceFiles) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const Book book = exportedBook();
    const RunningBalanceLedger ledger = loanLedger(book);
    const LedgerHeading heading = loanHeading(book, dayFirstLocale());

    const Book ten = tenLineBook(); // Cash: 200 rows, 179 balances marked as past the range
    for (const std::string type : {"xls", "csv", "htm"}) {
        EXPECT_TRUE(exportRunningBalance(book, ledger, heading, dir / ("rb." + type), type,
                                         dayFirstLocale(), feb(28))
                        .ok);
        exportRunningBalance(ten, loanLedger(ten, Cash), heading, dir / ("ten." + type), type,
                             dayFirstLocale(), feb(28));
        const std::string text = read(dir, type, dir / ("ten." + type));
        EXPECT_EQ(occurrences(text, "too large to show"), 179u) << type;
        EXPECT_EQ(occurrences(text, "03/02/2026"), 100u) << type;
    }
    // The text files are written as they are made, byte for byte the whole texts.
    std::string written;
    ASSERT_FALSE(readWholeFile(dir / "rb.csv", written));
    EXPECT_EQ(written, runningBalanceCsv(book, ledger, heading, dayFirstLocale()));
    ASSERT_FALSE(readWholeFile(dir / "rb.htm", written));
    EXPECT_EQ(written,
              runningBalanceWebPage(book, ledger, heading, dayFirstLocale(), feb(28)) + "\r\n");
    EXPECT_EQ(read(dir, "xls", dir / "rb.xls"),
              "widths 12 15 62 15 15 18\n"
              "1 3:Corner Shop/b0\n"
              "2 \n"
              "3 3:Loan <Smith, & Sons>/b1\n"
              "4 3:Dated from 01/02/2026 to 28/02/2026/b1\n"
              "5 \n"
              "6 1:Date/b2 2:No./b2 3:Account/b2 4:Debit/b2 5:Credit/b2 6:Balance/b2\n"
              "7 1:01/02/20261 3:Balance b/f1 4:0.003 5:0.003 6:0.00 3\n"
              "8 1:03/02/20261 2:31 3:Cash1 4:500.003 5:0.003 6:500.00 Dr3\n"
              "9 1:04/02/20261 2:61 3:Cash1 4:0.003 5:800.003 6:300.00 Cr3\n"
              "10 1:20/02/20261 2:601 3:Cash1 4:1,234.503 5:0.003 6:934.50 Dr3\n"
              "11 1:21/02/20261 2:611 4:0.003 5:5.003 6:929.50 Dr3\n"
              "12 1:22/02/20261 2:621 3:Cash1 4:0.003 5:7.003 6:922.50 Dr3\n");
    EXPECT_EQ(read(dir, "csv", dir / "rb.csv"),
              "6 Date|No|Loan <Smith, & Sons> Account|Debit|Credit|Balance\n"
              "6 01/02/2026||Balance b/f|0|0|0\n"
              "6 03/02/2026|3|Cash|500|0|500\n"
              "6 04/02/2026|6|Cash|0|800|-300\n"
              "6 20/02/2026|60|Cash|1234.5|0|934.5\n"
              "6 21/02/2026|61||0|5|929.5\n"
              "6 22/02/2026|62|Cash|0|7|922.5\n");
    // One table; the names and the address come back as they are stored; no
    // other client's address.
    const std::string page = read(dir, "htm", dir / "rb.htm");
    EXPECT_EQ(page.substr(0, page.find('\n')), "tables 1");
    EXPECT_NE(page.find("|Smith & Sons|Harbour Road|"), std::string::npos) << page;
    EXPECT_NE(page.find("Loan <Smith, & Sons> (600)"), std::string::npos) << page;
    EXPECT_NE(page.find("|20/02/2026|60|Cash|1,234.50|934.50 Dr|"), std::string::npos) << page;
    EXPECT_EQ(page.find("Another"), std::string::npos);

    // Under a decimal comma the amounts keep their own field.
    EXPECT_TRUE(exportRunningBalance(book, ledger, heading, dir / "comma.csv", "csv",
                                     decimalCommaLocale(), feb(28))
                    .ok);
    EXPECT_NE(read(dir, "csv", dir / "comma.csv").find("6 20.02.26|60|Cash|1234,5|0|934,5\n"),
              std::string::npos);
    EXPECT_TRUE(fakes.messages.shown.empty());

    // A failure leaves no file and is shown; nothing built writes nothing.
    const auto missing = dir / "no such folder" / "rb.csv";
    const LedgerExportResult failed =
        exportRunningBalance(book, ledger, heading, missing, "csv", dayFirstLocale(), feb(28));
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.lastText().find(missing.string() +
                                             ": The folder to write the file in does not exist"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));

    // More rows than the sheet holds: the user is told how many rows were written.
    RunningBalanceLedger many = ledger;
    many.Rows.resize(20000, ledger.Rows.back());
    const LedgerExportResult cut = exportRunningBalance(book, many, heading, dir / "many.xls",
                                                        "xls", dayFirstLocale(), feb(28));
    EXPECT_TRUE(cut.ok);
    EXPECT_EQ(cut.notice, "Only the first 16378 of the 20000 rows were written: a spreadsheet of "
                          "this kind holds at most 16384 rows.");
    LedgerHeading nothing = heading;
    nothing.folio.clear();
    EXPECT_FALSE(exportRunningBalance(book, ledger, nothing, dir / "none.htm", "htm",
                                      dayFirstLocale(), feb(28))
                     .ok);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.htm"));
    EXPECT_EQ(fakes.messages.lastText(), "Choose an account first: no ledger has been built yet.");
}

TEST(LedgerExports, RunningBalanceMail) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    fakes.environment.vars["tmp"] = dir.path().string();
    const Book book = exportedBook();
    const RunningBalanceLedger ledger = loanLedger(book);
    const LedgerHeading heading = loanHeading(book, dayFirstLocale());

    const auto draft =
        mailRunningBalance(book, ledger, heading, dayFirstLocale(), feb(28), "Books");
    ASSERT_TRUE(draft);
    EXPECT_EQ(draft->filename(), "AccountLedger0.eml");
    const std::string mail = read(dir, "eml", *draft);
    EXPECT_EQ(mail.substr(0, mail.find('\n')),
              "subject Corner Shop, Loan <Smith, & Sons>, 01/02/2026 to 28/02/2026");
    EXPECT_NE(mail.find("tables 1\n"), std::string::npos);
    EXPECT_NE(mail.find("Date of Issue : |28/02/2026|"), std::string::npos) << mail;

    LedgerHeading nothing = heading;
    nothing.folio.clear();
    EXPECT_FALSE(mailRunningBalance(book, ledger, nothing, dayFirstLocale(), feb(28), "Books"));
    EXPECT_EQ(fakes.shell.opened.size(), 1u);

    // A book without a business name: the subject starts with the account.
    Book unnamed = book;
    unnamed.BusinessName = {};
    const auto plain =
        mailRunningBalance(unnamed, ledger, heading, dayFirstLocale(), feb(28), "Books");
    ASSERT_TRUE(plain);
    const std::string plainMail = read(dir, "eml", *plain);
    EXPECT_EQ(plainMail.substr(0, plainMail.find('\n')),
              "subject Loan <Smith, & Sons>, 01/02/2026 to 28/02/2026");
}

} // namespace
