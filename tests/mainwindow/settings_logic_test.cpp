#include "mainwindow/settings_logic.h"

#include "platform/fake/fake_services.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsLogic, CharacterSetTableAndTheSetAChosenFontTakes) {
    const auto& table = charsetTable();
    EXPECT_STREQ(table.front().name, "Aribic");
    EXPECT_EQ(table.front().number, 178);
    EXPECT_STREQ(table.back().name, "Western");
    EXPECT_EQ(charsetNumber("Big-5 Chinese"), 136);
    EXPECT_EQ(charsetNumber("Korea"), 129);
    EXPECT_EQ(charsetNumber("Arabic"), std::nullopt); // spelled as the list has it
    EXPECT_EQ(charsetName(238), "Central European");
    EXPECT_EQ(charsetName(2), std::nullopt);

    // Kept when offered, else Western, else the first offered, else kept.
    EXPECT_EQ(charsetForChosenFont(161, {"Greek", "Western"}), 161);
    EXPECT_EQ(charsetForChosenFont(161, {"Cyrillic", "Western"}), 0);
    EXPECT_EQ(charsetForChosenFont(0, {"Hebrew", "Thai"}), 177);
    EXPECT_EQ(charsetForChosenFont(204, {}), 204);
}

TEST(SettingsLogic, TextsAsTheBookKeepsThem) {
    EXPECT_EQ(withCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
}

TEST(SettingsLogic, EveryChangeIsWrittenAndMarksTheBook) {
    Book book = makeEmptyBook("Balance", 46000);
    for (int i = 0; i < 40; ++i)
        book.EntryLines.push_back(book.EntryLines.back());
    book.EntryIds.resize(book.EntryLines.size());
    RunTimeState run;
    SettingsEditor editor(book, run);

    // Writing what the book already holds changes nothing.
    editor.setBusinessName(book.BusinessName.str());
    editor.chooseDecimals(DecimalsGroup::Journal, book.DecimalsJournal);
    editor.setAutoIncrement(true);
    EXPECT_FALSE(run.BookChanged);

    editor.setAdminPassword("boss");
    EXPECT_TRUE(run.BookChanged);
    EXPECT_EQ(run.LockedBelow, book.LastEntryLine() - 30);
    editor.setAdminPassword("");
    EXPECT_EQ(run.LockedBelow, 0); // nothing is locked without it
    EXPECT_EQ(book.AdminPassword.str(), "");

    editor.chooseDecimals(DecimalsGroup::TrialBalance, 3);
    editor.chooseDecimals(DecimalsGroup::Income, 4); // out of range: nothing
    EXPECT_EQ(book.DecimalsTrialBalance, 3);
    EXPECT_EQ(book.DecimalsIncome, 0);
    editor.chooseDateStyle(4);
    editor.chooseDateStyle(9);
    EXPECT_EQ(book.DateStyle, 4);
    EXPECT_FALSE(editor.chooseCharset("Klingon"));
    EXPECT_TRUE(editor.chooseCharset("Thai"));
    EXPECT_EQ(book.FontCharset, 222);
    editor.setAutoIncrement(false);
    EXPECT_EQ(book.AutoIncrement, 0);
}

} // namespace
