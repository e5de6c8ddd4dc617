// One unit of change to the book. A command that changes the book makes every
// change through one BookChange and commits it at its end: then the change is
// kept and the book marked changed. When anything fails before the commit
// (an exception leaves the command), the book, the journal position of the
// run-time state and its changed mark are put back exactly as they were, and
// the journal's two arrays stay in step.
//
// Every step first does what can fail (room in the arrays, its record of how
// to put itself back), then changes the book with moves and swaps that cannot
// fail. New values are made beside the book by the caller and handed in.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

class BookChange {
  public:
    BookChange(Book& book, RunTimeState& run);
    ~BookChange(); // not committed: every step undone, the last first
    BookChange(const BookChange&) = delete;
    BookChange& operator=(const BookChange&) = delete;

    // A part of the book, or of what shows it, takes `value`; the old value is
    // kept to put back. The part must stay where it is while the change lasts:
    // a member, or an element of an array that no later step grows (a journal
    // line's field goes through replaceInLine).
    template <class T> void replace(T& part, T value) {
        static_assert(std::is_nothrow_swappable_v<T>);
        keep(std::make_unique<Swapped<T>>(part, std::move(value)));
    }
    // A field of a journal line takes `value`. The line is held by its index,
    // so lines appended after the step cannot move it from under the change.
    template <class T> void replaceInLine(std::size_t line, T EntryLine::*field, T value) {
        static_assert(std::is_nothrow_swappable_v<T>);
        keep(std::make_unique<Element<EntryLine, T>>(book_.EntryLines, line, field,
                                                     std::move(value)));
    }
    // The reference of a journal line, held by its index likewise.
    void replaceReference(std::size_t line, const EntryId& id);

    // Gives the journal's last line the note "_" when it has none, so that
    // lines appended after it start an entry of their own.
    void closeJournalEnd();
    // Lines appended to the journal, with their references.
    void appendLines(std::vector<EntryLine> lines, std::vector<EntryId> ids);
    // `count` journal lines from `first` removed; later lines move up.
    void removeLines(std::size_t first, std::size_t count);
    // The whole journal replaced.
    void replaceJournal(std::vector<EntryLine> lines, std::vector<EntryId> ids);
    // The journal replaced by the empty one of NewStart, dated `today`.
    void newStart(double today);
    // The six arrays of the account table and LastAccount taken from `staged`
    // (made with stagedAccountTable and changed there).
    void replaceAccountTable(Book& staged);

    // Keeps the change and marks the book changed (a generation on).
    void commit() noexcept;
    bool committed() const { return committed_; }
    // No step was made.
    bool empty() const { return steps_.empty(); }

  private:
    struct Step {
        virtual ~Step() = default;
        virtual void apply() noexcept = 0;
        virtual void undo() noexcept = 0;
    };
    template <class T> struct Swapped final : Step {
        Swapped(T& part, T value) : part_(part), value_(std::move(value)) {}
        void apply() noexcept override {
            using std::swap;
            swap(part_, value_);
        }
        void undo() noexcept override { apply(); }
        T& part_;
        T value_;
    };
    // A field of an array's element (the element itself when `field` is
    // null), held by its index.
    template <class E, class T> struct Element final : Step {
        Element(std::vector<E>& array, std::size_t index, T E::*field, T value)
            : array_(array), index_(index), field_(field), value_(std::move(value)) {}
        void apply() noexcept override {
            using std::swap;
            if constexpr (std::is_same_v<E, T>)
                swap(array_[index_], value_);
            else
                swap(array_[index_].*field_, value_);
        }
        void undo() noexcept override { apply(); }
        std::vector<E>& array_;
        std::size_t index_;
        T E::*field_;
        T value_;
    };
    struct Appended;
    struct Removed;

    // Room for the step in the log first, then the step applied and logged.
    void keep(std::unique_ptr<Step> step);

    Book& book_;
    RunTimeState& run_;
    std::vector<std::unique_ptr<Step>> steps_;
    bool committed_ = false;
    // The run-time state a command moves as it shows its result.
    std::int32_t firstLine_, lastLine_, rowBase_, lockedBelow_, journalRevision_;
    bool bookChanged_;
};

// A copy of the book's account table (the six arrays and LastAccount) and
// nothing else, to change beside the book and hand to replaceAccountTable.
Book stagedAccountTable(const Book& book);
