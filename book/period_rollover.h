// The period roll-over: the journal is replaced by the opening entries of the
// next period. Every account but the cost-of-goods-sold, revenue and expense
// accounts brings its balance forward against account number 1; the
// period's net profit or loss is then shared among the capital accounts by
// their share of the capital total. All lines carry the date of the old
// journal's last line.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "book/wide_sum.h"

#include <cstdint>
#include <string>

struct RollOverResult {
    enum Status {
        Done,    // the journal holds the opening entries (or stayed, when none was due)
        Stopped, // `message` says why; nothing changed
    };
    Status status = Stopped;
    // Also set when Done: the profit or loss that no capital account could take.
    std::string message;
    std::int32_t linesWritten = 0;
    bool ok() const { return status == Done; }
};

// Each capital account (type 7) with a balance gets netProfit x balance /
// capital total, rounded to two decimals with halves to the even digit, and
// booked by its sign: above 0 debit account 1 and credit the capital account,
// below 0 the other way round, by its size. The rounded shares are booked as
// they are. `netProfit` is the income statement's over all dates
// (statements/net_profit.h). On success the book is marked changed, loses
// its file name and run.NetProfit becomes 0.
RollOverResult rollOver(Book& book, RunTimeState& run, Currency netProfit);

// A capital share: netProfit x balance / total rounded to two decimals, halves
// to even, worked exactly; the total of the capital balances may lie beyond
// the range of amounts. Throws CurrencyOverflow when the share cannot be held.
Currency capitalShare(Currency netProfit, Currency balance, WideSum total);
