// The main window's commands as data: the menu tree with its texts and
// shortcuts, the twelve toolbar buttons, each command's help text and what
// each command needs before it can run (the window it opens, or the entry and
// file handlers). A command whose needs are not present stays in the menu,
// disabled.
#pragma once

#include <set>
#include <string>
#include <vector>

enum class Command {
    LoadFile,
    SaveFile,
    SaveFileAs,
    Invoice,
    InsertEntries,
    Exitit,
    NewEntryMenu,
    CopyTheEntry,
    PageTheEntry,
    DeleteEntry, // Edit > Delete Entry... > Are you sure ?
    SearchNumbers,
    SearchNotes,
    ShowJournals,
    ShowTaccount,
    RbMenuItem,
    ReconcileJournal,
    ReconcileTaccount,
    ReconcileRunningBalance,
    TrialBalance,
    IncomeStatement,
    CashFlowMenu,
    ShowBalance,
    EditAccounts,
    SoftwareSettings,
    RollingCalculator,
    PayCalc,
    Depreciation,
    ReplaceAccounts,
    BalancePoint,
    UnbalancedEntries,
    RollOver,       // Carried Over Accounts... > Are you sure ?
    BroughtForward, // Balance Brought / Forward > Are you sure ?
    HelpSelect,
    AboutMenu,
    EmailInvoice,  // toolbar button 11
    IncludeGroups, // the "Include" button
};

// What a command needs before it can run: the window it opens (built with
// its subsystem) or the handlers of the entry line and book files.
enum class Need {
    Nothing,
    FileCommands,    // open, save, insert, roll-overs, balance point
    InvoiceCommands, // printed and mailed invoice
    EntryCommands,   // new, copy, paste, delete
    SettingsWindow,
    GeneralJournal,
    TAccountLedger,
    RunningBalance,
    TrialBalanceWindow,
    IncomeStatementWindow,
    CashFlowWindow,
    BalanceSheetWindow,
    ChartOfAccounts,
    MoveAccountsWindow,
    SearchWindow,
    EntryGroupsWindow,
    TapeCalculator,
    PayrollCalculator,
    DepreciationCalculator,
};

struct CommandInfo {
    Command command;
    const char* control;   // the handler's name in the window ("ShowTaccount")
    int text;              // string-table text of its caption (0: `fixedText`)
    const char* fixedText; // caption that is not in the string table
    const char* shortcut;  // "Ctrl+O", "F1", "" for none
    Need need;
    bool reportBuilder; // shows the busy state while its window builds
    bool passwordGated; // asks the administrator password first
};

const std::vector<CommandInfo>& allCommands();
const CommandInfo& commandInfo(Command c);
// The caption as the menu shows it (from the string table).
std::string commandCaption(Command c);

// The command can run when everything it needs is present.
bool commandAvailable(Command c, const std::set<Need>& present);

// Menu tree.
struct MenuEntry {
    enum Kind { Item, Separator, Submenu } kind = Item;
    Command command = Command::Exitit; // Item
    const char* control = "";          // Submenu: its control name
    int text = 0;                      // Submenu: its caption text
    std::vector<MenuEntry> children;   // Submenu
};
struct MenuSpec {
    const char* control;   // "Filemenu"
    int text;              // caption text (0: fixedText)
    const char* fixedText; // "Tools"
    std::vector<MenuEntry> entries;
};
const std::vector<MenuSpec>& menuTree();
std::string menuCaption(const MenuSpec& m);

// Toolbar buttons 0..11.
struct ToolbarButton {
    int index;
    int tipText; // 0: `fixedTip`
    const char* fixedTip;
    Command command;
};
const std::vector<ToolbarButton>& toolbarButtons();
std::string toolbarTip(const ToolbarButton& b);

// Help shown in the help-mode window instead of running the command.
struct HelpText {
    std::string title;
    std::string text; // paragraphs joined by CR LF CR LF
};
// The command's help; empty title when it has none of its own. The
// reconciliation items show the reconciled mark's help.
HelpText commandHelp(Command c);
// The help of the reconciled mark.
HelpText reconcileMarkHelp();
// The About text of the help-mode window.
extern const char* const AboutTitle;
std::string aboutText();
