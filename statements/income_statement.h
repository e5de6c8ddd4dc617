// The income statement for a period (or for every date): each revenue,
// cost-of-sales and expense account with its figure, then gross and net
// profit and the two ratios. For the net profit alone see
// statements/net_profit.h.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/locale.h"
#include "statements/statement_text.h"

#include <optional>
#include <string>
#include <vector>

struct IncomeStatementPeriod {
    bool allDates = false; // every line counts, whatever its date
    double start = 0;      // first day counted (inclusive, whole days)
    double end = 0;        // last day counted (inclusive, whole days)
    // False folds sub-accounts into their main account (100.1 counts on 100);
    // true keeps each number apart.
    bool includeSubAccounts = false;
};

using IncomeRow = StatementRow; // revenue credit-positive; cost and expense debit-positive

struct IncomeSums {
    bool ok = false;
    std::string message; // why the sums could not be made (an amount out of range)
    std::vector<IncomeRow> revenue, cost, expenses; // table order, rows of 0 left out
    Currency revenueTotal, costTotal, expenseTotal;
    Currency grossProfit; // revenue less cost of goods sold
    Currency netProfit;   // gross profit less expenses: above 0 a profit, below 0 a loss
};

// One pass over the journal, lines summed by their (folded) account number.
// A folded row stands where the first slot of its number stands and carries
// the main account's number, name and class (else that first slot's); lines
// on numbers no slot has count nowhere. A line whose Side is not 1 counts as
// a credit. Only figures the statement keeps must fit in the money range.
// Rows carry no amount texts.
IncomeSums computeIncomeSums(const Book& book, const IncomeStatementPeriod& period);

struct IncomeStatementOptions {
    IncomeStatementPeriod period;
    LocaleInfo locale; // marks of the amount texts, month names
    // When set: the progress bar steps through the journal, and NetProfit is
    // set to the statement's net profit, as every income statement does.
    RunTimeState* run = nullptr;
};

struct IncomeStatement {
    IncomeSums sums; // rows with their amount texts, the totals
    bool ok = false;
    std::string message;

    IncomeStatementPeriod period;
    int decimals = 0;      // the book's income-statement decimals
    std::string startText; // period start as "d mmmm yyyy"
    std::string endText;   // period end as "dd mmmm yyyy"

    // Texts of the totals (no zero before the decimal mark below 1).
    std::string revenueTotalText, costTotalText, expenseTotalText;
    std::string grossProfitText, netProfitText;

    // Sections show when they hold rows; gross profit shows with the cost
    // section; the net line shows when the net profit is not 0, labelled
    // netLabelId: 203 "Net Profit" with a cost section, else 204 "PROFIT / LOSS".
    bool revenueShown() const { return !sums.revenue.empty(); }
    bool costShown() const { return !sums.cost.empty(); }
    bool expensesShown() const { return !sums.expenses.empty(); }
    bool netShown() const { return !sums.netProfit.isZero(); }
    int netLabelId = 204;

    // Gross ratio: gross profit / revenue, only when the cost rows sum to
    // something and there is revenue to divide by. Net ratio: net profit /
    // revenue, only when revenue is above 0. Captions as the menu shows them:
    // "Gross Profit : 40.00%" (206, or 305 "Gross Loss"), "Net Profit : 10.00%"
    // (203, or 306 "Net Loss"); empty when there is no ratio.
    std::optional<double> grossRatio, netRatio;
    std::string grossRatioCaption, netRatioCaption;
};

IncomeStatement computeIncomeStatement(const Book& book, const IncomeStatementOptions& options);
