// The export for another edition of the program: the chart of accounts and
// settings in a .LWK file, the journal in an .ENT file beside it, and one
// .Grp file per group holding at least three lines (named like the book
// plus 01..10). These files are only written, never read.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

// Byte offset of LastAccount in the .LWK file; the account table follows it.
constexpr std::uint64_t ChartTableOffset = 10'000'003;
// The account-number copies hold this many numbers.
constexpr int ChartCopyNumbers = 154;

struct ChartExportFiles {
    std::filesystem::path chart;                  // stem.LWK
    std::filesystem::path journal;                // stem.ENT
    std::array<std::filesystem::path, 10> groups; // stem01.Grp .. stem10.Grp
};
// The names made from the chosen file name: its extension replaced.
ChartExportFiles chartExportFiles(const std::filesystem::path& chosenName);

struct ChartExportResult {
    std::error_code error; // a file error (empty on success)
    std::string refusal;   // a text too long to store, else ""
    // What the user was told beside an error: the file (not the chart) that
    // could not be written, or the files replaced before one could not be;
    // or, the export done, the older group files that stay.
    std::string notice;
    bool ok() const { return !error && refusal.empty(); }
};

// Writes all the files anew; each replaces its older namesake only when every
// file was written, and the group files of an earlier export whose groups now
// have fewer than three lines are removed (only regular files and links that
// do not lead to a folder: the names the replace question lists; an older
// group file that cannot go leaves the export done, with a notice).
// Journal lines whose reconciled mark is above 1 get 0, in the book too.
// Steps the progress every ProgressStride lines. A failure is shown to the
// user (the caller shows nothing more) and leaves the older files as they
// were, except those replaced before a later one could not be (told).
ChartExportResult EditionExportFile(Book& book, RunTimeState& run,
                                    const std::filesystem::path& chosenName);
