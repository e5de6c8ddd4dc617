// The balance sheet at a day: current and non-current assets and
// liabilities and capital, each account's lines up to that day, with the
// profit of the income statement from the earliest journal day to that day.
// Each result keeps the profit it was computed with, so one balance sheet
// never changes when another is made.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/locale.h"
#include "statements/income_statement.h"
#include "statements/statement_text.h"

#include <optional>
#include <string>
#include <vector>

enum class BalanceSheetLayout {
    WorkingCapital,       // current assets, current liabilities, working capital, ...
    AssetsAndLiabilities, // current and non-current assets, total assets, ...
};

struct BalanceSheetOptions {
    double date = 0;                 // lines dated on or before this day count (whole days)
    bool includeSubAccounts = false; // false folds 100.1 into 100
    LocaleInfo locale;
    // When set: the progress bar steps, and NetProfit is set to the profit
    // the sheet shows, as the income statement run for it always does.
    RunTimeState* run = nullptr;
};

struct BalanceSection {
    std::vector<StatementRow> rows; // table order
    Currency total;                 // sum of the rows (0 when there are none)
    std::string totalText;
    bool shown() const { return !rows.empty(); }
};

// A computed line below the sections, with the condition it shows under.
struct BalanceSummary {
    bool shown = false;
    Currency amount;
    std::string amountText;
};

struct BalanceSheet {
    bool ok = false;
    std::string message;

    double date = 0;
    double earliestDate = 0; // first journal day: the start of the profit's period
    bool includeSubAccounts = false;
    int decimals = 0;     // the book's balance-sheet decimals
    std::string dateText; // "dd mmmm yyyy"

    // A current asset with a credit balance stands among the current
    // liabilities (and the other way round) as a positive amount; the other
    // classes keep their own section and sign.
    BalanceSection currentAssets, currentLiabilities, nonCurrentAssets, nonCurrentLiabilities,
        equity;

    // The net profit of the income statement from earliestDate to date (the
    // one figure of that statement the sheet shows).
    Currency netProfit;
    std::string netProfitText;
    // The capital section shows when it has accounts; inside it the
    // PROFIT / LOSS line shows when the profit is not 0, and its "Balance" is
    // the capital total plus the profit.
    bool profitShown() const { return equity.shown() && !netProfit.isZero(); }
    Currency equityBalance;
    std::string equityBalanceText;

    // Working-capital layout: CA - CL shown when not 0; net assets
    // (CA - CL) + (NCA - NCL) shown when NCA - NCL is not 0.
    BalanceSummary workingCapital, workingNetAssets;
    // Assets-and-liabilities layout: CA + NCA shown when CA is not 0; CL + NCL
    // shown when not 0; (CA + NCA) - (CL + NCL) shown when not 0.
    BalanceSummary totalAssets, totalLiabilities, netAssets;

    // Return on equity: profit / capital total, only when that total is above
    // 0; caption "Return on Equity : 12.50%" (307), empty when there is none.
    std::optional<double> returnOnEquity;
    std::string returnOnEquityCaption;
};

BalanceSheet computeBalanceSheet(const Book& book, const BalanceSheetOptions& options);
