#include "book/book.h"
#include "toolkit/group_list_logic.h"

#include <gtest/gtest.h>

namespace {

int sevenPerCharacter(const std::string& s) {
    return 7 * static_cast<int>(s.size());
}

TEST(GroupList, NamesAreRepairedInTheBook) {
    Book book;
    book.GroupNames[2].assign("Rent   ");
    book.GroupNames[3].bytes[0] = 'W';
    book.GroupNames[3].bytes[1] = 'a';
    book.GroupNames[3].bytes[3] = 'g'; // a NUL inside the name
    book.GroupNames[3].bytes[4] = 'e';
    book.GroupNames[5].assign("  Quarterly payroll  ");
    book.GroupNames[7].assign("     ");
    GroupListLogic list;
    EXPECT_EQ(list.Name_Refresh(book, sevenPerCharacter), 0);

    EXPECT_EQ(list.captions()[0], "Group 1");
    EXPECT_EQ(list.captions()[2], "Rent");
    EXPECT_EQ(list.captions()[3], "Wage");
    EXPECT_EQ(list.captions()[5], "Quarterly payroll");
    EXPECT_EQ(list.captions()[7], "Group 8");
    EXPECT_EQ(list.captions()[9], "Group 10");
    EXPECT_EQ(book.GroupNames[0].shown(), "Group 1");
    EXPECT_EQ(book.GroupNames[7].shown(), "Group 8");
    EXPECT_EQ(book.GroupNames[3].raw(), "Wage" + std::string(116, ' '));
    EXPECT_EQ(book.GroupNames[5].shown(), "  Quarterly payroll");

    // The widest caption sets the width: 17 characters of 7 pixels.
    EXPECT_EQ(list.width(), 119 + 65);
    EXPECT_EQ(list.buttonLeft(), 184 - 52);
    EXPECT_EQ(list.barWidth(), 180);
    EXPECT_EQ(list.height(), 212);
}

TEST(GroupList, HoverAndClicks) {
    Book book;
    GroupListLogic list;
    list.Name_Refresh(book, sevenPerCharacter);
    std::vector<std::pair<int, int>> clicks;
    list.onClick = [&] { clicks.emplace_back(list.ClickedIndex(), list.ClickedType()); };

    EXPECT_EQ(list.rowAt(10, 4), 0);
    EXPECT_EQ(list.rowAt(10, 44), -1); // between rows 1 and 2
    EXPECT_EQ(list.rowAt(10, 70), 3);
    EXPECT_EQ(list.rowAt(10, 211), 9);
    EXPECT_EQ(list.rowAt(10, 212), -1);
    EXPECT_EQ(list.rowAt(2, 70), -1);

    list.hoverRow(3);
    EXPECT_TRUE(list.isBold(3));
    EXPECT_FALSE(list.isBold(0));
    EXPECT_EQ(list.buttonTop(), 64);
    EXPECT_EQ(list.barTop(), 63);
    list.nameReleased();
    list.buttonClicked();
    list.surfaceClicked(); // reports the row and type as they stand
    list.hoverRow(8);
    EXPECT_FALSE(list.isBold(3));
    list.nameReleased();
    list.hoverRow(12); // no such row: nothing moves
    EXPECT_EQ(list.ClickedIndex(), 8);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{3, 0}, {3, 1}, {3, 1}, {8, 0}}));
}

} // namespace
