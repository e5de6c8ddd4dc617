// The spreadsheets of the reports (journal, ledgers, statements): each starts
// the same way, then is written cell by cell; writing stops at the first
// failure, which finish() returns.
#pragma once

#include "book/excel_file.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// A width of `twips` in spreadsheet characters (120 twips each), halves to
// even, within 0..127.
int sheetColumnCharacters(double twips);

// What the user is told when a sheet holds only the first `written` of the
// `wanted` rows of `what` ("journal lines"), and when `textsCut` texts were
// longer than a cell holds and were cut; "" when every row and text fit. A
// sheet that keeps entries whole writes none when its first entry alone is
// longer than the sheet holds, and the notice says so.
std::string sheetNotice(std::int64_t written, std::int64_t wanted, const std::string& what,
                        std::int64_t textsCut);

class ReportSheet {
  public:
    // Creates the file; no grid lines; margins of half an inch; fonts 0 to 3
    // `fontName` at 9 points plain, bold, underlined and bold italic; one
    // width per column in characters; `pageTitle` as page header and footer.
    void start(const std::filesystem::path& path, const std::string& fontName,
               const std::vector<int>& columnCharacters, const std::string& pageTitle);
    // A cell in a row past the format's last row is left out, and counted in
    // rowsAsked().
    void text(int font, int alignment, int attribute, std::int32_t row, int column,
              const std::string& value);
    void number(int font, int alignment, int attribute, std::int32_t row, int column, double value);
    // The last row a cell was asked for, written or not.
    std::int32_t rowsAsked() const { return rowsAsked_; }
    // How many texts were cut to fit their cells, the header and the footer.
    int textsCut() const { return file_.textsCut(); }
    // Puts the file in place when nothing failed; the first failure, if any.
    std::error_code finish();
    bool failed() const { return static_cast<bool>(error_); }

  private:
    // Whether a cell of `row` goes into the file.
    bool fits(std::int32_t row) {
        rowsAsked_ = std::max(rowsAsked_, row);
        return row <= ExcelFile::MaxRows && !error_;
    }
    void check(std::error_code ec) {
        if (!error_) error_ = ec;
    }
    ExcelFile file_;
    std::error_code error_;
    std::int32_t rowsAsked_ = 0;
};
