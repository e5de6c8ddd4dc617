// The spreadsheets of the reports (journal, ledgers, statements): each starts
// the same way, then is written cell by cell; writing stops at the first
// failure, which finish() returns.
#pragma once

#include "book/excel_file.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// A width of `twips` in spreadsheet characters (120 twips each), halves to
// even, within 0..127.
int sheetColumnCharacters(double twips);

class ReportSheet {
  public:
    // Creates the file; no grid lines; margins of half an inch; fonts 0 to 3
    // `fontName` at 9 points plain, bold, underlined and bold italic; one
    // width per column in characters; `pageTitle` as page header and footer.
    void start(const std::filesystem::path& path, const std::string& fontName,
               const std::vector<int>& columnCharacters, const std::string& pageTitle);
    void text(int font, int alignment, int attribute, std::int32_t row, int column,
              const std::string& value);
    void number(int font, int alignment, int attribute, std::int32_t row, int column, double value);
    // Puts the file in place when nothing failed; the first failure, if any.
    std::error_code finish();
    bool failed() const { return static_cast<bool>(error_); }

  private:
    void check(std::error_code ec) {
        if (!error_) error_ = ec;
    }
    ExcelFile file_;
    std::error_code error_;
};
