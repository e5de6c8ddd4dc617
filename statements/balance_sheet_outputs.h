// The balance sheet as it leaves the window, in the layout chosen: tab text
// and RTF for the clipboard, web page, spreadsheet (always the working-capital
// layout) and mail draft, each a plain function of a computed BalanceSheet
// and the profit it keeps.
#pragma once

#include "book/book.h"
#include "statements/balance_sheet.h"
#include "statements/report_markup.h"

#include <filesystem>
#include <optional>
#include <string>

std::string balanceSheetTabText(const BalanceSheet& bs, BalanceSheetLayout layout);
std::string balanceSheetRtf(const BalanceSheet& bs, BalanceSheetLayout layout, const Book& book);
std::string balanceSheetWebPage(const BalanceSheet& bs, BalanceSheetLayout layout,
                                const Book& book);
std::string balanceSheetMailSubject(const BalanceSheet& bs, const Book& book);

ExportResult writeBalanceSheetSpreadsheet(const BalanceSheet& bs, const Book& book,
                                          const std::filesystem::path& path,
                                          double twipsPerPixel = 15);
// Export by type: "rtf", "htm", anything else the spreadsheet. The window
// offers only "rtf" in the assets-and-liabilities layout.
ExportResult exportBalanceSheet(const BalanceSheet& bs, BalanceSheetLayout layout, const Book& book,
                                const std::filesystem::path& path, const std::string& extension,
                                double twipsPerPixel = 15);
std::optional<std::filesystem::path> mailBalanceSheet(const BalanceSheet& bs,
                                                      BalanceSheetLayout layout, const Book& book,
                                                      const std::string& caption);
