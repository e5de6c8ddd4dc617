#include "book/account_number_text.h"

#include "book/tmain.h"

#include <cmath>

namespace {

bool startsWith(const std::string& text, std::size_t at, const std::string& part) {
    return text.compare(at, part.size(), part) == 0;
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
    const double value = Tmain::LeadingNumberValue(plain) * Currency::Scale;
    // 2^63 ten-thousandths and beyond do not fit.
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) return std::nullopt;
    return Currency::fromRaw(std::llround(value));
}

std::string folioText(const Book& book, Currency number, const std::string& decimalMark) {
    return number.toPlainString(book.subAccountDash() ? std::string("-") : decimalMark);
}
