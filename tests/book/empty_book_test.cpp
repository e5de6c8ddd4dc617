#include "book/book.h"

#include "resources/string_table.h"

#include <gtest/gtest.h>

namespace {

constexpr double Today = 46000.75; // 9 December 2025, evening

void expectEmptyJournal(const Book& book, double day) {
    ASSERT_EQ(book.LastEntryLine(), 1);
    ASSERT_EQ(book.EntryIds.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        const EntryLine& line = book.EntryLines[i];
        EXPECT_EQ(line.Date, day) << i;
        EXPECT_EQ(line.Side, i == 0 ? Debit : Credit) << i;
        EXPECT_EQ(line.AccountNumber, Currency()) << i;
        EXPECT_EQ(line.Amount, Currency()) << i;
        EXPECT_EQ(line.Reconciled, 0) << i;
        EXPECT_EQ(book.EntryIds[i].raw(), "1" + std::string(13, ' ')) << i;
    }
    EXPECT_EQ(book.EntryLines[0].Details, "");
    EXPECT_EQ(book.EntryLines[1].Details, "_");
}

} // namespace

TEST(EmptyBook, HoldsTheOpeningAccountTenGroupsAndOneBlankEntry) {
    strings::setLanguage("en");
    const Book book = makeEmptyBook(strings::text(155), Today, 238);

    EXPECT_EQ(book.LastAccount, 13);
    ASSERT_EQ(book.accountSlots(), 14u);
    EXPECT_EQ(book.AccountNames[0], "Balance b/f");
    EXPECT_EQ(book.AccountNumbers[0], Currency::fromUnits(1));
    EXPECT_EQ(book.AccountTypes[0], Other);
    for (int i = 1; i <= 13; ++i) {
        EXPECT_TRUE(book.slotIsEmpty(i)) << i;
        EXPECT_EQ(book.AccountTypes[i], 0) << i;
        EXPECT_EQ(book.AccountNote[i] + book.AccountNote2[i] + book.AccountExtra[i], "") << i;
    }

    expectEmptyJournal(book, 46000);

    std::vector<EntryLine> pair(2);
    pair[0].Side = Debit;
    pair[1].Side = Credit;
    pair[1].Details = "_";
    for (int g = 0; g < GroupTotal; ++g) {
        EXPECT_EQ(book.EntryGroups[g], pair) << g;
        EXPECT_EQ(book.GroupNames[g].shown(), "Group " + std::to_string(g + 1)) << g;
        EXPECT_EQ(book.GroupNames[g].raw().size(), 120u);
    }
    EXPECT_EQ(book.GroupCount, 1);
    EXPECT_EQ(book.RecurringLines, pair);

    EXPECT_TRUE(book.BusinessName.isEmpty());
    EXPECT_TRUE(book.FilePassword.isEmpty());
    EXPECT_TRUE(book.AdminPassword.isEmpty());
    EXPECT_EQ(book.AutoIncrement, 1);
    EXPECT_EQ(book.FontCharset, 238);
    EXPECT_EQ(book.SubAccountDash, 0);
    EXPECT_EQ(book.DecimalsJournal, 2);
    EXPECT_EQ(book.DecimalsLedger, 2);
    EXPECT_EQ(book.DecimalsTrialBalance, 0);
    EXPECT_EQ(book.DecimalsIncome, 0);
    EXPECT_EQ(book.DecimalsBalanceSheet, 0);
    EXPECT_EQ(book.ReservedInteger, 0);
    EXPECT_EQ(book.ReservedLong, 0);
}

TEST(EmptyBook, NewStartReplacesOnlyTheJournal) {
    Book book = makeEmptyBook("Balance", Today);
    book.resizeAccounts(20);
    book.AccountNames[5] = "Cash";
    book.AccountNumbers[5] = Currency::fromUnits(100);
    book.GroupNames[3] = "Rent";
    book.EntryGroups[3].resize(5);
    book.GroupCount = 4;
    book.AutoIncrement = 0; // the empty journal's reference is "1" all the same
    book.BusinessName = "Shop";
    book.DateStyle = 6;
    book.resizeJournal(50);
    for (int i = 0; i < 50; ++i) {
        book.EntryIds[i] = std::to_string(i / 2 + 7);
        book.EntryLines[i].Amount = Currency::fromUnits(i);
        book.EntryLines[i].Reconciled = 1;
    }
    const Book before = book;

    EXPECT_EQ(NewStart(book, Today + 3.2), "1");
    expectEmptyJournal(book, 46003);

    EXPECT_EQ(book.LastAccount, before.LastAccount);
    EXPECT_EQ(book.AccountNames, before.AccountNames);
    EXPECT_EQ(book.AccountNumbers, before.AccountNumbers);
    EXPECT_EQ(book.AccountTypes, before.AccountTypes);
    EXPECT_EQ(book.EntryGroups, before.EntryGroups);
    EXPECT_EQ(book.GroupNames, before.GroupNames);
    EXPECT_EQ(book.GroupCount, 4);
    EXPECT_EQ(book.RecurringLines, before.RecurringLines);
    EXPECT_EQ(book.AutoIncrement, 0);
    EXPECT_TRUE(book.BusinessName.identical(before.BusinessName));
    EXPECT_EQ(book.DateStyle, 6);
}

TEST(EmptyBook, FixedTextsHoldNulsUntilAssigned) {
    EntryId never;
    EXPECT_EQ(never.raw(), std::string(14, '\0'));
    EXPECT_TRUE(never.neverAssigned());
    EXPECT_EQ(never.shown(), "");
    EXPECT_EQ(GroupName().raw(), std::string(120, '\0'));

    EntryId blank("");
    EXPECT_EQ(blank.raw(), std::string(14, ' '));
    EXPECT_FALSE(blank.neverAssigned());
    EXPECT_EQ(EntryId("INVOICE-2025-000123").raw(), "INVOICE-2025-0");
    // "é" would straddle the 14th byte: it is left out, not split.
    EXPECT_EQ(EntryId("ABCDEFGHIJKLM\xC3\xA9").raw(), "ABCDEFGHIJKLM ");

    Book book = makeEmptyBook("Balance", Today);
    book.resizeJournal(4);
    EXPECT_TRUE(book.EntryIds[3].neverAssigned());
    EXPECT_EQ(book.EntryLines[3].Side, Unfilled);
}
