#include "book/typed_input.h"

#include "book/text_encoding.h"

#include <cmath>
#include <cstdint>

namespace {

// Backspace and "-" to "9": "-", ".", "/" and the digits.
bool digitOrSeparatorKey(char32_t key) {
    return key == 8 || (key >= U'-' && key <= U'9');
}

} // namespace

bool folioKeyAllowed(char32_t key, const std::string& decimalMark) {
    if (digitOrSeparatorKey(key)) return true;
    std::size_t at = 0;
    return !decimalMark.empty() && encoding::nextCodePoint(decimalMark, at) == key &&
           at == decimalMark.size();
}

bool dateKeyAllowed(char32_t key, const LocaleInfo& locale) {
    if (digitOrSeparatorKey(key)) return true;
    const bool letter = (key >= U'a' && key <= U'z') || (key >= U'A' && key <= U'Z') || key > 127;
    for (const DatePatternPart& part : splitDatePattern(locale.shortDatePattern)) {
        if (part.letter == 'M' && part.count >= 3 && letter) return true;
        for (std::size_t at = 0; part.letter == 0 && at < part.text.size();)
            if (encoding::nextCodePoint(part.text, at) == key) return true;
    }
    return false;
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

// The figure a typed text starts with: an optional "-" (when `sign`),
// digits and digit-group marks, the decimal mark and decimals; reading stops
// at any other character.
struct LeadingFigure {
    std::string plain;        // as Currency::parse reads it, the first 4 decimals only
    std::size_t decimals = 0; // every decimal typed
    std::size_t end = 0;      // where reading stopped
};

LeadingFigure leadingFigure(const std::string& text, const NumberMarks& marks, bool sign) {
    LeadingFigure f;
    std::size_t i = sign && text.compare(0, 1, "-") == 0 ? 1 : 0;
    f.plain = text.substr(0, i) + "0";
    bool point = false;
    while (i < text.size()) {
        if (!point && startsWith(text, i, marks.decimal)) {
            point = true;
            f.plain += '.';
            i += marks.decimal.size();
        } else if (startsWith(text, i, marks.group)) {
            i += marks.group.size();
        } else if (text[i] >= '0' && text[i] <= '9') {
            // The money type holds four decimals: later ones are not weighed.
            if (!point || ++f.decimals <= 4) f.plain += text[i];
            ++i;
        } else {
            break;
        }
    }
    f.end = i;
    return f;
}

} // namespace

bool figureWithinLargest(const std::string& text, const NumberMarks& marks) {
    return Currency::parse(leadingFigure(text, marks, true).plain).has_value();
}

std::string amountBoxText(Currency amount, const std::string& decimalMark) {
    return amount.isZero() ? std::string() : plainNumberText(amount, decimalMark);
}

AmountCheck checkAmountText(const std::string& text, const NumberMarks& marks, Currency held) {
    AmountCheck check;
    if (text.empty()) return check;
    std::optional<Currency> v = parseAmount(text, marks);
    if (!v && text == amountBoxText(held, marks.decimal)) v = held;
    if (v) {
        check.kind = AmountTextKind::Valid;
        check.value = *v;
        return check;
    }
    // Why it is not an amount: a foreign character, too many decimals or too
    // large refuse the text; anything else may still become an amount.
    const LeadingFigure figure = leadingFigure(text, marks, false);
    if (figure.end < text.size()) {
        check.kind = AmountTextKind::Refused;
        check.problem = quoted(text) + " : Not an amount: type digits, \"" + marks.decimal + "\"" +
                        (marks.group.empty() ? "" : " and \"" + marks.group + "\"") + " only";
        return check;
    }
    if (figure.decimals > 4) {
        check.kind = AmountTextKind::Refused;
        check.problem = quoted(text) + " : Not an amount: at most 4 decimals";
        return check;
    }
    if (!Currency::parse(figure.plain)) {
        check.kind = AmountTextKind::Refused;
        check.problem = quoted(text) + " : Not an amount: too large";
        return check;
    }
    check.kind = AmountTextKind::Incomplete;
    check.problem = quoted(text) + " : Not a valid amount";
    return check;
}

LeftBox leaveAmountBox(const std::string& typed, const NumberMarks& marks, Currency held) {
    const AmountCheck check = checkAmountText(typed, marks, held);
    if (check.kind == AmountTextKind::Empty || check.kind == AmountTextKind::Valid)
        return {typed, ""};
    return {amountBoxText(held, marks.decimal), check.problem};
}

std::string shortenForStatus(const std::string& text, std::size_t maxChars) {
    std::string cut = encoding::firstCharacters(text, maxChars);
    return cut.size() < text.size() ? cut + "..." : cut;
}
