// The running-balance ledger window: one account's lines over a period, each
// paired with a contra account, with the balance after every row, drawn as a
// ruled list a page at a time. The rows are what the running-balance builder
// computed; the window draws, scrolls, reverses and pages them.
#pragma once

#ifndef Q_MOC_RUN
#include "ledgers/ledger_pages.h"
#include "ledgers/qt/ledger_host.h"
#include "ledgers/running_balance.h"
#include "ledgers/screen_columns.h"
#endif

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <string>
#include <vector>

class CalanderForm;
class LedgerCanvas;
class LedgerChoices;
class LoadSave;
class QAction;
class QComboBox;
class QLineEdit;
class QToolButton;
class RealhScroll;
class TuvoVerticalScroll;

class Running_Balance : public QMainWindow {
    Q_OBJECT
  public:
    explicit Running_Balance(LedgerHost host, QWidget* parent = nullptr);
    ~Running_Balance() override;

    bool ReconcileMode = false;

    // --- controls other windows set ---
    std::array<CalanderForm*, 2> DateSearch{};
    QComboBox* tReportAcc = nullptr;
    QLineEdit* FolioChoiceTx = nullptr;
    QToolButton* Command1 = nullptr;       // reverse order
    std::array<QToolButton*, 2> mButton{}; // print, send by mail
    TuvoVerticalScroll* VScroll1 = nullptr;
    RealhScroll* HScroll = nullptr; // shown when the list is wider than the window
    LedgerCanvas* Canvas = nullptr; // the drawn part: the table and the detail bar
    QAction* PrintAccount = nullptr;
    QAction* ExportAccount = nullptr;

    // --- public procedures ---
    // Refills the account box and puts the journal's whole period into the
    // pickers (a drill-down runs it before setting its own account and dates).
    void Form_Load();
    // Builds the ledger of the account named in the account box.
    void tReportAcc_Click();
    // The same for the account of that number (a statement's drill-down,
    // which must not mistake an account for another of the same name).
    void tReportAcc_Click(Currency account);
    // The period's last day, as a drill-down from a statement gives it.
    void setEndDay(double day);
    // Paints the page the scroll bar shows.
    void VScroll1_Change();
    // Draws what the window shows, from its scroll positions, on `s`: the
    // canvas, or a surface of the canvas's size.
    void drawView(DrawingSurface& s);
    // The reverse-order box released.
    void Command1_MouseUp();
    // A click or the pointer at a point of the list (window pixels).
    void Form_MouseDown(QPointF at);
    void Form_MouseMove(QPointF at);
    void PNPag_Grey_MouseDown(int index);
    // The printout, the export file and the mail, after a typed date is applied.
    void PrintAccount_Click();
    void ExportAccount_Click();
    void mailClicked();

    // --- what the window shows ---
    const RunningBalanceLedger& ledger() const { return ledger_; }
    const std::vector<RunningBalanceCells>& page() const { return page_; }
    int VisibleRows = 20; // highest slot index of the list area
    int MarkedRow = -1;
    std::string detailBar;

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void Form_Resize();
    int slotAt(QPointF at) const;
    // The widest figures and headings of the ledger as built, and the
    // columns laid out by them for the canvas's width.
    void measureColumns();
    void placeColumns();
    // The height the list's slots are counted in: less the scroll bar's strip.
    int rowsHeight() const;

    LedgerHost host_;
    QPointer<LoadSave> fileDialog_;
    LedgerChoices* choices_ = nullptr;
    struct Widths {
        double heading = 0, figure = 0;
    };
    std::array<Widths, 6> measured_{};
    double slotPitch_ = 20; // from one row to the next
    std::vector<TableColumn> columns_;
    RunningBalanceLedger ledger_;
    std::vector<RunningBalanceCells> page_;
    bool building_ = false;
};
