#include "statements/report_markup.h"

#include "book/report_sheet.h"
#include "book/safe_file.h"
#include "book/text_encoding.h"
#include "book/tmain.h"

namespace {

// "\uN" and the character's Windows-1252 byte for readers without Unicode
// ("?" when the code page lacks it).
void appendRtfUnit(std::string& out, unsigned unit, const std::string& fallback = "?") {
    const int value = unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit);
    out += "\\u" + std::to_string(value);
    if (fallback.size() == 1 && fallback != "?") {
        static const char* const hex = "0123456789abcdef";
        const auto byte = static_cast<unsigned char>(fallback[0]);
        out += "\\'";
        out += hex[byte >> 4];
        out += hex[byte & 0xF];
    } else {
        out += "?";
    }
}

} // namespace

namespace markup {

std::string rtfEscaped(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const char32_t cp = encoding::nextCodePoint(utf8, i);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp < 0x20 || cp == 0x7F) {
            continue;
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp > 0xFFFF) {
            const unsigned v = static_cast<unsigned>(cp) - 0x10000;
            appendRtfUnit(out, 0xD800 + (v >> 10));
            appendRtfUnit(out, 0xDC00 + (v & 0x3FF));
        } else {
            appendRtfUnit(
                out, static_cast<unsigned>(cp),
                encoding::utf8ToWindows1252(std::string_view(utf8).substr(start, i - start)));
        }
    }
    return out;
}

int characterCount(const std::string& utf8) {
    int count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count)
        encoding::nextCodePoint(utf8, i);
    return count;
}

int spreadsheetColumnWidth(int pixels, double twipsPerPixel) {
    return sheetColumnCharacters(pixels * twipsPerPixel);
}

} // namespace markup

ExportResult exportResultOf(std::error_code error) {
    ExportResult result;
    if (error) {
        result.message = Tmain::FileErrorText(Tmain::FileErrorNumber(error));
        return result;
    }
    result.ok = true;
    return result;
}

ExportResult writeExportText(const std::filesystem::path& path, const std::string& bytes) {
    return exportResultOf(writeFileSafely(path, bytes));
}
