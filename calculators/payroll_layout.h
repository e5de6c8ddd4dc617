// Where the payroll window's columns stand (twips): the seven period columns
// and the totals column at their designed places and widths, or wider where
// the widest figure their boxes show needs it, everything right of a wider
// column moving along, as far as the screen's width allows. Captions longer
// than their designed room (a currency label of several letters) move every
// column right by `indent`.
#pragma once

struct PayrollColumns {
    int column = 1005; // a period's boxes
    int totals = 1410; // the totals boxes; the deduction totals are 45 wider
    int indent = 0;

    int periodLeft(int period) const { return 1395 + indent + (column + 255) * period; }
    // Period 1's gross and net boxes start further left, under the labels.
    int wideLeft() const { return 1080 + indent; }
    int wideWidth() const { return column + 315; }
    int deductionTotalsLeft() const { return periodLeft(7); } // a column's gap after period 7
    int deductionTotalsWidth() const { return totals + 45; }
    int totalsLeft() const { return deductionTotalsLeft() + 45; }
    int windowWidth() const { return deductionTotalsLeft() + deductionTotalsWidth() + 195; }
};

// The columns for boxes that need `columnNeeded` and `totalsNeeded` twips,
// in a window at most `screenWidth` twips wide: the columns give up what the
// screen lacks evenly, never below their designed widths.
PayrollColumns payrollColumns(int columnNeeded, int totalsNeeded, int screenWidth, int indent = 0);
