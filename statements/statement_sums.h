// The journal pass the statements share: each line dated up to a day (or in
// a period) adds its amount to the debit or credit sum of its account's key,
// found through a map built once from the account table. Sums are held wide,
// so large debits and credits that cancel never stop a statement; only the
// figures a statement keeps are checked against the money range.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "book/wide_sum.h"
#include "statements/income_statement.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// Key of an account number: the number itself, or the main account it folds
// into (mainAccountOf, as the ledgers fold it too) when sub-accounts are folded.
Currency statementKey(Currency number, bool includeSubAccounts);

struct KeyedSums {
    std::unordered_map<std::int64_t, int> index; // key -> index into the vectors below
    std::vector<WideSum> debits, credits;
    // The slot whose number, name and class the key's row carries: the first
    // slot numbered with the key itself (the main account while folding),
    // else the first slot with the key; -1 for the key of no account (0) when
    // no slot in use is empty.
    std::vector<int> standing;

    // Adds a key (once) and returns its index.
    int add(Currency key);
    // Index of a key, or -1.
    int find(Currency key) const;
    WideSum debitBalance(int key) const { return debits[key] - credits[key]; }
};

// Adds the key of every slot in table order. For each slot: the index of its
// key when it is the first slot with that key (its row stands there in table
// order), else -1. Lines of no account (0) have the first empty slot's row;
// when no slot in use is empty, one more element after the slots holds the
// key 0, whose row stands last.
std::vector<int> addTableKeys(const Book& book, bool includeSubAccounts, KeyedSums& sums);

// What a key's row shows: its standing slot's number, name and class; for the
// key 0 without a slot, account 0 with no name, classed as an empty slot is.
struct RowAccount {
    int slot = -1;
    Currency number;
    std::string name;
    std::uint8_t type = CurrentAsset;
};
RowAccount rowAccount(const Book& book, const KeyedSums& sums, int key);

struct DayRange {
    bool allDates = false;
    double first = 0; // whole days, inclusive
    double last = 0;
    bool holds(double date) const;
};

// One pass over the journal: lines whose date lies in `range` add to the
// sums of their key when `sums` has it. A Side other than 1 is a credit.
// With `run`, ProgressStride is set for the journal (about 99 steps) and the
// progress bar steps on every counted line whose index is a multiple of it.
void sumJournal(const Book& book, const DayRange& range, bool includeSubAccounts, KeyedSums& sums,
                RunTimeState* run);

// sumJournal over every line dated up to `lastDay` (a whole day).
void sumJournalUpTo(const Book& book, double lastDay, bool includeSubAccounts, KeyedSums& sums,
                    RunTimeState* run);

// Adds the row of `account` with `amount` to `rows`; an amount of 0 makes no
// row. Throws CurrencyOverflow when the amount does not fit in the money range.
void addStatementRow(std::vector<StatementRow>& rows, const RowAccount& account, WideSum amount);

// The sum of the rows' amounts; throws CurrencyOverflow when it does not fit.
Currency rowsTotal(const std::vector<StatementRow>& rows);
