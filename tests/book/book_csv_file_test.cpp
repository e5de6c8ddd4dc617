#include "book/book_csv_file.h"

#include "platform/fake/fake_services.h"
#include "support/test_paths.h"
#include "text_form_checks.h"

#include <gtest/gtest.h>

using namespace handmade;

namespace {

Book goldenBook() {
    return rentPaidInCash();
}

std::string goldenText() {
    std::string t = "Folio,Account,Type\r\n1,Balance b/f,9\r\n400,Rent,7\r\n100,Cash,1\r\n"
                    "100.1,Cash petty,1\r\n";
    for (int slot = 4; slot <= 13; ++slot)
        t += "0,,1\r\n";
    t += "Date,ID,AccNumber,Account,Debit,Credit,Details\r\n"
         "03/05/2024,17,400,Rent, 250 ,,Rent\r\n"
         "03/05/2024,17,100,Cash,, 250 ,_\r\n";
    return t;
}

Book roundTripBook() {
    Book book = emptyBook();
    book.DateStyle = 2;
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "100.1", "Petty cash", CurrentAsset);
    setAccount(book, 3, "500", "Sales", Revenue);
    setAccount(book, 5, "600", "Wages", Expense); // slot 4 stays an empty row
    setAccount(book, 16, "-7", "Suspense", Other);
    addRoundTripJournal(book, "999");
    return book;
}

TextFormReadResult readCsv(const std::string& text, const Book& open,
                           const LocaleInfo& locale = dayFirstLocale()) {
    return parseBookCsv(text, open, locale, day(2025, 12, 9), nullptr, "/books/shop.csv",
                        CsvUse::Open, hostile::answerAsWritten(open.DateStyle, locale));
}

} // namespace

TEST(BookCsvFile, WritesBothHeadersEverySlotAndTheJournalExactly) {
    ScopedFakeServices fakes(dayFirstLocale());
    EXPECT_EQ(formatBookCsv(goldenBook(), dayFirstLocale(), nullptr), goldenText());

    // Python's csv reader sees seven fields on every journal line, the
    // negative amount and the name of the account included.
    testing_support::TempDir dir;
    ASSERT_TRUE(
        writeBookCsvFile(dir / "book.csv", roundTripBook(), dayFirstLocale(), nullptr).ok());
    std::string out;
    const std::string script =
        "import csv,sys\n"
        "rows=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8')))\n"
        "j=rows.index(['Date','ID','AccNumber','Account','Debit','Credit','Details'])\n"
        "print(j, len(rows)-j-1, set(len(r) for r in rows[j+1:]), rows[j+3][3], rows[j+3][4])\n";
    testing_support::writeFile(dir / "check.py", script);
    ASSERT_EQ(testing_support::runCommand(testing_support::systemPython() + " " +
                                              (dir / "check.py").string() + " " +
                                              (dir / "book.csv").string(),
                                          &out),
              0);
    EXPECT_EQ(out, "18 40 {7} Wages -25.5 \n");
}

TEST(BookCsvFile, RoundTripKeepsEverySlotAmountsSidesReferencesAndNotes) {
    ScopedFakeServices fakes(decimalCommaLocale());
    const Book original = roundTripBook();
    for (const LocaleInfo& locale : {dayFirstLocale(), decimalCommaLocale(), monthFirstLocale()}) {
        SCOPED_TRACE(locale.name);
        Book open = emptyBook();
        open.DateStyle = original.DateStyle;
        TextFormReadResult read = readCsv(formatBookCsv(original, locale, nullptr), open, locale);
        ASSERT_TRUE(read.ok) << read.message;
        expectSameJournal(read.book, original);
        EXPECT_EQ(read.book.LastAccount, original.LastAccount);
        EXPECT_EQ(read.book.AccountNumbers, original.AccountNumbers);
        EXPECT_EQ(read.book.AccountNames, original.AccountNames);
        EXPECT_EQ(read.book.AccountTypes, original.AccountTypes);
    }
}

TEST(BookCsvFile, EveryDateStyleKeepsTheCentury) {
    ScopedFakeServices fakes;
    expectEveryStyleKeepsTheCentury(
        [](const Book& book, const LocaleInfo& locale) {
            return formatBookCsv(book, locale, nullptr);
        },
        [](const std::string& text, const Book& open, const LocaleInfo& locale,
           const textforms::DateOrderQuestion& ask) {
            return parseBookCsv(text, open, locale, 0, nullptr, "shop.csv", CsvUse::Open, ask);
        });
}

TEST(BookCsvFile, WhatTheCsvFormDoesNotHold) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book original = roundTripBook();
    original.BusinessName = "Corner Shop";
    original.AccountNames[1] = "Cash, in hand";
    original.AccountNote[1] = "note";
    original.AccountNote2[1] = "second";
    original.AccountExtra[1] = "extra";
    original.EntryLines[0].Reconciled = 1;
    original.EntryLines[1].Date += 0.5;
    original.DecimalsIncome = 3;

    Book open = emptyBook();
    open.DateStyle = 2;
    open.BusinessName = "Mine";
    open.DecimalsIncome = 1;
    RunTimeState run;
    run.BookFilePath = "/books/previous.acc";
    adoptTextFormBook(open, run, readCsv(formatBookCsv(original, dayFirstLocale(), nullptr), open));
    // Not held: the business name and every other setting, account notes,
    // commas in account names, reconciled marks and the time of day.
    EXPECT_EQ(open.BusinessName.str(), "Mine");
    EXPECT_EQ(open.DecimalsIncome, 1);
    EXPECT_EQ(open.AccountNames[1], "Cash in hand");
    EXPECT_EQ(open.AccountNote[1], "");
    EXPECT_EQ(open.AccountNote2[1], "");
    EXPECT_EQ(open.AccountExtra[1], "");
    EXPECT_EQ(open.EntryLines[0].Reconciled, 0);
    EXPECT_EQ(open.EntryLines[1].Date, day(2024, 2, 29));
    EXPECT_EQ(open.EntryAccountList.size(), open.accountSlots());
    EXPECT_EQ(run.BookFilePath, "");
}

TEST(BookCsvFile, AcceptsEveryLineEndAByteOrderMarkTrailingBlankLinesAndAnOpenLastEntry) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book open = emptyBook();
    open.DateStyle = 2;
    const std::string crlf = goldenText();
    std::string lf = crlf, cr = crlf;
    std::erase(lf, '\r');
    std::erase(cr, '\n');
    for (const std::string& text : {crlf, lf, cr, "\xEF\xBB\xBF" + crlf, crlf + "\r\n\r\n"}) {
        TextFormReadResult read = readCsv(text, open);
        ASSERT_TRUE(read.ok) << read.message;
        expectSameJournal(read.book, goldenBook());
        EXPECT_EQ(read.book.AccountNames[3], "Cash petty");
    }
    // A last entry without its closing note (one being typed) is read whole,
    // and the notice says so.
    std::string typing = crlf;
    typing.replace(typing.find(",, 250 ,_"), 9, ",, 250 ,");
    TextFormReadResult typed = readCsv(typing, open);
    ASSERT_TRUE(typed.ok) << typed.message;
    ASSERT_EQ(typed.book.EntryLines.size(), 2u);
    EXPECT_EQ(typed.book.EntryLines[1].Details, "");
    EXPECT_EQ(typed.notice, "The last entry of this book (reference \"17\", from journal line 2) "
                            "has no closing note: it was opened as it stands.");
    EXPECT_EQ(readCsv(crlf, open).notice, "");

    // Without journal lines: the journal of a new book, dated today.
    TextFormReadResult read = readCsv(crlf.substr(0, crlf.find("03/05/2024")), open);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.book.EntryLines.size(), 2u);
    EXPECT_EQ(read.book.EntryLines[0].Date, day(2025, 12, 9));
}

TEST(BookCsvFile, MalformedFilesStopAtTheLineThatDoesNotFit) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book open = goldenBook();
    const std::string good = goldenText();
    // Lines: 1 header, 2-15 the fourteen slots, 16 journal header, 17-18 journal.
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const std::string journalHeader = "Date,ID,AccNumber,Account,Debit,Credit,Details\r\n";
    expectEachStopsAtItsLine(
        {
            {replaced("Folio,Account,Type", "Folio;Account;Type"), 1,
             "/books/shop.csv is not a Ledgerwick 6 CSV file"},
            {replaced("100,Cash,1", "100,Cash"), 4, "2 fields"},
            {replaced("100,Cash,1", "100,Cash,1,extra"), 4,
             "Stopping Too many comers in the imported csv ACCOUNT line"},
            {replaced(journalHeader, ""), 16,
             "Stopping Too many comers in the imported csv ACCOUNT line"},
            {good.substr(0, good.find(journalHeader)), 16, "without the journal header"},
            {replaced("100,Cash,1", "100,Cash,0"), 4, "class 0 is not between 1 and 9"},
            {replaced("100,Cash,1", "100,Cash,10"), 4, "class 10 is not between 1 and 9"},
            {replaced("100,Cash,1", "1OO,Cash,1"), 4, "account number"},
            {replaced("100,Cash,1\r\n", "100,Cash,1\r\n\r\n"), 5, "blank line among the accounts"},
            {replaced("03/05/2024,17,100", "\r\n03/05/2024,17,100"), 18,
             "blank line in the journal"},
            {replaced(",,Rent", ",,Rent,May"), 17,
             "Stopping, Too many comers in imported csv ENTRY line"},
            {good.substr(0, good.size() - 8), 18, "fields"},
            // Cut short inside the last line.
            {good.substr(0, good.size() - 2), 18,
             "without a line end (it may have been cut short)"},
            {replaced("03/05/2024,17,400", "3/5,17,400"), 17, "date \"3/5\""},
            // Line 17 reads day first only, line 18 month first only.
            {replaced("03/05/2024,17,400,Rent, 250 ,,Rent\r\n03/05/2024",
                      "13/05/2024,17,400,Rent, 250 ,,Rent\r\n05/13/2024"),
             18, "the date \"05/13/2024\" cannot be read day first like the dates above it"},
            {replaced(" 250 ,,Rent", " 250.00001 ,,Rent"), 17, "debit amount"},
            {"", 1, "is not a Ledgerwick 6 CSV file"},
        },
        open, [&](const std::string& text) { return readCsv(text, open); });
}

TEST(BookCsvFile, FilesAreReadForOpeningBehindTheAdministratorPassword) {
    ScopedFakeServices fakes(dayFirstLocale());
    testing_support::TempDir dir;
    ASSERT_TRUE(writeBookCsvFile(dir / "book.csv", goldenBook(), dayFirstLocale(), nullptr).ok());
    EXPECT_EQ(testing_support::readFile(dir / "book.csv"), goldenText());

    Book open = emptyBook(); // date style 0: the file's own order is not known
    open.AdminPassword = "boss";
    PasswordPrompt cancelled = []() -> std::optional<std::string> { return std::nullopt; };
    PasswordPrompt right = []() -> std::optional<std::string> { return "boss"; };
    EXPECT_EQ(readBookCsvForOpening(dir / "book.csv", open, cancelled, nullptr).status,
              BookReadStatus::PasswordRefused);
    // 03/05/2024 reads as 3 May and as 5 March: never taken without a word.
    BookReadResult opened = readBookCsvForOpening(dir / "book.csv", open, right, nullptr);
    EXPECT_EQ(opened.status, BookReadStatus::Damaged);
    EXPECT_EQ(opened.message, "Line 17: the dates can be read day first (this line's as 3 May "
                              "2024) or month first (as 5 March 2024), and the file does not say "
                              "which");
    std::vector<std::string> questions;
    const auto answered = [&](MessageAnswer a) {
        return readBookCsvForOpening(dir / "book.csv", open, right, nullptr,
                                     [&questions, a](const std::string& q) {
                                         questions.push_back(q);
                                         return a;
                                     });
    };
    EXPECT_EQ(answered(MessageAnswer::Cancel).status, BookReadStatus::Cancelled);
    opened = answered(MessageAnswer::Yes);
    ASSERT_TRUE(opened.ok()) << opened.message;
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1],
              "The dates in this file can be read in two ways that give different days, and the "
              "file does not say which way it was written.\n\nLine 17: "
              "03/05/2024,17,400,Rent, 250 ,,Rent\nRead day first, its date is 3 May 2024.\nRead "
              "month first, its date is 5 March 2024.\n\nYes reads every date day first, No "
              "reads every date month first, Cancel opens nothing and leaves the open book as it "
              "is.");
    expectSameJournal(opened.book, goldenBook());
    EXPECT_EQ(opened.book.AccountNames[1], "Rent");
    EXPECT_EQ(readBookCsvForOpening(dir / "none.csv", open, right, nullptr).status,
              BookReadStatus::FileError);
}

TEST(BookCsvFile, EveryTruncationAndByteFlipGivesABookOrALineMessage) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book open = emptyBook();
    open.DateStyle = 2;
    expectEveryDamageReadsOrNamesALine(
        formatBookCsv(roundTripBook(), dayFirstLocale(), nullptr), 54321,
        [&](const std::string& text) { return readCsv(text, open); });
}
