#include "accounts/group_posting.h"
#include "book/book_file.h"
#include "book/insert_book.h"
#include "mainwindow/entry_test_books.h"

#include <gtest/gtest.h>

using namespace entry_books;
using V = std::vector<std::string>;

namespace {

// threeEntries() and a compound entry (lines 6-8, reference 42):
// Cash 250 and Rent 50.5 debited, Sales 300.5 credited.
Book withCompound(const std::string& note) {
    Book b = threeEntries();
    addLine(b, Debit, money(100), money(250), "", "42");
    addLine(b, Debit, money(600), cents(5050), "", "42");
    addLine(b, Credit, money(400), cents(30050), note, "42");
    return b;
}

// An entry of debit lines then credit lines of 1 each, the last with `note`.
std::string entryText(int debits, int credits, const std::string& note) {
    std::string text;
    for (int i = 0; i < debits; ++i)
        text += "100\t\tCash\t1\t\r\n";
    for (int i = 0; i < credits; ++i)
        text += "\t400\tSales\t1\t" + (i + 1 == credits ? note : "") + "\r\n";
    return text;
}

} // namespace

TEST(EntryClipText, ExactTextsOfSimpleAndCompoundEntries) {
    Book b = chartOnly();
    addLine(b, Debit, money(100), money(250), "", "1");
    addLine(b, Credit, money(400), money(250), "Sale", "1");
    EXPECT_EQ(EntryClipText(b, 0, 1, "."), "100\t\tCash\t250\t\r\n\t400\tSales\t250\tSale\r\nLW");

    // TABs leave names and become "~~" in the note; its line break a blank.
    Desk d(withCompound("Sale\tweek\r\n2"));
    d.book.AccountNames[5] = "Re\tnt";
    d.clipboard.copyEntry();
    EXPECT_EQ(d.fakes.clipboard.plain, "100\t\tCash\t250\t\r\n"
                                       "600\t\tRent\t50.5\t\r\n"
                                       "\t400\tSales\t300.5\tSale~~week 2\r\n"
                                       "LW");
    EXPECT_FALSE(d.run.BookChanged);

    // Sub-accounts in plain form whatever SubAccountDash says; an unknown
    // account has no name; a line of no side is copied as the credit it
    // counts as, so that it pastes back; an open last line closes with "_";
    // the decimal mark is the locale's.
    Book c = chartOnly();
    c.SubAccountDash = -1;
    addLine(c, Debit, Currency::fromRaw(1001000), cents(1050), "", "1");
    addLine(c, Unfilled, money(100), money(1), "", "1");
    addLine(c, Credit, money(999), money(0), "", "1");
    EXPECT_EQ(EntryClipText(c, 0, 2, ","),
              "100,1\t\tPetty cash\t10,5\t\r\n\t100\tCash\t1\t\r\n\t999\t\t0\t_\r\nLW");
}

TEST(EntryPaste, ACopiedCompoundEntryComesBackAsOneEntryWithOneReference) {
    Desk d(withCompound("Sale~~week"));
    d.clipboard.copyEntry();
    EntryOutcome out = d.clipboard.pasteEntries();
    EXPECT_EQ(d.lines(9), (V{"D 100 250 #43", "D 600 50.5 #43", "C 400 300.5 'Sale~~week' #43"}));
    EXPECT_EQ(d.dates(9), (std::vector<double>(3, Today)));
    EXPECT_TRUE(out.changed && d.run.BookChanged);
    EXPECT_EQ(d.run.JournalRevision, 0);
    EXPECT_EQ(out.showLine, 9);
    EXPECT_EQ(d.run.CurrentFirstLine, 9);
    EXPECT_EQ(d.run.CurrentLastLine, 11);
    EXPECT_FALSE(out.status); // no balance check

    // Two entries, one reference each; an open end is closed with "_", so
    // the next new entry stands alone.
    d.clipboard.pasteText(entryText(1, 1, "One") + entryText(1, 1, "") + "LW");
    EXPECT_EQ(d.lines(12),
              (V{"D 100 1 #44", "C 400 1 'One' #44", "D 100 1 #45", "C 400 1 '_' #45"}));
    d.commands.newEntry("");
    EXPECT_EQ(d.run.CurrentFirstLine, 16);
    // Without automatic references the pasted lines have none.
    d.book.AutoIncrement = 0;
    d.clipboard.pasteText(entryText(1, 1, "x") + "LW");
    EXPECT_TRUE(d.book.EntryIds[18].neverAssigned());
}

TEST(EntryPaste, TextWithoutTheMarkerOrWithoutLinesChangesNothing) {
    Desk d(threeEntries());
    const V before = d.lines();
    const std::string entry = entryText(1, 1, "x");
    for (const std::string& text : {entry + "LW\r\n", entry, entry + "lw", entry + "LW ",
                                    std::string(""), std::string("LW")}) {
        EntryOutcome out = d.clipboard.pasteText(text);
        EXPECT_FALSE(out.changed || out.showLine) << text;
    }
    d.fakes.clipboard.plain = "";
    EXPECT_FALSE(d.clipboard.pasteEntries().changed);
    EXPECT_EQ(d.lines(), before);
    EXPECT_FALSE(d.run.BookChanged);
    EXPECT_TRUE(d.fakes.messages.shown.empty());
}

TEST(EntryPaste, ASideOfMoreThanThirtyLinesRefusesTheWholeText) {
    Desk d(threeEntries());
    const V before = d.lines();
    EXPECT_FALSE(
        d.clipboard.pasteText(entryText(1, 1, "Fine") + entryText(40, 1, "Long") + "LW").changed);
    EXPECT_EQ(d.lines(), before);
    EXPECT_EQ(d.book.EntryIds.size(), before.size());
    EXPECT_FALSE(d.run.BookChanged);
    ASSERT_EQ(d.fakes.messages.shown.size(), 1u);
    EXPECT_NE(d.fakes.messages.lastText().find("30"), std::string::npos);

    // Thirty a side is taken; the count starts again with each entry.
    EXPECT_TRUE(d.clipboard.pasteText(entryText(30, 1, "A") + "LW").changed);
    EXPECT_TRUE(d.clipboard.pasteText(entryText(1, 30, "B") + "LW").changed);
    EXPECT_TRUE(
        d.clipboard.pasteText(entryText(20, 1, "C") + entryText(20, 1, "D") + "LW").changed);
    const std::size_t lines = d.book.EntryLines.size();
    EXPECT_FALSE(d.clipboard.pasteText(entryText(1, 31, "E") + "LW").changed);
    EXPECT_FALSE(d.clipboard.pasteText(entryText(2, 2, "F") + entryText(31, 1, "") + "LW").changed);
    EXPECT_EQ(d.book.EntryLines.size(), lines);
}

TEST(EntryPaste, FieldsAreReadLenientlyButExactly) {
    const NumberMarks point{".", ","};
    std::optional<std::vector<ClipLine>> r = readEntryClipText(
        "100.1\t\tx\t1,250.5\t\r\n\t\t\t\t\r\n\t400\r\n\tabc\t\tzz\tA\rB\r\n200\t\t\t-3.5\tz\n"
        "\t300\t\t-922337203685477.5808\t\r\nLW",
        point);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (std::vector<ClipLine>{
                      {Debit, Currency::fromRaw(1001000), cents(125050), ""},
                      {Credit, Currency(), Currency(), ""},
                      {Credit, money(400), Currency(), "", false},    // fields missing
                      {Credit, Currency(), Currency(), "A B", false}, // no amount in "zz"
                      {Debit, money(200), cents(-350), "z"},          // a bare LF ends a line too
                      {Credit, money(300), Currency::fromRaw(INT64_MIN), ""}})); // the lowest
    EXPECT_FALSE(readEntryClipText("LW\r\n", point));
    EXPECT_TRUE(readEntryClipText("LW", point)->empty());

    // A decimal-comma round trip keeps sub-accounts and cents.
    Book b = chartOnly();
    addLine(b, Debit, Currency::fromRaw(1001000), cents(1050), "", "7");
    addLine(b, Credit, money(400), cents(1050), "Petty", "7");
    Desk d(std::move(b), decimalCommaLocale());
    d.clipboard.copyEntry();
    d.clipboard.pasteEntries();
    EXPECT_EQ(d.lines(2), (V{"D 100.1 10.5 #8", "C 400 10.5 'Petty' #8"}));
    // A line whose amount cannot be read is refused with the rest, never pasted as 0.
    const std::size_t before = d.book.EntryLines.size();
    EXPECT_FALSE(d.clipboard.pasteText("100\t\t\t10,5\t\n\t400\t\tzz\tSale\nLW").changed);
    EXPECT_EQ(d.book.EntryLines.size(), before);
    EXPECT_EQ(d.fakes.messages.lastText(),
              "Nothing was pasted: line 2 is not an entry line of five "
              "fields with an account number and an amount.");
}

// A reference holds 14 digits: when the next one would pass 99999999999999,
// New Entry and Paste add nothing rather than cut it and repeat one, and an
// entry left open at the journal's end stays as it was.
TEST(EntryPaste, NewEntryAndPasteAddNothingWhenTheNextReferenceWouldNotFit) {
    Desk d(threeEntries());
    const std::int32_t last = d.book.LastEntryLine();
    d.book.EntryIds[last - 1] = d.book.EntryIds[last] = EntryId("99999999999998");
    d.commands.newEntry("");
    EXPECT_EQ(d.ref(last + 1), "99999999999999");
    d.book.EntryLines.back().Details = ""; // the new entry is still being typed
    d.run.BookChanged = false;
    const V before = d.lines();
    EXPECT_FALSE(d.commands.newEntry("").changed);
    EXPECT_FALSE(d.clipboard.pasteText(entryText(1, 1, "One") + "LW").changed);
    EXPECT_EQ(d.lines(), before);
    EXPECT_FALSE(d.run.BookChanged);
    ASSERT_EQ(d.fakes.messages.shown.size(), 2u);
    EXPECT_NE(d.fakes.messages.lastText().find("would pass 99999999999999"), std::string::npos);
    // Without automatic references nothing needs to fit.
    d.book.AutoIncrement = 0;
    EXPECT_TRUE(d.clipboard.pasteText(entryText(1, 1, "One") + "LW").changed);

    // A reference in exponent form counts in exact digits: 1E13 is followed
    // by 10000000000001, and 1E15 by a number too long to hold, not "1E+15"
    // again and again.
    Desk e(threeEntries());
    e.book.EntryIds[4] = e.book.EntryIds[5] = EntryId("1E13");
    e.commands.newEntry("");
    EXPECT_EQ(e.ref(6), "10000000000001");
    e.book.EntryIds[6] = e.book.EntryIds[7] = EntryId("1E15");
    EXPECT_FALSE(e.commands.newEntry("").changed);
    EXPECT_FALSE(e.clipboard.pasteText(entryText(1, 1, "One") + "LW").changed);
    EXPECT_EQ(e.book.LastEntryLine(), 7);
}

// Every command numbering entries after the journal's newest numbered
// reference, in the locale's decimal mark.
TEST(EntryPaste, EveryCommandNumbersEntriesAlikeInEveryLocale) {
    Book twoEntries = threeEntries();
    twoEntries.resizeJournal(4);
    const std::string bookFile = serializeBookFile(twoEntries, nullptr, nullptr).value();
    const std::string pasted = entryText(1, 1, "One") + entryText(1, 1, "Two") + "LW";
    const std::function<void(Desk&)> commands[] = {
        [](Desk& d) { d.commands.newEntry(""); }, [&](Desk& d) { d.clipboard.pasteText(pasted); },
        [](Desk& d) { postEntryGroup(d.book, d.run, AnyDay); },
        [&](Desk& d) {
            insertBook(d.book, d.run, bookFile, InsertSource::BookFile, "", {}, d.model.locale());
        }};
    // The journal's entries (reference, lines) and the references of the two entries added.
    using Entries = std::vector<std::pair<const char*, int>>;
    const std::tuple<LocaleInfo, Entries, V> journals[] = {
        {dayFirstLocale(), {{"12.5", 6}}, {"13.5", "14.5"}},
        {dayFirstLocale(), {{"-3", 6}}, {"-2", "-1"}},
        {dayFirstLocale(), {{"12,5", 6}}, {"13", "14"}},
        {decimalCommaLocale(), {{"12,5", 6}}, {"13,5", "14,5"}},
        {decimalCommaLocale(), {{"12.5", 6}}, {"13,5", "14,5"}},
        {decimalCommaLocale(), {{"-0,25", 6}}, {"0,75", "1,75"}},
        {dayFirstLocale(), {{"12.5", 2}, {"-3", 9}}, {"-2", "-1"}},
        {dayFirstLocale(), {{"12.5", 2}, {"-3", 10}}, {"-2", "-1"}},
        {dayFirstLocale(), {{"3", 2}, {"7", 1}}, {"8", "9"}}};
    for (const auto& [locale, entries, next] : journals)
        for (std::size_t c = 0; c < std::size(commands); ++c) {
            SCOPED_TRACE(std::to_string(c) + " after " + entries.back().first);
            Book journal = chartOnly();
            for (const auto& [reference, lines] : entries)
                for (int k = 0; k < lines; ++k)
                    addLine(journal, k % 2 == 0 ? Debit : Credit, 100, 1, k + 1 == lines ? "_" : "",
                            reference);
            const std::int32_t before = journal.LastEntryLine() + 1;
            Desk d(std::move(journal), locale);
            d.book.RecurringLines = twoEntries.EntryLines; // the group posted
            commands[c](d);
            ASSERT_EQ(d.book.LastEntryLine(), before + (c == 0 ? 1 : 3)); // New Entry adds one
            for (std::int32_t line = before; line <= d.book.LastEntryLine(); ++line)
                EXPECT_EQ(d.book.EntryIds[line].shown(), next[(line - before) / 2]) << line;
        }
}
