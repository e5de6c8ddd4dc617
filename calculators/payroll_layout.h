// Where the payroll window's columns stand (twips): the seven period columns
// and the totals column at their designed places and widths, or wider where
// the widest figure their boxes show needs it, everything right of a wider
// column moving along, as far as the screen's width allows.
#pragma once

struct PayrollColumns {
    int column = 1005; // a period's boxes
    int totals = 1410; // the totals boxes; the deduction totals are 45 wider

    int periodLeft(int period) const { return 1395 + (column + 255) * period; }
    // Period 1's gross and net boxes start further left, under the labels.
    int wideLeft() const { return 1080; }
    int wideWidth() const { return column + 315; }
    int deductionTotalsLeft() const { return periodLeft(7); } // a column's gap after period 7
    int deductionTotalsWidth() const { return totals + 45; }
    int totalsLeft() const { return deductionTotalsLeft() + 45; }
    int windowWidth() const { return deductionTotalsLeft() + deductionTotalsWidth() + 195; }
};

// The columns for boxes that need `columnNeeded` and `totalsNeeded` twips,
// in a window at most `screenWidth` twips wide: the columns give up what the
// screen lacks evenly, never below their designed widths.
PayrollColumns payrollColumns(int columnNeeded, int totalsNeeded, int screenWidth);
