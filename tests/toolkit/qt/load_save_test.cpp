#include "toolkit/qt/LoadSave.h"

#include "book/runtime_state.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "support/test_paths.h"
#include "toolkit/file_dialog_logic.h"
#include "toolkit/qt/dialog_driving.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace dialog_driving;
using testing_support::TempDir;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> SaveTypes = {"*.acc", "*.txt", "*.csv", "*.xls", "*.LWK"};

QStringList listed(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text().trimmed();
    return out;
}

struct FileDialogFixture : ::testing::Test {
    ScopedFakeServices fakes;
    TempDir dir;
    RunTimeState run;
    fs::path startDirectory = fs::current_path();
    LoadSave dialog{run};

    void SetUp() override {
        writeFile(dir / "old.acc", "x");
        writeFile(dir / "sheet.xls", "x");
        writeFile(dir / "notes.txt", "x");
        fs::create_directory(dir / "archive");
        writeFile(dir / "archive" / "2023.acc", "x");
    }
    // What the Save As command does before showing the dialog.
    void showForSaving(const std::string& startName = "") {
        run.SaveExtension = "acc";
        run.CurrentFilePath = "";
        ASSERT_TRUE(dialog.setFolder(dir.path()));
        dialog.setPatterns(SaveTypes);
        dialog.setFileName(startName);
        dialog.setWindowTitle(QString::fromStdString(strings::text(166)));
        dialog.Command1[1]->setText(QString::fromStdString(strings::text(165)));
        dialog.open();
        settle();
    }
    void TearDown() override { EXPECT_EQ(fs::current_path(), startDirectory); }
};

TEST_F(FileDialogFixture, TypedNameAndChosenTypeGiveTheAbsolutePath) {
    showForSaving();
    EXPECT_EQ(listed(dialog.filList), QStringList{"old.acc"});
    EXPECT_EQ(dialog.Label1[2]->text().toStdString(), strings::text(190));
    EXPECT_EQ(dialog.Command1[2]->text().toStdString(), strings::text(194));

    typeText(dialog.txtSearchSpec, "book");
    emit dialog.Combo1->activated(3); // "*.xls", as the user picks it
    EXPECT_EQ(dialog.txtSearchSpec->text(), "book.xls");
    EXPECT_EQ(run.SaveExtension, "xls");
    EXPECT_EQ(dialog.windowTitle().toStdString(), strings::text(197));
    EXPECT_EQ(listed(dialog.filList), QStringList{"sheet.xls"});
    saveScreenshot(&dialog, "loadsave");

    dialog.Command1[1]->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, (dir / "book.xls").string());
    EXPECT_TRUE(fs::path(run.CurrentFilePath).is_absolute());
}

TEST_F(FileDialogFixture, TypeChangeRewritesTheExtensionAndCaption) {
    showForSaving("my.book.acc");
    run.EnteredPassword = "boss";
    dialog.typeChosen(2);
    EXPECT_EQ(dialog.txtSearchSpec->text(), "my.book.csv");
    EXPECT_EQ(dialog.windowTitle().toStdString(), strings::text(196));
    EXPECT_EQ(run.EnteredPassword, ""); // choosing a type empties it
    dialog.typeChosen(1);
    EXPECT_EQ(dialog.windowTitle().toStdString(), strings::text(198));
    dialog.typeChosen(0);
    EXPECT_EQ(dialog.windowTitle().toStdString(), strings::text(195));
    dialog.typeChosen(4);
    EXPECT_EQ(dialog.txtSearchSpec->text(), "my.book.LWK");
    EXPECT_EQ(run.SaveExtension, "LWK");
    EXPECT_EQ(dialog.windowTitle().toStdString(), exportCaption());
    // A type without a caption of its own leaves the caption.
    dialog.setPatterns({"*.htm", "*.rtf"});
    dialog.typeChosen(1);
    EXPECT_EQ(dialog.windowTitle().toStdString(), exportCaption());
    EXPECT_EQ(run.SaveExtension, "rtf");
    dialog.cancelClicked();
}

TEST_F(FileDialogFixture, CancelEscapeAndCloseBoxGiveNoPath) {
    showForSaving("book.acc");
    run.CurrentFilePath = "/somewhere/else.acc";
    dialog.Command1[2]->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, "");

    showForSaving("book.acc");
    run.CurrentFilePath = "x";
    pressKey(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, "");

    showForSaving("book.acc");
    run.CurrentFilePath = "x";
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, "");
    // Unloaded by the close box: the next showing has its captions again.
    showForSaving();
    EXPECT_EQ(dialog.Label1[0]->text().toStdString(), strings::text(192));
    dialog.cancelClicked();
}

TEST_F(FileDialogFixture, ForbiddenCharactersAndEmptyNamesAreRefused) {
    showForSaving();
    typeText(dialog.txtSearchSpec, "bo*o?k|:\\<>\"/s");
    EXPECT_EQ(dialog.txtSearchSpec->text(), "book/s"); // a folder may be typed

    // Pasted in, they are refused on accepting, with a message; the dialog stays.
    dialog.txtSearchSpec->setText("bo*k.acc");
    dialog.Command1[1]->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, "");
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
    dialog.txtSearchSpec->setText("*.acc");
    dialog.Command1[1]->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(fakes.messages.shown.size(), 2u);

    // An empty box is ignored without a message.
    dialog.txtSearchSpec->clear();
    dialog.Command1[1]->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, "");
    EXPECT_EQ(fakes.messages.shown.size(), 2u);

    // A name that only names a folder is not a file name: the dialog goes there.
    for (const auto& [folderOnly, shown] :
         {std::pair{".", dir.path()}, std::pair{"archive/", dir / "archive"},
          std::pair{"..", dir.path()}}) {
        dialog.txtSearchSpec->setText(folderOnly);
        dialog.Command1[1]->click();
        EXPECT_TRUE(dialog.isVisible()) << folderOnly;
        EXPECT_EQ(run.CurrentFilePath, "");
        EXPECT_EQ(dialog.folder(), shown);
    }

    // Enter in the box moves to the accepting button and accepts nothing.
    dialog.txtSearchSpec->setText("fine.acc");
    pressKey(dialog.txtSearchSpec, Qt::Key_Return, "\r");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Command1[1]->hasFocus() || !dialog.isActiveWindow());
    // A full path typed key by key is taken as it is; its extension chooses the type.
    dialog.txtSearchSpec->clear();
    typeText(dialog.txtSearchSpec, (dir / "archive" / "x.csv").string());
    dialog.Command1[1]->click();
    EXPECT_EQ(run.CurrentFilePath, (dir / "archive" / "x.csv").string());
    EXPECT_EQ(run.SaveExtension, "csv");
}

TEST_F(FileDialogFixture, NameFilledInByTheCallerIsAccepted) {
    showForSaving("report.xls");
    dialog.Command1[1]->click(); // nothing typed: the box's own text is taken
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, (dir / "report.xls").string());
}

TEST_F(FileDialogFixture, BrowsingFoldersAndDrivesLeavesTheCurrentDirectory) {
    showForSaving();
    EXPECT_TRUE(listed(dialog.dirList).contains("archive"));
    EXPECT_EQ(dialog.drvList->itemText(0), "/");

    dialog.folderChosen(dir / "archive");
    EXPECT_EQ(dialog.folder(), dir / "archive");
    EXPECT_EQ(listed(dialog.filList), QStringList{"2023.acc"});
    EXPECT_EQ(fs::current_path(), startDirectory);

    // A click on a file puts its name in the box; Enter in the list (or a double click) takes it.
    dialog.fileClicked("2023.acc");
    EXPECT_EQ(dialog.txtSearchSpec->text(), "2023.acc");
    dialog.filList->setCurrentRow(0);
    dialog.filList->setFocus();
    pressKey(dialog.filList, Qt::Key_Return, "\r");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.CurrentFilePath, (dir / "archive" / "2023.acc").string());

    // The folder is kept for the next showing; the parent is in the folder list.
    dialog.open();
    settle();
    EXPECT_EQ(dialog.folder(), dir / "archive");
    QListWidgetItem* parent = nullptr;
    for (int i = 0; i < dialog.dirList->count(); ++i)
        if (dialog.dirList->item(i)->text().trimmed().toStdString() ==
            dir.path().filename().string())
            parent = dialog.dirList->item(i);
    ASSERT_NE(parent, nullptr);
    dialog.dirList->setCurrentItem(parent);
    dialog.dirList->setFocus();
    pressKey(dialog.dirList, Qt::Key_Return, "\r"); // shows the folder; the dialog stays
    EXPECT_EQ(std::pair(dialog.folder(), dialog.isVisible()), std::pair(dir.path(), true));

    // A drive that cannot be read leaves the folder shown; the root can.
    dialog.driveChosen((dir / "no-such-drive").string());
    EXPECT_EQ(dialog.folder(), dir.path());
    dialog.driveChosen("/");
    EXPECT_EQ(dialog.folder(), fs::path("/"));
    dialog.cancelClicked();
    EXPECT_EQ(fs::current_path(), startDirectory);
}

TEST_F(FileDialogFixture, AskWrapsTheProtocol) {
    run.SaveExtension = "zzz";
    QTimer::singleShot(0, [this] {
        typeText(dialog.txtSearchSpec, "ledger");
        dialog.typeChosen(1); // "*.csv"
        dialog.Command1[1]->click();
    });
    auto choice =
        dialog.ask({strings::text(166), strings::text(165), {"*.xls", "*.csv"}, "", dir.path()});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->path, dir / "ledger.csv");
    EXPECT_EQ(choice->type, "csv");
    EXPECT_EQ(choice->pathWithType(), dir / "ledger.csv");
    EXPECT_EQ(dialog.Command1[1]->text().toStdString(), strings::text(165));

    // The first type is the default when the user chooses none.
    QTimer::singleShot(0, [this] { dialog.Command1[1]->click(); });
    choice =
        dialog.ask({strings::text(111), strings::text(285), {"*.acc", "*.csv"}, "old.acc", {}});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->type, "acc");
    EXPECT_EQ(choice->path, dir / "old.acc");

    QTimer::singleShot(0, [this] { dialog.Command1[2]->click(); });
    EXPECT_FALSE(dialog.ask({"Open", "Open", {"*.acc"}, "x.acc", {}}));
    EXPECT_EQ(run.CurrentFilePath, "");

    // Saving over files that are there: "No" keeps the dialog up, "Yes" takes the name. The chart
    // export asks of every companion file it writes.
    writeFile(dir / "set02.Grp", "x");
    for (const auto& [typed, type, existing] :
         {std::tuple{"sheet", 0, "sheet.xls"}, std::tuple{"set", 1, "set02.Grp"}}) {
        fakes.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        fakes.messages.shown.clear();
        QTimer::singleShot(0, [&] {
            dialog.typeChosen(type);
            dialog.txtSearchSpec->setText(typed);
            dialog.Command1[1]->click();
            EXPECT_TRUE(dialog.isVisible());
            dialog.Command1[1]->click();
        });
        ASSERT_TRUE(dialog.ask(LoadSave::saveRequest({"*.xls", "*.LWK"}))) << typed;
        EXPECT_EQ(fakes.messages.shown.size(), 2u);
        EXPECT_EQ(fakes.messages.lastText(),
                  (dir / existing).string() + " already exists.\n\nReplace it?");
    }
    // An extension no type has is told: "No" keeps the dialog up, "Yes" keeps
    // the name as typed and adds the chosen type's.
    fakes.messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    QTimer::singleShot(0, [&] {
        dialog.txtSearchSpec->setText("my.book");
        dialog.Command1[1]->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.Command1[1]->click();
    });
    const auto chosen = dialog.ask(LoadSave::saveRequest({"*.xls", "*.LWK"}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->pathWithType(), dir / "my.book.xls");
    EXPECT_EQ(fakes.messages.lastText(), "\"my.book\" ends in .book, which is not a type offered "
                                         "here (.xls, .LWK).\n\nSave it as \"my.book.xls\"?");
}

} // namespace
