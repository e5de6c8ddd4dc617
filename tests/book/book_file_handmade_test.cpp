// Book files put together byte by byte, as another program writing the
// layout would: they must open with the right accounts, groups, settings and
// journal, and old files are converted as the program does it.
#include "book/book_file.h"
#include "book/password_scramble.h"
#include "book_file_test_books.h"

#include <gtest/gtest.h>

using namespace book_file_testing;

namespace {

// Fields 1 to 16 of a small book: three account-list items, the opening
// account and Cash in slots 0 and 1 of a table of 14, one named group.
FileBuilder startOfFile(const std::string& header, std::int32_t lastEntryLine,
                        const std::string& storedPassword = "") {
    FileBuilder f;
    f.variantText(header).variantText("Corner Shop");
    if (storedPassword.empty())
        f.variantEmpty();
    else
        f.variantText(storedPassword);
    f.i32(lastEntryLine);
    f.i16(2).i16(3).i16(0).i16(1).i16(2); // decimals: journal, ledger, trial, income, balance
    f.i16(2).variantText("Balance b/f").variantText("Cash").variantEmpty(); // k = 2
    f.i16(1);                                                               // LastAccount
    f.i16(2);                                                               // DateStyle
    f.currency(1).currency(100.1);
    for (int i = 2; i < 14; ++i)
        f.currency(0);
    f.text("Balance b/f").text("Cash");
    for (int i = 2; i < 14; ++i)
        f.text("");
    f.u8(8).u8(0);
    for (int i = 2; i < 14; ++i)
        f.u8(0);
    f.text("").text("Till float");
    for (int i = 2; i < 14; ++i)
        f.text("");
    f.text("").text("Line one\r\nLine two");
    for (int i = 2; i < 14; ++i)
        f.text("");
    for (int i = 0; i < 14; ++i)
        f.text(i == 1 ? "x" : "");
    f.fixed("Weekly rent", 120);
    for (int g = 1; g < 10; ++g)
        f.fixed("Group " + std::to_string(g + 1), 120);
    return f;
}

// Fields 20 to 27.
void settings(FileBuilder& f, std::int16_t autoIncrement = 1, std::int16_t charset = 0) {
    f.i16(autoIncrement).variantText("Arial").i16(7).i16(charset).variantText("boss");
    f.i16(-1).variantText("1 High Street\r\nTown").i32(42);
}

// A version-6 file with one group of two lines and a journal of two entries.
std::string versionSixFile(std::int64_t version = 60000, const std::string& password = "") {
    FileBuilder f = startOfFile("mLedgerwick V7.5 : C:\\Books\\shop.acc", 3, password);
    f.i64(version).i32(3);
    f.i32(1).line(0, 1, 500, 0, "").line(0, 2, 100.1, 0, "Rent");
    for (int g = 1; g < 10; ++g)
        f.i32(0).line(0, 0, 0, 0, "");
    settings(f);
    f.fixed("1", 14).line(45000, 1, 100.1, 50, "");
    f.fixed("1", 14).line(45000, 2, 1, 50, "Opening cash", 1);
    f.fixed("2", 14).line(45001.5, 1, 1, 20.25, "");
    f.fixed("", 14, '\0').line(45001.5, 2, 100.1, 20.25, "Sale");
    return f.bytes;
}

BookReadResult read(const std::string& bytes, PasswordPrompt prompt = nullptr) {
    return parseBookFile(bytes, prompt, nullptr);
}

} // namespace

TEST(HandmadeBookFile, VersionSixOpensWithItsAccountsGroupsSettingsAndJournal) {
    BookReadResult r = read(versionSixFile());
    ASSERT_EQ(r.status, BookReadStatus::Ok) << r.message;
    const Book& b = r.book;
    EXPECT_EQ(r.version, Currency::fromUnits(6));
    EXPECT_EQ(b.Caption, "Ledgerwick V7.5 : C:\\Books\\shop.acc");
    EXPECT_EQ(b.BusinessName.str(), "Corner Shop");
    EXPECT_TRUE(b.FilePassword.isEmpty());
    EXPECT_EQ(b.DecimalsJournal, 2);
    EXPECT_EQ(b.DecimalsLedger, 3);
    EXPECT_EQ(b.DecimalsIncome, 1);
    ASSERT_EQ(b.EntryAccountList.size(), 3u);
    EXPECT_EQ(b.EntryAccountList[1].str(), "Cash");
    EXPECT_TRUE(b.EntryAccountList[2].isEmpty());

    EXPECT_EQ(b.LastAccount, 1);
    ASSERT_EQ(b.accountSlots(), 14u);
    EXPECT_EQ(b.AccountNames[1], "Cash");
    EXPECT_EQ(b.AccountNumbers[1], Currency::fromRaw(1001000));
    EXPECT_EQ(b.AccountTypes[0], Other);
    EXPECT_EQ(b.AccountNote[1], "Till float");
    EXPECT_EQ(b.AccountNote2[1], "Line one\r\nLine two");
    EXPECT_EQ(b.AccountExtra[1], "x");
    EXPECT_TRUE(b.slotIsEmpty(13));
    EXPECT_EQ(b.DateStyle, 2);

    EXPECT_EQ(b.GroupNames[0].shown(), "Weekly rent");
    EXPECT_EQ(b.GroupNames[9].shown(), "Group 10");
    EXPECT_EQ(b.GroupCount, 3);
    ASSERT_EQ(b.EntryGroups[0].size(), 2u);
    EXPECT_EQ(b.EntryGroups[0][1].Details, "Rent");
    EXPECT_EQ(b.EntryGroups[0][1].AccountNumber, Currency::fromRaw(1001000));
    EXPECT_EQ(b.EntryGroups[5].size(), 1u);

    EXPECT_EQ(b.AutoIncrement, 1);
    EXPECT_EQ(b.FontName.str(), "Arial");
    EXPECT_EQ(b.ReservedInteger, 7);
    EXPECT_EQ(b.AdminPassword.str(), "boss");
    EXPECT_EQ(b.SubAccountDash, -1);
    EXPECT_EQ(b.BusinessAddress.str(), "1 High Street\r\nTown");
    EXPECT_EQ(b.ReservedLong, 42);

    ASSERT_EQ(b.LastEntryLine(), 3);
    EXPECT_EQ(b.EntryIds[1].shown(), "1");
    EXPECT_EQ(b.EntryIds[1].raw(), "1             ");
    EXPECT_TRUE(b.EntryIds[3].neverAssigned());
    EXPECT_EQ(b.EntryLines[1].Details, "Opening cash");
    EXPECT_EQ(b.EntryLines[1].Reconciled, 1);
    EXPECT_EQ(b.EntryLines[2].Date, 45001.5);
    EXPECT_EQ(b.EntryLines[2].Amount, Currency::fromRaw(202500));
    EXPECT_EQ(b.EntryLines[3].Side, Credit);

    // Written again it is a version-7 file of the same book.
    auto bytes = serializeBookFile(b, nullptr, nullptr);
    ASSERT_TRUE(bytes);
    BookReadResult again = read(*bytes);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.version, Currency::fromUnits(7));
    expectSameStoredBook(b, again.book);
}

TEST(HandmadeBookFile, VersionFiveRecordsBecomeEntriesOfOneOrTwoLines) {
    // Three records, the second with only a credit account: five lines.
    FileBuilder f = startOfFile("5Ledgerwick V5", 2);
    // Old groups: a variant bound, then the records.
    f.i16(2).i16(2); // group 1: bound 2 as a 16-bit integer variant
    f.oldEntry(0, 10, 10, 100.1, 0, " Pay rent\0 ");
    f.oldEntry(0, 0, 10, 0, 1, "");
    f.oldEntry(0, 0, 0, 0, 0, "odd");
    f.i16(5).f64(0); // group 2: one record, bound as a double variant
    f.oldEntry(0, 1, 1, 1, 1, "lonely");
    for (int g = 2; g < 10; ++g)
        f.i16(3).i32(0).oldEntry(0, 0, 0, 0, 0, "");
    f.i64(50000);
    settings(f, 5);
    f.fixed("7", 14).oldEntry(44000, 10, 10, 100.1, 1, "  Stock\0 ");
    f.fixed("8", 14).oldEntry(44001, 0, 5, 0, 100.1, "Refund", 1);
    f.fixed("9", 14).oldEntry(44002, 7, 7, -5, 100.1, "   "); // account -5 is an account

    BookReadResult r = read(f.bytes);
    ASSERT_EQ(r.status, BookReadStatus::Ok) << r.message;
    const Book& b = r.book;
    EXPECT_EQ(r.version, Currency::fromUnits(5));
    EXPECT_EQ(b.AutoIncrement, 0); // 5 is not "on"

    ASSERT_EQ(b.LastEntryLine(), 4);
    const std::vector<
        std::tuple<std::string, std::uint8_t, std::int64_t, std::int64_t, std::string>>
        expected = {{"7", Debit, 1001000, 100000, ""},
                    {"7", Credit, 10000, 100000, "Stock"},
                    {"8", Credit, 1001000, 50000, "Refund"},
                    {"9", Debit, -50000, 70000, ""},
                    {"9", Credit, 1001000, 70000, "_"}}; // an empty note closes the entry
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        auto [ref, side, account, amount, details] = expected[i];
        EXPECT_EQ(b.EntryIds[i].shown(), ref);
        EXPECT_EQ(b.EntryLines[i].Side, side);
        EXPECT_EQ(b.EntryLines[i].AccountNumber.raw, account);
        EXPECT_EQ(b.EntryLines[i].Amount.raw, amount);
        EXPECT_EQ(b.EntryLines[i].Details, details);
    }
    EXPECT_EQ(b.EntryLines[2].Reconciled, 1);
    EXPECT_EQ(b.EntryLines[0].Date, 44000);

    // Groups: one line per record, side by the account it has, no dates or amounts.
    ASSERT_EQ(b.EntryGroups[0].size(), 3u);
    EXPECT_EQ(b.EntryGroups[0][0].Side, Debit);
    EXPECT_EQ(b.EntryGroups[0][0].Details, "Pay rent");
    EXPECT_EQ(b.EntryGroups[0][0].Amount, Currency());
    EXPECT_EQ(b.EntryGroups[0][1].Side, Credit);
    EXPECT_EQ(b.EntryGroups[0][1].AccountNumber, Currency::fromUnits(1));
    EXPECT_EQ(b.EntryGroups[0][2].Side, Unfilled);
    // A group of a single record keeps the blank pair of a new book.
    EXPECT_TRUE(b.EntryGroups[1] == blankEntryPair());
    EXPECT_EQ(b.GroupCount, 1);
}

TEST(HandmadeBookFile, SmallVersionFiveFilesAreConvertedToo) {
    // One record with only a debit account: its note goes on that line.
    FileBuilder one = startOfFile("5", 0);
    for (int g = 0; g < 10; ++g)
        one.i16(2).i16(0).oldEntry(0, 0, 0, 0, 0, "");
    one.i64(50000);
    settings(one);
    one.fixed("1", 14).oldEntry(44000, 3, 0, 100.1, 0, " Cash in ");
    BookReadResult r = read(one.bytes);
    ASSERT_EQ(r.status, BookReadStatus::Ok) << r.message;
    ASSERT_EQ(r.book.LastEntryLine(), 0);
    EXPECT_EQ(r.book.EntryLines[0].Side, Debit);
    EXPECT_EQ(r.book.EntryLines[0].Details, "Cash in");

    // Two records: a debit-only one without a note gets "_".
    FileBuilder two = startOfFile("5", 1);
    for (int g = 0; g < 10; ++g)
        two.i16(2).i16(0).oldEntry(0, 0, 0, 0, 0, "");
    two.i64(50000);
    settings(two);
    two.fixed("1", 14).oldEntry(44000, 3, 0, 100.1, 0, "");
    two.fixed("2", 14).oldEntry(44001, 4, 4, 100.1, 1, "Both");
    r = read(two.bytes);
    ASSERT_EQ(r.status, BookReadStatus::Ok) << r.message;
    ASSERT_EQ(r.book.LastEntryLine(), 2);
    EXPECT_EQ(r.book.EntryLines[0].Details, "_");
    EXPECT_EQ(r.book.EntryLines[1].Details, "");
    EXPECT_EQ(r.book.EntryLines[2].Details, "Both");
}

TEST(HandmadeBookFile, OtherVersionsAreRefusedWithTheVersionMessage) {
    for (std::int64_t version : {80000LL, 40000LL, 65000LL, 0LL, -70000LL}) {
        BookReadResult r = read(versionSixFile(version));
        EXPECT_EQ(r.status, BookReadStatus::UnsupportedVersion) << version;
        EXPECT_EQ(r.message,
                  "This old Acc file is not supported in Version 6, Re-save in Version 5");
        EXPECT_EQ(r.version.raw, version);
    }
    EXPECT_EQ(read(versionSixFile(70000)).status, BookReadStatus::Ok);
}

TEST(HandmadeBookFile, NumbersStoredInTextFieldsBecomeText) {
    FileBuilder f;
    f.variantText("m").i16(3).i32(-70000).variantEmpty().i32(-1); // business name a 32-bit integer
    f.i16(2).i16(2).i16(0).i16(0).i16(0);
    f.i16(7);
    f.i16(2).i16(17);        // 16-bit integer
    f.i16(4).f32(1.5f);      // single
    f.i16(5).f64(0.1);       // double
    f.i16(6).currency(12.5); // currency
    f.i16(7).f64(44986);     // date
    f.i16(11).i16(-1);       // flag
    f.i16(17).u8(200);       // byte
    f.i16(7).f64(44986.75);  // date and time
    f.i16(0).i16(0);         // LastAccount 0, DateStyle 0
    for (int i = 0; i < 14; ++i)
        f.currency(0);
    for (int i = 0; i < 14; ++i)
        f.text("");
    for (int i = 0; i < 14; ++i)
        f.u8(0);
    for (int i = 0; i < 42; ++i)
        f.text("");
    for (int g = 0; g < 10; ++g)
        f.fixed("", 120);
    f.i64(70000).i32(1);
    for (int g = 0; g < 10; ++g)
        f.i32(-1);
    settings(f);
    BookReadResult r = read(f.bytes);
    ASSERT_EQ(r.status, BookReadStatus::Ok) << r.message;
    EXPECT_EQ(r.book.BusinessName.str(), "-70000");
    std::vector<std::string> items;
    for (const auto& v : r.book.EntryAccountList)
        items.push_back(v.str());
    EXPECT_EQ(items, (std::vector<std::string>{"17", "1.5", "0.1", "12.5", "2023-03-01", "True",
                                               "200", "2023-03-01 18:00:00"}));
    EXPECT_TRUE(r.book.EntryLines.empty());
}

TEST(HandmadeBookFile, OutOfRangeSettingsAreKeptAsReadAndUnknownClassesReadAsOther) {
    Book b = randomBook(5, 2);
    b.FilePassword = VariantText();
    b.DateStyle = 12;
    b.DecimalsJournal = 9;
    b.DecimalsBalanceSheet = -1;
    b.AutoIncrement = -3;
    const std::uint8_t classes[] = {CapitalEquity, Other, 9, 200, 255};
    for (std::size_t k = 0; k < std::size(classes); ++k)
        b.AccountTypes[k] = classes[k];
    auto bytes = serializeBookFile(b, nullptr, nullptr);
    ASSERT_TRUE(bytes);
    BookReadResult r = read(*bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.book.DateStyle, 12);
    EXPECT_EQ(r.book.DecimalsJournal, 9);
    EXPECT_EQ(r.book.DecimalsBalanceSheet, -1);
    EXPECT_EQ(r.book.AutoIncrement, -3);
    // A class the program does not know is Other, the class only the trial
    // balance shows; the known ones stay.
    EXPECT_EQ(
        std::vector<std::uint8_t>(r.book.AccountTypes.begin(), r.book.AccountTypes.begin() + 5),
        (std::vector<std::uint8_t>{CapitalEquity, Other, Other, Other, Other}));
    for (std::size_t k = 0; k < std::size(classes); ++k)
        b.AccountTypes[k] = r.book.AccountTypes[k];
    EXPECT_EQ(serializeBookFile(r.book, nullptr, nullptr), serializeBookFile(b, nullptr, nullptr));
}

TEST(HandmadeBookFile, PasswordsAreAskedForOnlyWhenSetAndMustMatch) {
    int asked = 0;
    auto prompt = [&asked](std::optional<std::string> answer) -> PasswordPrompt {
        return [&asked, answer] {
            ++asked;
            return answer;
        };
    };

    // No password: never asked.
    EXPECT_TRUE(read(versionSixFile(), prompt("anything")).ok());
    EXPECT_EQ(asked, 0);

    const std::string stored = password_scramble::scramble("open sesame ü");
    EXPECT_EQ(stored.find("sesame"), std::string::npos);
    BookReadResult right = read(versionSixFile(60000, stored), prompt("open sesame ü"));
    ASSERT_TRUE(right.ok());
    EXPECT_EQ(right.book.FilePassword.str(), "open sesame ü");
    EXPECT_EQ(asked, 1);

    EXPECT_EQ(read(versionSixFile(60000, stored), prompt("open sesame")).status,
              BookReadStatus::PasswordRefused);
    EXPECT_EQ(read(versionSixFile(60000, stored), prompt(std::nullopt)).status,
              BookReadStatus::PasswordRefused);
    EXPECT_EQ(read(versionSixFile(60000, stored), nullptr).status, BookReadStatus::PasswordRefused);
    EXPECT_EQ(asked, 3);

    // A password field in another program's form is never compared.
    for (std::string foreign :
         {std::string("plain"), std::string("LWpw1:"), stored.substr(0, stored.size() - 1),
          stored + "00", stored.substr(0, stored.size() - 1) + "G"}) {
        BookReadResult r = read(versionSixFile(60000, foreign), prompt("plain"));
        EXPECT_EQ(r.status, BookReadStatus::ForeignPassword) << foreign;
        EXPECT_FALSE(r.message.empty());
    }
    // Flipping a digit of the stored form is caught by its check value.
    std::string changed = stored;
    changed[8] = changed[8] == '0' ? '1' : '0';
    EXPECT_EQ(read(versionSixFile(60000, changed), prompt("x")).status,
              BookReadStatus::ForeignPassword);
    EXPECT_EQ(asked, 3);
}

TEST(HandmadeBookFile, PasswordScrambleRoundTrips) {
    for (std::string p : {std::string("a"), std::string("x y z"), std::string(300, 'q'),
                          std::string("\0\xff\x80", 3), std::string("€ and 北京")}) {
        std::string stored = password_scramble::scramble(p);
        EXPECT_NE(stored, p);
        EXPECT_EQ(password_scramble::unscramble(stored), p);
    }
    EXPECT_EQ(password_scramble::scramble(""), "");
    EXPECT_EQ(password_scramble::unscramble(""), std::string());
    // Same password, different lengths: no shared look.
    EXPECT_NE(password_scramble::scramble("aa").substr(6, 2),
              password_scramble::scramble("aaa").substr(6, 2));
}
