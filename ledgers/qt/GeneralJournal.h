// The general-journal window: whole entries chosen by an account and a
// period, or by a search, drawn as a ruled table a page at a time: date,
// account, folio, debit and credit of every line, with the note and reference
// shown below an entry's final line. The same window lists search hits and
// the unbalanced entries.
#pragma once

#ifndef Q_MOC_RUN
#include "ledgers/journal_list.h"
#include "ledgers/ledger_pages.h"
#include "ledgers/qt/ledger_host.h"
#include "ledgers/screen_columns.h"
#include "toolkit/key_codes.h"
#endif

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <string>

class CalanderForm;
class LedgerCanvas;
class LoadSave;
class LedgerChoices;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class RealhScroll;
class TuvoVerticalScroll;

class GeneralJournal : public QMainWindow {
    Q_OBJECT
  public:
    explicit GeneralJournal(LedgerHost host, QWidget* parent = nullptr);
    ~GeneralJournal() override;

    bool ReconcileMode = false;

    std::array<CalanderForm*, 2> DateSearch{};
    QComboBox* tReportAcc = nullptr;
    QLineEdit* FolioChoiceTx = nullptr;
    TuvoVerticalScroll* JJournal = nullptr;
    RealhScroll* HScroll = nullptr; // shown when the page is wider than the window
    LedgerCanvas* Canvas = nullptr; // the drawn page
    QLabel* ShowTip = nullptr;
    QAction* PrintJournal = nullptr;
    QAction* SaveJournal = nullptr;

    // Builds the list from the account box, the pickers and the window's search.
    void tReportAcc_Click();
    // The first time, after an entry was deleted anywhere, and after a new
    // search was set: the whole period, every account, and a build.
    void Form_Activate();
    // The window lists what `mode` finds (a search of notes or references for
    // `text`, or the unbalanced entries) at every build from now on: its own
    // search, whatever other windows search.
    void setSearch(JournalMode mode, const std::string& text);
    // Draws the page that starts at the scroll bar's value.
    void JJournal_Change();
    // Draws what the window shows, from its scroll positions, on `s`: the
    // canvas, or a surface of the canvas's size.
    void drawView(DrawingSurface& s);
    void Form_MouseDown(QPointF at);
    void Form_MouseMove(QPointF at);
    void PNPag_Grey_MouseDown(int index);
    // File > Print... and File > Export... (a spreadsheet), after a typed date is applied.
    void PrintJournal_Click();
    void SaveJournal_Click();

    const JournalList& list() const { return list_; }
    const JournalPage& page() const { return page_; }
    int VisibleRows = 0;
    int SeenRevision = 0;
    bool ListBuilt = false;
    int builds() const { return builds_; }

  protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void Form_Resize();
    // The widest figures and headings of the list as built, and the columns
    // laid out by them for the canvas's width.
    void measureColumns();
    void placeColumns();
    // Where the table's view ends, left of the scroll bar (canvas pixels).
    double viewRight() const;
    // The page from the scroll bar's value, its lines measured on `s`.
    JournalPage pageFor(DrawingSurface& s);
    void navigationKey(KeyArgs& k);

    LedgerHost host_;
    QPointer<LoadSave> fileDialog_;
    LedgerChoices* choices_ = nullptr;
    struct Widths {
        double heading = 0, figure = 0;
    };
    std::array<Widths, 5> measured_{};
    std::vector<TableColumn> columns_;
    JournalList list_;
    JournalPage page_;
    JournalMode searchMode_ = JournalMode::Account;
    std::string searchText_;
    bool building_ = false;
    int builds_ = 0;
};
