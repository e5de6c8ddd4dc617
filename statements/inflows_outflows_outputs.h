// The inflows/outflows statement as it leaves the window: its table text
// (Copy), comma-separated text, web page, spreadsheet and mail draft. Every
// output starts at the first period the window shows (`firstPeriod`, 0 for
// the first) and runs to the Total column; balances count every period.
// Each text is written as it is made, so that the file or draft of a wide
// statement never stands whole in memory.
#pragma once

#include "book/book.h"
#include "book/byte_writer.h"
#include "statements/inflows_outflows.h"
#include "statements/report_markup.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

void writeInflowsOutflowsTabText(ByteWriter& out, const InflowsOutflows& io, const Book& book,
                                 int firstPeriod = 0);
void writeInflowsOutflowsCsv(ByteWriter& out, const InflowsOutflows& io, const Book& book,
                             int firstPeriod = 0);
// `widthPx`: the page width in whole screen pixels (the window's width and
// its horizontal scroll range).
void writeInflowsOutflowsWebPage(ByteWriter& out, const InflowsOutflows& io, const Book& book,
                                 int widthPx, int firstPeriod = 0);

// The same, whole.
std::string inflowsOutflowsTabText(const InflowsOutflows& io, const Book& book,
                                   int firstPeriod = 0);
std::string inflowsOutflowsCsv(const InflowsOutflows& io, const Book& book, int firstPeriod = 0);
std::string inflowsOutflowsWebPage(const InflowsOutflows& io, const Book& book, int widthPx,
                                   int firstPeriod = 0);
// In cash mode the account the statement runs through, as every heading
// names it after its title: ", account 100 Cash"; "" otherwise.
std::string cashAccountNote(const InflowsOutflows& io, const Book& book);
std::string inflowsOutflowsMailSubject(const InflowsOutflows& io, const Book& book);

// The clipboard takes its text whole, and holds it twice over (as it is and
// as the window system's text): a longer table text is not copied.
constexpr std::uint64_t LargestCopyBytes = std::uint64_t(256) << 20;
// The table text for Copy, measured before it is made and made at its size;
// nullopt, with `refusal` saying why and what to choose instead, when it
// would pass LargestCopyBytes.
std::optional<std::string> inflowsOutflowsCopyText(const InflowsOutflows& io, const Book& book,
                                                   int firstPeriod, std::string& refusal);

// The spreadsheet stops at the format's 256 columns and says so in `notice`.
ExportResult writeInflowsOutflowsSpreadsheet(const InflowsOutflows& io, const Book& book,
                                             const std::filesystem::path& path, int firstPeriod = 0,
                                             double twipsPerPixel = 15);
// Export by type: "csv", "htm" (the page and CR LF), anything else the spreadsheet.
ExportResult exportInflowsOutflows(const InflowsOutflows& io, const Book& book,
                                   const std::filesystem::path& path, const std::string& extension,
                                   int widthPx, int firstPeriod = 0, double twipsPerPixel = 15);
std::optional<std::filesystem::path> mailInflowsOutflows(const InflowsOutflows& io,
                                                         const Book& book, int widthPx,
                                                         const std::string& caption,
                                                         int firstPeriod = 0);
