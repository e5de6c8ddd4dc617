// What the ledger and journal windows show of a page: the texts of the rows
// that fit, worked out from a built ledger, a scroll position and the rows
// the window has room for. The windows only draw these; scrolling never
// reads the journal again.
#pragma once

#include "book/account_name_index.h"
#include "book/book.h"
#include "ledgers/journal_list.h"
#include "ledgers/running_balance.h"
#include "ledgers/t_account.h"
#include "platform/locale.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// --- T-account ---------------------------------------------------------

// One half of a label row. `line` is the journal line a click moves the main
// window to; -1 for rows that carry none (b/f, c/d, past the half's end).
struct TAccountCell {
    std::string date;
    std::string text;
    std::string amount;
    bool bold = false;
    std::int32_t line = -1;
};

struct TAccountPageRow {
    TAccountCell debit;
    TAccountCell credit;
};

// One half of a row as the window's page and the printout show it: the
// same date, text, weight and whether an amount shows; the amount without a
// leading zero on the window, with one on paper.
TAccountCell tAccountRowCell(const TAccountRow& row, const AccountNameIndex& names, int dateStyle,
                             const LocaleInfo& locale, int decimals, bool onPaper);

// Label rows 0..pageRows: row i shows row first + i of both halves.
// Account names and the date style are the book's as it is now.
std::vector<TAccountPageRow> tAccountPage(const Book& book, const TAccountLedger& ledger, int first,
                                          int pageRows, const LocaleInfo& locale);

// The scroll range: 0 (and the bar hidden) when the ledger has fewer rows
// than the page; else so that the last page ends two rows after the last row.
int tAccountScrollMax(int ledgerRows, int pageRows);

// --- running balance -------------------------------------------------------

struct RunningBalanceCells {
    std::string date;
    std::string reference;
    std::string account;
    std::string debit;   // "" when zero
    std::string credit;  // "" when zero
    std::string balance; // absolute value, " Dr" or " Cr"
    std::int32_t line = 0;
    bool opening = false;
};

// One row as the window's page and the printout show it. `suffix` is the
// balance's suffix of the row shown before (for a balance of exactly 0) and
// becomes this row's.
RunningBalanceCells runningBalanceRowCells(const Book& book, const RunningBalanceRow& row,
                                           const AccountNameIndex& names, const LocaleInfo& locale,
                                           std::string& suffix);

// The rows first .. first + slots - 1 that exist.
std::vector<RunningBalanceCells> runningBalancePage(const Book& book,
                                                    const RunningBalanceLedger& ledger, int first,
                                                    int slots, const LocaleInfo& locale);

// The scroll range after a build or a resize: the rows and two spare slots
// past the highest slot index `visibleRows`, never below 0.
int runningBalanceScrollMax(int rowCount, int visibleRows);

// --- general journal ---------------------------------------------------------

// One printed row of a journal page. Positions are design pixels already
// stretched by the page's factor f.
struct JournalPrintRow {
    enum Kind { Line, Note, Blank } kind = Blank;
    double y = 0;
    // Line rows.
    std::int32_t line = 0;
    bool grey = false;
    bool debit = true;
    std::string date; // "" where the column stays empty
    std::string name; // whole: the drawing cuts it at its column
    std::string folio;
    std::string amount;
    // Note rows: the text and where it starts.
    std::string note;
    double noteX = 0;
};

struct JournalPage {
    std::vector<JournalPrintRow> rows;
    // Per list item drawn: its journal line and the y where the next item
    // begins (PageRowLines, PageRowTops from index 1).
    std::vector<std::int32_t> itemLines;
    std::vector<std::int32_t> itemEnds;
    int visibleRows = 0; // items that end above the page's bottom edge
};

struct JournalPageMetrics {
    double height = 0; // client height H, less what covers its foot
    double lineHeight = 15;
    // The note column: notes wrap to its width and are centred in it.
    double noteLeft = 84;
    double noteColumn = 330;
    std::function<double(const std::string&)> noteWidth; // text width in bold italic
};

// Items first .. first + 163 of the list (as far as it reaches).
JournalPage journalPage(const Book& book, const JournalList& list, int first,
                        const JournalPageMetrics& metrics, const LocaleInfo& locale);

// A note wrapped into the column `column` wide from `left` (on the design
// page, 330 from 84): each row's text and its left edge.
std::vector<std::pair<std::string, double>>
wrapJournalNote(const std::string& text, double left, double column,
                const std::function<double(const std::string&)>& width);

// Hit test of a page: the list item under y (from the first item), or -1.
int journalItemAt(const JournalPage& page, double y);

// --- the widest figures ---------------------------------------------------------

// Per figure column of a window, the few texts among which the widest of the
// whole ledger is: the largest and the smallest amounts, each reference or
// account number (measured, not counted), the dates of the widest form. A
// window measures these once per build, not every row. (Paper measures the
// very cells its rows draw: ledgers/ledger_printouts.)
struct TAccountWidest {
    std::vector<std::string> dates, debitAmounts, creditAmounts;
};
TAccountWidest tAccountWidest(const Book& book, const TAccountLedger& ledger,
                              const LocaleInfo& locale);

struct RunningBalanceWidest {
    std::vector<std::string> dates, references, debits, credits, balances;
};
RunningBalanceWidest runningBalanceWidest(const Book& book, const RunningBalanceLedger& ledger,
                                          const LocaleInfo& locale);

struct JournalWidest {
    std::vector<std::string> dates, folios, debits, credits;
};
JournalWidest journalWidest(const Book& book, const JournalList& list, const LocaleInfo& locale);

// --- the detail bar ----------------------------------------------------------

// What the detail bar shows for a row made by journal line `line`: the note
// of the first of the 30 lines from it that has one (the entry's last line),
// ten spaces and the line's reference as stored; nothing when none of them
// has a note.
std::optional<std::string> entryDetailText(const Book& book, std::int32_t line);
