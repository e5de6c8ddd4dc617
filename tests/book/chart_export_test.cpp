#include "book/chart_export.h"

#include "book/safe_file.h"
#include "book/safe_file_leftovers.h"
#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>

using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// A reader of the export's little-endian items, as the other edition reads them.
struct Reader {
    const std::string& bytes;
    std::size_t pos = 0;

    std::uint64_t le(int n) {
        EXPECT_LE(pos + n, bytes.size()) << "read past the end at " << pos;
        std::uint64_t v = 0;
        for (int i = 0; i < n && pos + i < bytes.size(); ++i)
            v |= std::uint64_t(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
        pos += n;
        return v;
    }
    unsigned u8() { return unsigned(le(1)); }
    unsigned u16() { return unsigned(le(2)); }
    std::uint32_t u32() { return std::uint32_t(le(4)); }
    std::int64_t i64() { return std::int64_t(le(8)); }
    std::string raw(std::size_t n) {
        std::string s = bytes.substr(pos, n);
        pos += n;
        return s;
    }
    std::string text() { return raw(u16()); }
    bool atEnd() const { return pos == bytes.size(); }
};

Book chartBook() {
    Book book = makeEmptyBook("Balance", 45000);
    book.AccountNames[1] = "Bank";
    book.AccountNumbers[1] = Currency::fromUnits(100);
    book.AccountTypes[1] = CurrentAsset;
    book.AccountNote[1] = "main account";
    book.AccountNote2[1] = "line one\r\nline two";
    book.AccountNames[2] = "Caf\xC3\xA9";
    book.AccountNumbers[2] = Currency::fromRaw(1001000); // 100.1
    book.AccountTypes[2] = Expense;
    book.AccountExtra[2] = "not exported";
    book.BusinessName = "Acme \xC3\xA9";
    book.GroupCount = 7;
    book.SubAccountDash = -1;
    return book;
}

std::string ent(const TempDir& dir, const std::string& name) {
    return readFile(dir / name);
}

std::size_t filesIn(const TempDir& dir) {
    return std::distance(std::filesystem::directory_iterator(dir.path()),
                         std::filesystem::directory_iterator());
}

// Each test exports the small chart into a folder of its own.
class ChartExport : public ::testing::Test {
  protected:
    ScopedFakeServices fakes;
    TempDir dir;
    Book book = chartBook();
    RunTimeState run;
};

} // namespace

TEST_F(ChartExport, ChartFileHasTheFixedLayout) {
    ASSERT_TRUE(EditionExportFile(book, run, dir / "books.lwk").ok());
    EXPECT_TRUE(fakes.messages.shown.empty());

    const std::string bytes = readFile(dir / "books.LWK");
    Reader r{bytes};
    EXPECT_EQ(r.u8(), 0u);
    EXPECT_EQ(r.u16(), 1u);      // AutoIncrement
    EXPECT_EQ(r.u32(), 7u);      // GroupCount
    EXPECT_EQ(r.u16(), 0xFFFFu); // SubAccountDash True
    EXPECT_EQ(r.u16(), 0u);
    EXPECT_EQ(r.u16(), 0u);
    EXPECT_EQ(r.u16(), 5u);
    for (int copy = 0; copy < 6; ++copy) {
        SCOPED_TRACE(copy);
        EXPECT_EQ(r.pos, 15u + copy * 1265u);
        EXPECT_EQ(r.raw(23), std::string(23, '\0'));
        EXPECT_EQ(r.u16(), 1u);
        EXPECT_EQ(r.u32(), 154u);
        EXPECT_EQ(r.u32(), 0u);
        EXPECT_EQ(r.i64(), 10000);   // 1
        EXPECT_EQ(r.i64(), 1000000); // 100
        EXPECT_EQ(r.i64(), 1001000); // 100.1
        for (int i = 3; i < 154; ++i)
            EXPECT_EQ(r.i64(), 0) << i;
    }
    ASSERT_EQ(r.pos, 7605u);
    EXPECT_EQ(r.u16(), 8u); // a set business name
    EXPECT_EQ(r.text(), "Acme \xC3\xA9");
    EXPECT_EQ(r.u16(), 0u); // an address never set
    EXPECT_EQ(bytes.find_first_not_of('\0', r.pos), ChartTableOffset);

    r.pos = 10'000'003;
    EXPECT_EQ(r.u16(), 13u);
    EXPECT_EQ(r.i64(), 10000);
    EXPECT_EQ(r.i64(), 1000000);
    EXPECT_EQ(r.i64(), 1001000);
    for (int i = 3; i < 14; ++i)
        EXPECT_EQ(r.i64(), 0);
    EXPECT_EQ(r.text(), "Balance b/f");
    EXPECT_EQ(r.text(), "Bank");
    EXPECT_EQ(r.text(), "Caf\xC3\xA9");
    for (int i = 3; i < 14; ++i)
        EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.u8(), unsigned(Other));
    EXPECT_EQ(r.u8(), unsigned(CurrentAsset));
    EXPECT_EQ(r.u8(), unsigned(Expense));
    for (int i = 3; i < 14; ++i)
        EXPECT_EQ(r.u8(), 0u);
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), "main account");
    for (int i = 2; i < 14; ++i)
        EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), "line one\r\nline two");
    for (int i = 2; i < 14; ++i)
        EXPECT_EQ(r.text(), "");
    EXPECT_TRUE(r.atEnd());

    // The gap is a hole, not ten megabytes of written zeros.
    struct stat st {};
    ASSERT_EQ(::stat((dir / "books.LWK").c_str(), &st), 0);
    EXPECT_LT(st.st_blocks * 512, 1 << 20);
}

TEST_F(ChartExport, ALargeChartKeepsTheFirst154NumbersInTheCopies) {
    book.resizeAccounts(199);
    for (int i = 0; i < 200; ++i)
        book.AccountNumbers[i] = Currency::fromUnits(i + 1);
    ASSERT_TRUE(EditionExportFile(book, run, dir / "big").ok());

    const std::string bytes = readFile(dir / "big.LWK");
    Reader r{bytes};
    r.pos = 15 + 5 * 1265 + 33; // the last copy's list
    for (int i = 0; i < 154; ++i)
        EXPECT_EQ(r.i64(), (i + 1) * 10000LL);
    r.pos = ChartTableOffset;
    EXPECT_EQ(r.u16(), 199u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(r.i64(), (i + 1) * 10000LL);
}

TEST_F(ChartExport, JournalRecordsChainTheirPositions) {
    book.resizeJournal(4);
    book.EntryLines[0] = {45000.5, Debit, Currency::fromUnits(100), Currency::fromRaw(12345),
                          "",      1};
    book.EntryLines[1] = {45001.5,      Credit, Currency::fromUnits(200), Currency::fromRaw(-5),
                          "first note", 2};
    book.EntryLines[2] = {45000.75, Debit, {}, {}, "_", 0};
    book.EntryLines[3] = {45000.25, Unfilled, {}, {}, "caf\xC3\xA9", 0};
    book.EntryIds[0] = "A1";
    book.EntryIds[1] = "A1";
    book.EntryIds[2] = "B2";
    book.EntryIds[3] = EntryId{}; // never assigned: kept as stored
    ASSERT_TRUE(EditionExportFile(book, run, dir / "j.acc").ok());
    EXPECT_EQ(book.EntryLines[1].Reconciled, 0); // reset in the journal too
    EXPECT_EQ(fakes.progress.steps, 4);

    const std::string bytes = ent(dir, "j.ENT");
    Reader r{bytes};
    const std::uint32_t positions[] = {1, 47, 47 + 56, 47 + 56 + 47};
    const char* ids[] = {"A1            ", "A1            ", "B2            "};
    const std::int32_t days[] = {45000, 45002, 45001, 45000}; // halves to the even day
    const std::uint8_t reconciled[] = {1, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.pos + 1, positions[i]);
        EXPECT_EQ(r.u32(), positions[i]);
        EXPECT_EQ(r.raw(14), i < 3 ? std::string(ids[i]) : std::string(14, '\0'));
        EXPECT_EQ(r.u8(), reconciled[i]);
        EXPECT_EQ(r.u32(), 0u);
        EXPECT_EQ(std::int32_t(r.u32()), days[i]);
        EXPECT_EQ(r.u8(), book.EntryLines[i].Side);
        EXPECT_EQ(r.i64(), book.EntryLines[i].AccountNumber.raw);
        EXPECT_EQ(r.i64(), book.EntryLines[i].Amount.raw);
        EXPECT_EQ(r.text(), book.EntryLines[i].Details);
    }
    EXPECT_TRUE(r.atEnd());
}

TEST_F(ChartExport, GroupFilesOnlyForGroupsOfThreeLinesOrMore) {
    // A new book: every group a blank pair, so no group file.
    ASSERT_TRUE(EditionExportFile(book, run, dir / "g.LWK").ok());
    EXPECT_EQ(filesIn(dir), 2u);

    book.EntryGroups[0].push_back(
        {0, Debit, Currency::fromUnits(100), Currency::fromUnits(5), "rent", 1});
    book.EntryGroups[9] = std::vector<EntryLine>(5);
    book.EntryGroups[9][4].Details = "last";
    book.GroupNames[9] = "Monthly \xC3\xA9";
    ASSERT_TRUE(EditionExportFile(book, run, dir / "g.LWK").ok());
    EXPECT_EQ(filesIn(dir), 4u);
    ASSERT_TRUE(std::filesystem::exists(dir / "g01.Grp"));
    ASSERT_TRUE(std::filesystem::exists(dir / "g10.Grp"));

    const std::string first = readFile(dir / "g01.Grp");
    Reader r{first};
    EXPECT_EQ(r.u8(), 0u);
    EXPECT_EQ(r.u16(), 0u);
    EXPECT_EQ(r.raw(120), "Group 1" + std::string(113, ' '));
    EXPECT_EQ(r.u32(), 2u);
    for (std::size_t i = 0; i < 3; ++i) {
        const EntryLine& line = book.EntryGroups[0][i];
        EXPECT_EQ(r.u8(), line.Reconciled);
        EXPECT_EQ(r.u32(), 0u);
        EXPECT_EQ(r.u8(), line.Side);
        EXPECT_EQ(r.i64(), line.AccountNumber.raw);
        EXPECT_EQ(r.i64(), line.Amount.raw);
        EXPECT_EQ(r.text(), line.Details);
    }
    EXPECT_TRUE(r.atEnd());

    const std::string last = readFile(dir / "g10.Grp");
    Reader r10{last};
    r10.pos = 3;
    EXPECT_EQ(r10.raw(120), "Monthly \xC3\xA9" + std::string(110, ' '));
    EXPECT_EQ(r10.u32(), 4u);
    EXPECT_EQ(last.size(), 3u + 120 + 4 + 5 * 24 + 4);
}

TEST_F(ChartExport, ASecondShorterExportLeavesNoStaleBytes) {
    book.AccountNote2[5] = std::string(3000, 'n');
    book.resizeJournal(100);
    for (auto& line : book.EntryLines)
        line.Details = "a long note for every line";
    book.EntryGroups[3] = std::vector<EntryLine>(4);
    ASSERT_TRUE(EditionExportFile(book, run, dir / "s.LWK").ok());
    ASSERT_TRUE(std::filesystem::exists(dir / "s04.Grp"));
    const auto longChart = std::filesystem::file_size(dir / "s.LWK");

    book.AccountNote2[5].clear();
    book.resizeJournal(2);
    book.EntryLines[1].Details = "x";
    book.EntryGroups[3].resize(2);
    // Folders named like group files stay, empty or not, and so does a link to
    // a folder of the user's (the replace question never lists it): the export
    // is done, and told.
    for (const char* folder : {"s05.Grp", "s06.Grp/inside", "mine/inside"})
        std::filesystem::create_directories(dir / folder);
    std::filesystem::create_directory_symlink(dir / "mine", dir / "s07.Grp");
    ASSERT_TRUE(EditionExportFile(book, run, dir / "s.LWK").ok());
    EXPECT_EQ(std::filesystem::file_size(dir / "s.LWK"), longChart - 3000);
    EXPECT_EQ(readFile(dir / "s.ENT").size(), 2 * 46u + 26 + 1);
    // The group's old file would pass for its content: it is gone.
    EXPECT_FALSE(std::filesystem::exists(dir / "s04.Grp"));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    for (const char* folder : {"s05.Grp", "s06.Grp", "s07.Grp"}) {
        EXPECT_TRUE(std::filesystem::is_directory(dir / folder));
        EXPECT_NE(fakes.messages.lastText().find((dir / folder).string() + " is a "),
                  std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "s07.Grp"));
    EXPECT_EQ(filesIn(dir), 6u);
}

TEST_F(ChartExport, FileNamesComeFromTheChosenName) {
    auto files = chartExportFiles("/data/my.books/year 2024.acc");
    EXPECT_EQ(files.chart, "/data/my.books/year 2024.LWK");
    EXPECT_EQ(files.journal, "/data/my.books/year 2024.ENT");
    EXPECT_EQ(files.groups[0], "/data/my.books/year 202401.Grp");
    EXPECT_EQ(files.groups[9], "/data/my.books/year 202410.Grp");
    EXPECT_EQ(chartExportFiles("/data/my.books/plain").chart, "/data/my.books/plain.LWK");
}

TEST_F(ChartExport, FailuresAreShownAndKeepTheOlderFiles) {
    auto result = EditionExportFile(book, run, dir / "none" / "x.LWK");
    EXPECT_TRUE(result.error);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);

    book.EntryGroups[0] = std::vector<EntryLine>(3);
    writeFile(dir / "x.LWK", "old chart");
    writeFile(dir / "x.ENT", "old journal");
    writeFile(dir / "x01.Grp", "old group");
    writeFile(dir / "x02.Grp", "old group 2");

    // The disk fills part-way: nothing is replaced.
    SafeFileWriter::failAfterWrites(2);
    result = EditionExportFile(book, run, dir / "x.LWK");
    SafeFileWriter::failAfterWrites(-1);
    EXPECT_EQ(result.error, std::make_error_code(std::errc::no_space_on_device));
    EXPECT_EQ(fakes.messages.shown.size(), 2u);

    // A note too long for its 16-bit length: refused with a message naming it.
    book.EntryLines[1].Details = std::string(70000, 'x');
    result = EditionExportFile(book, run, dir / "x.LWK");
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.refusal.find("journal line 2"), std::string::npos) << result.refusal;
    EXPECT_EQ(fakes.messages.lastText(), result.refusal);

    EXPECT_EQ(readFile(dir / "x.LWK"), "old chart");
    EXPECT_EQ(readFile(dir / "x.ENT"), "old journal");
    EXPECT_EQ(readFile(dir / "x01.Grp"), "old group");
    EXPECT_EQ(readFile(dir / "x02.Grp"), "old group 2");
    EXPECT_EQ(filesIn(dir), 4u);

    // The chart replaced its older file, the journal may not: told which files are new.
    book.EntryLines[1].Details.clear();
    SafeFileWriter::failCommitAfter(1, EPERM);
    result = EditionExportFile(book, run, dir / "x.LWK");
    SafeFileWriter::failCommitAfter(-1, 0);
    EXPECT_EQ(result.error, std::errc::permission_denied);
    EXPECT_EQ(readFile(dir / "x.ENT"), "old journal");
    const std::string told = fakes.messages.lastText();
    EXPECT_EQ(told.find("nothing was written"), std::string::npos) << told;
    EXPECT_NE(told.find((dir / "x.ENT").string() + " could not be replaced: " +
                        Tmain::FileErrorText(fileErrorFor(EPERM, FileUse::Write))),
              std::string::npos)
        << told;
    const std::size_t notReplaced = told.find("not replaced");
    EXPECT_LT(told.find((dir / "x.LWK").string()), notReplaced) << told;
    EXPECT_GT(told.find((dir / "x01.Grp").string()), notReplaced) << told;

    // One of the other files is no file, read-only or too long a name: named, with what it is.
    std::filesystem::create_directory(dir / "f.ENT");
    ASSERT_EQ(::mkfifo((dir / "p01.Grp").c_str(), 0600), 0);
    writeFile(dir / "r01.Grp", "old group");
    std::filesystem::permissions(dir / "r01.Grp", std::filesystem::perms::owner_read);
    const std::string longStem(longestNameIn(dir.path()) - 5, 'l');
    for (const auto& [file, what] :
         {std::pair<std::string, std::string>{"f.ENT", " is a folder, not a file."},
          {"p01.Grp", " is a named pipe (FIFO), not a file."},
          {"r01.Grp", ": The file is read-only"},
          {longStem + "01.Grp", ": The file's path cannot be followed"}}) {
        const std::string stem = file.substr(0, file.find_first_of(".0"));
        EXPECT_FALSE(EditionExportFile(book, run, dir / (stem + ".LWK")).ok());
        EXPECT_NE(fakes.messages.lastText().find((dir / file).string() + what), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / (longStem + ".LWK")));

    // Older group files it may not remove stay, named, and out of the replace question.
    writeFile(dir / "k02.Grp", "old group");
    std::filesystem::permissions(dir / "k02.Grp", std::filesystem::perms::owner_read);
    ASSERT_EQ(::mkfifo((dir / "k03.Grp").c_str(), 0600), 0);
    EXPECT_TRUE(EditionExportFile(book, run, dir / "k.LWK").ok());
    EXPECT_EQ(readFile(dir / "k02.Grp"), "old group");
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "k03.Grp"));
    for (const auto& [file, what] :
         {std::pair<std::string, std::string>{"k02.Grp", ": The file is read-only"},
          {"k03.Grp", " is a named pipe (FIFO)"}}) {
        EXPECT_NE(fakes.messages.lastText().find((dir / file).string() + what), std::string::npos);
        EXPECT_TRUE(refusalToReplace(dir / file)) << file;
    }
}
