#include "book/account_number_text.h"

#include "book/tmain.h"

#include "book/account_number_rule.h"
#include "book/leading_number.h"
#include "book/text_encoding.h"
#include "book/typed_input.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cstdint>

namespace {

bool startsWith(const std::string& text, std::size_t at, const std::string& part) {
    return text.compare(at, part.size(), part) == 0;
}

// The magnitude of a number being read, in ten-thousandths, up to `limit`:
// 2^63 - 1, or 2^63 for a negative number (the lowest account number there is).
class Magnitude {
  public:
    explicit Magnitude(bool negative)
        : limit_((std::uint64_t{1} << 63) - (negative ? 0 : 1)), negative_(negative) {}
    bool appendDigit(int radix, char c) {
        return !__builtin_mul_overflow(value_, static_cast<std::uint64_t>(radix), &value_) &&
               !__builtin_add_overflow(value_, static_cast<std::uint64_t>(digitValue(c)),
                                       &value_) &&
               value_ <= limit_;
    }
    // value * 10^times; false when it passes the limit.
    bool scaleUp(long times) {
        for (long i = 0; i < times; ++i)
            if (__builtin_mul_overflow(value_, std::uint64_t{10}, &value_) || value_ > limit_)
                return false;
        return true;
    }
    bool roundUp() { return ++value_ <= limit_; }
    bool isZero() const { return value_ == 0; }
    Currency money() const {
        return Currency::fromRaw(negative_ ? static_cast<std::int64_t>(0 - value_)
                                           : static_cast<std::int64_t>(value_));
    }

  private:
    std::uint64_t value_ = 0;
    std::uint64_t limit_;
    bool negative_;
};

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
    Magnitude value(n.negative);
    for (std::size_t k = 0; k < kept; ++k)
        if (!value.appendDigit(n.radix, n.digits[k])) return std::nullopt;
    if (!value.isZero() && shift > 0 && (shift > 18 || !value.scaleUp(shift))) return std::nullopt;
    if (kept < n.digits.size() && n.digits[kept] >= '5' && !value.roundUp()) return std::nullopt;
    return value.money();
}

} // namespace

std::optional<Currency> readAccountNumber(const std::string& text, const std::string& decimalMark) {
    std::string plain;
    bool started = false; // a digit or a decimal mark has come
    bool signed_ = false;
    for (std::size_t i = 0; i < text.size();) {
        // An empty mark matches nowhere: "." and "-" stay the only points.
        if (!decimalMark.empty() && decimalMark != "." && startsWith(text, i, decimalMark)) {
            plain += '.';
            started = true;
            i += decimalMark.size();
            continue;
        }
        const char c = text[i++];
        if (c == '-' && !started && !signed_) {
            plain += '-'; // the sign of a negative number, not a sub-account's dash
            signed_ = true;
        } else {
            plain += c == '-' ? '.' : c;
            started = started || c == '.' || c == '-' || (c >= '0' && c <= '9');
        }
    }
    return exactLeadingNumber(plain);
}

namespace {

// Whether `text` is an account number with nothing else: an optional sign,
// digits, at most one decimal point and at most four decimals.
bool wholeNumberShape(const std::string& text, const std::string& decimalMark) {
    std::size_t i = startsWith(text, 0, "-") ? 1 : 0;
    bool point = false, digit = false;
    int decimals = 0;
    while (i < text.size()) {
        const bool mark = !decimalMark.empty() && startsWith(text, i, decimalMark);
        if (mark || text[i] == '-' || text[i] == '.') {
            if (point) return false;
            point = true;
            i += mark ? decimalMark.size() : 1;
        } else if (text[i] >= '0' && text[i] <= '9') {
            digit = true;
            if (point && ++decimals > 4) return false;
            ++i;
        } else {
            return false;
        }
    }
    return digit || text.empty();
}

} // namespace

LeftBox leaveNumberBox(const std::string& typed, Currency kept, const std::string& keptText,
                       const std::string& decimalMark) {
    if (wholeNumberShape(typed, decimalMark) && readAccountNumber(typed, decimalMark) == kept)
        return {keptText, ""};
    return {keptText, "\"" + shortenForStatus(typed) + "\" : Not an account number, " +
                          (keptText.empty() ? std::string("none") : keptText) + " kept"};
}

TypedAccount accountOfTypedNumber(const Book& book, const std::string& typed,
                                  const std::string& keptText, const std::string& decimalMark) {
    const std::optional<Currency> number = readAccountNumber(typed, decimalMark);
    const LeftBox left = leaveNumberBox(typed, number.value_or(Currency()), keptText, decimalMark);
    if (!number || !left.problem.empty()) return {Currency(), "", left.problem};
    std::string name = Tmain::AccountNameByNumber(book, *number);
    if (name.empty()) return {*number, "", strings::text(291)};
    return {*number, std::move(name), ""};
}

std::string folioText(const Book& book, Currency number, const std::string& decimalMark) {
    return number.toPlainString(book.subAccountDash() ? std::string("-") : decimalMark);
}

std::string lineFolioText(const Book& book, Currency number, const std::string& decimalMark) {
    return isAccountNumber(number) ? folioText(book, number, decimalMark) : std::string();
}

std::string widestNumberText(const Book& book, const std::string& decimalMark,
                             const std::function<double(const std::string&)>& width) {
    std::vector<std::string> texts;
    texts.reserve(book.AccountNumbers.size());
    for (const Currency& number : book.AccountNumbers)
        texts.push_back(folioText(book, number, decimalMark));
    return Tmain::WidestText(texts, width);
}

int numberBoxMaxChars(const Book& book, const std::string& decimalMark) {
    std::size_t most = 12;
    for (const Currency& number : book.AccountNumbers)
        most = std::max(most, encoding::characterCount(folioText(book, number, decimalMark)));
    return static_cast<int>(most);
}

std::string widestNumberBoxText(const Book& book, const std::string& decimalMark,
                                const std::function<double(const std::string&)>& width) {
    const auto most = static_cast<std::size_t>(numberBoxMaxChars(book, decimalMark));
    std::vector<std::string> texts{widestNumberText(book, decimalMark, width)};
    for (char c = ' '; c <= '~'; ++c)
        if (folioKeyAllowed(static_cast<char32_t>(c), decimalMark)) texts.emplace_back(most, c);
    // A decimal mark beyond ASCII is a character the box lets through too.
    if (decimalMark.size() > 1) {
        std::string marks;
        for (std::size_t i = 0; i < most; ++i)
            marks += decimalMark;
        texts.push_back(marks);
    }
    return Tmain::WidestText(texts, width);
}
