// The income statement window: revenue, cost of goods sold and expenses of
// the period between its two date pickers, drawn in the statement frame, with
// the gross and net ratios in the menu bar. It opens on the journal's first
// and last day and recomputes on "Refresh", a picked day, Enter in a picker,
// a picker left with another day or "Include Sub Accounts".
#pragma once

#include "statements/qt/statement_frame.h"

#ifndef Q_MOC_RUN
#include "statements/income_statement.h"
#endif

#include <array>

class QAction;
class QPushButton;

class Income_Statement : public StatementFrame {
    Q_OBJECT
  public:
    Income_Statement(Book& book, RunTimeState& run, StatementHost host, QWidget* parent = nullptr);

    std::array<CalanderForm*, 2> DateSearch{};
    QLabel* ToLable = nullptr;
    QPushButton* Command1 = nullptr; // Refresh
    QAction* PrintToPrinter = nullptr;
    QAction* CopyIncomeStatement = nullptr;
    QAction* SaveInc = nullptr;
    QAction* SubAccounts = nullptr;
    std::array<QAction*, 2> Ratio{}; // gross and net ratio captions

    // Recomputes for the pickers' period and the sub-account choice, and redraws.
    void Form_Activate2();
    const IncomeStatement& result() const { return is_; }

    void Command1_Click();
    void CopyIncomeStatement_Click();
    void SaveInc_Click();

  protected:
    double drawStatement(DrawTarget& t) override;
    const CalanderForm* drillEndPicker() const override;
    std::string printoutName() const override { return "Income Statement"; }
    void copyStatement() override { CopyIncomeStatement_Click(); }
    void mailStatement() override;
    void buildStatement() override { Form_Activate2(); }

  private:
    IncomeStatement is_;
};
