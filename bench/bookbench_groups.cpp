// bookbench step: each of the ten entry groups posted at the end of the
// journal, then the journal cut back, so the later steps see the book as it
// was opened.
#include "bench/bookbench.h"

#include "accounts/group_posting.h"

#include <iostream>

namespace {

const double Today = 46000; // 9 December 2025

void postGroups(BenchContext& ctx) {
    Book& book = ctx.book;
    const std::size_t lines = book.EntryLines.size();
    const std::string lastNote = lines ? book.EntryLines.back().Details : std::string();
    const bool changed = ctx.run.BookChanged;
    bool posted = true;
    timeIt("post ten groups", [&] {
        for (int g = 0; g < GroupTotal && posted; ++g) {
            takeGroup(book, g);
            posted = postEntryGroup(book, ctx.run, Today).has_value();
        }
    });
    // A group refused says why in a message box.
    if (reportStep(posted, lastMessageShown()))
        std::cout << "  " << book.EntryLines.size() - lines << " lines posted, last reference "
                  << book.EntryIds.back().shown() << "\n";
    book.resizeJournal(lines);
    if (lines) book.EntryLines.back().Details = lastNote;
    ctx.run.BookChanged = changed;
}

} // namespace

LW_BOOKBENCH_STEP("60-post-groups", postGroups);
