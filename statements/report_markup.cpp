#include "statements/report_markup.h"

#include "book/safe_file.h"
#include "book/text_encoding.h"
#include "book/tmain.h"

#include <cmath>
#include <cstdint>

namespace {

// The next code point of a UTF-8 text; a byte that starts no valid sequence
// gives U+FFFD and is passed over alone.
char32_t nextCodePoint(const std::string& text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
        ++i;
        return U'\uFFFD';
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = byte(i + static_cast<std::size_t>(k));
        if ((c & 0xC0) != 0x80) {
            ++i;
            return U'\uFFFD';
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

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
        const char32_t cp = nextCodePoint(utf8, i);
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

std::string htmlEscaped(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = nextCodePoint(utf8, i);
        switch (cp) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (cp < 0x20 || cp == 0x7F) break;
            if (cp < 0x80)
                out += static_cast<char>(cp);
            else
                out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
        }
    }
    return out;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        out += csvField(fields[i]);
    }
    return out + "\r\n";
}

int characterCount(const std::string& utf8) {
    int count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count)
        nextCodePoint(utf8, i);
    return count;
}

std::string padText(const std::string& utf8, int width) {
    std::size_t i = 0;
    int count = 0;
    while (i < utf8.size() && count < width) {
        nextCodePoint(utf8, i);
        ++count;
    }
    return utf8.substr(0, i) + std::string(static_cast<std::size_t>(width - count), ' ');
}

std::string rightAlign(const std::string& utf8, int width) {
    const int count = characterCount(utf8);
    return count >= width ? utf8 : std::string(static_cast<std::size_t>(width - count), ' ') + utf8;
}

int spreadsheetColumnWidth(int pixels, double twipsPerPixel) {
    return static_cast<int>(std::nearbyint(pixels * twipsPerPixel / 120.0));
}

} // namespace markup

ExportResult writeExportText(const std::filesystem::path& path, const std::string& bytes) {
    ExportResult result;
    const std::error_code ec = writeFileSafely(path, bytes);
    if (ec) {
        result.message = Tmain::FileErrorText(Tmain::FileErrorNumber(ec));
        return result;
    }
    result.ok = true;
    return result;
}
