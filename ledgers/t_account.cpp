#include "ledgers/t_account.h"

#include "book/account_name_index.h"
#include "book/account_number_text.h"
#include "book/entry_index.h"
#include "ledgers/contra_lines.h"
#include "resources/string_table.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

const std::string TenSpaces(10, ' ');

// The rows of one account line: one per contra line, with its share. A line
// without contra lines, or whose contra lines add up to 0, gives none.
void appendContraRows(const Book& book, const AccountNameIndex& names, const AccountMatch& match,
                      bool unmasked, std::int32_t line, const ContraLines& contras,
                      TAccountHalf& half) {
    if (contras.empty() || contras.sum.isZero()) return;
    const EntryLine& own = book.EntryLines[static_cast<std::size_t>(line)];
    const bool shared =
        static_cast<double>(own.Amount.raw) / static_cast<double>(contras.sum.raw) > 0;
    for (std::int32_t k : contras.lines) {
        const EntryLine& contra = book.EntryLines[static_cast<std::size_t>(k)];
        TAccountRow row;
        row.Date = own.Date;
        row.Text = names.name(unmasked ? contra.AccountNumber : match.fold(contra.AccountNumber));
        row.Amount = shared ? contraShare(own.Amount, contra.Amount, contras.sum) : Currency();
        row.Line = line;
        half.Total += row.Amount;
        half.Rows.push_back(std::move(row));
    }
}

void scan(const Book& book, const TAccountOptions& options, const LedgerPeriod& period,
          const AccountMatch& match, TAccountLedger& ledger) {
    const AccountNameIndex names(book);
    const EntryIndex entries(book);
    ContraLines contras;
    ProgressPacer progress(book, options.progress);
    const auto lines = static_cast<std::int32_t>(book.EntryLines.size());
    for (std::int32_t i = 0; i < lines; ++i) {
        progress.at(i);
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        const bool before = period.before(line.Date);
        if (before) ledger.HasBroughtForward = true;
        if (options.reconcileMode && line.Reconciled == 1) continue;
        if (line.Side != Debit && line.Side != Credit) continue;
        if (!match.matches(line.AccountNumber)) continue;
        TAccountHalf& half = line.Side == Debit ? ledger.Debit : ledger.Credit;
        if (before) {
            half.Total += line.Amount;
            half.BroughtForward += line.Amount;
        } else if (period.within(line.Date)) {
            contras.find(book, entries, i);
            appendContraRows(book, names, match, options.unmasked, i, contras, half);
        }
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

void balance(TAccountLedger& ledger, const NumberMarks& marks) {
    TAccountHalf& shortHalf =
        ledger.Debit.Total < ledger.Credit.Total ? ledger.Debit : ledger.Credit;
    TAccountHalf& longHalf = &shortHalf == &ledger.Debit ? ledger.Credit : ledger.Debit;
    if (ledger.Debit.Total == ledger.Credit.Total) return;
    TAccountRow row;
    row.Amount = longHalf.Total - shortHalf.Total;
    row.Text = carriedDownText();
    row.Kind = TAccountRowKind::CarriedDown;
    shortHalf.CarriedDown = row.Amount;
    shortHalf.Rows.push_back(std::move(row));
    std::string& broughtDown =
        &shortHalf == &ledger.Debit ? ledger.CreditBroughtDownText : ledger.DebitBroughtDownText;
    broughtDown = strings::text(155) + " b/d " + TenSpaces +
                  ledgerAmountText(shortHalf.CarriedDown, ledger.Decimals, marks);
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

    try {
        const AccountMatch match(options.account);
        ledger.LedgerAccount = match.folded();
        scan(book, options, period, match, ledger);
    } catch (const CurrencyOverflow&) {
        ledger.Message = "Stopping due to Processing error";
    } catch (const std::bad_alloc&) {
        ledger.Message = "Out of Memory...";
    }
    if (ledger.HasBroughtForward) addBroughtForward(ledger);
    try {
        const NumberMarks& marks = options.marks;
        balance(ledger, marks);
        ledger.DebitTotalText =
            strings::text(168) + TenSpaces +
            ledgerAmountText(ledger.Debit.Total + ledger.Debit.CarriedDown, ledger.Decimals, marks);
        ledger.CreditTotalText = strings::text(168) + TenSpaces +
                                 ledgerAmountText(ledger.Credit.Total + ledger.Credit.CarriedDown,
                                                  ledger.Decimals, marks);
    } catch (const CurrencyOverflow&) {
        ledger.Message = "Stopping due to Processing error";
    }
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
