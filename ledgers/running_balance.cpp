#include "ledgers/running_balance.h"

#include "book/account_number_text.h"
#include "book/entry_index.h"
#include "book/number_format.h"
#include "ledgers/contra_lines.h"

#include <algorithm>
#include <utility>

namespace {

class RowWriter {
  public:
    explicit RowWriter(RunningBalanceLedger& ledger) : ledger_(ledger) {}

    // Shares and balances are summed wide: a balance beyond the money range
    // is marked on its row, and the rows after it come back into range as
    // their balances do.
    void add(const Book& book, std::int32_t line, Currency account, WideSum share) {
        const EntryLine& own = book.EntryLines[static_cast<std::size_t>(line)];
        RunningBalanceRow row;
        row.Date = static_cast<double>(LedgerPeriod::day(own.Date));
        row.Entry = book.EntryIds[static_cast<std::size_t>(line)];
        row.Line = line;
        row.Account = account;
        row.Amount = fittedFigure(share, row.AmountTooLarge);
        row.Credit = own.Side != Debit;
        if (row.Credit)
            balance_ -= share;
        else
            balance_ += share;
        push(row);
    }
    void open(double date, WideSum balance) {
        RunningBalanceRow row;
        row.Date = date;
        row.Account = Currency::fromUnits(1);
        row.Opening = true;
        balance_ = balance;
        push(row);
        ledger_.HasOpeningRow = true;
    }
    bool tooLarge() const { return tooLarge_; }

  private:
    void push(RunningBalanceRow& row) {
        row.Balance = fittedFigure(balance_, row.BalanceTooLarge);
        tooLarge_ = tooLarge_ || row.AmountTooLarge || row.BalanceTooLarge;
        ledger_.Rows.push_back(row);
    }

    RunningBalanceLedger& ledger_;
    WideSum balance_;
    bool tooLarge_ = false;
};

// The rows of one account line (forEachShare): one per contra line with its
// share, or one of the line's own amount naming no account.
void addRows(const Book& book, std::int32_t i, const ContraLines& contras, RowWriter& rows) {
    forEachShare(book, i, contras, [&](std::int32_t contra, WideSum share) {
        const Currency account =
            contra < 0 ? Currency()
                       : book.EntryLines[static_cast<std::size_t>(contra)].AccountNumber;
        rows.add(book, i, account, share);
    });
}

} // namespace

RunningBalanceLedger buildRunningBalance(const Book& book, const LedgerChoice& choice) {
    RunningBalanceLedger ledger;
    const LedgerPeriod period(choice.fromDate, choice.toDate);
    ledger.FromDate = period.fromDate();
    ledger.ToDate = period.toDate();
    ledger.Folio = folioText(book, choice.account, choice.marks.decimal);
    const AccountMatch match(choice.account);
    ledger.LedgerAccount = match.folded();

    // One pass over the journal: what the account carried into the period
    // (its debits less its credits dated before the first day, reconciled or
    // not) and its lines in the period.
    WideSum opening;
    bool anyBefore = false;
    const std::vector<std::int32_t> postings = postingsInPeriod(
        book, period, match, choice.reconcileMode, choice.progress, [&](const EntryLine& line) {
            anyBefore = true;
            if (!match.matches(line.AccountNumber)) return;
            if (line.Side == Debit) opening += line.Amount;
            if (line.Side == Credit) opening -= line.Amount;
        });

    // The rows it will hold, counted before any is made: a ledger too large
    // for memory is refused whole; one that fits takes its room at once.
    const EntryIndex entries(book);
    EntryContras contras(book, entries);
    std::int64_t rowCount = anyBefore ? 1 : 0;
    for (const std::int32_t i : postings)
        rowCount += contras.of(i).rows();
    const std::string refusal =
        ledgerSizeRefusal(rowCount, sizeof(RunningBalanceRow), choice.marks);
    bool tooLarge = false;
    const bool whole = buildWhole(ledger, refusal, [&](RunningBalanceLedger& built) {
        RowWriter rows(built);
        built.Rows.reserve(static_cast<std::size_t>(rowCount));
        if (anyBefore) rows.open(built.FromDate, opening);
        for (const std::int32_t i : postings)
            addRows(book, i, contras.of(i), rows);
        tooLarge = rows.tooLarge();
    });
    if (whole && tooLarge) ledger.Message = tooLargeMessage("figure", "running balance");
    return ledger;
}

RunningBalanceFigures shownFigures(const RunningBalanceRow& row, int decimals,
                                   const NumberMarks& marks, const std::string& suffixForZero) {
    return runningBalanceFigures(
        row,
        [&](Currency amount) {
            return amount.isZero() ? std::string() : formatAmount(amount, decimals, marks, true);
        },
        [&](Currency balance) { return balanceText(balance, decimals, marks, suffixForZero); });
}

void reverseRows(RunningBalanceLedger& ledger) {
    std::reverse(ledger.Rows.begin(), ledger.Rows.end());
}
