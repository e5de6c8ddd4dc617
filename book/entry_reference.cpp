#include "book/entry_reference.h"

#include "book/fixed_text.h"
#include "book/leading_number.h"

namespace {

// A number as decimal digits: the whole part without leading zeros ("0" for
// none) and the fraction without trailing zeros.
struct DecimalDigits {
    bool negative = false;
    std::string whole = "0";
    std::string fraction;
    bool isZero() const { return whole == "0" && fraction.empty(); }
};

void dropLeadingZeros(std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    digits.erase(0, first == std::string::npos ? digits.size() - 1 : first);
}

// digits × factor + add, in place (a whole number).
void multiplyAdd(std::string& digits, int factor, int add) {
    int carry = add;
    for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
        const int value = (*d - '0') * factor + carry;
        *d = static_cast<char>('0' + value % 10);
        carry = value / 10;
    }
    for (; carry > 0; carry /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
}

// digits - 1, in place (a whole number of at least 1).
void decrement(std::string& digits) {
    for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
        if (*d != '0') {
            --*d;
            break;
        }
        *d = '9';
    }
    dropLeadingZeros(digits);
}

DecimalDigits exactValue(const LeadingNumber& n) {
    DecimalDigits v;
    if (n.radix != 10) {
        for (char c : n.digits)
            multiplyAdd(v.whole, n.radix, digitValue(c));
        return v;
    }
    if (n.digits.empty()) return v;
    v.negative = n.negative;
    // The digits with the point moved by the exponent.
    const long shift = n.exponent - n.decimals;
    const long count = static_cast<long>(n.digits.size());
    if (shift >= 0) {
        v.whole = n.digits + std::string(static_cast<std::size_t>(shift), '0');
    } else if (-shift >= count) {
        v.fraction = std::string(static_cast<std::size_t>(-shift - count), '0') + n.digits;
    } else {
        v.whole = n.digits.substr(0, static_cast<std::size_t>(count + shift));
        v.fraction = n.digits.substr(static_cast<std::size_t>(count + shift));
    }
    if (v.whole.empty()) v.whole = "0";
    dropLeadingZeros(v.whole);
    v.fraction.erase(v.fraction.find_last_not_of('0') + 1);
    if (v.isZero()) v.negative = false;
    return v;
}

// v + 1.
void addOne(DecimalDigits& v) {
    if (!v.negative) {
        multiplyAdd(v.whole, 1, 1);
    } else if (v.whole != "0") { // -(|v| - 1)
        decrement(v.whole);
        v.negative = !v.isZero();
    } else { // 1 - 0.f: each digit's complement to 9, the last one's to 10
        for (char& d : v.fraction)
            d = static_cast<char>('9' - (d - '0'));
        ++v.fraction.back();
        v.negative = false;
    }
}

// The leading number of a reference, its locale's decimal mark read as ".".
LeadingNumber referenceNumber(const std::string& reference, const std::string& decimalMark) {
    if (decimalMark.empty() || decimalMark == ".") return scanLeadingNumber(reference);
    std::string withPoint = reference;
    if (const std::size_t p = withPoint.find(decimalMark); p != std::string::npos)
        withPoint.replace(p, decimalMark.size(), ".");
    return scanLeadingNumber(withPoint);
}

} // namespace

bool referenceHasNumber(const std::string& reference, const std::string& decimalMark) {
    return !referenceNumber(reference, decimalMark).digits.empty();
}

std::string referenceAfter(const std::string& reference, const std::string& decimalMark) {
    DecimalDigits v = exactValue(referenceNumber(reference, decimalMark));
    addOne(v);
    std::string text = v.negative ? "-" + v.whole : v.whole;
    if (!v.fraction.empty()) text += decimalMark + v.fraction;
    return text;
}

bool referenceFits(const std::string& text) {
    return text.size() <= largestReference().size();
}

std::string referenceTooLongText() {
    return "Nothing was added: the next reference would pass " + largestReference() +
           ", the largest a reference holds. Give the last entry a smaller reference, or "
           "turn off automatic numbering.";
}
