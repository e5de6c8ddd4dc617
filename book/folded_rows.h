// The rows of a report over the chart: each row gathers the account numbers
// that share a key (the number itself, or its main account when sub-accounts
// are folded) and carries the number, name and class of one slot, its
// standing slot. The statements, the net profit and the period roll-over all
// judge an account's balance by the class of its row, so they agree on what
// is closed into the profit and what is carried.
#pragma once

#include "book/book.h"

#include <cstdint>
#include <unordered_map>

// A number's key: the number itself, or the main account it folds into
// (mainAccountOf) when sub-accounts are folded.
Currency rowKey(Currency number, bool includeSubAccounts);

class RowSlots {
  public:
    // Of the slots in use sharing a key, the first numbered with the key
    // itself (the main account while folding) stands for it, else the first
    // slot with the key. Empty slots stand for the key 0 (no account).
    RowSlots(const Book& book, bool includeSubAccounts);
    // The slot standing for the row of `number`, or -1 when no slot has its key.
    int slotOf(Currency number) const;

  private:
    bool includeSubAccounts_;
    std::unordered_map<std::int64_t, int> standing_; // key -> standing slot
};

// Whether balances of a row of this class make the profit or loss (cost of
// sales, revenue, expense) and are closed at the period's end; the balances
// of every other class are carried.
bool closesIntoProfit(std::uint8_t rowClass);
