#include "book/rtf_text.h"

#include "book/text_encoding.h"

#include <string_view>

namespace {

// \'hh for a Windows-1252 byte, "?" when the code page lacks the character.
void appendCodePageByte(std::string& out, const std::string& windows1252) {
    if (windows1252.size() != 1 || windows1252 == "?") {
        out += "?";
        return;
    }
    static const char* const hex = "0123456789abcdef";
    const auto byte = static_cast<unsigned char>(windows1252[0]);
    out += "\\'";
    out += hex[byte >> 4];
    out += hex[byte & 0xF];
}

// \uN of one UTF-16 unit (as a signed 16-bit number).
void appendUnicodeUnit(std::string& out, unsigned unit) {
    const int value = unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit);
    out += "\\u" + std::to_string(value);
}

} // namespace

std::string rtfEscaped(const std::string& utf8, RtfCharacters characters) {
    const bool unicode = characters == RtfCharacters::Unicode;
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
        } else if (cp == '\r' || cp == '\n') {
            if (cp == '\r' && i < utf8.size() && utf8[i] == '\n') ++i;
            out += "\\line ";
        } else if (cp < 0x20 || cp == 0x7F) {
            continue;
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (unicode && cp > 0xFFFF) {
            const unsigned v = static_cast<unsigned>(cp) - 0x10000;
            appendUnicodeUnit(out, 0xD800 + (v >> 10));
            out += "?";
            appendUnicodeUnit(out, 0xDC00 + (v & 0x3FF));
            out += "?";
        } else {
            if (unicode) appendUnicodeUnit(out, static_cast<unsigned>(cp));
            appendCodePageByte(
                out, encoding::utf8ToWindows1252(std::string_view(utf8).substr(start, i - start)));
        }
    }
    return out;
}
