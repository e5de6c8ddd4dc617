// What the boxes in which amounts, dates and account numbers are typed
// accept, and how an amount box's text is judged on every change, typed or
// pasted. The main window's entry line and the entry-group editor share them.
#pragma once

#include "book/currency.h"
#include "book/number_format.h"
#include "platform/locale.h"

#include <optional>
#include <string>

// What a date box says of a text that names no day.
inline constexpr char InvalidDateText[] = "Invalid Date";

// Key filters. `key` is the typed character (8 is Backspace).
// Date box: Backspace, "-" to "9" ("-", ".", "/", digits) and whatever else
// the locale's short date shows between its numbers (a blank in "02 01 2024"),
// letters too where it names the month: a date is typed as it is shown.
bool dateKeyAllowed(char32_t key, const LocaleInfo& locale);
// Folio box, and every box an account number is typed into: Backspace, "-"
// to "9" and the locale's decimal mark, so a number is typed as it is shown
// (folioText).
bool folioKeyAllowed(char32_t key, const std::string& decimalMark);

// A key typed into a box that takes a figure: the character it types there,
// 0 when the box refuses it, and then what to tell at once ("" for a key
// that types nothing, such as Enter or Escape). A refused key never joins
// the digits on either side of it without a word.
struct FigureKey {
    char32_t typed = 0;
    std::string problem;
};
// Amount box (and every box an amount, a rate or a figure is typed into):
// Ctrl+C (3), Ctrl+V (22), Ctrl+X (24), Backspace, digits and the locale's
// decimal and digit-group marks type themselves; a "." or "," that is neither
// mark of the locale types the decimal mark ("7.5" is 7,5 where the group mark
// is a blank); any other character is refused and told.
FigureKey amountKey(char32_t key, const NumberMarks& marks);
// Number box: Ctrl+C, Ctrl+V, Ctrl+X and the keys folioKeyAllowed lets
// through type themselves; any other character is refused and told.
FigureKey numberKey(char32_t key, const std::string& decimalMark);
// Whether an amount box takes `typed` (the character as UTF-8) as it is.
bool amountKeyAllowed(const std::string& typed, const NumberMarks& marks);

// What a key typed into a box that takes a figure makes of its text, when
// the key itself is taken (amountKey): "" while the text is a figure in the
// making (an optional "-", digits, the marks in their places) within the
// largest amount the money type holds; else what to tell, the key refused
// and the box keeping its figure.
std::string typedFigureProblem(const std::string& text, const NumberMarks& marks);

// The text of an amount box judged as a whole (what a paste may bring too).
enum class AmountTextKind {
    Empty,      // nothing typed: the amount is 0
    Valid,      // an amount within the currency's range
    Incomplete, // only digits and marks, not (yet) an amount: "1,2", "."
    Refused,    // a character other than digits and marks, a sign or
                // parentheses, more than four decimals, or too large
};
struct AmountCheck {
    AmountTextKind kind = AmountTextKind::Empty;
    Currency value;      // the amount when Valid, else 0
    std::string problem; // status-line text when Incomplete or Refused

    // Whether the text stands for an amount (Empty or Valid): the amount
    // its line then keeps is `value`.
    bool isAmount() const { return kind == AmountTextKind::Empty || kind == AmountTextKind::Valid; }
};
// `held` is the amount the box's line holds: the box's own text for it
// (amountBoxText) is Valid as that amount, so that an amount below zero,
// which a paste or a book file brings and no one can type, shows in its box
// and stays as it is until the user types another.
AmountCheck checkAmountText(const std::string& text, const NumberMarks& marks, Currency held = {});

// A box that takes an amount or a number, once the user leaves it: the text
// it then shows, that of the figure kept, and when the typed text was not
// read as that figure, what to tell ("" when it was).
struct LeftBox {
    std::string text;
    std::string problem;
};
// An amount box left with `typed` while its line holds `held`: a text that
// is an amount (or empty) shows that amount as every place shows it
// (amountBoxText: "1,250.50" shows 1250.5); any other shows the amount held
// and tells why the text was not taken.
LeftBox leaveAmountBox(const std::string& typed, const NumberMarks& marks, Currency held);

// What an amount box shows of the amount its line holds: "" for 0, else the
// plain form with its sign ("-50", "1250.5").
std::string amountBoxText(Currency amount, const std::string& decimalMark);

// A text for the status line: cut after `maxChars` characters with "...".
std::string shortenForStatus(const std::string& text, std::size_t maxChars = 30);
