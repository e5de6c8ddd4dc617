#include "mainwindow/qt/qt_file_command_host.h"

#include "book/book_file.h"
#include "book/book_text_file.h"
#include "platform/fake/fake_services.h"
#include "support/test_paths.h"
#include "toolkit/qt/LoadSave.h"
#include "toolkit/qt/Passit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// Runs `act` on the modal dialog of type T once it is up.
template <class T> void whenShown(std::function<void(T*)> act) {
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<T*>(w); d && d->isVisible()) return act(d);
        ADD_FAILURE() << "the dialog did not come up";
    });
}

Book smallBook(const std::string& name) {
    Book b = makeEmptyBook("Balance", 46000);
    b.BusinessName = name;
    b.AccountNumbers[1] = Currency::fromUnits(100);
    b.AccountNames[1] = "Cash";
    return b;
}

TEST(QtFileCommandHost, OpenAndSaveThroughTheProgramsDialogs) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    ASSERT_TRUE(writeBookFile(dir / "shop.acc", smallBook("Harbour Traders"), nullptr).ok());

    QMainWindow window;
    window.setWindowTitle("Ledgerwick test");
    Book book = smallBook("Empty");
    RunTimeState run;
    QtFileCommandHost host(&window, book, run);
    std::vector<std::int32_t> shown;
    bool disabledWhileReading = false;
    host.onShowJournalLine = [&](std::int32_t line) { shown.push_back(line); };
    host.onApplyFonts = [&](const Book&) { disabledWhileReading = !window.isEnabled(); };
    FileCommands commands(book, run, host);
    window.show();

    whenShown<LoadSave>([&](LoadSave* d) {
        EXPECT_EQ(d->windowTitle(), "Open Project...");
        d->txtSearchSpec->setText(QString::fromStdString((dir / "shop.acc").string()));
        d->acceptClicked();
    });
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Done);
    EXPECT_EQ(book.BusinessName.str(), "Harbour Traders");
    EXPECT_EQ(shown, std::vector<std::int32_t>{1});
    EXPECT_FALSE(disabledWhileReading); // enabled again once the file was read
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window.windowTitle().toStdString().find("shop.acc") != std::string::npos, true);

    // A book with its own password: asked with the password prompt the user
    // can reach, which takes it the moment it is typed.
    Book locked = smallBook("Locked Traders");
    locked.FilePassword = "secret";
    ASSERT_TRUE(writeBookFile(dir / "locked.acc", locked, nullptr).ok());
    whenShown<LoadSave>([&](LoadSave* d) {
        d->txtSearchSpec->setText(QString::fromStdString((dir / "locked.acc").string()));
        d->acceptClicked();
        whenShown<Passit>([](Passit* prompt) {
            EXPECT_TRUE(prompt->isEnabled());
            EXPECT_EQ(prompt->Text1->echoMode(), QLineEdit::Password);
            prompt->Text1->setText("secret");
        });
    });
    EXPECT_EQ(commands.LoadAccFile(0), CommandOutcome::Done);
    EXPECT_EQ(book.BusinessName.str(), "Locked Traders");
    EXPECT_TRUE(window.isEnabled());

    // Save As, choosing the text form in the type list, over a file that is
    // there: "No" keeps the dialog asking, "Yes" replaces it.
    writeFile(dir / "copy.txt", "old");
    fakes.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    whenShown<LoadSave>([&](LoadSave* d) {
        EXPECT_EQ(d->windowTitle(), "Save As...");
        d->typeChosen(d->Combo1->findText("*.txt"));
        d->txtSearchSpec->setText(QString::fromStdString((dir / "copy").string()));
        d->acceptClicked();
        EXPECT_TRUE(d->isVisible() && readFile(dir / "copy.txt") == "old");
        d->acceptClicked();
    });
    EXPECT_EQ(commands.SaveFile_Click(1), CommandOutcome::Done);
    EXPECT_NE(readFile(dir / "copy.txt"), "old");
    EXPECT_EQ(run.BookFilePath, (dir / "locked.acc").string());

    // The administrator gate through the password prompt, left without a password.
    book.AdminPassword = "boss";
    run.EnteredPassword = "boss"; // left over from an earlier prompt
    whenShown<Passit>([](Passit* p) { p->reject(); });
    EXPECT_EQ(commands.InsertEntries_Click(), CommandOutcome::Refused);
    EXPECT_EQ(run.EnteredPassword, "");
}

} // namespace
