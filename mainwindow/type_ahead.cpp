#include "mainwindow/type_ahead.h"

#include "book/text_encoding.h"

#include <algorithm>
#include <cstdint>

namespace {

// Decodes the code point at `at` and advances `at`; a stray byte is taken as itself.
char32_t decode(const std::string& s, std::size_t& at) {
    unsigned char c = static_cast<unsigned char>(s[at]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 0;
    if (extra && at + extra >= s.size()) extra = 0; // cut short: take the byte alone
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    for (int i = 1; i <= extra; ++i) {
        unsigned char cc = static_cast<unsigned char>(s[at + i]);
        if ((cc & 0xC0) != 0x80) {
            extra = 0;
            cp = c;
            break;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    at += 1 + extra;
    return cp;
}

char32_t fold(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;     // Latin-1
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131) { // Latin Extended-A
        bool evenUpper = (c < 0x138) || (c > 0x148 && c < 0x178);
        if (evenUpper) return c | 1;
        if (c >= 0x139 && c <= 0x148 && (c & 1)) return c + 1;
        if (c >= 0x179 && c <= 0x17E && (c & 1)) return c + 1;
        if (c == 0x178) return 0xFF;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32; // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 32;               // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

std::u32string folded(const std::string& s) {
    std::u32string out;
    for (std::size_t at = 0; at < s.size();)
        out += fold(decode(s, at));
    return out;
}

} // namespace

namespace {
int characters(const std::string& text) {
    return static_cast<int>(encoding::characterCount(text));
}
} // namespace

std::string typeAheadWanted(const std::string& text, int selectionStart, int selectionLength,
                            const std::string& typed) {
    if (selectionLength <= 0) return text + typed;
    return encoding::firstCharacters(text, static_cast<std::size_t>(std::max(0, selectionStart))) +
           typed;
}

int typeAheadMatch(const std::vector<std::string>& items, const std::string& wanted) {
    const std::u32string key = folded(wanted);
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::u32string item = folded(items[i]);
        if (item.size() >= key.size() && item.compare(0, key.size(), key) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

TypeAheadResult typeAhead(const std::vector<std::string>& items, const std::string& text,
                          int selectionStart, int selectionLength, int keyCode,
                          const std::string& typed) {
    TypeAheadResult r;
    r.text = text;
    r.selectionStart = selectionStart;
    r.selectionLength = selectionLength;
    if (keyCode == 8 || keyCode == 13) {
        r.passThrough = true;
        return r;
    }
    const std::string wanted = typeAheadWanted(text, selectionStart, selectionLength, typed);
    r.item = typeAheadMatch(items, wanted);
    if (r.item < 0) return r;
    r.matched = true;
    r.text = items[static_cast<std::size_t>(r.item)];
    r.selectionStart = std::min(characters(wanted), characters(r.text));
    r.selectionLength = characters(r.text) - r.selectionStart;
    return r;
}
