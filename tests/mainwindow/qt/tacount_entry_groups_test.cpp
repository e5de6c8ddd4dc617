// The main window's Include button and the group drop-down it shows: a
// group posted through the list lands in the journal, the window moves to
// its last entry and the balance check reports it.
#include "mainwindow/qt/TAcount.h"

#include "accounts/qt/Group_Entries.h"
#include "mainwindow/entry_test_books.h"
#include "platform/fake/fake_services.h"
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

TEST(TAcountEntryGroups, IncludeButtonShowsTheListThatPostsAGroup) {
    ScopedFakeServices fakes;
    TAcount w;
    fourAccounts(w.book());
    addThreeEntries(w.book());
    w.book().EntryGroups[2] = {EntryLine{0, Debit, money(600), money(500), "", 0},
                               EntryLine{0, Credit, money(100), money(400), "Rent", 0}};
    w.refillAccountBoxes();
    w.journalLengthChanged();
    w.show();
    QApplication::processEvents();

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
