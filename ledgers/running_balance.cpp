#include "ledgers/running_balance.h"

#include "book/account_number_text.h"
#include "book/entry_index.h"
#include "ledgers/contra_lines.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

class RowWriter {
  public:
    explicit RowWriter(RunningBalanceLedger& ledger) : ledger_(ledger) {}

    void add(const Book& book, std::int32_t line, Currency account, Currency share) {
        const EntryLine& own = book.EntryLines[static_cast<std::size_t>(line)];
        RunningBalanceRow row;
        row.Date = static_cast<double>(LedgerPeriod::day(own.Date));
        row.Reference = book.EntryIds[static_cast<std::size_t>(line)].shown();
        row.Line = line;
        row.Account = account;
        (own.Side == Debit ? row.Debit : row.Credit) = share;
        row.Balance = balance_ + row.Debit - row.Credit;
        balance_ = row.Balance;
        ledger_.Rows.push_back(std::move(row));
    }
    void open(Currency balance) { balance_ = balance; }

  private:
    RunningBalanceLedger& ledger_;
    Currency balance_;
};

// What the account carried into the period: its debits less its credits
// dated before the first day, reconciled or not.
Currency openingBalance(const Book& book, const AccountMatch& match, const LedgerPeriod& period,
                        bool& anyLineBefore) {
    Currency balance;
    for (const EntryLine& line : book.EntryLines) {
        if (!period.before(line.Date)) continue;
        anyLineBefore = true;
        if (!match.matches(line.AccountNumber)) continue;
        if (line.Side == Debit)
            balance += line.Amount;
        else if (line.Side == Credit)
            balance -= line.Amount;
    }
    return balance;
}

void periodRows(const Book& book, const LedgerChoice& choice, const LedgerPeriod& period,
                const AccountMatch& match, RowWriter& rows) {
    const EntryIndex entries(book);
    ContraLines contras;
    ProgressPacer progress(book, choice.progress);
    const auto lines = static_cast<std::int32_t>(book.EntryLines.size());
    for (std::int32_t i = 0; i < lines; ++i) {
        progress.at(i);
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        if (choice.reconcileMode && line.Reconciled == 1) continue;
        if (!period.within(line.Date)) continue;
        if (!match.matches(line.AccountNumber)) continue;
        // A credit line makes rows only when it names an account.
        if (line.Side != Debit && !(line.Side == Credit && line.AccountNumber.raw > 0)) continue;
        contras.find(book, entries, i);
        if (contras.empty() || contras.sum.isZero()) {
            // No contra line to share the amount among: the line's own amount, so
            // that the balance stays right.
            rows.add(book, i, Currency(), line.Amount);
            continue;
        }
        for (std::int32_t k : contras.lines) {
            const EntryLine& contra = book.EntryLines[static_cast<std::size_t>(k)];
            const Currency share = line.Amount.raw > 0
                                       ? contraShare(line.Amount, contra.Amount, contras.sum)
                                       : Currency();
            rows.add(book, i, contra.AccountNumber, share);
        }
    }
}

} // namespace

RunningBalanceLedger buildRunningBalance(const Book& book, const LedgerChoice& choice) {
    RunningBalanceLedger ledger;
    const LedgerPeriod period(choice.fromDate, choice.toDate);
    ledger.FromDate = period.fromDate();
    ledger.ToDate = period.toDate();
    ledger.Folio = folioText(book, choice.account, choice.marks.decimal);
    RowWriter rows(ledger);
    try {
        const AccountMatch match(choice.account);
        ledger.LedgerAccount = match.folded();
        bool anyLineBefore = false;
        const Currency opening = openingBalance(book, match, period, anyLineBefore);
        if (anyLineBefore) {
            RunningBalanceRow row;
            row.Date = ledger.FromDate;
            row.Account = Currency::fromUnits(1);
            row.Balance = opening;
            row.Opening = true;
            ledger.Rows.push_back(row);
            ledger.HasOpeningRow = true;
            rows.open(opening);
        }
        periodRows(book, choice, period, match, rows);
    } catch (const CurrencyOverflow&) {
        ledger.Message = "Stopping due to Processing error";
    } catch (const std::bad_alloc&) {
        ledger.Message = "Out of Memory...";
    }
    return ledger;
}

void reverseRows(RunningBalanceLedger& ledger) {
    std::reverse(ledger.Rows.begin(), ledger.Rows.end());
}
