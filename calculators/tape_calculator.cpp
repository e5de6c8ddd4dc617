#include "calculators/tape_calculator.h"

#include "book/entry_clip_text.h"
#include "book/typed_input.h"
#include "calculators/figure_box.h"
#include "calculators/number_reading.h"
#include "platform/services.h"

#include <algorithm>

namespace {

const ExactDecimal Zero;

const ExactDecimal& valueOf(const TapeLine& line) {
    return line.amount ? *line.amount : Zero;
}

// The lines of a plain text: split at line feeds, a CR before one dropped.
std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(std::move(line));
        start = end + 1;
    }
    return out;
}

// The running figure of a tape, its lines applied top to bottom. A line whose
// result does not fit, or a division by zero, leaves the figure as it was and
// spoils the tape: the figure is then never shown, only what went wrong.
class TapeRun {
  public:
    void apply(char op, const ExactDecimal& amount) {
        try {
            switch (op) {
            case '+':
                figure_ = figure_ + amount;
                break;
            case '-':
                figure_ = figure_ - amount;
                break;
            case 'x':
                figure_ = figure_ * amount;
                break;
            case '/':
                figure_ = figure_ / amount;
                break;
            default:
                break;
            }
        } catch (const DecimalOverflow&) {
            failure_ = OverflowText;
        } catch (const DecimalDivideByZero&) {
            failure_ = "Error";
        }
    }
    // What the result box shows in place of the figure (the latest fault), or
    // nullopt when every line applied.
    const std::optional<std::string>& failureText() const { return failure_; }
    const ExactDecimal& figure() const { return figure_; }

  private:
    ExactDecimal figure_;
    std::optional<std::string> failure_;
};

constexpr int PasteLimit = 32000; // MaxFirstLine above this ends a paste

} // namespace

std::string tapeDisplayForm(const ExactDecimal& value, int decimals, const NumberMarks& marks) {
    if (decimals == VariableDecimals) return value.plainText(marks.decimal);
    return value.fixedText(decimals, marks, false);
}

std::string tapeTotalText(const std::vector<TapeLine>& lines, int decimals,
                          const NumberMarks& marks) {
    TapeRun run;
    for (const TapeLine& line : lines)
        run.apply(line.op, valueOf(line));
    if (const std::optional<std::string> failed = run.failureText()) return *failed;
    return tapeDisplayForm(run.figure(), decimals, marks);
}

std::optional<std::string> tapeAverageText(const std::vector<TapeLine>& lines,
                                           const NumberMarks& marks) {
    TapeRun run;
    std::int64_t count = 0;
    for (const TapeLine& line : lines) {
        if (valueOf(line).isZero()) continue;
        run.apply('+', valueOf(line));
        ++count;
    }
    if (count == 0) return std::nullopt;
    if (const std::optional<std::string> failed = run.failureText()) return *failed;
    // |sum ÷ count| never exceeds |sum|: the quotient cannot overflow.
    return "Average : " + (run.figure() / ExactDecimal::fromInt(count)).plainText(marks.decimal);
}

std::optional<std::string> middleValueText(const std::vector<ExactDecimal>& s,
                                           const NumberMarks& marks) {
    if (s.empty()) return std::nullopt;
    const std::size_t n = s.size();
    if (n % 2 == 1) return "Mean : " + s[n / 2].plainText(marks.decimal);
    const std::size_t j = n / 2 - 1;
    // The midpoint lies between two amounts of the range: it cannot overflow.
    const ExactDecimal middle = s[j] + (s[j + 1] - s[j]) / ExactDecimal::fromInt(2);
    return "Mean : " + middle.plainText(marks.decimal);
}

std::string modeText(const std::vector<ExactDecimal>& s, const NumberMarks& marks) {
    if (s.empty()) return "Mode : ";
    std::size_t best = 0, bestLength = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t j = i + 1;
        while (j < s.size() && s[j] == s[i])
            ++j;
        if (j - i > bestLength) { // ties go to the run met first, the smallest value
            bestLength = j - i;
            best = i;
        }
        i = j;
    }
    return "Mode : " + s[best].plainText(marks.decimal);
}

std::vector<ExactDecimal> sortedPositiveAmounts(const std::vector<TapeLine>& lines) {
    std::vector<ExactDecimal> out;
    for (const TapeLine& line : lines)
        if (valueOf(line).isPositive()) out.push_back(valueOf(line));
    std::sort(out.begin(), out.end());
    return out;
}

TapeCalculator::TapeCalculator(int createdRows, NumberMarks marks)
    : marks_(std::move(marks)), createdRows_(std::max(createdRows, 1)) {
    clear();
}

void TapeCalculator::clear() {
    lines_.assign(static_cast<std::size_t>(createdRows_), TapeLine{ExactDecimal(), '+'});
    first_ = maxFirst_ = 0;
    result_.clear();
    amountsChanged();
}

void TapeCalculator::layout(int lastRow) {
    lastRow_ = std::clamp(lastRow, 0, createdRows_ - 1);
    const int lastLine = static_cast<int>(lines_.size()) - 1;
    if (lastRow_ > lastLine) {
        lines_.resize(static_cast<std::size_t>(lastRow_) + 1);
        maxFirst_ = 0;
    } else {
        maxFirst_ = lastLine - lastRow_;
    }
    first_ = std::min(first_, maxFirst_);
}

void TapeCalculator::scrollTo(int firstLine) {
    first_ = std::clamp(firstLine, 0, maxFirst_);
}

TapeLine& TapeCalculator::lineAt(int index) {
    if (index >= static_cast<int>(lines_.size()))
        lines_.resize(static_cast<std::size_t>(index) + 1);
    return lines_[static_cast<std::size_t>(index)];
}

std::string TapeCalculator::rowText(int row) const {
    const std::size_t line = static_cast<std::size_t>(first_ + row);
    if (line >= lines_.size()) return "";
    const ExactDecimal& v = valueOf(lines_[line]);
    return v.isZero() ? "" : tapeDisplayForm(v, decimals_, marks_);
}

char TapeCalculator::rowOperator(int row) const {
    const std::size_t line = static_cast<std::size_t>(first_ + row);
    return line < lines_.size() ? lines_[line].op : ' ';
}

void TapeCalculator::resizeTape(int count) {
    lines_.resize(static_cast<std::size_t>(count));
}

void TapeCalculator::appendLine(char op) {
    ++maxFirst_;
    resizeTape(lastRow_ + maxFirst_ + 1);
    lines_.back() = TapeLine{std::nullopt, op};
    first_ = maxFirst_;
}

TapeCalculator::KeyOutcome TapeCalculator::keyPress(int row, char32_t ch) {
    KeyOutcome out;
    // An amount box's keys go into the box.
    const FigureKey key = amountKey(ch, marks_);
    out.typed = key.typed;
    if (key.typed != 0) return out;
    out.swallowed = true;
    char op = 0;
    switch (ch) {
    case U'*':
        op = 'x';
        break;
    case U'+':
        op = '+';
        break;
    case U'-':
        op = '-';
        break;
    case U'/':
        op = '/';
        break;
    case U'\r':
        break;
    default:
        out.problem = key.problem; // any other character is refused, and told
        return out;
    }
    if (row < lastRow_) {
        // The operator belongs to the line below, whose box takes the focus.
        if (op) lineAt(first_ + row + 1).op = op;
        out.focusRow = row + 1;
        return out;
    }
    // In the last visible row the view moves down one line; at the tape's end
    // a new line is appended (carrying this row's operator after Enter).
    if (first_ == maxFirst_) {
        appendLine(op ? op : lineAt(first_ + row).op);
    } else {
        if (op) lineAt(first_ + row + 1).op = op;
        ++first_;
    }
    out.scrolled = true;
    return out;
}

TapeCalculator::KeyOutcome TapeCalculator::arrowUp(int row) {
    KeyOutcome out;
    out.swallowed = true;
    if (row == 0 && first_ > 0) {
        --first_;
        out.scrolled = true;
    } else if (row > 0) {
        out.focusRow = row - 1;
    }
    return out;
}

TapeCalculator::KeyOutcome TapeCalculator::arrowDown(int row) {
    KeyOutcome out;
    out.swallowed = true;
    if (row == lastRow_ && first_ < maxFirst_) {
        ++first_;
        out.scrolled = true;
    } else if (row < lastRow_) {
        out.focusRow = row + 1;
    }
    return out;
}

void TapeCalculator::amountTyped(int row, const std::string& text) {
    TapeLine& line = lineAt(first_ + row);
    if (text.empty()) {
        line.amount = ExactDecimal();
    } else if (auto v = readTypedDecimal(text, marks_)) {
        line.amount = *v;
    }
    amountsChanged();
    MailCalc();
}

LeftBox TapeCalculator::leaveBox(int row, const std::string& text) const {
    if (text.empty()) return {text, ""};
    const std::size_t line = static_cast<std::size_t>(first_ + row);
    if (line >= lines_.size()) return {"", ""};
    const ExactDecimal& kept = valueOf(lines_[line]);
    const std::string shown = tapeDisplayForm(kept, decimals_, marks_);
    if (text == shown) return {shown, ""};
    return {shown, leaveFigureBox(text, kept, marks_).problem};
}

void TapeCalculator::operatorClick(int row) {
    char& op = lineAt(first_ + row).op;
    switch (op) {
    case '+':
        op = '-';
        break;
    case '-':
        op = 'x';
        break;
    case 'x':
        op = '/';
        break;
    case '/':
        op = '+';
        break;
    default:
        break;
    }
    MailCalc();
}

void TapeCalculator::setMode(CalcMode mode) {
    mode_ = mode;
    MailCalc();
}

void TapeCalculator::setDecimals(int decimals) {
    decimals_ = decimals;
}

const std::vector<ExactDecimal>& TapeCalculator::sortedPositives() {
    if (!sortedValid_) {
        sorted_ = sortedPositiveAmounts(lines_);
        sortedValid_ = true;
    }
    return sorted_;
}

void TapeCalculator::MailCalc() {
    std::optional<std::string> text;
    switch (mode_) {
    case CalcMode::Total:
        text = tapeTotalText(lines_, decimals_, marks_);
        break;
    case CalcMode::Average:
        text = tapeAverageText(lines_, marks_);
        break;
    case CalcMode::Middle:
        text = middleValueText(sortedPositives(), marks_);
        break;
    case CalcMode::Mode:
        text = modeText(sortedPositives(), marks_);
        break;
    }
    if (text) result_ = *text;
}

std::string TapeCalculator::copyText() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) out += "\r\n";
        if (lines_[i].amount) out += lines_[i].amount->plainText(marks_.decimal);
    }
    return out;
}

void TapeCalculator::paste(const std::string& clipText) {
    clear();
    std::vector<TapeLine> pasted;
    std::vector<bool> unread; // of each pasted line: its amount beyond the range, taken as 0
    // Entry amounts go through the reader of typed amounts: one not in the
    // system's form ("120,50" under a decimal point) reads its leading number.
    const auto typedAmount = [this, &unread](const std::string& field) {
        const std::optional<Currency> amount = readTypedAmount(field, marks_);
        unread.push_back(!amount);
        return amount.value_or(Currency());
    };
    if (auto entry = readEntryClipText(clipText, marks_, ClipForm::Journal, typedAmount)) {
        for (const ClipLine& l : *entry)
            pasted.push_back({ExactDecimal::fromCurrency(l.amount), l.side == Debit ? '+' : '-'});
    } else if (!clipText.empty()) {
        unread.clear();
        for (const std::string& line : textLines(clipText)) {
            const std::optional<ExactDecimal> v =
                readTypedDecimal(line.substr(0, line.find('\t')), marks_);
            unread.push_back(!v);
            pasted.push_back({v.value_or(ExactDecimal()), '+'});
        }
    }
    std::size_t taken = 0;
    while (taken < pasted.size()) {
        if (static_cast<int>(taken) > lastRow_) {
            ++maxFirst_;
            resizeTape(lastRow_ + maxFirst_ + 1);
        }
        lines_[taken] = pasted[taken];
        ++taken;
        if (maxFirst_ > PasteLimit) break;
    }
    amountsChanged();
    MailCalc();
    // The result is of the lines taken alone, each read: the user must hear of the rest.
    std::string told;
    if (taken < pasted.size())
        told = "The tape holds " + std::to_string(taken) + " lines at most: the first " +
               std::to_string(taken) + " lines were pasted and the other " +
               std::to_string(pasted.size() - taken) +
               " left out. The result is of the pasted lines alone.";
    const auto notRead =
        std::count(unread.begin(), unread.begin() + std::min(taken, unread.size()), true);
    if (notRead > 0)
        told += std::string(told.empty() ? "" : "\n\n") + std::to_string(notRead) +
                (notRead == 1 ? " line" : " lines") +
                " could not be read (a number beyond the range) and stand as 0 on the "
                "tape. The result is without them.";
    if (!told.empty()) showMessage(told);
}

void TapeCalculator::sort() {
    const std::vector<ExactDecimal>& s = sortedPositives();
    std::vector<ExactDecimal> positives = s;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        lines_[i].amount = i < positives.size() ? positives[i] : ExactDecimal();
    amountsChanged();
}
