#include "mainwindow/entry_clipboard.h"

#include "book/tmain.h"
#include "mainwindow/entry_commands.h"
#include "mainwindow/entry_input.h"
#include "platform/services.h"

#include <algorithm>

EntryClipboard::EntryClipboard(Book& book, RunTimeState& run, EntryModel& model)
    : book_(book), run_(run), model_(model) {}

void EntryClipboard::copyEntry() {
    if (model_.journalEmpty()) return;
    services().clipboard->setText(EntryClipText(book_, run_.CurrentFirstLine, run_.CurrentLastLine,
                                                model_.locale().decimalMark));
}

EntryOutcome EntryClipboard::pasteEntries() {
    return pasteText(services().clipboard->text());
}

EntryOutcome EntryClipboard::pasteText(const std::string& text) {
    EntryOutcome out;
    const NumberMarks marks = marksOf(model_.locale());
    std::optional<std::vector<ClipLine>> lines = readEntryClipText(text, marks);
    if (!lines || lines->empty()) return out;
    lines->back().note = storedNote(lines->back().note);

    // Every entry is checked before anything is appended.
    if (!clipEntriesFit(*lines)) {
        showMessage(clipEntriesTooLongText());
        return out;
    }

    const std::string endNote = book_.EntryLines.empty() ? "" : book_.EntryLines.back().Details;
    closeJournalEnd(book_);
    const std::int32_t firstPasted = book_.LastEntryLine() + 1;
    const double today = todayNumber();
    book_.EntryLines.reserve(book_.EntryLines.size() + lines->size());
    book_.EntryIds.reserve(book_.EntryIds.size() + lines->size());
    bool startsEntry = true;
    EntryId id;
    for (ClipLine& clip : *lines) {
        EntryLine line;
        line.Date = today;
        line.Side = clip.side;
        line.AccountNumber = clip.account;
        line.Amount = clip.amount;
        line.Details = std::move(clip.note);
        const bool endsEntry = closesEntry(line.Details);
        book_.EntryLines.push_back(std::move(line));
        book_.EntryIds.emplace_back();
        if (startsEntry && book_.autoIncrementOn()) {
            const std::optional<EntryId> next =
                nextFittingReference(book_, model_.locale().decimalMark);
            if (!next) { // nothing pasted: the journal goes back as it was
                book_.resizeJournal(static_cast<std::size_t>(firstPasted));
                if (!book_.EntryLines.empty()) book_.EntryLines.back().Details = endNote;
                showMessage(referenceTooLongText());
                return out;
            }
            id = *next;
        }
        if (book_.autoIncrementOn()) book_.EntryIds.back() = id;
        startsEntry = endsEntry;
    }
    run_.BookChanged = true;
    out.changed = true;
    model_.showEntryHolding(firstPasted);
    out.showLine = firstPasted;
    return out;
}
