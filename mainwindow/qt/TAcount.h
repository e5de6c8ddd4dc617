// The journal-entry window: the program's start-up object and front door. It
// shows one entry of the journal at a time in its entry line and reaches
// every other window through its menus, its toolbar and the "Include" button.
// What the entry line shows comes from the EntryModel; the window mirrors it.
#pragma once

// moc needs none of the book's headers (and cannot parse all of them).
#ifndef Q_MOC_RUN
#include "book/book.h"
#include "book/runtime_state.h"
#include "mainwindow/entry_model.h"
#include "mainwindow/layout.h"
#include "mainwindow/menu_model.h"
#include "mainwindow/qt/window_launchers.h"
#include "mainwindow/window_list.h"
#endif

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

class AccountListModel;
class HC;
class Passit;
class LineScroller;
class ToolbarStrip;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

using WindowHandles = WindowList<QPointer<QWidget>>;

class TAcount : public QMainWindow {
    Q_OBJECT
  public:
    // Initialises and loads the window (start-up steps in their order). The
    // book named by `commandLine` is opened by openCommandLineBook(), which
    // the program runs once the window is shown so that the progress of a
    // large book is seen.
    explicit TAcount(const std::string& commandLine = "", QWidget* parent = nullptr);
    ~TAcount() override;

    // The open book and the state windows hand to each other.
    Book& book() { return book_; }
    RunTimeState& run() { return run_; }
    EntryModel& entryModel() { return model_; }
    const std::string& commandLineBook() const { return commandLineBook_; }

    // --- start-up and shutdown ---
    void openCommandLineBook();
    // Opens the book named by CurrentFilePath without a dialog (mode 2).
    void LoadAccFile(int mode);
    void Exitit_Click();
    // What ending the program does (quits the event loop); tests replace it.
    std::function<void()> endProgram;
    bool BookChanged() const { return run_.BookChanged; }
    void setBookChanged(bool changed) { run_.BookChanged = changed; }

    // --- the entry line ---
    void ScrollAcc_Change();
    void DrCrArrange();
    void Rec1();
    void EScroll_Change();
    // After the journal's length changed: the scroller's range and value go
    // to LastEntryLine, which shows the last entry.
    void journalLengthChanged();
    // Refills the 31 + 31 account boxes' shared list from the book.
    void refillAccountBoxes();
    // The journal line a row edits (-1 when the row is not in use).
    int debitRowLine(int row) const { return model_.debitRowLine(row); }
    int creditRowLine(int row) const { return model_.creditRowLine(row); }

    // --- commands ---
    void runCommand(Command c);
    bool commandEnabled(Command c) const;
    QAction* action(Command c) const;
    // Gives a command its handler (the entry and file commands are added
    // this way); the command's menu item and toolbar button become enabled.
    void setCommandHandler(Command c, std::function<void()> handler);
    WindowLaunchers& launchers() { return launchers_; }
    // After launchers were filled in: installs their commands.
    void installLauncherCommands();
    // Closes the windows that show the old book (loading and roll-overs):
    // every open window of the journal, ledger, running-balance and
    // balance-sheet lists, the chart of accounts, the entry groups, the
    // income statement and the inflows/outflows statement.
    void closeBookWindows(bool balanceSheetsToo = true);
    // Administrator-password gate: true when the command may go on.
    bool adminGate();
    // Asks for the administrator password (the password prompt by default):
    // the password accepted, or nothing when cancelled.
    std::function<std::optional<std::string>()> adminPasswordPrompt;
    // Asks for a book file's own password while it is read.
    std::function<std::optional<std::string>()> filePasswordPrompt;

    // Help mode and About.
    void Help_Button_Click();
    void HelpSelect_Click();
    void AboutMenu_Click();
    void showHelp(const std::string& title, const std::string& text);

    // Busy state while a report window builds: hourglass and the main window
    // disabled, restored on every path when the guard ends.
    class BusyState {
      public:
        explicit BusyState(TAcount& w);
        ~BusyState();
        BusyState(const BusyState&) = delete;
        BusyState& operator=(const BusyState&) = delete;

      private:
        TAcount& w_;
    };

    // --- controls (other windows read and set them directly) ---
    ToolbarStrip* ButtonBar = nullptr;
    QLineEdit* Text1 = nullptr; // go-to box
    QWidget* xFrame1 = nullptr;
    QLineEdit* JournalID = nullptr;
    QLineEdit* Datetext = nullptr;
    std::array<QLabel*, 10> GL{};
    std::array<QLabel*, 2> Reconcile{};
    QLabel* CELablel = nullptr;
    QWidget* eBox = nullptr;
    LineScroller* EScroll = nullptr;
    LineScroller* ScrollAcc = nullptr;
    std::array<QLineEdit*, EntryRowsPerSide> DebitFolio{}, CreditFolio{};
    std::array<QComboBox*, EntryRowsPerSide> DebitAccName{}, CreditAccName{};
    std::array<QLineEdit*, EntryRowsPerSide> DebitAmountText{}, CreditAmountText{};
    QLineEdit* AccNote = nullptr;
    std::array<QLabel*, 3> CompoundEntry{}; // 1 debit, 2 credit
    QLabel* CalcCompound = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* GroupBu = nullptr;
    ::HC* HC = nullptr;
    AccountListModel* accountList = nullptr;

    // Window lists.
    WindowHandles JournalWindows, LedgerWindows, RunningBalanceWindows, BalanceSheetWindows,
        PayrollWindows, CalculatorWindows;
    // Shared windows.
    QPointer<QWidget> trialBalanceWindow, incomeStatementWindow, cashFlowWindow, depreciationWindow,
        chartOfAccountsWindow, settingsWindow, searchWindow, entryGroupsWindow, SearchJournal,
        CheckJournal;

    // Layout members (twips).
    int PanelOffset = 0;
    int RowTop = 0;
    int BorderAllowance = 0;
    std::string currencyLabel;

  signals:
    // A new entry is shown (the scroller's Change handled).
    void entryShown();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

  private:
    void Form_Initialize();
    void Form_Load();
    void Form_Resize();
    void buildToolbar();
    void buildEntryLine();
    void buildMenus();
    void setCaptions();
    void lockEntry(bool locked);
    void placeHeadLabels();
    void onHelpModeChanged(bool on);
    void showWindow(QWidget* w);
    void openInList(WindowHandles& list, const std::function<QWidget*()>& make, bool busy);
    void openReconcile(WindowHandles& list, const std::function<QWidget*(TAcount&, bool)>& make);
    void replaceShared(QPointer<QWidget>& slot, const std::function<QWidget*()>& make, bool busy);
    std::set<Need> presentNeeds() const;

    Book book_;
    RunTimeState run_;
    EntryModel model_;
    std::string commandLineBook_;
    WindowLaunchers launchers_;
    std::map<Command, QAction*> actions_;
    std::map<Command, std::function<void()>> handlers_;
    QAction* helpSelectAction_ = nullptr;
    int helpListener_ = 0;
    bool ending_ = false;
    Passit* passit_ = nullptr;
};
