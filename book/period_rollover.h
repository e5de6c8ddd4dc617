// The period roll-over: the journal is replaced by the opening entries of the
// next period. Every account is judged by the class of its row in the
// statements, sub-accounts folded under their main account (book/folded_rows.h):
// outside the three income-statement classes (cost of sales, revenue,
// expense) it brings its balance forward against account 1, and the net
// profit or loss is split over the capital accounts in proportion to their
// capital. Every new line is dated like the final line of the journal it
// replaces.
#pragma once

#include "book/book.h"
#include "book/carry_forward.h"
#include "book/runtime_state.h"
#include "book/wide_sum.h"

#include <cstdint>
#include <string>

struct RollOverResult {
    enum Status {
        Done,     // the journal holds the opening entries (or stayed, when none was due)
        Stopped,  // `message` says why; nothing changed
        Declined, // the question about lines left out was answered No: nothing changed
    };
    Status status = Stopped;
    // Also set when Done: the profit or loss that no capital account could take.
    std::string message;
    std::int32_t linesWritten = 0;
    bool ok() const { return status == Done; }
};

// Each capital account (its row of class 7) with a balance gets netProfit x
// balance / capital total, rounded to two decimals with halves to the even digit, and
// booked by its sign: above 0 debit account 1 and credit the capital account,
// below 0 the other way round, by its size. Whatever rounding leaves over is
// not redistributed. `netProfit` is the income statement's over all dates
// (statements/net_profit.h). On success the book is marked changed, loses
// its file name and run.NetProfit becomes 0. Before anything changes, lines
// on numbers the chart lacks whose row is not closed into the profit are
// asked about (carrying::agreesToLeaveOut).
RollOverResult rollOver(Book& book, RunTimeState& run, Currency netProfit,
                        const GoOnQuestion& ask = askYesNo);

// A capital share: netProfit x balance / total rounded to two decimals, halves
// to even, worked exactly; the total of the capital balances may lie beyond
// the range of amounts. Throws CurrencyOverflow when the share cannot be held.
Currency capitalShare(Currency netProfit, Currency balance, WideSum total);
