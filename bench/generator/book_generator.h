// Large books in memory for benchmarks: a chart of accounts with sub-accounts
// and a journal of balanced entries, the same book for the same arguments.
#pragma once

#include "book/book.h"

#include <cstdint>

// A book of exactly `lines` journal lines (at least 2) and `accounts` accounts
// (at least 2; slot 0 is the opening-balance account, number 1).
//
// Accounts: main accounts numbered 1000, 1010, 1020, ... with their classes
// spread in blocks over 0..8; every tenth account is a ".1" sub-account of the
// main account before it.
// Journal: balanced entries, one in five compound (two or three lines on each
// side, debits first), dated ascending over the three years from 1 January
// 2023; references "1", "2", ... ascending per entry; a short note ("Sale 17")
// on each entry's last line, "" on its earlier lines.
Book generateBook(std::int64_t lines, int accounts, std::uint32_t seed = 1);

// The wide book of the inflows/outflows statement: a cash account (slot 0,
// number 1000) and `accounts` revenue and expense accounts (2000, 2010, ...,
// revenue and expense in turn), and `lines` journal lines in two-line
// entries (cash against a revenue account, or an expense against cash),
// dated ascending over `years` years from 1 January 1926.
Book generateWideBook(int accounts, int years, std::int64_t lines, std::uint32_t seed = 1);
