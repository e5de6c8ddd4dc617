// Saving the book file: the bytes on disk, refusals that write nothing, and
// failures that leave the old file, the book's path and its changed mark.
#include "book/book_file.h"
#include "book/safe_file.h"
#include "book/save_paths.h"
#include "book_file_test_books.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

using namespace book_file_testing;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

std::vector<std::string> filesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(BookFileWrite, WritesExactlyTheSerializedBytesOverALongerOldFile) {
    TempDir dir;
    Book b = randomBook(4, 30);
    const auto path = dir / "shop.acc";
    writeFile(path, std::string(1 << 16, 'x')); // an older, longer file
    BookWriteResult w = writeBookFile(path, b, nullptr);
    ASSERT_TRUE(w.ok()) << w.message << w.error.message();
    EXPECT_EQ(readFile(path), *serializeBookFile(b, nullptr, nullptr));
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"shop.acc"});

    // The stamps of the file written and read, digests of the bytes as they went by, are the
    // file's (also with bytes after the book, past what the reader takes in at once).
    EXPECT_EQ(w.written, fileStampOf(path));
    writeFile(dir / "tail.acc", readFile(path) + std::string(3 << 20, 't'));
    const auto password = [&b] { return std::optional<std::string>(b.FilePassword.str()); };
    for (const auto& read : {path, dir / "tail.acc"})
        EXPECT_EQ(readBookFile(read, password, nullptr).read, fileStampOf(read));
    std::filesystem::remove(dir / "tail.acc");

    // A private book stays private.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    ASSERT_TRUE(writeBookFile(path, b, nullptr).ok());
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // Through a link: the file it points at is replaced, the link stays.
    std::filesystem::create_directory(dir / "real");
    writeFile(dir / "real" / "book.acc", "old");
    std::filesystem::create_symlink(dir / "real" / "book.acc", dir / "link.acc");
    ASSERT_TRUE(writeBookFile(dir / "link.acc", b, nullptr).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.acc"));
    EXPECT_EQ(readFile(dir / "real" / "book.acc"), readFile(path));
}

TEST(BookFileWrite, ATextTooLongForTheFileRefusesTheSaveAndWritesNothing) {
    TempDir dir;
    const auto path = dir / "shop.acc";
    writeFile(path, "the old book");
    Book base = randomBook(12, 10);
    base.resizeAccounts(20);
    base.AccountNames[17] = "Petty cash";

    struct Case {
        std::function<void(Book&, std::string)> set;
        std::string names;
    };
    const std::vector<Case> cases = {
        {[](Book& b, std::string t) { b.BusinessAddress = VariantText(t); },
         "the business address"},
        {[](Book& b, std::string t) { b.BusinessName = VariantText(t); }, "the business name"},
        {[](Book& b, std::string t) { b.AccountNote2[17] = t; }, "account slot 17 (Petty cash)"},
        {[](Book& b, std::string t) { b.EntryGroups[2][0].Details = t; }, "entry group 3"},
        {[](Book& b, std::string t) {
             b.EntryLines[4].Details = t;
             b.EntryIds[4] = "INV-77";
         },
         "journal line 5 (reference \"INV-77\")"},
        {[](Book& b, std::string t) { b.EntryAccountList.push_back(VariantText(t)); },
         "of the account list"},
        {[](Book& b, std::string t) { b.FontName = VariantText(t); }, "the font name"},
        {[](Book& b, std::string t) { b.Caption = t.substr(1); }, "the window caption"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names);
        Book b = base;
        c.set(b, std::string(65536, 'a'));
        BookWriteResult w = writeBookFile(path, b, nullptr);
        EXPECT_FALSE(w.ok());
        EXPECT_FALSE(w.error);
        EXPECT_NE(w.message.find(c.names), std::string::npos) << w.message;
        EXPECT_NE(w.message.find("65536 bytes"), std::string::npos) << w.message;
        EXPECT_EQ(readFile(path), "the old book");
        std::string refusal;
        EXPECT_FALSE(serializeBookFile(b, nullptr, &refusal));
        EXPECT_EQ(refusal, w.message);
    }
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"shop.acc"});

    // 65,535 bytes still fit, and come back whole.
    Book fits = base;
    fits.BusinessAddress = VariantText(std::string(65535, 'z'));
    fits.Caption = std::string(65534, 'c'); // "m" makes 65,535
    ASSERT_TRUE(writeBookFile(path, fits, nullptr).ok());
    BookReadResult r = readBookFile(
        path, [&] { return std::optional(fits.FilePassword.str()); }, nullptr);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.book.BusinessAddress.str().size(), 65535u);
    EXPECT_EQ(r.book.Caption, fits.Caption);
}

TEST(BookFileWrite, AFailedSaveLeavesTheOldFileThePathAndTheChangedMark) {
    TempDir dir;
    const auto path = dir / "shop.acc";
    Book old = randomBook(30, 20);
    ASSERT_TRUE(writeBookFile(path, old, nullptr).ok());
    const std::string oldBytes = readFile(path);

    Book changed = randomBook(31, 40000); // several blocks of writing
    RunTimeState run;
    run.BookFilePath = path.string();
    run.BookChanged = true;
    for (int failingWrite : {0, 1}) {
        SCOPED_TRACE("write " + std::to_string(failingWrite) + " fails");
        SavePlan plan = planSave(SaveCommand::Save, run.BookFilePath, std::nullopt);
        ASSERT_EQ(plan.target, path);
        SafeFileWriter::failAfterWrites(failingWrite);
        BookWriteResult w = writeBookFile(plan.target, changed, nullptr);
        SafeFileWriter::failAfterWrites(-1);
        EXPECT_EQ(w.error, std::make_error_code(std::errc::no_space_on_device));
        finishSave(run, plan, w.ok());
        EXPECT_EQ(readFile(path), oldBytes);
        EXPECT_TRUE(run.BookChanged);
        EXPECT_EQ(run.BookFilePath, path.string());
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"shop.acc"});
    }

    // A Save As into a folder that cannot exist (its parent is a file).
    writeFile(dir / "plain", "not a folder");
    SavePlan plan = planSave(SaveCommand::SaveAs, run.BookFilePath,
                             SaveDialogAnswer{"new.acc", dir / "plain", "acc"});
    BookWriteResult w = writeBookFile(plan.target, changed, nullptr);
    EXPECT_TRUE(w.error);
    finishSave(run, plan, w.ok());
    EXPECT_EQ(run.BookFilePath, path.string());
    EXPECT_TRUE(run.BookChanged);

    // The same save succeeding clears the mark.
    plan = planSave(SaveCommand::Save, run.BookFilePath, std::nullopt);
    w = writeBookFile(plan.target, changed, nullptr);
    ASSERT_TRUE(w.ok());
    finishSave(run, plan, w.ok());
    EXPECT_FALSE(run.BookChanged);
    EXPECT_EQ(readFile(path), *serializeBookFile(changed, nullptr, nullptr));
}
