#include "book/book.h"
#include "toolkit/qt/New_Menu.h"
#include "toolkit/qt/User_Button.h"
#include "widget_events.h"

#include <QFile>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace widget_events;

namespace {

struct Host {
    Book book;
    QWidget top;
    New_Menu* menu;
    std::vector<std::pair<int, int>> clicks;
    Host() {
        book.GroupNames[0].assign("Rent");
        book.GroupNames[1].assign("Monthly wages and salaries");
        book.GroupNames[4].assign("Telephone");
        top.resize(320, 240);
        menu = new New_Menu(&top);
        menu->move(10, 10);
        menu->Name_Refresh(book);
        QObject::connect(menu, &New_Menu::Click, [this] {
            clicks.emplace_back(menu->ClickedIndex(), menu->ClickedType());
        });
        showTop(&top);
    }
};

TEST(New_MenuWidget, HoverAndClicksReportRowAndType) {
    Host host;
    const QRect row3 = host.menu->rowRect(3);
    moveTo(&host.top, inTop(host.menu, row3.center() - QPoint(row3.width() / 3, 0)));
    EXPECT_EQ(host.menu->ClickedIndex(), 3);
    EXPECT_TRUE(host.menu->logic().isBold(3));
    User_Button* button = host.menu->editButton();
    EXPECT_EQ(button->y(), row3.top() - 2); // the button rides on the row
    EXPECT_EQ(button->caption(), "Include");
    EXPECT_TRUE(QFile::exists(saveShot(&host.top, "group_list")));

    click(&host.top, inTop(host.menu, QPoint(30, row3.center().y())));
    click(&host.top, inTop(button, QPoint(24, 10)));
    EXPECT_EQ(host.clicks, (std::vector<std::pair<int, int>>{{3, 0}, {3, 1}}));

    // The surface between two rows reports what stands.
    click(&host.top, inTop(host.menu, QPoint(30, 44)));
    EXPECT_EQ(host.clicks.size(), 3u);
    EXPECT_EQ(host.clicks.back(), std::make_pair(3, 1));
}

TEST(New_MenuWidget, SizedByItsWidestName) {
    Host host;
    QFont own(QStringLiteral("Arial"));
    own.setPointSize(9);
    own.setBold(true);
    const int widest = QFontMetrics(own).horizontalAdvance("Monthly wages and salaries");
    EXPECT_EQ(host.menu->width(), widest + 65);
    EXPECT_EQ(host.menu->height(), 212);
    EXPECT_EQ(host.menu->editButton()->x(), widest + 65 - 52);
    EXPECT_EQ(host.book.GroupNames[9].shown(), "Group 10");
    host.menu->resize(host.menu->width(), 300);
    EXPECT_EQ(host.menu->height(), 212);
}

TEST(User_ButtonWidget, PressedLookAndClick) {
    QWidget top;
    top.resize(100, 50);
    auto* button = new User_Button(&top);
    button->move(10, 10);
    int clicks = 0;
    QObject::connect(button, &User_Button::Click, [&] { ++clicks; });
    showTop(&top);
    press(&top, inTop(button, QPoint(20, 10)));
    EXPECT_TRUE(button->isPressed());
    EXPECT_TRUE(button->FontBold());
    saveShot(&top, "label_button_pressed");
    release(&top, inTop(button, QPoint(20, 10)));
    EXPECT_FALSE(button->isPressed());
    EXPECT_FALSE(button->FontBold());
    EXPECT_EQ(clicks, 1);
    saveShot(&top, "label_button");
}

} // namespace
