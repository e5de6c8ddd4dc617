// The File menu's book commands and the two journal roll-overs as flows over
// the open book: Open (from the dialog or the command line), Save and Save
// As in every form (.acc, .txt, .csv, .xls, .LWK), Insert Entries, Balance
// Brought / Forward and Carried Over Accounts.
//
// What only the window can do (the file dialog, the password prompt, the
// question before a changed book is replaced, closing the windows of the old
// book, fonts, the entry display, the caption, enabling Save) is asked of a
// FileCommandHost, so the same flows run under tests with a scripted host.
// Messages go through the platform's message box and progress through its
// progress sink, as everywhere else.
//
// Rules kept by every flow:
// - A cancelled, refused or failed command changes nothing: not the book,
//   its path, its changed mark, nor the state of Save and Save As.
// - A changed book is replaced only after the question was answered Yes (go
//   on without saving) or No (save first, then go on).
// - Every password gate empties EnteredPassword before the prompt and after
//   comparing.
// - A command that replaces or extends the journal raises JournalRevision and
//   recomputes LockedBelow.
// - While one command runs no other starts (busy()).
#pragma once

#include "book/book.h"
#include "book/file_stamp.h"
#include "book/journal_spreadsheet.h"
#include "book/runtime_state.h"
#include "book/save_paths.h"
#include "platform/services.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class PasswordKind {
    Administrator, // the open book's administrator password (also before a text form is read)
    BookFile,      // the file password of the book being opened or inserted
};

struct FileDialogRequest {
    std::string caption;               // window caption
    std::string acceptCaption;         // the OK button's caption
    std::vector<std::string> patterns; // "*.acc", ...; the first is shown at first
    bool asksBeforeReplacing = false;  // saving: a name already there is taken once agreed
};

struct FileChoice {
    std::filesystem::path path; // absolute, as typed or picked
    std::string type;           // the type chosen: "acc", "txt", "csv", "xls" or "LWK"
};

// The windows that show the old book and are closed when it is replaced.
struct BookWindows {
    bool chartOfAccounts = false;
    bool entryGroups = false; // stores the group being edited back as it closes
    bool incomeStatement = false;
    bool cashFlow = false;
    bool journals = false;        // every window of the journal list
    bool ledgers = false;         // ... of the T-account ledger list
    bool runningBalances = false; // ... of the running-balance list
    bool balanceSheets = false;   // ... of the balance-sheet list
    friend bool operator==(const BookWindows&, const BookWindows&) = default;
};
// Opening a book closes all of them; both roll-overs the chart of accounts,
// the inflows/outflows statement and the journal, ledger and running-balance windows.
BookWindows windowsClosedByOpening();
BookWindows windowsClosedByRollOver();

// What is about to happen to a changed book, which the question before it
// names: the program ends, or another book is opened in its place.
enum class LeavingBook { Exit, Open };
// The question asked before a changed book is left; Yes goes on without saving.
std::string leaveChangedBookQuestion(LeavingBook why);

class FileCommandHost {
  public:
    virtual ~FileCommandHost() = default;

    // The file dialog: the choice, or nullopt when it was cancelled.
    virtual std::optional<FileChoice> chooseFile(const FileDialogRequest& request) = 0;
    // The password prompt: what was entered, or nullopt when it was left.
    virtual std::optional<std::string> askPassword(PasswordKind kind) = 0;
    // The file password of a book being read, which the prompt is told so
    // that it takes it the moment it is typed; by default askPassword.
    virtual std::optional<std::string> askFilePassword(const std::string& wanted) {
        (void)wanted;
        return askPassword(PasswordKind::BookFile);
    }
    // A question with the given buttons (the platform's message box by default).
    virtual MessageAnswer askQuestion(const std::string& text, MessageButtons buttons);

    virtual void closeWindows(const BookWindows&) {}
    // A window that edits a working copy of part of the book (the group
    // editor) stores it into the book, marking the book changed when it
    // differs: before every save and before the question on replacing it.
    virtual void storeOpenEdits() {}
    // The main window disabled with the hourglass while a file is read or
    // written (true), enabled again (false); a password asked meanwhile is
    // asked with the window enabled.
    virtual void setBusy(bool) {}
    // The status line's text ("" clears it).
    virtual void setStatus(const std::string&) {}
    // The main window's font name, given to a book that names none.
    virtual std::string windowFontName() const { return ""; }
    // The book's FontName and FontCharset applied to the entry line (the
    // window substitutes a font it lacks for display only).
    virtual void applyFonts(const Book&) {}
    // The chart of accounts changed: the entry line's account lists are refilled.
    virtual void accountsChanged() {}
    // The journal changed: the entry scroller's range ends at LastEntryLine
    // and the entry holding `line` is shown.
    virtual void showJournalLine(std::int32_t) {}
    // The main window's caption (written into the book file's header and the
    // spreadsheet's page header), and setting it.
    virtual std::string caption() const { return ""; }
    virtual void setCaption(const std::string&) {}
    // Save (menu item and toolbar button) and Save As enabled or not.
    virtual void setSaveCommands(bool /*save*/, bool /*saveAs*/) {}
    // The widths of the entry line's controls that the journal spreadsheet's columns take.
    virtual JournalSheetLayout journalSheetLayout() const { return {}; }
};

enum class CommandOutcome {
    Done,        // the command did its work
    Cancelled,   // the user cancelled a dialog or the question
    Refused,     // a password was not given, or Save is disabled for a read-only book
    Failed,      // a file could not be read or written (the user was told)
    Busy,        // another command is running
    NothingToDo, // e.g. a carry-forward of a journal of two lines
};

struct SaveCommandsState {
    bool save = true;   // Save and the toolbar's Save
    bool saveAs = true; // Save As
    friend bool operator==(const SaveCommandsState&, const SaveCommandsState&) = default;
};

// A book file the user cannot write: no write permission at all, or one that
// cannot be opened for writing.
bool bookFileIsReadOnly(const std::filesystem::path& path);

class FileCommands {
  public:
    FileCommands(Book& book, RunTimeState& run, FileCommandHost& host);
    ~FileCommands();
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    // Open. Mode 0 lets the user pick the file in the dialog and uses the
    // reader for the type picked there; mode 2 reads CurrentFilePath, choosing
    // the reader by the file's extension (.txt text, .csv comma-separated, else
    // the book file).
    CommandOutcome LoadAccFile(int mode);
    // Start-up: the book named on the command line (mode 2 on that path).
    CommandOutcome openFromCommandLine(const std::string& path);

    // Save (index 0) and Save As (index 1).
    CommandOutcome SaveFile_Click(int index);
    CommandOutcome InsertEntries_Click();
    // Balance Brought / Forward.
    CommandOutcome Brought_Forward_Click();
    // Carried Over Accounts (the period roll-over).
    CommandOutcome BalBForword_Click();

    bool busy() const { return busy_; }
    // Whether Save and Save As are enabled: a book opened from a read-only
    // file cannot be saved over it (Save As still can).
    const SaveCommandsState& saveCommands() const { return saveCommands_; }

  private:
    CommandOutcome load(int mode);
    CommandOutcome save(SaveCommand command);
    bool mayReplaceBook();
    bool adminGate();
    std::optional<std::string> prompt(PasswordKind kind, const std::string& wanted, bool* answered);
    void journalReplaced(std::int32_t lineShown);
    void setSaveCommands(SaveCommandsState state);
    // The book file as this window last read or wrote it.
    void seeBookFile(const std::filesystem::path& path, std::optional<FileStamp> stamp);
    bool namesBookFile(const std::filesystem::path& target) const;
    void bookFileWrittenOver();
    bool mayWriteOver(const std::filesystem::path& target);

    Book& book_;
    RunTimeState& run_;
    FileCommandHost& host_;
    bool busy_ = false;
    SaveCommandsState saveCommands_;
    std::filesystem::path seenPath_;
    std::optional<FileStamp> seenStamp_;
    bool savingBook_ = false; // the book being written in its own form
};
