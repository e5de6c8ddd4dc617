#include "accounts/group_posting.h"

#include "book/tmain.h"

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

std::int32_t postEntryGroup(Book& book, RunTimeState& run, double today) {
    const std::vector<EntryLine>& lines = book.RecurringLines;
    if (lines.empty()) return book.LastEntryLine();
    if (!book.EntryLines.empty()) {
        std::string& end = book.EntryLines.back().Details;
        end = storedNote(end);
    }
    // push_back grows the journal geometrically: an exact reserve per posting
    // would copy the whole journal every time.
    const double day = std::floor(today);
    std::int64_t ref = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EntryLine line = lines[i];
        line.Date = day;
        line.Reconciled = 0;
        book.EntryLines.push_back(std::move(line));
        book.EntryIds.emplace_back();
        if (i == 0) ref = referenceNumber(Tmain::NextEntryId(book, "."));
        if (book.autoIncrementOn()) book.EntryIds.back() = EntryId(std::to_string(ref));
        if (closesEntry(lines[i].Details) && ref < std::numeric_limits<std::int64_t>::max()) ++ref;
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
