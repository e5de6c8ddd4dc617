#include "book/book_text_file.h"

#include "book/entry_clip_text.h"
#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "support/test_paths.h"
#include "text_form_checks.h"

#include <gtest/gtest.h>

using namespace handmade;

namespace {

const std::string Rule(80, '-');

// Two accounts of class 1 (one a sub-account whose name holds a comma), one of
// class 7 and the opening-balance account, and a debit and a credit line.
Book goldenBook() {
    Book book = rentPaidInCash();
    book.Caption = "Ledgerwick";
    book.BusinessName = "Corner Shop";
    return book;
}

// The golden book as the writer gives it: every slot in table order, the
// empty ones too. Older versions wrote the accounts class by class without
// the empty slots (`asWritten` false); such a file still reads.
std::string goldenText(bool asWritten = true) {
    std::string t = "mLedgerwick\r\n" + Rule + "\r\nCorner Shop\r\n" + Rule + "\r\n";
    for (const char* c :
         {"1-Current Asset", "2-Current Liabilitie", "3-Non Current Asset",
          "4-Non Current Liabilitie", "5-COGS", "6-Revenue", "7-Expense", "8-Capital", "9-Other"})
        t += std::string(c) + "\r\n";
    t += Rule + "\r\n" +
         (asWritten ? "9-1,Balance b/f\r\n7-400,Rent\r\n1-100,Cash\r\n1-100.1,Cash, petty\r\n"
                    : "1-100,Cash\r\n1-100.1,Cash, petty\r\n7-400,Rent\r\n9-1,Balance b/f\r\n");
    for (int k = 4; asWritten && k < 14; ++k)
        t += "1-0,\r\n";
    t += Rule + "\r\nID,Date,Account,Debit,Credit,Details\r\n" + Rule + "\r\n";
    t += "17,03/05/2024,400, 250 ,,Rent\r\n17,03/05/2024,100,, 250 ,_\r\n" + Rule + "\r\n";
    return t;
}

// Everything a round trip must keep: accounts of the text form and each line.
Book roundTripBook() {
    Book book = emptyBook();
    book.DateStyle = 2;
    book.BusinessName = "-Dash & Co";
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "100.1", "Cash, petty", CurrentAsset);
    setAccount(book, 3, "500", "Sales", Revenue);
    setAccount(book, 4, "600", "Wages", Expense);
    setAccount(book, 5, "-7", "Suspense", Other);
    addRoundTripJournal(book, "500");
    return book;
}

TextFormReadResult readText(const std::string& text, const Book& open, const LocaleInfo& locale) {
    return parseBookText(text, open, locale, day(2025, 12, 9), nullptr,
                         hostile::answerAsWritten(open.DateStyle, locale));
}

} // namespace

TEST(BookTextFile, WritesTheSectionsClassListAccountsAndJournalLinesExactly) {
    ScopedFakeServices fakes(dayFirstLocale());
    EXPECT_EQ(formatBookText(goldenBook(), dayFirstLocale(), nullptr), goldenText());

    // Fields that would break the line structure are made safe: "," leaves
    // references and notes, CR LF and LF become one space, NULs go.
    Book book = goldenBook();
    book.BusinessName = "Corner\r\nShop";
    book.AccountNames[1] = "Rent\nand rates";
    book.EntryIds[0] = "1,7";
    book.EntryLines[0].Details = "  Rent, May\r\n ";
    book.EntryIds[1] = EntryId(); // never assigned: NUL bytes
    const std::string text = formatBookText(book, dayFirstLocale(), nullptr);
    EXPECT_NE(text.find("\r\nCorner Shop\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n7-400,Rent and rates\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n17,03/05/2024,400, 250 ,,Rent May\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n,03/05/2024,100,, 250 ,_\r\n"), std::string::npos);
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

TEST(BookTextFile, RoundTripKeepsAccountsAmountsSidesReferencesAndNotes) {
    ScopedFakeServices fakes(dayFirstLocale());
    const Book original = roundTripBook();
    Book open = emptyBook();
    open.DateStyle = original.DateStyle;
    TextFormReadResult read =
        readText(formatBookText(original, dayFirstLocale(), nullptr), open, dayFirstLocale());
    ASSERT_TRUE(read.ok) << read.message;
    expectSameJournal(read.book, original);
    EXPECT_EQ(read.book.BusinessName.str(), "-Dash & Co");
    // Accounts come back in table order, empty slots too; the name keeps its comma.
    const Book& b = read.book;
    ASSERT_EQ(b.LastAccount, 13);
    EXPECT_EQ(std::vector<std::string>(b.AccountNames.begin(), b.AccountNames.begin() + 5),
              (std::vector<std::string>{"Balance b/f", "Cash", "Cash, petty", "Sales", "Wages"}));
    EXPECT_EQ(b.AccountTypes[0], Other);
    EXPECT_EQ(b.AccountNumbers[2], money("100.1"));
    EXPECT_EQ(b.AccountTypes[3], Revenue);
    EXPECT_EQ(b.AccountNumbers[5], money("-7"));
    EXPECT_EQ(b.accountSlots(), 14u);

    // What the file reads is written again byte for byte.
    read.book.DateStyle = original.DateStyle;
    EXPECT_EQ(formatBookText(read.book, dayFirstLocale(), nullptr),
              formatBookText(original, dayFirstLocale(), nullptr));
}

TEST(BookTextFile, WhatTheTextFormDoesNotHold) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book original = roundTripBook();
    original.AccountNote[1] = "note";
    original.AccountNote2[1] = "second\r\nnote";
    original.AccountExtra[1] = "extra";
    original.EntryLines[0].Reconciled = 1;
    original.EntryLines[1].Date += 0.75;                // a time of day
    original.EntryLines[2].Details = "   ";             // only spaces
    original.EntryLines[4].Details = "  Nothing owed "; // spaces around
    original.EntryLines[5].Side = Unfilled;             // a line never filled
    original.DecimalsJournal = 3;
    original.AutoIncrement = 0;
    original.GroupNames[0] = "Rent";
    original.AdminPassword = "secret";

    Book open = emptyBook();
    open.DateStyle = 2;
    open.GroupNames[0] = "Mine";
    open.FontName = "Sans";
    open.BusinessAddress = "1 High St";
    RunTimeState run;
    run.BookFilePath = "/books/previous.acc";
    run.BookChanged = true;
    adoptTextFormBook(
        open, run,
        readText(formatBookText(original, dayFirstLocale(), nullptr), open, dayFirstLocale()));
    // Not held: account notes, reconciled marks, the time of day, spaces
    // around notes, the amount of a line with no side, and every setting but
    // the business name.
    EXPECT_EQ(open.AccountNote[0], "");
    EXPECT_EQ(open.AccountNote2[0], "");
    EXPECT_EQ(open.AccountExtra[0], "");
    EXPECT_EQ(open.EntryLines[0].Reconciled, 0);
    EXPECT_EQ(open.EntryLines[1].Date, day(2024, 2, 29));
    EXPECT_EQ(open.EntryLines[2].Details, "");
    EXPECT_EQ(open.EntryLines[4].Details, "Nothing owed");
    EXPECT_EQ(open.EntryLines[5].Side, Unfilled);
    EXPECT_EQ(open.EntryLines[5].Amount, Currency());
    EXPECT_EQ(open.LastAccount, 13);
    EXPECT_EQ(open.AccountNames[1], "Cash");
    EXPECT_EQ(open.DecimalsJournal, 2);
    EXPECT_EQ(open.AutoIncrement, 1);
    EXPECT_EQ(open.GroupNames[0].shown(), "Mine");
    EXPECT_EQ(open.FontName.str(), "Sans");
    EXPECT_EQ(open.BusinessAddress.str(), "1 High St");
    EXPECT_EQ(open.AdminPassword.str(), "");
    EXPECT_EQ(open.BusinessName.str(), "-Dash & Co"); // held
    // The entry-line account list follows the new chart; the book has no file path.
    ASSERT_EQ(open.EntryAccountList.size(), open.accountSlots());
    EXPECT_EQ(open.EntryAccountList[2].str(), "Cash, petty");
    EXPECT_EQ(run.BookFilePath, "");
    EXPECT_EQ(run.CurrentFilePath, "");
    EXPECT_FALSE(run.BookChanged);
}

TEST(BookTextFile, DecimalMarkIsAlwaysAPointAndDatesFollowTheBooksStyle) {
    // Under a decimal comma neither account fractions nor amounts split.
    ScopedFakeServices fakes(decimalCommaLocale());
    Book book = roundTripBook();
    book.DateStyle = 0;
    std::string text = formatBookText(book, decimalCommaLocale(), nullptr);
    EXPECT_NE(text.find("\r\n1-100.1,Cash, petty\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n2,29.02.2024,600,-25.5 ,,\r\n"), std::string::npos);
    Book open = emptyBook();
    open.DateStyle = 0;
    TextFormReadResult read = readText(text, open, decimalCommaLocale());
    ASSERT_TRUE(read.ok) << read.message;
    expectSameJournal(read.book, book);

    // A month-first style on a day-first system: day and month do not swap.
    book.DateStyle = 6;
    text = formatBookText(book, dayFirstLocale(), nullptr);
    EXPECT_NE(text.find("\r\n1,02/29/2024,100, 1000 ,,\r\n"), std::string::npos);
    open.DateStyle = 6;
    read = readText(text, open, dayFirstLocale());
    ASSERT_TRUE(read.ok) << read.message;
    expectSameJournal(read.book, book);
}

TEST(BookTextFile, EveryDateStyleKeepsTheCentury) {
    ScopedFakeServices fakes;
    expectEveryStyleKeepsTheCentury(
        [](const Book& book, const LocaleInfo& locale) {
            return formatBookText(book, locale, nullptr);
        },
        [](const std::string& text, const Book& open, const LocaleInfo& locale,
           const textforms::DateOrderQuestion& ask) {
            return parseBookText(text, open, locale, 0, nullptr, ask);
        });
}

TEST(BookTextFile, AcceptsEveryLineEndAByteOrderMarkAndOldCodePages) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book open = emptyBook();
    open.DateStyle = 2;
    const std::string crlf = goldenText(false); // as older versions wrote it
    std::string lf = crlf, cr = crlf;
    std::erase(lf, '\r');
    std::erase(cr, '\n');
    for (const std::string& text :
         {crlf, lf, cr, "\xEF\xBB\xBF" + crlf, lf.substr(0, lf.size() - 1)}) {
        TextFormReadResult read = readText(text, open, dayFirstLocale());
        ASSERT_TRUE(read.ok) << read.message;
        expectSameJournal(read.book, goldenBook());
        EXPECT_EQ(read.book.AccountNames[0], "Cash");
    }
    // Not UTF-8: decoded from the book's character set (1252 by default).
    std::string old = crlf;
    old.replace(old.find("Corner Shop"), 11, "Caf\xE9");
    EXPECT_EQ(readText(old, open, dayFirstLocale()).book.BusinessName.str(), "Caf\xC3\xA9");
    open.FontCharset = 204; // Cyrillic
    EXPECT_EQ(readText(old, open, dayFirstLocale()).book.BusinessName.str(), "Caf\xD0\xB9");
}

TEST(BookTextFile, EdgeBooksReadBack) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book open = emptyBook();
    open.DateStyle = 2;
    // A note of NUL characters alone is no note (the writers drop NULs): the
    // entry goes on to the next line, as it will when the book is read back.
    std::string nuls = goldenText();
    nuls.replace(nuls.find(",,Rent\r\n"), 8, std::string(",,\0\0\r\n", 6));
    TextFormReadResult withNuls = readText(nuls, open, dayFirstLocale());
    ASSERT_TRUE(withNuls.ok) << withNuls.message;
    EXPECT_EQ(withNuls.book.EntryLines[0].Details, "");
    EXPECT_EQ(withNuls.book.EntryLines[1].Details, "_");
    // A business name of dashes only is still the business name.
    Book book = goldenBook();
    book.BusinessName = "---";
    TextFormReadResult read =
        readText(formatBookText(book, dayFirstLocale(), nullptr), open, dayFirstLocale());
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.book.BusinessName.str(), "---");
    EXPECT_EQ(read.book.AccountNames[0], "Balance b/f");

    // A file without journal lines gives the journal of a new book, dated today.
    std::string text = goldenText();
    const std::size_t from = text.find("17,03/05/2024,400");
    text.erase(from, text.rfind(Rule) - from);
    read = readText(text, open, dayFirstLocale());
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.book.EntryLines.size(), 2u);
    EXPECT_EQ(read.book.EntryLines[0].Date, day(2025, 12, 9));
    EXPECT_EQ(read.book.EntryLines[1].Details, "_");
    EXPECT_EQ(read.book.EntryIds[0].shown(), "1");

    // Thirty lines a side, written credit first without notes, read back debits first.
    book = goldenBook();
    book.resizeJournal(0);
    for (int i = 0; i < 30; ++i)
        addLine(book, "9", day(2024, 1, 1), Credit, "100", "1");
    for (int i = 0; i < 30; ++i)
        addLine(book, "9", day(2024, 1, 1), Debit, "400", "1", i == 29 ? "Big" : "");
    read = readText(formatBookText(book, dayFirstLocale(), nullptr), open, dayFirstLocale());
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.book.EntryLines.size(), 60u);
    EXPECT_EQ(read.book.EntryLines[0].Side, Debit);
    EXPECT_EQ(read.book.EntryLines[28].Side, Debit);
    EXPECT_EQ(read.book.EntryLines[29].Side, Credit);
    EXPECT_EQ(read.book.EntryLines[59].Side, Debit); // the note line stays last
    EXPECT_EQ(read.book.EntryLines[59].Details, "Big");
}

TEST(BookTextFile, MalformedFilesStopAtTheLineThatDoesNotFit) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book open = goldenBook();
    const std::string good = goldenText(false);
    // Lines: 15-18 accounts, 19 rule, 20 journal header, 21 rule, 22-23 journal, 24 rule.
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    expectEachStopsAtItsLine(
        {
            {replaced("17,03/05/2024,100", "\r\n17,03/05/2024,100"), 23,
             "blank line in the journal"},
            {replaced("1-100,Cash\r\n", "1-100\r\n"), 15, "no name"},
            {replaced("ID,Date,Account,Debit,Credit,Details\r\n", ""), 20, "journal header"},
            {replaced("1-100,Cash", "0-100,Cash"), 15, "class 0 is not between 1 and 9"},
            {replaced("1-100,Cash", "10-100,Cash"), 15, "class 10 is not between 1 and 9"},
            {replaced("1-100,Cash", "-100,Cash"), 15, "class"},
            {replaced("1-100,Cash", "1-1OO,Cash"), 15, "account number"},
            {replaced("\r\n1-100,Cash", "\r\n\r\n1-100,Cash"), 15, "blank line among the accounts"},
            {good.substr(0, good.find(", 250 ,_")), 23, "fields"},
            {good.substr(0, good.rfind(Rule)), 24, "cut short"},
            {replaced("17,03/05/2024,400", "17,31/02/2024,400"), 22, "date \"31/02/2024\""},
            {replaced("400, 250 ,,Rent", "400, 2,50 ,,Rent"), 22, "fields"},
            {replaced(", 250 ,_", ", 25x ,_"), 23, "credit amount \"25x\""},
            {replaced(Rule + "\r\nCorner", "Corner"), 2, "rule"},
            {"", 1, "empty"},
        },
        open, [&](const std::string& text) { return readText(text, open, dayFirstLocale()); });

    // Thirty-one lines on one side of an entry stop at the thirty-first.
    Book big = goldenBook();
    big.resizeJournal(0);
    for (int i = 0; i < 31; ++i)
        addLine(big, "9", day(2024, 1, 1), Debit, "400", "1");
    addLine(big, "9", day(2024, 1, 1), Credit, "100", "31", "Too big");
    TextFormReadResult read =
        readText(formatBookText(big, dayFirstLocale(), nullptr), open, dayFirstLocale());
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, "Line 62: Stopping, a compound entry was too big to load...");
}

TEST(BookTextFile, ALineOnNeitherSideCountsAsACreditWhereverLinesPerSideAreCounted) {
    ScopedFakeServices fakes(dayFirstLocale());
    const Book open = goldenBook();
    // One entry of debits, lines never filled (side 0, no amount) and
    // credits, the note on the last: the writer's refusal, the reader and
    // the paste count alike.
    struct Entry {
        int debits, unfilled, credits;
        bool fits;
    };
    for (const Entry e : {Entry{30, 29, 1, true}, Entry{1, 1, 30, false}, Entry{1, 30, 1, false}}) {
        SCOPED_TRACE(std::to_string(e.unfilled) + " never filled");
        Book book = goldenBook();
        book.resizeJournal(0);
        for (int i = 0; i < e.debits; ++i)
            addLine(book, "9", day(2024, 1, 1), Debit, "400", "1");
        for (int i = 0; i < e.unfilled; ++i)
            addLine(book, "9", day(2024, 1, 1), Unfilled, "100", "0");
        for (int i = 0; i < e.credits; ++i)
            addLine(book, "9", day(2024, 1, 1), Credit, "100", "1", i + 1 == e.credits ? "N" : "");
        std::vector<ClipLine> pasted;
        for (const EntryLine& line : book.EntryLines)
            pasted.push_back(ClipLine{line.Side, line.AccountNumber, line.Amount, line.Details});
        EXPECT_EQ(textforms::refusalFor(book, "text").empty(), e.fits);
        EXPECT_EQ(
            readText(formatBookText(book, dayFirstLocale(), nullptr), open, dayFirstLocale()).ok,
            e.fits);
        EXPECT_EQ(clipEntriesFit(pasted), e.fits);
    }
}

TEST(BookTextFile, FilesAreWrittenSafelyAndReadForOpening) {
    ScopedFakeServices fakes(dayFirstLocale());
    testing_support::TempDir dir;
    const Book book = goldenBook();
    ASSERT_TRUE(writeBookTextFile(dir / "book.txt", book, dayFirstLocale(), nullptr).ok());
    EXPECT_EQ(testing_support::readFile(dir / "book.txt"), goldenText());
    EXPECT_FALSE(
        writeBookTextFile(dir / "missing" / "book.txt", book, dayFirstLocale(), nullptr).ok());
    EXPECT_EQ(testing_support::readFile(dir / "book.txt"), goldenText());

    Book open = emptyBook();
    open.DateStyle = 2;
    TextFormReadResult read =
        readBookTextFile(dir / "book.txt", open, dayFirstLocale(), day(2025, 1, 1), nullptr,
                         hostile::answerAsWritten(2, dayFirstLocale()));
    ASSERT_TRUE(read.ok) << read.message;
    expectSameJournal(read.book, book);
    read = readBookTextFile(dir / "none.txt", open, dayFirstLocale(), day(2025, 1, 1), nullptr);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.error);

    // Opening asks for the open book's administrator password first.
    open.AdminPassword = "boss";
    int asked = 0;
    PasswordPrompt wrong = [&]() -> std::optional<std::string> {
        ++asked;
        return "guess";
    };
    PasswordPrompt right = [&]() -> std::optional<std::string> {
        ++asked;
        return "boss";
    };
    EXPECT_EQ(readBookTextForOpening(dir / "book.txt", open, wrong, nullptr).status,
              BookReadStatus::PasswordRefused);
    BookReadResult opened = readBookTextForOpening(dir / "book.txt", open, right, nullptr,
                                                   hostile::answerAsWritten(2, dayFirstLocale()));
    ASSERT_TRUE(opened.ok()) << opened.message;
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(opened.book.AdminPassword.str(), "boss");
    EXPECT_EQ(opened.book.BusinessName.str(), "Corner Shop");
    expectSameJournal(opened.book, book);
}

TEST(BookTextFile, EveryTruncationAndByteFlipGivesABookOrALineMessage) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book open = emptyBook();
    open.DateStyle = 2;
    expectEveryDamageReadsOrNamesALine(
        formatBookText(roundTripBook(), dayFirstLocale(), nullptr), 12345,
        [&](const std::string& text) { return readText(text, open, dayFirstLocale()); });
}
