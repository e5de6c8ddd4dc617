#include "accounts/group_posting.h"

#include "book/book_change.h"
#include "book/entry_reference.h"
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

// The reference of the line after one with `details`: the next number once
// an entry is closed.
std::int64_t referenceAfterLine(std::int64_t ref, const std::string& details) {
    return closesEntry(details) && ref < std::numeric_limits<std::int64_t>::max() ? ref + 1 : ref;
}

} // namespace

std::optional<std::int32_t> postEntryGroup(Book& book, RunTimeState& run, double today) {
    const std::vector<EntryLine>& group = book.RecurringLines;
    if (group.empty()) return book.LastEntryLine();
    // Asked once, as with the first posted line in place (so the journal's
    // last line counts).
    const std::int64_t first = referenceNumber(Tmain::NextEntryId(book, ".", 1));

    // The posted lines and their references are made beside the journal.
    const double day = std::floor(today);
    std::vector<EntryLine> lines;
    std::vector<EntryId> ids;
    lines.reserve(group.size());
    ids.reserve(group.size());
    std::int64_t ref = first;
    for (const EntryLine& stored : group) {
        EntryLine line = stored;
        line.Date = day;
        line.Reconciled = 0;
        lines.push_back(std::move(line));
        ids.push_back(book.autoIncrementOn() ? EntryId(std::to_string(ref)) : EntryId());
        if (book.autoIncrementOn() && !referenceFits(std::to_string(ref))) {
            showMessage(referenceTooLongText());
            return std::nullopt;
        }
        ref = referenceAfterLine(ref, stored.Details);
    }

    BookChange change(book, run);
    change.closeJournalEnd();
    change.appendLines(std::move(lines), std::move(ids));
    run.CurrentFirstLine = std::max(0, book.LastEntryLine());
    change.commit();
    return book.LastEntryLine();
}

DropPlace dropDownPlace(const IncludeButtonPlace& b, int dropWidth, int dropHeight) {
    DropPlace p;
    p.left = b.buttonLeft + b.mainLeft + (b.buttonWidth - 20) + 120 - dropWidth;
    p.top = b.frameHeight + b.buttonTop + b.mainTop - dropHeight - 120;
    return p;
}
