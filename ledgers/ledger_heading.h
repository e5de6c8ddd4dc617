// The texts a ledger's printout, page, exports and mail show beside its rows:
// the account, its number and the period, taken from the last build so that
// they always match the rows.
#pragma once

#include "book/book.h"
#include "book/print_scale_guard.h" // printouts hold PrintScale with it
#include "platform/locale.h"

#include <string>
#include <vector>

struct LedgerHeading {
    std::string account; // the account's name, as displayed in the account box
    std::string folio;   // the account number box's text ("" when no account was built)
    std::string from;    // the period's first and last day in the book's date style
    std::string to;
};

// The heading of a build: the dates formatted in the book's date style.
LedgerHeading ledgerHeading(const Book& book, const std::string& account, const std::string& folio,
                            double fromDate, double toDate, const LocaleInfo& locale);

// The second note of the account whose number the folio text names ("-" and
// the locale's decimal mark read as the decimal point), line by line; none
// when no account has that number.
std::vector<std::string> addressLines(const Book& book, const std::string& folio,
                                      const std::string& decimalMark);
