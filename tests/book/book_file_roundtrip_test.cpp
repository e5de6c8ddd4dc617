// Books written and read back: the same book and, written again, the same bytes.
#include "book/book_file.h"
#include "book_file_test_books.h"
#include "platform/fake/fake_services.h"

#include <gtest/gtest.h>

using namespace book_file_testing;

namespace {

PasswordPrompt answer(const std::string& password) {
    return [password]() -> std::optional<std::string> { return password; };
}

std::string i16le(std::int16_t v) {
    return std::string(reinterpret_cast<const char*>(&v), 2);
}

} // namespace

TEST(BookFileRoundTrip, GeneratedBooksComeBackWholeAndWriteTheSameBytes) {
    int belowFourteen = 0, aboveThirteen = 0, withPassword = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Book original = randomBook(seed);
        (original.LastAccount < 13 ? belowFourteen : aboveThirteen)++;
        if (!original.FilePassword.str().empty()) ++withPassword;

        const std::string first = serialized(original);
        BookReadResult read = parseBookFile(first, answer(original.FilePassword.str()), nullptr);
        ASSERT_EQ(read.status, BookReadStatus::Ok) << read.message;
        EXPECT_EQ(read.version, Currency::fromUnits(7));
        expectSameStoredBook(original, read.book);
        EXPECT_EQ(serialized(read.book), first);
    }
    // The seeds cover both sizes of account table and books with a password.
    EXPECT_GT(belowFourteen, 5);
    EXPECT_GT(aboveThirteen, 5);
    EXPECT_GT(withPassword, 5);
}

TEST(BookFileRoundTrip, SmallTablesEmptyValuesAndOneLineGroups) {
    Book b = randomBook(7, 4);
    b.resizeAccounts(4); // still 14 slots
    b.AccountNames[13] = "Last slot";
    b.BusinessName = VariantText(); // never set
    b.EntryGroups[3].resize(1);     // upper bound 0
    b.EntryGroups[4].clear();       // no lines at all
    b.FilePassword = VariantText();

    const std::string bytes = serialized(b);
    // Header "m" + caption, then the business name as the two bytes 0, 0.
    const std::size_t afterHeader = 2 + 2 + 1 + b.Caption.size();
    EXPECT_EQ(bytes.substr(0, 2), i16le(8));
    EXPECT_EQ(bytes.substr(4, 1), "m");
    EXPECT_EQ(bytes.substr(afterHeader, 2), std::string("\0\0", 2));

    BookReadResult read = parseBookFile(bytes, nullptr, nullptr);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.book.LastAccount, 4);
    EXPECT_EQ(read.book.accountSlots(), 14u);
    EXPECT_EQ(read.book.AccountNames[13], "Last slot");
    EXPECT_TRUE(read.book.BusinessName.isEmpty());
    EXPECT_EQ(read.book.EntryGroups[3].size(), 1u);
    EXPECT_TRUE(read.book.EntryGroups[4].empty());
    EXPECT_EQ(serialized(read.book), bytes);

    // "" and Empty are told apart in both directions.
    b.BusinessName = VariantText("");
    BookReadResult again = parseBookFile(serialized(b), nullptr, nullptr);
    ASSERT_TRUE(again.ok());
    EXPECT_FALSE(again.book.BusinessName.isEmpty());
    EXPECT_EQ(again.book.BusinessName.str(), "");
}

TEST(BookFileRoundTrip, OldCodePageTextsBecomeUtf8AndThenStayPut) {
    // A file whose texts are Windows-1252 bytes (as an older writer left them)
    // and one whose character set names Central European (code page 1250).
    for (std::int16_t charset : {std::int16_t(0), std::int16_t(238)}) {
        SCOPED_TRACE("charset " + std::to_string(charset));
        Book b = randomBook(3, 6);
        b.FontCharset = charset;
        b.AccountNames[1] = "Caf\xE9"; // é in 1252, é in 1250 as well
        b.AccountNote[1] = "\x8A"
                           "koda"; // Š in both
        b.EntryLines[5].Details = "Pr\xFC"
                                  "fung"; // ü in both
        b.EntryIds[5] = "R\xE9"
                        "f";                      // a reference in the old code page
        b.BusinessName = VariantText("\x80 Ltd"); // € in 1252, € in 1250
        b.GroupNames[2] = "\xC0 faire";           // À in 1252, Ŕ in 1250
        b.FilePassword = VariantText();

        BookReadResult read = parseBookFile(serialized(b), nullptr, nullptr);
        ASSERT_TRUE(read.ok()) << read.message;
        EXPECT_EQ(read.book.AccountNames[1], "Café");
        EXPECT_EQ(read.book.AccountNote[1], "Škoda");
        EXPECT_EQ(read.book.EntryLines[5].Details, "Prüfung");
        EXPECT_EQ(read.book.EntryIds[5].shown(), "Réf");
        EXPECT_EQ(read.book.BusinessName.str(), "€ Ltd");
        EXPECT_EQ(read.book.GroupNames[2].shown(), charset == 0 ? "À faire" : "Ŕ faire");
        // Texts that were already UTF-8 are left alone.
        EXPECT_EQ(read.book.AccountNames[0], b.AccountNames[0]);

        // Written again, the file is UTF-8 and reads back to the same bytes.
        const std::string utf8 = serialized(read.book);
        BookReadResult second = parseBookFile(utf8, nullptr, nullptr);
        ASSERT_TRUE(second.ok());
        expectSameStoredBook(read.book, second.book);
        EXPECT_EQ(serialized(second.book), utf8);
    }
}

TEST(BookFileRoundTrip, ProgressStepsEveryStrideWhileReadingAndWriting) {
    ScopedFakeServices fakes;
    Book b = randomBook(11, 1000); // LastEntryLine 999: stride 10, lines 0, 10, ..., 990
    b.FilePassword = VariantText();
    RunTimeState run;
    run.ProgressStride = 1;
    std::string refusal;
    auto bytes = serializeBookFile(b, &run, &refusal);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(run.ProgressStride, 10);
    EXPECT_EQ(fakes.progress.steps, 100);

    RunTimeState reading;
    BookReadResult read = parseBookFile(*bytes, nullptr, &reading);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(reading.ProgressStride, 10);
    EXPECT_EQ(reading.ProgressValue, 100 * 29);
}
