#include "mainwindow/compound_entry.h"

#include "book/number_format.h"
#include "book/typed_input.h"
#include "book/wide_sum.h"
#include "mainwindow/entry_input.h"
#include "mainwindow/entry_totals.h"

#include <algorithm>
#include <utility>
#include <vector>

CompoundEntryEditor::CompoundEntryEditor(Book& book, RunTimeState& run, EntryModel& model)
    : book_(book), run_(run), model_(model) {}

bool CompoundEntryEditor::editable() const {
    return !model_.journalEmpty() && !model_.locked() && run_.CurrentFirstLine >= 0 &&
           run_.CurrentLastLine <= book_.LastEntryLine();
}

bool CompoundEntryEditor::canAddLine() const {
    return editable() && run_.CurrentLastLine == book_.LastEntryLine();
}

EntryOutcome CompoundEntryEditor::addLine(EntrySide side) {
    EntryOutcome out;
    if (!canAddLine()) {
        out.status = StatusUpdate{"Lines can be added only to the newest entry of the journal",
                                  StatusColour::Red};
        return out;
    }
    const std::int32_t first = run_.CurrentFirstLine;
    const EntryTotals before = sumEntry(book_, first, run_.CurrentLastLine);
    const bool debit = side == EntrySide::Debit;
    const std::uint8_t sideByte = debit ? Debit : Credit;
    // The lines a side holds, counted as the text forms count them.
    EntrySideCount sides;
    for (std::int32_t i = first; i <= run_.CurrentLastLine; ++i)
        sides.add(book_.EntryLines[i].Side);
    out.hideDebitAddLine = !sides.roomFor(Debit);
    out.hideCreditAddLine = !sides.roomFor(Credit);
    if (!sides.roomFor(sideByte)) {
        sides.add(sideByte);
        out.status = StatusUpdate{"The line was not added: the entry would have " +
                                      sides.tooManyText("text or CSV form") + ".",
                                  StatusColour::Red};
        return out;
    }

    // The entry's lines with the new one, made beside the journal. The note
    // moves from the old last line to the new one; debit lines come first,
    // a stable order by side.
    const std::int32_t last = run_.CurrentLastLine;
    std::vector<std::pair<EntryLine, EntryId>> lines;
    lines.reserve(static_cast<std::size_t>(last - first) + 2);
    for (std::int32_t i = first; i <= last; ++i)
        lines.emplace_back(book_.EntryLines[i], book_.EntryIds[i]);
    std::string note = std::move(lines.back().first.Details);
    lines.back().first.Details.clear();
    EntryLine line;
    line.Date = lines.back().first.Date;
    line.Side = sideByte;
    const EntryId id = lines.back().second;
    lines.emplace_back(std::move(line), id);
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.first.Side < b.first.Side; });
    lines.back().first.Details = storedNote(note);
    std::vector<EntryLine> entry;
    std::vector<EntryId> ids;
    entry.reserve(lines.size());
    ids.reserve(lines.size());
    for (auto& [l, i] : lines) {
        entry.push_back(std::move(l));
        ids.push_back(i);
    }

    // The entry is the journal's last: its lines give way to the new ones.
    BookChange change(book_, run_);
    change.removeLines(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
    change.appendLines(std::move(entry), std::move(ids));
    run_.CurrentLastLine = book_.LastEntryLine();
    model_.refresh(change);
    change.commit();
    out.changed = true;
    out.rearrange = true;

    sides.add(sideByte);
    if (!sides.roomFor(sideByte)) (debit ? out.hideDebitAddLine : out.hideCreditAddLine) = true;
    const int sideLines = debit ? before.debitLines + 1 : before.creditLines + 1;
    out.focus = debit ? FocusTarget::DebitAmount : FocusTarget::CreditAmount;
    out.focusRow = std::min(sideLines, EntryRowsPerSide) - 1;
    return out;
}

EntryOutcome CompoundEntryEditor::balance() {
    EntryOutcome out;
    if (!editable()) return out;
    const NumberMarks marks = marksOf(model_.locale());
    const EntryTotals totals = sumEntry(book_, run_.CurrentFirstLine, run_.CurrentLastLine);
    if (totals.debitLines == 0 || totals.creditLines == 0) return out;

    const std::int32_t debitLine = model_.debitRowLine(0);
    const std::int32_t creditLine = model_.creditRowLine(0);
    if (debitLine < 0 || creditLine < 0) return out;

    bool fillDebit;
    if (totals.debitLines == 1 && totals.creditLines == 1) {
        if (!book_.EntryLines[debitLine].Amount.isZero())
            fillDebit = false;
        else if (!book_.EntryLines[creditLine].Amount.isZero())
            fillDebit = true;
        else
            return out;
    } else {
        fillDebit = totals.creditLines >= 2;
    }

    const std::int32_t line = fillDebit ? debitLine : creditLine;
    const Currency amount = book_.EntryLines[line].Amount;
    // The amount that makes this side's total equal the other side's, from
    // the wide totals: a side may pass the range while that amount fits.
    const WideSum sideTotal = fillDebit ? totals.debitSum : totals.creditSum;
    const WideSum otherTotal = fillDebit ? totals.creditSum : totals.debitSum;
    const WideSum wideNeeded = otherTotal - sideTotal + WideSum{amount.raw};
    const std::optional<Currency> needed = wideNeeded.checked();
    if (!needed && wideNeeded.raw > 0) {
        out.status = StatusUpdate{"The amount that would balance this entry is too large to hold",
                                  StatusColour::Red};
        return out;
    }
    if (!needed || *needed < Currency()) {
        out.status = StatusUpdate{std::string("The other ") + (fillDebit ? "debit" : "credit") +
                                      " lines already total more than the " +
                                      (fillDebit ? "credit" : "debit") +
                                      " lines: the first line cannot balance the entry",
                                  StatusColour::Red};
        return out;
    }
    BookChange change(book_, run_);
    if (amount != *needed) {
        change.replaceInLine(static_cast<std::size_t>(line), &EntryLine::Amount, *needed);
        out.changed = true;
        model_.refresh(change);
    }
    out.amountText = amountBoxText(*needed, marks.decimal);
    const EntryTotals after = sumEntry(book_, run_.CurrentFirstLine, run_.CurrentLastLine);
    out.status = entryTotalsStatus(after, marks);
    out.balancingButton = balancingButtonFor(after);
    out.focus = fillDebit ? FocusTarget::DebitAmount : FocusTarget::CreditAmount;
    out.focusRow = 0;
    if (out.changed) change.commit();
    return out;
}
