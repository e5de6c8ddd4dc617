// The statement of inflows and outflows: the journal laid out in periods
// (months, pairs of months, quarters or years), either through one cash
// account (what each other account brought in or took out) or as revenue
// against expenses, with totals and the running beginning and ending
// balances of the net flows.
#pragma once

#include "book/book.h"
#include "book/number_format.h"
#include "platform/locale.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

enum class PeriodKind { Monthly = 0, Bimonthly = 1, Quarterly = 2, Yearly = 3 };

// The period kind of a list index: below 1 (none chosen too) Monthly, 3 or
// more Yearly.
PeriodKind periodKindOfIndex(int listIndex);

struct InflowsOutflowsOptions {
    PeriodKind kind = PeriodKind::Monthly;
    // The chosen account of cash mode; none gives revenue/expense mode.
    std::optional<Currency> cashAccount;
    LocaleInfo locale; // marks of the amount texts, month names
    // A journal whose dates would need more periods than this is refused
    // with a message (one wild date must not make thousands of columns).
    int maxPeriods = 1200;
};

struct FlowRow {
    int slot = 0; // the table slot of the account (-1: lines of no account, no slot numbered 0)
    Currency number;
    std::string name;
    // One amount per period, then the row's total: size periods() + 1. They
    // stand in the statement's block of cells.
    std::span<Currency> amounts;
};

// Moved, never copied: the rows' amounts point into its block of cells.
struct InflowsOutflows {
    InflowsOutflows() = default;
    InflowsOutflows(InflowsOutflows&&) = default;
    InflowsOutflows& operator=(InflowsOutflows&&) = default;
    InflowsOutflows(const InflowsOutflows&) = delete;
    InflowsOutflows& operator=(const InflowsOutflows&) = delete;

    bool ok = false;
    std::string message;

    PeriodKind kind = PeriodKind::Monthly;
    bool cashMode = false;
    Currency cashAccount;
    int decimals = 0; // the book's balance-sheet decimals
    NumberMarks marks;

    // The first day of each period, then the exclusive end of the last one:
    // size periods() + 1. The first period starts on the 1st of the first
    // journal month, so no line falls before it.
    std::vector<double> periodStarts;
    int periods() const { return periodStarts.empty() ? 0 : int(periodStarts.size()) - 1; }
    std::vector<std::string> periodLabels; // the period list: "Mar 2024", or "2024" for years
    // Heads of the copied, exported and mailed table: each period's first day
    // as "Mar 2024", for every kind.
    std::vector<std::string> periodHeads;
    // Column heads: one per period, its last month ("Jun 2024" for a quarter
    // from April, "Mar 2024" for a first quarter holding March alone; the
    // year for Yearly), no later than the last journal day; then "Total" (168).
    std::vector<std::string> columnHeads;

    // Cash mode: an account's net flow into the cash account per period is an
    // inflow where positive and an outflow where negative (both positive
    // amounts; 0 elsewhere), so an account may have a row in each list.
    // Revenue/expense mode: revenue accounts (credits less debits) are the
    // inflows; expense, cost and capital accounts named with "Draw" (debits
    // less credits) the outflows, every such account with a row.
    // Table order, one row per account; the lines of no account (0) have a
    // row as in the trial balance: that of the first slot numbered 0, under
    // its class, else (in cash mode) one of their own, so that the net flows
    // are the cash account's own movement.
    std::vector<FlowRow> inflows, outflows;
    // The amounts of every row, row after row in the order they were opened:
    // one block, eight bytes a cell.
    std::vector<Currency> cells;

    // Column sums: one per period, then the total column.
    std::vector<Currency> inflowTotals, outflowTotals;
    // Running sums of inflows less outflows: the beginning balance of a
    // period is the net of the periods before it (from 0), the ending balance
    // adds its own. One per period.
    std::vector<Currency> beginning, ending;
    // The figures furthest above and below 0: their texts are the longest.
    Currency highest, lowest;

    // A figure as every output writes it, made when it is drawn or written
    // (the table keeps amounts only): the statement's decimals, grouped
    // digits, the leading zero kept, a negative amount in parentheses.
    std::string text(Currency amount) const;
    // The same figure as a comma-separated file holds it for other programs:
    // a negative amount with a minus sign, "-1,234.50", which a spreadsheet
    // reads as a number where it takes "(1,234.50)" for text.
    std::string fileText(Currency amount) const;
};

// Cash mode shares, entry by entry, the cash debits of each period among the
// entry's credit lines and its cash credits among its debit lines (the
// entry's debits stand before its credits), pro rata to their amounts, each
// line's share exact and rounded to a ten-thousandth (halves to even) so
// that the shares of one cash amount add up to it; the work is linear in the
// journal's lines. Sums are held wide: only a figure
// the statement keeps must fit in the money range; one that passes the
// 128-bit range refuses the statement, as does a table that would take more
// memory than a table may (book/memory_bound.h).
InflowsOutflows computeInflowsOutflows(const Book& book, const InflowsOutflowsOptions& options);
