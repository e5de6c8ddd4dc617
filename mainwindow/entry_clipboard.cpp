#include "mainwindow/entry_clipboard.h"

#include "book/entry_reference.h"
#include "book/tmain.h"
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

    // Every line is checked before anything is appended.
    if (const std::string refusal = clipPasteRefusal(*lines); !refusal.empty()) {
        showMessage(refusal);
        return out;
    }

    // The lines and their references are made beside the journal.
    const std::string& mark = run_.DecimalSeparator;
    const double today = todayNumber();
    std::vector<EntryLine> added;
    std::vector<EntryId> ids;
    added.reserve(lines->size());
    ids.reserve(lines->size());
    bool startsEntry = true;
    std::string reference;
    for (ClipLine& clip : *lines) {
        if (startsEntry && book_.autoIncrementOn()) {
            // The first entry takes the journal's next reference, each later one the one after.
            reference =
                added.empty() ? Tmain::NextEntryId(book_, mark) : referenceAfter(reference, mark);
            if (!referenceFits(reference)) {
                showMessage(referenceTooLongText());
                return out;
            }
        }
        EntryLine line;
        line.Date = today;
        line.Side = clip.side;
        line.AccountNumber = clip.account;
        line.Amount = clip.amount;
        line.Details = std::move(clip.note);
        startsEntry = closesEntry(line.Details);
        added.push_back(std::move(line));
        ids.push_back(book_.autoIncrementOn() ? EntryId(reference) : EntryId());
    }

    BookChange change(book_, run_);
    change.closeJournalEnd();
    const std::int32_t firstPasted = book_.LastEntryLine() + 1;
    change.appendLines(std::move(added), std::move(ids));
    model_.showEntryHolding(firstPasted, change);
    out.changed = true;
    out.showLine = firstPasted;
    change.commit();
    return out;
}
