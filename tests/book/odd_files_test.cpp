// Files that are not what a reader or writer expects: pipes, devices, huge
// files, folders, missing folders and link loops are refused with a message,
// low memory is reported, links are written through and read-only files,
// pipes and looping links are never replaced.
#include "book/book_csv_file.h"
#include "book/book_file.h"
#include "book/book_text_file.h"
#include "book/excel_file.h"
#include "book/file_descriptor.h"
#include "book/insert_book.h"
#include "book/safe_file.h"
#include "book/safe_file_leftovers.h"
#include "book/tmain.h"
#include "hand_made_books.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "support/failing_allocations.h"
#include "support/test_paths.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace handmade;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

const PasswordPrompt noPrompt = []() -> std::optional<std::string> { return std::nullopt; };

// What each reader says about a path: its error and message.
struct ReadOutcome {
    std::error_code error;
    std::string message;
};

std::vector<std::pair<std::string, std::function<ReadOutcome(const fs::path&)>>> readers() {
    return {
        {"book file",
         [](const fs::path& p) {
             BookReadResult r = readBookFile(p, noPrompt, nullptr);
             return ReadOutcome{r.error, Tmain::FileErrorText(r.error)};
         }},
        {"text",
         [](const fs::path& p) {
             TextFormReadResult r = readBookTextFile(p, emptyBook(), dayFirstLocale(), 0, nullptr);
             return ReadOutcome{r.error, r.message};
         }},
        {"csv",
         [](const fs::path& p) {
             TextFormReadResult r = readBookCsvFile(p, emptyBook(), dayFirstLocale(), 0, nullptr);
             return ReadOutcome{r.error, r.message};
         }},
        {"insert",
         [](const fs::path& p) {
             Book book = emptyBook();
             RunTimeState run;
             InsertResult r =
                 insertBookFile(book, run, p, InsertSource::CsvFile, noPrompt, dayFirstLocale());
             return ReadOutcome{r.error, r.message};
         }},
    };
}

Book bookOfLines(int entries) {
    Book book = emptyBook();
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "500", "Sales", Revenue);
    for (int i = 0; i < entries; ++i)
        addEntry(book, std::to_string(i + 1), day(2024, 1, 1), "100", "500", "12.5",
                 "A sale of the day");
    return book;
}

} // namespace

TEST(OddFiles, PipesDevicesAndHugeFilesAreRefusedWithAMessage) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const fs::path pipe = dir / "pipe.csv";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path endless = dir / "endless.txt";
    fs::create_symlink("/dev/zero", endless);
    const fs::path huge = dir / "huge.csv";
    {
        const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(LargestFileRead + 1)), 0); // sparse
        ::close(fd);
    }
    lowerLargestFile(64 << 10); // a book larger than its reader takes is not written either
    for (const auto& [name, read] : readers()) {
        SCOPED_TRACE(name);
        for (const fs::path& p : {pipe, endless}) {
            const ReadOutcome out = read(p); // returns at once: no wait for a writer
            EXPECT_EQ(out.error, FileRefusal::NotARegularFile) << p;
            EXPECT_NE(out.message.find("not a file that can be opened"), std::string::npos)
                << out.message;
        }
        const ReadOutcome out = read(huge);
        EXPECT_EQ(out.error, FileRefusal::TooLarge);
        EXPECT_NE(out.message.find("too large"), std::string::npos) << out.message;
        if (name == "insert") continue; // it reads what opening reads
        const auto write = [&, name = name](const Book& b) {
            return name == "book file" ? writeBookFile(dir / name, b, nullptr)
                   : name == "text"    ? writeBookTextFile(dir / name, b, dayFirstLocale(), nullptr)
                                       : writeBookCsvFile(dir / name, b, dayFirstLocale(), nullptr);
        };
        writeFile(dir / name, "old");
        const BookWriteResult refused = write(bookOfLines(1000));
        EXPECT_EQ(refused.error, FileRefusal::TooLargeToOpen);
        EXPECT_EQ(Tmain::FileErrorText(refused.error),
                  "The book would take more than 65536 bytes in this form, more than a book file "
                  "the program opens, so it was not written.");
        EXPECT_EQ(readFile(dir / name), "old");
        EXPECT_TRUE(write(bookOfLines(100)).ok());
        EXPECT_FALSE(read(dir / name).error);
    }
    lowerLargestFile(0);
}

TEST(OddFiles, FoldersAndLinkLoopsAreRefusedWithWhatTheyAreByEveryReader) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    fs::create_directory(dir / "folder.acc");
    fs::create_symlink("self", dir / "self");
    for (const auto& [name, read] : readers()) {
        SCOPED_TRACE(name);
        const ReadOutcome folder = read(dir / "folder.acc");
        EXPECT_EQ(folder.error, FileRefusal::Folder);
        EXPECT_EQ(folder.error, std::errc::is_a_directory);
        EXPECT_NE(folder.message.find("is a folder, not a file"), std::string::npos)
            << folder.message;
        const ReadOutcome loop = read(dir / "self");
        EXPECT_EQ(loop.error, FileRefusal::LinkLoop);
        EXPECT_EQ(loop.error, std::errc::too_many_symbolic_link_levels);
        EXPECT_NE(loop.message.find("leads back to itself"), std::string::npos) << loop.message;
    }
}

TEST(OddFiles, TheTextReadersReportRunningOutOfMemoryAndTheWritersNeedLittle) {
    ScopedFakeServices fakes(dayFirstLocale());
    const Book big = bookOfLines(150000);
    const std::string text = formatBookText(big, dayFirstLocale(), nullptr);
    const std::string csv = formatBookCsv(big, dayFirstLocale(), nullptr);
    TempDir dir;
    const std::string outOfMemory = strings::text(309);
    // Each runs in a child that may take 4 MB more, no further; it exits 0
    // when the reader reported the lack of memory instead of ending, or the
    // writer wrote.
    auto reportsLowMemory = [&](const std::function<bool()>& run) {
        EXPECT_EXIT(
            {
                failing_allocations::bytesLeft = 4 << 20;
                std::exit(run() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
    };
    reportsLowMemory([&] {
        TextFormReadResult r = parseBookText(text, emptyBook(), dayFirstLocale(), 0, nullptr);
        return !r.ok && r.error == std::errc::not_enough_memory && r.message == outOfMemory;
    });
    reportsLowMemory([&] {
        TextFormReadResult r =
            parseBookCsv(csv, emptyBook(), dayFirstLocale(), 0, nullptr, "big.csv");
        return !r.ok && r.error == std::errc::not_enough_memory && r.message == outOfMemory;
    });
    // The writers hand the text on as they make it: it never stands whole in memory.
    reportsLowMemory(
        [&] { return writeBookTextFile(dir / "big.txt", big, dayFirstLocale(), nullptr).ok(); });
    reportsLowMemory(
        [&] { return writeBookCsvFile(dir / "big.csv", big, dayFirstLocale(), nullptr).ok(); });
    EXPECT_TRUE(readFile(dir / "big.txt") == text && readFile(dir / "big.csv") == csv);
}

TEST(OddFiles, EveryWriterWritesThroughLinksAndRefusesReadOnlyFiles) {
    ScopedFakeServices fakes(dayFirstLocale());
    const Book book = bookOfLines(2);
    const std::vector<std::pair<std::string, std::function<BookWriteResult(const fs::path&)>>>
        writers = {
            {"bytes",
             [](const fs::path& p) {
                 return BookWriteResult{writeFileSafely(p, "x"), "", std::nullopt};
             }},
            {"book file", [&](const fs::path& p) { return writeBookFile(p, book, nullptr); }},
            {"text",
             [&](const fs::path& p) {
                 return writeBookTextFile(p, book, dayFirstLocale(), nullptr);
             }},
            {"csv",
             [&](const fs::path& p) {
                 return writeBookCsvFile(p, book, dayFirstLocale(), nullptr);
             }},
            {"spreadsheet",
             [](const fs::path& p) {
                 ExcelFile sheet;
                 std::error_code ec = sheet.CreateFile(p);
                 if (!ec) ec = sheet.CloseFile();
                 return BookWriteResult{ec, "", std::nullopt};
             }},
        };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        TempDir dir;
        fs::create_directory(dir / "real");
        // A link to a file, and a chain of links to one that is not there yet.
        writeFile(dir / "real" / "book", "old");
        fs::create_symlink("real/book", dir / "link");
        fs::create_symlink("link2", dir / "dangling");
        fs::create_symlink(dir / "real" / "new", dir / "link2");
        for (const char* link : {"link", "dangling"}) {
            ASSERT_TRUE(write(dir / link).ok()) << link;
            EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
        }
        EXPECT_NE(readFile(dir / "real" / "book"), "old");
        EXPECT_EQ(readFile(dir / "real" / "new"), readFile(dir / "real" / "book"));

        // The next write into the folder takes away this program's leftovers
        // of any target; nothing without its mark (also a name of the old
        // ".tmp" form open for writing in another process), held or not ours.
        const fs::path real = dir / "real";
        auto running = std::make_unique<SafeFileWriter>(real / "book");
        const fs::path held = running->temporaryPath();
        const std::size_t start = longestNameIn(real) - 23;
        const std::string longName = std::string(start, 'n') + "\xC3\xA9" + std::string(10, 'n');
        const std::string cut = "." + longName.substr(0, start);
        if (::fork() == 0) {
            (new SafeFileWriter(real / longName))->write("half");
            ::_exit(0); // ended before the rename
        }
        ::wait(nullptr);
        std::vector<fs::path> leftovers;
        for (const fs::directory_entry& e : fs::directory_iterator(real))
            if (e.path().filename().string().starts_with(cut)) leftovers.push_back(e.path());
        ASSERT_EQ(leftovers.size(), 1u);
        writeFile(dir / "outside", "x");
        fs::create_symlink("../outside", real / ".book.ledgerwick-tmp8");
        const std::string others[] = {
            ".book.tmp",           ".book.tmp7x",      "..tmp7",
            "book.tmp7",           ".book.tmp1234567", ".invoice-17.pdf.tmp4",
            ".book.tmp7.tmp9",     cut + ".tmp5",      ".theirs.ledgerwick-tmp3",
            ".report.txt.tmp7755", ".book.tmp31"};
        for (const std::string& other : others)
            writeFile(real / other, "other");
        const bool root = ::geteuid() == 0; // to act as another user
        ASSERT_TRUE(!root || ::chown((real / others[8]).c_str(), 65534, 65534) == 0);
        const pid_t holder = ::fork(); // stops once it holds others[9] and [10] open
        if (holder == 0) {
            ::open((real / others[9]).c_str(), O_RDONLY);
            ::open((real / others[10]).c_str(), O_WRONLY);
            ::raise(SIGSTOP);
            ::_exit(0);
        }
        ::waitpid(holder, nullptr, WUNTRACED);
        EXPECT_TRUE(write(dir / "link").ok());
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
        for (const fs::path& leftover : leftovers)
            EXPECT_FALSE(fs::exists(leftover)) << leftover;
        EXPECT_TRUE(fs::exists(held)) << held;
        // A temporary whose name went to another file before it was locked is not held.
        const fs::path taken = real / ".book.ledgerwick-tmp9";
        const FileDescriptor made(::open(taken.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600));
        fs::remove(taken);
        writeFile(taken, "another's");
        EXPECT_FALSE(holdTemporary(made.get(), taken));
        fs::remove(taken);
        EXPECT_TRUE(fs::is_symlink(real / ".book.ledgerwick-tmp8"));
        EXPECT_EQ(readFile(dir / "outside"), "x");
        for (const std::string& other : others) // another user's only where there is one
            EXPECT_TRUE(fs::remove(real / other) || (!root && other == others[8])) << other;
        fs::remove(real / ".book.ledgerwick-tmp8");
        running.reset();
        EXPECT_FALSE(fs::exists(held));
        // A name as long as the folder takes: its temporary name is cut at a
        // character, also where the file system tells 1530 bytes (vfat, exFAT).
        EXPECT_EQ(temporaryPrefix(real / longName, start + 23), cut + TemporaryMark);
        EXPECT_EQ(temporaryPrefix(real / longName, 100), cut.substr(0, 79) + TemporaryMark);
        overstateLongestName(1530);
        EXPECT_TRUE(write(real / std::string(250, 'm')).ok() &&
                    fs::remove(real / std::string(250, 'm')));
        overstateLongestName(0);

        // A read-only file is refused with the read-only message and stays.
        writeFile(dir / "locked", "kept");
        fs::permissions(dir / "locked", fs::perms::owner_read);
        const BookWriteResult refused = write(dir / "locked");
        EXPECT_EQ(refused.error, std::errc::read_only_file_system);
        EXPECT_EQ(Tmain::FileErrorText(refused.error),
                  "The file is read-only: no one has permission to write it.");
        EXPECT_EQ(readFile(dir / "locked"), "kept");
        fs::permissions(dir / "locked", fs::perms::owner_all);
        // Another user's file is a refused permission, not a read-only file;
        // a shared folder (sticky bit) refuses replacing it. A file replaced
        // keeps its owner and group where the system allows.
        if (root) {
            fs::permissions(real, fs::perms::all);
            for (const char* shared : {"shared", "own shared"}) { // ... not where it is one's own
                fs::create_directory(dir / shared);
                fs::permissions(dir / shared, fs::perms::all | fs::perms::sticky_bit);
            }
            for (const fs::path& theirs :
                 {real / "theirs", dir / "shared" / "theirs", dir / "own shared" / "theirs"}) {
                writeFile(theirs, "kept");
                fs::permissions(theirs, fs::perms::all & ~fs::perms::others_exec);
            }
            fs::permissions(real / "theirs", fs::perms(0644));
            if (testing_support::othersReach(dir.path())) { // "own shared" then the other user's
                testing_support::asOrdinaryUser({dir / "own shared"}, [&] {
                    EXPECT_EQ(write(real / "theirs").error, FileRefusal::WriteDenied);
                    EXPECT_EQ(write(dir / "shared" / "theirs").error, FileRefusal::ReplaceDenied);
                    EXPECT_TRUE(write(dir / "own shared" / "theirs").ok());
                });
            }
            EXPECT_EQ(readFile(dir / "shared" / "theirs"), "kept");
            fs::remove_all(dir / "own shared");
            fs::remove(real / "theirs");
            ASSERT_EQ(::chown((dir / "locked").c_str(), 65534, 65534), 0);
            ASSERT_TRUE(write(dir / "locked").ok());
            struct stat replaced {};
            EXPECT_TRUE(::stat((dir / "locked").c_str(), &replaced) == 0 &&
                        replaced.st_gid == 65534 && replaced.st_uid == 65534);
        }
        // A file replaced keeps its access-control list, and one without keeps exactly its mode
        // where the folder gives new files one (as an ordinary user where the test may be one).
        const fs::path lists = dir / "lists";
        fs::create_directory(lists);
        testing_support::asOrdinaryUser({lists}, [&] {
            using testing_support::runCommand, testing_support::OtherUser;
            const std::string other = std::to_string(::geteuid() == OtherUser ? 1 : OtherUser);
            for (const std::string name : {"listed", "plain"}) {
                const fs::path file = lists / name;
                writeFile(file, "old");
                fs::permissions(file, fs::perms(0640));
                const std::string list = name == "listed"
                                             ? "-m u:" + other + ":rw- '" + file.string()
                                             : "-d -m u:" + other + ":rwx '" + lists.string();
                const std::string getfacl = "getfacl -cpn '" + file.string() + "'";
                std::string before, after;
                if (runCommand("setfacl " + list + "'") != 0 || runCommand(getfacl, &before) != 0)
                    break;
                ASSERT_TRUE(write(file).ok()) << name;
                EXPECT_EQ(runCommand(getfacl, &after), 0);
                EXPECT_EQ(after, before) << name;
            }
            // The temporary of a file replaced gives group and others no rights, whatever the
            // folder's list gives: a private book is never theirs to open before it has its mode.
            const FileDescriptor made(createTemporary(lists / ".p.ledgerwick-tmp1", true));
            struct stat made_ {};
            EXPECT_TRUE(::fstat(made.get(), &made_) == 0 && (made_.st_mode & 077) == 0);
        });
        fs::remove_all(lists);

        // A link to itself, two links to each other, a folder, a folder that
        // is not there (also at the end of a link), a pipe and a device are
        // refused before anything is written, with what they are, in the
        // words every export shows (also those that keep only the error's number).
        fs::create_symlink("self", dir / "self");
        fs::create_symlink("loop2", dir / "loop1");
        fs::create_symlink("loop1", dir / "loop2");
        fs::create_symlink("real", dir / "to folder");
        fs::create_symlink("gone/book", dir / "broken");
        fs::create_symlink("/dev/null", dir / "to device");
        ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
        const struct {
            const char* target;
            FileRefusal refusal;
            const char* says;
        } unwritable[] = {
            {"self", FileRefusal::LinkLoop, "leads back to itself"},
            {"loop1", FileRefusal::LinkLoop, "leads back to itself"},
            {"real", FileRefusal::Folder, "is a folder"},
            {"to folder", FileRefusal::Folder, "is a folder"},
            {"nowhere/book", FileRefusal::NoFolder, "folder to write the file in does not exist"},
            {"broken", FileRefusal::NoFolder, "does not exist"},
            {"pipe", FileRefusal::NamedPipe, "is a named pipe (FIFO), not a file"},
            {"to device", FileRefusal::Device, "is a device, not a file"}};
        for (const auto& [target, refusal, says] : unwritable) {
            SCOPED_TRACE(target);
            const BookWriteResult r = write(dir / target);
            EXPECT_EQ(r.error, make_error_code(refusal));
            if (fs::is_symlink(dir / target) || fs::exists(dir / target)) { // never offered
                EXPECT_EQ(refusalToReplace(dir / target), make_error_code(refusal));
            }
            const std::string text = Tmain::FileErrorText(r.error);
            EXPECT_EQ(Tmain::FileErrorText(Tmain::FileErrorNumber(r.error)), text);
            EXPECT_NE(text.find(says), std::string::npos) << text;
        }
        for (const char* link : {"self", "loop1", "loop2", "broken"})
            EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
        EXPECT_TRUE(fs::is_directory(dir / "real"));
        EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
        EXPECT_FALSE(fs::exists(dir / "nowhere"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()),
                  2); // book and new: no file left behind
    }
}
