// The pieces every statement output is made of, most of them the program's
// own (book/) named here as the outputs know them: texts escaped for RTF and
// HTML, comma-separated fields, columns of characters, spreadsheet column
// widths, and the writing of an exported file through the safe writer.
#pragma once

#include "book/byte_writer.h"
#include "book/csv_text.h"
#include "book/html_text.h"
#include "book/text_columns.h"

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace markup {

// RTF: rtfEscaped (book/rtf_text.h) with characters beyond ASCII as \uN
// followed by their Windows-1252 byte (\'e9) for readers without Unicode.
std::string rtfEscaped(const std::string& utf8);

using ::csvField;
using ::csvLine;
using ::htmlEscaped;
using ::padText;
using ::rightAlign;

// A report's column of `pixels` screen pixels in spreadsheet character units
// (a character 120 twips), halves to even.
int spreadsheetColumnWidth(int pixels, double twipsPerPixel);

} // namespace markup

// What an export did: `ok`, or the failure's text for the user; `notice` is
// set when the file was written but not all of the statement fits in it.
struct ExportResult {
    bool ok = false;
    std::string message;
    std::string notice;
};

// What writing `path` came to: ok, or the message naming the file and its error.
ExportResult exportResultOf(const std::filesystem::path& path, std::error_code error);

// Writes a whole exported text through the safe writer: on a failure the old
// file stays and the message names the error.
ExportResult writeExportText(const std::filesystem::path& path, const std::string& bytes);
// Writes an exported text as `write` makes it, block by block, into the safe
// writer's temporary file: a large export never stands whole in memory.
ExportResult writeExportStream(const std::filesystem::path& path,
                               const std::function<void(ByteWriter&)>& write);
