// The book's files through the main window's menu items and toolbar: open,
// save, save as, insert, carry-forward and roll-over, with the file dialog,
// the password prompts and the questions answered from scripts.
#include "mainwindow/qt/TAcount.h"

#include "book/book_csv_file.h"
#include "book/book_file.h"
#include "book/book_text_file.h"
#include "book/tmain.h"
#include "ledgers/qt/GeneralJournal.h"
#include "mainwindow/file_command_help.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "mainwindow/startup_state.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/Passit.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>

namespace fs = std::filesystem;
using namespace main_window_driving;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

bool hasAccount(TAcount& w, const std::string& name) {
    const auto& names = w.accountList->names();
    return std::find(names.begin(), names.end(), name) != names.end();
}

// What a command that changes nothing must leave as it was.
struct WindowState {
    std::string book, bookFilePath, caption;
    bool save, saveAs, toolbarSave, changed;
    EntryBounds shown;
    std::int64_t revision;
    friend bool operator==(const WindowState&, const WindowState&) = default;
};
WindowState stateOf(TAcount& w) {
    return {bookBytes(w.book()),
            w.run().BookFilePath,
            w.windowTitle().toStdString(),
            w.action(Command::SaveFile)->isEnabled(),
            w.action(Command::SaveFileAs)->isEnabled(),
            w.ButtonBar->CalcButton[1]->isEnabled(),
            w.run().BookChanged,
            w.entryModel().bounds(),
            static_cast<std::int64_t>(w.run().JournalRevision)};
}

// Sees what the window is like while a file is read or written, and tries
// to start a second command meanwhile.
struct WatchingProgress : RecordingProgress {
    TAcount* window = nullptr;
    std::vector<bool> enabledWhileWorking;
    void setActivity(const std::string& what) override {
        RecordingProgress::setActivity(what);
        if (!window) return;
        enabledWhileWorking.push_back(window->isEnabled());
        window->runCommand(Command::SaveFileAs);
    }
};

TEST(TAcountFiles, CommandLineOpensEachFormAtItsLastEntry) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const Book source = tradingBook();
    ASSERT_TRUE(writeBookFile(dir / "shop.acc", source, nullptr).ok());
    ASSERT_TRUE(writeBookTextFile(dir / "shop.txt", source, dayFirstLocale(), nullptr).ok());
    ASSERT_TRUE(writeBookCsvFile(dir / "shop.csv", source, dayFirstLocale(), nullptr).ok());

    for (const char* name : {"shop.acc", "shop.txt", "shop.csv"}) {
        SCOPED_TRACE(name);
        const std::string path = (dir / name).string();
        TAcount w(path);
        w.show();
        // A text form's dates (01/03/2025) read day and month first: the
        // window asks which, and Yes reads them day first, as written.
        const bool textForm = std::string(name) != "shop.acc";
        fakes.messages.shown.clear();
        if (textForm) fakes.messages.answers.push_back(MessageAnswer::Yes);
        w.openCommandLineBook();
        ASSERT_EQ(fakes.messages.shown.size(), textForm ? 1u : 0u) << fakes.messages.lastText();
        if (textForm) {
            EXPECT_EQ(fakes.messages.shown[0].buttons, MessageButtons::YesNoCancel);
            EXPECT_NE(fakes.messages.lastText().find("Yes reads every date day first"),
                      std::string::npos);
        }
        ASSERT_EQ(w.book().LastEntryLine(), 5);
        EXPECT_EQ(w.book().EntryLines[0].Date, Tmain::DayNumber(2025, 3, 1));
        EXPECT_EQ(w.book().EntryLines[4].AccountNumber, money("600"));
        EXPECT_EQ(w.ScrollAcc->ValueMax(), 5);
        EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{4, 5}));
        EXPECT_EQ(w.AccNote->text(), "March rent");
        EXPECT_EQ(w.DebitAccName[0]->currentText(), "Rent");
        EXPECT_TRUE(hasAccount(w, "Sales"));
        EXPECT_FALSE(w.run().BookChanged);
        EXPECT_TRUE(w.isEnabled());
        EXPECT_GT(fakes.progress.finished, 0); // the progress window closed again
        EXPECT_TRUE(w.action(Command::SaveFile)->isEnabled());
        if (std::string(name) == "shop.acc") {
            EXPECT_EQ(w.run().BookFilePath, path);
            EXPECT_EQ(w.windowTitle().toStdString(), mainCaption(path));
            // The book's font on the entry line; the stored name stays.
            EXPECT_EQ(w.DebitAccName[0]->font().family(), "DejaVu Serif");
            EXPECT_EQ(w.AccNote->font().family(), "DejaVu Serif");
            EXPECT_EQ(w.book().FontName.str(), "DejaVu Serif");
        } else {
            // A text form is no book file: the next Save asks for a name.
            EXPECT_EQ(w.run().BookFilePath, "");
        }
    }
}

TEST(TAcountFiles, ACancelledRefusedOrFailedOpenChangesNothing) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    ASSERT_TRUE(writeBookFile(dir / "shop.acc", tradingBook(), nullptr).ok());
    Book locked = tradingBook("Locked Traders");
    locked.FilePassword = "secret";
    ASSERT_TRUE(writeBookFile(dir / "locked.acc", locked, nullptr).ok());
    writeFile(dir / "bad.acc", "not a book at all");
    Book other = tradingBook("Other Traders");
    addEntry(other, "100", "400", "75", "More takings", "4");
    ASSERT_TRUE(writeBookFile(dir / "other.acc", other, nullptr).ok());

    TAcount w((dir / "shop.acc").string());
    w.show();
    w.openCommandLineBook();
    w.filePasswordPrompt = [] { return std::optional<std::string>("guess"); };
    // A journal window open on the book.
    w.launchers().generalJournal = [](TAcount&, bool) -> QWidget* { return new QWidget; };
    w.installLauncherCommands();
    run(w, Command::ShowJournals);
    ASSERT_EQ(w.JournalWindows.count(), 1);
    DialogScript script;
    const WindowState before = stateOf(w);

    script.cancel();
    run(w, Command::LoadFile);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(stateOf(w), before);

    const struct {
        const char* file;
        const char* said;
    } failures[] = {{"locked.acc", ""}, {"bad.acc", ""}, {"gone.acc", "file not found"}};
    for (const auto& f : failures) {
        SCOPED_TRACE(f.file);
        fakes.messages.shown.clear();
        script.pick(dir / f.file);
        run(w, Command::LoadFile);
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_NE(fakes.messages.lastText().find(f.said), std::string::npos);
        EXPECT_EQ(stateOf(w), before);
        EXPECT_TRUE(w.isEnabled());
        EXPECT_TRUE(w.JournalWindows[0]->isVisible());
    }
    EXPECT_EQ(w.book().BusinessName.str(), "Corner Shop");

    // A changed book: the question comes before the dialog; Cancel keeps it all.
    run(w, Command::NewEntryMenu);
    ASSERT_TRUE(w.run().BookChanged);
    const WindowState changed = stateOf(w);
    fakes.messages.shown.clear();
    fakes.messages.answers.push_back(MessageAnswer::Cancel);
    run(w, Command::LoadFile);
    EXPECT_EQ(script.captions.size(), 4u); // no dialog this time
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.lastText(),
              "Do you want to open another book without saving this one ?");
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(stateOf(w), changed);

    // Yes: the other book replaces it, at its last entry, and the old book's windows go.
    fakes.messages.answers.push_back(MessageAnswer::Yes);
    script.pick(dir / "other.acc");
    run(w, Command::LoadFile);
    EXPECT_EQ(w.book().BusinessName.str(), "Other Traders");
    EXPECT_EQ(w.run().BookFilePath, (dir / "other.acc").string());
    EXPECT_FALSE(w.run().BookChanged);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{6, 7}));
    EXPECT_EQ(w.ScrollAcc->ValueMax(), 7);
    EXPECT_EQ(w.AccNote->text(), "More takings");
    EXPECT_GT(w.run().JournalRevision, changed.revision);
    QApplication::processEvents();
    EXPECT_TRUE(!w.JournalWindows[0] || !w.JournalWindows[0]->isVisible());
    EXPECT_EQ(script.captions.back(), "Open Project...");
    EXPECT_EQ(script.unexpected, 0);
}

TEST(TAcountFiles, TheBooksFilePasswordIsAskedWithThePasswordPrompt) {
    ScopedFakeServices fakes;
    TempDir dir;
    Book locked = tradingBook("Locked Traders");
    locked.FilePassword = "secret";
    ASSERT_TRUE(writeBookFile(dir / "locked.acc", locked, nullptr).ok());

    TAcount w((dir / "locked.acc").string());
    w.show();
    // The prompt shown takes the password the moment it is typed, masked.
    QString shown;
    bool masked = false;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        typist.stop();
        shown = modal->metaObject()->className();
        if (auto* prompt = qobject_cast<Passit*>(modal)) {
            masked = prompt->Text1->echoMode() == QLineEdit::Password;
            QTest::keyClicks(prompt->Text1, "secret");
        } else {
            modal->close();
        }
    });
    typist.start(10);
    w.openCommandLineBook();
    EXPECT_EQ(shown, "Passit");
    EXPECT_TRUE(masked);
    EXPECT_EQ(w.book().BusinessName.str(), "Locked Traders");
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
}

TEST(TAcountFiles, AReadOnlyBookFileDisablesSaveButNotSaveAs) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const fs::path readOnly = dir / "archive.acc";
    ASSERT_TRUE(writeBookFile(readOnly, tradingBook(), nullptr).ok());
    fs::permissions(readOnly,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string bytes = readFile(readOnly);

    TAcount w;
    w.show();
    DialogScript script;
    script.pick(readOnly);
    run(w, Command::LoadFile);
    ASSERT_EQ(w.book().BusinessName.str(), "Corner Shop");
    EXPECT_FALSE(w.action(Command::SaveFile)->isEnabled());
    EXPECT_FALSE(w.ButtonBar->CalcButton[1]->isEnabled());
    EXPECT_TRUE(w.action(Command::SaveFileAs)->isEnabled());
    // Save and the toolbar's Save do nothing now; Ctrl+S says why, and what
    // can write the book instead.
    run(w, Command::SaveFile);
    click(w.ButtonBar->CalcButton[1]);
    EXPECT_TRUE(fakes.messages.shown.empty());
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readFile(readOnly), bytes);
    EXPECT_EQ(script.captions.size(), 1u);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);

    // Saved as a writable book, Save comes back.
    script.pick(dir / "current.acc");
    run(w, Command::SaveFileAs);
    EXPECT_TRUE(fs::exists(dir / "current.acc"));
    EXPECT_EQ(w.run().BookFilePath, (dir / "current.acc").string());
    EXPECT_TRUE(w.action(Command::SaveFile)->isEnabled());
    EXPECT_TRUE(w.ButtonBar->CalcButton[1]->isEnabled());
    EXPECT_EQ(readFile(readOnly), bytes);
    EXPECT_EQ(script.unexpected, 0);
}

TEST(TAcountFiles, SaveAndSaveAsWriteTheBookAndClearTheChangedMark) {
    ScopedFakeServices fakes(dayFirstLocale());
    WatchingProgress progress;
    Services withWatch = services();
    withWatch.progress = &progress;
    installServices(withWatch);
    TempDir dir;
    TAcount w;
    w.show();
    progress.window = &w;
    DialogScript script;
    auto entriesIn = [](const fs::path& p) {
        const BookReadResult r = readBookFile(p, {}, nullptr);
        EXPECT_TRUE(r.ok()) << p;
        return r.book.LastEntryLine() + 1;
    };

    // Save of a book that has no file asks for a name.
    w.book().BusinessName = "Corner Shop";
    run(w, Command::NewEntryMenu);
    ASSERT_TRUE(w.run().BookChanged);
    script.pick(dir / "books");
    run(w, Command::SaveFile);
    ASSERT_EQ(script.captions.size(), 1u);
    EXPECT_EQ(script.captions[0], "Save As...");
    const fs::path books = dir / "books.acc";
    EXPECT_EQ(entriesIn(books), 4);
    EXPECT_EQ(w.run().BookFilePath, books.string());
    EXPECT_FALSE(w.run().BookChanged);
    EXPECT_EQ(w.GL[7]->text(), ""); // "Saving Entries..." only while writing
    // The window was disabled while writing, and no second command started.
    ASSERT_FALSE(progress.enabledWhileWorking.empty());
    EXPECT_FALSE(progress.enabledWhileWorking.back());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(script.captions.size(), 1u);

    // A plain Save writes the book's own file without asking, from the toolbar too.
    run(w, Command::NewEntryMenu);
    click(w.ButtonBar->CalcButton[1]);
    EXPECT_EQ(entriesIn(books), 6);
    EXPECT_FALSE(w.run().BookChanged);
    run(w, Command::NewEntryMenu);
    run(w, Command::SaveFile);
    EXPECT_EQ(entriesIn(books), 8);
    EXPECT_EQ(script.captions.size(), 1u);

    // Save As in another form is an export: the book's own file stays where
    // it was, unwritten, so the book is still marked changed.
    run(w, Command::NewEntryMenu);
    script.pick(dir / "books copy", "txt");
    run(w, Command::SaveFileAs);
    const std::string text = readFile(dir / "books copy.txt");
    EXPECT_NE(text.find("Corner Shop"), std::string::npos);
    EXPECT_EQ(w.run().BookFilePath, books.string());
    EXPECT_TRUE(w.run().BookChanged);
    EXPECT_EQ(entriesIn(books), 8);

    // A cancelled Save As keeps the changed mark; Save As .acc clears it.
    script.cancel();
    run(w, Command::SaveFileAs);
    EXPECT_TRUE(w.run().BookChanged);
    script.pick(dir / "books 2");
    run(w, Command::SaveFileAs);
    EXPECT_EQ(entriesIn(dir / "books 2.acc"), 10);
    EXPECT_EQ(w.run().BookFilePath, (dir / "books 2.acc").string());
    EXPECT_FALSE(w.run().BookChanged);

    // Another name of the book's file (a link, a hard link, the journal's export) is asked
    // about as the book first; Yes leaves the book changed until a Save asks nothing.
    const fs::path own = dir / "books 2.acc";
    const std::string bytes = readFile(own);
    fs::create_symlink(own, dir / "link.txt");
    fs::create_hard_link(own, dir / "hard.csv");
    fs::create_symlink(own, dir / "link.xls");
    progress.window = nullptr;
    run(w, Command::ShowJournals);
    auto* journal = qobject_cast<GeneralJournal*>(w.JournalWindows[0].data());
    ASSERT_NE(journal, nullptr);
    const std::pair<const char*, bool> saves[] = {
        {"link.txt", false}, {"hard.csv", false}, {"link.txt", true}, {"link.xls", true}};
    for (const auto& [file, yes] : saves) {
        SCOPED_TRACE(file);
        const fs::path name = dir / file;
        script.pick(name, name.extension().string().substr(1));
        fakes.messages.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No, MessageAnswer::Yes};
        fakes.messages.shown.clear();
        if (name.extension() == ".xls")
            journal->SaveJournal_Click();
        else
            run(w, Command::SaveFileAs);
        ASSERT_EQ(fakes.messages.shown.size(), yes ? 2u : 1u) << fakes.messages.lastText();
        const std::string asked = fakes.messages.shown[0].text;
        EXPECT_TRUE(asked.starts_with(name.string() + " is another name of this book's own file " +
                                      own.string()) &&
                    asked.find("no file holds the whole book") != std::string::npos)
            << asked;
        EXPECT_EQ(readFile(own) == bytes, !yes);
        EXPECT_EQ(w.run().BookChanged, yes);
        if (!yes) continue;
        run(w, Command::SaveFile);
        EXPECT_EQ(fakes.messages.shown.size(), 2u);
        EXPECT_EQ(entriesIn(own), 10);
        EXPECT_FALSE(w.run().BookChanged);
    }
    EXPECT_EQ(script.unexpected, 0);
}

TEST(TAcountFiles, InHelpModeTheFileCommandsShowTheirHelpAndTouchNoFile) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const fs::path shop = dir / "shop.acc";
    ASSERT_TRUE(writeBookFile(shop, tradingBook(), nullptr).ok());
    fakes.environment.vars["LW_PDF_OUTPUT"] = (dir / "invoice.pdf").string();
    fakes.environment.vars["tmp"] = dir.path().string();
    TAcount w(shop.string());
    w.show();
    w.openCommandLineBook();
    w.ScrollAcc->setValue(0);
    run(w, Command::NewEntryMenu); // a changed book would ask before an open
    fakes.messages.shown.clear();
    const std::string fileBefore = readFile(shop);
    const auto writtenBefore = fs::last_write_time(shop);
    const WindowState before = stateOf(w);
    DialogScript script;

    helpMode().start();
    const struct {
        Command command;
        std::string title;
    } commands[] = {
        {Command::LoadFile, "Opening a file"},
        {Command::SaveFile, "Save Project"},
        {Command::SaveFileAs, "Save Project As"},
        {Command::InsertEntries, commandCaption(Command::InsertEntries)},
        {Command::BroughtForward, strings::text(272)},
        {Command::RollOver, "Carried Over"},
        {Command::Invoice, commandCaption(Command::Invoice)},
        {Command::BalancePoint, commandHelp(Command::BalancePoint).title},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(commandInfo(c.command).control);
        run(w, c.command);
        EXPECT_EQ(w.HC->title(), c.title);
        EXPECT_FALSE(w.HC->text().empty());
    }
    click(w.ButtonBar->CalcButton[0]);
    EXPECT_EQ(w.HC->title(), "Opening a file");
    click(w.ButtonBar->CalcButton[1]);
    EXPECT_EQ(w.HC->title(), "Save Project");
    click(w.Text1);
    EXPECT_EQ(w.HC->title(), gotoBoxHelp().title);
    // Other windows call the handlers directly: the same help, no file.
    EXPECT_EQ(w.SaveFile_Click(0), CommandOutcome::NothingToDo);
    EXPECT_EQ(w.HC->title(), "Save Project");
    EXPECT_EQ(w.BalBForword_Click(), CommandOutcome::NothingToDo);
    EXPECT_EQ(w.HC->title(), "Carried Over");
    helpMode().end();

    EXPECT_TRUE(script.captions.empty());
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(readFile(shop), fileBefore);
    EXPECT_EQ(fs::last_write_time(shop), writtenBefore);
    EXPECT_FALSE(fs::exists(dir / "invoice.pdf"));
    EXPECT_EQ(stateOf(w), before);
}

TEST(TAcountFiles, InsertCarryForwardAndRollOverFromTheirMenuItemsBehindTheirGates) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    Book shop = tradingBook();
    shop.AdminPassword = "boss";
    ASSERT_TRUE(writeBookFile(dir / "shop.acc", shop, nullptr).ok());
    // The supplier's book: its own password, an account the shop lacks.
    Book supplier = tradingBook("Supplier");
    supplier.FilePassword = "pw";
    supplier.EntryLines.clear();
    supplier.EntryIds.clear();
    setAccount(supplier, 5, "700", "Wages", Expense);
    addEntry(supplier, "700", "100", "50", "Weekly wages", "W1");
    ASSERT_TRUE(writeBookFile(dir / "supplier.acc", supplier, nullptr).ok());

    TAcount w((dir / "shop.acc").string());
    w.show();
    w.openCommandLineBook();
    std::deque<std::optional<std::string>> adminAnswers;
    int adminAsked = 0, fileAsked = 0;
    w.adminPasswordPrompt = [&]() -> std::optional<std::string> {
        ++adminAsked;
        EXPECT_TRUE(w.run().EnteredPassword.empty());
        if (adminAnswers.empty()) return std::nullopt;
        auto a = adminAnswers.front();
        adminAnswers.pop_front();
        return a;
    };
    w.filePasswordPrompt = [&] {
        ++fileAsked;
        return std::optional<std::string>("pw");
    };
    DialogScript script;

    // Insert Entries: a wrong administrator password shows no dialog.
    adminAnswers = {std::string("wrong")};
    run(w, Command::InsertEntries);
    EXPECT_TRUE(script.captions.empty());
    EXPECT_EQ(w.book().LastEntryLine(), 5);
    // The right one: the file, then the inserted book's own password.
    const auto revision = w.run().JournalRevision;
    adminAnswers = {std::string("boss")};
    script.pick(dir / "supplier.acc");
    run(w, Command::InsertEntries);
    ASSERT_EQ(script.captions.size(), 1u);
    EXPECT_EQ(script.captions[0], strings::text(283));
    EXPECT_EQ(fileAsked, 1);
    ASSERT_EQ(w.book().LastEntryLine(), 7);
    EXPECT_EQ(w.book().EntryLines[6].AccountNumber, money("700"));
    EXPECT_EQ(w.ScrollAcc->ValueMax(), 7);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{6, 7}));
    EXPECT_TRUE(hasAccount(w, "Wages"));
    EXPECT_GT(w.run().JournalRevision, revision);
    EXPECT_TRUE(w.run().EnteredPassword.empty());

    // Balance Brought / Forward, behind the same gate: a left prompt changes nothing.
    w.launchers().generalJournal = [](TAcount&, bool) -> QWidget* { return new QWidget; };
    w.installLauncherCommands();
    run(w, Command::ShowJournals);
    const std::string beforeCarry = bookBytes(w.book());
    run(w, Command::BroughtForward);
    EXPECT_EQ(bookBytes(w.book()), beforeCarry);
    adminAnswers = {std::string("boss")};
    run(w, Command::BroughtForward);
    // Cash 1250, Capital 1000, Sales 500, Rent 200, Wages 50: one pair each.
    ASSERT_EQ(w.book().LastEntryLine(), 9);
    for (const EntryId& id : w.book().EntryIds)
        EXPECT_EQ(id.shown(), "B/D");
    EXPECT_EQ(w.book().EntryLines[0].Amount, money("1250"));
    EXPECT_TRUE(w.run().BookChanged);
    EXPECT_EQ(w.run().BookFilePath, "");
    EXPECT_EQ(w.entryModel().bounds().first, 0);
    EXPECT_EQ(w.ScrollAcc->ValueMax(), 9);
    QApplication::processEvents();
    EXPECT_TRUE(!w.JournalWindows[0] || !w.JournalWindows[0]->isVisible());
    EXPECT_EQ(adminAsked, 4);

    // Carried Over Accounts on a book without an administrator password:
    // the profit of 300 goes to the capital account.
    ASSERT_TRUE(writeBookFile(dir / "trading.acc", tradingBook(), nullptr).ok());
    TAcount trading((dir / "trading.acc").string());
    trading.show();
    trading.openCommandLineBook();
    run(trading, Command::RollOver);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
    ASSERT_EQ(trading.book().LastEntryLine(), 5);
    const EntryLine& share = trading.book().EntryLines[5];
    EXPECT_EQ(share.AccountNumber, money("300"));
    EXPECT_EQ(share.Amount, money("300"));
    EXPECT_EQ(share.Details, "Profit / Loss Distribution");
    EXPECT_EQ(trading.book().EntryLines[0].Amount, money("1300"));
    EXPECT_TRUE(trading.run().BookChanged);
    EXPECT_EQ(trading.run().BookFilePath, "");
    EXPECT_EQ(trading.entryModel().bounds(), (EntryBounds{0, 1}));
    EXPECT_EQ(script.unexpected, 0);
}

} // namespace
