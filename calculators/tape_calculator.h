// The adding-machine tape behind the tape calculator window. Each line pairs
// an operator with an amount; the total applies them strictly top to bottom,
// with no precedence. The other modes summarise instead: the mean of the
// amounts that are not zero, and the median or the commonest of the positive
// ones. The window displays rows 0..LastRow starting at FirstLine and hands
// its keys to this code.
#pragma once

#include "book/number_format.h"
#include "book/typed_input.h"
#include "calculators/exact_decimal.h"

#include <optional>
#include <string>
#include <vector>

struct TapeLine {
    std::optional<ExactDecimal> amount; // nullopt: never typed into (counts as 0)
    char op = ' ';                      // '+', '-', 'x', '/'; anything else takes no part
};

enum class CalcMode { Total = 0, Average = 1, Middle = 2, Mode = 3 };

// Decimals menu: 0 to 6 or 24 places, or VariableDecimals for the plain text.
constexpr int VariableDecimals = 25;

// An amount as the tape shows it: rounded to `decimals` places (halves away
// from zero), no digit before the mark when the whole part is 0 (.50),
// negatives in parentheses, digits grouped; the plain text for VariableDecimals.
std::string tapeDisplayForm(const ExactDecimal& value, int decimals, const NumberMarks& marks);

// The result of each mode over the lines; nullopt where the result box keeps
// its text (no non-zero amount for the average, no positive amount for the
// middle value). A sum beyond the range shows OverflowText in the total and the
// average alike. `sortedPositives` are the positive amounts in ascending order.
std::string tapeTotalText(const std::vector<TapeLine>& lines, int decimals,
                          const NumberMarks& marks);
std::optional<std::string> tapeAverageText(const std::vector<TapeLine>& lines,
                                           const NumberMarks& marks);
std::optional<std::string> middleValueText(const std::vector<ExactDecimal>& sortedPositives,
                                           const NumberMarks& marks);
std::string modeText(const std::vector<ExactDecimal>& sortedPositives, const NumberMarks& marks);
std::vector<ExactDecimal> sortedPositiveAmounts(const std::vector<TapeLine>& lines);

class TapeCalculator {
  public:
    // `createdRows` rows exist in the window (rows 0 to createdRows - 1).
    TapeCalculator(int createdRows, NumberMarks marks);

    // What a key typed in an amount box does.
    struct KeyOutcome {
        bool swallowed = false;
        // Not swallowed: the character the box types (amountKey: a "." that
        // is neither mark types the decimal mark).
        char32_t typed = 0;
        std::string problem;   // a refused character: what to tell at once
        int focusRow = -1;     // the row whose box takes the focus, -1 = stays
        bool scrolled = false; // the view moved: refill every row
    };

    const std::vector<TapeLine>& lines() const { return lines_; }
    int firstLine() const { return first_; }
    int maxFirstLine() const { return maxFirst_; }
    int lastRow() const { return lastRow_; }
    CalcMode mode() const { return mode_; }
    int decimals() const { return decimals_; }
    const std::string& result() const { return result_; }
    const NumberMarks& marks() const { return marks_; }

    // Clear: one "+" 0 line per created row, the view at the top, no result.
    void clear();
    // The view shows rows 0 to `lastRow` (held to the created rows); the tape
    // grows to fill them.
    void layout(int lastRow);
    // The scroll value (held to 0..maxFirstLine).
    void scrollTo(int firstLine);

    // Row r as shown: its amount box text and its operator.
    std::string rowText(int row) const;
    char rowOperator(int row) const;

    // A character typed in the box of `row` (Enter is '\r').
    KeyOutcome keyPress(int row, char32_t ch);
    // Up and Down arrows.
    KeyOutcome arrowUp(int row);
    KeyOutcome arrowDown(int row);
    // A key released in the box of `row` that holds `text`: the line takes the
    // typed amount as readTypedDecimal reads it (an empty box is 0, a number
    // beyond the range keeps the amount), then the result is worked out.
    void amountTyped(int row, const std::string& text);
    // The box of `row` holding `text` once the focus leaves it: it shows its
    // line's amount in the display form (an empty box stays empty), and a text
    // that is not that amount by the system's rules is told (leaveFigureBox),
    // unless it is the display form itself.
    LeftBox leaveBox(int row, const std::string& text) const;
    // The operator button of `row`: + - x / in turn, then the result.
    void operatorClick(int row);

    void setMode(CalcMode mode);    // and works out the result
    void setDecimals(int decimals); // the rows show the new form; the result waits
    // Works out the result of the current mode (the result box's text).
    void MailCalc();

    // Every line's amount as plain text, joined by CR LF.
    std::string copyText() const;
    // Replaces the tape by the clipboard text: the entry lines the main window
    // copies (debits "+", credits "-") or plain lines of amounts, each line's
    // text up to its first TAB read as readTypedDecimal reads it. A paste
    // longer than the tape holds keeps its first lines, and a message says how
    // many were taken and how many left out; a line whose number is beyond the
    // range stands as 0, and the message says how many did.
    void paste(const std::string& clipText);
    // The positive amounts to the top in ascending order, every other amount 0.
    void sort();

  private:
    void amountsChanged() { sortedValid_ = false; }
    const std::vector<ExactDecimal>& sortedPositives();
    void resizeTape(int count);
    void appendLine(char op);
    TapeLine& lineAt(int index);

    NumberMarks marks_;
    int createdRows_;
    std::vector<TapeLine> lines_;
    int first_ = 0, maxFirst_ = 0, lastRow_ = 0;
    CalcMode mode_ = CalcMode::Total;
    int decimals_ = 2;
    std::string result_;
    std::vector<ExactDecimal> sorted_; // sorted once per change of the amounts
    bool sortedValid_ = false;
};
