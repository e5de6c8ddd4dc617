#include "mainwindow/entry_commands.h"

#include "book/tmain.h"
#include "mainwindow/entry_totals.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>

EntryCommands::EntryCommands(Book& book, RunTimeState& run, EntryModel& model)
    : book_(book), run_(run), model_(model) {}

namespace {

bool isBlank(const std::string& s) {
    return s.find_first_not_of(' ') == std::string::npos;
}

} // namespace

std::optional<EntryId> nextFittingReference(const Book& book, const std::string& decimalMark) {
    const std::string next = Tmain::NextEntryId(book, decimalMark);
    if (next.size() > largestReference().size()) return std::nullopt;
    return EntryId(next);
}

std::string referenceTooLongText() {
    return "Nothing was added: the next reference would pass " + largestReference() +
           ", the largest a reference holds. Give the last entry a smaller reference, or "
           "turn off automatic numbering.";
}

bool closeJournalEnd(Book& book) {
    if (book.EntryLines.empty() || closesEntry(book.EntryLines.back().Details)) return false;
    book.EntryLines.back().Details = "_";
    return true;
}

EntryOutcome EntryCommands::newEntry(const std::string& dateBoxText) {
    EntryOutcome out;
    run_.LockedBelow = lockedBelowFor(book_);

    double date;
    if (isBlank(dateBoxText)) {
        date = todayNumber();
    } else if (std::optional<double> typed =
                   Tmain::ParseDateStyle(dateBoxText, book_.DateStyle, model_.locale())) {
        date = *typed;
    } else {
        showMessage("Invalid Date");
        date = todayNumber();
    }

    const std::string endNote = book_.EntryLines.empty() ? "" : book_.EntryLines.back().Details;
    closeJournalEnd(book_);

    EntryLine debit;
    debit.Date = date;
    debit.Side = Debit;
    EntryLine credit = debit;
    credit.Side = Credit;
    credit.Details = "_";
    const std::int32_t first = book_.LastEntryLine() + 1;
    book_.EntryLines.push_back(std::move(debit));
    book_.EntryLines.push_back(std::move(credit));
    book_.EntryIds.resize(book_.EntryLines.size());
    if (book_.autoIncrementOn()) {
        const std::optional<EntryId> id = nextFittingReference(book_, model_.locale().decimalMark);
        if (!id) { // nothing added: the journal goes back as it was
            book_.resizeJournal(static_cast<std::size_t>(first));
            if (!book_.EntryLines.empty()) book_.EntryLines.back().Details = endNote;
            showMessage(referenceTooLongText());
            return out;
        }
        book_.EntryIds[first] = *id;
        book_.EntryIds[first + 1] = *id;
    }
    run_.BookChanged = true;
    out.changed = true;

    model_.showEntryHolding(first);
    out.showLine = first;
    out.dateText = model_.dateText();
    out.referenceText = model_.reference();
    out.noteText = model_.noteText();
    out.reconciledTick = false;
    out.showAddLineButtons = true;
    const EntryOutcome balance = iSBalance();
    out.status = balance.status;
    out.focus = balance.focus;
    return out;
}

EntryOutcome EntryCommands::deleteEntry(const AdminGate& adminGate, bool askFirst) {
    EntryOutcome out;
    if (model_.journalEmpty()) return out;
    if (askFirst && showMessage(strings::text(122), "", MessageButtons::YesNo,
                                MessageIcon::Question) != MessageAnswer::Yes)
        return out;
    if (!book_.AdminPassword.str().empty()) {
        if (!adminGate || !adminGate()) return out;
        run_.EnteredPassword.clear();
    }

    const std::int32_t last = std::clamp(run_.CurrentLastLine, 0, book_.LastEntryLine());
    const std::int32_t first = std::clamp(run_.CurrentFirstLine, 0, last);
    run_.BookChanged = true;
    ++run_.JournalRevision;
    out.changed = true;

    book_.EntryLines.erase(book_.EntryLines.begin() + first, book_.EntryLines.begin() + last + 1);
    book_.EntryIds.erase(book_.EntryIds.begin() + first, book_.EntryIds.begin() + last + 1);
    if (book_.EntryLines.empty()) NewStart(book_, todayNumber());

    const std::int32_t next = std::min(first, book_.LastEntryLine());
    model_.showEntryHolding(next);
    out.showLine = next;
    return out;
}

EntryOutcome EntryCommands::setReconciled(bool on) {
    EntryOutcome out;
    if (model_.journalEmpty()) return out;
    const std::uint8_t value = on ? 1 : 0;
    const std::int32_t last = std::min(run_.CurrentLastLine, book_.LastEntryLine());
    for (std::int32_t i = std::max(run_.CurrentFirstLine, 0); i <= last; ++i) {
        if (book_.EntryLines[i].Reconciled != value) {
            book_.EntryLines[i].Reconciled = value;
            out.changed = true;
        }
    }
    if (out.changed) run_.BookChanged = true;
    out.reconciledTick = on;
    return out;
}

EntryOutcome EntryCommands::toggleReconciled() {
    return setReconciled(!model_.reconciled());
}

EntryOutcome EntryCommands::iSBalance() {
    EntryOutcome out;
    out.status = journalBalanceStatus(book_, model_.locale().decimalMark);
    if (!model_.locked()) out.focus = FocusTarget::JournalID;
    return out;
}
