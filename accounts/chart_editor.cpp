#include "accounts/chart_editor.h"

#include "accounts/standard_chart.h"
#include "book/account_number_text.h"
#include "book/book_change.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>

ChartEditor::ChartEditor(Book& book, RunTimeState& run) : book_(book), run_(run) {}

bool ChartEditor::inTable(int slot) const {
    return slot >= 0 && slot < static_cast<int>(book_.accountSlots());
}

int ChartEditor::scrollMax() const {
    return std::max(0,
                    std::min<int>(book_.LastAccount, static_cast<int>(book_.accountSlots()) - 1) -
                        (ChartRows - 1));
}

void ChartEditor::setTop(int top) {
    top_ = std::clamp(top, 0, scrollMax());
}

void ChartEditor::tableReplaced() {
    setTop(top_);
    if (!inTable(flagged_)) flagged_ = -1;
}

std::string ChartEditor::frameCaption() const {
    return strings::text(156) + " " + std::to_string(top_ + 1) + " To " +
           std::to_string(top_ + ChartRows) + " :";
}

ChartRowView ChartEditor::row(int k) const {
    ChartRowView v;
    const int s = slotOfRow(k);
    if (!inTable(s)) return v;
    const auto i = static_cast<std::size_t>(s);
    v.name = book_.AccountNames[i];
    v.number = folioText(book_, book_.AccountNumbers[i], run_.DecimalSeparator);
    v.flagged = s == flagged_;
    return v;
}

void ChartEditor::select(int k) {
    selectedRow_ = std::clamp(k, 0, ChartRows - 1);
}

std::string ChartEditor::note() const {
    return inTable(selectedSlot()) ? book_.AccountNote[static_cast<std::size_t>(selectedSlot())]
                                   : std::string();
}

std::string ChartEditor::note2() const {
    return inTable(selectedSlot()) ? book_.AccountNote2[static_cast<std::size_t>(selectedSlot())]
                                   : std::string();
}

int ChartEditor::selectedClass() const {
    return inTable(selectedSlot())
               ? shownClass(book_.AccountTypes[static_cast<std::size_t>(selectedSlot())])
               : 0;
}

void ChartEditor::typeName(int k, const std::string& text) {
    if (!inTable(slotOfRow(k))) return;
    book_.AccountNames[static_cast<std::size_t>(slotOfRow(k))] = text;
    changed();
}

void ChartEditor::typeNumber(int k, const std::string& text) {
    if (!inTable(slotOfRow(k))) return;
    const std::optional<Currency> number = readAccountNumber(text, run_.DecimalSeparator);
    Currency& kept = book_.AccountNumbers[static_cast<std::size_t>(slotOfRow(k))];
    if (!number || kept == *number) return;
    kept = *number;
    changed();
}

void ChartEditor::typeNote(const std::string& text) {
    if (!inTable(selectedSlot())) return;
    book_.AccountNote[static_cast<std::size_t>(selectedSlot())] = text;
    changed();
}

void ChartEditor::typeNote2(const std::string& text) {
    if (!inTable(selectedSlot())) return;
    book_.AccountNote2[static_cast<std::size_t>(selectedSlot())] = text;
    changed();
}

void ChartEditor::setClass(int type) {
    if (!inTable(selectedSlot()) || type < 0 || type > Other) return;
    book_.AccountTypes[static_cast<std::size_t>(selectedSlot())] = static_cast<std::uint8_t>(type);
    changed();
}

void ChartEditor::setSubAccountDash(bool on) {
    const std::int16_t flag = on ? -1 : 0;
    if (book_.SubAccountDash == flag) return;
    book_.SubAccountDash = flag;
    changed();
}

LeftBox ChartEditor::leaveNumber(int k, const std::string& text) {
    if (!inTable(slotOfRow(k))) return {text, ""};
    const std::optional<Currency> number = readAccountNumber(text, run_.DecimalSeparator);
    const LeftBox left =
        leaveNumberBox(text, number.value_or(Currency()), row(k).number, run_.DecimalSeparator);
    if (left.problem.empty()) typeNumber(k, text);
    return {row(k).number, left.problem}; // the row's number as kept, typed or not
}

ChartKeyMove ChartEditor::keyDown(int k, int key) {
    ChartKeyMove m;
    if (key == keys::Return && k < ChartRows - 1) {
        // An arrow held before must not act on Enter's release in the next row.
        heldKey_ = 0;
        m.focusRow = k + 1;
        m.swallow = true;
    } else if (key == keys::Up || key == keys::Down) {
        heldKey_ = key;
        m.swallow = true;
    } else {
        heldKey_ = 0;
    }
    return m;
}

ChartKeyMove ChartEditor::keyUp(int k, int caret) {
    ChartKeyMove m;
    if (heldKey_ == keys::Up && k >= 1) {
        m.focusRow = k - 1;
        m.caret = caret;
    } else if (heldKey_ == keys::Up && k == 0 && top_ >= 1) {
        setTop(top_ - 1);
        select(0);
        m.scrolled = true;
    } else if (heldKey_ == keys::Down && k <= ChartRows - 2) {
        m.focusRow = k + 1;
        m.caret = caret;
    } else if (heldKey_ == keys::Down && k == ChartRows - 1 && top_ < scrollMax()) {
        setTop(top_ + 1);
        select(ChartRows - 1);
        m.scrolled = true;
    }
    return m;
}

bool ChartEditor::insert() {
    // The table is changed beside the book, then swapped in whole.
    Book staged = stagedAccountTable(book_);
    const InsertOutcome o = insertAccountAfter(staged, selectedSlot());
    if (!o.inserted) {
        showMessage(AccountLimitMessage);
        return false;
    }
    BookChange change(book_, run_);
    change.replaceAccountTable(staged);
    change.commit();
    // The added account takes the selected row.
    setTop(o.afterLast ? scrollMax() : top_ + 1);
    return true;
}

bool ChartEditor::remove() {
    Book staged = stagedAccountTable(book_);
    if (!deleteAccountAt(staged, selectedSlot())) return false;
    BookChange change(book_, run_);
    change.replaceAccountTable(staged);
    change.commit();
    setTop(top_);
    return true;
}

void ChartEditor::standardChart() {
    Book staged;
    installStandardChart(staged);
    BookChange change(book_, run_);
    change.replaceAccountTable(staged);
    change.commit();
    setTop(top_);
}

std::optional<ChartFault> ChartEditor::checkOnClose() {
    flagged_ = -1;
    const std::vector<VariantText> listBefore = book_.EntryAccountList;
    std::optional<ChartFault> fault = closeChart(book_, run_.DecimalSeparator);
    setTop(top_);
    if (fault) {
        flagged_ = fault->slot;
        showMessage(fault->message, fault->title, MessageButtons::Ok,
                    fault->critical ? MessageIcon::Critical : MessageIcon::None);
        return fault;
    }
    if (book_.EntryAccountList != listBefore) changed();
    return std::nullopt;
}
