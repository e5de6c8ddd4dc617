#include "mainwindow/entry_model.h"

#include "book/account_number_text.h"
#include "book/tmain.h"
#include "book/typed_input.h"
#include "resources/string_table.h"

#include <algorithm>

namespace {

std::string trimBlanks(const std::string& s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

} // namespace

std::int32_t lockedBelowFor(const Book& book) {
    return book.AdminPassword.str().empty() ? 0 : book.LastEntryLine() - 30;
}

EntryModel::EntryModel(Book& book, RunTimeState& run, LocaleInfo locale) : book_(book), run_(run) {
    setLocale(locale);
}

void EntryModel::setLocale(const LocaleInfo& locale) {
    locale_ = locale;
    locale_.decimalMark = decimalMarkOf(locale);
}

void EntryModel::showEntryHolding(std::int32_t line) {
    const EntryBounds b = findEntryBounds(book_, line);
    show(b, nullptr);
    // A mark byte a damaged book may hold reads as open.
    if (!journalEmpty() && book_.EntryLines[b.first].Reconciled > 1)
        book_.EntryLines[b.first].Reconciled = 0;
}

void EntryModel::showEntryHolding(std::int32_t line, BookChange& change) {
    const EntryBounds b = findEntryBounds(book_, line);
    if (!journalEmpty() && book_.EntryLines[b.first].Reconciled > 1)
        change.replaceInLine(static_cast<std::size_t>(b.first), &EntryLine::Reconciled,
                             std::uint8_t{0});
    show(b, &change);
}

EntryBounds EntryModel::clampedBounds() const {
    const std::int32_t last = book_.LastEntryLine();
    if (last < 0) return {0, -1};
    const std::int32_t first = std::clamp(run_.CurrentFirstLine, 0, last);
    return {first, std::clamp(run_.CurrentLastLine, first, last)};
}

void EntryModel::refresh() {
    show(clampedBounds(), nullptr);
}

void EntryModel::refresh(BookChange& change) {
    show(clampedBounds(), &change);
}

void EntryModel::show(EntryBounds b, BookChange* change) {
    Rows rows = rowsOf(b);
    if (change)
        change->replace(rows_, std::move(rows));
    else
        std::swap(rows_, rows);
    run_.CurrentFirstLine = b.first;
    run_.CurrentLastLine = b.last;
    run_.RowBase = b.first;
    run_.LockedBelow = lockedBelowFor(book_);
}

EntryRow EntryModel::rowFor(std::int32_t line) const {
    const EntryLine& l = book_.EntryLines[line];
    EntryRow row;
    row.line = line;
    row.folio = lineFolioText(book_, l.AccountNumber, locale_.decimalMark);
    row.name = Tmain::AccountNameByNumber(book_, l.AccountNumber);
    row.amount = amountBoxText(l.Amount, locale_.decimalMark);
    return row;
}

EntryModel::Rows EntryModel::rowsOf(EntryBounds b) const {
    Rows rows;
    for (std::int32_t line = b.first; line <= b.last; ++line) {
        const std::uint8_t side = book_.EntryLines[line].Side;
        if (side == Debit) {
            if (static_cast<int>(rows.debit.size()) < EntryRowsPerSide)
                rows.debit.push_back(rowFor(line));
            else
                ++rows.hiddenDebit;
        } else if (side == Credit) {
            if (static_cast<int>(rows.credit.size()) < EntryRowsPerSide)
                rows.credit.push_back(rowFor(line));
            else
                ++rows.hiddenCredit;
        }
    }
    return rows;
}

std::int32_t EntryModel::debitRowLine(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.debit.size()) ? rows_.debit[row].line : -1;
}

std::int32_t EntryModel::creditRowLine(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.credit.size()) ? rows_.credit[row].line : -1;
}

std::string EntryModel::positionText() const {
    std::string text = strings::text(183) + " " + std::to_string(run_.CurrentFirstLine / 2 + 1);
    if (run_.CurrentFirstLine < run_.CurrentLastLine - 1)
        text += " - " + std::to_string(run_.CurrentLastLine / 2 + 1);
    return text;
}

std::string EntryModel::reference() const {
    if (journalEmpty()) return {};
    return trimBlanks(book_.EntryIds[run_.CurrentFirstLine].shown());
}

std::string EntryModel::dateText() const {
    if (journalEmpty()) return {};
    return Tmain::FormatDateStyle(book_.EntryLines[run_.CurrentFirstLine].Date, book_.DateStyle,
                                  locale_);
}

std::string EntryModel::noteText() const {
    if (journalEmpty()) return {};
    std::string note = trimBlanks(book_.EntryLines[run_.CurrentLastLine].Details);
    return note == "_" ? std::string() : note;
}

bool EntryModel::reconciled() const {
    return !journalEmpty() && book_.EntryLines[run_.CurrentFirstLine].Reconciled == 1;
}

bool EntryModel::locked() const {
    return run_.RowBase < run_.LockedBelow;
}

std::string EntryModel::statusText() const {
    const int hidden = rows_.hiddenDebit + rows_.hiddenCredit;
    if (hidden == 0) return {};
    // Short enough for the status line at the window's smallest, the count first.
    return std::to_string(hidden) + (hidden == 1 ? " line" : " lines") +
           " not shown: each side shows its first " + std::to_string(EntryRowsPerSide) + ".";
}

std::vector<std::string> accountBoxNames(const Book& book) {
    std::vector<std::string> names;
    if (!book.EntryAccountList.empty()) {
        names.reserve(book.EntryAccountList.size());
        for (const VariantText& t : book.EntryAccountList)
            names.push_back(t.str());
        return names;
    }
    for (const std::string& name : book.AccountNames)
        if (!name.empty()) names.push_back(name);
    return names;
}
