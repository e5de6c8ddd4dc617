// What the ledger windows show of a page, worked out from built ledgers: the
// T-account's label rows, the running balance's cells, the journal's printed
// rows with their wrapped notes, the scroll ranges and the detail bar; the
// widest figures the columns are measured by, and columns that give way.
#include "book/hand_made_books.h"
#include "book/text_encoding.h"
#include "ledgers/ledger_pages.h"
#include "ledgers/screen_columns.h"
#include "platform/fake/recording_surface.h"
#include "toolkit/text_wrap.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using handmade::day;
using handmade::money;

// A row of the contra account `account` (its name from the chart), or a
// balance row of its kind.
TAccountRow row(const char* account, const char* amount, TAccountRowKind kind,
                std::int32_t line = 0, double date = day(2025, 3, 2)) {
    return TAccountRow{date, money(account), money(amount), line, kind};
}

TEST(LedgerPages, TAccountRowsShowTheirKindAndOnlyJournalRowsCanBeClicked) {
    Book b = handmade::emptyBook();
    handmade::setAccount(b, 1, "400", "Sales", Revenue);
    handmade::setAccount(b, 2, "610", "Rent", Expense);
    b.DateStyle = 2; // dd/mm/yyyy
    TAccountLedger l;
    l.Decimals = 2;
    l.Debit.Rows = {row("0", "1234.5", TAccountRowKind::BroughtForward, 0, day(2025, 3, 1)),
                    row("400", "0.5", TAccountRowKind::Contra, 7),
                    row("999", "20", TAccountRowKind::Contra, 9)}; // a contra without a name
    l.Credit.Rows = {row("0", "0", TAccountRowKind::EmptyBroughtForward, 0, day(2025, 3, 1)),
                     row("610", "-12.5", TAccountRowKind::Contra, 4),
                     row("0", "1242.5", TAccountRowKind::CarriedDown, 0, 0)};
    const auto page = tAccountPage(b, l, 0, 4, monthFirstLocale());
    ASSERT_EQ(page.size(), 5u);
    struct Expect {
        std::string date, text, amount;
        bool bold;
        int line;
    };
    const std::vector<std::pair<Expect, Expect>> expected = {
        {{"", "Balance b/f", "1,234.50", true, -1}, {"", "   ", "", false, -1}},
        {{"02/03/2025", "Sales", ".50", false, 7}, {"02/03/2025", "Rent", "(12.50)", false, 4}},
        {{"02/03/2025", "", "20.00", false, 9}, {"", "Balance c/d", "1,242.50", true, -1}},
        {{"", "", "", false, -1}, {"", "", "", false, -1}},
        {{"", "", "", false, -1}, {"", "", "", false, -1}},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (const auto& [cell, want] : {std::pair{&page[i].debit, &expected[i].first},
                                         std::pair{&page[i].credit, &expected[i].second}}) {
            EXPECT_EQ(cell->date, want->date) << i;
            EXPECT_EQ(cell->text, want->text) << i;
            EXPECT_EQ(cell->amount, want->amount) << i;
            EXPECT_EQ(cell->bold, want->bold) << i;
            EXPECT_EQ(cell->line, want->line) << i;
        }
    }
    // A page further down shows the rows from there; the halves scroll together.
    EXPECT_EQ(tAccountPage(b, l, 2, 0, monthFirstLocale())[0].credit.text, "Balance c/d");
    // A figure beyond the money range says so in place of its amount.
    l.Credit.Rows[2].Amount = Currency();
    l.Credit.Rows[2].TooLarge = true;
    EXPECT_EQ(tAccountPage(b, l, 2, 0, monthFirstLocale())[0].credit.amount, "too large to show");

    // Scroll ranges: hidden (0) below a page, else the last page ends two rows past the last row.
    for (const auto& [rows, pageRows, max] :
         {std::tuple{0, 19, 0}, {18, 19, 0}, {19, 19, 1}, {100, 19, 82}})
        EXPECT_EQ(tAccountScrollMax(rows, pageRows), max) << rows;
    for (const auto& [rows, visible, max] : {std::tuple{30, 21, 11}, {0, 21, 0}, {5, 21, 0}})
        EXPECT_EQ(runningBalanceScrollMax(rows, visible), max) << rows;
}

TEST(LedgerPages, RunningBalanceCellsAndTheDetailBar) {
    Book b = handmade::emptyBook();
    handmade::setAccount(b, 1, "100", "Cash", CurrentAsset);
    handmade::setAccount(b, 2, "400", "Sales", Revenue);
    handmade::addEntry(b, "7", day(2025, 3, 2), "100", "400", "75", "Takings");
    RunningBalanceLedger l;
    auto add = [&](const char* debit, const char* credit, const char* balance, bool opening) {
        RunningBalanceRow r;
        r.Date = day(2025, 3, 2);
        if (!opening) r.Entry = "7";
        r.Account = money(opening ? "1" : "400");
        r.Credit = std::string(credit) != "0";
        r.Amount = money(r.Credit ? credit : debit);
        r.Balance = money(balance);
        r.Opening = opening;
        r.Line = opening ? 0 : 1;
        l.Rows.push_back(r);
    };
    add("0", "0", "-75", true);
    add("75", "0", "0", false); // zero takes the suffix of the row before
    add("0", "-5", "5", false);
    add("0", "-5", "5", false); // figures beyond the money range say so in place of their amounts
    l.Rows[3].AmountTooLarge = l.Rows[3].BalanceTooLarge = true;
    const auto page = runningBalancePage(b, l, 0, 10, monthFirstLocale());
    ASSERT_EQ(page.size(), 4u);
    const std::vector<std::vector<std::string>> expected = {
        {"3/2/2025", "", "Balance b/f", "", "", "75.00 Cr"},
        {"3/2/2025", "7", "Sales", "75.00", "", "0.00 Cr"},
        {"3/2/2025", "7", "Sales", "", "(5.00)", "5.00 Dr"},
        {"3/2/2025", "7", "Sales", "", "too large to show", "too large to show"},
    };
    for (std::size_t i = 0; i < page.size(); ++i) {
        const auto& c = page[i];
        EXPECT_EQ((std::vector<std::string>{c.date, c.reference, c.account, c.debit, c.credit,
                                            c.balance}),
                  expected[i])
            << i;
    }
    EXPECT_TRUE(page[0].opening);
    EXPECT_EQ(runningBalancePage(b, l, 3, 10, monthFirstLocale()).size(), 1u);
    EXPECT_EQ(runningBalanceWidest(b, l, monthFirstLocale()).balances.back(), "too large to show");

    // The note of the entry's last line, ten spaces and the line's own reference.
    EXPECT_EQ(entryDetailText(b, 0), "Takings" + std::string(10, ' ') + "7" + std::string(13, ' '));
    b.EntryLines[1].Details = "   ";
    EXPECT_EQ(entryDetailText(b, 0), std::nullopt);
    EXPECT_EQ(entryDetailText(b, 5), std::nullopt);
}

TEST(LedgerPages, WidestFiguresAndColumnsThatGiveWayToThem) {
    Book b = handmade::emptyBook();
    RunningBalanceLedger l;
    for (const auto& [date, reference, amount, credit, balance] :
         {std::tuple{day(2025, 3, 2), "7", "75", false, "-75"},
          {day(2024, 1, 5), "12345678", "1234567.5", false, "1234567.5"},
          {day(2024, 6, 1), "12", "-5", true, "5"},
          {day(2024, 6, 1), "MWMWMW", "-5", true, "5"}})
        l.Rows.push_back({date, {}, money(amount), money(balance), 0, EntryId(reference), credit});
    // The period's ends and the widest date of their years; the extremes of
    // each amount column; the balance's size with either suffix.
    const RunningBalanceWidest w = runningBalanceWidest(b, l, monthFirstLocale());
    using Texts = std::vector<std::string>;
    EXPECT_EQ(w.dates, (Texts{"1/5/2024", "12/28/2024", "3/2/2025", "12/28/2025"}));
    // Every reference, for the font to say which is widest: "MWMWMW" is
    // wider than the one of more characters.
    EXPECT_EQ(w.references, (Texts{"12", "12345678", "7", "MWMWMW"}));
    EXPECT_EQ(w.debits, (Texts{"75.00", "1,234,567.50"}));
    EXPECT_EQ(w.credits, (Texts{"(5.00)", "(5.00)"}));
    EXPECT_EQ(w.balances, (Texts{"75.00 Dr", "75.00 Cr", "1,234,567.50 Dr", "1,234,567.50 Cr"}));

    // A figure wider than its design takes from the name, down to the
    // name's least width; past that the table runs wider than designed.
    std::vector<TableColumn> columns = {{50, 80}, {200, 0, true, 60}, {50, 40}};
    EXPECT_EQ(placeTableColumns(columns, 2), 302);
    EXPECT_EQ(columns[1].left, 82);
    EXPECT_EQ(columns[1].width, 170);
    EXPECT_EQ(columns[2].width, 50);
    columns[0].need = 400;
    EXPECT_EQ(placeTableColumns(columns, 2), 512);
    EXPECT_EQ(leastTableWidth(columns), 400 + 60 + 50); // the narrowest, no figure cut
    // Within a room narrower than the designs the names give way by their
    // shares; what one cannot give below its least width the other gives.
    std::vector<TableColumn> two = {{100, 0, true, 90}, {300, 0, true, 0}, {100, 100}};
    EXPECT_EQ(placeTableColumns(two, 0, 400), 400);
    EXPECT_EQ(two[0].width, 90);
    EXPECT_EQ(two[1].width, 210);

    // A name is cut to what fits its room, whole characters only (six
    // pixels a character on the recording surface).
    RecordingSurface s;
    EXPECT_EQ(cutToRoom(s, "Cash at Bank", 40), "Cash a");
    EXPECT_EQ(cutToRoom(s, "Caf\u00e9 au lait", 30), "Caf\u00e9 ");
    EXPECT_EQ(cutToRoom(s, "Cash", 24), "Cash");
    EXPECT_EQ(cutToRoom(s, "Cash", 5), "");

    // Rows stand their design's pitch apart, or a taller font's line height
    // (24 twips a point on the recording surface, whole pixels).
    s.FontSize = 8;
    EXPECT_EQ(rowPitch(s, 14), 14);
    s.FontSize = 12;
    EXPECT_EQ(rowPitch(s, 14), 20);
    EXPECT_FALSE(s.FontBold);
}

// Every character as wide as 1, so the note column (330) holds 316 after the
// 14 blanks that the measure puts before the row.
double charWidth(const std::string& s) {
    return static_cast<double>(s.size());
}

TEST(LedgerPages, JournalNotesWrapAtBlanksAndLongWordsBreakWithoutLoss) {
    const std::string word(700, 'x');
    auto rows = wrapJournalNote(word, 84, 330, charWidth);
    std::string joined;
    for (const auto& [text, x] : rows)
        joined += text;
    EXPECT_EQ(joined, word);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].first.size(), 316u);
    EXPECT_DOUBLE_EQ(rows[0].second, 84 + (330 - 316) / 2.0);

    const std::string words = std::string(300, 'a') + " " + std::string(30, 'b');
    rows = wrapJournalNote(words, 84, 330, charWidth);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].first, std::string(300, 'a') + " ");
    EXPECT_EQ(rows[1].first, std::string(30, 'b'));
    EXPECT_DOUBLE_EQ(rows[1].second, 84 + (330 - 30) / 2.0); // centred in its column
    EXPECT_EQ(wrapJournalNote("Rent", 168, 660, charWidth)[0].second, 168 + (660 - 4) / 2.0);
    // The line before a word too long for the row centred as the others are.
    EXPECT_EQ(wrapJournalNote("Paid " + word, 84, 330, charWidth)[0],
              std::pair(std::string("Paid "), 84 + (330 - 4) / 2.0));
    // A wrapped row moves whole to the next page where a page holds it.
    EXPECT_EQ(linesKeptTogether(4, 100, 400), 4);
    EXPECT_EQ(linesKeptTogether(5, 100, 400), 1);

    // Measured in characters as the encoding helpers count them: whole
    // characters stay together, a stray byte is a character of its own.
    auto characters = [](const std::string& s) {
        return static_cast<double>(encoding::characterCount(s));
    };
    const std::string wide = std::string(310, 'x') + "ééé€€";
    const struct {
        std::string note, firstRow;
    } notes[] = {{"a" + std::string(400, '\x80'), "a" + std::string(315, '\x80')},
                 {wide + std::string(100, 'y'), wide + "y"}};
    for (const auto& n : notes) {
        rows = wrapJournalNote(n.note, 84, 330, characters);
        joined.clear();
        for (const auto& [text, x] : rows)
            joined += text;
        EXPECT_EQ(joined, n.note);
        EXPECT_EQ(rows[0].first, n.firstRow);
    }

    // Within a room of 8: a text too wide only by its last character is wrapped too.
    const auto passes = [](const std::string& s) { return s.size() > 8; };
    EXPECT_EQ(wrapWithinRoom("aaaa bbbb", passes).back().text, "bbbb");
    EXPECT_EQ(wrapWithinRoom("aaaaaaaab", passes).back().text, "b");
    // No blanks alone or empty last line; a room too narrow takes one character.
    std::string texts;
    for (const NoteLine& line :
         wrapNote("aaaa bbbb", [](const std::string& s) { return s.size() >= 2; }))
        texts += line.text + "|";
    EXPECT_EQ(texts, "aa|aa |bb|bb|");
    EXPECT_EQ(wrapWithinRoom("  " + std::string(9, 'a'), passes).front().text, "  aaaaaaaa");
    EXPECT_EQ(wrapWithinRoom("aaaaaaaa  ", passes).size(), 1u);
    for (const auto& [text, align] :
         {std::pair{"ab", LineAlign::Right}, {"  ab", LineAlign::Left}}) {
        RecordingSurface narrow;
        printWithin(narrow, text, 1000, 500, align);
        EXPECT_EQ(narrow.describe(), "Text 1000,0 \"a\" Arial 9\nText 1000,216 \"b\" Arial 9\n");
    }
}

TEST(LedgerPages, JournalPageDatesNotesBlanksAndHits) {
    Book b = handmade::emptyBook();
    handmade::setAccount(b, 1, "100", "Cash", CurrentAsset);
    handmade::setAccount(b, 2, "100.1", "Cash Till", CurrentAsset);
    handmade::setAccount(b, 3, "400", "Sales", Revenue);
    b.SubAccountDash = -1;
    handmade::addEntry(b, "1", day(2025, 3, 2), "100", "400", "10", "Takings");
    handmade::addEntry(b, "2", day(2025, 3, 2), "100.1", "400", "-5", "_");
    handmade::addEntry(b, "3", day(2025, 3, 3), "100", "400", "1234", "Late");
    JournalList list;
    list.ShownLines = {0, 1, 2, 3, 4, 5};
    JournalPageMetrics m;
    m.height = 140; // the fourth item ends below the page
    m.noteWidth = charWidth;
    const JournalPage page = journalPage(b, list, 0, m, monthFirstLocale());
    using K = JournalPrintRow;
    struct Expect {
        K::Kind kind;
        std::string date, name, folio, amount, note;
    };
    const std::vector<Expect> expected = {
        {K::Line, "3/2/2025", "Cash", "100", "10.00", ""},
        {K::Line, "", "Sales", "400", "10.00", ""},
        {K::Note, "", "", "", "", "Takings / 1"}, // the trailing blanks of the reference trimmed
        {K::Blank, "", "", "", "", ""},
        {K::Line, "", "Cash Till", "100-1", "(5.00)", ""},
        {K::Line, "", "Sales", "400", "(5.00)", ""},
        {K::Blank, "", "", "", "", ""},
        {K::Blank, "", "", "", "", ""},
        {K::Line, "3/3/2025", "Cash", "100", "1,234.00", ""},
        {K::Line, "", "Sales", "400", "1,234.00", ""},
        {K::Note, "", "", "", "", "Late / 3"},
        {K::Blank, "", "", "", "", ""},
    };
    ASSERT_EQ(page.rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const JournalPrintRow& r = page.rows[i];
        EXPECT_EQ(r.kind, expected[i].kind) << i;
        EXPECT_EQ(r.date, expected[i].date) << i;
        EXPECT_EQ(r.name, expected[i].name) << i;
        EXPECT_EQ(r.folio, expected[i].folio) << i;
        EXPECT_EQ(r.amount, expected[i].amount) << i;
        EXPECT_EQ(r.note, expected[i].note) << i;
        EXPECT_DOUBLE_EQ(r.y, 58 + 15.0 * static_cast<double>(i)) << i;
    }
    EXPECT_EQ(page.itemLines, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
    // Every folio as the dash setting writes it, for the font to measure (not
    // the one of most characters), and each side's extremes.
    const JournalWidest widest = journalWidest(b, list, monthFirstLocale());
    EXPECT_EQ(widest.folios, (std::vector<std::string>{"0", "100", "100-1", "400"}));
    EXPECT_EQ(widest.debits, (std::vector<std::string>{"(5.00)", "1,234.00"}));
    b.EntryLines[3].AccountNumber = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(journalWidest(b, list, monthFirstLocale()).folios.front(), "-922337203685477-5808");
    b.EntryLines[3].AccountNumber = money("400");
    EXPECT_EQ(page.itemEnds, (std::vector<std::int32_t>{73, 118, 133, 178, 193, 238}));
    EXPECT_EQ(page.visibleRows, 3);
    // Hits: an item's rows down to where the next begins; the partly shown
    // item below the last whole one; nothing in the heading band or further down.
    for (const auto& [y, item] :
         {std::pair{60.0, 0}, {100.0, 1}, {130.0, 2}, {150.0, 3}, {40.0, -1}, {200.0, -1}})
        EXPECT_EQ(journalItemAt(page, y), item) << y;

    // A page that starts inside a run of one date shows its first row in grey, date included.
    const JournalPage second = journalPage(b, list, 2, m, monthFirstLocale());
    EXPECT_TRUE(second.rows[0].grey);
    EXPECT_EQ(second.rows[0].date, "3/2/2025");
    EXPECT_FALSE(second.rows[1].grey);
    EXPECT_TRUE(journalPage(b, JournalList{}, 0, m, monthFirstLocale()).rows.empty());
    // A list of a longer journal stops at the journal's end.
    list.ShownLines.push_back(6);
    EXPECT_EQ(journalPage(b, list, 5, m, monthFirstLocale()).itemLines,
              (std::vector<std::int32_t>{5}));
}

} // namespace
