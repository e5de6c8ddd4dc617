// A balance sheet window: assets, liabilities and capital at the date in its
// picker, drawn in the statement frame in the working-capital layout or the
// assets-and-liabilities layout, with the return on equity in the menu bar.
// Every use of the command opens a new one, at the journal's latest day.
#pragma once

#include "statements/qt/statement_frame.h"

#ifndef Q_MOC_RUN
#include "statements/balance_sheet.h"
#endif

class QAction;

class Balance_Sheet : public StatementFrame {
    Q_OBJECT
  public:
    Balance_Sheet(Book& book, RunTimeState& run, StatementHost host, QWidget* parent = nullptr);

    CalanderForm* ISCalander = nullptr;
    QAction* PrintToPrinter = nullptr;
    QAction* CopyBalanceSheet = nullptr;
    QAction* SaveBal = nullptr;
    QAction* USA = nullptr; // checked: the assets-and-liabilities layout
    QAction* SubAccounts = nullptr;
    QAction* Ratio = nullptr; // return on equity

    // Recomputes for the picker's date and the sub-account choice, and redraws.
    void BalanceMainLOAD();
    const BalanceSheet& result() const { return bs_; }
    BalanceSheetLayout layout() const;

    void CopyBalanceSheet_Click();
    void SaveBal_Click();

  protected:
    double drawStatement(DrawTarget& t) override;
    const CalanderForm* drillEndPicker() const override;
    std::string printoutName() const override { return "Balance Sheet"; }
    bool reloadRunningFirst() const override { return run_.JournalRevision != 0; }
    void copyStatement() override { CopyBalanceSheet_Click(); }
    void mailStatement() override;
    void buildStatement() override { BalanceMainLOAD(); }

  private:
    BalanceSheet bs_;
};
