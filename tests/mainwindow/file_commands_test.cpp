#include "mainwindow/file_commands.h"

#include "book/book_csv_file.h"
#include "book/book_file.h"
#include "book/book_text_file.h"
#include "book/carry_forward.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "mainwindow/startup_state.h"
#include "mainwindow/trading_books.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using trading_books::addEntry;
using trading_books::bookBytes;
using trading_books::money;
using trading_books::setAccount;

namespace {

constexpr double Today = 46000; // the fake clock's day

// The trading book of trading_books, dates written year first.
Book tradingBook(const std::string& name = "Corner Shop") {
    Book b = trading_books::tradingBook(name);
    b.DateStyle = 2;
    return b;
}

// The window's side of the commands, scripted.
struct ScriptedHost : FileCommandHost {
    RunTimeState* run = nullptr;
    std::deque<std::optional<FileChoice>> dialogs;
    std::vector<FileDialogRequest> requests;
    std::deque<std::optional<std::string>> passwords;
    std::vector<PasswordKind> asked;
    std::vector<std::string> enteredAtPrompt; // EnteredPassword as each prompt opened
    std::vector<int> busyAtPrompt;            // the busy state as each prompt opened
    std::deque<MessageAnswer> answers;
    std::vector<std::string> questions;
    std::vector<BookWindows> closed;
    int busyDepth = 0, busySpells = 0;
    std::vector<std::int32_t> shownLines;
    int fontsApplied = 0, accountLists = 0;
    std::string windowCaption = "Ledgerwick : test";
    std::vector<std::pair<bool, bool>> saveCommands;
    std::function<void()> duringDialog;

    std::optional<FileChoice> chooseFile(const FileDialogRequest& r) override {
        requests.push_back(r);
        if (duringDialog) duringDialog();
        if (dialogs.empty()) {
            ADD_FAILURE() << "a dialog nobody expected: " << r.caption;
            return std::nullopt;
        }
        auto c = dialogs.front();
        dialogs.pop_front();
        return c;
    }
    std::optional<std::string> askPassword(PasswordKind kind) override {
        asked.push_back(kind);
        enteredAtPrompt.push_back(run ? run->EnteredPassword : "");
        busyAtPrompt.push_back(busyDepth);
        if (passwords.empty()) return std::nullopt;
        auto p = passwords.front();
        passwords.pop_front();
        return p;
    }
    MessageAnswer askQuestion(const std::string& text, MessageButtons buttons) override {
        EXPECT_EQ(buttons, MessageButtons::YesNoCancel);
        questions.push_back(text);
        if (answers.empty()) return MessageAnswer::Cancel;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    void closeWindows(const BookWindows& w) override { closed.push_back(w); }
    void setBusy(bool on) override {
        busyDepth += on ? 1 : -1;
        if (on) ++busySpells;
    }
    std::string windowFontName() const override { return "Window Face"; }
    void applyFonts(const Book&) override { ++fontsApplied; }
    void accountsChanged() override { ++accountLists; }
    void showJournalLine(std::int32_t line) override { shownLines.push_back(line); }
    std::string caption() const override { return windowCaption; }
    void setCaption(const std::string& c) override { windowCaption = c; }
    void setSaveCommands(bool save, bool saveAs) override {
        saveCommands.push_back({save, saveAs});
    }
};

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.run = &run;
        book = makeEmptyBook("Balance", Today);
    }

    fs::path writeAcc(const std::string& name, const Book& b) {
        const fs::path p = dir / name;
        EXPECT_TRUE(writeBookFile(p, b, nullptr).ok());
        return p;
    }
    FileChoice choice(const fs::path& p, const std::string& type) { return {p, type}; }

    ScopedFakeServices fakes{dayFirstLocale()};
    TempDir dir;
    Book book;
    RunTimeState run;
    ScriptedHost host;
    FileCommands commands{book, run, host};
};

// ---------------------------------------------------------------- opening

TEST_F(FileCommandsTest, CommandLineOpensEachFormByItsExtension) {
    const Book source = tradingBook();
    const fs::path acc = writeAcc("shop.acc", source);
    const fs::path txt = dir / "shop.txt";
    const fs::path csv = dir / "shop.csv";
    ASSERT_TRUE(writeBookTextFile(txt, source, dayFirstLocale(), nullptr).ok());
    ASSERT_TRUE(writeBookCsvFile(csv, source, dayFirstLocale(), nullptr).ok());

    // The book file: it becomes the book's own file.
    ASSERT_EQ(commands.openFromCommandLine(acc.string()), CommandOutcome::Done);
    EXPECT_EQ(book.BusinessName.str(), "Corner Shop");
    ASSERT_EQ(book.LastEntryLine(), 5);
    EXPECT_EQ(book.EntryLines[3].Amount, money("500"));
    EXPECT_EQ(run.BookFilePath, acc.string());
    EXPECT_FALSE(run.BookChanged);
    EXPECT_EQ(run.JournalRevision, 1);
    EXPECT_EQ(run.LockedBelow, 0); // no administrator password
    EXPECT_EQ(host.shownLines.back(), 5);
    EXPECT_EQ(host.windowCaption, mainCaption(acc.string()));
    EXPECT_EQ(host.closed.size(), 1u);
    EXPECT_EQ(host.closed[0], windowsClosedByOpening());
    EXPECT_EQ(host.busyDepth, 0);
    EXPECT_TRUE(host.requests.empty()); // no dialog at start-up

    // The text forms by their extension, not read as book files. They hold
    // no book file of their own: the path of the book opened before goes.
    for (const fs::path& p : {txt, csv}) {
        SCOPED_TRACE(p.string());
        book = makeEmptyBook("Balance", Today);
        book.DateStyle = 2;
        run.BookFilePath = acc.string();
        // 01/03/2025 reads as 1 March and as 3 January: the user is asked,
        // naming the file, and Yes reads the dates day first.
        host.answers.push_back(MessageAnswer::Yes);
        ASSERT_EQ(commands.openFromCommandLine(p.string()), CommandOutcome::Done);
        ASSERT_EQ(host.questions.size(), p == txt ? 1u : 2u);
        EXPECT_TRUE(host.questions.back().starts_with(
            p.string() + ":\nThe dates in this file can be read in two ways"))
            << host.questions.back();
        EXPECT_EQ(book.EntryLines[2].Date, Tmain::DayNumber(2025, 3, 2));
        ASSERT_EQ(book.LastEntryLine(), 5);
        EXPECT_EQ(Tmain::AccountNameByNumber(book, money("400")), "Sales");
        EXPECT_EQ(book.EntryLines[4].AccountNumber, money("600"));
        EXPECT_EQ(book.EntryLines[5].Details, "March rent");
        EXPECT_EQ(run.BookFilePath, "");
        EXPECT_EQ(run.CurrentFilePath, "");
        EXPECT_FALSE(run.BookChanged);
    }
    EXPECT_EQ(run.JournalRevision, 3);
    // A name that holds a quote and ends in a blank is that file's, as typed.
    const fs::path odd = writeAcc("shop \"2\".acc ", source);
    EXPECT_EQ(commands.openFromCommandLine(commandLineBookPath(odd.string())),
              CommandOutcome::Done);
    EXPECT_EQ(run.BookFilePath, odd.string());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(FileCommandsTest, TheDialogsTypeChoosesTheReader) {
    const Book source = tradingBook();
    const fs::path acc = writeAcc("shop.acc", source);
    // "*.csv" chosen for a book file: read as CSV, which it is not.
    host.dialogs.push_back(choice(acc, "csv"));
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Failed);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.lastText().find("CSV file"), std::string::npos)
        << fakes.messages.lastText();
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].caption, "Open Project...");
    EXPECT_EQ(host.requests[0].acceptCaption, "Open");
    EXPECT_EQ(host.requests[0].patterns, (std::vector<std::string>{"*.acc", "*.csv", "*.txt"}));

    host.dialogs.push_back(choice(acc, "acc"));
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Done);
    EXPECT_EQ(book.LastEntryLine(), 5);
}

TEST_F(FileCommandsTest, CancelledWrongPasswordDamagedAndMissingChangeNothing) {
    Book open = tradingBook("Open Book");
    const fs::path openPath = writeAcc("open.acc", open);
    // A read-only book file: Save is disabled, and no failure below may enable it.
    fs::permissions(openPath, fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(commands.openFromCommandLine(openPath.string()), CommandOutcome::Done);
    ASSERT_EQ(commands.saveCommands(), (SaveCommandsState{false, true}));
    book.EntryLines.pop_back(); // a change the failures must keep
    book.EntryIds.pop_back();
    run.CurrentFilePath = "scratch";

    Book locked = tradingBook("Locked");
    locked.FilePassword = "secret";
    const fs::path lockedPath = writeAcc("locked.acc", locked);
    std::string damaged = bookBytes(tradingBook("Damaged"));
    damaged.resize(damaged.size() / 2);
    const fs::path damagedPath = dir / "damaged.acc";
    writeFile(damagedPath, damaged);
    const fs::path folderPath = dir / "folder.acc";
    fs::create_directory(folderPath);

    const std::string before = bookBytes(book);
    const RunTimeState runBefore = run;
    const SaveCommandsState saveBefore = commands.saveCommands();
    auto expectUnchanged = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(bookBytes(book), before);
        EXPECT_EQ(run.BookFilePath, runBefore.BookFilePath);
        EXPECT_EQ(run.CurrentFilePath, "scratch");
        EXPECT_EQ(run.BookChanged, runBefore.BookChanged);
        EXPECT_EQ(run.JournalRevision, runBefore.JournalRevision);
        EXPECT_EQ(run.EnteredPassword, "");
        EXPECT_EQ(commands.saveCommands(), saveBefore);
        EXPECT_EQ(host.closed.size(), 1u); // only the first, successful open closed windows
        EXPECT_EQ(host.busyDepth, 0);
    };

    host.dialogs.push_back(std::nullopt);
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Cancelled);
    expectUnchanged("dialog cancelled");
    EXPECT_TRUE(fakes.messages.shown.empty());

    host.dialogs.push_back(choice(lockedPath, "acc"));
    host.passwords.push_back(std::string("guess"));
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Refused);
    expectUnchanged("wrong password");
    EXPECT_EQ(host.asked.back(), PasswordKind::BookFile);
    EXPECT_EQ(host.busyAtPrompt.back(), 0);     // the window takes the password
    EXPECT_EQ(fakes.messages.shown.size(), 1u); // the refusal is said

    host.dialogs.push_back(choice(lockedPath, "acc"));
    host.passwords.push_back(std::nullopt);
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Refused);
    expectUnchanged("prompt left");
    EXPECT_EQ(fakes.messages.shown.size(), 1u); // leaving the prompt needs no message

    auto loadFails = [&](const fs::path& path, const char* what) {
        host.dialogs.push_back(choice(path, "acc"));
        EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Failed);
        expectUnchanged(what);
    };
    loadFails(damagedPath, "damaged file");
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
    loadFails(folderPath, "unreadable file");
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
    failNextOpenForReading(EACCES);
    loadFails(damagedPath, "no permission to read");
    EXPECT_EQ(fakes.messages.lastText(),
              "The file could not be read:\n" + damagedPath.string() +
                  ": The file cannot be opened because this user has no permission to read it.");
    const fs::path missing = dir / "nowhere.acc";
    for (const fs::path& typed : {missing, dir / "nowhere.acc "}) { // told as typed
        loadFails(typed, "missing file");
        EXPECT_EQ(fakes.messages.lastText(), "\"" + typed.string() + "\" file not found");
    }
    host.dialogs.push_back(choice(damagedPath, "acc"));
    EXPECT_EQ(commands.InsertEntries_Click(), CommandOutcome::Failed);
    expectUnchanged("damaged file inserted");
    EXPECT_TRUE(fakes.messages.lastText().starts_with(
        damagedPath.string() +
        ":\nThis book file is damaged, so nothing was inserted; the open book is unchanged: "))
        << fakes.messages.lastText();

    // A text form whose dates read two ways, the question cancelled: opened
    // or inserted, nothing changes and nothing more is said.
    const fs::path twoWays = dir / "two ways.csv";
    ASSERT_TRUE(writeBookCsvFile(twoWays, tradingBook(), dayFirstLocale(), nullptr).ok());
    const std::size_t shown = fakes.messages.shown.size();
    for (const std::string verb : {"opens", "inserts"}) {
        const std::size_t asked = host.questions.size();
        host.dialogs.push_back(choice(twoWays, "csv"));
        host.answers.push_back(MessageAnswer::Cancel);
        EXPECT_EQ(verb == "opens" ? commands.LoadAccFile(0) : commands.InsertEntries_Click(),
                  CommandOutcome::Cancelled);
        expectUnchanged("dates question cancelled");
        ASSERT_EQ(host.questions.size(), asked + 1);
        EXPECT_TRUE(host.questions.back().ends_with("Cancel " + verb +
                                                    " nothing and leaves the open book as it is."));
    }
    EXPECT_EQ(fakes.messages.shown.size(), shown);

    // At start-up a book that is not there is said the same way.
    EXPECT_EQ(commands.openFromCommandLine(missing.string()), CommandOutcome::Failed);
    expectUnchanged("missing at start-up");

    // And the right password opens it.
    host.dialogs.push_back(choice(lockedPath, "acc"));
    host.passwords.push_back(std::string("secret"));
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Done);
    EXPECT_EQ(book.BusinessName.str(), "Locked");
    EXPECT_EQ(run.EnteredPassword, "");
}

TEST_F(FileCommandsTest, AChangedBookIsReplacedOnlyAfterTheQuestion) {
    const fs::path other = writeAcc("other.acc", tradingBook("Other"));
    const fs::path mine = writeAcc("mine.acc", tradingBook("Mine"));
    ASSERT_EQ(commands.openFromCommandLine(mine.string()), CommandOutcome::Done);
    book.BusinessName = "Mine, changed";
    run.BookChanged = true;

    // Cancel: no dialog, nothing read.
    host.answers.push_back(MessageAnswer::Cancel);
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Cancelled);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "Do you want to open another book without saving this one ?");
    EXPECT_TRUE(host.requests.empty());
    EXPECT_EQ(book.BusinessName.str(), "Mine, changed");
    EXPECT_TRUE(run.BookChanged);

    // Nor from the command line.
    host.answers.push_back(MessageAnswer::Cancel);
    EXPECT_EQ(commands.openFromCommandLine(other.string()), CommandOutcome::Cancelled);
    EXPECT_EQ(book.BusinessName.str(), "Mine, changed");

    // No: the book is saved first (to its own file), then the other opens.
    host.answers.push_back(MessageAnswer::No);
    host.dialogs.push_back(choice(other, "acc"));
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Done);
    EXPECT_EQ(book.BusinessName.str(), "Other");
    BookReadResult saved = readBookFile(mine, nullptr, nullptr);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.book.BusinessName.str(), "Mine, changed");
    EXPECT_FALSE(run.BookChanged);

    // Yes: the changes go.
    book.BusinessName = "Other, changed";
    run.BookChanged = true;
    host.answers.push_back(MessageAnswer::Yes);
    host.dialogs.push_back(choice(mine, "acc"));
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Done);
    EXPECT_EQ(book.BusinessName.str(), "Mine, changed");
    EXPECT_EQ(readBookFile(other, nullptr, nullptr).book.BusinessName.str(), "Other");

    // No, for a book without a file, whose save dialog is then cancelled:
    // nothing is opened.
    book = tradingBook("Unsaved");
    run.BookFilePath.clear();
    run.BookChanged = true;
    host.answers.push_back(MessageAnswer::No);
    host.dialogs.push_back(std::nullopt); // the Save dialog
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Cancelled);
    EXPECT_EQ(host.requests.back().caption, "Save As...");
    EXPECT_EQ(book.BusinessName.str(), "Unsaved");
    EXPECT_TRUE(run.BookChanged);
}

TEST_F(FileCommandsTest, AReadOnlyBookFileDisablesSaveButNotSaveAs) {
    const std::string readOnlyText = "The file is read-only: no one has permission to write it.";
    const fs::path path = writeAcc("readonly.acc", tradingBook());
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string bytes = readFile(path);
    EXPECT_TRUE(bookFileIsReadOnly(path));

    ASSERT_EQ(commands.openFromCommandLine(path.string()), CommandOutcome::Done);
    EXPECT_EQ(commands.saveCommands(), (SaveCommandsState{false, true}));
    ASSERT_FALSE(host.saveCommands.empty());
    EXPECT_EQ(host.saveCommands.back(), std::make_pair(false, true));

    run.BookChanged = true;
    EXPECT_EQ(commands.SaveFile_Click(0), CommandOutcome::Refused);
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_TRUE(host.requests.empty());
    // ...telling why, the file named, and where the book can go instead.
    EXPECT_EQ(fakes.messages.lastText(), "This book cannot be saved over its own file:\n" +
                                             path.string() + ": " + readOnlyText +
                                             "\n\nSave As can write the book to another file.");

    const fs::path copy = dir / "copy.acc";
    host.dialogs.push_back(choice(copy, "acc"));
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_EQ(run.BookFilePath, copy.string());
    // The book now lives in a file it may write.
    EXPECT_EQ(commands.saveCommands(), (SaveCommandsState{true, true}));
    EXPECT_EQ(commands.SaveFile_Click(0), CommandOutcome::Done);
    EXPECT_EQ(readFile(path), bytes);

    // Save As and every export over a read-only file: refused with the
    // read-only message, the file as it was, the book's own file kept.
    for (const char* type : {"acc", "txt", "csv", "xls"}) {
        SCOPED_TRACE(type);
        const fs::path locked = dir / (std::string("locked.") + type);
        writeFile(locked, "kept");
        fs::permissions(locked, fs::perms::owner_read);
        const std::size_t shown = fakes.messages.shown.size();
        host.dialogs.push_back(choice(locked, type));
        EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Failed);
        EXPECT_EQ(readFile(locked), "kept");
        ASSERT_EQ(fakes.messages.shown.size(), shown + 1);
        EXPECT_EQ(fakes.messages.lastText(),
                  "The file could not be written (the file of that name stays as it was):\n" +
                      locked.string() + ": " + readOnlyText);
        EXPECT_EQ(run.BookFilePath, copy.string());
    }
}

// ---------------------------------------------------------------- saving

TEST_F(FileCommandsTest, SaveAndSaveAsPaths) {
    book = tradingBook();
    run.BookChanged = true;

    // Save of a book without a file asks; a text file leaves it without one.
    host.dialogs.push_back(choice(dir / "shop.txt", "txt"));
    EXPECT_EQ(commands.SaveFile_Click(0), CommandOutcome::Done);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].caption, "Save As...");
    EXPECT_EQ(host.requests[0].acceptCaption, "Save");
    EXPECT_EQ(host.requests[0].patterns,
              (std::vector<std::string>{"*.acc", "*.csv", "*.xls", "*.txt", "*.LWK"}));
    EXPECT_TRUE(fs::exists(dir / "shop.txt"));
    EXPECT_EQ(run.BookFilePath, "");
    EXPECT_EQ(run.CurrentFilePath, (dir / "shop.txt").string());
    EXPECT_TRUE(run.BookChanged); // only the book file clears it
    EXPECT_EQ(fakes.progress.activity, "Saving");

    // A typed extension gives way to the chosen type.
    host.dialogs.push_back(choice(dir / "books.dat", "csv"));
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    EXPECT_TRUE(fs::exists(dir / "books.csv"));
    EXPECT_FALSE(fs::exists(dir / "books.dat"));

    // Cancelling Save As changes nothing.
    host.dialogs.push_back(std::nullopt);
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Cancelled);
    EXPECT_TRUE(run.BookChanged);

    // The book file: it becomes the book's own, with the window's caption in its header.
    host.dialogs.push_back(choice(dir / "shop", "acc"));
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    const fs::path acc = dir / "shop.acc";
    EXPECT_EQ(run.BookFilePath, acc.string());
    EXPECT_EQ(run.BookDirectory, dir.path().string() + "/");
    EXPECT_FALSE(run.BookChanged);
    EXPECT_EQ(readBookFile(acc, nullptr, nullptr).book.Caption, "Ledgerwick : test");

    // Exports leave the book's own file alone.
    host.dialogs.push_back(choice(dir / "journal.xls", "xls"));
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    host.dialogs.push_back(choice(dir / "edition.LWK", "LWK"));
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    EXPECT_TRUE(fs::exists(dir / "journal.xls"));
    EXPECT_TRUE(fs::exists(dir / "edition.LWK"));
    EXPECT_TRUE(fs::exists(dir / "edition.ENT"));
    EXPECT_EQ(run.BookFilePath, acc.string());
    EXPECT_EQ(run.SaveExtension, "LWK");

    // A plain Save after an export writes the book file, asking nothing.
    book.BusinessName = "Corner Shop Ltd";
    run.BookChanged = true;
    const std::size_t dialogsSoFar = host.requests.size();
    EXPECT_EQ(commands.SaveFile_Click(0), CommandOutcome::Done);
    EXPECT_EQ(host.requests.size(), dialogsSoFar);
    EXPECT_EQ(run.CurrentFilePath, acc.string());
    EXPECT_EQ(readBookFile(acc, nullptr, nullptr).book.BusinessName.str(), "Corner Shop Ltd");
    EXPECT_FALSE(run.BookChanged);

    // Each part of the stamp alone tells a change; the change time alone leaves it to the bytes.
    ASSERT_EQ(commands.openFromCommandLine(acc.string()), CommandOutcome::Done);
    const FileStamp seen = fileStampOf(acc).value();
    EXPECT_EQ(seen.size, fs::file_size(acc));
    const auto seenWith = [&](auto part) {
        FileStamp other = seen;
        ++(other.*part);
        return unchangedSince(other, acc);
    };
    for (auto part : {&FileStamp::device, &FileStamp::inode, &FileStamp::size})
        EXPECT_FALSE(seenWith(part));
    for (auto part : {&FileStamp::modifiedSeconds, &FileStamp::modifiedNanoseconds})
        EXPECT_FALSE(seenWith(part));
    for (auto part : {&FileStamp::changedSeconds, &FileStamp::changedNanoseconds})
        EXPECT_TRUE(seenWith(part));

    // The book file changed by another program since it was read or written
    // here: Save asks (two messages); No writes nothing and keeps the window's
    // book, Yes replaces it. Seen also where its modification time is not:
    // rewritten in place at the same size, the time set back; replaced by a
    // copy of the same bytes and times; removed; one byte changed where the
    // file system keeps no times. Unchanged, its permissions
    // changed or a link made (the same bytes): no question. A folder in its
    // place: told as what it is. As an ordinary user where the test may act as one.
    writeFile(dir / "theirs", bookBytes(tradingBook("Theirs")));
    const std::tuple<std::string, std::string, std::size_t> changes[] = {
        {"cp theirs shop.acc", " was changed by another", 2},
        {"true", "", 0},
        {"tr a b <shop.acc >twin && touch -r shop.acc twin && cp -p twin shop.acc",
         " was changed by another", 2},
        {"cp -p shop.acc copy && mv copy shop.acc", " was changed by another", 2},
        {"chmod 600 shop.acc", "", 0},
        {"ln shop.acc also.acc", "", 0},
        {"rm shop.acc", " is no longer there", 2},
        {"printf Z | dd of=shop.acc bs=1 seek=10 conv=notrunc status=none",
         " was changed by another", 2},
        {"rm shop.acc && mkdir shop.acc", " is a folder, not a file.", 1}};
    testing_support::asOrdinaryUser({dir.path(), acc, dir / "theirs"}, [&] {
        for (const auto& [change, says, messages] : changes) {
            SCOPED_TRACE(change);
            fileTimesStandStill(change.starts_with("printf")); // the byte changed, no time kept
            EXPECT_EQ(testing_support::runCommand("cd '" + dir.path().string() + "' && " + change),
                      0);
            run.BookChanged = true;
            const std::string left = fs::exists(acc) ? readFile(acc) : "";
            const std::size_t shown = fakes.messages.shown.size();
            fakes.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
            if (messages == 2) {
                EXPECT_EQ(commands.SaveFile_Click(0), CommandOutcome::Cancelled);
                EXPECT_TRUE(fakes.messages.lastText().starts_with(acc.string() + says));
                EXPECT_EQ(fs::exists(acc) ? readFile(acc) : "", left);
                EXPECT_TRUE(run.BookChanged);
            }
            EXPECT_EQ(commands.SaveFile_Click(0),
                      messages == 1 ? CommandOutcome::Failed : CommandOutcome::Done);
            EXPECT_EQ(fakes.messages.shown.size(), shown + messages);
            EXPECT_NE(fakes.messages.lastText().find(acc.string() + says), std::string::npos);
            if (messages != 1) {
                EXPECT_EQ(readBookFile(acc, nullptr, nullptr).book.BusinessName.str(),
                          "Corner Shop Ltd");
            }
        }
    });

    // Another name of the book's file (a link, a hard link, a name through a
    // link to its folder) is the book, asked about as the book.
    fs::remove(acc);
    writeFile(acc, bookBytes(tradingBook("Theirs")));
    fs::create_symlink("shop.acc", dir / "link.acc");
    fs::create_hard_link(acc, dir / "hard.acc");
    fs::create_directory_symlink(dir.path(), dir / "again");
    for (const fs::path& name : {dir / "link.acc", dir / "hard.acc", dir / "again" / "shop.acc"}) {
        host.dialogs.push_back(choice(name, "acc"));
        fakes.messages.answers = {MessageAnswer::No};
        EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Cancelled);
        EXPECT_NE(fakes.messages.lastText().find(" was changed by another"), std::string::npos);
        EXPECT_EQ(readFile(acc), bookBytes(tradingBook("Theirs")));
    }

    // A write that fails is said and changes neither the path nor the mark.
    run.BookChanged = true;
    host.dialogs.push_back(choice(dir / "no folder" / "x.acc", "acc"));
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Failed);
    EXPECT_EQ(run.BookFilePath, acc.string());
    EXPECT_TRUE(run.BookChanged);
    EXPECT_FALSE(fakes.messages.shown.empty());
    EXPECT_EQ(host.busyDepth, 0);
}

TEST_F(FileCommandsTest, EveryFormReadsBackWhatItWritesOrRefusesBeforeWriting) {
    // An entry of 31 debit lines: the book file holds it; the text forms
    // would not read it back, so Save As in them refuses and writes nothing.
    book = tradingBook();
    for (int i = 0; i < 31; ++i)
        trading_books::addLine(book, Debit, "600", "1", "", "4");
    trading_books::addLine(book, Credit, "100", "31", "Stationery", "4");
    run.BookChanged = true;
    for (const char* type : {"txt", "csv"}) {
        SCOPED_TRACE(type);
        const fs::path target = dir / (std::string("big.") + type);
        const std::size_t shown = fakes.messages.shown.size();
        host.dialogs.push_back(choice(target, type));
        EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Failed);
        EXPECT_FALSE(fs::exists(target));
        ASSERT_EQ(fakes.messages.shown.size(), shown + 1);
        EXPECT_NE(fakes.messages.lastText().find("reference \"4\" from journal line 7 has 31 "
                                                 "debit and 1 credit lines"),
                  std::string::npos)
            << fakes.messages.lastText();
        EXPECT_TRUE(run.BookChanged);
    }
    host.dialogs.push_back(choice(dir / "big.acc", "acc"));
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);

    // A last entry still being typed (no closing note yet) is saved in every
    // form and opened whole from each, with one word that it is open.
    book = tradingBook();
    trading_books::addLine(book, Debit, "600", "80", "", "4");
    const Book typed = book;
    for (const char* type : {"acc", "txt", "csv"}) {
        SCOPED_TRACE(type);
        const fs::path path = dir / (std::string("typed.") + type);
        host.dialogs.push_back(choice(path, type));
        ASSERT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
        book = typed;
        run.BookChanged = false;
        const std::size_t shown = fakes.messages.shown.size();
        ASSERT_EQ(commands.openFromCommandLine(path.string()), CommandOutcome::Done);
        ASSERT_EQ(book.LastEntryLine(), 6);
        EXPECT_EQ(book.EntryLines[6].Amount, money("80"));
        EXPECT_EQ(book.EntryLines[6].Details, "");
        if (std::string(type) == "acc") {
            EXPECT_EQ(fakes.messages.shown.size(), shown);
            continue;
        }
        ASSERT_EQ(fakes.messages.shown.size(), shown + 1);
        EXPECT_EQ(fakes.messages.lastText(), "The last entry of this book (reference \"4\", from "
                                             "journal line 7) has no closing note: it was opened "
                                             "as it stands.");
    }
}

TEST_F(FileCommandsTest, FoldersAndLinkLoopsAreRefusedWithWhatTheyAre) {
    // Every failure names its file and says whether the older one stays.
    book = tradingBook();
    const fs::path self = dir / "self.acc";
    fs::create_symlink("self.acc", self);
    const fs::path loopA = dir / "a.csv";
    fs::create_symlink("b.csv", loopA);
    fs::create_symlink("a.csv", dir / "b.csv");
    auto says = [&](const std::string& start, const fs::path& file, const std::string& why) {
        const std::string text = fakes.messages.lastText();
        EXPECT_TRUE(text.starts_with(start)) << text;
        EXPECT_NE(text.find(file.string() + why), std::string::npos) << text;
    };
    const std::string written = "The file could not be written:\n";

    // Saved over: refused, and each link stays a link.
    for (const auto& [path, type] :
         std::vector<std::pair<fs::path, std::string>>{{self, "acc"}, {loopA, "csv"}}) {
        SCOPED_TRACE(path.string());
        host.dialogs.push_back(choice(path, type));
        EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Failed);
        says(written, path, ": a symbolic link on its way leads back to itself");
        EXPECT_TRUE(fs::is_symlink(path));
    }
    EXPECT_TRUE(fs::is_symlink(dir / "b.csv"));
    // Opened: the same words, not "file not found".
    EXPECT_EQ(commands.openFromCommandLine(self.string()), CommandOutcome::Failed);
    says("The file could not be read:\n", self, ": a symbolic link on its way leads back");

    // A folder chosen as the target of any form says it is a folder; a full
    // disk names the file too.
    for (const char* type : {"acc", "txt", "csv", "xls", "LWK"}) {
        SCOPED_TRACE(type);
        fs::create_directory(dir / (std::string("folder.") + type));
        host.dialogs.push_back(choice(dir / "folder", type));
        EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Failed);
        says(written, dir / "folder", "." + std::string(type) + " is a folder, not a file.");
        const fs::path older = dir / (std::string("older.") + type);
        writeFile(older, "older");
        SafeFileWriter::failAfterWrites(0);
        host.dialogs.push_back(choice(older, type));
        EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Failed);
        SafeFileWriter::failAfterWrites(-1);
        says("The file could not be written (the file of that name stays as it was):\n", older,
             ": " + strings::text(311));
        EXPECT_EQ(readFile(older), "older");
    }
    host.dialogs.push_back(choice(dir / "folder.csv", "csv"));
    EXPECT_EQ(commands.InsertEntries_Click(), CommandOutcome::Failed);
    says("The file could not be read:\n", dir / "folder.csv", " is a folder, not a file.");
}

TEST_F(FileCommandsTest, ABookSavedReopenedAndSavedAgainKeepsItsFont) {
    book = tradingBook();
    book.FontName = "A Face This Machine Lacks";
    book.FontCharset = 161;
    host.dialogs.push_back(choice(dir / "font.acc", "acc"));
    ASSERT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    book = makeEmptyBook("Balance", Today);
    ASSERT_EQ(commands.openFromCommandLine((dir / "font.acc").string()), CommandOutcome::Done);
    EXPECT_EQ(book.FontName.str(), "A Face This Machine Lacks");
    EXPECT_EQ(host.fontsApplied, 1);
    ASSERT_EQ(commands.SaveFile_Click(0), CommandOutcome::Done);
    const BookReadResult again = readBookFile(dir / "font.acc", nullptr, nullptr);
    EXPECT_EQ(again.book.FontName.str(), "A Face This Machine Lacks");
    EXPECT_EQ(again.book.FontCharset, 161);

    // A book that names no font takes the window's.
    book.FontName = "";
    host.dialogs.push_back(choice(dir / "nofont.acc", "acc"));
    ASSERT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    ASSERT_EQ(commands.openFromCommandLine((dir / "nofont.acc").string()), CommandOutcome::Done);
    EXPECT_EQ(book.FontName.str(), "Window Face");
}

// ---------------------------------------------------------------- insert and roll-overs

TEST_F(FileCommandsTest, InsertEntriesBehindTheGates) {
    book = tradingBook();
    book.AdminPassword = "boss";
    Book other = tradingBook("Branch");
    setAccount(other, 5, "110", "Bank", CurrentAsset);
    addEntry(other, "110", "400", "75", "Branch takings", "9", Tmain::DayNumber(2025, 4, 1));
    other.FilePassword = "branch";
    const fs::path otherPath = writeAcc("branch.acc", other);

    // A stale password from an earlier prompt never passes the gate.
    run.EnteredPassword = "boss";
    host.passwords.push_back(std::nullopt);
    EXPECT_EQ(commands.InsertEntries_Click(), CommandOutcome::Refused);
    EXPECT_EQ(host.enteredAtPrompt.back(), "");
    EXPECT_TRUE(host.requests.empty());
    EXPECT_EQ(book.LastEntryLine(), 5);

    // The right administrator password, then the other book's own.
    host.passwords.push_back(std::string("boss"));
    host.dialogs.push_back(choice(otherPath, "acc"));
    host.passwords.push_back(std::string("wrong"));
    EXPECT_EQ(commands.InsertEntries_Click(), CommandOutcome::Refused);
    EXPECT_EQ(host.asked,
              (std::vector<PasswordKind>{PasswordKind::Administrator, PasswordKind::Administrator,
                                         PasswordKind::BookFile}));
    EXPECT_EQ(book.LastEntryLine(), 5);
    EXPECT_EQ(host.requests.back().caption, "Insert File...");
    EXPECT_EQ(host.requests.back().acceptCaption, "Insert");
    EXPECT_EQ(host.requests.back().patterns, (std::vector<std::string>{"*.acc", "*.csv"}));

    const std::int32_t revision = run.JournalRevision;
    host.passwords.push_back(std::string("boss"));
    host.dialogs.push_back(choice(otherPath, "acc"));
    host.passwords.push_back(std::string("branch"));
    EXPECT_EQ(commands.InsertEntries_Click(), CommandOutcome::Done);
    ASSERT_EQ(book.LastEntryLine(), 13);
    EXPECT_EQ(book.EntryLines[12].AccountNumber, money("110"));
    EXPECT_EQ(book.AccountNames[book.LastAccount], "Bank");
    EXPECT_EQ(book.FilePassword.str(), ""); // the other book's password is not kept
    EXPECT_EQ(run.EnteredPassword, "");
    EXPECT_EQ(run.JournalRevision, revision + 1);
    EXPECT_EQ(run.LockedBelow, 13 - 30); // an administrator password is set
    EXPECT_EQ(host.shownLines.back(), 13);
    EXPECT_EQ(host.accountLists, 1);
    EXPECT_TRUE(run.BookChanged);

    // A CSV book whose last entry is still being typed (no closing note) is
    // inserted whole, that entry left open at the journal's end as Open
    // leaves it, and the user is told once where it now stands.
    Book typed = tradingBook("Branch");
    trading_books::addLine(typed, Debit, "600", "80", "", "4");
    trading_books::addLine(typed, Credit, "100", "80", "", "4");
    const fs::path typedPath = dir / "typed.csv";
    ASSERT_TRUE(writeBookCsvFile(typedPath, typed, dayFirstLocale(), nullptr).ok());
    const std::size_t shown = fakes.messages.shown.size();
    host.passwords.push_back(std::string("boss"));
    host.dialogs.push_back(choice(typedPath, "csv"));
    EXPECT_EQ(commands.InsertEntries_Click(), CommandOutcome::Done);
    ASSERT_EQ(book.LastEntryLine(), 21);
    EXPECT_EQ(book.EntryLines[20].Amount, money("80"));
    EXPECT_EQ(book.EntryLines[20].Details + book.EntryLines[21].Details, "");
    EXPECT_NE(book.EntryLines[19].Details, "");
    ASSERT_EQ(fakes.messages.shown.size(), shown + 1);
    // Named as it now stands in the open book: renumbered from "4", line 21.
    EXPECT_EQ(fakes.messages.lastText(), "The last entry of this book (reference \"11\", from "
                                         "journal line 21) has no closing note: it was inserted "
                                         "as it stands.");
    EXPECT_EQ(host.shownLines.back(), 21);
}

TEST_F(FileCommandsTest, BalanceBroughtForwardBehindItsGate) {
    // A journal of two lines is left alone.
    book = tradingBook();
    book.resizeJournal(2);
    EXPECT_EQ(commands.Brought_Forward_Click(), CommandOutcome::NothingToDo);
    EXPECT_TRUE(host.closed.empty());

    book = tradingBook();
    book.AdminPassword = "boss";
    run.BookFilePath = (dir / "shop.acc").string();
    const std::string before = bookBytes(book);

    host.passwords.push_back(std::string("guess"));
    EXPECT_EQ(commands.Brought_Forward_Click(), CommandOutcome::Refused);
    EXPECT_EQ(bookBytes(book), before);
    EXPECT_FALSE(run.BookChanged);
    EXPECT_TRUE(host.closed.empty());
    EXPECT_EQ(run.BookFilePath, (dir / "shop.acc").string());

    host.passwords.push_back(std::string("boss"));
    EXPECT_EQ(commands.Brought_Forward_Click(), CommandOutcome::Done);
    EXPECT_EQ(host.closed.back(), windowsClosedByRollOver());
    // Cash 1300 debit, Capital 1000 credit, Sales 500 credit, Rent 200 debit.
    const struct {
        Side side;
        const char* account;
        const char* amount;
    } expected[] = {{Debit, "100", "1300"},  {Credit, "1", "1300"}, {Debit, "1", "1000"},
                    {Credit, "300", "1000"}, {Debit, "1", "500"},   {Credit, "400", "500"},
                    {Debit, "600", "200"},   {Credit, "1", "200"}};
    ASSERT_EQ(book.LastEntryLine(), 7);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const EntryLine& l = book.EntryLines[i];
        EXPECT_EQ(l.Side, expected[i].side);
        EXPECT_EQ(l.AccountNumber, money(expected[i].account));
        EXPECT_EQ(l.Amount, money(expected[i].amount));
        EXPECT_EQ(l.Date, Today);
        EXPECT_EQ(l.Details, i % 2 ? "Balance Brought / Forward" : "");
        EXPECT_EQ(book.EntryIds[i].shown(), "B/D");
    }
    EXPECT_TRUE(run.BookChanged);
    EXPECT_EQ(run.BookFilePath, "");
    EXPECT_EQ(run.JournalRevision, 1);
    EXPECT_EQ(run.LockedBelow, 7 - 30);
    EXPECT_EQ(host.shownLines.back(), 0); // the first entry is shown
    EXPECT_EQ(run.EnteredPassword, "");

    book = tradingBook(); // a line on a number the chart lacks: asked about, No changes nothing
    addEntry(book, "100.5", "400", "70", "Till", "4");
    const std::string asked = bookBytes(book);
    for (auto command : {&FileCommands::Brought_Forward_Click, &FileCommands::BalBForword_Click}) {
        fakes.messages.shown.clear();
        fakes.messages.answers.push_back(MessageAnswer::No);
        EXPECT_EQ((commands.*command)(), CommandOutcome::Cancelled);
        EXPECT_EQ(bookBytes(book), asked);
        ASSERT_EQ(fakes.messages.shown.size(), 2u);
        EXPECT_TRUE(fakes.messages.shown[0].text.starts_with("1 journal line is on account"));
        EXPECT_EQ(fakes.messages.lastText(), carrying::leftOutDeclined());
    }
}

TEST_F(FileCommandsTest, CarriedOverSharesTheProfitAmongTheCapitalAccounts) {
    book = tradingBook();
    setAccount(book, 5, "310", "Partner B", CapitalEquity);
    // Partner B puts in 500: capital 1000 and 500, profit 300 shared 200 / 100.
    addEntry(book, "100", "310", "500", "Partner B in", "4", Tmain::DayNumber(2025, 3, 9));
    const double lastDate = book.EntryLines.back().Date;
    run.BookFilePath = (dir / "shop.acc").string();
    host.passwords.push_back(std::string("unused"));

    EXPECT_EQ(commands.BalBForword_Click(), CommandOutcome::Done);
    EXPECT_TRUE(host.asked.empty()); // no administrator password: no prompt
    const struct {
        const char* debit;
        const char* credit;
        const char* amount;
        const char* note;
    } expected[] = {
        {"100", "1", "1800", "Balance Brought / Forward"},
        {"1", "300", "1000", "Balance Brought / Forward"},
        {"1", "310", "500", "Balance Brought / Forward"},
        {"1", "300", "200", "Profit / Loss Distribution"},
        {"1", "310", "100", "Profit / Loss Distribution"},
    };
    ASSERT_EQ(book.LastEntryLine(), 9);
    for (int pair = 0; pair < 5; ++pair) {
        SCOPED_TRACE(pair);
        const EntryLine& d = book.EntryLines[2 * pair];
        const EntryLine& c = book.EntryLines[2 * pair + 1];
        EXPECT_EQ(d.Side, Debit);
        EXPECT_EQ(d.AccountNumber, money(expected[pair].debit));
        EXPECT_EQ(c.AccountNumber, money(expected[pair].credit));
        EXPECT_EQ(d.Amount, money(expected[pair].amount));
        EXPECT_EQ(c.Amount, money(expected[pair].amount));
        EXPECT_EQ(c.Details, expected[pair].note);
        EXPECT_EQ(d.Date, lastDate);
    }
    EXPECT_EQ(run.NetProfit, Currency());
    EXPECT_FALSE(run.IncludeAllDates);
    EXPECT_EQ(run.BookFilePath, "");
    EXPECT_TRUE(run.BookChanged);
    EXPECT_EQ(host.shownLines.back(), 0);
    EXPECT_TRUE(fakes.messages.shown.empty());

    // A book without capital accounts says where the profit went.
    book = tradingBook();
    book.AccountTypes[2] = CurrentLiability;
    EXPECT_EQ(commands.BalBForword_Click(), CommandOutcome::Done);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.lastText().find("profit of 300"), std::string::npos)
        << fakes.messages.lastText();
}

TEST_F(FileCommandsTest, NoSecondCommandStartsWhileOneRuns) {
    book = tradingBook();
    const fs::path path = writeAcc("shop.acc", book);
    std::vector<CommandOutcome> nested;
    host.duringDialog = [&] {
        nested.push_back(commands.SaveFile_Click(0));
        nested.push_back(commands.InsertEntries_Click());
        nested.push_back(commands.Brought_Forward_Click());
        nested.push_back(commands.BalBForword_Click());
        nested.push_back(commands.LoadAccFile(2));
        EXPECT_TRUE(commands.busy());
    };
    host.dialogs.push_back(choice(path, "acc"));
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Done);
    EXPECT_EQ(nested, std::vector<CommandOutcome>(5, CommandOutcome::Busy));
    EXPECT_FALSE(commands.busy());
    EXPECT_EQ(host.busySpells, 1);
}

} // namespace
