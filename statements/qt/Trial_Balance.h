// The trial balance window: every account's balance up to the date in its
// picker, drawn in the statement frame; recomputed when a day is picked,
// Enter is pressed in the picker, the picker is left with another day, or
// "Include Sub Accounts" is toggled.
#pragma once

#include "statements/qt/statement_frame.h"

#ifndef Q_MOC_RUN
#include "statements/trial_balance.h"
#endif

class QAction;

class Trial_Balance : public StatementFrame {
    Q_OBJECT
  public:
    Trial_Balance(Book& book, RunTimeState& run, StatementHost host, QWidget* parent = nullptr);

    CalanderForm* ISCalander = nullptr;
    QAction* PrintAccount = nullptr;
    QAction* CopyTrialBalance = nullptr;
    QAction* SaveTrialBal = nullptr;
    QAction* DisplaySubAcc = nullptr;

    // Recomputes for the picker's date and the sub-account choice, and redraws.
    void mainLOAD();
    const TrialBalance& result() const { return tb_; }

    void CopyTrialBalance_Click();
    void SaveTrialBal_Click();
    void DisplaySubAcc_Click();

  protected:
    double drawStatement(DrawTarget& t) override;
    const CalanderForm* drillEndPicker() const override;
    std::string printoutName() const override { return "Trial Balance"; }
    void copyStatement() override { CopyTrialBalance_Click(); }
    void mailStatement() override;
    void buildStatement() override { mainLOAD(); }

  private:
    TrialBalance tb_;
};
