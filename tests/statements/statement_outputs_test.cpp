// The outputs of the four statements of the trading book: the income
// statement's texts exactly, and every exported file and mail draft read
// back by the readers a user has (xlrd, html.parser, unrtf, csv, email).
#include "statements/balance_sheet_outputs.h"
#include "statements/income_statement_outputs.h"
#include "statements/inflows_outflows_outputs.h"
#include "statements/trial_balance_outputs.h"

#include "platform/fake/fake_services.h"
#include "statement_books.h"
#include "statement_figures.h"
#include "support/html_text_class.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <sstream>

using namespace statementbooks;
using namespace testing_support;

namespace {

// Online sales carry every character the outputs must escape.
const char* const OddName = "Online \\ {web} <A&B> caf\xC3\xA9";

Book oddBook() {
    Book book = tradingBook();
    book.AccountNames[9] = OddName;
    return book;
}

IncomeStatement firstQuarter(const Book& book) {
    return computeIncomeStatement(book, {.period = {false, day2024(1, 1), day2024(3, 31), true},
                                         .locale = monthFirstLocale()});
}

// Prints what a reader of each kind of file sees: the text of a page, an RTF
// (through unrtf's HTML) or a mail draft as "|"-joined lines; the cells of a
// sheet with "*" for bold and L, C or R for their alignment; the fields of a
// comma-separated file.
const std::string ReaderScript = std::string(R"(
import sys, csv, email, subprocess, xlrd
from email import policy
from html.parser import HTMLParser
)") + testing_support::HtmlTextClass +
                                 R"(
def text(html):
    t = Text()
    t.feed(html)
    lines = [l.strip() for l in ''.join(t.parts).replace('\xa0', ' ').split('\n')]
    return '|'.join(l for l in lines if l)
def cells(html):
    t = Text()
    t.feed(html)
    return '|'.join(p for p in t.parts if p.strip())
path = sys.argv[1]
if path.endswith('.xls'):
    b = xlrd.open_workbook(path, formatting_info=True)
    s = b.sheet_by_index(0)
    widths = [str(s.colinfo_map[c].width // 256) for c in range(4) if c in s.colinfo_map]
    print('cols %d widths %s' % (s.ncols, ' '.join(widths)))
    for r in range(s.nrows):
        out = []
        for c in range(s.ncols):
            cell = s.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_EMPTY or cell.value == '':
                continue
            xf = b.xf_list[cell.xf_index]
            bold = '*' if b.font_list[xf.font_index].bold else ''
            out.append('%d:%s%s%s' % (c + 1, cell.value, bold, 'GLCR'[xf.alignment.hor_align]))
        if out:
            print('%d %s' % (r + 1, ' '.join(out)))
elif path.endswith('.htm'):
    print(cells(open(path, encoding='ascii').read()))
elif path.endswith('.rtf'):
    html = subprocess.run(['unrtf', '--html', path], capture_output=True, text=True).stdout
    print(text(html.split('<body>', 1)[1]))
elif path.endswith('.csv'):
    for row in csv.reader(open(path, newline='', encoding='utf-8')):
        print('|'.join(row))
else:
    m = email.message_from_binary_file(open(path, 'rb'), policy=policy.default)
    print('Subject: ' + str(m['Subject']))
    print(cells(m.get_body(preferencelist=('html',)).get_content()))
)";

std::string readBack(const TempDir& dir, const std::filesystem::path& file) {
    writeFile(dir / "reader.py", ReaderScript);
    std::string out;
    const int status = runCommand(systemPython() + " '" + (dir / "reader.py").string() + "' '" +
                                      file.string() + "' 2>&1",
                                  &out);
    EXPECT_EQ(status, 0) << out;
    return out;
}

} // namespace

TEST(StatementOutputs, IncomeStatementTextsExactly) {
    const Book book = oddBook();
    const IncomeStatement is = firstQuarter(book);
    EXPECT_EQ(incomeStatementTabText(is),
              "REVENUE\r\n\r\nSales\t1,000.00\r\nOnline \\ {web} <A&B> caf\xC3\xA9\t500.00\r\n\r\n"
              "Balance\t\t1,500.00\r\n\r\nLess Cost of Goods Sold\r\n\r\nPurchases\t600.00\r\n\r\n"
              "Gross Profit\t\t900.00\r\n\r\nEXPENSES\r\n\r\nWages\t200.00\r\nRent\t100.00\r\n\r\n"
              "Balance\t\t300.00\r\n\r\n\r\nNet Profit\t\t\t600.00\r\n\r\n");
    EXPECT_EQ(
        incomeStatementRtf(is, book),
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081{\\fonttbl{\\f0\\fswiss\\fcharset0 "
        "Arial;}{\\f1\\fmodern\\fprq1\\fcharset0 Courier New;}}\r\n"
        "{\\*\\generator Ledgerwick 5.0;}\\viewkind4\\uc1\\pard\\f0\\fs28 Corner Shop\\par\r\n"
        "\\par\r\n"
        "Income Statement Ending 31 March 2024\\par\r\n"
        "\\fs24\\par\r\n"
        "\\b\\f1 \\b0\\par\r\n"
        "\\b REVENUE\\b0\\par\r\n"
        "\\par\r\n"
        "Sales                               1,000.00\\par\r\n"
        "Online \\\\ \\{web\\} <A&B> caf\\u233\\'e9             500.00\\par\r\n"
        "\\par\r\n"
        "\\b Balance                                         1,500.00\\b0\\par\r\n"
        "\\par\r\n"
        "\\b Less Cost of Goods Sold\\b0\\par\r\n"
        "\\par\r\n"
        "Purchases                             600.00\\par\r\n"
        "\\par\r\n"
        "\\b Gross Profit                                      900.00\\b0\\par\r\n"
        "\\par\r\n"
        "\\b EXPENSES\\b0\\par\r\n"
        "\\par\r\n"
        "Wages                                 200.00\\par\r\n"
        "Rent                                  100.00\\par\r\n"
        "\\par\r\n"
        "\\b Balance                                           300.00\\b0\\par\r\n"
        "\\par\r\n"
        "\\b Net Profit                                        600.00\\b0\\par\r\n"
        "}");
    const std::string td = "<td width=\"10%\" style=\"border:none\" align=\"right\">";
    auto row = [&](const std::string& label, const std::string& c1 = "", const std::string& c2 = "",
                   const std::string& c3 = "") {
        return "<tr><td style=\"border:none\" align=\"left\">" + label + "</td>" + td + c1 +
               "</td>" + td + c2 + "</td>" + td + c3 + "</td></tr>";
    };
    EXPECT_EQ(
        incomeStatementWebPage(is, book),
        "<html><body><br><br><p align=\"center\" Style=\"font-family:Arial; font-size:12pt; "
        "Width:800px;\"><b>Corner Shop<br><br>Income Statement<br><br>1 January 2024 To 31 "
        "March 2024</b></p><table cellspacing=\"0\" cellpadding=\"0\" Style=\"font-size:12pt; "
        "border:none; Width:800px;\">" +
            row("<b>REVENUE</b>") + row("Sales", "1,000.00") +
            row("Online \\ {web} &lt;A&amp;B&gt; caf&#233;", "500.00") +
            row("<b>Balance</b>", "", "<b>1,500.00</b>") + row("") +
            row("<b>Less Cost of Goods Sold</b>") + row("Purchases", "600.00") +
            row("<b>Gross Profit</b>", "", "<b>900.00</b>") + row("") + row("<b>EXPENSES</b>") +
            row("Wages", "200.00") + row("Rent", "100.00") +
            row("<b>Balance</b>", "", "<b>300.00</b>") + row("") +
            row("<b>Net Profit</b>", "", "", "<b>600.00</b>") + "</table></body></html>");
    EXPECT_EQ(incomeStatementMailSubject(is, book),
              "Corner Shop, Income Statement 1 January 2024 to 31 March 2024");
}

TEST(StatementOutputs, EveryExportAndDraftReadBack) {
    ScopedFakeServices fakes;
    TempDir dir;
    fakes.environment.vars["tmp"] = dir.path().string();
    Book book = oddBook();
    // A debit of 12,345,678.90 without its credit: the trial balance shows
    // two different totals and the amount whole.
    addLine(book, "10", day2024(4, 30), Debit, "100", "12345678.9", "_");
    const LocaleInfo locale = monthFirstLocale();

    const TrialBalance tb = computeTrialBalance(
        book, {.asOfDate = day2024(4, 30), .includeSubAccounts = true, .locale = locale});
    const IncomeStatement is = firstQuarter(book);
    const BalanceSheet bs = computeBalanceSheet(
        book, {.date = day2024(3, 31), .includeSubAccounts = true, .locale = locale});
    const InflowsOutflows io = computeInflowsOutflows(
        book, {.kind = PeriodKind::Quarterly, .cashAccount = money("100"), .locale = locale});
    const auto layout = BalanceSheetLayout::AssetsAndLiabilities;
    // The bank goes overdrawn in April: a .csv writes the negative as a number.
    const InflowsOutflows bank = computeInflowsOutflows(
        book, {.kind = PeriodKind::Quarterly, .cashAccount = money("110"), .locale = locale});
    EXPECT_NE(inflowsOutflowsTabText(bank, book).find("\t(600.00)\t"), std::string::npos);

    struct Case {
        std::string file;
        std::function<ExportResult(const std::filesystem::path&)> write;
        std::string seen;
    };
    const std::vector<Case> cases = {
        {"tb.xls", [&](auto p) { return exportTrialBalance(tb, book, p, "xls"); },
         "cols 4 widths 62 12 12\n"
         "2 1:Corner Shop*L\n"
         "4 1:Trial Balance as 30 April 2024L\n"
         "6 1:AccountsC 2:DebitC 3:CreditC\n"
         "8 1:CashL 2:12,356,278.90R\n"
         "9 1:BankL 3:600.00R\n"
         "11 1:LoanL 3:2,000.00R\n"
         "12 1:EquipmentL 2:3,000.00R\n"
         "13 1:CapitalL 3:10,000.00R\n"
         "14 1:Owner DrawingsL 2:400.00R\n"
         "15 1:SalesL 3:1,800.00R\n"
         "16 1:Online \\ {web} <A&B> caf\xC3\xA9L 3:500.00R\n"
         "17 1:PurchasesL 2:600.00R\n"
         "18 1:WagesL 2:200.00R\n"
         "19 1:RentL 2:100.00R\n"
         "21 1:TotalL 2:12,360,578.90R 3:14,900.00R\n"},
        {"tb.csv", [&](auto p) { return exportTrialBalance(tb, book, p, "csv"); },
         "Cash|12,356,278.90|\n"
         "Bank||600.00\n"
         "Loan||2,000.00\n"
         "Equipment|3,000.00|\n"
         "Capital||10,000.00\n"
         "Owner Drawings|400.00|\n"
         "Sales||1,800.00\n"
         "Online \\ {web} <A&B> caf\xC3\xA9||500.00\n"
         "Purchases|600.00|\n"
         "Wages|200.00|\n"
         "Rent|100.00|\n"
         "||\n"
         "Total|12,360,578.90|14,900.00\n"},
        {"tb.htm", [&](auto p) { return exportTrialBalance(tb, book, p, "htm"); },
         "Corner Shop|Trial Balance as 30 April "
         "2024|Accounts|Debit|Credit|100|Cash|12,356,278.90|110|Bank|600.00|250|Loan|2,000.00|150|"
         "Equipment|3,000.00|300|Capital|10,000.00|310|Owner "
         "Drawings|400.00|400|Sales|1,800.00|400.1|Online \\ {web} <A&B> "
         "caf\xC3\xA9|500.00|500|Purchases|600.00|600|Wages|200.00|610|Rent|100.00|Total|12,360,"
         "578.90|14,900.00\n"},
        {"tb.rtf", [&](auto p) { return exportTrialBalance(tb, book, p, "rtf"); },
         "Corner Shop|Trial Balance -|Account Debit Credit|Cash 12,356,278.90|Bank 600.00|Loan "
         "2,000.00|Equipment 3,000.00|Capital 10,000.00|Owner Drawings 400.00|Sales "
         "1,800.00|Online \\ {web} <A&B> caf\xC3\xA9 500.00|Purchases 600.00|Wages 200.00|Rent "
         "100.00|TOTALS 12,360,578.90 14,900.00\n"},
        {"is.xls", [&](auto p) { return exportIncomeStatement(is, book, p, "xls"); },
         "cols 4 widths 62 12 12 12\n"
         "2 1:Corner Shop*G\n"
         "4 1:Income Statement... 1 January 2024 To 31 March 2024*L\n"
         "6 1:REVENUE*L\n"
         "7 1:SalesL 2:1,000.00R\n"
         "8 1:Online \\ {web} <A&B> caf\xC3\xA9L 2:500.00R\n"
         "9 1:Balance*L 3:1,500.00*R\n"
         "11 1:Less Cost of Goods Sold*L\n"
         "12 1:PurchasesL 2:600.00R\n"
         "13 1:Gross Profit*L 3:900.00*R\n"
         "15 1:EXPENSES*L\n"
         "16 1:WagesL 2:200.00R\n"
         "17 1:RentL 2:100.00R\n"
         "18 1:Balance*L 3:300.00*R\n"
         "20 1:Net Profit*L 4:600.00*R\n"},
        {"is.rtf", [&](auto p) { return exportIncomeStatement(is, book, p, "rtf"); },
         "Corner Shop|Income Statement Ending 31 March 2024|REVENUE|Sales 1,000.00|Online \\ {web} "
         "<A&B> caf\xC3\xA9 500.00|Balance 1,500.00|Less Cost of Goods Sold|Purchases 600.00|Gross "
         "Profit 900.00|EXPENSES|Wages 200.00|Rent 100.00|Balance 300.00|Net Profit 600.00\n"},
        {"bs.xls", [&](auto p) { return exportBalanceSheet(bs, layout, book, p, "xls"); },
         "cols 4 widths 62 12 12 12\n"
         "2 1:Corner Shop*G\n"
         "4 1:Financial Position Ending 31 March 2024*L\n"
         "6 1:CURRENT ASSETS*L\n"
         "7 1:CashL 2:9,800.00R\n"
         "8 1:Balance*L 3:9,800.00*R\n"
         "10 1:CURRENT LIABILITIES*L\n"
         "11 1:CreditorsL 2:600.00R\n"
         "12 1:Balance*L 3:600.00*R\n"
         "14 1:WORKING CAPITAL*L 4:9,200.00*R\n"
         "16 1:NON CURRENT ASSETS*L\n"
         "17 1:EquipmentL 2:3,000.00R\n"
         "18 1:Balance*L 3:3,000.00*R\n"
         "20 1:NON CURRENT LIABILITIES*L\n"
         "21 1:LoanL 2:2,000.00R\n"
         "22 1:Balance*L 3:2,000.00*R\n"
         "24 1:NET ASSETS*L 4:10,200.00*R\n"
         "26 1:CAPITAL / EQUITY*L\n"
         "27 1:PROFIT / LOSSL 2:600.00R\n"
         "28 1:CapitalL 2:10,000.00R\n"
         "29 1:Owner DrawingsL 2:(400.00)R\n"
         "30 1:Balance*L 3:10,200.00*R\n"},
        {"bs.rtf", [&](auto p) { return exportBalanceSheet(bs, layout, book, p, "rtf"); },
         "Corner Shop|Financial Position Ending 31 March 2024|CURRENT ASSETS|Cash 9,800.00|Balance "
         "9,800.00|NON CURRENT ASSETS|Equipment 3,000.00|Balance 3,000.00|TOTAL ASSETS "
         "12,800.00|CURRENT LIABILITIES|Creditors 600.00|Balance 600.00|NON CURRENT "
         "LIABILITIES|Loan 2,000.00|Balance 2,000.00|TOTAL LIABILITIES 2,600.00|NET ASSETS "
         "10,200.00|CAPITAL / EQUITY|PROFIT / LOSS 600.00|Capital 10,000.00|Owner Drawings "
         "(400.00)|Balance 10,200.00\n"},
        {"io.xls", [&](auto p) { return exportInflowsOutflows(io, book, p, "xls", 700, 1); },
         "cols 4 widths 62 15 15 15\n"
         "2 1:Corner Shop Comparative Statement..., account 100 Cash*L\n"
         "3 2:Feb 2024*C 3:Apr 2024*C 4:Total*C\n"
         "4 1:Beginning Balance:*L 2:8,500.00*R 3:10,600.00*R\n"
         "5 1:Inflows:*L\n"
         "6 1:  LoanL 2:2,000.00R 3:0.00R 4:2,000.00R\n"
         "7 1:  CapitalL 2:0.00R 3:0.00R 4:10,000.00R\n"
         "8 1:  SalesL 2:800.00R 3:0.00R 4:1,800.00R\n"
         "9 1:  Online \\ {web} <A&B> caf\xC3\xA9L 2:0.00R 3:0.00R 4:500.00R\n"
         "10 1:Total Inflows:*L 2:2,800.00*R 3:0.00*R 4:14,300.00*R\n"
         "12 1:Outflows:*L\n"
         "13 1:  EquipmentL 2:0.00R 3:0.00R 4:3,000.00R\n"
         "14 1:  Owner DrawingsL 2:400.00R 3:0.00R 4:400.00R\n"
         "15 1:  WagesL 2:200.00R 3:0.00R 4:200.00R\n"
         "16 1:  RentL 2:100.00R 3:0.00R 4:100.00R\n"
         "17 1:Total Outflows:*L 2:700.00*R 3:0.00*R 4:3,700.00*R\n"
         "19 1:Ending Balance:*L 2:10,600.00*R 3:10,600.00*R\n"},
        {"io.csv", [&](auto p) { return exportInflowsOutflows(io, book, p, "csv", 700); },
         "Corner Shop Comparative Statement..., account 100 Cash\n"
         "\n"
         "|Jan 2024|Feb 2024|Apr 2024|Total\n"
         "\n"
         "Beginning Balance: |0.00|8,500.00|10,600.00\n"
         "Inflows:\n"
         "Loan|0.00|2,000.00|0.00|2,000.00\n"
         "Capital|10,000.00|0.00|0.00|10,000.00\n"
         "Sales|1,000.00|800.00|0.00|1,800.00\n"
         "Online \\ {web} <A&B> caf\xC3\xA9|500.00|0.00|0.00|500.00\n"
         "\n"
         "Total Inflows: |11,500.00|2,800.00|0.00|14,300.00\n"
         "\n"
         "Outflows:\n"
         "Equipment|3,000.00|0.00|0.00|3,000.00\n"
         "Owner Drawings|0.00|400.00|0.00|400.00\n"
         "Wages|0.00|200.00|0.00|200.00\n"
         "Rent|0.00|100.00|0.00|100.00\n"
         "\n"
         "\n"
         "Total Outflows: |3,000.00|700.00|0.00|3,700.00\n"
         "Ending Balance: |8,500.00|10,600.00|10,600.00\n"},
        {"bank.csv", [&](auto p) { return exportInflowsOutflows(bank, book, p, "csv", 700); },
         "Corner Shop Comparative Statement..., account 110 Bank\n\n|Jan 2024|Feb 2024|Apr "
         "2024|Total\n\nBeginning Balance: |0.00|0.00|-600.00\nInflows:\n\nTotal Inflows: "
         "|0.00|0.00|0.00|0.00\n\nOutflows:\nCreditors|0.00|600.00|0.00|600.00\n\n\nTotal "
         "Outflows: |0.00|600.00|0.00|600.00\nEnding Balance: |0.00|-600.00|-600.00\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ExportResult result = c.write(dir / c.file);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(readBack(dir, dir / c.file), c.seen);
    }
    // The drafts: the page and the subject, as a mail program shows them.
    const std::vector<std::string> drafts = {
        "Subject: Corner Shop, Trial Balance as 30 April 2024\n"
        "Corner Shop|Trial Balance as 30 April "
        "2024|Accounts|Debit|Credit|100|Cash|12,356,278.90|110|Bank|600.00|250|Loan|2,000.00|150|"
        "Equipment|3,000.00|300|Capital|10,000.00|310|Owner "
        "Drawings|400.00|400|Sales|1,800.00|400.1|Online \\ {web} <A&B> "
        "caf\xC3\xA9|500.00|500|Purchases|600.00|600|Wages|200.00|610|Rent|100.00|Total|12,360,578."
        "90|14,900.00\n",
        "Subject: Corner Shop, Income Statement 1 January 2024 to 31 March 2024\n"
        "Corner Shop|Income Statement|1 January 2024 To 31 March "
        "2024|REVENUE|Sales|1,000.00|Online \\ {web} <A&B> "
        "caf\xC3\xA9|500.00|Balance|1,500.00|Less Cost of Goods Sold|Purchases|600.00|Gross "
        "Profit|900.00|EXPENSES|Wages|200.00|Rent|100.00|Balance|300.00|Net Profit|600.00\n",
        "Subject: Corner Shop,Financial Position Ending 31 March 2024\n"
        "Corner Shop|Financial Position Ending 31 March 2024|CURRENT "
        "ASSETS|Cash|9,800.00|Balance|9,800.00|NON CURRENT "
        "ASSETS|Equipment|3,000.00|Balance|3,000.00|TOTAL ASSETS|12,800.00|CURRENT "
        "LIABILITIES|Creditors|600.00|Balance|600.00|NON CURRENT "
        "LIABILITIES|Loan|2,000.00|Balance|2,000.00|TOTAL LIABILITIES|2,600.00|NET "
        "ASSETS|10,200.00|CAPITAL / EQUITY|PROFIT / LOSS|600.00|Capital|10,000.00|Owner "
        "Drawings|(400.00)|Balance|10,200.00\n",
        "Subject: Corner Shop Comparative Statement..., account 100 Cash\n"
        "Corner Shop Comparative Statement..., account 100 Cash|Jan 2024|Feb 2024|Apr "
        "2024|Total|Beginning "
        "Balance:|0.00|8,500.00|10,600.00|Inflows:|  Loan|0.00|2,000.00|0.00|2,000.00|  Capital|10,"
        "000.00|0.00|0.00|10,000.00|  Sales|1,000.00|800.00|0.00|1,800.00|  Online \\ {web} <A&B> "
        "caf\xC3\xA9|500.00|0.00|0.00|500.00|Total "
        "Inflows:|11,500.00|2,800.00|0.00|14,300.00|Outflows:|  Equipment|3,000.00|0.00|0.00|3,000."
        "00|  Owner "
        "Drawings|0.00|400.00|0.00|400.00|  Wages|0.00|200.00|0.00|200.00|  Rent|0.00|100.00|0.00|"
        "100.00|Total Outflows:|3,000.00|700.00|0.00|3,700.00|  Ending "
        "Balance:|8,500.00|10,600.00|10,600.00\n",
    };
    const std::vector<std::optional<std::filesystem::path>> written = {
        mailTrialBalance(tb, book, "Books"), mailIncomeStatement(is, book, "Books"),
        mailBalanceSheet(bs, layout, book, "Books"), mailInflowsOutflows(io, book, 700, "Books")};
    for (std::size_t i = 0; i < drafts.size(); ++i) {
        ASSERT_TRUE(written[i].has_value());
        EXPECT_EQ(readBack(dir, *written[i]), drafts[i]);
    }
    // A book without a business name: no heading starts with a separator.
    book.BusinessName = VariantText("");
    EXPECT_EQ(trialBalanceMailSubject(tb, book), "Trial Balance as 30 April 2024");
    EXPECT_EQ(incomeStatementMailSubject(is, book),
              "Income Statement 1 January 2024 to 31 March 2024");
    EXPECT_EQ(balanceSheetMailSubject(bs, book), "Financial Position Ending 31 March 2024");
    EXPECT_EQ(inflowsOutflowsMailSubject(io, book), "Comparative Statement..., account 100 Cash");
}

TEST(StatementOutputs, FailedExportsLeaveNoFileAndSheetsStopAtTheFormatsLimits) {
    TempDir dir;
    Book book = tradingBook();
    const IncomeStatement is = firstQuarter(book);
    for (const std::string kind : {"rtf", "xls"}) { // the message names the file
        const auto missing = dir / "no such folder" / ("is." + kind);
        const ExportResult failed = exportIncomeStatement(is, book, missing, kind);
        EXPECT_TRUE(!failed.ok && failed.message.starts_with("The file could not be written:\n" +
                                                             missing.string() + ": "))
            << failed.message;
        EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
    }

    // Twenty-five years of monthly sales: 300 periods and a total.
    for (int year = 2000; year < 2025; ++year)
        for (int month = 1; month <= 12; ++month)
            addEntry(book, "11", handmade::day(year, month, 1), "100", "400", "1");
    InflowsOutflowsOptions options;
    options.locale = monthFirstLocale();
    const InflowsOutflows io = computeInflowsOutflows(book, options);
    ASSERT_EQ(io.periods(), 300);
    const ExportResult sheet = exportInflowsOutflows(io, book, dir / "io.xls", "xls", 812);
    ASSERT_TRUE(sheet.ok) << sheet.message;
    EXPECT_EQ(sheet.notice,
              "The spreadsheet holds 255 of the 301 columns of the statement: a sheet has no more "
              "than 256 columns.");
    EXPECT_EQ(readBack(dir, dir / "io.xls").substr(0, 26), "cols 256 widths 62 15 15 1");
    EXPECT_NE(inflowsOutflowsWebPage(io, book, 812).find("border:none; width:812px\">"),
              std::string::npos);

    // An empty journal: no period, the total column alone.
    const InflowsOutflows none = computeInflowsOutflows(emptyBook(), options);
    ASSERT_TRUE(none.ok);
    EXPECT_EQ(none.periods(), 0);
    EXPECT_EQ(inflowsOutflowsCsv(none, book),
              "Corner Shop Comparative Statement...\r\n\r\n,Total\r\n\r\nBeginning Balance: \r\n"
              "Inflows:\r\n\r\nTotal Inflows: ,0\r\n\r\nOutflows:\r\n\r\n\r\n"
              "Total Outflows: ,0\r\nEnding Balance: \r\n");
    EXPECT_TRUE(exportInflowsOutflows(none, book, dir / "none.xls", "xls", 812).ok);
    // A statement that could not be made still writes its frame.
    EXPECT_NE(inflowsOutflowsWebPage(InflowsOutflows{}, book, 812).find("Total"),
              std::string::npos);

    // A chart of 32,001 accounts, each but the cash account paid into cash
    // once: every statement has more rows than a sheet holds, and each sheet
    // is written up to the last row with a word on the rest.
    Book big = cornerShop();
    constexpr int Accounts = 32001;
    big.resizeAccounts(Accounts);
    for (int slot = 1; slot <= Accounts; ++slot) {
        big.AccountNumbers[slot] = Currency::fromUnits(1000 + slot);
        big.AccountNames[slot] = "Account " + std::to_string(slot);
        big.AccountTypes[slot] = CurrentAsset;
    }
    fillEntryAccountList(big);
    for (int slot = 2; slot <= Accounts; ++slot)
        addEntry(big, "1", day2024(1, 2), "1001", std::to_string(1000 + slot), "1");
    options.cashAccount = money("1001");
    const TrialBalance tb =
        computeTrialBalance(big, {.asOfDate = day2024(1, 31), .locale = options.locale});
    const BalanceSheet bs =
        computeBalanceSheet(big, {.date = day2024(1, 31), .locale = options.locale});
    const InflowsOutflows flows = computeInflowsOutflows(big, options);
    ASSERT_TRUE(tb.ok && bs.ok && flows.ok);
    const struct {
        std::string file;
        ExportResult result;
        int rows;
    } limits[] = {
        {"tb.xls", exportTrialBalance(tb, big, dir / "tb.xls", "xls"), 32009},
        {"bs.xls",
         exportBalanceSheet(bs, BalanceSheetLayout::WorkingCapital, big, dir / "bs.xls", "xls"),
         32011},
        {"io.xls", exportInflowsOutflows(flows, big, dir / "io.xls", "xls", 812), 32011},
    };
    for (const auto& c : limits) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(c.result.ok) << c.result.message;
        EXPECT_EQ(c.result.notice, "Only the first 16384 of the " + std::to_string(c.rows) +
                                       " rows of the statement were written: a spreadsheet of "
                                       "this kind holds at most 16384 rows.");
        const std::string seen = readBack(dir, dir / c.file);
        EXPECT_NE(seen.find("\n16384 1:"), std::string::npos);
        EXPECT_EQ(seen.find("\n16385 "), std::string::npos);
    }
}

// Where the figures of a text stand, line by line: in a text of fixed-width
// columns each figure's first and one-past-last character, in a TAB text the
// index of its cell for both.
struct FigureSpan {
    std::size_t begin = 0, end = 0;
};
using FigureLines = std::vector<std::vector<FigureSpan>>;

FigureLines figureSpans(const std::string& text, const std::set<std::string>& figures,
                        bool tabCells) {
    FigureLines out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<FigureSpan> spans;
        const std::string separators = tabCells ? "\t" : " \t";
        std::size_t cell = 0;
        for (std::size_t at = 0; at <= line.size(); ++cell) {
            const std::size_t stop = std::min(line.find_first_of(separators, at), line.size());
            if (figures.count(line.substr(at, stop - at)))
                spans.push_back(tabCells ? FigureSpan{cell, cell} : FigureSpan{at, stop});
            at = stop + 1;
        }
        if (!spans.empty()) out.push_back(spans);
    }
    return out;
}

// The places where the figures of a text end, in order: one per column when
// each column is right-aligned.
std::vector<std::size_t> columnEnds(const FigureLines& lines) {
    std::set<std::size_t> ends;
    for (const auto& spans : lines)
        for (const FigureSpan& span : spans)
            ends.insert(span.end);
    return {ends.begin(), ends.end()};
}

// The paragraphs of one of the statements' RTFs as a reader lays them out in
// the fixed-pitch font, a line each: control words and the header's groups
// dropped, an escaped character one character ("?" for one beyond ASCII).
// unrtf gives the same words but closes up runs of blanks, so it cannot
// show where a column ends.
std::string rtfParagraphs(const std::string& rtf) {
    std::string out;
    int skipped = 0; // depth inside a group that holds no text
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char ch = rtf[i];
        if (ch == '{') {
            if (skipped || rtf.compare(i, 3, "{\\*") == 0 || rtf.compare(i, 9, "{\\fonttbl") == 0)
                ++skipped;
            continue;
        }
        if (ch == '}') {
            if (skipped) --skipped;
            continue;
        }
        if (skipped || ch == '\r' || ch == '\n') continue;
        if (ch != '\\') {
            out += ch;
            continue;
        }
        const char next = i + 1 < rtf.size() ? rtf[i + 1] : ' ';
        if (next == '\\' || next == '{' || next == '}') {
            out += next;
            ++i;
        } else if (next == '\'') {
            out += '?';
            i += 3;
        } else {
            std::size_t end = i + 1;
            while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end])))
                ++end;
            const std::string word = rtf.substr(i + 1, end - i - 1);
            while (end < rtf.size() &&
                   (std::isdigit(static_cast<unsigned char>(rtf[end])) || rtf[end] == '-'))
                ++end;
            if (end < rtf.size() && rtf[end] == ' ') ++end;
            if (word == "par") out += '\n';
            if (word == "tab") out += '\t';
            if (word == "u") {
                out += '?';
                end += rtf.compare(end, 2, "\\'") == 0 ? 4 : 1; // the byte for older readers
            }
            i = end - 1;
        }
    }
    return out;
}

// A trial balance whose debit of 922,337,203,685,476.500 and credit of
// 1.500 are 27 characters apart in width, with three decimals.
TrialBalance extremeTrialBalance() {
    Book book = cornerShop();
    book.DecimalsTrialBalance = 3;
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "200", "Creditors", CurrentLiability);
    setAccount(book, 3, "400", "Sales", Revenue);
    setAccount(book, 4, "600", "Wages", Expense);
    addLine(book, "1", day2024(1, 5), Debit, "100", "922337203685476");
    addLine(book, "1", day2024(1, 5), Credit, "400", "1", "_");
    addEntry(book, "2", day2024(1, 6), "600", "200", "0.5");
    return computeTrialBalance(book, {.asOfDate = day2024(3, 31), .locale = monthFirstLocale()});
}

TEST(StatementOutputs, NamesAndAmountsNeverTouchInTheTexts) {
    TempDir dir;
    const Book book = wideBook();
    const LocaleInfo locale = monthFirstLocale();
    const TrialBalance tb =
        computeTrialBalance(book, {.asOfDate = day2024(3, 31), .locale = locale});
    const TrialBalance extreme = extremeTrialBalance();
    const IncomeStatement is = firstQuarter(book);
    const BalanceSheet bs = computeBalanceSheet(book, {.date = day2024(3, 31), .locale = locale});
    const InflowsOutflows io =
        computeInflowsOutflows(book, {.cashAccount = money("100"), .locale = locale});
    ASSERT_TRUE(tb.ok && extreme.ok && is.ok && bs.ok && io.ok);
    ASSERT_EQ(extreme.debitTotalText, "922,337,203,685,476.500");
    ASSERT_EQ(extreme.creditTotalText, "1.500");

    // What unrtf gives a reader of an RTF, or the plain text itself.
    auto unrtf = [&](const std::string& rtf) {
        writeFile(dir / "s.rtf", rtf);
        std::string out;
        EXPECT_EQ(runCommand("unrtf --text '" + (dir / "s.rtf").string() + "' 2>/dev/null", &out),
                  0);
        return out;
    };
    struct Case {
        std::string what;
        std::string text;    // unrtf's text, or the TAB text itself
        std::string laidOut; // the RTF's paragraphs with their blanks; none for a TAB text
        std::vector<std::string> figures;
        std::size_t columns;                 // amount columns of the layout
        const TrialBalance* sides = nullptr; // its rows' figures in debit or credit
        bool wideNames = true;               // lists the wide book's accounts
        bool tabCells() const { return laidOut.empty(); }
        const std::string& shown() const { return tabCells() ? text : laidOut; }
    };
    auto rtfCase = [&](const std::string& what, const std::string& rtf,
                       std::vector<std::string> figures, std::size_t columns,
                       const TrialBalance* sides = nullptr, bool wideNames = true) {
        return Case{what,    unrtf(rtf), rtfParagraphs(rtf), std::move(figures),
                    columns, sides,      wideNames};
    };
    const auto wc = BalanceSheetLayout::WorkingCapital;
    const auto al = BalanceSheetLayout::AssetsAndLiabilities;
    const auto ioColumns = static_cast<std::size_t>(io.periods()) + 1;
    const std::vector<Case> cases = {
        rtfCase("tb rtf", trialBalanceRtf(tb, book), figuresOf(tb), 2, &tb),
        rtfCase("tb rtf extreme", trialBalanceRtf(extreme, book), figuresOf(extreme), 2, &extreme,
                false),
        rtfCase("is rtf", incomeStatementRtf(is, book), figuresOf(is), 2),
        rtfCase("bs rtf", balanceSheetRtf(bs, wc, book), figuresOf(bs), 2),
        rtfCase("bs rtf 2", balanceSheetRtf(bs, al, book), figuresOf(bs), 3),
        Case{"tb text", trialBalanceTabText(tb), "", figuresOf(tb), 2, &tb},
        Case{"tb text extreme", trialBalanceTabText(extreme), "", figuresOf(extreme), 2, &extreme,
             false},
        Case{"is text", incomeStatementTabText(is), "", figuresOf(is), 3},
        Case{"bs text", balanceSheetTabText(bs, wc), "", figuresOf(bs), 3},
        Case{"bs text 2", balanceSheetTabText(bs, al), "", figuresOf(bs), 3},
        Case{"io text", inflowsOutflowsTabText(io, book), "", figuresOf(io), ioColumns},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what + ":\n" + c.shown());
        std::set<std::string> words;
        std::istringstream in(c.text);
        for (std::string w; in >> w;)
            words.insert(w);
        for (const std::string& figure : c.figures)
            EXPECT_TRUE(words.count(figure)) << figure;
        // Every name stands whole: a word of its own, or one as long as its
        // column and the rest below it.
        for (int slot = 1; c.wideNames && slot <= 8; ++slot) {
            const std::string name = book.AccountNames[slot];
            const bool seen = std::any_of(words.begin(), words.end(), [&](const std::string& w) {
                return w.size() >= 30 && name.compare(0, w.size(), w) == 0 &&
                       (w.size() == name.size() || words.count(name.substr(w.size())));
            });
            const bool listed = c.text.find(name.substr(0, 20)) != std::string::npos;
            EXPECT_EQ(seen, listed) << name;
        }
        // The figures of a column all end in one place, and every figure
        // begins after the column before it ends.
        const FigureLines lines =
            figureSpans(c.shown(), {c.figures.begin(), c.figures.end()}, c.tabCells());
        const std::vector<std::size_t> ends = columnEnds(lines);
        EXPECT_EQ(ends.size(), c.columns);
        if (ends.size() != c.columns) continue;
        for (const auto& spans : lines)
            for (const FigureSpan& span : spans) {
                const auto column = std::find(ends.begin(), ends.end(), span.end) - ends.begin();
                if (column > 0) {
                    EXPECT_GT(span.begin, ends[column - 1]) << span.end;
                }
            }
        // Debits stand in the first column, credits in the second, the
        // totals line in both.
        if (!c.sides) continue;
        std::size_t line = 0;
        for (const TrialBalanceRow& row : c.sides->rows) {
            if (!row.shown()) continue;
            ASSERT_LT(line, lines.size());
            ASSERT_EQ(lines[line].size(), 1u);
            EXPECT_EQ(lines[line++][0].end, ends[row.isDebit() ? 0 : 1]) << row.name;
        }
        ASSERT_EQ(lines.size(), line + 1);
        ASSERT_EQ(lines[line].size(), 2u);
        EXPECT_EQ(lines[line][0].end, ends[0]);
        EXPECT_EQ(lines[line][1].end, ends[1]);
    }
}
