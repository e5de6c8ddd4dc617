// The number a text begins with, as the lenient reading of typed values and
// references finds it. It is kept in parts so each reader builds its own
// value from them (a double, or exact ten-thousandths).
#pragma once

#include <string>

// Blanks, tabs and line feeds are passed over anywhere. "&H" gives
// hexadecimal and "&O" octal digits; otherwise an optional sign, digits with
// at most one ".", and an optional exponent after E or D. The first character
// that does not fit that shape ends the number.
struct LeadingNumber {
    int radix = 10;        // 16 or 8 for the &H and &O forms
    bool negative = false; // a leading "-" (decimal form only)
    std::string digits;    // every digit read, in the radix ("" for no number)
    long decimals = 0;     // of the digits, those after the point
    long exponent = 0;     // the power of ten after E or D; beyond a million held there
};

LeadingNumber scanLeadingNumber(const std::string& text);

// The value of one digit of any radix up to 16 ("a" to "f" in either case);
// 99 for a character that is no digit.
inline int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}
