// The journal-entry window: the program's start-up object and front door. It
// shows one entry of the journal at a time in its entry line and reaches
// every other window through its menus, its toolbar and the "Include" button.
// What the entry line shows comes from the EntryModel; the window mirrors it.
#pragma once

// moc needs none of the book's headers (and cannot parse all of them).
#ifndef Q_MOC_RUN
#include "book/book.h"
#include "book/runtime_state.h"
#include "mainwindow/compound_entry.h"
#include "mainwindow/entry_clipboard.h"
#include "mainwindow/entry_commands.h"
#include "mainwindow/entry_editor.h"
#include "mainwindow/entry_help_texts.h"
#include "mainwindow/entry_model.h"
#include "mainwindow/entry_outcome.h"
#include "mainwindow/file_commands.h"
#include "mainwindow/layout.h"
#include "mainwindow/menu_model.h"
#include "mainwindow/qt/qt_file_command_host.h"
#include "mainwindow/qt/window_launchers.h"
#include "mainwindow/window_list.h"
#include "platform/printer_choices.h"
#include "toolkit/key_codes.h"
#endif

#include <QMainWindow>
#include <QPointer>
#include <QShortcut>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class AccountListModel;
class CalanderForm;
class DrawingSurface;
class HC;
class Passit;
class Printformer;
class ToolbarStrip;
class TuvoVerticalScroll;
class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

using WindowHandles = WindowList<QPointer<QWidget>>;

// The row of the entry line whose folio and name boxes an outcome's texts are for.
struct EditedRow {
    EntrySide side = EntrySide::Debit;
    int row = -1;
};

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

    // --- start-up and shutdown ---
    // Opens the book named on the command line (its reader by its extension).
    void openCommandLineBook();
    void Exitit_Click();
    // What ending the program does (quits the event loop); tests replace it.
    std::function<void()> endProgram;
    // Set by a window that edits a working copy of part of the book (the
    // group editor): stores that copy into the book. Run before every save
    // and before the question on leaving a changed book.
    std::function<void()> storeOpenEdits;
    bool BookChanged() const { return run_.BookChanged; }
    void setBookChanged(bool changed) { run_.BookChanged = changed; }

    // --- the entry line ---
    void ScrollAcc_Change();
    void DrCrArrange();
    void Rec1();
    void fitPositionLabel();
    // The status line shows its text from the right, or from its start when
    // the text is too wide for it (the start names what it is about).
    void alignStatusLine();
    void EScroll_Change();
    // After the journal's length changed: the scroller's range and value go
    // to LastEntryLine, which shows the last entry.
    void journalLengthChanged();
    // The entry scroller's range 0..lastLine, its thumb sized to it.
    void setEntryScrollerMax(int lastLine);
    // The scroller's range follows the journal, then its value goes to
    // `line`, which shows the entry holding it.
    void showJournalLine(int line);
    // Refills the 31 + 31 account boxes' shared list from the book.
    void refillAccountBoxes();
    // The journal line a row edits (-1 when the row is not in use).
    int debitRowLine(int row) const { return model_.debitRowLine(row); }
    int creditRowLine(int row) const { return model_.creditRowLine(row); }

    // --- editing the entry line (every handler applies what its core returns) ---
    // Shows what a change of the journal left to show, in order: the entry
    // (the scroller's range and value), the rows, the box texts, the status
    // line, the buttons, the focus. True when the key that caused it is
    // swallowed.
    bool apply(const EntryOutcome& outcome, EditedRow edited = {});
    // The entry commands (menu, toolbar, buttons and their shortcuts).
    void Command1_Click();
    void ArUshore_Click(bool askFirst);
    void CopyTheEntry_Click();
    void PageTheEntry_Click();
    void Reconcile_Click(int index);
    void CompoundEntry_Click(int index);
    void CalcCompound_Click();
    // The balance check of the whole journal (also run by the group drop-down).
    void iSBalance();

    // --- the book's files (File menu, toolbar, Tools roll-overs) ---
    FileCommands& files() { return *files_; }
    CommandOutcome LoadFile_Click();
    CommandOutcome SaveFile_Click(int index); // 0 Save, 1 Save As
    CommandOutcome InsertEntries_Click();
    CommandOutcome Brought_Forward_Click();
    CommandOutcome BalBForword_Click(); // Carried Over Accounts
    // Save (menu item and toolbar button) and Save As enabled as the file allows.
    void setSaveCommands(bool save, bool saveAs);

    // --- finding an entry ---
    // Tools > Balance Point: the entry where the journal goes out of balance.
    void SearchMenu2_Click(int index);
    // Enter in the go-to box: the entry of that reference, else text 286.
    void Text1_KeyPress(int& keyAscii);

    // --- the invoice of the entry shown ---
    // Printed on the current printer (one copy, no print setup; on the PDF
    // printer the file is asked for, see askPdfFile).
    void Invoice_Click();
    // Mailed as an unsent message (toolbar button 11).
    void EmailInvoice_Click();
    // Prints the business heading where the page's cursor stands (also used
    // at the top of the running-balance printout's pages).
    void PrintHeader(DrawingSurface& surface) const;
    // The program's one print setup: every printout's printer, paper and
    // orientation, kept while the program runs.
    Printformer* printSetup();

    // The font a book or the settings window gives the entry line: the
    // folio, account and note boxes (and, for an opened book, the date box)
    // show it, a face this machine lacks substituted for display only.
    void applyEntryLineFont(const QString& fontName, bool dateBoxToo = false);
    // The date box shows the entry's date in the book's date style (after a
    // change of style too, taking the width that style needs).
    void showDateInBookStyle();

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
    // After a failure: the entry line shown afresh from the book (the current
    // entry, its rows, head, status and the account boxes' list), and the
    // chart editor's grid when it is open. Until that is done no field of the
    // entry line takes an edit.
    void showBookAsItIs();
    // Closes the windows of the kinds flagged that show the old book (every
    // open window of a flagged list, wherever it stands in the list).
    void closeBookWindows(const BookWindows& which = windowsClosedByOpening());
    // Administrator-password gate: true when the command may go on.
    bool adminGate();
    // Asks for the administrator password (the password prompt by default):
    // the password accepted, or nothing when cancelled.
    std::function<std::optional<std::string>()> adminPasswordPrompt;
    // Asks for a book file's own password while it is read or inserted
    // (unset: the file commands' own masked input box).
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
    CalanderForm* Datetext = nullptr;
    std::array<QLabel*, 10> GL{};
    std::array<QLabel*, 2> Reconcile{};
    QLabel* CELablel = nullptr;
    QWidget* eBox = nullptr;
    TuvoVerticalScroll* EScroll = nullptr;
    TuvoVerticalScroll* ScrollAcc = nullptr;
    std::array<QLineEdit*, EntryRowsPerSide> DebitFolio{}, CreditFolio{};
    std::array<QComboBox*, EntryRowsPerSide> DebitAccName{}, CreditAccName{};
    std::array<QLineEdit*, EntryRowsPerSide> DebitAmountText{}, CreditAmountText{};
    QLineEdit* AccNote = nullptr;
    std::array<QLabel*, 3> CompoundEntry{}; // 1 debit, 2 credit
    QLabel* CompShadow = nullptr;           // hover shadow over an add-line button
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
    // Where the shown entry's rows stand (an entry without lines until one is shown).
    RowArrangement rows_ = arrangeRows({}, 0, design::FieldHeight);
    int BorderAllowance = 0;
    std::string currencyLabel;

  signals:
    // A new entry is shown (the scroller's Change handled).
    void entryShown();
    // The window is going, its book still whole: a window that reads the
    // book without being owned by this one goes now.
    void leaving();

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
    void wireEntryLine();
    void wireRow(EntrySide side, int row);
    void installEntryCommands();
    bool windowShortcut(const QKeyEvent& key) const;
    void showFieldHelp(EntryField field);
    std::function<void()> helpOnFocus(EntryField field);
    void keyMove(KeyArgs& k);
    void scrollPanelAfterAddedLine();
    // Stores the date or account name typed and not yet stored (the fields
    // store it when left), and leaves an amount or number box typed in (what
    // is kept shown, a text not read as typed told); every command, the
    // close and every move to another entry go through here first.
    void commitFocusedField();
    void focusOn(FocusTarget target, int row);
    void setStatus(const StatusUpdate& status);
    void openSearch(int mode);
    // Field events arriving while the window changes its own controls (or a
    // command runs) are not the user's edits.
    // Nor are those reaching a window not yet redrawn after a failure.
    bool quiet() const { return applying_ > 0 || stale_; }
    class Quiet {
      public:
        explicit Quiet(TAcount& w) : n_(w.applying_) { ++n_; }
        ~Quiet() { --n_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

      private:
        int& n_;
    };
    void buildMenus();
    void setCaptions();
    void lockEntry(bool locked);
    void placeHeadLabels();
    void placeReconcileMark();
    void onHelpModeChanged(bool on);
    void showWindow(QWidget* w);
    void openInList(WindowHandles& list, const std::function<QWidget*()>& make, bool busy);
    void openReconcile(WindowHandles& list, const std::function<QWidget*(TAcount&, bool)>& make);
    void replaceShared(QPointer<QWidget>& slot, const std::function<QWidget*()>& make, bool busy);
    std::set<Need> presentNeeds() const;
    // In help mode: the command's help is shown (true) instead of running it.
    bool showsHelpInstead(Command c);
    void installFileCommands();
    void wireGotoBox();
    PrinterChoices currentPrinter();

    Book book_;
    RunTimeState run_;
    EntryModel model_;
    EntryEditor editor_{book_, run_, model_};
    CompoundEntryEditor compound_{book_, run_, model_};
    EntryCommands commands_{book_, run_, model_};
    EntryClipboard clipboard_{book_, run_, model_};
    int applying_ = 0;
    bool stale_ = false;            // a failure left the entry line to be shown afresh
    int positionLabelRight_ = 0;    // where the entry-position label ends (frame pixels)
    QWidget* typedField_ = nullptr; // the date, name, number or amount box typed in, not left
    bool deleteByShortcut_ = false;
    std::string commandLineBook_;
    WindowLaunchers launchers_;
    std::map<Command, QAction*> actions_;
    std::map<Command, std::function<void()>> handlers_;
    QAction* helpSelectAction_ = nullptr;
    int helpListener_ = 0;
    Passit* passit_ = nullptr;
    Printformer* printSetup_ = nullptr;
    std::unique_ptr<QtFileCommandHost> fileHost_;
    std::unique_ptr<FileCommands> files_;
    // Save's key while Save is disabled: it tells why the book's file cannot be written.
    QShortcut* refusedSaveKey_ = nullptr;
};
