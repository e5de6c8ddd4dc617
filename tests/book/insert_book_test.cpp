#include "book/insert_book.h"

#include "book/book_csv_file.h"
#include "book_file_test_books.h"
#include "hand_made_books.h"
#include "platform/fake/fake_services.h"
#include "support/hostile_books.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

using namespace handmade;
using book_file_testing::serialized;

namespace {

// The open book: accounts 1 and 100, ten lines whose last entry is reference 41.
Book openBook() {
    Book book = emptyBook();
    book.DateStyle = 2;
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    for (int i = 0; i < 5; ++i)
        addEntry(book, std::to_string(37 + i), day(2024, 1, 1 + i), "100", "1", "10", "Own");
    book.EntryAccountList = {VariantText("Balance b/f"), VariantText("Cash")};
    book.ReservedLong = 7;
    return book;
}

// The other book: 100 under another name, 100.1 and 500 new; six lines
// (references 1, 2 and 3), one line reconciled.
Book otherBook() {
    Book book = emptyBook();
    book.DateStyle = 2;
    setAccount(book, 1, "100", "Bank", CurrentAsset);
    setAccount(book, 2, "100.1", "Petty cash", CurrentAsset);
    setAccount(book, 3, "500", "Shop", Revenue);
    book.AccountNote[3] = "till";
    addEntry(book, "1", day(2024, 2, 1), "100.1", "500", "5", "Sale");
    addEntry(book, "2", day(2024, 2, 2), "100", "500", "6.5", "Sale");
    addEntry(book, "3", day(2024, 2, 3), "500", "100", "1", "Refund");
    book.EntryLines[2].Reconciled = 1;
    book.ReservedLong = 99;
    return book;
}

const PasswordPrompt noPrompt = []() -> std::optional<std::string> { return std::nullopt; };

InsertResult insert(Book& book, RunTimeState& run, const std::string& bytes, InsertSource source,
                    const PasswordPrompt& prompt = noPrompt) {
    return insertBook(book, run, bytes, source, "/books/other", prompt, dayFirstLocale(),
                      hostile::answerAsWritten(2, dayFirstLocale()));
}

std::vector<std::string> referencesFrom(const Book& book, std::size_t first) {
    std::vector<std::string> out;
    for (std::size_t i = first; i < book.EntryIds.size(); ++i)
        out.push_back(book.EntryIds[i].shown());
    return out;
}

} // namespace

TEST(InsertBook, BookFileAppendsLinesAndNewAccounts) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = openBook();
    book.AutoIncrement = 0;
    RunTimeState run;
    run.BookFilePath = "/books/mine.acc";
    const Book other = otherBook();
    InsertResult result = insert(book, run, serialized(other), InsertSource::BookFile);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.linesAppended, 6);
    EXPECT_EQ(result.accountsAdded, 2);
    EXPECT_TRUE(result.changed);
    EXPECT_TRUE(run.BookChanged);
    EXPECT_EQ(run.BookFilePath, "/books/mine.acc");

    // Lines 10..15 are the other book's, all fields as stored.
    ASSERT_EQ(book.LastEntryLine(), 15);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(book.EntryLines[10 + i] == other.EntryLines[i]) << i;
    EXPECT_EQ(referencesFrom(book, 10), (std::vector<std::string>{"1", "1", "2", "2", "3", "3"}));
    // 100 keeps its name; 100.1 and 500 follow the last slot, notes included.
    EXPECT_EQ(book.AccountNames[1], "Cash");
    EXPECT_EQ(book.LastAccount, 15);
    EXPECT_EQ(book.AccountNumbers[14], money("100.1"));
    EXPECT_EQ(book.AccountNames[15], "Shop");
    EXPECT_EQ(book.AccountTypes[15], Revenue);
    EXPECT_EQ(book.AccountNote[15], "till");
    ASSERT_EQ(book.EntryAccountList.size(), 4u);
    EXPECT_EQ(book.EntryAccountList[2].str(), "Petty cash");
    EXPECT_EQ(book.EntryAccountList[3].str(), "Shop");
    EXPECT_EQ(book.ReservedLong, 99);

    // Inserting the same book again adds lines but no account.
    result = insert(book, run, serialized(other), InsertSource::BookFile);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.accountsAdded, 0);
    EXPECT_EQ(book.LastEntryLine(), 21);
}

TEST(InsertBook, TheEntryLinesAccountListKeepsTheBooksOwnAccounts) {
    ScopedFakeServices fakes(dayFirstLocale());
    // A book made here starts its list from its chart.
    Book made = makeEmptyBook("Balance", day(2024, 1, 1));
    ASSERT_EQ(made.EntryAccountList.size(), 1u);
    EXPECT_EQ(made.EntryAccountList[0].str(), "Balance b/f");

    // A book whose list was never filled keeps its accounts in the boxes
    // and gains only the new ones (100.1 beside 100 is new).
    Book book = openBook();
    book.EntryAccountList.clear();
    std::vector<std::string> before = book.AccountNames;
    std::erase(before, "");
    RunTimeState run;
    InsertResult result = insert(book, run, serialized(otherBook()), InsertSource::BookFile);
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(book.EntryAccountList.size(), before.size() + 2);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(book.EntryAccountList[i].str(), before[i]) << i;
    EXPECT_EQ(book.EntryAccountList[before.size()].str(), "Petty cash");
    EXPECT_EQ(book.EntryAccountList[before.size() + 1].str(), "Shop");
    EXPECT_EQ(run.BookFileVersion, Currency::fromUnits(7));
}

TEST(InsertBook, InsertedEntriesShareOneReferenceEachContinuingTheBook) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = openBook();
    RunTimeState run;
    ASSERT_TRUE(insert(book, run, serialized(otherBook()), InsertSource::BookFile).ok());
    EXPECT_EQ(referencesFrom(book, 10),
              (std::vector<std::string>{"42", "42", "43", "43", "44", "44"}));

    // An entry of more than ten lines keeps one reference; a last entry
    // without a note gets its own.
    Book other = otherBook();
    other.EntryLines.clear();
    other.EntryIds.clear();
    for (int i = 0; i < 12; ++i)
        addLine(other, "x", day(2024, 3, 1), Debit, "100", "1");
    addLine(other, "x", day(2024, 3, 1), Credit, "500", "12", "Big");
    addLine(other, "y", day(2024, 3, 2), Debit, "100", "1");
    ASSERT_TRUE(insert(book, run, serialized(other), InsertSource::BookFile).ok());
    const std::vector<std::string> refs = referencesFrom(book, 16);
    EXPECT_EQ(std::vector<std::string>(refs.begin(), refs.end() - 1),
              std::vector<std::string>(13, "45"));
    EXPECT_EQ(refs.back(), "46");

    // That open last entry is closed before the next insert, so the inserted
    // entries do not run into it.
    const std::size_t open = book.EntryLines.size() - 1;
    ASSERT_TRUE(insert(book, run, serialized(otherBook()), InsertSource::BookFile).ok());
    EXPECT_EQ(book.EntryLines[open].Details, "_");
    EXPECT_EQ(book.EntryLines.size(), open + 7);
    EXPECT_EQ(book.EntryLines[open + 2].Details, "Sale");
}

TEST(InsertBook, TheOtherBooksPasswordIsCheckedAndNeverKept) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book other = otherBook();
    other.FilePassword = "theirs";
    const std::string bytes = serialized(other);
    Book book = openBook();
    book.FilePassword = "mine";
    const Book before = book;
    RunTimeState run;
    run.CurrentFilePath = "/books/other.acc";
    int asked = 0;
    PasswordPrompt wrong = [&]() -> std::optional<std::string> {
        ++asked;
        return "mine";
    };
    EXPECT_EQ(insert(book, run, bytes, InsertSource::BookFile, wrong).status,
              InsertResult::PasswordRefused);
    EXPECT_EQ(asked, 1);
    expectSameBook(book, before);
    EXPECT_EQ(run.CurrentFilePath, "");
    EXPECT_FALSE(run.BookChanged);

    PasswordPrompt right = [&]() -> std::optional<std::string> {
        ++asked;
        return "theirs";
    };
    ASSERT_TRUE(insert(book, run, bytes, InsertSource::BookFile, right).ok());
    EXPECT_EQ(book.FilePassword.str(), "mine");

    // A book without a password inserted into one with a password: no question.
    Book plain = openBook();
    plain.FilePassword = "mine";
    ASSERT_TRUE(insert(plain, run, serialized(otherBook()), InsertSource::BookFile, wrong).ok());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(plain.FilePassword.str(), "mine");
}

TEST(InsertBook, RefusedFilesLeaveTheBookAsItWas) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = openBook();
    const Book before = book;
    RunTimeState run;
    auto expectRefused = [&](const std::string& bytes, InsertSource source,
                             const std::string& text) {
        SCOPED_TRACE(text);
        InsertResult result = insert(book, run, bytes, source);
        EXPECT_EQ(result.status, InsertResult::Stopped);
        EXPECT_NE(result.message.find(text), std::string::npos) << result.message;
        EXPECT_FALSE(result.changed);
        expectSameBook(book, before);
        EXPECT_FALSE(run.BookChanged);
    };
    expectRefused("", InsertSource::BookFile, "empty");
    expectRefused("", InsertSource::CsvFile, "empty");
    std::string version5 = serialized(otherBook());
    version5[4] = '5';
    expectRefused(version5, InsertSource::BookFile,
                  "Only Version 6 Account files can be inserted...");
    const std::string whole = serialized(otherBook());
    expectRefused(whole.substr(0, whole.size() - 10), InsertSource::BookFile, "");
    expectRefused("Folio,Account\r\n", InsertSource::CsvFile,
                  "/books/other is not a standard Ledgerwick CSV file");
    // Cut short inside its last line, as Open refuses it: the note cut to
    // "Ren" would otherwise close the entry as if it were whole.
    expectRefused("Folio,Account,Type\r\n600,Rent,5\r\n"
                  "Date,ID,AccNumber,Account,Debit,Credit,Details\r\n"
                  "01/03/2024,9,600,Rent, 80 ,,\r\n01/03/2024,9,100,Cash,, 80 ,Ren",
                  InsertSource::CsvFile, "Line 5: the file ends inside this line");

    // The chart may not pass 32,000 accounts: stopped before anything is added.
    Book full = openBook();
    full.resizeAccounts(31999);
    for (int k = 14; k <= 31999; ++k)
        full.AccountNumbers[k] = Currency::fromUnits(10000 + k);
    const Book fullBefore = full;
    InsertResult result = insert(full, run, serialized(otherBook()), InsertSource::BookFile);
    EXPECT_EQ(result.status, InsertResult::Stopped);
    EXPECT_NE(result.message.find("32001"), std::string::npos) << result.message;
    expectSameBook(full, fullBefore);
    // References that would pass the 14 digits a reference holds, in exact
    // digits: nothing is inserted rather than a cut reference repeated.
    for (const char* last : {"99999999999998", "1E15"}) {
        Book numbered = openBook();
        for (EntryId& id : numbered.EntryIds)
            id = EntryId(last);
        const Book numberedBefore = numbered;
        InsertResult refused =
            insert(numbered, run, serialized(otherBook()), InsertSource::BookFile);
        EXPECT_EQ(refused.status, InsertResult::Stopped) << last;
        EXPECT_NE(refused.message.find("would pass 99999999999999"), std::string::npos) << last;
        expectSameBook(numbered, numberedBefore);
    }
    // One new account still fits.
    Book oneMore = otherBook();
    oneMore.AccountNumbers[3] = money("100");
    ASSERT_TRUE(insert(full, run, serialized(oneMore), InsertSource::BookFile).ok());
    EXPECT_EQ(full.LastAccount, 32000);
}

TEST(InsertBook, CsvEntriesAreShapedAndAccountsMerged) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = openBook();
    book.AutoIncrement = 0;
    RunTimeState run;
    // Credit first, then debit, then the note line: stored debit first.
    std::string csv = "Folio,Account,Type\r\n100,Bank,1\r\n500,Shop,6,ignored\r\n0,,1\r\n"
                      "Date,ID,AccNumber,Account,Debit,Credit,Details\r\n"
                      "01/03/2024,9,500,Shop,, 20 ,\r\n"
                      "01/03/2024,9,100,Bank, 15 ,,\r\n"
                      "01/03/2024,9,100,Bank, 5 ,,Mixed\r\n";
    InsertResult result = insert(book, run, csv, InsertSource::CsvFile);
    ASSERT_TRUE(result.ok()) << result.message;
    ASSERT_EQ(book.LastEntryLine(), 12);
    EXPECT_EQ(book.EntryLines[10].Side, Debit);
    EXPECT_EQ(book.EntryLines[10].Amount, money("15"));
    EXPECT_EQ(book.EntryLines[11].Side, Credit);
    EXPECT_EQ(book.EntryLines[12].Details, "Mixed");
    EXPECT_EQ(book.EntryLines[10].Date, day(2024, 3, 1));
    EXPECT_EQ(referencesFrom(book, 10), (std::vector<std::string>{"9", "9", "9"}));
    // 500 went into the empty last slot; 100 kept its name; the empty row added nothing.
    EXPECT_EQ(book.LastAccount, 13);
    EXPECT_EQ(book.AccountNumbers[13], money("500"));
    EXPECT_EQ(book.AccountNames[13], "Shop");
    EXPECT_EQ(book.AccountTypes[13], Revenue);
    EXPECT_EQ(book.AccountNames[1], "Cash");
    EXPECT_EQ(book.EntryAccountList.back().str(), "Shop");
    EXPECT_EQ(book.ReservedLong, 7);

    // Thirty-one lines on a side stop the insert; nothing is appended.
    const Book before = book;
    std::string big = "Folio,Account,Type\r\nDate,ID,AccNumber,Account,Debit,Credit,Details\r\n";
    for (int i = 0; i < 31; ++i)
        big += "02/03/2024,10,100,Bank, 1 ,,\r\n";
    result = insert(book, run, big, InsertSource::CsvFile);
    EXPECT_EQ(result.status, InsertResult::Stopped);
    const std::string nothing =
        "Nothing was inserted from this CSV file; the open book is unchanged: Line ";
    EXPECT_EQ(result.message, nothing + "33: Stopping, a compound entry was too big to load...");
    expectSameBook(book, before);
    std::string wide = "Folio,Account,Type\r\nDate,ID,AccNumber,Account,Debit,Credit,Details\r\n"
                       "02/03/2024,10,100,Bank, 1 ,,a,b\r\n";
    result = insert(book, run, wide, InsertSource::CsvFile);
    EXPECT_EQ(result.message, nothing + "3: Stopping, Too many comers in imported csv entry line");
    expectSameBook(book, before);
}

TEST(InsertBook, InsertsFromFilesOnDisk) {
    ScopedFakeServices fakes(dayFirstLocale());
    testing_support::TempDir dir;
    ASSERT_TRUE(writeBookFile(dir / "other.acc", otherBook(), nullptr).ok());
    ASSERT_TRUE(writeBookCsvFile(dir / "other.csv", otherBook(), dayFirstLocale(), nullptr).ok());
    Book book = openBook();
    RunTimeState run;
    ASSERT_TRUE(insertBookFile(book, run, dir / "other.acc", InsertSource::BookFile, noPrompt,
                               dayFirstLocale())
                    .ok());
    InsertResult csv =
        insertBookFile(book, run, dir / "other.csv", InsertSource::CsvFile, noPrompt,
                       dayFirstLocale(), hostile::answerAsWritten(2, dayFirstLocale()));
    ASSERT_TRUE(csv.ok()) << csv.message;
    EXPECT_EQ(csv.linesAppended, 6);
    EXPECT_EQ(book.LastEntryLine(), 21);
    EXPECT_EQ(referencesFrom(book, 16),
              (std::vector<std::string>{"45", "45", "46", "46", "47", "47"}));
    InsertResult missing = insertBookFile(book, run, dir / "none.acc", InsertSource::BookFile,
                                          noPrompt, dayFirstLocale());
    EXPECT_EQ(missing.status, InsertResult::FileError);
    EXPECT_EQ(book.LastEntryLine(), 21);
}
