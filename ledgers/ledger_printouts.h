// The printed T-account, general journal and running-balance ledger. Each
// function draws one whole copy on the surface and ends the document, so a
// print of several copies calls it once per copy (one print job each, pages
// numbered from 1 in each). Positions are twips on the surface's drawing
// area; font sizes follow `printScale` (the print's zoom, PrintScale).
#pragma once

#include "book/book.h"
#include "ledgers/journal_list.h"
#include "ledgers/ledger_heading.h"
#include "ledgers/running_balance.h"
#include "ledgers/t_account.h"
#include "platform/drawing_surface.h"
#include "platform/locale.h"

#include <functional>

// The T-account: heading (business, account, period), the ruled T with both
// halves side by side, then the totals and the balance brought down. Rows
// passing the page's foot go on on a new page with its own centre rule.
void printTAccount(DrawingSurface& surface, const Book& book, const TAccountLedger& ledger,
                   const LedgerHeading& heading, const LocaleInfo& locale, double printScale);

// The listed journal lines: business name and title on the first page, the
// page number (at the top right) and the period on every page; each line shows account, number and
// amount, plus its date when that is new; each entry ends with its note and
// reference.
void printGeneralJournal(DrawingSurface& surface, const Book& book, const JournalList& list,
                         const LedgerHeading& heading, const LocaleInfo& locale, double printScale);

// The running balance: the page number at the top right of every page, the
// business heading (drawn by `printHeader`, the main window's PrintHeader) and
// the account's address on every copy, the title, the period, the column
// headings and one line per row.
void printRunningBalance(DrawingSurface& surface, const Book& book,
                         const RunningBalanceLedger& ledger, const LedgerHeading& heading,
                         const LocaleInfo& locale, double printScale,
                         const std::function<void(DrawingSurface&)>& printHeader);
