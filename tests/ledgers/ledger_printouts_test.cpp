// The printed T-account, general journal and running balance, drawn on a
// recording surface from the shared small book.
#include "ledgers/ledger_printouts.h"

#include "ledgers/ledger_pages.h"

#include "ledger_book.h"
#include "platform/fake/recording_surface.h"
#include "support/screen_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace ledgerbook;

const LocaleInfo Locale = dayFirstLocale();

Book printedBook() {
    Book book = ledgerbook::book();
    book.FontName = "Arial";
    return book;
}

LedgerHeading heading(const Book& book, const std::string& account, const std::string& folio) {
    return ledgerHeading(book, account, folio, feb(1), feb(28), Locale);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        out.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return out;
}

std::vector<std::string> textsStartingWith(const RecordingSurface& s, const std::string& start) {
    std::vector<std::string> out;
    for (const std::string& t : s.texts())
        if (t.rfind(start, 0) == 0) out.push_back(t);
    return out;
}

// Left and right edge of the first text drawn that reads `text`, in the
// recording surface's metrics.
std::pair<double, double> edges(const RecordingSurface& s, const std::string& text) {
    for (const RecordedCall& c : s.calls)
        if (c.kind == RecordedCall::Text && c.text == text) {
            const double perCharacter = c.font.size * 10 * (c.font.bold ? 1.1 : 1.0);
            return {c.x1, c.x1 + std::round(static_cast<double>(text.size()) * perCharacter)};
        }
    ADD_FAILURE() << "not drawn: " << text;
    return {0, 0};
}

// Every position of a small T-account: centred heading, the ruled T, dates
// ending at 95 pixels and half a page + 60, amounts ending 10 pixels left of
// the centre and 40 from the right, the bold c/d row without a date, the
// totals and the brought-down balance, the centre rule covered below the foot.
TEST(LedgerPrintouts, TAccountGeometry) {
    const Book book = printedBook();
    const TAccountOptions options = inFebruary<TAccountOptions>(Loan);
    RecordingSurface s; // 11520 x 15120 twips
    printTAccount(s, book, buildTAccount(book, options), heading(book, "Loan", "600"), Locale, 1.0);
    const std::vector<std::string> expected{
        R"~(Text 0,0 "" Arial 12 B)~",
        R"~(Text 5034,288 "Corner Shop" Arial 12 B)~",
        R"~(Text 0,576 "" Arial 12 B)~",
        R"~(Text 5100,864 "Loan (600)" Arial 12 B)~",
        R"~(Text 0,1152 "" Arial 8.16 B)~",
        R"~(Text 4009.5,1348 "Dated from 01/02/2026 to the 28/02/2026" Arial 8.16 B)~",
        R"~(Text 0,1544 "" Arial 8.16 B)~",
        "Line 600,1740-10920,1740 #000000",
        "Line 5760,1740-5760,15120 #000000",
        R"~(Text 1590,1936 "" Arial 8.16)~",
        R"~(Text 6810,1936 "" Arial 8.16)~",
        R"~(Text 609,2132 "03/02/2026" Arial 8.16)~",
        R"~(Text 5120,2132 "500.00" Arial 8.16)~",
        R"~(Text 5844,2132 "04/02/2026" Arial 8.16)~",
        R"~(Text 10430,2132 "800.00" Arial 8.16)~",
        R"~(Text 1590,2132 "Cash" Arial 8.16)~",
        R"~(Text 6810,2132 "Cash" Arial 8.16)~",
        R"~(Text 5071,2328 "300.00" Arial 8.16 B)~",
        R"~(Text 1590,2328 "Balance c/d" Arial 8.16 B)~",
        "Line 600,2720-10920,2720 #000000",
        R"~(Text 3725,2916 "Total          800.00" Arial 8.16 B)~",
        R"~(Text 9035,2916 "Total          800.00" Arial 8.16 B)~",
        R"~(Text 5610,3308 "" Arial 8.16 B)~",
        R"~(Text 8407,3308 "Balance b/d           300.00" Arial 8.16 B)~",
        "Line 5760,3504-5760,15120 #FFFFFF",
        "EndDoc",
    };
    EXPECT_EQ(lines(s.describe()), expected);

    // Rows past the foot go on on a new page with its centre rule 10 twips
    // right; half zoom halves the type: 6 pt for the heading, 4.08 pt for rows.
    Book big = printedBook();
    for (int i = 0; i < 200; ++i)
        handmade::addEntry(big, "50", feb(9), Loan, Cash, "1", "More");
    RecordingSurface pages(11520, 6000);
    printTAccount(pages, big, buildTAccount(big, options), heading(big, "Loan", "600"), Locale,
                  0.5);
    EXPECT_EQ(pages.pages(), 4);
    int rules = 0;
    for (const RecordedCall& c : pages.calls) {
        if (c.kind == RecordedCall::Line && c.x1 == 5770 && c.y1 == 0) ++rules;
        if (c.kind != RecordedCall::Text) continue;
        if (c.text == "Corner Shop" || c.text == "Cash") {
            EXPECT_EQ(c.font.size, c.text == "Cash" ? 4.08 : 6);
        }
        EXPECT_LE(c.y1 + 98, 6000) << c.text;
    }
    EXPECT_EQ(rules, 3);
    RecordingSurface named(11520, 6000); // a name longer than a page goes on to the next
    printTAccount(named, book, buildTAccount(book, options),
                  heading(book, std::string(65535, 'M'), "600"), Locale, 0.5);
    EXPECT_GT(named.pages(), 2); // at the zoom asked
    for (const RecordedCall& c : named.calls)
        EXPECT_LE(c.y2, 6000);

    // A share of amount zero shown; at the lowest zoom on A5 a name of 150
    // letters held whole, the other columns narrowed to what they print.
    Book wide = printedBook();
    handmade::addLine(wide, "71", feb(10), Debit, Loan, "0");
    handmade::addLine(wide, "71", feb(10), Debit, Rent, "100");
    handmade::addLine(wide, "71", feb(10), Credit, Cash, "100", "_");
    const std::string name(150, 'C');
    *std::find(wide.AccountNames.begin(), wide.AccountNames.end(), "Cash") = name;
    const TAccountLedger zero = buildTAccount(wide, options);
    RecordingSurface a5(7670, 11180);
    printTAccount(a5, wide, zero, heading(wide, "Loan", "600"), Locale, 0.2);
    EXPECT_EQ(textsStartingWith(a5, "CCC"), std::vector<std::string>(3, name));
    // At 100 % it wraps within its column at the zoom asked, every letter printed.
    RecordingSurface wrapped(7670, 11180);
    printTAccount(wrapped, wide, zero, heading(wide, "Loan", "600"), Locale, 1.0);
    std::string letters;
    for (const RecordedCall& c : wrapped.calls)
        if (c.kind == RecordedCall::Text && c.text.starts_with("CCC")) {
            letters += c.text;
            EXPECT_EQ(c.font.size, 8.16);
        }
    EXPECT_EQ(letters, name + name + name);
    EXPECT_EQ(textsStartingWith(a5, "0.00").size(), 1u);
    EXPECT_EQ(tAccountPage(wide, zero, 2, 0, Locale)[0].debit.amount, ".00");

    // Dates by the month's name measured as drawn: the widest stays on the page.
    LocaleInfo byName = Locale;
    byName.shortDatePattern = "d MMMM yyyy";
    TAccountOptions year = options;
    year.toDate = day(2026, 12, 31);
    for (const double date : {day(2026, 9, 28), day(2026, 11, 1)})
        handmade::addEntry(wide, "72", date, Loan, Rent, "1");
    RecordingSurface twice;
    printTAccount(twice, wide, buildTAccount(wide, year), heading(wide, "Loan", "600"), byName, 2);
    EXPECT_EQ(textsStartingWith(twice, "28 September").size(), 1u);
    for (const RecordedCall& c : twice.calls)
        EXPECT_GE(c.x1, 0) << c.text;
}

// Pages numbered from 1 in each copy, the business name and title on the
// first page only, a date printed when it changes, notes with their
// references, wrapped at the last space and never losing a character.
TEST(LedgerPrintouts, GeneralJournalPagesAndNotes) {
    Book book = printedBook();
    const std::string longNote = "The quick brown fox jumps over the lazy dog "
                                 "Pneumonoultramicroscopicsilicovolcanoconiosis again";
    handmade::addEntry(book, "60", feb(28) + 0.5, Rent, Cash, "5", longNote); // at noon
    handmade::addEntry(book, "61", feb(27), Cash, Loan, "1234.5", "Drawn");
    JournalOptions options;
    options.fromDate = feb(1);
    options.toDate = feb(28);
    const JournalList list = buildJournalList(book, options);

    // Columns of a fraction of 0.95 of the width: date ending 100 twips left
    // of the account at 0.10, credit names 260 further in, numbers at 0.66,
    // debit amounts ending 200 left of 0.88, credit amounts 200 left of the end.
    RecordingSurface wide; // 11520 twips: T = 10944
    options.account = money(Loan);
    printGeneralJournal(wide, book, buildJournalList(book, options), heading(book, "Loan", "600"),
                        Locale, 1.0);
    EXPECT_DOUBLE_EQ(edges(wide, "03/02/2026").second, 994.4);
    EXPECT_DOUBLE_EQ(edges(wide, "Loan").first, 1094.4);
    EXPECT_DOUBLE_EQ(edges(wide, "Cash").first, 1354.4);
    EXPECT_DOUBLE_EQ(edges(wide, " 600 ").first, 7223.04);
    EXPECT_DOUBLE_EQ(edges(wide, "1,234.50").second, 9430.72);
    EXPECT_DOUBLE_EQ(edges(wide, "800.00").second, 9430.72);
    options.account = Currency();

    RecordingSurface s(3000, 4000);
    for (int copy = 0; copy < 2; ++copy)
        printGeneralJournal(s, book, list, heading(book, "ALL", ""), Locale, 1.0);
    const auto pageTexts = textsStartingWith(s, "Page ");
    ASSERT_GE(pageTexts.size(), 6u);
    ASSERT_EQ(pageTexts.size() % 2, 0u);
    for (std::size_t i = 0; i < pageTexts.size(); ++i)
        EXPECT_EQ(pageTexts[i], "Page " + std::to_string(i % (pageTexts.size() / 2) + 1));
    EXPECT_EQ(textsStartingWith(s, "Corner Shop").size(), 2u);
    EXPECT_EQ(textsStartingWith(s, "General Journal").size(), 2u);
    EXPECT_EQ(textsStartingWith(s, "Rent Feb / 2").size(), 2u);
    // Entries 14 (Feb 28, note "_") and 60 (at noon) share their day: printed once.
    EXPECT_EQ(textsStartingWith(s, "28/02/2026").size(), 2u);
    EXPECT_EQ(textsStartingWith(s, "/ 14").size(), 2u);
    // A sub-account as the journal window shows it, with the dash setting.
    book.SubAccountDash = -1;
    RecordingSurface dashed(3000, 4000);
    printGeneralJournal(dashed, book, list, heading(book, "ALL", ""), Locale, 1.0);
    EXPECT_FALSE(textsStartingWith(dashed, " 100-1 ").empty());
    EXPECT_TRUE(textsStartingWith(dashed, " 100.1 ").empty());
    RecordingSurface empty; // an empty journal has its period and first page too
    printGeneralJournal(empty, book, JournalList{}, heading(book, "ALL", ""), Locale, 1.0);
    EXPECT_EQ(textsStartingWith(empty, "Page "), std::vector<std::string>{"Page 1"});
    EXPECT_EQ(textsStartingWith(empty, "Dated from 01/02/2026").size(), 1u);
    // Each page has its number once, the running balance's too.
    Book named = printedBook();
    named.BusinessName = std::string(65535, 'B');
    RecordingSurface journalPages(3000, 4000), balancePages(3000, 4000);
    printGeneralJournal(journalPages, named, buildJournalList(named, options),
                        heading(named, "ALL", ""), Locale, 1.0);
    printRunningBalance(balancePages, named,
                        buildRunningBalance(named, inFebruary<LedgerChoice>(Loan)),
                        heading(named, std::string(65535, 'L'), "600"), Locale, 1.0, nullptr);
    for (const RecordingSurface* printed : {&journalPages, &balancePages}) {
        std::vector<std::string> numbers(static_cast<std::size_t>(printed->pages()), "Page ");
        for (std::size_t page = 0; page < numbers.size(); ++page)
            numbers[page] += std::to_string(page + 1);
        EXPECT_GE(numbers.size(), 5u);
        EXPECT_EQ(textsStartingWith(*printed, "Page "), numbers);
    }

    // The long note's lines, bold italic, centred within the page, add up to the note.
    std::string rebuilt;
    const double limit = 3000 - 0.10 * 0.95 * 3000;
    for (const RecordedCall& c : s.calls) {
        if (c.kind != RecordedCall::Text || !c.font.italic ||
            c.text.find("/ 14") != std::string::npos)
            continue;
        if (!rebuilt.empty() && rebuilt.size() >= longNote.size() + 5) break;
        if (rebuilt.empty() && c.text.rfind("The quick", 0) != 0) continue;
        EXPECT_TRUE(c.font.bold);
        const double perCharacter = c.font.size * 11; // bold, at the zoom that fits the page
        EXPECT_NEAR(c.x1 * 2 + c.text.size() * perCharacter, 3000, 1) << c.text; // centred
        EXPECT_LE(c.text.size() * perCharacter, limit + 2 * perCharacter);
        rebuilt += c.text;
    }
    std::string note = longNote + " / 60"; // wrapped at blanks
    std::erase(note, ' '), std::erase(rebuilt, ' ');
    EXPECT_EQ(rebuilt.substr(0, note.size()), note);
}

// The business heading and the account's address on every copy, pages
// numbered from 1 in each, a zero balance keeping the suffix before it, and
// no address when no account has the folio number.
TEST(LedgerPrintouts, RunningBalanceCopiesAndAddress) {
    Book book = printedBook();
    book.AccountNote2[9] = "Lender Ltd\r\nHarbour Road";
    book.AccountNote2[0] = "Another client's address";
    handmade::addEntry(book, "70", feb(20), Loan, Cash, "300", "Settled");
    const LedgerChoice choice = inFebruary<LedgerChoice>(Loan);
    const RunningBalanceLedger ledger = buildRunningBalance(book, choice);

    RecordingSurface s(11520, 5300);
    int headers = 0;
    auto header = [&](DrawingSurface& d) {
        ++headers;
        d.Print("HEADER");
    };
    for (int copy = 0; copy < 2; ++copy)
        printRunningBalance(s, book, ledger, heading(book, "Loan", "600"), Locale, 1.0, header);
    EXPECT_EQ(headers, 2);
    EXPECT_EQ(textsStartingWith(s, "Lender Ltd").size(), 2u);
    EXPECT_EQ(textsStartingWith(s, "Harbour Road").size(), 2u);
    EXPECT_EQ(textsStartingWith(s, "Page "),
              (std::vector<std::string>{"Page 1", "Page 2", "Page 1", "Page 2"}));
    EXPECT_EQ(textsStartingWith(s, "0.00 "),
              (std::vector<std::string>{"0.00 ", "0.00 Cr", "0.00 ", "0.00 Cr"}));

    // Dates ending at X1 = 0.05 W + 0.095 W, debits and credits ending an
    // "eeee" short of X1 + 0.60 U and X1 + 0.75 U, the balance 200 twips short
    // of U (the widest balance of the period takes a sliver from the names
    // and margins), the page number 730 twips short of the right edge.
    const double u = 0.95 * 11520, x1 = 0.05 * 11520 + 0.1 * u;
    EXPECT_DOUBLE_EQ(edges(s, "03/02/2026").second, x1);
    EXPECT_NEAR(edges(s, "500.00").second, x1 + 0.60 * u - 4 * 81.6, 2);
    EXPECT_NEAR(edges(s, "800.00").second, x1 + 0.75 * u - 4 * 81.6, 2);
    EXPECT_NEAR(edges(s, "Page 1").second, 11520 - 730, 1);
    EXPECT_NEAR(edges(s, "300.00 Cr").second, u - 200, 1);

    // A narrow page: 100 %, 150 % and 200 % alike at the largest zoom at which the
    // figures end on the page beside the references, each whole on its line.
    for (EntryId& id : book.EntryIds)
        id = EntryId("INV-2024-000123");
    std::vector<RecordedCall> balances;
    for (const double zoom : {1.0, 1.5, 2.0}) {
        RecordingSurface narrow(4500, 15000);
        printRunningBalance(narrow, book, buildRunningBalance(book, choice),
                            heading(book, "Loan", "600"), Locale, zoom, nullptr);
        for (const RecordedCall& c : narrow.calls)
            if (c.text == "300.00 Cr") balances.push_back(c);
        EXPECT_EQ(textsStartingWith(narrow, "INV"), std::vector<std::string>(3, "INV-2024-00012"));
    }
    ASSERT_EQ(balances.size(), 3u);
    EXPECT_LT(balances[0].font.size, 8.16);
    EXPECT_EQ(balances[1].font.size, balances[0].font.size);
    EXPECT_EQ(balances[2].font.size, balances[0].font.size);
    EXPECT_LE(balances[1].x2, 4500);
    // A title and an address line too wide in the smallest type go on below.
    book.AccountNote2[9] = "Harbour Road " + std::string(3000, 'A');
    RecordingSurface titled(4500, 15000);
    printRunningBalance(titled, book, ledger, heading(book, std::string(400, 'M'), "600"), Locale,
                        1.0, nullptr);
    EXPECT_EQ(textsCutAtEdge(titled.calls, {4500, 15000}), std::vector<std::string>{});
    std::string title;
    for (const std::string& line : textsStartingWith(titled, "MMM"))
        title += line;
    EXPECT_EQ(title, std::string(400, 'M') + " (600)");

    const Book ten = tenLineBook();
    RecordingSurface tall; // its Cash: all 200 rows, 179 balances marked as past the range
    printRunningBalance(tall, ten, buildRunningBalance(ten, inFebruary<LedgerChoice>(Cash)),
                        heading(ten, "Cash", "100"), Locale, 1.0, nullptr);
    EXPECT_EQ(textsStartingWith(tall, "too large to show").size(), 179u);
    EXPECT_EQ(textsStartingWith(tall, "03/02/2026").size(), 100u);

    RecordingSurface unknown;
    printRunningBalance(unknown, book, ledger, heading(book, "Loan", "999"), Locale, 1.0, header);
    EXPECT_TRUE(textsStartingWith(unknown, "Another").empty());
    EXPECT_TRUE(textsStartingWith(unknown, "Lender").empty());
}

TEST(LedgerPrintouts, PrintScaleIsBackToOneAfterPrintCancelAndError) {
    RunTimeState run;
    {
        PrintScaleGuard guard(run, 0.5);
        EXPECT_FLOAT_EQ(run.PrintScale, 0.5f);
    }
    EXPECT_FLOAT_EQ(run.PrintScale, 1.0f);
    try {
        PrintScaleGuard guard(run, 0.8);
        throw std::runtime_error("printer error");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FLOAT_EQ(run.PrintScale, 1.0f);
}

} // namespace
