#include "statements/balance_sheet.h"

#include "book/number_format.h"
#include "resources/string_table.h"
#include "statements/statement_sums.h"

namespace {

void place(BalanceSection& section, const Book& book, int slot, Currency amount) {
    section.rows.push_back({slot, book.AccountNames[slot], book.AccountNumbers[slot], amount, {}});
    section.total += amount;
}

// Sorts the accounts of the five balance-sheet classes into their sections,
// in table order: the first slot of each key stands for it with the key's sums.
void listAccounts(BalanceSheet& bs, const Book& book, const KeyedSums& sums,
                  const std::vector<int>& keyOf) {
    const int slots = book.slotsInUse();
    for (int k = 0; k < slots; ++k) {
        if (keyOf[k] < 0) continue;
        const Currency debitBalance = sums.debits[keyOf[k]] - sums.credits[keyOf[k]];
        const Currency creditBalance = -debitBalance;
        if (debitBalance.isZero()) continue;
        switch (book.AccountTypes[k]) {
        case CurrentAsset:
            if (debitBalance.raw > 0)
                place(bs.currentAssets, book, k, debitBalance);
            else
                place(bs.currentLiabilities, book, k, creditBalance);
            break;
        case CurrentLiability:
            if (creditBalance.raw > 0)
                place(bs.currentLiabilities, book, k, creditBalance);
            else
                place(bs.currentAssets, book, k, debitBalance);
            break;
        case NonCurrentAsset:
            place(bs.nonCurrentAssets, book, k, debitBalance);
            break;
        case NonCurrentLiability:
            place(bs.nonCurrentLiabilities, book, k, creditBalance);
            break;
        case CapitalEquity:
            place(bs.equity, book, k, creditBalance);
            break;
        default:
            break;
        }
    }
}

BalanceSummary summary(bool shown, Currency amount) {
    return {shown, amount, {}};
}

} // namespace

BalanceSheet computeBalanceSheet(const Book& book, const BalanceSheetOptions& options) {
    BalanceSheet bs;
    bs.date = wholeDay(options.date);
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
    bs.earliestDate = wholeDay(bs.earliestDate);

    try {
        DayRange range;
        range.first = -1e300;
        range.last = bs.date;
        sumJournal(book, range, options.includeSubAccounts, sums, options.run);
        listAccounts(bs, book, sums, keyOf);

        IncomeStatementOptions income;
        income.period.start = bs.earliestDate;
        income.period.end = bs.date;
        income.period.includeSubAccounts = options.includeSubAccounts;
        income.locale = options.locale;
        income.run = options.run;
        bs.income = incomeStatementFromSums(book, income, sums, keyOf);
        if (!bs.income.ok) throw CurrencyOverflow();
        bs.netProfit = bs.income.sums.netProfit;

        const Currency ca = bs.currentAssets.total, cl = bs.currentLiabilities.total;
        const Currency nca = bs.nonCurrentAssets.total, ncl = bs.nonCurrentLiabilities.total;
        const Currency working = ca - cl;
        const Currency nonCurrent = nca - ncl;
        bs.workingCapital = summary(!working.isZero(), working);
        bs.workingNetAssets = summary(!nonCurrent.isZero(), working + nonCurrent);
        const Currency assets = ca + nca;
        const Currency liabilities = cl + ncl;
        bs.totalAssets = summary(!ca.isZero(), assets);
        bs.totalLiabilities = summary(!liabilities.isZero(), liabilities);
        bs.netAssets = summary(!(assets - liabilities).isZero(), assets - liabilities);
        bs.equityBalance = bs.equity.total + bs.netProfit;
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
            strings::text(307) + " : " + percentText(*bs.returnOnEquity, marks);
    }
    bs.ok = true;
    return bs;
}
