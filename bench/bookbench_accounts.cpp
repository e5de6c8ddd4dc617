// bookbench steps of the chart of accounts: the check the editor runs when it
// closes, and reposting all of one account's lines onto another. Both work
// on a copy, so the steps after them see the book as it was opened.
#include "bench/bookbench.h"

#include "accounts/chart_table.h"
#include "accounts/move_account.h"

#include <iostream>

namespace {

void chartCheck(BenchContext& ctx) {
    Book book = ctx.book;
    std::optional<ChartFault> fault;
    timeIt("chart check on close", [&] { fault = closeChart(book, ctx.run.DecimalSeparator); });
    std::cout << "  " << book.slotsInUse() << " slots, "
              << (fault ? "refused: " + fault->message.substr(0, fault->message.find('\r'))
                        : std::string("accepted"))
              << "\n";
}

void moveAccount(BenchContext& ctx) {
    Book book = ctx.book;
    if (book.EntryLines.empty() || book.slotsInUse() < 2) return;
    // The first line's account moves to another account of the chart.
    const Currency from = book.EntryLines[0].AccountNumber;
    const Currency to =
        book.AccountNumbers[0] == from ? book.AccountNumbers[1] : book.AccountNumbers[0];
    const MoveRequest request{from, to};
    int moved = 0;
    timeIt("move account lines", [&] { moved = moveAccountLines(book, request); });
    std::cout << "  " << moved << " lines moved\n";
}

} // namespace

LW_BOOKBENCH_STEP("50-chart-check", chartCheck);
LW_BOOKBENCH_STEP("51-move-account", moveAccount);
