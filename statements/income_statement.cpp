#include "statements/income_statement.h"

#include "book/day_of_date.h"
#include "book/number_format.h"
#include "resources/string_table.h"
#include "statements/statement_sums.h"

namespace {

IncomeSums overflowed() {
    IncomeSums failed;
    failed.message = "The income statement cannot be made: a total is too large to hold.";
    return failed;
}

// The three lists from sums gathered over the period, in table order: each
// key's row stands at its first slot and its standing slot's class decides
// the list. Only the rows, totals and profits the statement keeps are checked
// against the money range.
IncomeSums incomeRows(const Book& book, const KeyedSums& keyed, const std::vector<int>& keyOf) {
    IncomeSums sums;
    try {
        for (std::size_t k = 0; k < keyOf.size(); ++k) {
            if (keyOf[k] < 0) continue;
            const RowAccount account = rowAccount(book, keyed, keyOf[k]);
            const WideSum debitBalance = keyed.debitBalance(keyOf[k]);
            switch (account.type) {
            case CostOfGoodsSold:
                addStatementRow(sums.cost, account, debitBalance);
                break;
            case Revenue:
                addStatementRow(sums.revenue, account, WideSum{} - debitBalance);
                break;
            case Expense:
                addStatementRow(sums.expenses, account, debitBalance);
                break;
            default:
                break;
            }
        }
        sums.revenueTotal = rowsTotal(sums.revenue);
        sums.costTotal = rowsTotal(sums.cost);
        sums.expenseTotal = rowsTotal(sums.expenses);
        WideSum gross, net;
        gross += sums.revenueTotal;
        gross -= sums.costTotal;
        net = gross;
        net -= sums.expenseTotal;
        sums.grossProfit = gross.value();
        sums.netProfit = net.value();
    } catch (const CurrencyOverflow&) {
        return overflowed();
    }
    sums.ok = true;
    return sums;
}

IncomeSums incomeSums(const Book& book, const IncomeStatementPeriod& period, RunTimeState* run) {
    KeyedSums keyed;
    const std::vector<int> keyOf = addTableKeys(book, period.includeSubAccounts, keyed);
    DayRange range;
    range.allDates = period.allDates;
    range.first = dayOfDate(period.start);
    range.last = dayOfDate(period.end);
    sumJournal(book, range, period.includeSubAccounts, keyed, run);
    return incomeRows(book, keyed, keyOf);
}

IncomeStatement incomeStatementOf(const Book& book, const IncomeStatementOptions& options,
                                  IncomeSums sums);

} // namespace

IncomeSums computeIncomeSums(const Book& book, const IncomeStatementPeriod& period) {
    return incomeSums(book, period, nullptr);
}

IncomeStatement computeIncomeStatement(const Book& book, const IncomeStatementOptions& options) {
    return incomeStatementOf(book, options, incomeSums(book, options.period, options.run));
}

namespace {

IncomeStatement incomeStatementOf(const Book& book, const IncomeStatementOptions& options,
                                  IncomeSums sums) {
    IncomeStatement is;
    is.period = options.period;
    is.sums = std::move(sums);
    is.ok = is.sums.ok;
    is.message = is.sums.message;
    is.decimals = Book::clampDecimals(book.DecimalsIncome);
    is.startText = longDateText(options.period.start, options.locale, false);
    is.endText = longDateText(options.period.end, options.locale);
    if (!is.ok) return is;

    const NumberMarks marks = marksOf(options.locale);
    auto text = [&](Currency value) {
        return statementAmountText(value, is.decimals, marks, false);
    };
    for (auto* rows : {&is.sums.revenue, &is.sums.cost, &is.sums.expenses})
        for (IncomeRow& row : *rows)
            row.amountText = text(row.amount);
    const IncomeSums& s = is.sums;
    is.revenueTotalText = text(s.revenueTotal);
    is.costTotalText = text(s.costTotal);
    is.expenseTotalText = text(s.expenseTotal);
    is.grossProfitText = text(s.grossProfit);
    is.netProfitText = text(s.netProfit);
    is.netLabelId = is.costShown() ? 203 : 204;

    const double revenue = s.revenueTotal.toDouble();
    if (!s.costTotal.isZero() && !s.revenueTotal.isZero()) {
        is.grossRatio = s.grossProfit.toDouble() / revenue;
        is.grossRatioCaption = strings::text(s.grossProfit.raw > 0 ? 206 : 305) + " : " +
                               percentText(s.grossProfit, s.revenueTotal, marks);
    }
    if (s.revenueTotal.raw > 0) {
        is.netRatio = s.netProfit.toDouble() / revenue;
        is.netRatioCaption = strings::text(s.netProfit.raw > 0 ? 203 : 306) + " : " +
                             percentText(s.netProfit, s.revenueTotal, marks);
    }
    if (options.run) options.run->NetProfit = s.netProfit;
    return is;
}

} // namespace
