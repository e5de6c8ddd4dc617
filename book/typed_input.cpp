#include "book/typed_input.h"

#include "book/text_encoding.h"

#include <cmath>
#include <cstdint>

namespace {

// Backspace and "-" to "9": "-", ".", "/" and the digits.
bool digitOrSeparatorKey(char32_t key) {
    return key == 8 || (key >= U'-' && key <= U'9');
}

// Ctrl+C, Ctrl+V, Ctrl+X and Backspace: the box's own copying, pasting,
// cutting and erasing, which every box that takes a figure leaves to it (what
// a paste or a cut leaves is read like any other text in the box).
bool boxEditingKey(char32_t key) {
    return key == 3 || key == 22 || key == 24 || key == 8;
}

// The character a mark is, when it is one; else 0 (no key types it).
char32_t markKey(const std::string& mark) {
    std::size_t at = 0;
    const char32_t c = mark.empty() ? 0 : encoding::nextCodePoint(mark, at);
    return at == mark.size() ? c : 0;
}

bool startsWith(const std::string& text, std::size_t at, const std::string& mark) {
    return !mark.empty() && text.compare(at, mark.size(), mark) == 0;
}

std::string quoted(const std::string& text) {
    return "\"" + shortenForStatus(text) + "\"";
}

std::string notAnAmount(const std::string& text, const NumberMarks& marks) {
    return quoted(text) + " : Not an amount: type digits, \"" + marks.decimal + "\"" +
           (marks.group.empty() ? "" : " and \"" + marks.group + "\"") + " only";
}

} // namespace

bool folioKeyAllowed(char32_t key, const std::string& decimalMark) {
    return digitOrSeparatorKey(key) || (key != 0 && key == markKey(decimalMark));
}

FigureKey numberKey(char32_t key, const std::string& decimalMark) {
    if (boxEditingKey(key) || folioKeyAllowed(key, decimalMark)) return {key, ""};
    if (key < 32 || key == 127) return {};
    const bool otherMark = !decimalMark.empty() && decimalMark != ".";
    return {0, quoted(encoding::utf8Of(key)) + " : Not an account number: type digits, \"-\"" +
                   (otherMark ? ", \".\" and \"" + decimalMark + "\"" : " and \".\"") + " only"};
}

FigureKey amountKey(char32_t key, const NumberMarks& marks) {
    const bool typesItself =
        boxEditingKey(key) || (key >= U'0' && key <= U'9') ||
        (key != 0 && (key == markKey(marks.decimal) || key == markKey(marks.group)));
    if (typesItself) return {key, ""};
    const std::string typed = encoding::utf8Of(key);
    const bool meansNothingElse = typed != marks.decimal && typed != marks.group;
    if ((key == U'.' || key == U',') && meansNothingElse && markKey(marks.decimal) != 0)
        return {markKey(marks.decimal), ""};
    if (key < 32 || key == 127) return {};
    return {0, notAnAmount(typed, marks)};
}

bool amountKeyAllowed(const std::string& typed, const NumberMarks& marks) {
    std::size_t at = 0;
    const char32_t key = typed.empty() ? 0 : encoding::nextCodePoint(typed, at);
    return at == typed.size() && key != 0 && amountKey(key, marks).typed == key;
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

namespace {

// The figure a typed text starts with, after a "-" when `sign` allows one
// (readTypedFigure), and the text Currency::parse weighs of it: its first
// four decimals, the money type holding no more.
struct LeadingFigure {
    TypedFigure figure;
    std::string plain;
};

LeadingFigure leadingFigure(const std::string& text, const NumberMarks& marks, bool sign) {
    const std::size_t from = sign && text.compare(0, 1, "-") == 0 ? 1 : 0;
    LeadingFigure f{readTypedFigure(text, from, marks), text.substr(0, from) + "0"};
    f.plain += f.figure.plainText();
    return f;
}

} // namespace

std::string typedFigureProblem(const std::string& text, const NumberMarks& marks) {
    const LeadingFigure figure = leadingFigure(text, marks, true);
    if (figure.figure.end < text.size()) return quoted(text) + " : Not a valid amount";
    if (!Currency::parse(figure.plain)) return quoted(text) + " : Not an amount: too large";
    return "";
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
    const std::size_t end = figure.figure.end;
    if (end < text.size()) {
        // A mark out of place (a second decimal mark, a group mark among the
        // decimals) is no foreign character, but no amount either.
        const bool mark =
            startsWith(text, end, marks.decimal) || startsWith(text, end, marks.group);
        check.kind = AmountTextKind::Refused;
        check.problem = mark ? quoted(text) + " : Not a valid amount" : notAnAmount(text, marks);
        return check;
    }
    if (figure.figure.decimals > 4) {
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
    if (check.isAmount()) return {amountBoxText(check.value, marks.decimal), ""};
    return {amountBoxText(held, marks.decimal), check.problem};
}

std::string shortenForStatus(const std::string& text, std::size_t maxChars) {
    std::string cut = encoding::firstCharacters(text, maxChars);
    return cut.size() < text.size() ? cut + "..." : cut;
}
