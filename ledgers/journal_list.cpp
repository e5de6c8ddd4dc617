#include "ledgers/journal_list.h"

#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/entry_index.h"
#include "book/text_encoding.h"
#include "book/wide_sum.h"

#include <algorithm>
#include <utility>

namespace {

// A search text found in notes or references in any case. A text with a
// letter in it is compared case-folded; one without (digits, marks, stray
// bytes) byte for byte.
class SearchText {
  public:
    explicit SearchText(const std::string& text) : text_(encoding::caseFolded(text)) {
        std::size_t pos = 0;
        while (pos < text.size() && !folds_) {
            const auto byte = static_cast<unsigned char>(text[pos]);
            const std::size_t length = encoding::characterLength(text, pos);
            // An ASCII letter, or any character beyond ASCII (whole, not a stray byte).
            const unsigned char small = byte | 0x20;
            folds_ = (small >= 'a' && small <= 'z') || (byte >= 0x80 && length > 1);
            pos += length;
        }
        if (!folds_) text_ = text;
    }
    bool foundIn(const std::string& haystack) const {
        if (text_.empty()) return true;
        if (!folds_) return haystack.find(text_) != std::string::npos;
        return encoding::caseFolded(haystack).find(text_) != std::string::npos;
    }

  private:
    std::string text_;
    bool folds_ = false;
};

// Exact sums of an entry's two sides: no amount can overflow them.
struct SideSums {
    WideSum debits;
    WideSum credits;
    void add(const EntryLine& line) {
        if (line.Side == Debit)
            debits += line.Amount;
        else if (line.Side == Credit)
            credits += line.Amount;
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
    list.AllAccounts = !isAccountNumber(options.account);
    const AccountMatch match(options.account);
    if (!list.AllAccounts) {
        list.SelectedAccount = match.folded();
        list.Folio = folioText(book, options.account, options.marks.decimal);
    }
    if (options.mode == JournalMode::NoMatch) return list;

    const EntryIndex entries(book);
    const SearchText needle(options.searchText);
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
            hit = needle.foundIn(line.Details);
            break;
        case JournalMode::ReferenceSearch:
            hit = needle.foundIn(book.EntryIds[static_cast<std::size_t>(i)].raw());
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
