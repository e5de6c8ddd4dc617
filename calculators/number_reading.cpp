#include "calculators/number_reading.h"

#include "book/leading_number.h"
#include "book/tmain.h"

#include <cctype>
#include <charconv>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string trimmed(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1])))
        --e;
    return text.substr(b, e - b);
}

// A number as typed: its sign and its digits, `scale` of them after the
// point (as many zeros appended when it is negative).
struct TypedDigits {
    bool negative = false;
    std::string digits;
    long scale = 0;
};

// A number by the system's rules as typed: its sign, its digits and how many
// of them stand after the decimal mark. nullopt for any other text.
std::optional<TypedDigits> systemDigits(const std::string& raw, const NumberMarks& marks) {
    const std::string text = trimmed(raw);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const TypedFigure f = readTypedFigure(text, i, marks);
    if (f.end != text.size() || !f.grouped || f.digits.empty()) return std::nullopt;
    return TypedDigits{negative, f.digits, static_cast<long>(f.decimals)};
}

TypedDigits leadingDigits(const LeadingNumber& n) {
    return {n.negative, n.digits, n.decimals - n.exponent};
}

std::optional<ExactDecimal> decimalOf(const TypedDigits& typed) {
    try {
        return ExactDecimal::fromDigits(typed.negative, typed.digits, typed.scale);
    } catch (const DecimalOverflow&) {
        return std::nullopt;
    }
}

// Rounded once, from the digits as typed.
std::optional<Currency> amountOf(const TypedDigits& typed, int places = 4) {
    return ExactDecimal::digitsToCurrency(typed.negative, typed.digits, typed.scale, places);
}

} // namespace

std::optional<ExactDecimal> readDecimal(const std::string& text, const NumberMarks& marks) {
    const std::optional<TypedDigits> typed = systemDigits(text, marks);
    return typed ? decimalOf(*typed) : std::nullopt;
}

std::optional<ExactDecimal> leadingDecimal(const std::string& text) {
    const LeadingNumber n = scanLeadingNumber(text);
    if (n.radix != 10) {
        ExactDecimal::Mantissa m = 0;
        for (char c : n.digits) {
            m = m * static_cast<unsigned>(n.radix) + static_cast<unsigned>(digitValue(c));
            if (m >> 96) return std::nullopt;
        }
        return ExactDecimal::fromParts(false, m, 0);
    }
    return decimalOf(leadingDigits(n));
}

std::optional<ExactDecimal> readTypedDecimal(const std::string& text, const NumberMarks& marks) {
    if (const std::optional<TypedDigits> typed = systemDigits(text, marks))
        return decimalOf(*typed);
    return leadingDecimal(text);
}

std::optional<Currency> readAmount(const std::string& text, const NumberMarks& marks, int places) {
    const std::optional<TypedDigits> typed = systemDigits(text, marks);
    return typed ? amountOf(*typed, places) : std::nullopt;
}

std::optional<Currency> leadingAmount(const std::string& text) {
    const LeadingNumber n = scanLeadingNumber(text);
    if (n.radix == 10) return amountOf(leadingDigits(n));
    const std::optional<ExactDecimal> whole = leadingDecimal(text); // no places to round
    return whole ? whole->toCurrency() : std::nullopt;
}

std::optional<Currency> readTypedAmount(const std::string& text, const NumberMarks& marks) {
    if (const std::optional<TypedDigits> typed = systemDigits(text, marks)) return amountOf(*typed);
    return leadingAmount(text);
}

double readTypedNumber(const std::string& text, const NumberMarks& marks) {
    if (const std::optional<ExactDecimal> d = readDecimal(text, marks)) {
        // from_chars reads "." whatever the C library's locale says.
        const std::string plain = d->plainText(".");
        double value = 0;
        std::from_chars(plain.data(), plain.data() + plain.size(), value);
        return value;
    }
    return Tmain::LeadingNumberValue(text);
}

std::optional<double> readTimeOfDay(const std::string& raw) {
    const std::string text = trimmed(raw);
    std::size_t i = 0;
    int parts[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        const std::size_t start = i;
        int value = 0;
        while (i < text.size() && isDigit(text[i]) && i - start < 2)
            value = value * 10 + (text[i++] - '0');
        if (i == start) return std::nullopt;
        parts[count++] = value;
        if (i < text.size() && text[i] == ':')
            ++i;
        else
            break;
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    int half = 0; // 1 am, 2 pm
    if (i < text.size()) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        if (c != 'a' && c != 'p') return std::nullopt;
        half = c == 'a' ? 1 : 2;
        ++i;
        if (i < text.size() && std::tolower(static_cast<unsigned char>(text[i])) == 'm') ++i;
        if (i != text.size()) return std::nullopt;
    }
    if (count == 1 && half == 0) return std::nullopt; // a bare number is no time
    int hours = parts[0];
    const int minutes = parts[1], seconds = parts[2];
    if (minutes > 59 || seconds > 59) return std::nullopt;
    if (half != 0) {
        if (hours > 12) return std::nullopt;
        if (hours == 12) hours = 0;
        if (half == 2) hours += 12;
    } else if (hours > 23) {
        return std::nullopt;
    }
    return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}
