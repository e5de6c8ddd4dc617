// The statement windows' Copy, Export and Send commands: the texts, files and
// mail drafts the statement outputs make of a computed statement, handed to
// the clipboard, the file dialog and the mail program.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "statements/balance_sheet.h"
#include "statements/income_statement.h"
#include "statements/inflows_outflows.h"
#include "statements/trial_balance.h"

class QWidget;

void copyTrialBalance(const Book& book, const TrialBalance& tb);
void exportTrialBalance(QWidget* owner, const Book& book, RunTimeState& run,
                        const TrialBalance& tb);
void mailTrialBalance(const Book& book, const TrialBalance& tb);

void copyIncomeStatement(const Book& book, const IncomeStatement& is);
void exportIncomeStatement(QWidget* owner, const Book& book, RunTimeState& run,
                           const IncomeStatement& is);
void mailIncomeStatement(const Book& book, const IncomeStatement& is);

void copyBalanceSheet(const Book& book, const BalanceSheet& bs, BalanceSheetLayout layout);
void exportBalanceSheet(QWidget* owner, const Book& book, RunTimeState& run,
                        const BalanceSheet& bs, BalanceSheetLayout layout);
void mailBalanceSheet(const Book& book, const BalanceSheet& bs, BalanceSheetLayout layout);

// The inflows/outflows outputs start at the first period column shown
// (counted from 0) and carry the window's caption in their title.
struct FlowView {
    int firstColumn = 0;
    std::string caption;
    int pageWidthPixels = 0; // the web page's table width
};
void copyInflowsOutflows(const Book& book, const InflowsOutflows& flows, const FlowView& view);
void exportInflowsOutflows(QWidget* owner, const Book& book, RunTimeState& run,
                           const InflowsOutflows& flows, const FlowView& view);
void mailInflowsOutflows(const Book& book, const InflowsOutflows& flows, const FlowView& view);
