#include "calculators/figure_box.h"

#include "calculators/number_reading.h"

LeftBox leaveFigureBox(const std::string& typed, const std::optional<ExactDecimal>& used,
                       const NumberMarks& marks) {
    if (typed.empty()) return {typed, ""};
    const std::string quoted = "\"" + shortenForStatus(typed) + "\"";
    if (!used) return {typed, quoted + " is too large a number"};
    const std::string shown = used->plainText(marks.decimal);
    const std::optional<ExactDecimal> asTyped = readDecimal(typed, marks);
    if (asTyped && *asTyped == *used) return {shown, ""};
    return {shown, quoted + " is taken as " + shown};
}
