#include "ledgers/t_account.h"

#include "book/account_name_index.h"
#include "book/account_number_text.h"
#include "book/day_of_date.h"
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
    bool shareTooLarge = false; // a row's share beyond the money range
};

// The rows of one account line (forEachShare): one per contra line with its
// share, or one of the line's own amount naming no account.
void appendRows(const Book& book, const AccountMatch& match, bool unmasked, std::int32_t line,
                const ContraLines& contras, TAccountHalf& half, HalfSums& sums) {
    const double date = book.EntryLines[static_cast<std::size_t>(line)].Date;
    forEachShare(book, line, contras, [&](std::int32_t contra, WideSum share) {
        TAccountRow row;
        row.Date = date;
        if (contra >= 0) {
            const Currency number = book.EntryLines[static_cast<std::size_t>(contra)].AccountNumber;
            row.Account = unmasked ? number : match.fold(number);
        }
        row.Amount = fittedFigure(share, row.TooLarge);
        row.Line = line;
        sums.total += share;
        sums.shareTooLarge = sums.shareTooLarge || row.TooLarge;
        half.Rows.push_back(row);
    });
}

// A row of a figure worked out from sums (b/f, c/d): its amount when it fits
// in the money range, else marked too large.
TAccountRow figureRow(TAccountRowKind kind, WideSum figure) {
    TAccountRow row;
    row.Kind = kind;
    row.Amount = fittedFigure(figure, row.TooLarge);
    return row;
}

std::string figureText(WideSum figure, int decimals, const NumberMarks& marks) {
    return figure.fits() ? ledgerAmountText(figure.value(), decimals, marks) : TooLargeToShow;
}

// The b/f rows, first in each half; true when an amount is too large to show.
bool addBroughtForward(TAccountLedger& ledger, const HalfSums& debit, const HalfSums& credit) {
    bool tooLarge = false;
    for (const auto& [half, sums] : {std::pair{&ledger.Debit, &debit}, {&ledger.Credit, &credit}}) {
        const WideSum amount = sums->broughtForward;
        TAccountRow row = figureRow(amount.isZero() ? TAccountRowKind::EmptyBroughtForward
                                                    : TAccountRowKind::BroughtForward,
                                    amount);
        row.Date = ledger.FromDate;
        half->BroughtForward = row.Amount;
        half->Rows.push_back(row);
        tooLarge = tooLarge || row.TooLarge;
    }
    ledger.HasBroughtForward = true;
    return tooLarge;
}

// The totals, the balancing row and the labels; true when a figure is too
// large to show.
bool finish(TAccountLedger& ledger, const HalfSums& debit, const HalfSums& credit,
            const NumberMarks& marks) {
    const bool debitShort = debit.total.raw < credit.total.raw;
    const WideSum shownTotal = debitShort ? credit.total : debit.total;
    const WideSum carriedDown =
        debitShort ? credit.total - debit.total : debit.total - credit.total;
    if (debit.total.fits()) ledger.Debit.Total = debit.total.value();
    if (credit.total.fits()) ledger.Credit.Total = credit.total.value();
    ledger.DebitTotalText = ledger.CreditTotalText =
        strings::text(168) + TenSpaces + figureText(shownTotal, ledger.Decimals, marks);
    const bool totalTooLarge = !debit.total.fits() || !credit.total.fits();
    if (carriedDown.isZero()) return totalTooLarge;
    TAccountHalf& shortHalf = debitShort ? ledger.Debit : ledger.Credit;
    const TAccountRow row = figureRow(TAccountRowKind::CarriedDown, carriedDown);
    shortHalf.CarriedDown = row.Amount;
    shortHalf.Rows.push_back(row);
    std::string& broughtDown =
        debitShort ? ledger.CreditBroughtDownText : ledger.DebitBroughtDownText;
    broughtDown =
        strings::text(155) + " b/d " + TenSpaces + figureText(carriedDown, ledger.Decimals, marks);
    return totalTooLarge || row.TooLarge;
}

} // namespace

std::string tAccountRowText(const TAccountRow& row, const AccountNameIndex& names) {
    switch (row.Kind) {
    case TAccountRowKind::Contra:
        return names.name(row.Account);
    case TAccountRowKind::BroughtForward:
        return broughtForwardText();
    case TAccountRowKind::EmptyBroughtForward:
        return "   ";
    case TAccountRowKind::CarriedDown:
        return carriedDownText();
    }
    return "";
}

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
    // for memory is refused whole; one that fits takes its room at once.
    // Each half may have a b/f row, and one of them a c/d row.
    const EntryIndex entries(book);
    EntryContras contras(book, entries);
    std::int64_t debitRows = anyBefore ? 1 : 0, creditRows = debitRows;
    for (const std::int32_t i : postings)
        (book.EntryLines[static_cast<std::size_t>(i)].Side == Debit ? debitRows : creditRows) +=
            contras.of(i).rows();
    const std::string refusal =
        ledgerSizeRefusal(debitRows + creditRows + 1, sizeof(TAccountRow), options.marks);
    bool totalTooLarge = false;
    const bool whole = buildWhole(ledger, refusal, [&](TAccountLedger& built) {
        built.Debit.Rows.reserve(static_cast<std::size_t>(debitRows + 1));
        built.Credit.Rows.reserve(static_cast<std::size_t>(creditRows + 1));
        if (anyBefore) totalTooLarge = addBroughtForward(built, debit, credit);
        for (const std::int32_t i : postings) {
            const bool isDebit = book.EntryLines[static_cast<std::size_t>(i)].Side == Debit;
            appendRows(book, match, options.unmasked, i, contras.of(i),
                       isDebit ? built.Debit : built.Credit, isDebit ? debit : credit);
        }
        totalTooLarge = finish(built, debit, credit, options.marks) || totalTooLarge;
        built.LedgerRows =
            static_cast<std::int32_t>(std::max(built.Debit.Rows.size(), built.Credit.Rows.size()));
    });
    if (!whole) return ledger;
    if (totalTooLarge)
        ledger.Message = tooLargeMessage("total", "T-account");
    else if (debit.shareTooLarge || credit.shareTooLarge)
        ledger.Message = tooLargeMessage("figure", "T-account");
    return ledger;
}

void sortByDate(TAccountLedger& ledger) {
    for (TAccountHalf* half : {&ledger.Debit, &ledger.Credit}) {
        auto end = half->Rows.end();
        if (half->hasCarriedDown()) --end;
        std::stable_sort(half->Rows.begin(), end, [](const TAccountRow& a, const TAccountRow& b) {
            return dayOfDate(a.Date) < dayOfDate(b.Date);
        });
    }
}
