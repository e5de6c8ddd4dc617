// The T-account ledger window: one account's period drawn as a T, debits to
// the left, credits to the right, one page of rows at a time, closed by the
// two totals and the balancing figure carried down. The T-account builder
// makes the rows; this window only draws the page the scroll bar selects.
#pragma once

#ifndef Q_MOC_RUN
#include "ledgers/ledger_pages.h"
#include "ledgers/qt/ledger_host.h"
#include "ledgers/screen_columns.h"
#include "ledgers/t_account.h"
#endif

#include <QMainWindow>

#include <array>
#include <string>
#include <vector>

class CalanderForm;
class LedgerChoices;
class QAction;
class QComboBox;
class LedgerCanvas;
class QLineEdit;
class RealhScroll;
class TuvoVerticalScroll;

class Report : public QMainWindow {
    Q_OBJECT
  public:
    // Loads the window (accounts listed, the journal's whole period in the
    // pickers); nothing is built until an account is chosen.
    explicit Report(LedgerHost host, QWidget* parent = nullptr);
    ~Report() override;

    // Set by the opener before the window is shown: reconciled lines are left out.
    bool ReconcileMode = false;

    // --- controls other windows set ---
    std::array<CalanderForm*, 2> DateSearch{};
    QComboBox* tReportAcc = nullptr;
    QLineEdit* FolioChoiceTx = nullptr;
    TuvoVerticalScroll* Vs = nullptr;
    RealhScroll* HScroll = nullptr; // shown when the T is wider than the window
    LedgerCanvas* Canvas = nullptr; // the drawn part: the table and the detail bar
    QAction* Print_Account = nullptr;
    QAction* Subsee = nullptr; // "Unmasked Sub Accounts..."
    QAction* SortE = nullptr;  // "Sort Entries by Date..."

    // --- public procedures ---
    // Builds the T-account of the account named in the account box for the
    // pickers' period (also what a statement's drill-down runs).
    void tReportAcc_Click();
    // The same for the account of that number (a statement's drill-down,
    // which must not mistake an account for another of the same name).
    void tReportAcc_Click(Currency account);
    // The period's last day, as a drill-down from a statement gives it.
    void setEndDay(double day);
    // Rebuilds when an entry was deleted since the last build.
    void Form_Activate();
    // Draws the page the scroll bar shows.
    void VS_Change();
    // Draws what the window shows, from its scroll positions, on `s`: the
    // canvas, or a surface of the canvas's size.
    void drawView(DrawingSurface& s);
    void SortE_Click();
    void Subsee_Click();
    // A click on label row `index` of a half: the main window goes to its entry.
    void DebitR_Click(int index);
    void CreditR_Click(int index);
    // The pointer over label row `index` of a half: its entry's note below.
    void DebitR_MouseMove(int index);
    void CreditR_MouseMove(int index);
    // Page up (0) or down (1).
    void PNPag_Grey_MouseDown(int index);
    // File > Print...: the T-account through the print setup.
    void Print_Account_Click();

    // --- what the window shows ---
    const TAccountLedger& ledger() const { return ledger_; }
    const std::vector<TAccountPageRow>& page() const { return page_; }
    int PageRows = 19;     // last visible label row
    int SeenRevision = 0;  // JournalRevision at the last build on activation
    std::string detailBar; // the detail bar's text
    int builds() const { return builds_; }
    // Label row and half drawn bold after a click (-1: none).
    int markedRow = -1;
    bool markedCredit = false;

  protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void Form_Load();
    void Form_Resize();
    // The widest figures of the T-account as built, and the columns laid
    // out by them for the canvas's width.
    void measureColumns();
    void placeColumns();
    // The label row and half under a canvas point, or -1.
    int rowAt(QPointF at, bool& credit) const;
    void canvasMoved(QPointF at);
    void canvasPressed(QPointF at);
    // The half of label row `index`, or nullptr past the page.
    const TAccountCell* cellAt(int index, bool credit) const;
    void rowClick(int index, bool credit);
    void rowHover(int index, bool credit);
    void setScrollRange();

    LedgerHost host_;
    LedgerChoices* choices_ = nullptr;
    struct Widths {
        double date = 0, debitAmount = 0, creditAmount = 0, debitTotal = 0, creditTotal = 0;
        int rowHeight = 14; // the rows' pitch: the design's, or the font's height when taller
    } measured_;
    std::vector<TableColumn> columns_;
    TAccountLedger ledger_;
    std::vector<TAccountPageRow> page_;
    bool building_ = false;
    int builds_ = 0;
};
