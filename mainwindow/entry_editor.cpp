#include "mainwindow/entry_editor.h"

#include "book/account_name_box.h"
#include "book/account_number_rule.h"
#include "book/date_box.h"
#include "book/tmain.h"
#include "book/typed_input.h"
#include "mainwindow/entry_input.h"
#include "mainwindow/entry_totals.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>

EntryEditor::EntryEditor(Book& book, RunTimeState& run, EntryModel& model)
    : book_(book), run_(run), model_(model) {}

bool EntryEditor::editable() const {
    return !model_.journalEmpty() && !model_.locked() &&
           run_.CurrentLastLine <= book_.LastEntryLine();
}

void EntryEditor::changed(EntryOutcome& out, BookChange& change) {
    out.changed = true;
    model_.refresh(change);
}

template <class T>
void EntryEditor::setStored(EntryOutcome& out, std::int32_t line, T EntryLine::*field, T value) {
    if (book_.EntryLines[line].*field == value) return;
    BookChange change(book_, run_);
    change.replaceInLine(static_cast<std::size_t>(line), field, std::move(value));
    changed(out, change);
    change.commit();
}

void EntryEditor::moveTo(EntryOutcome& out, std::int32_t line) {
    line = std::clamp(line, 0, std::max(book_.LastEntryLine(), 0));
    model_.showEntryHolding(line);
    out.showLine = line;
}

std::int32_t EntryEditor::rowLine(EntrySide side, int row) const {
    return side == EntrySide::Debit ? model_.debitRowLine(row) : model_.creditRowLine(row);
}

// ------------------------------------------------------------------ date

EntryOutcome EntryEditor::commitDate(const std::string& dateText) {
    EntryOutcome out;
    if (!editable()) {
        out.dateText = model_.dateText();
        return out;
    }
    const std::int32_t first = run_.CurrentFirstLine, last = run_.CurrentLastLine;
    const DateBoxReading read =
        readDateBox(dateText, KeptDate{model_.dateText(), book_.EntryLines[first].Date},
                    todayNumber(), book_.DateStyle, model_.locale());
    out.tell(read.problem);
    const double date = read.day;
    BookChange change(book_, run_);
    for (std::int32_t i = first; i <= last; ++i)
        if (book_.EntryLines[i].Date != date)
            change.replaceInLine(static_cast<std::size_t>(i), &EntryLine::Date, date);
    if (!change.empty()) changed(out, change);
    out.dateText = read.text;
    if (out.changed) change.commit();
    return out;
}

EntryOutcome EntryEditor::dateKey(EntryKey key, const std::string& dateText) {
    if (key != EntryKey::Up && key != EntryKey::Down) return {};
    EntryOutcome out = commitDate(dateText);
    moveTo(out, key == EntryKey::Up ? run_.CurrentFirstLine - 1 : run_.CurrentLastLine + 1);
    out.dateText = model_.dateText();
    return out;
}

// ------------------------------------------------------------------ reference

EntryOutcome EntryEditor::referenceEdited(const std::string& text) {
    EntryOutcome out;
    if (!editable()) {
        out.referenceText = model_.reference();
        return out;
    }
    out.referenceText = upperCaseReference(text);
    const EntryId id(*out.referenceText);
    BookChange change(book_, run_);
    for (std::int32_t i = run_.CurrentFirstLine; i <= run_.CurrentLastLine; ++i)
        if (!(book_.EntryIds[i] == id)) change.replaceReference(static_cast<std::size_t>(i), id);
    if (!change.empty()) {
        changed(out, change);
        change.commit();
    }
    return out;
}

// ------------------------------------------------------------------ accounts

EntryOutcome EntryEditor::accountNameChosen(EntrySide side, int row, const std::string& name) {
    EntryOutcome out;
    const std::int32_t line = rowLine(side, row);
    if (line < 0 || !editable()) return out;
    const NamedAccount chosen =
        leaveAccountNameBox(book_, name, book_.EntryLines[line].AccountNumber);
    if (!chosen.number) {
        if (name != chosen.left.text) out.nameText = chosen.left.text;
        if (!chosen.left.problem.empty())
            out.status = StatusUpdate{chosen.left.problem, StatusColour::Red};
        return out;
    }
    out.folioText = folioText(book_, *chosen.number, decimalMark());
    setStored(out, line, &EntryLine::AccountNumber, *chosen.number);
    return out;
}

EntryOutcome EntryEditor::accountNameClicked(EntrySide side, int row, const std::string& name) {
    EntryOutcome out = accountNameChosen(side, row, name);
    if (side == EntrySide::Debit) out.status = StatusUpdate{strings::text(162) + " " + name, {}};
    return out;
}

EntryOutcome EntryEditor::accountNameKeyReleased(EntrySide side) {
    EntryOutcome out;
    if (side == EntrySide::Debit)
        out.status = StatusUpdate{std::nullopt, StatusColour::Black};
    else
        out.status = StatusUpdate{strings::text(163) + " ", StatusColour::Red};
    return out;
}

EntryOutcome EntryEditor::folioTyped(EntrySide side, int row, const std::string& text) {
    EntryOutcome out;
    const std::int32_t line = rowLine(side, row);
    if (line < 0 || !editable()) return out;
    const std::optional<Currency> number = readAccountNumber(text, decimalMark());
    if (!number) {
        out.nameText = "";
        out.status =
            StatusUpdate{shortenForStatus(text) + " : " + strings::text(291), StatusColour::Red};
        return out;
    }
    out.nameText = Tmain::AccountNameByNumber(book_, *number);
    setStored(out, line, &EntryLine::AccountNumber, *number);
    return out;
}

EntryOutcome EntryEditor::folioLeft(EntrySide side, int row, const std::string& text) {
    EntryOutcome out;
    const std::int32_t line = rowLine(side, row);
    if (line < 0 || !editable()) return out;
    const Currency kept = book_.EntryLines[line].AccountNumber;
    const LeftBox left =
        leaveNumberBox(text, kept, lineFolioText(book_, kept, decimalMark()), decimalMark());
    if (left.text != text) out.folioText = left.text;
    if (!left.problem.empty()) {
        out.nameText = Tmain::AccountNameByNumber(book_, kept);
        out.status = StatusUpdate{left.problem, StatusColour::Red};
        return out;
    }
    const std::optional<Currency> number = readAccountNumber(text, decimalMark());
    if (number &&
        (!isAccountNumber(*number) || !Tmain::AccountNameByNumber(book_, *number).empty()))
        return out;
    out.status =
        StatusUpdate{shortenForStatus(text) + " : " + strings::text(291), StatusColour::Red};
    return out;
}

// ------------------------------------------------------------------ amounts

EntryOutcome EntryEditor::amountChanged(EntrySide side, int row, const std::string& text) {
    EntryOutcome out;
    const std::int32_t line = rowLine(side, row);
    if (line < 0 || !editable()) return out;
    const AmountCheck check = checkAmountText(text, marks(), book_.EntryLines[line].Amount);
    if (!check.isAmount()) {
        out.status = StatusUpdate{check.problem, StatusColour::Red};
        return out;
    }
    BookChange change(book_, run_);
    if (book_.EntryLines[line].Amount != check.value) {
        change.replaceInLine(static_cast<std::size_t>(line), &EntryLine::Amount, check.value);
        changed(out, change);
    }
    EntryOutcome sums = sumEntry();
    out.status = std::move(sums.status);
    out.balancingButton = sums.balancingButton;
    if (out.changed) change.commit();
    return out;
}

LeftBox EntryEditor::amountLeft(EntrySide side, int row, const std::string& text) const {
    if (rowLine(side, row) < 0 || !editable()) return {text, ""};
    return leaveAmountBox(text, marks(), heldAmount(side, row));
}

Currency EntryEditor::heldAmount(EntrySide side, int row) const {
    const std::int32_t line = rowLine(side, row);
    return line < 0 ? Currency() : book_.EntryLines[static_cast<std::size_t>(line)].Amount;
}

EntryOutcome EntryEditor::sumEntry() {
    EntryOutcome out;
    const EntryTotals totals = ::sumEntry(book_, run_.CurrentFirstLine, run_.CurrentLastLine);
    out.status = entryTotalsStatus(totals, marks());
    out.balancingButton = balancingButtonFor(totals);
    return out;
}

// ------------------------------------------------------------------ note

EntryOutcome EntryEditor::noteChanged(const std::string& text) {
    EntryOutcome out;
    if (!editable()) return out;
    setStored(out, run_.CurrentLastLine, &EntryLine::Details, storedNote(text));
    return out;
}

// ------------------------------------------------------------------ keys

EntryOutcome EntryEditor::keyMove(EntryKey key) {
    EntryOutcome out;
    switch (key) {
    case EntryKey::Up:
        moveTo(out, run_.CurrentFirstLine > 0 ? run_.CurrentFirstLine - 1 : 0);
        break;
    case EntryKey::Down:
        // The next entry starts right after this one; the last entry shows itself again.
        moveTo(out, run_.CurrentLastLine + 1 <= book_.LastEntryLine() ? run_.CurrentLastLine + 1
                                                                      : run_.CurrentFirstLine);
        break;
    case EntryKey::PageUp:
    case EntryKey::PageDown:
        if (!model_.locked()) out.focus = FocusTarget::JournalID;
        break;
    case EntryKey::Other:
        return out;
    }
    out.swallowKey = true;
    return out;
}
