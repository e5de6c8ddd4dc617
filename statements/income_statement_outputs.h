// The income statement as it leaves the window: tab text and RTF for the
// clipboard, web page, spreadsheet and mail draft, each a plain function of
// a computed IncomeStatement.
#pragma once

#include "book/book.h"
#include "statements/income_statement.h"
#include "statements/report_markup.h"

#include <filesystem>
#include <optional>
#include <string>

std::string incomeStatementTabText(const IncomeStatement& is);
std::string incomeStatementRtf(const IncomeStatement& is, const Book& book);
std::string incomeStatementWebPage(const IncomeStatement& is, const Book& book);
std::string incomeStatementMailSubject(const IncomeStatement& is, const Book& book);

ExportResult writeIncomeStatementSpreadsheet(const IncomeStatement& is, const Book& book,
                                             const std::filesystem::path& path,
                                             double twipsPerPixel = 15);
// Export by type: "rtf", "htm", anything else the spreadsheet.
ExportResult exportIncomeStatement(const IncomeStatement& is, const Book& book,
                                   const std::filesystem::path& path, const std::string& extension,
                                   double twipsPerPixel = 15);
std::optional<std::filesystem::path>
mailIncomeStatement(const IncomeStatement& is, const Book& book, const std::string& caption);
