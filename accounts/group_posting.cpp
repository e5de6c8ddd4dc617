#include "accounts/group_posting.h"

#include "book/book_change.h"
#include "book/day_of_date.h"
#include "book/entry_reference.h"
#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>
#include <cmath>

void takeGroup(Book& book, int group) {
    if (group < 0 || group >= GroupTotal) return;
    book.RecurringLines = book.EntryGroups[static_cast<std::size_t>(group)];
}

std::optional<std::int32_t> postEntryGroup(Book& book, RunTimeState& run, double today) {
    const std::vector<EntryLine>& group = book.RecurringLines;
    if (group.empty()) return book.LastEntryLine();
    // Asked once; each later entry of the group takes the one after.
    const std::string& mark = run.DecimalSeparator;
    std::string reference = Tmain::NextEntryId(book, mark);

    // The posted lines and their references are made beside the journal.
    const double day = dayOfDate(today);
    std::vector<EntryLine> lines;
    std::vector<EntryId> ids;
    lines.reserve(group.size());
    ids.reserve(group.size());
    for (const EntryLine& stored : group) {
        EntryLine line = stored;
        line.Date = day;
        line.Reconciled = 0;
        lines.push_back(std::move(line));
        if (!book.autoIncrementOn()) {
            ids.emplace_back();
            continue;
        }
        if (!referenceFits(reference)) {
            showMessage(referenceTooLongText());
            return std::nullopt;
        }
        ids.emplace_back(reference);
        // The next entry takes the next reference.
        if (closesEntry(stored.Details)) reference = referenceAfter(reference, mark);
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
