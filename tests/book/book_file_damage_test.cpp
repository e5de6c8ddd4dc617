// Damaged, truncated and hostile book files: a clear message, no huge
// allocation, and the open book left exactly as it was. (Every truncation and
// thousands of bit flips run under the sanitizers in tests/fuzz.)
#include "book/book_file.h"
#include "book/open_book.h"
#include "book/safe_file.h"
#include "book_file_test_books.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace book_file_testing;
using testing_support::TempDir;

namespace {

std::string smallBookBytes() {
    Book b = randomBook(21, 6);
    b.resizeAccounts(15);
    b.FilePassword = VariantText();
    for (auto& g : b.EntryGroups)
        g.resize(2);
    return *serializeBookFile(b, nullptr, nullptr);
}

// The bytes of a minimal version-7 book up to and including field 4.
FileBuilder headerWithLineCount(std::int32_t lastEntryLine) {
    FileBuilder f;
    f.variantText("m").variantEmpty().variantEmpty().i32(lastEntryLine);
    return f;
}

// A minimal version-7 book with the given account-list count, LastAccount, a
// group bound, a journal line date and its note's claimed length.
std::string minimalBook(std::int16_t listCount, std::int16_t lastAccount, std::int32_t groupBound,
                        double date, std::uint16_t noteLength, std::int32_t lastEntryLine = 0) {
    FileBuilder f = headerWithLineCount(lastEntryLine);
    f.i16(2).i16(2).i16(0).i16(0).i16(0);
    f.i16(listCount);
    for (int i = 0; i <= listCount; ++i)
        f.variantText("a");
    f.i16(lastAccount).i16(0);
    const int slots = std::max<int>(lastAccount, 13) + 1;
    for (int i = 0; i < slots; ++i)
        f.currency(0);
    for (int i = 0; i < slots; ++i)
        f.text("");
    for (int i = 0; i < slots; ++i)
        f.u8(0);
    for (int i = 0; i < 3 * slots; ++i)
        f.text("");
    for (int g = 0; g < 10; ++g)
        f.fixed("", 120);
    f.i64(70000).i32(1);
    f.i32(groupBound);
    for (int i = 0; i <= groupBound && i < 10; ++i)
        f.line(0, 1, 1, 0, "g");
    for (int g = 1; g < 10; ++g)
        f.i32(-1);
    f.i16(1).variantEmpty().i16(0).i16(0).variantEmpty().i16(0).variantEmpty().i32(0);
    for (int i = 0; i <= lastEntryLine; ++i) {
        f.fixed("1", 14).f64(date).u8(1).currency(1).currency(1);
        f.u16(noteLength).bytes += "note";
        f.u8(0);
    }
    return f.bytes;
}

void expectDamaged(const std::string& bytes, const std::string& mentions) {
    BookReadResult r = parseBookFile(bytes, nullptr, nullptr);
    EXPECT_EQ(r.status, BookReadStatus::Damaged) << mentions;
    EXPECT_NE(r.message.find("damaged"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(mentions), std::string::npos) << r.message;
    EXPECT_TRUE(r.book.EntryLines.empty()); // nothing half-read is handed back
}

} // namespace

TEST(DamagedBookFile, TheMinimalBookItselfIsFine) {
    BookReadResult r = parseBookFile(minimalBook(1, 13, 0, 45000, 4), nullptr, nullptr);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.book.EntryLines[0].Details, "note");
    EXPECT_EQ(r.book.EntryGroups[0].size(), 1u);
}

TEST(DamagedBookFile, ImpossibleCountsAreRefusedBeforeAnythingIsAllocated) {
    expectDamaged(headerWithLineCount(-2).bytes + std::string(200, '\0'), "negative");
    expectDamaged(headerWithLineCount(std::numeric_limits<std::int32_t>::max()).bytes +
                      std::string(200, '\0'),
                  "journal lines");
    expectDamaged(headerWithLineCount(std::numeric_limits<std::int32_t>::min()).bytes, "negative");
    expectDamaged(minimalBook(-2, 13, 0, 45000, 4), "account list");
    expectDamaged(minimalBook(1, -1, 0, 45000, 4), "account slot");
    expectDamaged(minimalBook(1, 13, -2, 45000, 4), "entry group 1");
    expectDamaged(minimalBook(1, 13, 50000000, 45000, 4), "lines in entry group 1");
    // The journal claims more lines than its bytes hold.
    std::string claimsMore = minimalBook(1, 13, 0, 45000, 4);
    claimsMore.replace(9, 4, std::string("\x10\x00\x00\x00", 4));
    expectDamaged(claimsMore, "journal lines");
}

TEST(DamagedBookFile, TextsLongerThanTheFileAndBadDatesAreDamage) {
    expectDamaged(minimalBook(1, 13, 0, 45000, 60000), "ends early");
    expectDamaged(minimalBook(1, 13, 0, std::nan(""), 4), "date");
    expectDamaged(minimalBook(1, 13, 0, std::numeric_limits<double>::infinity(), 4), "date");
    expectDamaged(minimalBook(1, 13, 0, 1e300, 4), "date");
    // An unknown variant kind in the header.
    FileBuilder f;
    f.i16(9).i32(0);
    expectDamaged(f.bytes, "unknown kind");
    expectDamaged("", "ends early");
}

TEST(DamagedBookFile, FailedOpeningsLeaveTheOpenBookItsPathAndChangedMark) {
    TempDir dir;
    const std::string good = smallBookBytes();
    Book open = randomBook(99, 10);
    const std::string openBytes = *serializeBookFile(open, nullptr, nullptr);
    RunTimeState run;
    run.BookFilePath = "/books/current.acc";
    run.CurrentFilePath = "/books/current.acc";
    run.BookChanged = true;
    run.RowBase = 7;

    auto attempt = [&](const std::filesystem::path& path) {
        BookReadResult r = openBookFile(path, BookFileKind::Acc, open, nullptr, &run);
        EXPECT_FALSE(r.ok()) << path;
        adoptOpenedBook(open, run, std::move(r), path, BookFileKind::Acc, 46000);
        EXPECT_EQ(*serializeBookFile(open, nullptr, nullptr), openBytes);
        EXPECT_EQ(run.BookFilePath, "/books/current.acc");
        EXPECT_EQ(run.CurrentFilePath, "/books/current.acc");
        EXPECT_TRUE(run.BookChanged);
        EXPECT_EQ(run.RowBase, 7);
    };
    testing_support::writeFile(dir / "cut.acc", good.substr(0, good.size() / 2));
    attempt(dir / "cut.acc");
    std::string v8 = minimalBook(1, 13, 0, 45000, 4);
    v8.replace(v8.find(std::string("\x70\x11\x01\0\0\0\0\0", 8)), 8,
               std::string("\x80\x38\x01\0\0\0\0\0", 8)); // version 8
    testing_support::writeFile(dir / "v8.acc", v8);
    attempt(dir / "v8.acc");
    attempt(dir / "missing.acc");
    attempt(dir.path()); // a folder
    EXPECT_EQ(readBookFile(dir / "missing.acc", nullptr, nullptr).status,
              BookReadStatus::FileError);
    EXPECT_EQ(readBookFile(dir / "v8.acc", nullptr, nullptr).status,
              BookReadStatus::UnsupportedVersion);

    // A good file replaces the book and takes over the path.
    testing_support::writeFile(dir / "good.acc", good);
    BookReadResult r = openBookFile(dir / "good.acc", BookFileKind::Acc, open, nullptr, &run);
    ASSERT_TRUE(r.ok());
    adoptOpenedBook(open, run, std::move(r), dir / "good.acc", BookFileKind::Acc, 46000);
    EXPECT_EQ(*serializeBookFile(open, nullptr, nullptr), good);
    EXPECT_EQ(run.BookFilePath, (dir / "good.acc").string());
    EXPECT_EQ(run.BookDirectory, dir.path().string() + "/");
    EXPECT_EQ(run.BookFileVersion, Currency::fromUnits(7));
    EXPECT_FALSE(run.BookChanged);
    EXPECT_EQ(run.RowBase, open.LastEntryLine());

    // A book read from a text form has no book file of its own: a plain Save
    // afterwards must ask for a name rather than overwrite good.acc.
    BookReadResult text;
    text.status = BookReadStatus::Ok;
    text.book = open;
    adoptOpenedBook(open, run, std::move(text), dir / "book.txt", BookFileKind::Text, 46000);
    EXPECT_EQ(run.BookFilePath, "");
    EXPECT_EQ(run.CurrentFilePath, "");
}

TEST(DamagedBookFile, WindowedReadingFromDiskMatchesReadingFromMemory) {
    // Larger than the reading window, with notes that straddle its edges.
    Book b = randomBook(8, 2);
    b.FilePassword = VariantText();
    b.resizeJournal(30000);
    for (std::size_t i = 0; i < b.EntryLines.size(); ++i) {
        b.EntryLines[i].Date = 45000 + static_cast<double>(i % 300);
        b.EntryLines[i].Details = std::string(i % 97, static_cast<char>('a' + i % 26));
        b.EntryIds[i] = std::to_string(i);
    }
    const std::string bytes = *serializeBookFile(b, nullptr, nullptr);
    ASSERT_GT(bytes.size(), 2u << 20);
    TempDir dir;
    testing_support::writeFile(dir / "big.acc", bytes);
    BookReadResult fromDisk = readBookFile(dir / "big.acc", nullptr, nullptr);
    ASSERT_TRUE(fromDisk.ok()) << fromDisk.message;
    expectSameStoredBook(b, fromDisk.book);

    testing_support::writeFile(dir / "cut.acc", bytes.substr(0, bytes.size() - 3));
    BookReadResult cut = readBookFile(dir / "cut.acc", nullptr, nullptr);
    EXPECT_EQ(cut.status, BookReadStatus::Damaged);
    EXPECT_NE(cut.message.find("the journal"), std::string::npos) << cut.message;
}
