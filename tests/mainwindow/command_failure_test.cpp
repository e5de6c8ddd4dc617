// Every command that changes the book completes or leaves it exactly as it
// was: each runs again and again with its first, second, ... allocation failing
// (this executable replaces the global operator new), until it runs through.

#include "accounts/chart_editor.h"
#include "accounts/group_editor.h"
#include "accounts/group_posting.h"
#include "accounts/move_account.h"
#include "book/book_file.h"
#include "book/carry_forward.h"
#include "book/entry_clip_text.h"
#include "book/insert_book.h"
#include "book/period_rollover.h"
#include "entry_test_books.h"
#include "support/failing_allocations.h"
#include "support/hostile_books.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace entry_books;

EntryLine groupLine(std::uint8_t side, int account, std::int64_t amount, const char* note = "") {
    return EntryLine{0, side, money(account), money(amount), note, 0};
}

// The classes of the commands over one book.
struct Bench {
    explicit Bench(Book b)
        : desk(std::move(b)), chart(desk.book, desk.run), group(desk.book, desk.run) {}
    Desk desk;
    ChartEditor chart;
    GroupEditor group;
    Book& book() { return desk.book; }
    RunTimeState& run() { return desk.run; }
};

// Four entries, the last left open (no note), account 110 a capital
// account, and group 0 of two entries, its last open too, taken as the
// working lines.
Book commandBook() {
    Book b = threeEntries();
    addLine(b, Debit, 600, 5, "", "42");
    addLine(b, Credit, 100, 4, "", "42");
    b.AccountTypes[3] = CapitalEquity;
    b.EntryGroups[0] = {groupLine(Debit, 600, 7), groupLine(Credit, 110, 7, "Rent"),
                        groupLine(Debit, 100, 1), groupLine(Credit, 400, 1)};
    b.RecurringLines = b.EntryGroups[0];
    return b;
}

std::string otherBookFile() {
    Book other = makeEmptyBook("Balance", AnyDay);
    other.AccountNames[1] = "Loan";
    other.AccountNumbers[1] = money(250);
    other.AccountNames[2] = "Cash";
    other.AccountNumbers[2] = money(100);
    other.EntryLines.clear();
    other.EntryIds.clear();
    addLine(other, Debit, 100, 500, "", "7");
    addLine(other, Credit, 250, 500, "Borrowed", "7");
    return serializeBookFile(other, nullptr, nullptr).value();
}

struct Row {
    const char* command;
    std::function<void(Bench&)> prepare; // before any allocation fails
    std::function<void(Bench&)> run;
};

void whole(Bench&) {}

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {"group posting", whole, [](Bench& b) { postEntryGroup(b.book(), b.run(), Today); }},
        {"New Entry", whole, [](Bench& b) { b.desk.commands.newEntry(""); }},
        {"Paste",
         [](Bench& b) { b.desk.fakes.clipboard.plain = EntryClipText(b.book(), 0, 3, "."); },
         [](Bench& b) { b.desk.clipboard.pasteEntries(); }},
        {"Delete Entry", [](Bench& b) { b.desk.show(2); },
         [](Bench& b) { b.desk.commands.deleteEntry({}, false); }},
        {"Delete Entry, the only one",
         [](Bench& b) {
             b.book().EntryLines.resize(2);
             b.book().EntryIds.resize(2);
             b.desk.show(0);
         },
         [](Bench& b) { b.desk.commands.deleteEntry({}, false); }},
        {"Insert Entries", whole,
         [](Bench& b) {
             static const std::string bytes = otherBookFile();
             insertBook(b.book(), b.run(), bytes, InsertSource::BookFile, "other.acc", nullptr,
                        dayFirstLocale());
         }},
        {"move account", whole,
         [](Bench& b) { // the main window marks the book changed after the move
             moveAccountLines(b.book(), MoveRequest{money(100), money(110)});
             b.run().BookChanged = true;
         }},
        {"carry-forward", whole, [](Bench& b) { carryForward(b.book(), b.run(), Today); }},
        {"roll-over", whole, [](Bench& b) { rollOver(b.book(), b.run(), money(21)); }},
        {"chart insert", [](Bench& b) { b.chart.select(2); }, [](Bench& b) { b.chart.insert(); }},
        {"chart delete", [](Bench& b) { b.chart.select(2); }, [](Bench& b) { b.chart.remove(); }},
        {"standard chart", whole, [](Bench& b) { b.chart.standardChart(); }},
        {"group new entry", [](Bench& b) { b.group.open(); }, [](Bench& b) { b.group.newEntry(); }},
        {"group add line", [](Bench& b) { b.group.open(); },
         [](Bench& b) { b.group.addLine(Debit); }},
        {"group delete entry", [](Bench& b) { b.group.open(); },
         [](Bench& b) { b.group.deleteEntry(); }},
        {"group paste",
         [](Bench& b) {
             b.group.open();
             b.desk.fakes.clipboard.plain = b.group.copyText(".");
         },
         [](Bench& b) { b.group.paste(b.desk.fakes.clipboard.plain, marksOf(dayFirstLocale())); }},
        {"group stored on close",
         [](Bench& b) {
             b.group.open();
             b.book().RecurringLines.pop_back();
         },
         [](Bench& b) { b.group.writeBack(); }},
        {"reconcile", whole, [](Bench& b) { b.desk.commands.setReconciled(true); }},
        {"add line", whole, [](Bench& b) { b.desk.compound.addLine(EntrySide::Credit); }},
        {"balance", whole, [](Bench& b) { b.desk.compound.balance(); }},
        {"date", whole, [](Bench& b) { b.desk.editor.commitDate("01/02/2025"); }},
        {"note", whole,
         [](Bench& b) { b.desk.editor.noteChanged("A long note, beyond a short text"); }},
        {"amount", whole, [](Bench& b) { b.desk.editor.amountChanged(EntrySide::Debit, 0, "77"); }},
    };
    return table;
}

std::unique_ptr<Bench> benchFor(const Row& row) {
    auto bench = std::make_unique<Bench>(commandBook());
    row.prepare(*bench);
    return bench;
}

bool arraysInStep(const Book& b) {
    const std::size_t slots = b.AccountNames.size();
    return b.EntryLines.size() == b.EntryIds.size() && b.AccountNumbers.size() == slots &&
           b.AccountTypes.size() == slots && b.AccountNote.size() == slots &&
           b.AccountNote2.size() == slots && b.AccountExtra.size() == slots;
}

} // namespace

TEST(EveryCommand, CompletesOrLeavesTheBookAsItWas) {
    for (const Row& row : rows()) {
        // The change the command makes when nothing fails.
        std::unique_ptr<Bench> done = benchFor(row);
        const Book untouched = done->book();
        row.run(*done);
        ASSERT_NE(hostile::firstDifference(done->book(), untouched), "") << row.command;
        ASSERT_TRUE(done->run().BookChanged) << row.command;

        for (long n = 0;; ++n) {
            std::unique_ptr<Bench> bench = benchFor(row);
            const Book before = bench->book();
            const bool markBefore = bench->run().BookChanged;
            bool thrown = false;
            failing_allocations::failed = false;
            failing_allocations::failIn = n;
            try {
                row.run(*bench);
            } catch (const std::bad_alloc&) {
                thrown = true;
            }
            failing_allocations::failIn = -1;
            if (!failing_allocations::failed) break; // every allocation of the command went through
            const std::string where = std::string(row.command) + ", allocation " +
                                      std::to_string(n) + (thrown ? " (thrown)" : " (met)");
            EXPECT_TRUE(arraysInStep(bench->book())) << where;
            const std::string unlike = hostile::firstDifference(bench->book(), before);
            if (thrown || unlike.empty()) {
                EXPECT_EQ(unlike, "") << where;
                EXPECT_EQ(bench->run().BookChanged, markBefore) << where;
            } else { // a failure the command met itself, and went on to complete
                EXPECT_EQ(hostile::firstDifference(bench->book(), done->book()), "") << where;
                EXPECT_TRUE(bench->run().BookChanged) << where;
            }
        }
    }
}
