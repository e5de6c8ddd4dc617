// The main window's Include button and the group drop-down it shows: a
// group posted through the list lands in the journal, the window moves to
// its last entry and the balance check reports it; a group being edited is
// what Save writes and what the question on leaving the book sees.
#include "mainwindow/qt/TAcount.h"

#include "accounts/qt/Group_Entries.h"
#include "accounts/qt/RecurringEntries.h"
#include "book/book_file.h"
#include "mainwindow/entry_test_books.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/New_Menu.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/User_Button.h"
#include "toolkit/qt/widget_events.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace entry_books;
using main_window_driving::openGroup;

namespace {

// The four accounts and three entries shown, group `g` a rent entry of 600 to 100.
void showGroupBook(TAcount& w, int g, std::int64_t creditAmount) {
    fourAccounts(w.book());
    addThreeEntries(w.book());
    w.book().EntryGroups[static_cast<std::size_t>(g)] = {
        EntryLine{0, Debit, money(600), money(500), "", 0},
        EntryLine{0, Credit, money(100), money(creditAmount), "Rent", 0}};
    w.refillAccountBoxes();
    w.journalLengthChanged();
    w.show();
    QApplication::processEvents();
}

void typeAmount(RecurringEntries* editor, int row, const std::string& amount) {
    QLineEdit* box = editor->AmountText[row];
    QApplication::setActiveWindow(editor);
    box->setFocus();
    box->selectAll();
    dialog_driving::typeText(box, amount);
}

std::vector<EntryLine> groupInFile(const std::filesystem::path& file, int group) {
    const BookReadResult r = readBookFile(file, {}, nullptr);
    EXPECT_TRUE(r.ok()) << file;
    return r.book.EntryGroups[static_cast<std::size_t>(group)];
}

} // namespace

TEST(TAcountEntryGroups, IncludeButtonShowsTheListThatPostsAGroup) {
    ScopedFakeServices fakes;
    TAcount w;
    showGroupBook(w, 2, 400);

    ASSERT_TRUE(w.GroupBu->isEnabled());
    main_window_driving::click(w.GroupBu);
    auto* drop = qobject_cast<Group_Entries*>(w.entryGroupsWindow.data());
    ASSERT_NE(drop, nullptr);
    EXPECT_TRUE(drop->isVisible());
    // It stands over the button, its right edge a little past the button's.
    const QRect button(w.GroupBu->mapToGlobal(QPoint(0, 0)), w.GroupBu->size());
    EXPECT_LT(drop->geometry().bottom(), button.top());
    EXPECT_NEAR(drop->geometry().right(), button.right(), 10);

    // The Include button of the third row posts group 3.
    New_Menu* menu = drop->Edit_Group;
    widget_events::moveTo(drop, widget_events::inTop(menu, menu->rowRect(2).center()));
    widget_events::click(drop, widget_events::inTop(menu->editButton(), QPoint(24, 10)));
    ASSERT_EQ(w.book().LastEntryLine(), 7);
    EXPECT_EQ(w.book().EntryIds[6].shown(), "42");
    EXPECT_EQ(w.book().EntryLines[7].Date, Today);
    EXPECT_EQ(w.ScrollAcc->Value(), 7);
    EXPECT_EQ(w.Text1->text(), "42");
    EXPECT_EQ(w.GL[7]->text().toStdString(), "Credit Accounts are out of balance by 100");
    EXPECT_TRUE(w.BookChanged());
    EXPECT_FALSE(drop->isVisible());

    // A second press hides a shown list.
    main_window_driving::click(w.GroupBu);
    EXPECT_TRUE(drop->isVisible());
    main_window_driving::click(w.GroupBu);
    EXPECT_FALSE(drop->isVisible());
}

TEST(TAcountEntryGroups, SavesAndTheQuestionOnLeavingSeeTheGroupStillBeingEdited) {
    using main_window_driving::DialogScript;
    using main_window_driving::run;
    ScopedFakeServices fakes;
    testing_support::TempDir dir;
    TAcount w;
    bool ended = false;
    w.endProgram = [&ended] { ended = true; };
    showGroupBook(w, 1, 500);
    DialogScript script;

    // An amount changed with the editor left open: Save As writes it.
    RecurringEntries* editor = openGroup(w, 1);
    ASSERT_NE(editor, nullptr);
    // It takes the toolbar's bands; the etched separators stand on the strip alone.
    const QImage bands = w.ButtonBar->backdrop().toImage();
    const int separator = toPixels(design::SeparatorLefts[0]);
    EXPECT_EQ(bands.pixelColor(separator, 20), bands.pixelColor(separator + 8, 20));
    EXPECT_EQ(w.ButtonBar->grab().toImage().pixel(separator, 20),
              w.ButtonBar->palette().color(QPalette::Dark).rgb());
    typeAmount(editor, 0, "650");
    ASSERT_EQ(w.book().RecurringLines[0].Amount, money(650));
    script.pick(dir / "groups");
    run(w, Command::SaveFileAs);
    const std::filesystem::path file = dir / "groups.acc";
    std::vector<EntryLine> edited = w.book().RecurringLines;
    EXPECT_EQ(groupInFile(file, 1), edited);
    EXPECT_EQ(w.book().EntryGroups[1], edited);
    EXPECT_FALSE(w.BookChanged());

    // And the plain Save (from the toolbar too) after a second change.
    typeAmount(editor, 1, "450");
    main_window_driving::click(w.ButtonBar->CalcButton[1]);
    edited = w.book().RecurringLines;
    EXPECT_EQ(edited[1].Amount, money(450));
    EXPECT_EQ(groupInFile(file, 1), edited);
    EXPECT_FALSE(w.BookChanged());

    // Nothing unsaved: the program ends without a question.
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(ended);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();

    // A group without lines opens with a blank entry, which the editor would
    // store as it closes: the question comes first, and No keeps the program open.
    w.show();
    ended = false;
    w.book().EntryGroups[3].clear();
    editor = openGroup(w, 3);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(w.book().EntryGroups[3].empty());
    ASSERT_FALSE(w.BookChanged());
    fakes.messages.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(w.close());
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.lastText(), strings::text(279));
    EXPECT_FALSE(ended);
    EXPECT_TRUE(w.BookChanged());
    EXPECT_EQ(w.book().EntryGroups[3].size(), 2u);
    EXPECT_EQ(groupInFile(file, 1), edited);
    EXPECT_EQ(script.unexpected, 0);
}
