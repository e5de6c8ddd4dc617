#include "book/account_number_text.h"

#include "book/leading_number.h"

#include <algorithm>
#include <cstdint>

namespace {

bool startsWith(const std::string& text, std::size_t at, const std::string& part) {
    return text.compare(at, part.size(), part) == 0;
}

// value * 10^times, or false when it passes the 64-bit range.
bool scaleUp(std::int64_t& value, long times) {
    for (long i = 0; i < times; ++i)
        if (__builtin_mul_overflow(value, 10, &value)) return false;
    return true;
}

bool appendDigit(std::int64_t& value, int radix, char c) {
    return !__builtin_mul_overflow(value, radix, &value) &&
           !__builtin_add_overflow(value, digitValue(c), &value);
}

// The leading number of `text` ("." as its decimal point) in ten-thousandths,
// digit by digit: digits past the fourth decimal round the last one half away
// from zero. Nothing readable gives 0; beyond the range, nullopt.
std::optional<Currency> exactLeadingNumber(const std::string& text) {
    const LeadingNumber n = scanLeadingNumber(text);
    // The digits move by `shift` places to make ten-thousandths (none for a
    // whole &H or &O number); those that move past the point are dropped.
    const long shift = n.radix == 10 ? 4 + n.exponent - n.decimals : 4;
    const long whole = static_cast<long>(n.digits.size()) + std::min(shift, 0L);
    const std::size_t kept = static_cast<std::size_t>(std::max(whole, 0L));
    std::int64_t raw = 0;
    for (std::size_t k = 0; k < kept; ++k)
        if (!appendDigit(raw, n.radix, n.digits[k])) return std::nullopt;
    if (raw != 0 && shift > 0 && (shift > 18 || !scaleUp(raw, shift))) return std::nullopt;
    if (kept < n.digits.size() && n.digits[kept] >= '5' && __builtin_add_overflow(raw, 1, &raw))
        return std::nullopt;
    return Currency::fromRaw(n.negative ? -raw : raw);
}

} // namespace

std::optional<Currency> readAccountNumber(const std::string& text, const std::string& decimalMark) {
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        if (decimalMark != "." && startsWith(text, i, decimalMark)) {
            plain += '.';
            i += decimalMark.size();
        } else {
            plain += text[i] == '-' ? '.' : text[i];
            ++i;
        }
    }
    return exactLeadingNumber(plain);
}

std::string folioText(const Book& book, Currency number, const std::string& decimalMark) {
    return number.toPlainString(book.subAccountDash() ? std::string("-") : decimalMark);
}
