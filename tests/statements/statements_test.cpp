// Every figure of the four statements of the trading book, worked out by
// hand (see statement_books.h for the journal).
#include "statements/balance_sheet.h"
#include "statements/income_statement.h"
#include "statements/inflows_outflows.h"
#include "statements/trial_balance.h"

#include "statement_books.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <utility>
#include <vector>

using namespace statementbooks;

namespace {

using Figures = std::vector<std::pair<std::string, std::string>>; // name, amount

TrialBalance trialBalance(const Book& book, double date, bool subAccounts) {
    return computeTrialBalance(
        book, {.asOfDate = date, .includeSubAccounts = subAccounts, .locale = monthFirstLocale()});
}

Figures shownRows(const TrialBalance& tb) {
    Figures out;
    for (const TrialBalanceRow& row : tb.rows)
        if (row.shown())
            out.emplace_back(row.numberText + " " + row.name, row.balance.toPlainString());
    return out;
}

Figures figures(const std::vector<StatementRow>& rows) {
    Figures out;
    for (const StatementRow& row : rows)
        out.emplace_back(row.name, row.amountText);
    return out;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts)
        out += (out.empty() ? "" : " ") + text;
    return out;
}

// Figures as the statement writes them, joined by blanks.
std::string joined(const InflowsOutflows& io, std::span<const Currency> figures) {
    std::vector<std::string> texts;
    for (Currency v : figures)
        texts.push_back(io.text(v));
    return joined(texts);
}

Figures flowFigures(const InflowsOutflows& io, const std::vector<FlowRow>& rows) {
    Figures out;
    for (const FlowRow& row : rows)
        out.emplace_back(row.name, joined(io, row.amounts));
    return out;
}

BalanceSheet balanceSheet(const Book& book, double date, RunTimeState* run = nullptr) {
    return computeBalanceSheet(book, {.date = date, .locale = monthFirstLocale(), .run = run});
}

// A chart of cash (100), sales (400) and fees (600) with an empty journal.
Book cashSalesFees() {
    Book book = emptyBook();
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "400", "Sales", Revenue);
    setAccount(book, 3, "600", "Fees", Expense);
    return book;
}

} // namespace

TEST(TrialBalance, FoldedAndUnfoldedAtTwoDates) {
    const Book book = tradingBook();
    struct Case {
        double date;
        bool subAccounts;
        Figures rows;
        std::string debitTotal, creditTotal;
    };
    const std::vector<Case> cases = {
        {day2024(3, 31),
         false,
         {{"100 Cash", "9800"},
          {"200 Creditors", "-600"},
          {"250 Loan", "-2000"},
          {"150 Equipment", "3000"},
          {"300 Capital", "-10000"},
          {"310 Owner Drawings", "400"},
          {"400 Sales", "-1500"},
          {"500 Purchases", "600"},
          {"600 Wages", "200"},
          {"610 Rent", "100"}},
         "14,100.00",
         "14,100.00"},
        {day2024(3, 31),
         true,
         {{"100 Cash", "9800"},
          {"200 Creditors", "-600"},
          {"250 Loan", "-2000"},
          {"150 Equipment", "3000"},
          {"300 Capital", "-10000"},
          {"310 Owner Drawings", "400"},
          {"400 Sales", "-1000"},
          {"400.1 Sales online", "-500"},
          {"500 Purchases", "600"},
          {"600 Wages", "200"},
          {"610 Rent", "100"}},
         "14,100.00",
         "14,100.00"},
        // The sale late on 10 April counts on the 10th; creditors are paid off
        // and the bank is overdrawn.
        {day2024(4, 10),
         false,
         {{"100 Cash", "10600"},
          {"110 Bank", "-600"},
          {"250 Loan", "-2000"},
          {"150 Equipment", "3000"},
          {"300 Capital", "-10000"},
          {"310 Owner Drawings", "400"},
          {"400 Sales", "-2300"},
          {"500 Purchases", "600"},
          {"600 Wages", "200"},
          {"610 Rent", "100"}},
         "14,900.00",
         "14,900.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subAccounts ? "unfolded" : "folded");
        const TrialBalance tb = trialBalance(book, c.date, c.subAccounts);
        ASSERT_TRUE(tb.ok);
        EXPECT_EQ(shownRows(tb), c.rows);
        EXPECT_EQ(tb.debitTotalText, c.debitTotal);
        EXPECT_EQ(tb.creditTotalText, c.creditTotal);
        EXPECT_TRUE(tb.balanced());
    }
    const TrialBalance tb = trialBalance(book, day2024(3, 31), false);
    EXPECT_EQ(tb.dateText, "31 March 2024");
    EXPECT_EQ(tb.rows[1].amountText, "9,800.00");
    EXPECT_EQ(tb.rows[3].amountText, "600.00"); // a credit balance is shown without its sign
    EXPECT_EQ(tb.rows.size(), 14u - 1u);        // one row per key: 400.1 folds into 400
}

TEST(TrialBalance, SubAccountsBeforeTheirMainAccountUnbalancedJournalAndOverflow) {
    Book book = emptyBook();
    book.DecimalsTrialBalance = 2;
    setAccount(book, 1, "100.1", "Till", CurrentAsset);
    setAccount(book, 2, "100", "Cash", CurrentAsset);
    setAccount(book, 3, "250.5", "Loan share", NonCurrentLiability); // 250 is not in the table
    addEntry(book, "1", day2024(1, 1), "100.1", "250.5", "70");
    addEntry(book, "2", day2024(1, 2), "100", "250.5", "30.5");
    addLine(book, "3", day2024(1, 3), Debit, "100", "0.25", "_"); // a debit without a credit
    const TrialBalance folded = trialBalance(book, day2024(12, 31), false);
    ASSERT_TRUE(folded.ok);
    EXPECT_EQ(shownRows(folded), (Figures{{"100 Cash", "100.75"}, {"250.5 Loan share", "-100.5"}}));
    EXPECT_EQ(folded.debitTotalText, "100.75");
    EXPECT_EQ(folded.creditTotalText, "100.50");
    EXPECT_FALSE(folded.balanced());
    const TrialBalance apart = trialBalance(book, day2024(12, 31), true);
    EXPECT_EQ(
        shownRows(apart),
        (Figures{{"100.1 Till", "70"}, {"100 Cash", "30.75"}, {"250.5 Loan share", "-100.5"}}));
    EXPECT_EQ(apart.rows[2].amountText, "30.75");

    addEntry(book, "4", day2024(1, 4), "100", "250.5", "900000000000000");
    addEntry(book, "5", day2024(1, 5), "100", "250.5", "900000000000000");
    const TrialBalance overflow = trialBalance(book, day2024(12, 31), false);
    EXPECT_FALSE(overflow.ok);
    EXPECT_NE(overflow.message.find("too large"), std::string::npos);
}

// The three statements of a book, sub-accounts folded, as lines of text:
// each shown row with its number, name and amount, then the totals; "refused"
// for a statement that could not be made.
std::vector<std::string> statementLines(const Book& book) {
    std::vector<std::string> out;
    const double date = day2024(12, 31);
    const TrialBalance tb = trialBalance(book, date, false);
    if (!tb.ok) out.push_back("TB refused");
    for (const TrialBalanceRow& row : tb.rows)
        if (row.shown())
            out.push_back("TB " + row.numberText + " " + row.name + " " +
                          row.balance.toPlainString());
    if (tb.ok) out.push_back("TB totals " + tb.debitTotalText + " " + tb.creditTotalText);
    auto rows = [&](const std::string& head, const std::vector<StatementRow>& list) {
        for (const StatementRow& row : list)
            out.push_back(head + " " + row.number.toPlainString() + " " + row.name + " " +
                          row.amountText);
    };
    const IncomeStatement is =
        computeIncomeStatement(book, {.period = {.end = date}, .locale = monthFirstLocale()});
    rows("IS revenue", is.sums.revenue);
    rows("IS cost", is.sums.cost);
    rows("IS expense", is.sums.expenses);
    out.push_back(is.ok ? "IS net " + is.netProfitText : "IS refused");
    const BalanceSheet bs = balanceSheet(book, date);
    rows("BS CA", bs.currentAssets.rows);
    rows("BS CL", bs.currentLiabilities.rows);
    rows("BS NCA", bs.nonCurrentAssets.rows);
    rows("BS NCL", bs.nonCurrentLiabilities.rows);
    rows("BS equity", bs.equity.rows);
    out.push_back(bs.ok ? "BS profit " + bs.netProfitText + " net assets " + bs.netAssets.amountText
                        : "BS refused");
    return out;
}

// Sub-accounts placed before their main account (and one without it, and one
// of another class), lines of no account, account numbers at both ends of the
// money range, and totals that pass the range on the way while what is shown
// fits: each statement's rows and totals, worked out by hand.
TEST(Statements, FoldedRowsLinesOfNoAccountExtremeNumbersAndWideTotals) {
    struct Case {
        std::string name;
        Book book;
        std::vector<std::string> lines;
    };
    std::vector<Case> cases;

    Book before = emptyBook();
    setAccount(before, 1, "100.1", "Till", CurrentAsset);
    setAccount(before, 2, "100", "Cash", CurrentAsset);
    setAccount(before, 3, "400.1", "Web sales", Revenue);
    setAccount(before, 4, "400", "Sales", Revenue);
    setAccount(before, 5, "600.1", "Fee refunds", Revenue); // its main account is an expense
    setAccount(before, 6, "600", "Fees", Expense);
    setAccount(before, 7, "250.5", "Loan share", NonCurrentLiability); // 250 is not in the table
    addEntry(before, "1", day2024(1, 1), "100", "400", "1000");
    addEntry(before, "2", day2024(1, 2), "100", "400.1", "500");
    addEntry(before, "3", day2024(1, 3), "600.1", "100", "30");
    addEntry(before, "4", day2024(1, 4), "100", "250.5", "200");
    cases.push_back(
        {"sub-accounts before their main account",
         before,
         {"TB 100 Cash 1670", "TB 400 Sales -1500", "TB 600 Fees 30", "TB 250.5 Loan share -200",
          "TB totals 1,700.00 1,700.00", "IS revenue 400 Sales 1,500.00",
          "IS expense 600 Fees 30.00", "IS net 1,470.00", "BS CA 100 Cash 1,670.00",
          "BS NCL 250.5 Loan share 200.00", "BS profit 1,470.00 net assets 1,470.00"}});

    Book noAccount = cashSalesFees();
    addEntry(noAccount, "1", day2024(1, 1), "100", "0", "50");
    addEntry(noAccount, "2", day2024(1, 2), "100", "400", "20");
    const std::vector<std::string> noAccountLines = {"TB 100 Cash 70",
                                                     "TB 400 Sales -20",
                                                     "TB 0  -50",
                                                     "TB totals 70.00 70.00",
                                                     "IS revenue 400 Sales 20.00",
                                                     "IS net 20.00",
                                                     "BS CA 100 Cash 70.00",
                                                     "BS CL 0  50.00",
                                                     "BS profit 20.00 net assets 20.00"};
    cases.push_back(
        {"lines of no account have the first empty slot's row", noAccount, noAccountLines});
    noAccount.resizeAccounts(2); // a chart without an empty slot, as a text form reads it
    cases.push_back(
        {"lines of no account have a row after a full chart", noAccount, noAccountLines});

    // -5.5 folds into -5, cut toward zero; a sub-account of 0 (no account) is
    // its own main account, so folding keeps its row.
    Book extreme = emptyBook();
    setAccount(extreme, 1, "-922337203685477.5808", "Cash", CurrentAsset);
    setAccount(extreme, 2, "922337203685477.5807", "Top", Revenue);
    setAccount(extreme, 3, "-5.5", "Minus", Expense);
    setAccount(extreme, 4, "-5", "Minus main", Expense);
    setAccount(extreme, 5, "0.5", "Sundry income", Revenue);
    addEntry(extreme, "1", day2024(1, 1), "-922337203685477.5808", "922337203685477.5807", "10");
    addEntry(extreme, "2", day2024(1, 2), "-5.5", "-922337203685477.5808", "4");
    addEntry(extreme, "3", day2024(1, 3), "-922337203685477.5808", "0.5", "70");
    cases.push_back(
        {"account numbers at both ends of the money range, below zero and under 0",
         extreme,
         {"TB -922337203685477.5808 Cash 76", "TB 922337203685477.5807 Top -10",
          "TB -5 Minus main 4", "TB 0.5 Sundry income -70", "TB totals 80.00 80.00",
          "IS revenue 922337203685477.5807 Top 10.00", "IS revenue 0.5 Sundry income 70.00",
          "IS expense -5 Minus main 4.00", "IS net 76.00", "BS CA -922337203685477.5808 Cash 76.00",
          "BS profit 76.00 net assets 76.00"}});

    const std::string huge = "900000000000000"; // twice this passes the money range
    Book cancelling = cashSalesFees();
    setAccount(cancelling, 4, "110", "Bank", CurrentAsset);
    for (int i = 0; i < 2; ++i) {
        addEntry(cancelling, "1", day2024(1, 1), "110", "100", huge);
        addEntry(cancelling, "2", day2024(1, 2), "600", "400", huge);
    }
    for (int i = 0; i < 2; ++i) {
        addEntry(cancelling, "3", day2024(1, 3), "100", "110", huge);
        addEntry(cancelling, "4", day2024(1, 4), "400", "600", huge);
    }
    addEntry(cancelling, "5", day2024(1, 5), "100", "400", "25.5");
    cases.push_back({"large debits and credits that cancel",
                     cancelling,
                     {"TB 100 Cash 25.5", "TB 400 Sales -25.5", "TB totals 25.50 25.50",
                      "IS revenue 400 Sales 25.50", "IS net 25.50", "BS CA 100 Cash 25.50",
                      "BS profit 25.50 net assets 25.50"}});

    // A bank balance out of range stops the trial balance and the balance
    // sheet, which show it, but not the income statement, which does not.
    Book bank = cashSalesFees();
    setAccount(bank, 4, "110", "Bank", CurrentAsset);
    addEntry(bank, "1", day2024(1, 1), "110", "100", huge);
    addEntry(bank, "2", day2024(1, 2), "110", "100", huge);
    addEntry(bank, "3", day2024(1, 3), "100", "400", "3");
    cases.push_back({"a shown balance out of range",
                     bank,
                     {"TB refused", "IS revenue 400 Sales 3.00", "IS net 3.00", "BS refused"}});

    // A revenue total out of range with a net profit in range: the trial
    // balance and the income statement, which show the total, are refused;
    // the balance sheet, which shows the profit alone, is made.
    Book wideRevenue = cashSalesFees();
    for (int i = 0; i < 2; ++i)
        addEntry(wideRevenue, "1", day2024(1, 1), "600", "400", huge);
    addEntry(wideRevenue, "2", day2024(1, 2), "100", "400", "25.5");
    cases.push_back(
        {"a revenue total out of range, the net profit in range",
         wideRevenue,
         {"TB refused", "IS refused", "BS CA 100 Cash 25.50", "BS profit 25.50 net assets 25.50"}});

    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.book.DecimalsTrialBalance = c.book.DecimalsIncome = c.book.DecimalsBalanceSheet = 2;
        EXPECT_EQ(statementLines(c.book), c.lines);
    }
}

TEST(IncomeStatement, PeriodsRatiosAndLabels) {
    const Book book = tradingBook();
    IncomeStatementOptions options;
    options.locale = monthFirstLocale();
    options.period.start = day2024(1, 1);
    options.period.end = day2024(3, 31);
    RunTimeState run;
    options.run = &run;
    const IncomeStatement q1 = computeIncomeStatement(book, options);
    ASSERT_TRUE(q1.ok);
    EXPECT_EQ(figures(q1.sums.revenue), (Figures{{"Sales", "1,500.00"}}));
    EXPECT_EQ(figures(q1.sums.cost), (Figures{{"Purchases", "600.00"}}));
    EXPECT_EQ(figures(q1.sums.expenses), (Figures{{"Wages", "200.00"}, {"Rent", "100.00"}}));
    EXPECT_EQ(q1.revenueTotalText, "1,500.00");
    EXPECT_EQ(q1.grossProfitText, "900.00");
    EXPECT_EQ(q1.expenseTotalText, "300.00");
    EXPECT_EQ(q1.netProfitText, "600.00");
    EXPECT_EQ(q1.netLabelId, 203);
    EXPECT_EQ(q1.grossRatioCaption, "Gross Profit : 60.00%");
    EXPECT_EQ(q1.netRatioCaption, "Net Profit : 40.00%");
    EXPECT_EQ(q1.startText, "1 January 2024");
    EXPECT_EQ(q1.endText, "31 March 2024");
    EXPECT_EQ(run.NetProfit.toPlainString(), "600");

    options.period.includeSubAccounts = true;
    options.period.end = day2024(4, 10); // the late sale on the last day counts
    const IncomeStatement apart = computeIncomeStatement(book, options);
    EXPECT_EQ(figures(apart.sums.revenue),
              (Figures{{"Sales", "1,800.00"}, {"Sales online", "500.00"}}));
    EXPECT_EQ(apart.netProfitText, "1,400.00");

    // Only the February costs: a loss, no revenue, so no ratio at all.
    options.period.start = day2024(2, 1);
    options.period.end = day2024(2, 29);
    const IncomeStatement february = computeIncomeStatement(book, options);
    EXPECT_EQ(february.netProfitText, "(900.00)");
    EXPECT_FALSE(february.revenueShown());
    EXPECT_FALSE(february.grossRatio.has_value());
    EXPECT_FALSE(february.netRatio.has_value());
    EXPECT_TRUE(february.grossRatioCaption.empty());

    // Sales only, below 1: no leading zero; no cost section, so PROFIT / LOSS.
    Book small = emptyBook();
    small.DecimalsIncome = 2;
    setAccount(small, 1, "100", "Cash", CurrentAsset);
    setAccount(small, 2, "400", "Sales", Revenue);
    setAccount(small, 3, "600", "Wages", Expense);
    addEntry(small, "1", day2024(1, 1), "100", "400", "0.5");
    addEntry(small, "2", day2024(1, 1), "600", "100", "2");
    options.period = {true, 0, 0, false};
    const IncomeStatement loss = computeIncomeStatement(small, options);
    EXPECT_EQ(loss.sums.revenue[0].amountText, ".50");
    EXPECT_EQ(loss.netProfitText, "(1.50)");
    EXPECT_EQ(loss.netLabelId, 204);
    EXPECT_FALSE(loss.grossRatio.has_value());
    EXPECT_EQ(loss.netRatioCaption, "Net Loss : (300.00%)");

    // A ratio far above any amount is written in full, never cut at a ceiling.
    setAccount(small, 4, "500", "Purchases", CostOfGoodsSold);
    small.resizeJournal(0);
    addEntry(small, "1", day2024(1, 1), "100", "400", "0.01");
    addEntry(small, "2", day2024(1, 1), "100", "500", "1000000000000");
    const IncomeStatement vast = computeIncomeStatement(small, options);
    EXPECT_EQ(vast.grossRatioCaption, "Gross Profit : 10,000,000,000,000,100.00%");
}

TEST(BalanceSheet, BothLayoutsReturnOnEquityAndItsOwnProfit) {
    const Book book = tradingBook();
    RunTimeState run;
    const BalanceSheet march = balanceSheet(book, day2024(3, 31), &run);
    ASSERT_TRUE(march.ok);
    EXPECT_EQ(figures(march.currentAssets.rows), (Figures{{"Cash", "9,800.00"}}));
    EXPECT_EQ(figures(march.currentLiabilities.rows), (Figures{{"Creditors", "600.00"}}));
    EXPECT_EQ(march.netProfitText, "600.00");
    EXPECT_EQ(march.workingCapital.amountText, "9,200.00");
    EXPECT_EQ(march.workingNetAssets.amountText, "10,200.00");
    EXPECT_EQ(march.equityBalanceText, "10,200.00");
    EXPECT_EQ(run.NetProfit.toPlainString(), "600");

    // In April the overdrawn bank stands among the current liabilities.
    const BalanceSheet april = balanceSheet(book, day2024(4, 30), &run);
    EXPECT_EQ(run.NetProfit.toPlainString(), "1400");
    EXPECT_EQ(march.netProfitText, "600.00"); // the first sheet keeps its own profit
    struct Line {
        const char* what;
        bool shown;
        std::string text;
    };
    const std::vector<Line> lines = {
        {"working capital", april.workingCapital.shown, april.workingCapital.amountText},
        {"net assets (working)", april.workingNetAssets.shown, april.workingNetAssets.amountText},
        {"total assets", april.totalAssets.shown, april.totalAssets.amountText},
        {"total liabilities", april.totalLiabilities.shown, april.totalLiabilities.amountText},
        {"net assets", april.netAssets.shown, april.netAssets.amountText},
        {"profit", april.profitShown(), april.netProfitText},
        {"capital balance", april.equity.shown(), april.equityBalanceText},
    };
    const std::vector<Line> expected = {
        {"working capital", true, "10,000.00"}, {"net assets (working)", true, "11,000.00"},
        {"total assets", true, "13,600.00"},    {"total liabilities", true, "2,600.00"},
        {"net assets", true, "11,000.00"},      {"profit", true, "1,400.00"},
        {"capital balance", true, "11,000.00"},
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].what);
        EXPECT_EQ(lines[i].shown, expected[i].shown);
        EXPECT_EQ(lines[i].text, expected[i].text);
    }
    EXPECT_EQ(figures(april.currentAssets.rows), (Figures{{"Cash", "10,600.00"}}));
    EXPECT_EQ(figures(april.currentLiabilities.rows), (Figures{{"Bank", "600.00"}}));
    EXPECT_EQ(figures(april.nonCurrentAssets.rows), (Figures{{"Equipment", "3,000.00"}}));
    EXPECT_EQ(figures(april.nonCurrentLiabilities.rows), (Figures{{"Loan", "2,000.00"}}));
    EXPECT_EQ(figures(april.equity.rows),
              (Figures{{"Capital", "10,000.00"}, {"Owner Drawings", "(400.00)"}}));
    EXPECT_EQ(april.returnOnEquityCaption, "Return on Equity : 14.58%");
    EXPECT_EQ(april.dateText, "30 April 2024");

    // Without current items, no working capital nor total assets; without
    // capital no return on equity.
    Book plain = emptyBook();
    setAccount(plain, 1, "150", "Land", NonCurrentAsset);
    setAccount(plain, 2, "250", "Mortgage", NonCurrentLiability);
    addEntry(plain, "1", day2024(1, 1), "150", "250", "100");
    const BalanceSheet land = balanceSheet(plain, day2024(1, 1));
    EXPECT_FALSE(land.workingCapital.shown);
    EXPECT_FALSE(land.workingNetAssets.shown); // NCA equals NCL
    EXPECT_FALSE(land.totalAssets.shown);
    EXPECT_TRUE(land.totalLiabilities.shown);
    EXPECT_FALSE(land.netAssets.shown);
    EXPECT_FALSE(land.returnOnEquity.has_value());
}

TEST(InflowsOutflows, CashAndRevenueExpenseModesForEveryPeriodKind) {
    const Book book = tradingBook();
    struct Case {
        PeriodKind kind;
        bool cash;
        std::string labels, heads;
        Figures inflows, outflows;
        std::string inflowTotals, outflowTotals, beginning, ending;
    };
    const std::vector<Case> cases = {
        {PeriodKind::Monthly,
         true,
         "Jan 2024 Feb 2024 Mar 2024 Apr 2024",
         "Jan 2024 Feb 2024 Mar 2024 Apr 2024 Total",
         // Cash of 1,500 shared pro rata: 1,000 to sales, 500 to online sales.
         {{"Loan", "0.00 0.00 2,000.00 0.00 2,000.00"},
          {"Capital", "10,000.00 0.00 0.00 0.00 10,000.00"},
          {"Sales", "1,000.00 0.00 0.00 800.00 1,800.00"},
          {"Sales online", "500.00 0.00 0.00 0.00 500.00"}},
         {{"Equipment", "3,000.00 0.00 0.00 0.00 3,000.00"},
          {"Owner Drawings", "0.00 0.00 400.00 0.00 400.00"},
          {"Wages", "0.00 200.00 0.00 0.00 200.00"},
          {"Rent", "0.00 100.00 0.00 0.00 100.00"}},
         "11,500.00 0.00 2,000.00 800.00 14,300.00",
         "3,000.00 300.00 400.00 0.00 3,700.00",
         "0.00 8,500.00 8,200.00 9,800.00",
         "8,500.00 8,200.00 9,800.00 10,600.00"},
        // January is a period of its own: no line before the first quarter is lost.
        {PeriodKind::Quarterly,
         true,
         "Jan 2024 Feb 2024 Apr 2024",
         "Jan 2024 Apr 2024 Apr 2024 Total",
         {{"Loan", "0.00 2,000.00 0.00 2,000.00"},
          {"Capital", "10,000.00 0.00 0.00 10,000.00"},
          {"Sales", "1,000.00 0.00 800.00 1,800.00"},
          {"Sales online", "500.00 0.00 0.00 500.00"}},
         {{"Equipment", "3,000.00 0.00 0.00 3,000.00"},
          {"Owner Drawings", "0.00 400.00 0.00 400.00"},
          {"Wages", "0.00 200.00 0.00 200.00"},
          {"Rent", "0.00 100.00 0.00 100.00"}},
         "11,500.00 2,000.00 800.00 14,300.00",
         "3,000.00 700.00 0.00 3,700.00",
         "0.00 8,500.00 9,800.00",
         "8,500.00 9,800.00 10,600.00"},
        {PeriodKind::Bimonthly,
         false,
         "Jan 2024 Mar 2024 Apr 2024",
         "Feb 2024 Apr 2024 Apr 2024 Total",
         {{"Sales", "1,000.00 0.00 800.00 1,800.00"}, {"Sales online", "500.00 0.00 0.00 500.00"}},
         {{"Owner Drawings", "0.00 400.00 0.00 400.00"},
          {"Purchases", "600.00 0.00 0.00 600.00"},
          {"Wages", "200.00 0.00 0.00 200.00"},
          {"Rent", "100.00 0.00 0.00 100.00"}},
         "1,500.00 0.00 800.00 2,300.00",
         "900.00 400.00 0.00 1,300.00",
         "0.00 600.00 200.00",
         "600.00 200.00 1,000.00"},
        {PeriodKind::Yearly,
         false,
         "2024 2024",
         "2024 2024 Total",
         {{"Sales", "1,000.00 800.00 1,800.00"}, {"Sales online", "500.00 0.00 500.00"}},
         {{"Owner Drawings", "400.00 0.00 400.00"},
          {"Purchases", "600.00 0.00 600.00"},
          {"Wages", "200.00 0.00 200.00"},
          {"Rent", "100.00 0.00 100.00"}},
         "1,500.00 800.00 2,300.00",
         "1,300.00 0.00 1,300.00",
         "0.00 200.00",
         "200.00 1,000.00"},
        // The other kind in each mode, by their totals and balances.
        {PeriodKind::Bimonthly,
         true,
         "Jan 2024 Mar 2024 Apr 2024",
         "Feb 2024 Apr 2024 Apr 2024 Total",
         {},
         {},
         "11,500.00 2,000.00 800.00 14,300.00",
         "3,300.00 400.00 0.00 3,700.00",
         "0.00 8,200.00 9,800.00",
         "8,200.00 9,800.00 10,600.00"},
        {PeriodKind::Yearly,
         true,
         "2024 2024",
         "2024 2024 Total",
         {},
         {},
         "13,500.00 800.00 14,300.00",
         "3,700.00 0.00 3,700.00",
         "0.00 9,800.00",
         "9,800.00 10,600.00"},
        {PeriodKind::Monthly,
         false,
         "Jan 2024 Feb 2024 Mar 2024 Apr 2024",
         "Jan 2024 Feb 2024 Mar 2024 Apr 2024 Total",
         {},
         {},
         "1,500.00 0.00 0.00 800.00 2,300.00",
         "0.00 900.00 400.00 0.00 1,300.00",
         "0.00 1,500.00 600.00 200.00",
         "1,500.00 600.00 200.00 1,000.00"},
        {PeriodKind::Quarterly,
         false,
         "Jan 2024 Feb 2024 Apr 2024",
         "Jan 2024 Apr 2024 Apr 2024 Total",
         {},
         {},
         "1,500.00 0.00 800.00 2,300.00",
         "0.00 1,300.00 0.00 1,300.00",
         "0.00 1,500.00 200.00",
         "1,500.00 200.00 1,000.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labels);
        InflowsOutflowsOptions options;
        options.kind = c.kind;
        if (c.cash) options.cashAccount = money("100");
        options.locale = monthFirstLocale();
        const InflowsOutflows io = computeInflowsOutflows(book, options);
        ASSERT_TRUE(io.ok) << io.message;
        EXPECT_EQ(joined(io.periodLabels), c.labels);
        EXPECT_EQ(joined(io.columnHeads), c.heads);
        if (!c.inflows.empty()) {
            EXPECT_EQ(flowFigures(io, io.inflows), c.inflows);
            EXPECT_EQ(flowFigures(io, io.outflows), c.outflows);
        }
        EXPECT_EQ(joined(io, io.inflowTotals), c.inflowTotals);
        EXPECT_EQ(joined(io, io.outflowTotals), c.outflowTotals);
        EXPECT_EQ(joined(io, io.beginning), c.beginning);
        EXPECT_EQ(joined(io, io.ending), c.ending);
    }
    EXPECT_EQ(periodKindOfIndex(-1), PeriodKind::Monthly);
    EXPECT_EQ(periodKindOfIndex(7), PeriodKind::Yearly);
}

TEST(InflowsOutflows, SharesNettingAndWildDates) {
    Book book = cashSalesFees();
    book.DecimalsBalanceSheet = 2;
    // 100 against three equal credits: 33.3333, 33.3334 and 33.3333, the
    // shares of the lines up to each less those before it, so they make 100.
    addLine(book, "1", day2024(5, 1), Debit, "100", "100");
    for (int i = 0; i < 3; ++i)
        addLine(book, "1", day2024(5, 1), Credit, "400", "1", i == 2 ? "_" : "");
    // Fees receive 80 and pay 30 in the same month: one inflow of 50.
    addEntry(book, "2", day2024(5, 2), "100", "600", "80");
    addEntry(book, "3", day2024(5, 3), "600", "100", "30");
    InflowsOutflowsOptions options;
    options.cashAccount = money("100");
    const InflowsOutflows io = computeInflowsOutflows(book, options);
    ASSERT_TRUE(io.ok);
    EXPECT_EQ(flowFigures(io, io.inflows),
              (Figures{{"Sales", "100.00 100.00"}, {"Fees", "50.00 50.00"}}));
    EXPECT_EQ(io.inflows[0].amounts[0], money("100"));
    EXPECT_TRUE(io.outflows.empty());

    // Before 30 December 1899 a time of day counts forward from the day: noon
    // on 1 November 1899 (-59.5) lies in November, as the trial balance has
    // it. A slot numbered 0 of the expense class has the lines of no account,
    // as in the income statement (net profit 10 + 20 - 5).
    Book early = cashSalesFees();
    setAccount(early, 4, "0", "Suspense", Expense);
    addEntry(early, "1", handmade::day(1899, 10, 15), "100", "400", "10");
    addEntry(early, "2", handmade::day(1899, 11, 1) - 0.5, "100", "400", "20");
    addEntry(early, "3", handmade::day(1899, 11, 2), "0", "100", "5");
    const InflowsOutflows byDay = computeInflowsOutflows(early, {});
    ASSERT_TRUE(byDay.ok) << byDay.message;
    EXPECT_EQ(flowFigures(byDay, byDay.inflows), (Figures{{"Sales", "10 20 30"}}));
    EXPECT_EQ(flowFigures(byDay, byDay.outflows),
              (Figures{{"Fees", "0 0 0"}, {"Suspense", "0 5 5"}}));

    book.EntryLines[0].Date = handmade::day(9000, 1, 1); // one wild date
    const InflowsOutflows wild = computeInflowsOutflows(book, options);
    EXPECT_FALSE(wild.ok);
    EXPECT_NE(wild.message.find("more periods"), std::string::npos);
}

// Column heads name each period's last month; cash shares are worked out once
// per entry and side, exactly; flows that pass the money range on the way
// while every figure shown fits still make a statement.
TEST(InflowsOutflows, HeadsNameLastMonthsSharesPerEntryAndWideSums) {
    Book book = cashSalesFees();
    addEntry(book, "1", day2024(3, 15), "100", "400", "10");
    addEntry(book, "2", day2024(8, 20), "100", "600", "5");
    struct Heads {
        PeriodKind kind;
        std::string labels, heads;
    };
    for (const Heads& c : std::vector<Heads>{
             // March alone is the first quarter: headed by March, not May.
             {PeriodKind::Quarterly, "Mar 2024 Apr 2024 Jul 2024 Aug 2024",
              "Mar 2024 Jun 2024 Aug 2024 Aug 2024 Total"},
             {PeriodKind::Bimonthly, "Mar 2024 May 2024 Jul 2024 Aug 2024",
              "Apr 2024 Jun 2024 Aug 2024 Aug 2024 Total"},
             {PeriodKind::Monthly, "Mar 2024 Apr 2024 May 2024 Jun 2024 Jul 2024 Aug 2024",
              "Mar 2024 Apr 2024 May 2024 Jun 2024 Jul 2024 Aug 2024 Total"}}) {
        InflowsOutflowsOptions options;
        options.kind = c.kind;
        options.locale = monthFirstLocale();
        const InflowsOutflows io = computeInflowsOutflows(book, options);
        EXPECT_EQ(joined(io.periodLabels), c.labels);
        EXPECT_EQ(joined(io.columnHeads), c.heads);
    }
    // The closing year holds only the last journal day, 20 December 2024.
    book.EntryLines[2].Date = book.EntryLines[3].Date = day2024(12, 20);
    InflowsOutflowsOptions yearly;
    yearly.kind = PeriodKind::Yearly;
    EXPECT_EQ(joined(computeInflowsOutflows(book, yearly).columnHeads), "2024 2024 Total");

    // Two cash debits of 1 shared among three credits of 1: the credit lines
    // take 0.6667, 0.6666 and 0.6667, so that they add up to the 2 received.
    Book shares = cashSalesFees();
    setAccount(shares, 4, "410", "Interest", Revenue);
    setAccount(shares, 5, "250", "Loan", NonCurrentLiability);
    setAccount(shares, 6, "260", "Deposit", CurrentLiability);
    addLine(shares, "1", day2024(5, 1), Debit, "100", "1");
    addLine(shares, "1", day2024(5, 1), Debit, "100", "1");
    addLine(shares, "1", day2024(5, 1), Credit, "400", "1");
    addLine(shares, "1", day2024(5, 1), Credit, "400", "1");
    addLine(shares, "1", day2024(5, 1), Credit, "600", "1", "_");
    // A credit written before its cash debit still fed the cash account.
    addLine(shares, "2", day2024(5, 2), Credit, "410", "7");
    addLine(shares, "2", day2024(5, 2), Debit, "100", "7", "_");
    // 4,500,000,000,000,000 into cash and 3,600,000,000,000,000 back out, in
    // lines of 900,000,000,000,000: the loan nets to 0, the deposit keeps one.
    const std::string huge = "900000000000000";
    for (int i = 0; i < 5; ++i)
        addLine(shares, "3", day2024(5, 3), Debit, "100", huge);
    for (int i = 0; i < 5; ++i)
        addLine(shares, "3", day2024(5, 3), Credit, i < 4 ? "250" : "260", huge, i == 4 ? "_" : "");
    for (int i = 0; i < 4; ++i)
        addLine(shares, "4", day2024(5, 4), Debit, "250", huge);
    for (int i = 0; i < 4; ++i)
        addLine(shares, "4", day2024(5, 4), Credit, "100", huge, i == 3 ? "_" : "");
    InflowsOutflowsOptions cash;
    cash.cashAccount = money("100");
    const InflowsOutflows io = computeInflowsOutflows(shares, cash);
    ASSERT_TRUE(io.ok) << io.message;
    Figures inflows;
    for (const FlowRow& row : io.inflows)
        inflows.emplace_back(row.name, row.amounts.back().toPlainString());
    EXPECT_EQ(inflows, (Figures{{"Sales", "1.3333"},
                                {"Fees", "0.6667"},
                                {"Interest", "7"},
                                {"Deposit", "900000000000000"}}));
    EXPECT_TRUE(io.outflows.empty());
    EXPECT_EQ(io.inflowTotals.back(), money("900000000000009"));

    // A flow that is shown and does not fit is refused.
    addEntry(shares, "5", day2024(5, 5), "100", "260", huge);
    EXPECT_FALSE(computeInflowsOutflows(shares, cash).ok);

    // A cash debit of 2^62 ten-thousandths against credits that cancel to
    // one: each share is near 2^125 and the sales' shares pass 2^127 on the
    // way (they once wrapped round to a figure that fitted).
    Book wrap = cashSalesFees();
    addLine(wrap, "1", day2024(5, 1), Debit, "100", "461168601842738.7904");
    for (int i = 0; i < 8; ++i)
        addLine(wrap, "1", day2024(5, 1), Credit, "400", "922337203685477.5807");
    addLine(wrap, "1", day2024(5, 1), Credit, "400", "0.0009");
    for (int i = 0; i < 8; ++i)
        addLine(wrap, "1", day2024(5, 1), Credit, "600", "-922337203685477.5808",
                i == 7 ? "_" : "");
    const InflowsOutflows wrapped = computeInflowsOutflows(wrap, cash);
    EXPECT_FALSE(wrapped.ok);
    EXPECT_EQ(wrapped.message,
              "The inflows and outflows cannot be made: a total is too large to hold.");
    EXPECT_TRUE(wrapped.inflows.empty());
}

// A table too large for memory is refused before any of it is made, naming
// what to choose instead, whatever number of periods is allowed; a longer
// period makes it.
TEST(InflowsOutflows, TablesTooLargeForMemoryAreRefused) {
    Book book = emptyBook();
    constexpr int Accounts = 32000; // 32,000 rows of 4,801 columns: 1.2 GB
    book.resizeAccounts(Accounts);
    for (int j = 1; j <= Accounts; ++j) {
        book.AccountNumbers[j] = Currency::fromUnits(100 + j);
        book.AccountNames[j] = "Revenue " + std::to_string(100 + j);
        book.AccountTypes[j] = Revenue;
    }
    addEntry(book, "1", handmade::day(1700, 1, 5), "101", "102", "10");
    addEntry(book, "2", handmade::day(2099, 12, 5), "103", "101", "10");
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    InflowsOutflowsOptions options;
    options.locale = monthFirstLocale();
    options.maxPeriods = 100000;
    const InflowsOutflows monthly = computeInflowsOutflows(book, options);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_FALSE(monthly.ok);
    EXPECT_EQ(monthly.message,
              "This statement would hold 32,000 rows of 4,801 columns, taking about 1,175 MB of "
              "memory, more than the 1,024 MB a statement may take. Choose a longer period or "
              "fewer accounts.");
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024); // kilobytes: nothing of it made

    options.kind = PeriodKind::Yearly;
    const InflowsOutflows yearly = computeInflowsOutflows(book, options);
    ASSERT_TRUE(yearly.ok) << yearly.message;
    EXPECT_EQ(yearly.inflows.size(), static_cast<std::size_t>(Accounts));
    EXPECT_EQ(yearly.inflows[1].amounts.back(), money("10"));
}
