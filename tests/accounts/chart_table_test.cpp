// The account table's operations on small hand-made charts: insert with its
// number rule and limit, delete, the four faults of the check on close, the
// standard chart, the copy text and the move of an account's lines.
#include "accounts/chart_copy.h"
#include "accounts/chart_editor.h"
#include "accounts/chart_table.h"
#include "accounts/move_account.h"
#include "accounts/standard_chart.h"
#include "platform/fake/fake_services.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace {

Currency money(const char* text) {
    return *Currency::parse(text);
}

struct Acc {
    const char* number;
    const char* name;
    std::uint8_t type = CurrentAsset;
};

// A 14-slot book holding the given accounts from slot 0; the rest empty rows.
Book chartOf(std::initializer_list<Acc> accounts) {
    Book b = makeEmptyBook("Balance", 46000);
    b.AccountNames[0].clear();
    b.AccountNumbers[0] = Currency();
    int i = 0;
    for (const Acc& a : accounts) {
        if (i >= static_cast<int>(b.accountSlots())) b.resizeAccounts(i);
        b.AccountNumbers[static_cast<std::size_t>(i)] = money(a.number);
        b.AccountNames[static_cast<std::size_t>(i)] = a.name;
        b.AccountTypes[static_cast<std::size_t>(i)] = a.type;
        b.AccountNote[static_cast<std::size_t>(i)] = std::string("note of ") + a.name;
        ++i;
    }
    return b;
}

std::string slotText(const Book& b, int i) {
    const auto s = static_cast<std::size_t>(i);
    return b.AccountNumbers[s].toPlainString() + " " + b.AccountNames[s] + " " +
           std::to_string(b.AccountTypes[s]) + " " + b.AccountNote[s];
}

TEST(ChartTable, InsertAndDeleteShiftEverySlotAndKeepTheLimits) {
    struct Case {
        const char* what;
        int lastAccount; // grown to this many slots first (0 = the 14-slot book)
        int selected;
        bool insert;
        bool done;
        int lastAfter;
        int newSlot;
        std::vector<std::string> slotsAfter; // slots 0.. checked, "" skips
    };
    const std::vector<Case> cases = {
        {"after 100: 102 of its class",
         0,
         0,
         true,
         true,
         14,
         1,
         {"100 Cash 0 note of Cash", "102  0 ", "100.1 Till 2 note of Till",
          "200 Loans 1 note of Loans"}},
        {"after a sub-account: 102.1",
         0,
         1,
         true,
         true,
         14,
         2,
         {"100 Cash 0 note of Cash", "100.1 Till 2 note of Till", "102.1  2 ",
          "200 Loans 1 note of Loans"}},
        {"after the last slot", 0, 13, true, true, 14, 14, {}},
        {"32,000 allowed", 32000, 5, true, true, 32001, 6, {}},
        {"32,001 refused", 32001, 5, false, false, 32001, -1, {}},
        {"delete in the middle",
         0,
         1,
         false,
         true,
         12,
         -1,
         {"100 Cash 0 note of Cash", "200 Loans 1 note of Loans", "0  0 "}},
        {"delete slot 0",
         0,
         0,
         false,
         true,
         12,
         -1,
         {"100.1 Till 2 note of Till", "200 Loans 1 note of Loans", "0  0 "}},
        {"delete the last of 14", 0, 13, false, true, 12, -1, {}},
        {"an empty row past the end deletes nothing", 12, 13, false, false, 12, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Book b = chartOf({{"100", "Cash"}, {"100.1", "Till", 2}, {"200", "Loans", 1}});
        b.AccountNames[13] = "Last";
        b.AccountNumbers[13] = money("900");
        if (c.lastAccount > 13) b.resizeAccounts(c.lastAccount);
        if (c.lastAccount == 12) {
            ASSERT_TRUE(deleteAccountAt(b, 13));
        }
        const Book before = b;
        if (c.insert || c.lastAccount == 32001) {
            const InsertOutcome o = insertAccountAfter(b, c.selected);
            EXPECT_EQ(o.inserted, c.done);
            EXPECT_EQ(o.newSlot, c.newSlot);
        } else {
            EXPECT_EQ(deleteAccountAt(b, c.selected), c.done);
        }
        EXPECT_EQ(b.LastAccount, c.lastAfter);
        EXPECT_EQ(b.accountSlots(), static_cast<std::size_t>(std::max(c.lastAfter, 13) + 1));
        for (const auto* arr : {&b.AccountNote, &b.AccountNote2, &b.AccountExtra})
            EXPECT_EQ(arr->size(), b.accountSlots());
        for (std::size_t i = 0; i < c.slotsAfter.size(); ++i)
            EXPECT_EQ(slotText(b, static_cast<int>(i)), c.slotsAfter[i]) << "slot " << i;
        if (!c.done) {
            EXPECT_EQ(b.AccountNames, before.AccountNames);
        }
    }
    // The last of 14 deleted: slot 13 an empty row, LastAccount 12; closing raises it to 13.
    Book b = chartOf({{"100", "Cash"}});
    b.AccountNames[13] = "Last";
    b.AccountNumbers[13] = money("900");
    ASSERT_TRUE(deleteAccountAt(b, 13));
    EXPECT_TRUE(b.slotIsEmpty(13));
    EXPECT_EQ(b.LastAccount, 12);
    EXPECT_FALSE(closeChart(b, "."));
    EXPECT_EQ(b.LastAccount, 13);
}

TEST(ChartTable, CheckOnCloseFindsTheFirstFaultWithItsMessageAndSlot) {
    struct Case {
        const char* what;
        std::vector<Acc> accounts;
        std::string message, title;
        int slot;
    };
    const std::vector<Case> cases = {
        {"a name without a number",
         {{"100", "Cash"}, {"0", "Bank"}},
         "An account has no Folio number",
         "",
         1},
        {"a number without a name",
         {{"100", "Cash"}, {"102", ""}},
         "An account has no name",
         "",
         1},
        {"an unnamed duplicate is missing its name first",
         {{"100", "Cash"}, {"102", "Bank"}, {"102", ""}},
         "An account has no name",
         "",
         2},
        {"the same number twice",
         {{"100", "Cash"}, {"102.5", "Bank"}, {"200", "Loans"}, {"102.5", "Savings"}},
         "Two or More Accounts have the same Folio number\r\n\r\nAccount 102,5    Bank\r\n"
         "Account 102,5    Savings\r\n",
         "Please Fix Now...",
         3},
        {"the first pair by the outer slot: 100 before 300",
         {{"300", "A"}, {"100", "B"}, {"100", "C"}, {"300", "D"}},
         "Two or More Accounts have the same Folio number\r\n\r\nAccount 300    A\r\n"
         "Account 300    D\r\n",
         "Please Fix Now...",
         3},
        {"an account below zero is missing its name too",
         {{"-5", ""}, {"100", "Cash"}, {"-5", "Odd"}},
         "An account has no name",
         "",
         0},
        {"the same name twice (case counts)",
         {{"100", "Cash"}, {"101", "cash"}, {"102", "Bank"}, {"103", "Cash"}},
         "Two or More Accounts have the same name\r\n\r\nAccount 100    Cash\r\n"
         "Account 103    Cash\r\n",
         "Please Fix Now...",
         3},
        {"two empty rows and spaces-only names pass", {{"100", "Cash"}, {"101", "  "}}, "", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Book b = makeEmptyBook("Balance", 46000);
        b.AccountNames[0].clear();
        b.AccountNumbers[0] = Currency();
        for (std::size_t i = 0; i < c.accounts.size(); ++i) {
            b.AccountNumbers[i] = money(c.accounts[i].number);
            b.AccountNames[i] = c.accounts[i].name;
        }
        const Book before = b;
        const std::optional<ChartFault> f = closeChart(b, ",");
        if (c.slot < 0) {
            EXPECT_FALSE(f);
            EXPECT_EQ(b.EntryAccountList.size(), 1u); // "Cash" only
            continue;
        }
        ASSERT_TRUE(f);
        EXPECT_EQ(f->message, c.message);
        EXPECT_EQ(f->title, c.title);
        EXPECT_EQ(f->critical, !c.title.empty());
        EXPECT_EQ(f->slot, c.slot);
        EXPECT_EQ(b.AccountNames, before.AccountNames);
        EXPECT_EQ(b.EntryAccountList, before.EntryAccountList);
    }
}

TEST(ChartTable, TheNumberBoxesAreSizedForTheWidestNumber) {
    // As the box's font measures it (here with a narrow "1"), dash setting applied.
    auto width = [](const std::string& t) { return 2.0 * t.size() - std::ranges::count(t, '1'); };
    Book b = chartOf({{"100", "Cash"}, {"1111111", "Odd"}, {"222222.5", "Till"}, {"40", "Loans"}});
    EXPECT_EQ(widestNumberText(b, ",", width), "222222,5");
    b.SubAccountDash = -1;
    EXPECT_EQ(widestNumberText(b, ",", width), "222222-5");
    b.AccountNumbers[2] = *Currency::parse("222222");
    EXPECT_EQ(widestNumberText(b, ",", width), "222222"); // not the longer "1111111"
    EXPECT_EQ(widestNumberBoxText(b, ",", width), std::string(12, ','));
    b.AccountNumbers[1] = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(widestNumberText(b, ".", width), "-922337203685477-5808");
    EXPECT_EQ(numberBoxMaxChars(b, "."), 21);
}

// The check's two loops over every pair, as written out plainly: the first
// (i, j) by i then j with equal keys, j != i and slot i a named, numbered account.
std::optional<std::pair<int, int>> firstPairByTwoLoops(const Book& b, bool byName) {
    for (int i = 0; i <= b.LastAccount; ++i)
        for (int j = 0; j <= b.LastAccount; ++j) {
            const auto si = static_cast<std::size_t>(i), sj = static_cast<std::size_t>(j);
            const bool same = byName ? b.AccountNames[si] == b.AccountNames[sj]
                                     : b.AccountNumbers[si] == b.AccountNumbers[sj];
            if (same && j != i && !b.AccountNames[si].empty() && !b.AccountNumbers[si].isZero())
                return std::make_pair(i, j);
        }
    return std::nullopt;
}

TEST(ChartTable, OnePassFindsTheSamePairAsEveryPairCompared) {
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
    };
    int checked = 0, pairs = 0;
    for (int round = 0; round < 400; ++round) {
        // Small pools give many equal keys, large ones few.
        const int pool = 3 + (round % 40) * 10;
        Book b = makeEmptyBook("Balance", 46000);
        b.resizeAccounts(13 + next(20));
        for (std::size_t i = 0; i < b.accountSlots(); ++i) {
            const int number = next(pool) - 2; // some 0, some negative
            b.AccountNumbers[i] = Currency::fromUnits(number);
            b.AccountNames[i] =
                number == 0 && next(4) != 0 ? "" : "Account " + std::to_string(next(pool));
        }
        const std::optional<ChartFault> f = findChartFault(b, ".");
        if (f && f->title.empty()) continue; // a missing name or number comes first
        ++checked;
        std::optional<std::pair<int, int>> pair = firstPairByTwoLoops(b, false);
        if (!pair) pair = firstPairByTwoLoops(b, true);
        ASSERT_EQ(f.has_value(), pair.has_value()) << round;
        if (!pair) continue;
        ++pairs;
        EXPECT_EQ(f->slot, pair->second) << round;
        const auto line = [&](int s) {
            return "Account " + b.AccountNumbers[static_cast<std::size_t>(s)].toPlainString() +
                   "    " + b.AccountNames[static_cast<std::size_t>(s)] + "\r\n";
        };
        EXPECT_NE(f->message.find("\r\n\r\n" + line(pair->first) + line(pair->second)),
                  std::string::npos)
            << round << "\n"
            << f->message;
    }
    EXPECT_GT(checked, 50);
    EXPECT_GT(pairs, 25);
    EXPECT_LT(pairs, checked); // charts that pass are among them
}

TEST(ChartTable, StandardChartRowForRow) {
    const char* expected =
        "100\t0\tCash at Bank\n105\t0\tCash on Hand\n110\t0\tAccounts Receivable\n"
        "115\t0\tAllowance for Doubtful Debts\n120\t0\tInventory\n125\t0\tBills Receivable\n"
        "130\t0\tExpenses Prepaid\n135\t0\tIncome Accrued\n150\t2\tInvestments\n160\t2\tLand\n"
        "162\t2\tBuilding\n164\t2\tAccumulated Depreciation of Building\n"
        "166\t2\tPlant and Equipment\n168\t2\tAccumulated Depreciation of Building and Equipment\n"
        "170\t2\tMotor Vehicles\n172\t2\tAccumulated Depreciation of Motor Vehicles\n"
        "174\t2\tOffice Furniture & Fittings\n176\t2\tAccumulated Depreciation of Furniture & "
        "Fittings\n"
        "178\t2\tGoodwill\n180\t2\tPatents\n182\t2\tTrademarks\n200\t1\tBank Overdraft\n"
        "210\t1\tAccounts Payable\n220\t1\tShort Term Loan\n230\t1\tGoods Tax Collected\n"
        "235\t1\tGoods Tax Paid\n240\t1\tExpenses Accrued\n250\t1\tIncome Received in Advance\n"
        "260\t3\tMortgage\n270\t3\tLong Term Loan\n300\t7\tCapital\n310\t7\tDrawings\n"
        "400\t5\tSales\n410\t5\tService Revenue\n450\t5\tDiscound Received\n"
        "455\t5\tRent Received\n460\t5\tInterest Received\n465\t5\tCommission Received\n"
        "470\t5\tBad Debts Recovered\n500\t4\tPurchases\n505\t4\tPurchase Return\n"
        "510\t4\tFreight Inwards\n520\t4\tCustoms Duty\n530\t4\tTransit Insurance\n"
        "600\t6\tSales Wages\n605\t6\tAdvertising\n610\t6\tFreight Outwards\n"
        "615\t6\tCommision Paid\n620\t6\tDepreciation of Non-Current Assets (Marketing)\n"
        "640\t6\tSupplies\n700\t6\tOffice Wages\n705\t6\tElectricity\n715\t6\tGeneral Expenses\n"
        "720\t6\tInsurance\n725\t6\tMotor Vehicle Expenses\n730\t6\tOffice Expenses\n"
        "735\t6\tPhotocopying\n740\t6\tPostage\n745\t6\tRates and Taxes\n750\t6\tRent Office\n"
        "755\t6\tRepairs and Maintenance\n760\t6\tStationery\n765\t6\tTelephone\n"
        "770\t6\tDepreciation of Non-Current Assets (Admin)\n"
        "775\t6\tLoss on Disposal of Non-Current Assets\n800\t6\tDiscount Allowed\n"
        "810\t6\tInterest Expense\n820\t6\tBad Debts\n830\t6\tDoubtful Debts\n"
        "840\t6\tBank Charges\n1\t8\tBalance b/f\n";
    Book b = chartOf({{"100", "Cash"}, {"101", "Old"}});
    b.AccountNote2[0] = "address";
    b.AccountExtra[1] = "extra";
    b.resizeAccounts(99);
    const auto journal = b.EntryLines;
    installStandardChart(b);
    EXPECT_EQ(b.LastAccount, 70);
    std::string got;
    for (std::size_t i = 0; i < b.accountSlots(); ++i) {
        got += b.AccountNumbers[i].toPlainString() + "\t" + std::to_string(b.AccountTypes[i]) +
               "\t" + b.AccountNames[i] + "\n";
        EXPECT_TRUE(b.AccountNote[i].empty() && b.AccountNote2[i].empty() &&
                    b.AccountExtra[i].empty());
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(b.EntryLines, journal);
    EXPECT_FALSE(closeChart(b, ".")); // the standard chart passes the check
}

TEST(ChartTable, CopyTextOfANewBookByteForByteAndTheRtfBeside) {
    ScopedFakeServices fakes;
    Book b = makeEmptyBook("Balance", 46000);
    std::string expected = "Folio\tAccount Name\tAccount Type\r\n\r\n1\tBalance b/f\tOther\r\n";
    for (int i = 1; i <= 13; ++i)
        expected += "0\t\tCurrent Asset\r\n";
    EXPECT_EQ(chartCopyText(b, "."), expected);

    // Sub-accounts are written as the chart shows them: with the dash setting, 100-5.
    b.SubAccountDash = -1;
    b.AccountNumbers[1] = money("100.5");
    b.AccountNames[1] = "Caf\xC3\xA9 {Till}";
    b.AccountTypes[1] = Expense;
    EXPECT_NE(chartCopyText(b, ",").find("\r\n100-5\tCaf\xC3\xA9 {Till}\tExpense\r\n"),
              std::string::npos);
    // A class a damaged book holds outside 0..8 is written as Other; names
    // beyond Windows-1252 keep their characters in the RTF as \\uN.
    b.AccountNames[2] = "\xD0\x9A\xD0\xB0\xCF\x83\xCE\xB1"; // Cyrillic Ka, a; Greek sigma, alpha
    b.AccountNumbers[2] = money("200");
    b.AccountTypes[2] = 200;
    EXPECT_NE(chartCopyText(b, ",").find("\r\n200\t\xD0\x9A\xD0\xB0\xCF\x83\xCE\xB1\tOther\r\n"),
              std::string::npos);
    const std::string rtf = chartCopyRtf(b, ",");
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(rtf.find("100-5\\cell Caf\\u233\\'e9 \\{Till\\}\\cell Expense\\cell\\row"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("200\\cell \\u1050?\\u1072?\\u963?\\u945?\\cell Other\\cell\\row"),
              std::string::npos)
        << rtf;
}

TEST(ChartTable, MoveTakesExactlyOneNumbersLinesAndNothingElse) {
    Book b = chartOf({{"100", "Cash"}, {"100.1", "Till"}, {"200", "Bank"}, {"300", "Cash"}});
    b.EntryLines.clear();
    for (const char* n : {"100", "100.1", "200", "100", "0", "1000"}) {
        EntryLine l;
        l.AccountNumber = money(n);
        l.Amount = money("5");
        l.Details = n;
        b.EntryLines.push_back(l);
    }
    b.EntryIds.resize(b.EntryLines.size());
    b.EntryGroups[0][0].AccountNumber = money("100");
    const Book before = b;

    const MoveChoice c = chooseMove(b, "Cash", "Bank");
    ASSERT_TRUE(c.request);
    EXPECT_EQ(moveQuestion(b, *c.request, "."), "Move Account 100 to 200, Are you sure ?");
    EXPECT_EQ(moveAccountLines(b, *c.request), 2);
    std::string numbers;
    for (const EntryLine& l : b.EntryLines)
        numbers += l.AccountNumber.toPlainString() + " ";
    EXPECT_EQ(numbers, "200 100.1 200 200 0 1000 ");
    EXPECT_EQ(b.AccountNumbers, before.AccountNumbers);
    EXPECT_EQ(b.EntryGroups, before.EntryGroups);
    EXPECT_EQ(b.EntryLines[1], before.EntryLines[1]);

    // Empty boxes do nothing; a name that is no account is refused, not moved to 0.
    EXPECT_FALSE(chooseMove(b, "", "Bank").request);
    EXPECT_TRUE(chooseMove(b, "", "Bank").refusal.empty());
    const MoveChoice nowhere = chooseMove(b, "Bank", "Nobody");
    EXPECT_FALSE(nowhere.request);
    EXPECT_NE(nowhere.refusal.find("Nobody"), std::string::npos);
    // A name that matches no account moves the lines that have none.
    const MoveChoice orphans = chooseMove(b, "Nobody", "Till");
    ASSERT_TRUE(orphans.request);
    EXPECT_EQ(moveAccountLines(b, *orphans.request), 1);
    EXPECT_EQ(b.EntryLines[4].AccountNumber, money("100.1"));
}

TEST(ChartEditor, TypingScrollingKeysAndEveryChangeMarkTheBook) {
    ScopedFakeServices fakes;
    Book b = chartOf({{"100", "Cash"}, {"-5.5", "Odd"}});
    b.resizeAccounts(30);
    RunTimeState run;
    run.DecimalSeparator = ",";
    ChartEditor e(b, run);
    EXPECT_EQ(e.frameCaption(), "Accounts 1 To 14 :");
    EXPECT_EQ(e.scrollMax(), 17);

    struct Step {
        const char* what;
        std::function<void()> act;
        std::function<bool()> holds;
    };
    const std::vector<Step> steps = {
        {"100-5 stores 100.5", [&] { e.typeNumber(2, "100-5"); },
         [&] { return b.AccountNumbers[2] == money("100.5") && e.row(2).number == "100,5"; }},
        {"the dash shows 100-5", [&] { e.setSubAccountDash(true); },
         [&] { return e.row(2).number == "100-5" && b.SubAccountDash == -1; }},
        {"a redraw keeps a negative number", [&] { e.row(1); },
         [&] { return b.AccountNumbers[1] == money("-5.5"); }},
        {"1/2 stores 1, a leading dash is a sign and a later one a decimal point",
         [&] {
             e.typeNumber(3, "1/2");
             e.typeNumber(4, "-5");
             e.typeNumber(5, "-5-25");
         },
         [&] {
             return b.AccountNumbers[3] == money("1") && b.AccountNumbers[4] == money("-5") &&
                    b.AccountNumbers[5] == money("-5.25");
         }},
        {"a name, notes and a class",
         [&] {
             e.select(2);
             e.typeName(2, "Savings");
             e.typeNote("n1");
             e.typeNote2("n2");
             e.setClass(Revenue);
         },
         [&] {
             return b.AccountNames[2] == "Savings" && b.AccountNote[2] == "n1" &&
                    b.AccountNote2[2] == "n2" && b.AccountTypes[2] == Revenue;
         }},
        {"Down in row 13 scrolls and the selection follows the screen row",
         [&] {
             e.keyDown(13, keys::Down);
             e.keyUp(13, 0);
         },
         [&] {
             return e.top() == 1 && e.selectedSlot() == 14 &&
                    e.frameCaption() == "Accounts 2 To 15 :";
         }},
        {"Up in row 4 moves the focus with the caret",
         [&] { EXPECT_EQ(e.keyDown(4, keys::Up).swallow, true); },
         [&] {
             const ChartKeyMove m = e.keyUp(4, 3);
             return m.focusRow == 3 && m.caret == 3;
         }},
        {"Enter after an arrow moves down and stays there",
         [&] {
             e.keyDown(6, keys::Up);
             e.keyUp(6, 0);
         },
         [&] {
             const ChartKeyMove down = e.keyDown(5, keys::Return);
             return down.focusRow == 6 && e.keyUp(6, 0).focusRow == -1;
         }},
        {"Enter in row 13 goes nowhere", [&] {},
         [&] {
             return e.keyDown(13, keys::Return).focusRow == -1 &&
                    e.keyDown(5, keys::Return).focusRow == 6;
         }},
        {"the folio key filter, with the run's decimal mark", [&] {},
         [&] {
             const auto key = [&](char32_t c) { return folioKeyAllowed(c, run.DecimalSeparator); };
             return key('7') && key('-') && key('/') && !key('a') && key(',');
         }},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        run.BookChanged = false;
        s.act();
        EXPECT_TRUE(s.holds());
    }
    // Insert, delete and the standard chart mark the book changed too.
    for (auto act : std::vector<std::function<void()>>{[&] { e.insert(); }, [&] { e.remove(); },
                                                       [&] { e.standardChart(); }}) {
        run.BookChanged = false;
        act();
        EXPECT_TRUE(run.BookChanged);
    }
    EXPECT_EQ(e.scrollMax(), 57);
    // A table replaced by a smaller one: the grid stays inside it.
    b = makeEmptyBook("Balance", 46000);
    e.tableReplaced();
    EXPECT_EQ(e.top(), 0);
    b.AccountNames.resize(3); // even a damaged table is never read past its end
    EXPECT_EQ(e.row(13).name, "");
    e.typeName(13, "x");
}

TEST(ChartEditor, TypedNumbersAreStoredExactly) {
    ScopedFakeServices fakes;
    const struct {
        const char* text;
        const char* decimalMark;
        std::int64_t raw; // ten-thousandths stored; -1: out of range, nothing stored
    } cases[] = {
        {"99999999999999", ".", 999999999999990000},
        {"99999999999999-9999", ".", 999999999999999999},
        {"922337203685477.5807", ".", INT64_MAX},
        {"922337203685477.5808", ".", -1},
        {"-922337203685477.5808", ".", INT64_MIN}, // a leading dash is the sign
        {"-922337203685477-5808", ".", INT64_MIN},
        {" -12,5", ",", -125000},
        {"123456789012.3456", ".", 1234567890123456},
        {"100,0001", ",", 1000001},
        {"100.0001", ",", 1000001}, // the full stop is a decimal mark too
        {"100,1", ".", 1000000},    // a comma ends the number where it is no mark
        {"0.00005", ".", 1},        // past four decimals: half away from zero
        {"0.00004999", ".", 0},
        {"00012.50", ".", 125000},
        {"1 2", ".", 120000},
        {"12E2", ".", 12000000},
        {"&H10", ".", 160000},
        {"9E30", ".", -1},
        {"abc", ".", 0},
        {"", ".", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Book b = chartOf({{"7", "Seven"}});
        RunTimeState run;
        run.DecimalSeparator = c.decimalMark;
        ChartEditor e(b, run);
        e.typeNumber(0, c.text);
        EXPECT_EQ(b.AccountNumbers[0].raw, c.raw == -1 ? 70000 : c.raw);
    }
}

TEST(ChartEditor, InsertPastTheLimitAndARefusedCloseAreSaid) {
    ScopedFakeServices fakes;
    Book b = chartOf({{"100", "Cash"}, {"100", "Bank"}});
    b.resizeAccounts(32001);
    RunTimeState run;
    ChartEditor e(b, run);
    EXPECT_FALSE(e.insert());
    EXPECT_EQ(fakes.messages.lastText(), "Account Limit has be reached...");
    EXPECT_TRUE(e.checkOnClose());
    EXPECT_EQ(e.flaggedSlot(), 1);
    EXPECT_EQ(fakes.messages.shown.back().title, "Please Fix Now...");
    EXPECT_TRUE(e.row(1).flagged);
    b.AccountNumbers[1] = money("101");
    EXPECT_TRUE(e.row(1).flagged); // red until the next check
    EXPECT_FALSE(e.checkOnClose());
    EXPECT_EQ(e.flaggedSlot(), -1);
    EXPECT_EQ(b.EntryAccountList.size(), 2u);
}

} // namespace
