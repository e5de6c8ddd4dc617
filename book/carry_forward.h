// Carrying balances forward shrinks the journal to its opening position:
// every account number that has a balance gets one two-line entry against
// account 1 (opening balances), dated today, with reference "B/D" and note
// "Balance Brought / Forward". Only the journal is rebuilt; accounts,
// settings and groups are kept, and the file name is dropped so the next
// save asks for one.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct CarryForwardResult {
    enum Status {
        Done,     // the journal now holds the opening lines
        TooShort, // two journal lines or fewer: nothing changed
        Stopped,  // `message` says why; nothing changed
        Declined, // the question about lines left out was answered No: nothing changed
    };
    Status status = Stopped;
    std::string message;
    std::int32_t linesWritten =
        0; // lines of the new journal (0 when a new book's journal was started)
    bool ok() const { return status == Done; }
};

// Asked before lines are left out of the new journal (carrying::agreesToLeaveOut);
// true to go on.
using GoOnQuestion = std::function<bool(const std::string& question)>;
// The message service's Yes/No box, Yes going on.
bool askYesNo(const std::string& question);

// On success the book is marked changed, BookFilePath and CurrentFilePath
// are emptied (the next Save asks for a name) and the current entry lines
// point at the last line.
CarryForwardResult carryForward(Book& book, RunTimeState& run, double today,
                                const GoOnQuestion& ask = askYesNo);
// The same, dated today by the installed clock.
CarryForwardResult carryForward(Book& book, RunTimeState& run);

namespace carrying {

// A number no chart slot holds (a sub-account the chart lacks, or 0, no
// account) whose journal lines come to a balance other than 0. Balances are
// brought forward per chart number only, so these lines are left out and
// their balance ends in account 1.
struct LeftOutNumber {
    Currency number;
    std::size_t firstLine = 0; // index of its first journal line
    std::size_t lines = 0;
    Currency balance; // debits minus credits
};

struct JournalBalances {
    // Per slot 0..LastAccount: debits minus credits over the lines whose
    // account is exactly the slot's number (100.1 apart from 100). A number
    // held by several slots is carried once, on its first slot.
    std::vector<Currency> ofSlot;
    std::vector<LeftOutNumber> leftOut; // in the order of their first lines
};

// Empty rows count nowhere. nullopt, with `fault` set, when a balance does
// not fit in the range of amounts (the sums on the way to it may pass it).
std::optional<JournalBalances> accountBalances(const Book& book, std::string* fault);

// When there is something to leave out, asks whether to go on, naming how
// many lines, the first few numbers with their first line and balance (and
// the trial balance's row that counts them, where the chart has their main
// account) and where their balance goes; true to go on.
bool agreesToLeaveOut(const Book& book, const std::vector<LeftOutNumber>& leftOut,
                      const GoOnQuestion& ask);
// What a command says when the answer was No.
std::string leftOutDeclined();

// A journal being built aside, two lines at a time.
struct PairWriter {
    std::vector<EntryLine> lines;
    std::vector<EntryId> ids;
    // A debit line on `debitAccount` (empty note) and a credit line on
    // `creditAccount` carrying `note`, both of `amount`.
    void add(double date, Currency debitAccount, Currency creditAccount, Currency amount,
             const std::string& note, const EntryId& reference);
    // Brings a balance forward against account 1: a debit balance debits the
    // account, a credit balance credits it, by its size.
    void addBalance(double date, Currency account, Currency balance, const std::string& note,
                    const EntryId& reference);
};

// Puts the built journal in place and sets the run-time state both
// operations leave behind: the book changed, without a file name, the
// current entry lines at the last line.
void adoptJournal(Book& book, RunTimeState& run, PairWriter&& built);
void markJournalReplaced(const Book& book, RunTimeState& run);

Currency openingBalanceAccount();

} // namespace carrying
