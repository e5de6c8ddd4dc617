// Account numbers as the user types them and as folio boxes show them.
#pragma once

#include "book/book.h"
#include "book/currency.h"
#include "book/typed_input.h"

#include <functional>
#include <optional>
#include <string>

// A typed or pasted account number: a "-" before the number is its sign;
// every later "-" and the locale's decimal mark stand for the decimal point
// ("100-1" is 100.1, "-100-1" is -100.1); the leading number of the
// text is read digit by digit into ten-thousandths, so every number that fits
// is kept exactly (digits past the fourth decimal round half away from zero).
// Nothing readable gives 0; a number beyond the currency's range gives nullopt.
std::optional<Currency> readAccountNumber(const std::string& text, const std::string& decimalMark);

// A number box (the chart's, a folio box) left with `typed` while the number
// kept is `kept`, which every place shows as `keptText`: the box shows
// keptText, whatever notation was typed. A text that is that number whole (an
// optional "-" sign, digits, at most one decimal point written "-", "." or
// the locale's mark, at most four decimals) is taken silently; any other is
// told as not taken.
LeftBox leaveNumberBox(const std::string& typed, Currency kept, const std::string& keptText,
                       const std::string& decimalMark);

// The account a window's number box chooses when left or entered with
// `typed`: its number and name when the text is an account number whole (as
// leaveNumberBox judges it) that an account has; else what to tell, the box
// putting back `keptText`, the number of the account shown.
struct TypedAccount {
    Currency number;
    std::string name;    // "" when the text chooses no account
    std::string problem; // "" when it does
};
TypedAccount accountOfTypedNumber(const Book& book, const std::string& typed,
                                  const std::string& keptText, const std::string& decimalMark);

// An account number as the folio box shows it: the plain text form, with
// SubAccountDash on every decimal mark written "-".
std::string folioText(const Book& book, Currency number, const std::string& decimalMark);
// The folio box of a journal or group line: folioText of its account, "" for
// a line of no account.
std::string lineFolioText(const Book& book, Currency number, const std::string& decimalMark);
// The widest number a folio box shows for the book's accounts (as
// `folioText` writes it), by `width`: the box's font measuring each. A folio
// box is made wide enough for it.
std::string widestNumberText(const Book& book, const std::string& decimalMark,
                             const std::function<double(const std::string&)>& width);

// The most characters a box for typing account numbers takes: a dozen (an
// eight-digit number, a dash and a three-digit sub-account), or as many as
// the book's longest number has as folioText writes it.
int numberBoxMaxChars(const Book& book, const std::string& decimalMark);
// The widest text such a box shows, by `width`: the book's widest number,
// or, when wider, as many of the widest character the box lets through
// (folioKeyAllowed) as it takes. A number box is made wide enough for it.
std::string widestNumberBoxText(const Book& book, const std::string& decimalMark,
                                const std::function<double(const std::string&)>& width);
