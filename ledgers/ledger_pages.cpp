#include "ledgers/ledger_pages.h"

#include "book/account_name_index.h"
#include "book/account_number_text.h"
#include "book/day_of_date.h"
#include "book/number_format.h"
#include "book/plain_text.h"
#include "book/tmain.h"
#include "toolkit/text_wrap.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// A reference as stored, its 14 characters without the NULs of a field never assigned.
std::string storedReference(const Book& book, std::int32_t line) {
    return withoutNuls(book.EntryIds[static_cast<std::size_t>(line)].raw());
}

} // namespace

TAccountCell tAccountRowCell(const TAccountRow& row, const AccountNameIndex& names, int dateStyle,
                             const LocaleInfo& locale, int decimals, bool onPaper) {
    const NumberMarks marks = marksOf(locale);
    TAccountCell cell;
    cell.text = tAccountRowText(row, names);
    cell.amount = row.TooLarge ? TooLargeToShow
                  : onPaper    ? formatAmount(row.Amount, decimals, marks, true)
                               : ledgerAmountText(row.Amount, decimals, marks);
    switch (row.Kind) {
    case TAccountRowKind::Contra:
        // A contra account without a name is an ordinary row with an empty name.
        cell.date = Tmain::FormatDateStyle(row.Date, dateStyle, locale);
        cell.line = row.Line;
        break;
    case TAccountRowKind::BroughtForward:
    case TAccountRowKind::CarriedDown:
        cell.bold = true;
        break;
    case TAccountRowKind::EmptyBroughtForward:
        cell.amount.clear();
        break;
    }
    return cell;
}

std::vector<TAccountPageRow> tAccountPage(const Book& book, const TAccountLedger& ledger, int first,
                                          int pageRows, const LocaleInfo& locale) {
    const AccountNameIndex names(book);
    std::vector<TAccountPageRow> page(static_cast<std::size_t>(std::max(pageRows + 1, 0)));
    for (int i = 0; i <= pageRows; ++i) {
        TAccountPageRow& row = page[static_cast<std::size_t>(i)];
        const int j = first + i;
        for (const auto& [cell, half] :
             {std::pair{&row.debit, &ledger.Debit}, std::pair{&row.credit, &ledger.Credit}})
            if (j >= 0 && j < static_cast<int>(half->Rows.size()))
                *cell = tAccountRowCell(half->Rows[static_cast<std::size_t>(j)], names,
                                        book.DateStyle, locale, ledger.Decimals, false);
    }
    return page;
}

int tAccountScrollMax(int ledgerRows, int pageRows) {
    if (ledgerRows < pageRows) return 0;
    return std::max(ledgerRows - (pageRows - 1), 0);
}

RunningBalanceCells runningBalanceRowCells(const Book& book, const RunningBalanceRow& row,
                                           const AccountNameIndex& names, const LocaleInfo& locale,
                                           std::string& suffix) {
    RunningBalanceCells c;
    c.date = Tmain::FormatDateStyle(row.Date, book.DateStyle, locale);
    c.reference = row.reference();
    c.account = names.name(row.Account);
    RunningBalanceFigures figures =
        shownFigures(row, Book::clampDecimals(book.DecimalsLedger), marksOf(locale), suffix);
    c.debit = std::move(figures.debit);
    c.credit = std::move(figures.credit);
    c.balance = std::move(figures.balance);
    suffix = balanceSuffix(row.Balance, suffix);
    c.line = row.Line;
    c.opening = row.Opening;
    return c;
}

std::vector<RunningBalanceCells> runningBalancePage(const Book& book,
                                                    const RunningBalanceLedger& ledger, int first,
                                                    int slots, const LocaleInfo& locale) {
    const AccountNameIndex names(book);
    std::vector<RunningBalanceCells> page;
    std::string suffix; // of the row painted before, for a balance of exactly 0
    const int count = static_cast<int>(ledger.Rows.size());
    for (int k = 0; k < slots && first + k < count; ++k) {
        if (first + k < 0) continue;
        page.push_back(runningBalanceRowCells(
            book, ledger.Rows[static_cast<std::size_t>(first + k)], names, locale, suffix));
    }
    return page;
}

int runningBalanceScrollMax(int rowCount, int visibleRows) {
    return std::max(rowCount + 2 - visibleRows, 0);
}

std::vector<std::pair<std::string, double>>
wrapJournalNote(const std::string& text, double left, double column,
                const std::function<double(const std::string&)>& width) {
    const std::string indent(14, ' ');
    std::vector<std::pair<std::string, double>> rows;
    // Every line centred by its own text, blanks at its ends left out.
    for (NoteLine& line :
         wrapNote(text, [&](const std::string& piece) { return width(indent + piece) >= column; }))
        rows.emplace_back(std::move(line.text),
                          left +
                              (line.placed ? (column - width(trimmedSpaces(line.text))) / 2 : 0));
    return rows;
}

JournalPage journalPage(const Book& book, const JournalList& list, int first,
                        const JournalPageMetrics& m, const LocaleInfo& locale) {
    JournalPage page;
    const int count = static_cast<int>(list.ShownLines.size());
    if (count == 0) return page;
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsJournal);
    double y = 58;
    auto dateOf = [&](int n) {
        return dayOfDate(book.EntryLines[static_cast<std::size_t>(list.ShownLines[n])].Date);
    };
    first = std::clamp(first, 0, count - 1);
    const int last = std::min(first + 163, count - 1);
    for (int n = first; n <= last; ++n) {
        const std::int32_t lineIndex = list.ShownLines[static_cast<std::size_t>(n)];
        // A list built on a longer journal (another book opened since) shows
        // no lines the journal no longer has; the list is ascending.
        if (lineIndex < 0 || lineIndex > book.LastEntryLine()) break;
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(lineIndex)];
        JournalPrintRow row;
        row.kind = JournalPrintRow::Line;
        row.y = y;
        row.line = lineIndex;
        const bool sameDate = n > 0 && dateOf(n - 1) == dateOf(n);
        if (n == first) {
            row.date = Tmain::FormatDateStyle(line.Date, book.DateStyle, locale);
            row.grey = sameDate;
        } else if (!sameDate) {
            row.date = Tmain::FormatDateStyle(line.Date, book.DateStyle, locale);
        }
        row.debit = line.Side == Side::Debit;
        row.name = Tmain::AccountNameByNumber(book, line.AccountNumber);
        row.folio = folioText(book, line.AccountNumber, marks.decimal);
        row.amount = formatAmount(line.Amount, decimals, marks, true);
        if (line.Side == Side::Debit || line.Side == Side::Credit) {
            page.rows.push_back(row);
            y += m.lineHeight;
        } else {
            // A line never filled prints its date only, on a row of its own.
            row.name.clear();
            row.folio.clear();
            row.amount.clear();
            page.rows.push_back(row);
            y += m.lineHeight;
        }
        const std::string note = trimmedSpaces(line.Details);
        if (!note.empty()) {
            int blanks = 2;
            if (note != "_") {
                std::string text = note;
                const std::string reference = storedReference(book, lineIndex);
                if (!trimmedSpaces(reference).empty()) text += " / " + reference;
                for (auto& [part, x] :
                     wrapJournalNote(text, m.noteLeft, m.noteColumn, m.noteWidth)) {
                    JournalPrintRow r;
                    r.kind = JournalPrintRow::Note;
                    r.y = y;
                    r.line = lineIndex;
                    r.note = part;
                    r.noteX = x;
                    page.rows.push_back(std::move(r));
                    y += m.lineHeight;
                }
                blanks = 1; // the note's last row takes the first of the two
            }
            for (int b = 0; b < blanks; ++b) {
                JournalPrintRow r;
                r.y = y;
                r.line = lineIndex;
                page.rows.push_back(r);
                y += m.lineHeight;
            }
        }
        page.itemLines.push_back(lineIndex);
        page.itemEnds.push_back(static_cast<std::int32_t>(y));
        if (y < m.height) ++page.visibleRows;
    }
    return page;
}

int journalItemAt(const JournalPage& page, double y) {
    if (y <= 58) return -1;
    const int items = static_cast<int>(page.itemLines.size());
    // Fully visible rows first, then the partly visible one below them.
    const int reach = std::min(page.visibleRows + 1, items);
    for (int r = 0; r < reach; ++r) {
        const double top = r == 0 ? 0 : page.itemEnds[static_cast<std::size_t>(r - 1)];
        if (y > top && y < page.itemEnds[static_cast<std::size_t>(r)]) return r;
    }
    return -1;
}

namespace {

// The smallest and the largest of some values; empty until the first.
template <class T> struct Extent {
    T low{}, high{};
    bool any = false;
    void take(T v) {
        if (!any || v < low) low = v;
        if (!any || v > high) high = v;
        any = true;
    }
};

// The dates of a period in the forms that print widest: its ends, and the
// 28th of December of their years (two-digit day and month).
std::vector<std::string> widestDates(const Extent<double>& dates, int dateStyle,
                                     const LocaleInfo& locale) {
    std::vector<std::string> out;
    if (!dates.any) return out;
    for (double d : {dates.low, dates.high}) {
        out.push_back(Tmain::FormatDateStyle(d, dateStyle, locale));
        int year = 0, month = 0, day = 0;
        Tmain::CalendarDate(d, year, month, day);
        if (year >= 100 && year <= 9999)
            out.push_back(
                Tmain::FormatDateStyle(Tmain::DayNumber(year, 12, 28), dateStyle, locale));
    }
    return out;
}

template <class Format>
std::vector<std::string> widestAmounts(const Extent<Currency>& amounts, Format format) {
    if (!amounts.any) return {};
    return {format(amounts.low), format(amounts.high)};
}

} // namespace

TAccountWidest tAccountWidest(const Book& book, const TAccountLedger& ledger,
                              const LocaleInfo& locale) {
    const NumberMarks marks = marksOf(locale);
    Extent<double> dates;
    auto amountsOf = [&](const TAccountHalf& half) {
        Extent<Currency> amounts;
        bool tooLarge = false;
        for (const TAccountRow& row : half.Rows) {
            amounts.take(row.Amount);
            tooLarge = tooLarge || row.TooLarge;
            if (row.Kind != TAccountRowKind::Contra) continue;
            dates.take(row.Date);
        }
        std::vector<std::string> texts = widestAmounts(
            amounts, [&](Currency a) { return ledgerAmountText(a, ledger.Decimals, marks); });
        if (tooLarge) texts.emplace_back(TooLargeToShow);
        return texts;
    };
    TAccountWidest w;
    w.debitAmounts = amountsOf(ledger.Debit);
    w.creditAmounts = amountsOf(ledger.Credit);
    w.dates = widestDates(dates, book.DateStyle, locale);
    return w;
}

RunningBalanceWidest runningBalanceWidest(const Book& book, const RunningBalanceLedger& ledger,
                                          const LocaleInfo& locale) {
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsLedger);
    Extent<double> dates;
    Extent<Currency> debits, credits, balances;
    bool debitTooLarge = false, creditTooLarge = false, balanceTooLarge = false;
    // Each reference once: its width in the font, not its count of
    // characters, decides which is widest.
    std::set<std::string> references;
    for (const RunningBalanceRow& row : ledger.Rows) {
        dates.take(row.Date);
        (row.Credit ? credits : debits).take(row.Amount);
        (row.Credit ? creditTooLarge : debitTooLarge) |= row.AmountTooLarge;
        balances.take(row.Balance);
        balanceTooLarge |= row.BalanceTooLarge;
        references.insert(row.reference());
    }
    auto amount = [&](Currency a) { return formatAmount(a, decimals, marks, true); };
    RunningBalanceWidest w;
    w.dates = widestDates(dates, book.DateStyle, locale);
    w.references.assign(references.begin(), references.end());
    w.debits = widestAmounts(debits, amount);
    w.credits = widestAmounts(credits, amount);
    // The balance shows its size with either suffix.
    for (const std::string& size : widestAmounts(balances, [&](Currency a) {
             std::string t = formatAmount(a, decimals, marks, false);
             return t.empty() || t[0] != '-' ? t : t.substr(1);
         }))
        for (const char* suffix : {" Dr", " Cr"})
            w.balances.push_back(size + suffix);
    for (const auto& [texts, tooLarge] : {std::pair{&w.debits, debitTooLarge},
                                          {&w.credits, creditTooLarge},
                                          {&w.balances, balanceTooLarge}})
        if (tooLarge) texts->emplace_back(TooLargeToShow);
    return w;
}

JournalWidest journalWidest(const Book& book, const JournalList& list, const LocaleInfo& locale) {
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsJournal);
    Extent<double> dates;
    Extent<Currency> debits, credits;
    // Each account number once: its width in the font, not its count of
    // characters, decides which is widest.
    std::set<std::int64_t> folios{0};
    for (const std::int32_t n : list.ShownLines) {
        if (n < 0 || n > book.LastEntryLine()) continue;
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(n)];
        dates.take(line.Date);
        if (line.Side == Side::Debit) debits.take(line.Amount);
        if (line.Side == Side::Credit) credits.take(line.Amount);
        folios.insert(line.AccountNumber.raw);
    }
    auto amount = [&](Currency a) { return formatAmount(a, decimals, marks, true); };
    JournalWidest w;
    w.dates = widestDates(dates, book.DateStyle, locale);
    for (const std::int64_t folio : folios)
        w.folios.push_back(folioText(book, Currency::fromRaw(folio), marks.decimal));
    w.debits = widestAmounts(debits, amount);
    w.credits = widestAmounts(credits, amount);
    return w;
}

std::optional<std::string> entryDetailText(const Book& book, std::int32_t line) {
    if (line < 0 || line > book.LastEntryLine()) return std::nullopt;
    for (std::int32_t k = 0; k < 30 && line + k <= book.LastEntryLine(); ++k) {
        const std::string& details = book.EntryLines[static_cast<std::size_t>(line + k)].Details;
        if (!trimmedSpaces(details).empty())
            return details + std::string(10, ' ') + storedReference(book, line);
    }
    return std::nullopt;
}
