// The sums of the income statement: each revenue, cost-of-goods-sold and
// expense account's total over a period (or over all dates) and the net
// profit, revenue less cost of goods sold less expenses.
#pragma once

#include "book/book.h"

#include <string>
#include <vector>

struct IncomeStatementPeriod {
    bool allDates = false; // every line counts, whatever its date
    double start = 0;      // first day counted (inclusive, full day numbers)
    double end = 0;        // last day counted (inclusive)
    // False folds sub-accounts into their main account (100.1 counts on 100);
    // true keeps each number apart.
    bool includeSubAccounts = false;
};

struct IncomeRow {
    int slot = 0;
    std::string name;
    Currency number;
    Currency amount; // revenue credit-positive; cost and expense debit-positive
};

struct IncomeSums {
    bool ok = false;
    std::string message; // why the sums could not be made (an amount out of range)
    std::vector<IncomeRow> revenue, cost, expenses; // table order, rows of 0 left out
    Currency revenueTotal, costTotal, expenseTotal;
    Currency grossProfit; // revenue less cost of goods sold
    Currency netProfit;   // gross profit less expenses: above 0 a profit, below 0 a loss
};

// One pass over the journal. A line counts on the first slot whose number
// equals its (folded) account number; lines of no account count nowhere. A
// line whose Side is not 1 counts as a credit.
IncomeSums computeIncomeSums(const Book& book, const IncomeStatementPeriod& period);

// The net profit of the whole journal, sub-accounts folded: what the period
// roll-over shares among the capital accounts.
IncomeSums netProfitOfAllDates(const Book& book);
