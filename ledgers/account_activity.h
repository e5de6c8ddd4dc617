// Which account the journal posts to most: the one a picture or a benchmark
// of a ledger window opens on when it is given none.
#pragma once

#include "book/book.h"

// The account number with the most journal lines (the lowest number of
// equally busy ones); 0 for a journal without accounts.
Currency busiestAccount(const Book& book);
