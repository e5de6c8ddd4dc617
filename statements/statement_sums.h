// The journal pass the statements share: each line dated up to a day (or in
// a period) adds its amount to the debit or credit sum of its account's key,
// found through a map built once from the account table.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "statements/income_statement.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// Key of an account number: the number itself, or its main account number
// when sub-accounts are folded.
Currency statementKey(Currency number, bool includeSubAccounts);

struct KeyedSums {
    // key -> index into debits/credits; keys up to 0 are no account.
    std::unordered_map<std::int64_t, int> index;
    std::vector<Currency> debits, credits;

    // Adds a key (once) and returns its index.
    int add(Currency key);
    // Index of a key, or -1.
    int find(Currency key) const;
};

// Adds the key of every slot in table order. For each slot: the index of its
// key when it is the first slot with that key (it stands for the key), else -1.
std::vector<int> addTableKeys(const Book& book, bool includeSubAccounts, KeyedSums& sums);

struct DayRange {
    bool allDates = false;
    double first = 0; // whole days, inclusive
    double last = 0;
    bool holds(double date) const;
};

// One pass over the journal: lines whose date lies in `range` add to the
// sums of their key when `sums` has it. A Side other than 1 is a credit.
// Throws CurrencyOverflow. With `run`, ProgressStride is set for the journal
// (about 99 steps) and the progress bar steps on every counted line whose
// index is a multiple of it.
void sumJournal(const Book& book, const DayRange& range, bool includeSubAccounts, KeyedSums& sums,
                RunTimeState* run);

// The income statement from sums already gathered over its period with the
// same folding, such as a balance sheet's: every line up to its day is a line
// of the period from the first journal day to that day.
IncomeStatement incomeStatementFromSums(const Book& book, const IncomeStatementOptions& options,
                                        const KeyedSums& sums, const std::vector<int>& keyOf);
