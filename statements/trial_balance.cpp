#include "statements/trial_balance.h"

#include "book/account_number_text.h"
#include "book/day_of_date.h"
#include "book/number_format.h"
#include "statements/statement_sums.h"
#include "statements/statement_text.h"

TrialBalance computeTrialBalance(const Book& book, const TrialBalanceOptions& options) {
    TrialBalance tb;
    tb.asOfDate = dayOfDate(options.asOfDate);
    tb.includeSubAccounts = options.includeSubAccounts;
    tb.decimals = Book::clampDecimals(book.DecimalsTrialBalance);
    tb.dateText = longDateText(tb.asOfDate, options.locale);
    const NumberMarks marks = marksOf(options.locale);

    // Rows in table order, one per distinct key; the journal adds by key.
    KeyedSums sums;
    const std::vector<int> keyOf = addTableKeys(book, options.includeSubAccounts, sums);
    const std::size_t slots = static_cast<std::size_t>(book.slotsInUse());

    try {
        sumJournalUpTo(book, tb.asOfDate, options.includeSubAccounts, sums, options.run);
        WideSum debitTotal, creditTotal;
        for (std::size_t j = 0; j < keyOf.size(); ++j) {
            if (keyOf[j] < 0) continue; // the key has its row already
            const WideSum balance = sums.debitBalance(keyOf[j]);
            if (j >= slots && balance.isZero()) continue; // no slot, nothing to show
            const RowAccount account = rowAccount(book, sums, keyOf[j]);
            TrialBalanceRow row;
            row.slot = account.slot;
            row.number = account.number;
            row.name = account.name;
            row.numberText = folioText(book, row.number, options.locale.decimalMark);
            row.balance = balance.value();
            const bool debit = balance.raw > 0;
            const WideSum size = debit ? balance : WideSum{} - balance;
            (debit ? debitTotal : creditTotal) += size;
            row.amountText = statementAmountText(size.value(), tb.decimals, marks, true);
            tb.rows.push_back(std::move(row));
        }
        tb.debitTotal = debitTotal.value();
        tb.creditTotal = creditTotal.value();
    } catch (const CurrencyOverflow&) {
        TrialBalance failed;
        failed.asOfDate = tb.asOfDate;
        failed.dateText = tb.dateText;
        failed.message = "The trial balance cannot be made: a total is too large to hold.";
        return failed;
    }
    for (std::size_t r = 0; r < tb.rows.size(); ++r)
        if (tb.rows[r].shown()) tb.shownRows.push_back(r);
    tb.debitTotalText = statementAmountText(tb.debitTotal, tb.decimals, marks, true);
    tb.creditTotalText = statementAmountText(tb.creditTotal, tb.decimals, marks, true);
    tb.ok = true;
    return tb;
}
