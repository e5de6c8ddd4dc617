// Every figure a statement shows, as text, for tests that look for them in
// what the outputs and the printouts give a reader.
#pragma once

#include "statements/balance_sheet.h"
#include "statements/income_statement.h"
#include "statements/inflows_outflows.h"
#include "statements/trial_balance.h"

#include <string>
#include <vector>

namespace statementbooks {

inline std::vector<std::string> figuresOf(const TrialBalance& tb) {
    std::vector<std::string> out{tb.debitTotalText, tb.creditTotalText};
    for (const TrialBalanceRow& row : tb.rows)
        if (row.shown()) out.push_back(row.amountText);
    return out;
}

inline std::vector<std::string> figuresOf(const IncomeStatement& is) {
    std::vector<std::string> out;
    if (is.revenueShown()) out.push_back(is.revenueTotalText);
    if (is.costShown()) out.push_back(is.grossProfitText);
    if (is.expensesShown()) out.push_back(is.expenseTotalText);
    if (is.netShown()) out.push_back(is.netProfitText);
    for (const auto* list : {&is.sums.revenue, &is.sums.cost, &is.sums.expenses})
        for (const IncomeRow& row : *list)
            out.push_back(row.amountText);
    return out;
}

// The figures both layouts show: every row and section total, and the
// profit and the capital balance.
inline std::vector<std::string> figuresOf(const BalanceSheet& bs) {
    std::vector<std::string> out;
    for (const BalanceSection* s : {&bs.currentAssets, &bs.currentLiabilities, &bs.nonCurrentAssets,
                                    &bs.nonCurrentLiabilities}) {
        if (!s->shown()) continue;
        out.push_back(s->totalText);
        for (const StatementRow& row : s->rows)
            out.push_back(row.amountText);
    }
    if (bs.equity.shown()) {
        out.push_back(bs.equityBalanceText);
        for (const StatementRow& row : bs.equity.rows)
            out.push_back(row.amountText);
    }
    if (bs.profitShown()) out.push_back(bs.netProfitText);
    return out;
}

// Every cell of every column: periods, the Total column and the balances.
inline std::vector<std::string> figuresOf(const InflowsOutflows& io) {
    std::vector<std::string> out;
    auto add = [&](std::span<const Currency> figures) {
        for (Currency v : figures)
            out.push_back(io.text(v));
    };
    for (const auto* figures : {&io.beginning, &io.ending, &io.inflowTotals, &io.outflowTotals})
        add(*figures);
    for (const auto* rows : {&io.inflows, &io.outflows})
        for (const FlowRow& row : *rows)
            add(row.amounts);
    return out;
}

} // namespace statementbooks
