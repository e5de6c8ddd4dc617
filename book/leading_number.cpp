#include "book/leading_number.h"

namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

} // namespace

LeadingNumber scanLeadingNumber(const std::string& text) {
    LeadingNumber n;
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && isSkipped(text[i]))
            ++i;
    };
    skip();
    if (i < text.size() && text[i] == '&') {
        ++i;
        skip();
        if (i < text.size() && (text[i] == 'H' || text[i] == 'h')) n.radix = 16;
        if (i < text.size() && (text[i] == 'O' || text[i] == 'o')) n.radix = 8;
        if (n.radix == 10) return n; // "&" alone is no number
        for (++i; i < text.size(); ++i) {
            if (isSkipped(text[i])) continue;
            if (digitValue(text[i]) >= n.radix) break;
            n.digits += text[i];
        }
        return n;
    }
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) n.negative = text[i++] == '-';
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isSkipped(c)) continue;
        if (c >= '0' && c <= '9') {
            n.digits += c;
            if (point) ++n.decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (n.digits.empty()) return n;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        ++i;
        skip();
        bool minus = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) minus = text[i++] == '-';
        for (; i < text.size(); ++i) {
            if (isSkipped(text[i])) continue;
            if (text[i] < '0' || text[i] > '9') break;
            if (n.exponent < 1000000) n.exponent = n.exponent * 10 + (text[i] - '0');
        }
        if (minus) n.exponent = -n.exponent;
    }
    return n;
}
