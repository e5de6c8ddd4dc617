#include "accounts/group_editor.h"

#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/book_change.h"
#include "book/book_text_forms.h"
#include "book/entry_clip_text.h"
#include "book/entry_index.h"
#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>

GroupEditor::GroupEditor(Book& book, RunTimeState& run) : book_(book), run_(run) {}

void GroupEditor::open() {
    if (book_.RecurringLines.empty()) book_.RecurringLines = blankEntryPair();
    sync();
    top_ = 0;
    focusLine(0);
}

void GroupEditor::setTopLine(std::int32_t line) {
    top_ = std::clamp(line, 0, std::max(last_, 0));
}

void GroupEditor::focusLine(std::int32_t line) {
    current_ = std::clamp(line, 0, std::max(last_, 0));
    const EntryBounds b = findEntryBounds(book_.RecurringLines, current_);
    first_ = b.first;
    entryLast_ = b.last;
}

bool GroupEditor::canAddLine(std::uint8_t side) const {
    EntrySideCount sides;
    for (std::int32_t i = first_; i <= entryLast_ && i <= last_; ++i)
        sides.add(book_.RecurringLines[i].Side);
    return sides.roomFor(side);
}

std::string GroupEditor::setFolio(std::int32_t line, const std::string& text,
                                  const std::string& decimalMark) {
    if (!valid(line)) return {};
    Currency& kept = book_.RecurringLines[line].AccountNumber;
    if (const std::optional<Currency> number = readAccountNumber(text, decimalMark)) {
        kept = *number;
        changed();
    }
    return Tmain::AccountNameByNumber(book_, kept);
}

LeftBox GroupEditor::leaveFolio(std::int32_t line, const std::string& text,
                                const std::string& decimalMark) const {
    if (!valid(line)) return {text, ""};
    const Currency kept = book_.RecurringLines[line].AccountNumber;
    return leaveNumberBox(text, kept, lineFolioText(book_, kept, decimalMark), decimalMark);
}

std::optional<std::string> GroupEditor::setAccountName(std::int32_t line, const std::string& name,
                                                       const std::string& decimalMark) {
    const Currency number = Tmain::AccountNumberByName(book_, name);
    if (!valid(line) || !isAccountNumber(number)) return std::nullopt;
    book_.RecurringLines[line].AccountNumber = number;
    changed();
    return folioText(book_, number, decimalMark);
}

void GroupEditor::setAmount(std::int32_t line, Currency amount) {
    if (!valid(line)) return;
    book_.RecurringLines[line].Amount = amount;
    changed();
}

Currency GroupEditor::heldAmount(std::int32_t line) const {
    return valid(line) ? book_.RecurringLines[static_cast<std::size_t>(line)].Amount : Currency();
}

void GroupEditor::setNote(std::int32_t line, const std::string& text) {
    if (!valid(line)) return;
    book_.RecurringLines[line].Details = storedNote(text);
    changed();
}

void GroupEditor::setName(const std::string& text) {
    if (book_.EditedGroup < 0 || book_.EditedGroup >= GroupTotal) return;
    book_.GroupNames[static_cast<std::size_t>(book_.EditedGroup)] = textforms::trimSpaces(text);
    changed();
}

void GroupEditor::adopt(std::vector<EntryLine> lines) {
    BookChange change(book_, run_);
    change.replace(book_.RecurringLines, std::move(lines));
    change.commit();
    sync();
}

namespace {

// The last line closes its entry ("_" when it has no note), so that lines
// appended after it start an entry of their own.
void closeGroupEnd(std::vector<EntryLine>& lines) {
    if (lines.empty()) return;
    std::string& end = lines.back().Details;
    end = storedNote(end);
}

} // namespace

void GroupEditor::newEntry() {
    std::vector<EntryLine> lines = book_.RecurringLines;
    closeGroupEnd(lines);
    const std::vector<EntryLine> pair = blankEntryPair();
    lines.insert(lines.end(), pair.begin(), pair.end());
    adopt(std::move(lines));
    first_ = current_ = last_ - 1;
    entryLast_ = last_;
    setTopLine(first_);
}

bool GroupEditor::addLine(std::uint8_t side) {
    if (!valid(current_) || !canAddLine(side)) return false;
    std::vector<EntryLine> lines = book_.RecurringLines;
    EntryLine blank;
    blank.Side = side;
    lines.insert(lines.begin() + current_, blank);
    adopt(std::move(lines));
    ++entryLast_;
    return canAddLine(book_.RecurringLines[current_].Side);
}

bool GroupEditor::deleteEntry() {
    const std::int32_t n = entryLast_ - first_ + 1;
    if (last_ <= n || !valid(first_) || !valid(entryLast_)) return false;
    std::vector<EntryLine> lines = book_.RecurringLines;
    lines.erase(lines.begin() + first_, lines.begin() + entryLast_ + 1);
    adopt(std::move(lines));
    const std::vector<EntryLine>& kept = book_.RecurringLines;
    // The entry that followed, else the group's last entry.
    const std::int32_t next = first_ <= last_ ? first_ : findEntryBounds(kept, last_).first;
    focusLine(next);
    setTopLine(first_);
    current_ = top_;
    return true;
}

std::string GroupEditor::copyText(const std::string& decimalMark) const {
    return EntryClipText(book_, book_.RecurringLines, first_, std::max(entryLast_, 1), decimalMark,
                         ClipForm::Group);
}

bool GroupEditor::paste(const std::string& text, const NumberMarks& marks) {
    std::optional<std::vector<ClipLine>> pasted = readEntryClipText(text, marks, ClipForm::Group);
    if (!pasted || pasted->empty()) return false;
    if (const std::string refusal = clipPasteRefusal(*pasted); !refusal.empty()) {
        showMessage(refusal);
        return false;
    }
    pasted->back().note = storedNote(pasted->back().note);
    std::vector<EntryLine> lines = book_.RecurringLines;
    closeGroupEnd(lines);
    const std::int32_t firstPasted = static_cast<std::int32_t>(lines.size());
    for (ClipLine& clip : *pasted) {
        EntryLine line;
        line.Side = clip.side;
        line.AccountNumber = clip.account;
        line.Amount = clip.amount;
        line.Details = std::move(clip.note);
        lines.push_back(std::move(line));
    }
    adopt(std::move(lines));
    first_ = current_ = firstPasted;
    entryLast_ = last_;
    setTopLine(first_);
    return true;
}

void GroupEditor::writeBack() {
    if (book_.EditedGroup < 0 || book_.EditedGroup >= GroupTotal) return;
    std::vector<EntryLine>& group = book_.EntryGroups[static_cast<std::size_t>(book_.EditedGroup)];
    if (group == book_.RecurringLines) return;
    BookChange change(book_, run_);
    change.replace(group, std::vector<EntryLine>(book_.RecurringLines));
    change.commit();
}
