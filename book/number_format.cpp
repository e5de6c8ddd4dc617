#include "book/number_format.h"

#include <algorithm>
#include <cstdint>
#include <limits>

NumberMarks marksOf(const LocaleInfo& locale) {
    return NumberMarks{locale.decimalMark, locale.groupMark};
}

namespace {

int clampPlaces(int places) {
    return std::clamp(places, 0, 4);
}

// Ten-thousandths per unit of the last kept decimal place.
std::int64_t unitFor(int places) {
    std::int64_t unit = 1;
    for (int p = places; p < 4; ++p)
        unit *= 10;
    return unit;
}

WideSum roundTo(Currency value, int places, bool halvesToEven) {
    places = clampPlaces(places);
    if (places == 4) return WideSum{value.raw};
    const std::int64_t unit = unitFor(places);
    __int128 q = value.raw / unit;
    const std::int64_t rem = value.raw % unit;
    const std::int64_t twice = (rem < 0 ? -rem : rem) * 2;
    const bool up = halvesToEven ? twice > unit || (twice == unit && q % 2 != 0) : twice >= unit;
    if (up) q += value.raw < 0 ? -1 : 1;
    return WideSum{q * unit};
}

bool startsWith(const std::string& text, std::size_t at, const std::string& mark) {
    return !mark.empty() && text.compare(at, mark.size(), mark) == 0;
}

} // namespace

Currency roundHalfAway(Currency value, int places) {
    return roundTo(value, places, false).value();
}

WideSum roundHalfAwayWide(Currency value, int places) {
    return roundTo(value, places, false);
}

Currency roundHalfEven(Currency value, int places) {
    return roundTo(value, places, true).value();
}

std::string formatAmount(Currency value, int decimals, const NumberMarks& marks, bool parentheses) {
    return formatAmount(WideSum{value.raw}, decimals, marks, parentheses);
}

std::string formatAmount(WideSum value, int decimals, const NumberMarks& marks, bool parentheses) {
    decimals = clampPlaces(decimals);
    // Round the magnitude as unsigned so that the extremes of the range print too.
    const bool negative = value.raw < 0;
    const unsigned __int128 mag = negative ? 0 - static_cast<unsigned __int128>(value.raw)
                                           : static_cast<unsigned __int128>(value.raw);
    const unsigned __int128 unit = static_cast<unsigned __int128>(unitFor(decimals));
    unsigned __int128 kept = mag / unit;
    if ((mag % unit) * 2 >= unit && unit > 1) ++kept;

    unsigned __int128 scale = 1;
    for (int p = 0; p < decimals; ++p)
        scale *= 10;
    std::string text = groupedDigits(decimalDigits(kept / scale), marks.group);
    if (decimals > 0) {
        std::string frac = decimalDigits(kept % scale);
        frac.insert(0, static_cast<std::size_t>(decimals) - frac.size(), '0');
        text += marks.decimal + frac;
    }
    if (!negative || kept == 0) return text;
    return parentheses ? "(" + text + ")" : "-" + text;
}

std::string formatAmountWithoutLeadingZero(Currency value, int decimals, const NumberMarks& marks) {
    std::string text = formatAmount(value, decimals, marks, true);
    if (decimals <= 0) return text;
    const std::string zeroMark = "0" + marks.decimal;
    const std::size_t at = text[0] == '(' ? 1 : 0;
    if (text.compare(at, zeroMark.size(), zeroMark) == 0) text.erase(at, 1);
    return text;
}

std::string decimalDigits(unsigned __int128 value) {
    if (value <= std::numeric_limits<std::uint64_t>::max())
        return std::to_string(static_cast<std::uint64_t>(value)); // the common case, quicker
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value > 0);
    return digits;
}

std::string groupedDigits(const std::string& digits, const std::string& groupMark) {
    if (groupMark.empty()) return digits;
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += groupMark;
        out += digits[i];
    }
    return out;
}

std::string plainNumberText(Currency value, const std::string& decimalMark) {
    return value.toPlainString(decimalMark);
}

TypedFigure readTypedFigure(const std::string& text, std::size_t from, const NumberMarks& marks) {
    TypedFigure f;
    int groups = 0, run = 0; // group marks read, digits since the last one
    auto groupingHolds = [&] { return groups == 0 || run == 3; };
    std::size_t i = from;
    while (i < text.size()) {
        if (!f.point && startsWith(text, i, marks.decimal)) {
            f.grouped = f.grouped && groupingHolds();
            f.point = true;
            i += marks.decimal.size();
        } else if (!f.point && startsWith(text, i, marks.group)) {
            f.grouped = f.grouped && run > 0 && run <= 3 && groupingHolds();
            ++groups;
            run = 0;
            i += marks.group.size();
        } else if (text[i] >= '0' && text[i] <= '9') {
            f.digits += text[i++];
            if (f.point)
                ++f.decimals;
            else
                ++run;
        } else {
            break;
        }
    }
    if (!f.point) f.grouped = f.grouped && groupingHolds();
    f.end = i;
    return f;
}

std::string TypedFigure::plainText(std::size_t places) const {
    const std::size_t whole = digits.size() - decimals;
    std::string plain = digits.substr(0, whole);
    if (point) plain += "." + digits.substr(whole, std::min(places, decimals));
    return plain;
}

namespace {
// The figure from `i` on, below zero when `negative`: its digits and decimal
// point handed to Currency::parse, which reads the lowest amount too.
std::optional<Currency> parseFigure(const std::string& text, std::size_t i,
                                    const NumberMarks& marks, bool negative) {
    const TypedFigure f = readTypedFigure(text, i, marks);
    if (f.end != text.size() || !f.grouped || f.digits.empty() || f.decimals > 4)
        return std::nullopt;
    return Currency::parse((negative ? "-" : "") + f.plainText());
}
} // namespace

std::optional<Currency> parseAmount(const std::string& text, const NumberMarks& marks) {
    return parseFigure(text, 0, marks, false);
}

std::optional<Currency> parseSignedAmount(const std::string& text, const NumberMarks& marks) {
    const bool negative = text.compare(0, 1, "-") == 0;
    return parseFigure(text, negative ? 1 : 0, marks, negative);
}

int exactDecimals(Currency value, int least) {
    int decimals = std::clamp(least, 0, 4);
    std::int64_t unit = 1;
    for (int d = decimals; d < 4; ++d)
        unit *= 10;
    while (decimals < 4 && value.raw % unit != 0) {
        ++decimals;
        unit /= 10;
    }
    return decimals;
}
