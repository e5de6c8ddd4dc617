// The trial balance as it leaves the window: tab text and RTF for the
// clipboard, web page, comma-separated text, spreadsheet and mail draft.
// Each is a plain function of a computed TrialBalance. Zero rows are
// skipped, though the spreadsheet leaves a blank row in their place; debits
// and credits are totalled in their own columns.
#pragma once

#include "book/book.h"
#include "statements/report_markup.h"
#include "statements/trial_balance.h"

#include <filesystem>
#include <optional>
#include <string>

std::string trialBalanceTabText(const TrialBalance& tb);
std::string trialBalanceRtf(const TrialBalance& tb, const Book& book);
std::string trialBalanceWebPage(const TrialBalance& tb, const Book& book);
std::string trialBalanceCsv(const TrialBalance& tb);
std::string trialBalanceMailSubject(const TrialBalance& tb, const Book& book);

ExportResult writeTrialBalanceSpreadsheet(const TrialBalance& tb, const Book& book,
                                          const std::filesystem::path& path,
                                          double twipsPerPixel = 15);
// Export by the type chosen in the file dialog: "rtf", "csv", "htm" (the page
// and CR LF), anything else the spreadsheet.
ExportResult exportTrialBalance(const TrialBalance& tb, const Book& book,
                                const std::filesystem::path& path, const std::string& extension,
                                double twipsPerPixel = 15);
// "Send": the page as a mail draft "TrialBalance<n>.eml"; `caption` is the main
// window's caption. The draft's path when it was written.
std::optional<std::filesystem::path> mailTrialBalance(const TrialBalance& tb, const Book& book,
                                                      const std::string& caption);
