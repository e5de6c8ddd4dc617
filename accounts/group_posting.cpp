#include "accounts/group_posting.h"

#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>
#include <cmath>
#include <limits>

void takeGroup(Book& book, int group) {
    if (group < 0 || group >= GroupTotal) return;
    book.RecurringLines = book.EntryGroups[static_cast<std::size_t>(group)];
}

std::int64_t referenceNumber(const std::string& text) {
    const double value = std::nearbyint(Tmain::LeadingNumberValue(text));
    if (!(value > 0)) return 0;
    if (value >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(value);
}

namespace {

// The reference the first posted line takes: the next one asked with that
// line in place (the reference reading passes over the journal's last line).
std::int64_t firstReference(Book& book) {
    book.resizeJournal(book.EntryLines.size() + 1);
    const std::int64_t ref = referenceNumber(Tmain::NextEntryId(book, "."));
    book.resizeJournal(book.EntryLines.size() - 1);
    return ref;
}

// The reference of the line after one with `details`: the next number once
// an entry is closed.
std::int64_t referenceAfter(std::int64_t ref, const std::string& details) {
    return closesEntry(details) && ref < std::numeric_limits<std::int64_t>::max() ? ref + 1 : ref;
}

// The highest reference the lines take from `first` on.
std::int64_t lastReference(const std::vector<EntryLine>& lines, std::int64_t first) {
    std::int64_t ref = first;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        ref = referenceAfter(ref, lines[i].Details);
    return ref;
}

std::string referenceTooLongText() {
    return "Nothing was posted: its references would pass " + largestReference() +
           ", the largest a reference holds.";
}

} // namespace

std::optional<std::int32_t> postEntryGroup(Book& book, RunTimeState& run, double today) {
    const std::vector<EntryLine>& lines = book.RecurringLines;
    if (lines.empty()) return book.LastEntryLine();
    const std::int64_t first = firstReference(book);
    if (book.autoIncrementOn()) {
        if (std::to_string(lastReference(lines, first)).size() > largestReference().size()) {
            showMessage(referenceTooLongText());
            return std::nullopt;
        }
    }
    if (!book.EntryLines.empty()) {
        std::string& end = book.EntryLines.back().Details;
        end = storedNote(end);
    }
    // push_back grows the journal geometrically: an exact reserve per posting
    // would copy the whole journal every time.
    const double day = std::floor(today);
    std::int64_t ref = first;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EntryLine line = lines[i];
        line.Date = day;
        line.Reconciled = 0;
        book.EntryLines.push_back(std::move(line));
        book.EntryIds.emplace_back();
        if (book.autoIncrementOn()) book.EntryIds.back() = EntryId(std::to_string(ref));
        ref = referenceAfter(ref, lines[i].Details);
    }
    run.CurrentFirstLine = std::max(0, book.LastEntryLine());
    run.BookChanged = true;
    return book.LastEntryLine();
}

DropPlace dropDownPlace(const IncludeButtonPlace& b, int dropWidth, int dropHeight) {
    DropPlace p;
    p.left = b.buttonLeft + b.mainLeft + (b.buttonWidth - 20) + 120 - dropWidth;
    p.top = b.frameHeight + b.buttonTop + b.mainTop - dropHeight - 120;
    return p;
}
