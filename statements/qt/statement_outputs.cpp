#include "statements/qt/statement_outputs.h"

// Filled in from the statement outputs once they are in this branch.

void copyTrialBalance(const Book&, const TrialBalance&) {}
void exportTrialBalance(QWidget*, const Book&, RunTimeState&, const TrialBalance&) {}
void mailTrialBalance(const Book&, const TrialBalance&) {}

void copyIncomeStatement(const Book&, const IncomeStatement&) {}
void exportIncomeStatement(QWidget*, const Book&, RunTimeState&, const IncomeStatement&) {}
void mailIncomeStatement(const Book&, const IncomeStatement&) {}

void copyBalanceSheet(const Book&, const BalanceSheet&, BalanceSheetLayout) {}
void exportBalanceSheet(QWidget*, const Book&, RunTimeState&, const BalanceSheet&,
                        BalanceSheetLayout) {}
void mailBalanceSheet(const Book&, const BalanceSheet&, BalanceSheetLayout) {}

void copyInflowsOutflows(const Book&, const InflowsOutflows&, const FlowView&) {}
void exportInflowsOutflows(QWidget*, const Book&, RunTimeState&, const InflowsOutflows&,
                           const FlowView&) {}
void mailInflowsOutflows(const Book&, const InflowsOutflows&, const FlowView&) {}
