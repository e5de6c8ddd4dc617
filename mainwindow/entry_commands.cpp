#include "mainwindow/entry_commands.h"

#include "book/date_box.h"
#include "book/entry_reference.h"
#include "book/tmain.h"
#include "book/typed_input.h"
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

EntryOutcome EntryCommands::newEntry(const std::string& dateBoxText) {
    EntryOutcome out;
    double date = todayNumber();
    if (!isBlank(dateBoxText)) {
        // The box still showing the entry's own date gives that day.
        std::optional<KeptDate> shown;
        if (!model_.journalEmpty())
            shown = KeptDate{model_.dateText(), book_.EntryLines[run_.CurrentFirstLine].Date};
        const DateBoxReading read =
            readDateBox(dateBoxText, shown, date, book_.DateStyle, model_.locale());
        if (!read.problem.empty()) showMessage(read.problem);
        date = read.day;
    }

    std::vector<EntryLine> lines = blankEntryPair();
    for (EntryLine& line : lines)
        line.Date = date;
    std::vector<EntryId> ids(2);
    if (book_.autoIncrementOn()) {
        const std::string next = Tmain::NextEntryId(book_, run_.DecimalSeparator);
        if (!referenceFits(next)) {
            showMessage(referenceTooLongText());
            return out;
        }
        ids[0] = ids[1] = EntryId(next);
    }

    BookChange change(book_, run_);
    change.closeJournalEnd();
    change.appendLines(std::move(lines), std::move(ids));
    const std::int32_t first = book_.LastEntryLine() - 1;
    model_.showEntryHolding(first, change);
    out.changed = true;
    out.showLine = first;
    out.dateText = model_.dateText();
    out.referenceText = model_.reference();
    out.noteText = model_.noteText();
    out.reconciledTick = false;
    out.showAddLineButtons = true;
    EntryOutcome balance = iSBalance();
    out.status = std::move(balance.status);
    out.focus = balance.focus;
    change.commit();
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
    BookChange change(book_, run_);
    ++run_.JournalRevision;
    if (first == 0 && last == book_.LastEntryLine()) {
        change.newStart(todayNumber()); // the only entry gone: the journal of a new book
    } else {
        change.removeLines(static_cast<std::size_t>(first),
                           static_cast<std::size_t>(last - first + 1));
    }
    const std::int32_t next = std::min(first, book_.LastEntryLine());
    model_.showEntryHolding(next, change);
    out.changed = true;
    out.showLine = next;
    change.commit();
    return out;
}

EntryOutcome EntryCommands::setReconciled(bool on) {
    EntryOutcome out;
    if (model_.journalEmpty()) return out;
    const std::uint8_t value = on ? 1 : 0;
    const std::int32_t last = std::min(run_.CurrentLastLine, book_.LastEntryLine());
    BookChange change(book_, run_);
    for (std::int32_t i = std::max(run_.CurrentFirstLine, 0); i <= last; ++i) {
        if (book_.EntryLines[i].Reconciled != value) {
            change.replaceInLine(static_cast<std::size_t>(i), &EntryLine::Reconciled, value);
            out.changed = true;
        }
    }
    out.reconciledTick = on;
    if (out.changed) change.commit();
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
