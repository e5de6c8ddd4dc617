#include "statements/balance_sheet.h"

#include "book/day_of_date.h"
#include "book/number_format.h"
#include "resources/string_table.h"
#include "statements/net_profit.h"
#include "statements/statement_sums.h"

namespace {

// Sorts the accounts of the five balance-sheet classes into their sections,
// in table order: each key's row stands at its first slot with the key's
// sums, and its standing slot's class decides the section.
void listAccounts(BalanceSheet& bs, const Book& book, const KeyedSums& sums,
                  const std::vector<int>& keyOf) {
    for (std::size_t k = 0; k < keyOf.size(); ++k) {
        if (keyOf[k] < 0) continue;
        const RowAccount account = rowAccount(book, sums, keyOf[k]);
        const WideSum debitBalance = sums.debitBalance(keyOf[k]);
        const WideSum creditBalance = WideSum{} - debitBalance;
        if (debitBalance.isZero()) continue;
        switch (account.type) {
        case CurrentAsset:
        case CurrentLiability:
            // A current account stands on the side of its balance.
            if (debitBalance.raw > 0)
                addStatementRow(bs.currentAssets.rows, account, debitBalance);
            else
                addStatementRow(bs.currentLiabilities.rows, account, creditBalance);
            break;
        case NonCurrentAsset:
            addStatementRow(bs.nonCurrentAssets.rows, account, debitBalance);
            break;
        case NonCurrentLiability:
            addStatementRow(bs.nonCurrentLiabilities.rows, account, creditBalance);
            break;
        case CapitalEquity:
            addStatementRow(bs.equity.rows, account, creditBalance);
            break;
        default:
            break;
        }
    }
    for (BalanceSection* section : {&bs.currentAssets, &bs.currentLiabilities, &bs.nonCurrentAssets,
                                    &bs.nonCurrentLiabilities, &bs.equity})
        section->total = rowsTotal(section->rows);
}

// a + b - c - d, checked once at the end.
Currency combined(Currency a, Currency b, Currency c = {}, Currency d = {}) {
    WideSum sum;
    sum += a;
    sum += b;
    sum -= c;
    sum -= d;
    return sum.value();
}

BalanceSummary summary(bool shown, Currency amount) {
    return {shown, amount, {}};
}

} // namespace

BalanceSheet computeBalanceSheet(const Book& book, const BalanceSheetOptions& options) {
    BalanceSheet bs;
    bs.date = dayOfDate(options.date);
    bs.includeSubAccounts = options.includeSubAccounts;
    bs.decimals = Book::clampDecimals(book.DecimalsBalanceSheet);
    bs.dateText = longDateText(bs.date, options.locale);
    const NumberMarks marks = marksOf(options.locale);

    KeyedSums sums;
    const std::vector<int> keyOf = addTableKeys(book, options.includeSubAccounts, sums);

    // The profit of the period from the first journal day to the sheet's day.
    bs.earliestDate = book.EntryLines.empty() ? bs.date : book.EntryLines.front().Date;
    for (const EntryLine& line : book.EntryLines)
        if (line.Date < bs.earliestDate) bs.earliestDate = line.Date;
    bs.earliestDate = dayOfDate(bs.earliestDate);

    try {
        sumJournalUpTo(book, bs.date, options.includeSubAccounts, sums, options.run);
        listAccounts(bs, book, sums, keyOf);

        // Of the income statement over that period the sheet shows the net
        // profit alone: its other totals need not fit.
        const NetProfitResult profit = netProfitFromSums(book, sums, keyOf);
        if (!profit.ok) throw CurrencyOverflow();
        bs.netProfit = profit.netProfit;
        if (options.run) options.run->NetProfit = bs.netProfit;

        const Currency ca = bs.currentAssets.total, cl = bs.currentLiabilities.total;
        const Currency nca = bs.nonCurrentAssets.total, ncl = bs.nonCurrentLiabilities.total;
        const Currency working = combined(ca, {}, cl);
        const Currency net = combined(ca, nca, cl, ncl);
        WideSum nonCurrent; // shown only through net assets
        nonCurrent += nca;
        nonCurrent -= ncl;
        bs.workingCapital = summary(!working.isZero(), working);
        bs.workingNetAssets = summary(!nonCurrent.isZero(), net);
        const Currency assets = combined(ca, nca);
        const Currency liabilities = combined(cl, ncl);
        bs.totalAssets = summary(!ca.isZero(), assets);
        bs.totalLiabilities = summary(!liabilities.isZero(), liabilities);
        bs.netAssets = summary(!net.isZero(), net);
        bs.equityBalance = combined(bs.equity.total, bs.netProfit);
    } catch (const CurrencyOverflow&) {
        BalanceSheet failed;
        failed.date = bs.date;
        failed.dateText = bs.dateText;
        failed.message = "The balance sheet cannot be made: a total is too large to hold.";
        return failed;
    }

    auto text = [&](Currency value) {
        return statementAmountText(value, bs.decimals, marks, false);
    };
    for (BalanceSection* section : {&bs.currentAssets, &bs.currentLiabilities, &bs.nonCurrentAssets,
                                    &bs.nonCurrentLiabilities, &bs.equity}) {
        for (StatementRow& row : section->rows)
            row.amountText = text(row.amount);
        section->totalText = text(section->total);
    }
    for (BalanceSummary* line : {&bs.workingCapital, &bs.workingNetAssets, &bs.totalAssets,
                                 &bs.totalLiabilities, &bs.netAssets})
        line->amountText = text(line->amount);
    bs.netProfitText = text(bs.netProfit);
    bs.equityBalanceText = text(bs.equityBalance);

    if (bs.equity.total.raw > 0) {
        bs.returnOnEquity = bs.netProfit.toDouble() / bs.equity.total.toDouble();
        bs.returnOnEquityCaption =
            strings::text(307) + " : " + percentText(bs.netProfit, bs.equity.total, marks);
    }
    bs.ok = true;
    return bs;
}
