#include "book/text_encoding.h"

#include "book/case_fold_table.h"

#include <algorithm>

namespace encoding {

// Defined in code_page_tables.cpp (generated).
const char16_t* codePageUpperHalf(int codePage);

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the sequence a lead byte starts, or 0 when it cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Decodes one well-formed character at bytes[pos]; returns its length, or 0
// when the bytes there are not a well-formed UTF-8 character.
std::size_t decodeOne(std::string_view bytes, std::size_t pos, char32_t& point) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    const std::size_t length = sequenceLength(lead);
    if (length == 0 || pos + length > bytes.size()) return 0;
    if (length == 1) {
        point = lead;
        return 1;
    }
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[pos + i]);
        if (!isContinuation(byte)) return 0;
        value = (value << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and points beyond U+10FFFF.
    if (length == 3 && value < 0x800) return 0;
    if (length == 4 && (value < 0x10000 || value > 0x10FFFF)) return 0;
    if (value >= 0xD800 && value <= 0xDFFF) return 0;
    point = value;
    return length;
}

void appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// Windows-1252 byte of a code point above 0x7F, or 0 when the code page lacks it.
unsigned char windows1252ByteOf(char32_t point) {
    if (point >= 0xA0 && point <= 0xFF) return static_cast<unsigned char>(point); // as Latin-1
    const char16_t* table = codePageUpperHalf(1252);
    for (int i = 0; i < 0x20; ++i) { // 0x80-0x9F: the typographic extras
        if (table[i] != 0xFFFD && table[i] == point) return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

// Each well-formed character of a UTF-8 text passed to write(out, point); a
// byte that starts none is copied as it stands.
template <class Write> std::string mapCharacters(std::string_view utf8, Write write) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t point = static_cast<unsigned char>(utf8[pos]);
        const std::size_t length = point < 0x80 ? 1 : decodeOne(utf8, pos, point);
        if (length == 0) {
            out += utf8[pos]; // not UTF-8: the byte stands for itself
            ++pos;
            continue;
        }
        write(out, point);
        pos += length;
    }
    return out;
}

} // namespace

std::string utf8Of(char32_t point) {
    std::string out;
    appendUtf8(out, point);
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t point = 0;
        const std::size_t length = decodeOne(bytes, pos, point);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos) {
    char32_t point = 0;
    const std::size_t length = decodeOne(utf8, pos, point);
    if (length == 0) {
        ++pos;
        return U'\uFFFD';
    }
    pos += length;
    return point;
}

int codePageForCharset(int fontCharset) {
    switch (fontCharset) {
    case 238:
        return 1250;
    case 204:
        return 1251;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 163:
        return 1258;
    case 222:
        return 874;
    default:
        return 1252;
    }
}

std::string decodeCodePage(std::string_view bytes, int codePage) {
    const char16_t* table = codePageUpperHalf(codePage);
    if (table == nullptr) table = codePageUpperHalf(1252);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else
            appendUtf8(out, table[byte - 0x80]);
    }
    return out;
}

std::string toUtf8(std::string_view bytes, int codePage) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    return decodeCodePage(bytes, codePage);
}

std::string utf8ToWindows1252(std::string_view utf8) {
    return mapCharacters(utf8, [](std::string& out, char32_t point) {
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (const unsigned char byte = windows1252ByteOf(point); byte != 0) {
            out += static_cast<char>(byte);
        } else {
            out += '?';
        }
    });
}

std::string cutUtf8(std::string_view utf8, std::size_t maxBytes) {
    if (utf8.size() <= maxBytes) return std::string(utf8);
    std::size_t cut = maxBytes;
    // Find the lead byte of the last character begun before the cut; when that
    // character is well formed and reaches past the cut, cut before it. Bytes
    // that are not UTF-8 are cut at the limit.
    std::size_t lead = cut;
    while (lead > 0 && cut - lead < 4) {
        --lead;
        if (!isContinuation(static_cast<unsigned char>(utf8[lead]))) break;
    }
    if (lead < cut && !isContinuation(static_cast<unsigned char>(utf8[lead]))) {
        char32_t point = 0;
        const std::size_t length = decodeOne(utf8, lead, point);
        if (length > 1 && lead + length > cut) cut = lead;
    }
    return std::string(utf8.substr(0, cut));
}

std::size_t characterLength(std::string_view utf8, std::size_t pos) {
    if (pos >= utf8.size()) return 0;
    char32_t point = 0;
    const std::size_t length = decodeOne(utf8, pos, point);
    return length == 0 ? 1 : length;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); pos += characterLength(utf8, pos))
        ++count;
    return count;
}

std::string firstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < utf8.size(); ++n)
        pos += characterLength(utf8, pos);
    return std::string(utf8.substr(0, pos));
}

std::string lastCharacter(std::string_view utf8) {
    if (utf8.empty()) return {};
    std::size_t lead = utf8.size() - 1;
    while (lead > 0 && utf8.size() - lead < 4 &&
           isContinuation(static_cast<unsigned char>(utf8[lead])))
        --lead;
    // A lead byte that does not reach exactly to the end leaves the last byte alone.
    if (lead + characterLength(utf8, lead) != utf8.size()) lead = utf8.size() - 1;
    return std::string(utf8.substr(lead));
}

namespace {

// A code point mapped by a table of runs.
char32_t mappedBy(const CaseFoldRun* runs, std::size_t count, char32_t point) {
    // The last run that starts at or before the point.
    const CaseFoldRun* const end = runs + count;
    const CaseFoldRun* run = std::upper_bound(
        runs, end, point, [](char32_t p, const CaseFoldRun& r) { return p < r.first; });
    if (run == runs) return point;
    --run;
    if (point > run->last || (point - run->first) % static_cast<char32_t>(run->step) != 0)
        return point;
    return static_cast<char32_t>(static_cast<std::int32_t>(point) + run->delta);
}

} // namespace

char32_t foldCase(char32_t point) {
    if (point < 0x80) return point >= 'A' && point <= 'Z' ? point + 0x20 : point;
    return mappedBy(kCaseFoldRuns, kCaseFoldRunCount, point);
}

char32_t capitalOf(char32_t point) {
    if (point < 0x80) return point >= 'a' && point <= 'z' ? point - 0x20 : point;
    return mappedBy(kCapitalRuns, kCapitalRunCount, point);
}

std::string caseFolded(std::string_view utf8) {
    return mapCharacters(
        utf8, [](std::string& out, char32_t point) { appendUtf8(out, foldCase(point)); });
}

std::string inCapitals(std::string_view utf8) {
    return mapCharacters(
        utf8, [](std::string& out, char32_t point) { appendUtf8(out, capitalOf(point)); });
}

} // namespace encoding
