#include "book/typed_input.h"

#include "book/text_encoding.h"

#include <cmath>
#include <cstdint>

bool dateKeyAllowed(char32_t key) {
    return key == 8 || (key >= U'-' && key <= U'9');
}

bool folioKeyAllowed(char32_t key) {
    return dateKeyAllowed(key);
}

bool amountKeyAllowed(const std::string& typed, const NumberMarks& marks) {
    if (typed.size() == 1) {
        const char c = typed[0];
        if (c == 3 || c == 22 || c == 8 || (c >= '0' && c <= '9')) return true;
    }
    return !typed.empty() && (typed == marks.decimal || typed == marks.group);
}

namespace {

bool startsWith(const std::string& text, std::size_t at, const std::string& mark) {
    return !mark.empty() && text.compare(at, mark.size(), mark) == 0;
}

std::string quoted(const std::string& text) {
    return "\"" + shortenForStatus(text) + "\"";
}

} // namespace

bool figureWithinLargest(const std::string& text, const NumberMarks& marks) {
    std::size_t i = text.compare(0, 1, "-") == 0 ? 1 : 0;
    std::string figure = text.substr(0, i) + "0";
    bool point = false;
    for (int decimals = 0; i < text.size();) {
        if (!point && startsWith(text, i, marks.decimal)) {
            point = true;
            figure += '.';
            i += marks.decimal.size();
        } else if (startsWith(text, i, marks.group)) {
            i += marks.group.size();
        } else if (text[i] >= '0' && text[i] <= '9') {
            // The money type holds four decimals: later ones are not weighed.
            if (!point || ++decimals <= 4) figure += text[i];
            ++i;
        } else {
            break;
        }
    }
    return Currency::parse(figure).has_value();
}

AmountCheck checkAmountText(const std::string& text, const NumberMarks& marks) {
    AmountCheck check;
    if (text.empty()) return check;
    if (std::optional<Currency> v = parseAmount(text, marks)) {
        check.kind = AmountTextKind::Valid;
        check.value = *v;
        return check;
    }
    // Why it is not an amount: a foreign character, too many decimals or too
    // large refuse the text; anything else may still become an amount.
    std::size_t decimals = 0;
    bool point = false;
    for (std::size_t i = 0; i < text.size();) {
        if (!point && startsWith(text, i, marks.decimal)) {
            point = true;
            i += marks.decimal.size();
        } else if (startsWith(text, i, marks.group)) {
            i += marks.group.size();
        } else if (text[i] >= '0' && text[i] <= '9') {
            decimals += point;
            ++i;
        } else {
            check.kind = AmountTextKind::Refused;
            check.problem = quoted(text) + " : Not an amount: type digits, \"" + marks.decimal +
                            "\"" + (marks.group.empty() ? "" : " and \"" + marks.group + "\"") +
                            " only";
            return check;
        }
    }
    if (decimals > 4) {
        check.kind = AmountTextKind::Refused;
        check.problem = quoted(text) + " : Not an amount: at most 4 decimals";
        return check;
    }
    if (!figureWithinLargest(text, marks)) {
        check.kind = AmountTextKind::Refused;
        check.problem = quoted(text) + " : Not an amount: too large";
        return check;
    }
    check.kind = AmountTextKind::Incomplete;
    check.problem = quoted(text) + " : Not a valid amount";
    return check;
}

std::string shortenForStatus(const std::string& text, std::size_t maxChars) {
    std::string cut = encoding::firstCharacters(text, maxChars);
    return cut.size() < text.size() ? cut + "..." : cut;
}
