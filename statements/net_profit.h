// The net profit of a period alone: the credits less the debits of every
// revenue, cost-of-goods-sold and expense account. It is the one figure of
// the income statement that the balance sheet shows and the one the period
// roll-over shares among the capital accounts, so it is the only one that
// must fit in the money range for them; the statement's own totals need not.
#pragma once

#include "book/book.h"
#include "statements/statement_sums.h"

#include <string>
#include <vector>

struct NetProfitResult {
    bool ok = false;
    std::string message; // why there is none: it is beyond the money range
    Currency netProfit;  // above 0 a profit, below 0 a loss
};

// From sums gathered over the period with the same folding, such as a
// balance sheet's (keyOf as addTableKeys gave it).
NetProfitResult netProfitFromSums(const Book& book, const KeyedSums& sums,
                                  const std::vector<int>& keyOf);

// Of the whole journal, sub-accounts folded: what the roll-over shares.
NetProfitResult netProfitOfAllDates(const Book& book);
