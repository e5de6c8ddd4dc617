#include "ledgers/journal_list.h"

#include "book/account_number_text.h"
#include "book/entry_index.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Case-insensitive containment; `needle` is already lower case.
bool holds(const std::string& haystack, const std::string& needle) {
    if (needle.empty()) return true;
    const auto it = std::search(
        haystack.begin(), haystack.end(), needle.begin(), needle.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    return it != haystack.end();
}

// Exact sums of an entry's two sides: no amount can overflow them.
struct SideSums {
    __int128 debits = 0;
    __int128 credits = 0;
    void add(const EntryLine& line) {
        if (line.Side == Debit)
            debits += line.Amount.raw;
        else if (line.Side == Credit)
            credits += line.Amount.raw;
    }
};

} // namespace

JournalMode journalModeFor(std::uint8_t searchPending, std::int16_t searchMode) {
    if (searchPending == 0) return JournalMode::Account;
    switch (searchMode) {
    case 0:
        return JournalMode::NoteSearch;
    case 1:
        return JournalMode::ReferenceSearch;
    case 2:
        return JournalMode::Unbalanced;
    default:
        return JournalMode::NoMatch;
    }
}

JournalList buildJournalList(const Book& book, const JournalOptions& options) {
    JournalList list;
    const LedgerPeriod period(options.fromDate, options.toDate);
    list.FromDate = period.fromDate();
    list.ToDate = period.toDate();
    list.AllAccounts = options.account.isZero();
    const AccountMatch match(options.account);
    if (!list.AllAccounts) {
        list.SelectedAccount = match.folded();
        list.Folio = folioText(book, options.account, options.marks.decimal);
    }
    if (options.mode == JournalMode::NoMatch) return list;

    const EntryIndex entries(book);
    const std::string needle = lowered(options.searchText);
    ProgressPacer progress(book, options.progress);
    const auto lines = static_cast<std::int32_t>(book.EntryLines.size());
    SideSums sums;

    for (std::int32_t i = 0; i < lines; ++i) {
        progress.at(i);
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        bool hit = false;
        switch (options.mode) {
        case JournalMode::Account:
            hit = !(options.reconcileMode && line.Reconciled == 1) &&
                  (list.AllAccounts || match.matches(line.AccountNumber));
            break;
        case JournalMode::NoteSearch:
            hit = holds(line.Details, needle);
            break;
        case JournalMode::ReferenceSearch:
            hit = holds(book.EntryIds[static_cast<std::size_t>(i)].raw(), needle);
            break;
        case JournalMode::Unbalanced:
            sums.add(line);
            if (entries.last(i) == i) {
                hit = sums.debits != sums.credits;
                sums = SideSums();
            }
            break;
        case JournalMode::NoMatch:
            break;
        }
        if (!hit) continue;
        if (!period.within(line.Date)) continue;

        // Gather the whole entry once, when it touches the chosen account.
        const EntryBounds entry = entries.bounds(i);
        bool touches = list.AllAccounts;
        for (std::int32_t k = entry.first; k <= entry.last && !touches; ++k)
            touches = match.matches(book.EntryLines[static_cast<std::size_t>(k)].AccountNumber);
        if (!touches) continue;
        for (std::int32_t k = entry.first; k <= entry.last; ++k)
            list.ShownLines.push_back(k);
        ++list.EntryCount;
        // Unbalanced sums restart at the next entry, which begins after this one.
        i = entry.last;
    }
    return list;
}
