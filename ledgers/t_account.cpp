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
void finish(TAccountLedger& ledger, bool anyBefore, const HalfSums& debit, const HalfSums& credit,
            const NumberMarks& marks) {
    if (anyBefore) {
        const Currency debitForward = debit.broughtForward.value();
        ledger.Credit.BroughtForward = credit.broughtForward.value();
        ledger.Debit.BroughtForward = debitForward;
        addBroughtForward(ledger);
        ledger.HasBroughtForward = true;
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

    // One pass over the journal: what the account carried before the period
    // and its lines in the period.
    HalfSums debit, credit;
    bool anyBefore = false;
    const std::vector<std::int32_t> postings = postingsInPeriod(
        book, period, match, options.reconcileMode, options.progress, [&](const EntryLine& line) {
            anyBefore = true;
            if (options.reconcileMode && line.Reconciled == 1) return;
            if (line.Side != Debit && line.Side != Credit) return;
            if (!match.matches(line.AccountNumber)) return;
            HalfSums& sums = line.Side == Debit ? debit : credit;
            sums.total += line.Amount;
            sums.broughtForward += line.Amount;
        });

    // The rows it will hold, counted before any is made: a ledger too large
    // for memory is refused whole. A line whose contra lines add up to 0 has
    // nothing to share its amount among and makes none.
    const EntryIndex entries(book);
    EntryContras contras(book, entries);
    std::int64_t rows = 0;
    for (const std::int32_t i : postings)
        if (const ContraLines& c = contras.of(i); c.sharable())
            rows += static_cast<std::int64_t>(c.lines.size());
    if (rows > MaxLedgerRows) {
        ledger.Message = tooManyRowsMessage(rows, options.marks);
        return ledger;
    }

    const AccountNameIndex names(book);
    ledger.Message = ledgerBuildFault([&] {
        for (const std::int32_t i : postings) {
            const ContraLines& c = contras.of(i);
            if (!c.sharable()) continue;
            const bool isDebit = book.EntryLines[static_cast<std::size_t>(i)].Side == Debit;
            appendContraRows(book, names, match, options.unmasked, i, c,
                             isDebit ? ledger.Debit : ledger.Credit, isDebit ? debit : credit);
        }
    });
    const std::string totalsFault =
        ledgerBuildFault([&] { finish(ledger, anyBefore, debit, credit, options.marks); });
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
