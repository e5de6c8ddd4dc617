// Posting entry groups into the journal and the group editor's commands and
// clipboard text, on a small hand-made book.
#include "accounts/group_editor.h"
#include "accounts/group_posting.h"
#include "book/entry_clip_text.h"
#include "group_test_books.h"
#include "platform/fake/fake_services.h"

#include <gtest/gtest.h>

using namespace group_books;

namespace {

constexpr double Today = 46000.75; // 9 December 2025, evening

std::vector<std::string> references(const Book& b, std::int32_t from) {
    std::vector<std::string> refs;
    for (std::int32_t i = from; i <= b.LastEntryLine(); ++i)
        refs.push_back(b.EntryIds[i].shown());
    return refs;
}

} // namespace

TEST(GroupPosting, EntriesTakeConsecutiveReferencesAfterTheJournals) {
    struct Case {
        const char* what;
        std::vector<std::string> lastRefs; // of the journal's last lines
        bool oneLineLastEntry;
        std::int16_t autoIncrement;
        std::vector<std::string> posted; // references of the seven posted lines; none: refused
    };
    const std::vector<Case> cases = {
        {"after 41", {"40", "41"}, false, 1, {"42", "42", "43", "43", "43", "44", "44"}},
        {"blank without numbering", {"40", "41"}, false, 0, {"", "", "", "", "", "", ""}},
        {"twelve digits",
         {"202612070000", "202612070001"},
         false,
         1,
         {"202612070002", "202612070002", "202612070003", "202612070003", "202612070003",
          "202612070004", "202612070004"}},
        {"beyond 32 bits",
         {"2147483646", "2147483647"},
         false,
         1,
         {"2147483648", "2147483648", "2147483649", "2147483649", "2147483649", "2147483650",
          "2147483650"}},
        {"one-line last entry", {"40", "41"}, true, 1, {"42", "42", "43", "43", "43", "44", "44"}},
        {"the last entry takes the last 14-digit reference",
         {"99999999999995", "99999999999996"},
         false,
         1,
         {"99999999999997", "99999999999997", "99999999999998", "99999999999998", "99999999999998",
          "99999999999999", "99999999999999"}},
        {"the third entry would pass 14 digits",
         {"99999999999996", "99999999999997"},
         false,
         1,
         {}},
        {"the newest reference at the top", {"1", "99999999999999"}, false, 1, {}},
        {"at the top without numbering",
         {"1", "99999999999999"},
         false,
         0,
         {"", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedFakeServices fakes;
        Book b = smallBook();
        b.EntryIds[1] = c.lastRefs[0];
        b.EntryIds[3] = c.lastRefs[1];
        if (c.oneLineLastEntry) { // lines 0-2 make entry 40, line 3 alone entry 41
            b.EntryIds[2] = c.lastRefs[0];
            b.EntryLines[1].Details = "";
            b.EntryLines[2].Details = "Open";
        }
        b.AutoIncrement = c.autoIncrement;
        b.EntryGroups[3] = threeEntryGroup();
        const std::vector<EntryLine> before = b.EntryGroups[3];
        RunTimeState run;
        takeGroup(b, 3);
        if (c.posted.empty()) {
            const Book unposted = b;
            EXPECT_EQ(postEntryGroup(b, run, Today), std::nullopt);
            EXPECT_EQ(b.EntryLines, unposted.EntryLines);
            EXPECT_EQ(b.EntryIds, unposted.EntryIds);
            EXPECT_FALSE(run.BookChanged);
            ASSERT_EQ(fakes.messages.shown.size(), 1u);
            EXPECT_NE(fakes.messages.lastText().find(" 99999999999999,"), std::string::npos);
            continue;
        }
        EXPECT_EQ(postEntryGroup(b, run, Today), 10);
        EXPECT_EQ(references(b, 4), c.posted);
        EXPECT_EQ(run.CurrentFirstLine, 10);
        EXPECT_TRUE(run.BookChanged);
        EXPECT_EQ(b.EntryGroups[3], before);
        for (std::size_t i = 0; i < before.size(); ++i) {
            EntryLine expected = before[i];
            expected.Date = 46000; // the whole day, whatever the date style
            EXPECT_EQ(b.EntryLines[4 + i], expected) << i;
        }
    }
}

TEST(GroupPosting, ClosesAnOpenJournalEndAndPostsTwice) {
    ScopedFakeServices fakes;
    Book b = smallBook();
    b.EntryLines[3].Details = " ";
    RunTimeState run;
    takeGroup(b, 0); // a new book's group: a blank pair
    postEntryGroup(b, run, Today);
    takeGroup(b, 0);
    postEntryGroup(b, run, Today);
    EXPECT_EQ(b.EntryLines[3].Details, "_");
    EXPECT_EQ(references(b, 4), (std::vector<std::string>{"42", "42", "43", "43"}));
    EXPECT_EQ(b.EntryLines[5].Details, "_");
    EXPECT_EQ(b.EntryLines[6].AccountNumber, Currency());

    // The drop-down's place: right edge 100 twips past the button's.
    const IncludeButtonPlace button{100, 2000, 900, 500, 4000, 400};
    EXPECT_EQ(dropDownPlace(button, 300, 3000), (DropPlace{800, 3780}));
}

TEST(GroupEditor, CommandsKeepEntriesWholeAndTheGroupAtTwoLinesOrMore) {
    ScopedFakeServices fakes;
    Book b = smallBook();
    RunTimeState run;
    b.EditedGroup = 2;
    b.RecurringLines = b.EntryGroups[2]; // a new book's pair
    GroupEditor e(b, run);
    e.open();
    EXPECT_FALSE(e.deleteEntry()); // two lines stay
    EXPECT_FALSE(run.BookChanged);

    e.newEntry();
    EXPECT_EQ(e.LastLine(), 3);
    EXPECT_EQ(e.TopLine(), 2);
    EXPECT_EQ(e.CurrentLine(), 2);
    EXPECT_EQ(e.EntryFirstLine(), 2);
    EXPECT_EQ(e.EntryLastLine(), 3);
    EXPECT_EQ(b.RecurringLines[3], line(Credit, 0, 0, "_"));

    // Up to 30 debit lines, each inserted before the current one.
    e.setAmount(2, money(7));
    int added = 0;
    while (e.addLine(Debit))
        ++added;
    EXPECT_EQ(added, 28); // the 29th addition made 30: no further button
    EXPECT_FALSE(e.canAddLine(Debit));
    EXPECT_FALSE(e.addLine(Debit));
    EXPECT_EQ(e.EntryLastLine(), 32);
    EXPECT_EQ(b.RecurringLines[31].Amount, money(7)); // the line that had the focus
    EXPECT_TRUE(e.canAddLine(Credit));
    e.focusLine(32);
    EXPECT_TRUE(e.addLine(Credit));
    EXPECT_EQ(b.RecurringLines[33].Details, "_"); // the note stays on the last line
    EXPECT_EQ(b.RecurringLines[32], line(Credit, 0, 0));
    // Lines of no side count as credits, as the text forms count them.
    for (int i = 4; i <= 31; ++i)
        b.RecurringLines[i].Side = Unfilled;
    EXPECT_FALSE(e.canAddLine(Credit));

    // Deleting the second entry leaves the first.
    EXPECT_TRUE(e.deleteEntry());
    EXPECT_EQ(e.LastLine(), 1);
    EXPECT_EQ(e.EntryFirstLine(), 0);
    EXPECT_TRUE(run.BookChanged);

    // The first entry's bounds hold from the opening: a three-line first
    // entry goes whole.
    b.RecurringLines = threeEntryGroup();
    std::rotate(b.RecurringLines.begin(), b.RecurringLines.begin() + 2,
                b.RecurringLines.begin() + 5);
    e.open();
    EXPECT_EQ(e.EntryLastLine(), 2);
    EXPECT_TRUE(e.deleteEntry());
    EXPECT_EQ(b.RecurringLines.front(), line(Debit, 600, 500));
    EXPECT_EQ(e.LastLine(), 3);

    // Fields, name and the write-back.
    EXPECT_EQ(e.setFolio(0, "100-1", "."), "Petty cash");
    // Past the largest number, the line keeps its number; left, the box shows it.
    EXPECT_EQ(e.setFolio(0, "99999999999999999999", "."), "Petty cash");
    EXPECT_EQ(e.leaveFolio(0, "99999999999999999999", ",").text, "100,1");
    EXPECT_EQ(e.leaveFolio(0, "100,1", ",").problem, "");
    EXPECT_EQ(e.setAccountName(1, "Sales", "."), std::optional<std::string>("400"));
    EXPECT_EQ(e.setAccountName(1, "Nobody", "."), std::nullopt);
    e.setNote(1, "   ");
    e.setName("  Rent run  ");
    EXPECT_EQ(b.RecurringLines[1], line(Credit, 400, 500, "_"));
    EXPECT_EQ(b.RecurringLines[0].AccountNumber, Currency::fromRaw(1001000));
    EXPECT_NE(b.EntryGroups[2], b.RecurringLines);
    run.BookChanged = false; // saved while the editor was open
    e.writeBack();
    EXPECT_EQ(b.EntryGroups[2], b.RecurringLines);
    EXPECT_TRUE(run.BookChanged);
    run.BookChanged = false;
    e.writeBack(); // the same lines again: nothing to save
    EXPECT_FALSE(run.BookChanged);
    EXPECT_EQ(b.GroupNames[2].raw(), "Rent run" + std::string(112, ' '));
}

TEST(GroupEditor, CopyAndPasteTheEntryLinesText) {
    ScopedFakeServices fakes;
    Book b = smallBook();
    RunTimeState run;
    b.RecurringLines = {line(Debit, money(100), Currency::fromRaw(255000)),
                        line(Credit, money(400), Currency::fromRaw(255000), "Weekly")};
    GroupEditor e(b, run);
    e.open();
    EXPECT_EQ(e.copyText("."), "100\t\tCash at Bank\t25.5\t\r\n\t400\tSales\t25.5\tWeekly\r\nLW");

    // Under a decimal comma a sub-account, an amount and a note with a comma
    // travel both ways.
    const NumberMarks comma{",", "."};
    b.RecurringLines = {line(Debit, Currency::fromRaw(1001000), Currency::fromRaw(125000)),
                        line(Credit, money(400), Currency::fromRaw(12345000), "a,b")};
    e.open();
    const std::string text = e.copyText(",");
    EXPECT_EQ(text, "100,1\t\tPetty cash\t12,5\t\r\n\t400\tSales\t1234,5\ta,b\r\nLW");
    const std::vector<EntryLine> copied = b.RecurringLines;
    ASSERT_TRUE(e.paste(text, comma));
    EXPECT_EQ(std::vector<EntryLine>(b.RecurringLines.begin() + 2, b.RecurringLines.end()), copied);
    EXPECT_EQ(e.TopLine(), 2);
    EXPECT_EQ(e.EntryFirstLine(), 2);
    EXPECT_EQ(e.EntryLastLine(), 3);

    // Several pasted entries stay current together: copying them writes
    // every line's note (TABs removed, a line break a blank), and pasting
    // that copy gives the same lines; "~~" on the clipboard arrives as ",".
    const std::vector<EntryLine> three = {line(Debit, 600, 5), line(Credit, 100, 5, "Rent\tMay"),
                                          line(Debit, 100, 1), line(Credit, 400, 1, "Fee\r\nJune"),
                                          line(Debit, 100, 2), line(Credit, 400, 2, "_")};
    const std::string threeText = EntryClipText(b, three, 0, 5, ".", ClipForm::Group);
    EXPECT_EQ(threeText, "600\t\tRent\t5\t\r\n\t100\tCash at Bank\t5\tRentMay\r\n"
                         "100\t\tCash at Bank\t1\t\r\n\t400\tSales\t1\tFee June\r\n"
                         "100\t\tCash at Bank\t2\t\r\n\t400\tSales\t2\t_\r\nLW");
    const NumberMarks point{".", ","};
    b.RecurringLines = {line(Debit, 100, 1), line(Credit, 400, 1, "_")};
    e.open();
    ASSERT_TRUE(e.paste(threeText, point));
    EXPECT_EQ(e.EntryFirstLine(), 2);
    EXPECT_EQ(e.EntryLastLine(), 7);
    EXPECT_EQ(e.copyText("."), threeText);
    ASSERT_TRUE(e.paste(e.copyText("."), point));
    EXPECT_EQ(std::vector<EntryLine>(b.RecurringLines.begin() + 8, b.RecurringLines.end()),
              std::vector<EntryLine>(b.RecurringLines.begin() + 2, b.RecurringLines.begin() + 8));
    ASSERT_TRUE(e.paste("100\t\t\t1\t\r\n\t400\t\t1\tx~~y~~\r\nLW", comma));
    EXPECT_EQ(b.RecurringLines.back().Details, "x,y,");

    // A full stop in the account, no note at the end: closed with "_".
    ASSERT_TRUE(e.paste("\t100.1\tx\t2\t\r\nLW", comma));
    EXPECT_EQ(b.RecurringLines.back(), line(Credit, Currency::fromRaw(1001000), money(2), "_"));

    // Blanks around the numbers are passed over; an empty account field on
    // the side a line does not use is no fault, nor is an empty amount.
    const std::vector<EntryLine> beforeBlanks = b.RecurringLines;
    ASSERT_TRUE(e.paste(" 100 \t\tCash\t 5\t\r\n\t 400,1\tSales\t5 \tn\r\n"
                        "\t400\t\t\tx\r\nLW",
                        comma));
    ASSERT_EQ(b.RecurringLines.size(), beforeBlanks.size() + 3);
    EXPECT_EQ(std::vector<EntryLine>(b.RecurringLines.end() - 3, b.RecurringLines.end()),
              (std::vector<EntryLine>{line(Debit, 100, 5),
                                      line(Credit, Currency::fromRaw(4001000), money(5), "n"),
                                      line(Credit, money(400), Currency(), "x")}));

    // Refused as a whole, the first faulty line named: fewer than five
    // fields, an amount that is no number under a decimal comma, an account
    // field that is no account number, an entry of 31 debit lines. Refused
    // silently: no marker, only the marker.
    std::string tooLong;
    for (int i = 0; i < 31; ++i)
        tooLong += "100\t\t\t1\t\r\n";
    const std::string good = "100\t\tCash\t1\t\r\n";
    const struct {
        std::string text;
        const char* message; // "" when nothing is said
    } refused[] = {
        {good + "\t400\tSales\t1\r\nLW", "line 2 "},
        {good + good + "\t400\tSales\tabc\tn\r\nLW", "line 3 "},
        {"\t400\tSales\t12.5\tn\r\n" + good + "LW", "line 1 "},
        {good + "\t400\t\t1,00001\tn\r\nLW", "line 2 "},
        {good + "\t99999999999999999999\t\t1\tn\r\nLW", "line 2 "},
        {good + "\tabc\tSales\t1\tn\r\nLW", "line 2 "},
        {"abc\t\tCash\t1\t\r\n" + good + "LW", "line 1 "},
        {good + good + "\t400x\t\t1\tn\r\nLW", "line 3 "},
        {good + "\t4,0,1\t\t1\tn\r\nLW", "line 2 "},
        {good + "\t4 00\t\t1\tn\r\nLW", "line 2 "},
        {good + "\t400\t\t1 2\tn\r\nLW", "line 2 "},
        {tooLong + "\t400\t\t31\tn\r\nLW", "30"},
        {"100\t\tx\t1\tn\r\n", ""},
        {"LW", ""},
    };
    const std::vector<EntryLine> before = b.RecurringLines;
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        const std::size_t said = fakes.messages.shown.size();
        EXPECT_FALSE(e.paste(r.text, comma));
        EXPECT_EQ(b.RecurringLines, before);
        if (*r.message) {
            ASSERT_EQ(fakes.messages.shown.size(), said + 1);
            EXPECT_NE(fakes.messages.lastText().find(r.message), std::string::npos)
                << fakes.messages.lastText();
        } else {
            EXPECT_EQ(fakes.messages.shown.size(), said);
        }
    }
    // The main window's form stays lenient: an account it cannot read is 0.
    const auto journal = readEntryClipText("\tabc\tSales\t1\tn\r\nLW", comma);
    ASSERT_TRUE(journal && journal->size() == 1);
    EXPECT_TRUE(journal->front().whole);
    EXPECT_EQ(journal->front().account, Currency());
}
