#include "ledgers/t_account.h"

#include "book/account_name_index.h"
#include "book/account_number_text.h"
#include "book/entry_index.h"
#include "ledgers/contra_lines.h"
#include "resources/string_table.h"

#include <algorithm>
#include <utility>

namespace {

const std::string TenSpaces(10, ' ');

// The half's sums while the journal is read: exact, whatever amounts cancel
// on the way; only the figures shown must fit in the money range.
struct HalfSums {
    WideSum total; // b/f included
    WideSum broughtForward;
};

// The rows of one account line: one per contra line, with its share (0 when
// the line's amount and the contra sum differ in sign or the amount is 0).
void appendContraRows(const Book& book, const AccountNameIndex& names, const AccountMatch& match,
                      bool unmasked, std::int32_t line, const ContraLines& contras,
                      TAccountHalf& half, HalfSums& sums) {
    const EntryLine& own = book.EntryLines[static_cast<std::size_t>(line)];
    const bool shared = own.Amount.raw != 0 && (own.Amount.raw > 0) == (contras.sum.raw > 0);
    for (std::int32_t k : contras.lines) {
        const EntryLine& contra = book.EntryLines[static_cast<std::size_t>(k)];
        TAccountRow row;
        row.Date = own.Date;
        row.Text = names.name(unmasked ? contra.AccountNumber : match.fold(contra.AccountNumber));
        row.Amount = !shared ? Currency()
                     : contras.lines.size() == 1
                         ? own.Amount
                         : contraShare(own.Amount, contra.Amount, contras.sum);
        row.Line = line;
        sums.total += row.Amount;
        half.Rows.push_back(std::move(row));
    }
}

// What the account carried before the period, per half; whether the journal
// has any line before the period at all.
bool broughtForward(const Book& book, const TAccountOptions& options, const LedgerPeriod& period,
                    const AccountMatch& match, HalfSums& debit, HalfSums& credit) {
    bool any = false;
    for (const EntryLine& line : book.EntryLines) {
        if (!period.before(line.Date)) continue;
        any = true;
        if (options.reconcileMode && line.Reconciled == 1) continue;
        if (line.Side != Debit && line.Side != Credit) continue;
        if (!match.matches(line.AccountNumber)) continue;
        HalfSums& sums = line.Side == Debit ? debit : credit;
        sums.total += line.Amount;
        sums.broughtForward += line.Amount;
    }
    return any;
}

void addBroughtForward(TAccountLedger& ledger) {
    for (TAccountHalf* half : {&ledger.Debit, &ledger.Credit}) {
        TAccountRow row;
        row.Date = ledger.FromDate;
        row.Amount = half->BroughtForward;
        row.Kind = half->BroughtForward.isZero() ? TAccountRowKind::EmptyBroughtForward
                                                 : TAccountRowKind::BroughtForward;
        row.Text = half->BroughtForward.isZero() ? std::string("   ") : broughtForwardText();
        half->Rows.insert(half->Rows.begin(), std::move(row));
    }
}

// The b/f rows, the totals, the balancing row and the labels, in that order.
// Each figure is checked before it is added: one that does not fit in the
// money range throws, leaving out itself and what follows it.
void finish(TAccountLedger& ledger, const HalfSums& debit, const HalfSums& credit,
            const NumberMarks& marks) {
    if (ledger.HasBroughtForward) {
        const Currency debitForward = debit.broughtForward.value();
        ledger.Credit.BroughtForward = credit.broughtForward.value();
        ledger.Debit.BroughtForward = debitForward;
        addBroughtForward(ledger);
    }
    const Currency debitTotal = debit.total.value();
    const Currency creditTotal = credit.total.value();
    const bool debitShort = debitTotal < creditTotal;
    const Currency carriedDown =
        (debitShort ? credit.total - debit.total : debit.total - credit.total).value();
    const Currency shownTotal = debitShort ? creditTotal : debitTotal;
    ledger.Debit.Total = debitTotal;
    ledger.Credit.Total = creditTotal;
    const std::string total =
        strings::text(168) + TenSpaces + ledgerAmountText(shownTotal, ledger.Decimals, marks);
    ledger.DebitTotalText = ledger.CreditTotalText = total;
    if (carriedDown.isZero()) return;
    TAccountHalf& shortHalf = debitShort ? ledger.Debit : ledger.Credit;
    TAccountRow row;
    row.Amount = carriedDown;
    row.Text = carriedDownText();
    row.Kind = TAccountRowKind::CarriedDown;
    shortHalf.CarriedDown = carriedDown;
    shortHalf.Rows.push_back(std::move(row));
    std::string& broughtDown =
        debitShort ? ledger.CreditBroughtDownText : ledger.DebitBroughtDownText;
    broughtDown = strings::text(155) + " b/d " + TenSpaces +
                  ledgerAmountText(carriedDown, ledger.Decimals, marks);
}

} // namespace

std::string broughtForwardText() {
    return strings::text(155) + " b/f";
}

std::string carriedDownText() {
    return strings::text(155) + " c/d";
}

TAccountLedger buildTAccount(const Book& book, const TAccountOptions& options) {
    TAccountLedger ledger;
    const LedgerPeriod period(options.fromDate, options.toDate);
    ledger.FromDate = period.fromDate();
    ledger.ToDate = period.toDate();
    ledger.Decimals = Book::clampDecimals(book.DecimalsLedger);
    ledger.Folio = folioText(book, options.account, options.marks.decimal);
    const AccountMatch match(options.account);
    ledger.LedgerAccount = match.folded();

    // The rows it would hold, counted before anything is built: a ledger too
    // large for memory is refused whole.
    std::int64_t rows = 0;
    const EntryIndex entries(book);
    forEachPosting(book, entries, period, match, options.reconcileMode, ProgressStep(),
                   [&](std::int32_t, const ContraLines& contras) {
                       if (contras.sharable())
                           rows += static_cast<std::int64_t>(contras.lines.size());
                   });
    if (rows > MaxLedgerRows) {
        ledger.Message = tooManyRowsMessage(rows, options.marks);
        return ledger;
    }

    const AccountNameIndex names(book);
    HalfSums debit, credit;
    ledger.HasBroughtForward = broughtForward(book, options, period, match, debit, credit);
    ledger.Message = ledgerBuildFault([&] {
        forEachPosting(
            book, entries, period, match, options.reconcileMode, options.progress,
            [&](std::int32_t i, const ContraLines& contras) {
                if (!contras.sharable()) return; // nothing to share the line among
                const bool isDebit = book.EntryLines[static_cast<std::size_t>(i)].Side == Debit;
                appendContraRows(book, names, match, options.unmasked, i, contras,
                                 isDebit ? ledger.Debit : ledger.Credit, isDebit ? debit : credit);
            });
    });
    const std::string totalsFault =
        ledgerBuildFault([&] { finish(ledger, debit, credit, options.marks); });
    if (!totalsFault.empty()) ledger.Message = totalsFault;
    ledger.LedgerRows =
        static_cast<std::int32_t>(std::max(ledger.Debit.Rows.size(), ledger.Credit.Rows.size()));
    return ledger;
}

void sortByDate(TAccountLedger& ledger) {
    for (TAccountHalf* half : {&ledger.Debit, &ledger.Credit}) {
        auto end = half->Rows.end();
        if (half->hasCarriedDown()) --end;
        std::stable_sort(half->Rows.begin(), end, [](const TAccountRow& a, const TAccountRow& b) {
            return a.Date < b.Date;
        });
    }
}
