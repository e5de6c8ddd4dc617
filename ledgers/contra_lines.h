// The contra lines of a journal line: the lines of the other side within the
// line's own entry that name an account, and each one's share of the line.
#pragma once

#include "book/book.h"
#include "book/entry_index.h"

#include <cstdint>
#include <vector>

struct ContraLines {
    std::vector<std::int32_t> lines; // in journal order
    Currency sum;                    // their amounts added up

    // Fills the contra lines of `line` (whose Side is Debit or Credit); an
    // amount sum out of range throws CurrencyOverflow.
    void find(const Book& book, const EntryIndex& entries, std::int32_t line);
    bool empty() const { return lines.empty(); }
};

// contraAmount x (lineAmount / contraSum), the ratio in double, rounded to the
// nearest ten-thousandth with halves to the even one. The sum must not be 0;
// a result out of range throws CurrencyOverflow.
Currency contraShare(Currency lineAmount, Currency contraAmount, Currency contraSum);
