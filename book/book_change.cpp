#include "book/book_change.h"

#include <algorithm>
#include <iterator>

namespace {

// Room for `more` elements; the array grows geometrically, so that appending
// a few lines at a time never copies the whole journal each time.
template <class T> void makeRoom(std::vector<T>& array, std::size_t more) {
    const std::size_t wanted = array.size() + more;
    if (wanted > array.capacity()) array.reserve(std::max(wanted, array.capacity() * 2));
}

// Within the room made, appending moves that cannot fail.
template <class T> void appendInRoom(std::vector<T>& array, std::vector<T>& added) noexcept {
    static_assert(std::is_nothrow_move_constructible_v<T>);
    for (T& value : added)
        array.push_back(std::move(value));
    added.clear();
}

} // namespace

// Lines appended at the journal's end; undone by cutting the journal back.
struct BookChange::Appended final : Step {
    Appended(Book& book, std::vector<EntryLine> lines, std::vector<EntryId> ids)
        : book_(book), size_(book.EntryLines.size()), lines_(std::move(lines)),
          ids_(std::move(ids)) {}
    void apply() noexcept override {
        appendInRoom(book_.EntryLines, lines_);
        appendInRoom(book_.EntryIds, ids_);
    }
    void undo() noexcept override {
        book_.EntryLines.erase(book_.EntryLines.begin() + static_cast<std::ptrdiff_t>(size_),
                               book_.EntryLines.end());
        book_.EntryIds.erase(book_.EntryIds.begin() + static_cast<std::ptrdiff_t>(size_),
                             book_.EntryIds.end());
    }
    Book& book_;
    std::size_t size_;
    std::vector<EntryLine> lines_;
    std::vector<EntryId> ids_;
};

// Lines taken out of the journal and kept aside. Taking them out leaves the
// arrays' room as it was, so putting them back needs none.
struct BookChange::Removed final : Step {
    Removed(Book& book, std::size_t first, std::size_t count)
        : book_(book), first_(static_cast<std::ptrdiff_t>(first)),
          count_(static_cast<std::ptrdiff_t>(count)) {
        lines_.reserve(count);
        ids_.reserve(count);
    }
    template <class T> void takeOut(std::vector<T>& array, std::vector<T>& aside) noexcept {
        std::rotate(array.begin() + first_, array.begin() + first_ + count_, array.end());
        std::move(array.end() - count_, array.end(), std::back_inserter(aside));
        array.erase(array.end() - count_, array.end());
    }
    template <class T> void putBack(std::vector<T>& array, std::vector<T>& aside) noexcept {
        appendInRoom(array, aside);
        std::rotate(array.begin() + first_, array.end() - count_, array.end());
    }
    void apply() noexcept override {
        takeOut(book_.EntryLines, lines_);
        takeOut(book_.EntryIds, ids_);
    }
    void undo() noexcept override {
        putBack(book_.EntryLines, lines_);
        putBack(book_.EntryIds, ids_);
    }
    Book& book_;
    std::ptrdiff_t first_, count_;
    std::vector<EntryLine> lines_;
    std::vector<EntryId> ids_;
};

BookChange::BookChange(Book& book, RunTimeState& run)
    : book_(book), run_(run), firstLine_(run.CurrentFirstLine), lastLine_(run.CurrentLastLine),
      rowBase_(run.RowBase), lockedBelow_(run.LockedBelow), journalRevision_(run.JournalRevision),
      bookChanged_(run.BookChanged) {}

BookChange::~BookChange() {
    if (committed_) return;
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step)
        (*step)->undo();
    run_.CurrentFirstLine = firstLine_;
    run_.CurrentLastLine = lastLine_;
    run_.RowBase = rowBase_;
    run_.LockedBelow = lockedBelow_;
    run_.JournalRevision = journalRevision_;
    run_.BookChanged = bookChanged_;
}

void BookChange::keep(std::unique_ptr<Step> step) {
    makeRoom(steps_, 1);
    step->apply();
    steps_.push_back(std::move(step));
}

void BookChange::replaceReference(std::size_t line, const EntryId& id) {
    keep(std::make_unique<Element<EntryId, EntryId>>(book_.EntryIds, line, nullptr, id));
}

void BookChange::closeJournalEnd() {
    if (book_.EntryLines.empty() || closesEntry(book_.EntryLines.back().Details)) return;
    replaceInLine(book_.EntryLines.size() - 1, &EntryLine::Details, std::string("_"));
}

void BookChange::appendLines(std::vector<EntryLine> lines, std::vector<EntryId> ids) {
    ids.resize(lines.size());
    makeRoom(book_.EntryLines, lines.size());
    makeRoom(book_.EntryIds, lines.size());
    keep(std::make_unique<Appended>(book_, std::move(lines), std::move(ids)));
}

void BookChange::removeLines(std::size_t first, std::size_t count) {
    const std::size_t size = std::min(book_.EntryLines.size(), book_.EntryIds.size());
    if (first >= size) return;
    count = std::min(count, size - first);
    keep(std::make_unique<Removed>(book_, first, count));
}

void BookChange::replaceJournal(std::vector<EntryLine> lines, std::vector<EntryId> ids) {
    ids.resize(lines.size());
    replace(book_.EntryLines, std::move(lines));
    replace(book_.EntryIds, std::move(ids));
}

void BookChange::newStart(double today) {
    Book fresh;
    NewStart(fresh, today);
    replaceJournal(std::move(fresh.EntryLines), std::move(fresh.EntryIds));
}

void BookChange::replaceAccountTable(Book& staged) {
    replace(book_.AccountNames, std::move(staged.AccountNames));
    replace(book_.AccountNumbers, std::move(staged.AccountNumbers));
    replace(book_.AccountTypes, std::move(staged.AccountTypes));
    replace(book_.AccountNote, std::move(staged.AccountNote));
    replace(book_.AccountNote2, std::move(staged.AccountNote2));
    replace(book_.AccountExtra, std::move(staged.AccountExtra));
    replace(book_.LastAccount, staged.LastAccount);
}

void BookChange::commit() noexcept {
    committed_ = true;
    markBookChanged(run_);
}

Book stagedAccountTable(const Book& book) {
    Book staged;
    staged.LastAccount = book.LastAccount;
    staged.AccountNames = book.AccountNames;
    staged.AccountNumbers = book.AccountNumbers;
    staged.AccountTypes = book.AccountTypes;
    staged.AccountNote = book.AccountNote;
    staged.AccountNote2 = book.AccountNote2;
    staged.AccountExtra = book.AccountExtra;
    return staged;
}
