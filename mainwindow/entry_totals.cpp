#include "mainwindow/entry_totals.h"

#include "book/wide_sum.h"
#include "resources/string_table.h"

#include <algorithm>

EntryTotals sumEntry(const Book& book, std::int32_t first, std::int32_t last) {
    EntryTotals t;
    first = std::max(first, 0);
    last = std::min(last, book.LastEntryLine());
    // Summed wide: lines of either sign may pass the range on the way to a
    // total within it.
    WideSum debit, credit;
    for (std::int32_t i = first; i <= last; ++i) {
        const EntryLine& line = book.EntryLines[i];
        if (line.Side == Debit) {
            ++t.debitLines;
            debit += line.Amount;
        } else if (line.Side == Credit) {
            ++t.creditLines;
            credit += line.Amount;
        }
    }
    t.debitSum = debit;
    t.creditSum = credit;
    const std::optional<Currency> debitHeld = debit.checked(), creditHeld = credit.checked();
    if (debitHeld && creditHeld) {
        t.debit = *debitHeld;
        t.credit = *creditHeld;
    } else {
        t.overflow = true;
    }
    return t;
}

StatusUpdate entryTotalsStatus(const EntryTotals& totals, const NumberMarks& marks) {
    if (totals.overflow)
        return {"The totals of this entry are too large to add up", StatusColour::Red};
    // Two decimals, or as many as a total holds, so no figure reads rounded.
    const int decimals = std::max(exactDecimals(totals.debit), exactDecimals(totals.credit));
    std::string text =
        strings::text(150) + " " + formatAmount(totals.debit, decimals, marks, true) + "     " +
        strings::text(151) + " " + formatAmount(totals.credit, decimals, marks, true);
    const WideSum difference = totals.debitSum - totals.creditSum;
    if (difference.isZero()) return {text, StatusColour::Black};
    text += "     " + strings::text(155) + " : " + formatAmount(difference, decimals, marks, true) +
            "  ";
    return {text, StatusColour::Red};
}

std::optional<bool> balancingButtonFor(const EntryTotals& totals) {
    if (totals.overflow) return std::nullopt;
    if (totals.debit == totals.credit) return false;
    const Currency zero;
    const bool oneSideOpen = (totals.debit.isZero() && totals.credit > zero) ||
                             (totals.credit.isZero() && totals.debit > zero);
    const bool bothCompound = totals.debitLines >= 2 && totals.creditLines >= 2;
    if (oneSideOpen && !bothCompound) return true;
    return std::nullopt;
}

namespace {

// The plain text form of a count of ten-thousandths of any size.
std::string plainText(__int128 raw, const std::string& decimalMark) {
    const bool negative = raw < 0;
    unsigned __int128 mag =
        negative ? -static_cast<unsigned __int128>(raw) : static_cast<unsigned __int128>(raw);
    std::string frac = decimalDigits(mag % 10000);
    frac.insert(0, 4 - frac.size(), '0');
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    const std::string whole = decimalDigits(mag / 10000);
    std::string text = frac.empty() ? whole : whole + decimalMark + frac;
    return negative ? "-" + text : text;
}

} // namespace

StatusUpdate journalBalanceStatus(const Book& book, const std::string& decimalMark) {
    __int128 debits = 0, credits = 0;
    for (const EntryLine& line : book.EntryLines) {
        if (line.Side == Debit)
            debits += line.Amount.raw;
        else if (line.Side == Credit)
            credits += line.Amount.raw;
    }
    if (debits > credits)
        return {strings::text(275) + " " + plainText(debits - credits, decimalMark),
                StatusColour::Red};
    if (credits > debits)
        return {strings::text(276) + " " + plainText(credits - debits, decimalMark),
                StatusColour::Red};
    return {strings::text(277), StatusColour::Black};
}
