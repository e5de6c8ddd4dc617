// The pieces every statement output is made of: texts escaped for RTF, HTML
// and comma-separated files, columns padded by characters (not bytes), and
// the writing of an exported file through the safe writer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace markup {

// RTF: "\", "{" and "}" escaped; characters beyond ASCII (UTF-8 in) as \uN
// followed by their Windows-1252 byte (\'e9) for readers without Unicode, or
// "?" when the code page lacks them; control characters dropped; TAB as \tab.
std::string rtfEscaped(const std::string& utf8);
// HTML: & < > " escaped as entities, characters beyond ASCII as &#N;.
std::string htmlEscaped(const std::string& utf8);
// One comma-separated field (RFC 4180): quoted when it holds a comma, a
// quote, CR or LF, quotes doubled.
std::string csvField(const std::string& text);
// A comma-separated line of fields ending in CR LF.
std::string csvLine(const std::vector<std::string>& fields);

// Columns of characters: `text` followed by spaces and cut to `width`
// characters; an amount right-aligned in `width` with spaces before it,
// never cut (a longer amount keeps all its digits).
std::string padText(const std::string& utf8, int width);
std::string rightAlign(const std::string& utf8, int width);
// The number of characters (UTF-8 code points).
int characterCount(const std::string& utf8);

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

// Writes a whole exported text through the safe writer: on a failure the old
// file stays and the message names the error.
ExportResult writeExportText(const std::filesystem::path& path, const std::string& bytes);
