// Exports the full journal to a single-sheet spreadsheet: a row of headings,
// then one row per journal line (date on an entry's first line, account, debit
// or credit amount, reference, note) with borders marking each entry.
#pragma once

#include "book/book.h"
#include "book/report_sheet.h"
#include "platform/locale.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

// The widths, in twips, of the main-window controls whose widths the columns
// take. The defaults are the entry line's at the window's smallest size.
struct JournalSheetLayout {
    int dateTwips = 1335;      // date box: column 1
    int accountTwips = 4050;   // first debit account box: column 2
    int amountTwips = 1215;    // first credit amount box: columns 3 and 4
    int referenceTwips = 1215; // reference box: column 5
    int noteTwips = 7340;      // note box: column 6
};

struct JournalSheetResult {
    std::error_code error;         // empty on success
    std::int32_t linesWritten = 0; // journal lines in the file
    std::int32_t journalLines = 0; // journal lines in the book
    bool ok() const { return !error; }
};

// Writes the journal to `fileName` (replaced only when the whole file was
// written). A failure is shown with the file-error message and nothing is
// left on disk; when the journal has more lines than the sheet's 16,384 rows
// can hold, the user is told how many were written, and when texts were longer
// than a cell, the header or the footer holds, how many were cut. The caller
// shows nothing more.
JournalSheetResult SaveAsExcel(const Book& book, const std::filesystem::path& fileName,
                               const LocaleInfo& locale, const JournalSheetLayout& layout = {});
