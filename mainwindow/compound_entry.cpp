#include "mainwindow/compound_entry.h"

#include "book/number_format.h"
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
    out.hideDebitAddLine = before.debitLines >= MaxLinesPerSide;
    out.hideCreditAddLine = before.creditLines >= MaxLinesPerSide;
    if (debit ? out.hideDebitAddLine : out.hideCreditAddLine) return out;

    // The note moves from the old last line to the new one.
    std::string note = std::move(book_.EntryLines.back().Details);
    book_.EntryLines.back().Details.clear();
    EntryLine line;
    line.Date = book_.EntryLines.back().Date;
    line.Side = debit ? Debit : Credit;
    const EntryId id = book_.EntryIds.back();
    book_.EntryLines.push_back(line);
    book_.EntryIds.push_back(id);
    run_.CurrentLastLine = book_.LastEntryLine();

    // Debit lines first: a stable order by side over the entry's lines.
    std::vector<std::pair<EntryLine, EntryId>> lines;
    for (std::int32_t i = first; i <= run_.CurrentLastLine; ++i)
        lines.emplace_back(std::move(book_.EntryLines[i]), book_.EntryIds[i]);
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.first.Side < b.first.Side; });
    for (std::size_t k = 0; k < lines.size(); ++k) {
        book_.EntryLines[first + k] = std::move(lines[k].first);
        book_.EntryIds[first + k] = lines[k].second;
    }
    book_.EntryLines[run_.CurrentLastLine].Details = storedNote(note);

    run_.BookChanged = true;
    out.changed = true;
    out.rearrange = true;
    model_.refresh();

    const int sideLines = debit ? before.debitLines + 1 : before.creditLines + 1;
    if (sideLines >= MaxLinesPerSide) (debit ? out.hideDebitAddLine : out.hideCreditAddLine) = true;
    out.focus = debit ? FocusTarget::DebitAmount : FocusTarget::CreditAmount;
    out.focusRow = std::min(sideLines, EntryRowsPerSide) - 1;
    return out;
}

EntryOutcome CompoundEntryEditor::balance() {
    EntryOutcome out;
    if (!editable()) return out;
    const NumberMarks marks = marksOf(model_.locale());
    const EntryTotals totals = sumEntry(book_, run_.CurrentFirstLine, run_.CurrentLastLine);
    if (totals.overflow) {
        out.status = entryTotalsStatus(totals, marks);
        return out;
    }
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
    Currency& amount = book_.EntryLines[line].Amount;
    // The amount that makes this side's total equal the other side's.
    const Currency sideTotal = fillDebit ? totals.debit : totals.credit;
    const Currency otherTotal = fillDebit ? totals.credit : totals.debit;
    std::optional<Currency> restOfSide = checkedSub(sideTotal, amount);
    std::optional<Currency> needed =
        restOfSide ? checkedSub(otherTotal, *restOfSide) : std::optional<Currency>();
    if (!needed || *needed < Currency()) {
        out.status = StatusUpdate{std::string("The other ") + (fillDebit ? "debit" : "credit") +
                                      " lines already total more than the " +
                                      (fillDebit ? "credit" : "debit") +
                                      " lines: the first line cannot balance the entry",
                                  StatusColour::Red};
        return out;
    }
    if (amount != *needed) {
        amount = *needed;
        run_.BookChanged = true;
        out.changed = true;
        model_.refresh();
    }
    out.amountText = needed->isZero() ? std::string() : needed->toPlainString(marks.decimal);
    const EntryTotals after = sumEntry(book_, run_.CurrentFirstLine, run_.CurrentLastLine);
    out.status = entryTotalsStatus(after, marks);
    out.balancingButton = balancingButtonFor(after);
    out.focus = fillDebit ? FocusTarget::DebitAmount : FocusTarget::CreditAmount;
    out.focusRow = 0;
    return out;
}
