#include "calculators/payroll_layout.h"

#include <algorithm>

PayrollColumns payrollColumns(int columnNeeded, int totalsNeeded, int screenWidth, int indent) {
    const PayrollColumns designed;
    PayrollColumns c;
    c.indent = indent;
    c.column = std::max(designed.column, columnNeeded);
    c.totals = std::max(designed.totals, totalsNeeded);
    // What the screen lacks, taken from the seven period columns and the
    // totals column alike, then from whichever can still give.
    int excess = c.windowWidth() - screenWidth;
    if (excess <= 0) return c;
    const int each = (excess + 7) / 8;
    const int fromPeriods = std::min(c.column - designed.column, each);
    const int fromTotals = std::min(c.totals - designed.totals, each);
    c.column -= fromPeriods;
    c.totals -= fromTotals;
    excess -= 7 * fromPeriods + fromTotals;
    if (excess > 0) {
        const int more = std::min(c.totals - designed.totals, excess);
        c.totals -= more;
        excess -= more;
    }
    if (excess > 0) c.column -= std::min(c.column - designed.column, (excess + 6) / 7);
    return c;
}
