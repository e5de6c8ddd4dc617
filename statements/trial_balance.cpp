#include "statements/trial_balance.h"

#include "book/account_map.h"
#include "book/number_format.h"
#include "statements/statement_sums.h"
#include "statements/statement_text.h"

namespace {

Currency magnitude(Currency value) {
    return value.raw < 0 ? -value : value;
}

} // namespace

TrialBalance computeTrialBalance(const Book& book, const TrialBalanceOptions& options) {
    TrialBalance tb;
    tb.asOfDate = wholeDay(options.asOfDate);
    tb.includeSubAccounts = options.includeSubAccounts;
    tb.decimals = Book::clampDecimals(book.DecimalsTrialBalance);
    tb.dateText = longDateText(tb.asOfDate, options.locale);
    const NumberMarks marks = marksOf(options.locale);

    // Rows in table order, one per distinct key; the journal adds by key.
    KeyedSums sums;
    const std::vector<int> keyOf = addTableKeys(book, options.includeSubAccounts, sums);
    const AccountMap accounts(book);
    for (std::size_t j = 0; j < keyOf.size(); ++j) {
        if (keyOf[j] < 0) continue; // the key has its row already
        const Currency key = statementKey(book.AccountNumbers[j], options.includeSubAccounts);
        TrialBalanceRow row;
        row.slot = static_cast<int>(j);
        row.number = key;
        const std::optional<int> own = accounts.slot(key);
        row.name = book.AccountNames[own ? *own : j];
        row.numberText = plainNumberText(key, options.locale.decimalMark, book.subAccountDash());
        tb.rows.push_back(std::move(row));
    }

    try {
        DayRange range;
        range.first = -1e300;
        range.last = tb.asOfDate;
        sumJournal(book, range, options.includeSubAccounts, sums, options.run);
        for (std::size_t r = 0; r < tb.rows.size(); ++r) {
            TrialBalanceRow& row = tb.rows[r];
            row.balance = sums.debits[r] - sums.credits[r];
            row.amountText = statementAmountText(magnitude(row.balance), tb.decimals, marks, true);
            if (row.balance.raw > 0)
                tb.debitTotal += row.balance;
            else
                tb.creditTotal -= row.balance;
        }
    } catch (const CurrencyOverflow&) {
        TrialBalance failed;
        failed.asOfDate = tb.asOfDate;
        failed.dateText = tb.dateText;
        failed.message = "The trial balance cannot be made: a total is too large to hold.";
        return failed;
    }
    tb.debitTotalText = statementAmountText(tb.debitTotal, tb.decimals, marks, true);
    tb.creditTotalText = statementAmountText(tb.creditTotal, tb.decimals, marks, true);
    tb.ok = true;
    return tb;
}
