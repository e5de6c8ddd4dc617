#include "mainwindow/file_commands.h"

#include "book/book_csv_file.h"
#include "book/book_file.h"
#include "book/book_file_identity.h"
#include "book/book_text_file.h"
#include "book/carry_forward.h"
#include "book/chart_export.h"
#include "book/insert_book.h"
#include "book/open_book.h"
#include "book/period_rollover.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "mainwindow/entry_model.h"
#include "mainwindow/startup_state.h"
#include "resources/string_table.h"
#include "statements/net_profit.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The main window disabled with the hourglass for as long as the scope lasts.
class BusyScope {
  public:
    explicit BusyScope(FileCommandHost& host) : host_(host) { host_.setBusy(true); }
    ~BusyScope() { host_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    FileCommandHost& host_;
};

// A flag raised for as long as the scope lasts.
class RaisedFlag {
  public:
    RaisedFlag(bool& flag, bool raised) : flag_(flag) { flag_ = raised; }
    ~RaisedFlag() { flag_ = false; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

  private:
    bool& flag_;
};

BookFileKind kindForDialogType(const std::string& type) {
    if (type == "acc") return BookFileKind::Acc;
    if (type == "txt") return BookFileKind::Text;
    return BookFileKind::Csv;
}

fs::path absolutePath(const fs::path& p) {
    std::error_code ec;
    fs::path full = fs::absolute(p, ec);
    return (ec ? p : full).lexically_normal();
}

// The name as typed, in quotes so that a blank at its end shows.
void showFileNotFound(const fs::path& p) {
    showMessage("\"" + p.string() + "\" " + strings::text(282));
}

// A question asked in the middle of a command: the window is enabled again
// while it is asked.
GoOnQuestion askWhileBusy(FileCommandHost& host) {
    return [&host](const std::string& question) {
        host.setBusy(false);
        const bool yes = askYesNo(question);
        host.setBusy(true);
        return yes;
    };
}

// The question which order a text form's dates are in, naming the file,
// asked with the window enabled.
textforms::DateOrderQuestion askDateOrder(FileCommandHost& host, const fs::path& path) {
    return [&host, path](const std::string& question) {
        host.setBusy(false);
        const MessageAnswer answer =
            host.askQuestion(Tmain::NamingFile(path, question), MessageButtons::YesNoCancel);
        host.setBusy(true);
        return answer;
    };
}

// What the reader had to say about a file read whole (its last entry left
// open), after the command that read it is done.
void showReadersNotice(const std::string& notice) {
    if (!notice.empty()) showMessage(notice);
}

} // namespace

MessageAnswer FileCommandHost::askQuestion(const std::string& text, MessageButtons buttons) {
    return showMessage(text, "", buttons, MessageIcon::Question);
}

BookWindows windowsClosedByOpening() {
    BookWindows w;
    w.chartOfAccounts = w.entryGroups = w.incomeStatement = w.cashFlow = true;
    w.journals = w.ledgers = w.runningBalances = w.balanceSheets = true;
    return w;
}

BookWindows windowsClosedByRollOver() {
    BookWindows w;
    w.chartOfAccounts = w.cashFlow = true;
    w.journals = w.ledgers = w.runningBalances = true;
    return w;
}

std::string leaveChangedBookQuestion(LeavingBook why) {
    if (why == LeavingBook::Open)
        return "Do you want to open another book without saving this one ?";
    return strings::text(279);
}

bool bookFileIsReadOnly(const fs::path& path) {
    return isReadOnlyFile(path);
}

FileCommands::FileCommands(Book& book, RunTimeState& run, FileCommandHost& host)
    : book_(book), run_(run), host_(host) {}

FileCommands::~FileCommands() {
    if (openBookFile() == seenPath_) setOpenBookFile({}); // and its notice
}

// ---------------------------------------------------------------- gates

std::optional<std::string> FileCommands::prompt(PasswordKind kind, const std::string& wanted,
                                                bool* answered) {
    // Asked while a file is read: the window is enabled again for the prompt.
    host_.setBusy(false);
    run_.EnteredPassword.clear();
    std::optional<std::string> typed = kind == PasswordKind::BookFile && !wanted.empty()
                                           ? host_.askFilePassword(wanted)
                                           : host_.askPassword(kind);
    host_.setBusy(true);
    if (answered && typed) *answered = true;
    run_.EnteredPassword.clear();
    return typed;
}

bool FileCommands::adminGate() {
    run_.EnteredPassword.clear();
    const std::string& admin = book_.AdminPassword.str();
    if (admin.empty()) return true;
    const std::optional<std::string> typed = host_.askPassword(PasswordKind::Administrator);
    run_.EnteredPassword = typed.value_or("");
    const bool pass = typed.has_value() && run_.EnteredPassword == admin;
    run_.EnteredPassword.clear();
    return pass;
}

bool FileCommands::mayReplaceBook() {
    host_.storeOpenEdits();
    if (!run_.BookChanged) return true;
    switch (host_.askQuestion(leaveChangedBookQuestion(LeavingBook::Open),
                              MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes: // leave without saving
        return true;
    case MessageAnswer::No: { // not without saving: save first
        const bool plainSave = saveCommands_.save || run_.BookFilePath.empty();
        return save(plainSave ? SaveCommand::Save : SaveCommand::SaveAs) == CommandOutcome::Done;
    }
    default:
        return false;
    }
}

void FileCommands::setSaveCommands(SaveCommandsState state) {
    saveCommands_ = state;
    host_.setSaveCommands(state.save, state.saveAs);
}

void FileCommands::seeBookFile(const fs::path& path, std::optional<FileStamp> stamp) {
    seenPath_ = stamp ? path : fs::path();
    seenStamp_ = stamp;
    setOpenBookFile(seenPath_, [this] { bookFileWrittenOver(); });
}

// Another file now stands where the book's file was (another form of the
// book, an export, a printout): the book is kept whole in no file until it
// is saved again, and that save writes it there without taking the file for
// another program's.
void FileCommands::bookFileWrittenOver() {
    if (savingBook_) return; // save() sees the book's file as written
    markBookChanged(run_);
    seeBookFile(seenPath_, fileStampOf(seenPath_));
}

// True when `target` is the book's own file as this window read or wrote it:
// its name, or another name of the same file (a link, a hard link, a name
// through another name of its folder).
bool FileCommands::namesBookFile(const fs::path& target) const {
    return seenStamp_ && (target == seenPath_ || sameFile(target, seenPath_));
}

// The book's own file written, moved or removed by another window or
// program since this one read or wrote it is written only when the user agrees.
bool FileCommands::mayWriteOver(const fs::path& target) {
    if (!namesBookFile(target)) return true;
    // What cannot be written over (a folder, a pipe, a read-only file, ...)
    // is told as what it is by the writer's refusal, not asked about.
    if (refusalToReplace(target)) return true;
    if (unchangedSince(*seenStamp_, target)) return true;
    const std::string name =
        target == seenPath_ ? target.string()
                            : target.string() + " (this book's file " + seenPath_.string() + ")";
    const std::string what =
        nameIsThere(target)
            ? " was changed by another window or program since this book was opened or saved "
              "here. Replace it with this book?\n\nNo leaves the file as it is"
            : " is no longer there: another window or program moved or removed it since this "
              "book was opened or saved here. Write this book there again?\n\nNo writes nothing";
    return showMessage(name + what + " (Save As can write this book to another file).", "",
                       MessageButtons::YesNo, MessageIcon::Warning) == MessageAnswer::Yes;
}

void FileCommands::journalReplaced(std::int32_t lineShown) {
    run_.JournalRevision++;
    run_.LockedBelow = lockedBelowFor(book_);
    host_.showJournalLine(lineShown);
}

// ---------------------------------------------------------------- open

CommandOutcome FileCommands::LoadAccFile(int mode) {
    if (busy_) return CommandOutcome::Busy;
    const RaisedFlag running(busy_, true);
    return load(mode);
}

CommandOutcome FileCommands::openFromCommandLine(const std::string& path) {
    if (path.empty()) return CommandOutcome::NothingToDo;
    if (busy_) return CommandOutcome::Busy;
    const RaisedFlag running(busy_, true);
    const std::string before = run_.CurrentFilePath;
    run_.CurrentFilePath = path;
    const CommandOutcome outcome = load(2);
    if (outcome != CommandOutcome::Done) run_.CurrentFilePath = before;
    return outcome;
}

CommandOutcome FileCommands::load(int mode) {
    const std::string currentBefore = run_.CurrentFilePath;
    auto unchanged = [&](CommandOutcome outcome) {
        run_.CurrentFilePath = currentBefore;
        run_.EnteredPassword.clear();
        return outcome;
    };

    fs::path path;
    BookFileKind kind = BookFileKind::Acc;
    if (mode == 2) {
        if (run_.CurrentFilePath.empty()) return unchanged(CommandOutcome::NothingToDo);
        path = run_.CurrentFilePath;
        // Named on the command line: the reader by the file's own extension.
        kind = bookFileKindForPath(path);
        if (!mayReplaceBook()) return unchanged(CommandOutcome::Cancelled);
    } else {
        if (!mayReplaceBook()) return unchanged(CommandOutcome::Cancelled);
        const std::optional<FileChoice> choice =
            host_.chooseFile({strings::text(111), strings::text(285), {"*.acc", "*.csv", "*.txt"}});
        if (!choice || choice->path.empty()) return unchanged(CommandOutcome::Cancelled);
        path = choice->path;
        // From the dialog: the reader by the type chosen there.
        kind = kindForDialogType(choice->type);
    }
    path = absolutePath(path);
    if (!nameIsThere(path)) {
        showFileNotFound(path);
        return unchanged(CommandOutcome::Failed);
    }
    const bool readOnly = kind == BookFileKind::Acc && bookFileIsReadOnly(path);

    BookReadResult result;
    bool answered = false;
    {
        BusyScope busy(host_);
        Tmain::BeginProgress(run_, "Loading");
        // A book file asks for its own password; a text form for the open
        // book's administrator password.
        const PasswordKind asked =
            kind == BookFileKind::Acc ? PasswordKind::BookFile : PasswordKind::Administrator;
        const PasswordPrompt ask = [&](const std::string& wanted) {
            return prompt(asked, wanted, &answered);
        };
        const textforms::DateOrderQuestion askDates = askDateOrder(host_, path);
        const BookReaders readers{
            [&](const fs::path& p, const Book& open, const PasswordPrompt& admin, RunTimeState* r) {
                return readBookTextForOpening(p, open, admin, r, askDates);
            },
            [&](const fs::path& p, const Book& open, const PasswordPrompt& admin, RunTimeState* r) {
                return readBookCsvForOpening(p, open, admin, r, askDates);
            }};
        result = openBookFile(path, kind, book_, ask, &run_, readers);
        run_.EnteredPassword.clear();
        Tmain::EndProgress(run_);
    }

    switch (result.status) {
    case BookReadStatus::Ok:
        break;
    case BookReadStatus::PasswordRefused:
        // Leaving the prompt needs no message; a wrong password does.
        if (answered)
            showMessage(result.message.empty() ? "The password was not accepted; the book was not "
                                                 "opened."
                                               : result.message);
        return unchanged(CommandOutcome::Refused);
    case BookReadStatus::Cancelled:
        return unchanged(CommandOutcome::Cancelled);
    case BookReadStatus::FileError:
        showMessage(Tmain::ReadFailureText(path, result.error));
        return unchanged(CommandOutcome::Failed);
    default:
        showMessage(Tmain::NamingFile(path, result.message.empty() ? "It cannot be read as a book."
                                                                   : result.message));
        return unchanged(CommandOutcome::Failed);
    }

    // The whole file was read: only now does anything of the old book go.
    host_.closeWindows(windowsClosedByOpening());
    const std::string notice = result.notice;
    // The book file as read; a text form is not the book's own file.
    const std::optional<FileStamp> stamp = kind == BookFileKind::Acc ? result.read : std::nullopt;
    adoptOpenedBook(book_, run_, std::move(result), path, kind, todayNumber());
    if (kind != BookFileKind::Acc) {
        // A text form is not the book's own file: the next Save asks for a
        // name rather than writing over the book file opened before it.
        run_.BookFilePath.clear();
        run_.CurrentFilePath.clear();
    }
    run_.BookChanged = false;
    seeBookFile(path, stamp);
    if (book_.FontName.str().empty()) book_.FontName = host_.windowFontName();
    host_.applyFonts(book_);
    host_.accountsChanged();
    journalReplaced(book_.LastEntryLine());
    host_.setCaption(mainCaption(run_.BookFilePath));
    setSaveCommands({!readOnly, true});
    showReadersNotice(notice);
    return CommandOutcome::Done;
}

// ---------------------------------------------------------------- save

CommandOutcome FileCommands::SaveFile_Click(int index) {
    if (busy_) return CommandOutcome::Busy;
    const RaisedFlag running(busy_, true);
    return save(index == 1 ? SaveCommand::SaveAs : SaveCommand::Save);
}

CommandOutcome FileCommands::save(SaveCommand command) {
    host_.storeOpenEdits(); // every form writes the book as it is being edited
    // A book opened from a read-only file is not written over it: the user is
    // told why, and where it can go instead.
    if (command == SaveCommand::Save && !saveCommands_.save && !run_.BookFilePath.empty()) {
        const fs::path own = run_.BookFilePath;
        if (const std::error_code refused = refusalToReplace(own)) {
            showMessage("This book cannot be saved over its own file:\n" +
                        Tmain::FileFaultText(own, refused) +
                        "\n\nSave As can write the book to another file.");
            return CommandOutcome::Refused;
        }
        setSaveCommands({true, true}); // the file may be written now
    }
    if (command == SaveCommand::SaveAs && !saveCommands_.saveAs) return CommandOutcome::Refused;

    std::optional<SaveDialogAnswer> answer;
    if (saveShowsDialog(command, run_.BookFilePath)) {
        const std::optional<FileChoice> choice =
            host_.chooseFile({strings::text(166),
                              strings::text(165),
                              {"*.acc", "*.csv", "*.xls", "*.txt", "*.LWK"},
                              true});
        if (!choice || choice->path.empty()) return CommandOutcome::Cancelled;
        const fs::path chosen = absolutePath(choice->path);
        answer = SaveDialogAnswer{chosen.filename().string(), chosen.parent_path(), choice->type};
    }
    const SavePlan plan = planSave(command, run_.BookFilePath, answer);
    if (plan.cancelled) return CommandOutcome::Cancelled;
    if (!plan.writes) return CommandOutcome::NothingToDo;
    if (!mayWriteOver(plan.target)) return CommandOutcome::Cancelled;

    bool written = false;
    std::optional<FileStamp> stamp; // of the book file written
    {
        BusyScope busy(host_);
        const RaisedFlag saving(savingBook_, plan.setsBookFilePath);
        Tmain::BeginProgress(run_, strings::text(289));
        host_.setStatus(strings::text(287));
        book_.Caption = host_.caption();
        run_.ProgressStride = progressStrideFor(book_.LastEntryLine());
        const LocaleInfo locale = currentLocale();
        auto report = [&plan](const BookWriteResult& r) {
            if (r.error)
                showMessage(Tmain::WriteFailureText(plan.target, r.error));
            else if (!r.message.empty())
                showMessage(r.message);
            return r.ok();
        };
        if (plan.type == "acc") {
            const BookWriteResult result = writeBookFile(plan.target, book_, &run_);
            stamp = result.written;
            written = report(result);
        } else if (plan.type == "txt")
            written = report(writeBookTextFile(plan.target, book_, locale, &run_));
        else if (plan.type == "csv")
            written = report(writeBookCsvFile(plan.target, book_, locale, &run_));
        else if (plan.type == "xls") // shows its own failures
            written = SaveAsExcel(book_, plan.target, locale, host_.journalSheetLayout()).ok();
        else if (plan.type == "LWK") // shows its own failures
            written = EditionExportFile(book_, run_, plan.target).ok();
        Tmain::EndProgress(run_);
        host_.setStatus("");
    }
    finishSave(run_, plan, written);
    if (!written) return CommandOutcome::Failed;
    // The book now lives in the file just written.
    if (plan.setsBookFilePath) {
        seeBookFile(plan.target, stamp);
        setSaveCommands({!bookFileIsReadOnly(plan.target), true});
    }
    return CommandOutcome::Done;
}

// ---------------------------------------------------------------- insert

CommandOutcome FileCommands::InsertEntries_Click() {
    if (busy_) return CommandOutcome::Busy;
    const RaisedFlag running(busy_, true);
    if (!adminGate()) return CommandOutcome::Refused;

    const std::optional<FileChoice> choice =
        host_.chooseFile({strings::text(283), strings::text(284), {"*.acc", "*.csv"}});
    if (!choice || choice->path.empty()) return CommandOutcome::Cancelled;
    const fs::path path = absolutePath(choice->path);
    if (!nameIsThere(path)) {
        showFileNotFound(path);
        return CommandOutcome::Failed;
    }
    const InsertSource source =
        choice->type == "acc" ? InsertSource::BookFile : InsertSource::CsvFile;

    InsertResult result;
    bool answered = false;
    {
        BusyScope busy(host_);
        Tmain::BeginProgress(run_, "Inserting");
        const PasswordPrompt ask = [&](const std::string& wanted) {
            return prompt(PasswordKind::BookFile, wanted, &answered);
        };
        result = insertBookFile(book_, run_, path, source, ask, currentLocale(),
                                askDateOrder(host_, path));
        run_.EnteredPassword.clear();
        Tmain::EndProgress(run_);
    }
    switch (result.status) {
    case InsertResult::Done:
        if (result.accountsAdded > 0) host_.accountsChanged();
        journalReplaced(book_.LastEntryLine());
        showReadersNotice(result.notice);
        return CommandOutcome::Done;
    case InsertResult::PasswordRefused:
        if (answered) showMessage("The password was not accepted; nothing was inserted.");
        return CommandOutcome::Refused;
    case InsertResult::Cancelled:
        return CommandOutcome::Cancelled;
    case InsertResult::FileError:
        showMessage(Tmain::ReadFailureText(path, result.error));
        return CommandOutcome::Failed;
    default:
        showMessage(Tmain::NamingFile(path, result.message.empty() ? "It cannot be inserted."
                                                                   : result.message));
        return CommandOutcome::Failed;
    }
}

// ---------------------------------------------------------------- roll-overs

CommandOutcome FileCommands::Brought_Forward_Click() {
    if (busy_) return CommandOutcome::Busy;
    const RaisedFlag running(busy_, true);
    if (book_.LastEntryLine() < 2) return CommandOutcome::NothingToDo;
    if (!adminGate()) return CommandOutcome::Refused;
    host_.closeWindows(windowsClosedByRollOver());

    CarryForwardResult result;
    {
        BusyScope busy(host_);
        services().progress->processEvents();
        result = carryForward(book_, run_, todayNumber(), askWhileBusy(host_));
    }
    if (result.status == CarryForwardResult::TooShort) return CommandOutcome::NothingToDo;
    if (!result.ok()) {
        showMessage(result.message.empty() ? strings::text(274) : result.message);
        return result.status == CarryForwardResult::Declined ? CommandOutcome::Cancelled
                                                             : CommandOutcome::Failed;
    }
    // The book has lost its file: Save asks for a name.
    setSaveCommands({true, true});
    journalReplaced(0);
    return CommandOutcome::Done;
}

CommandOutcome FileCommands::BalBForword_Click() {
    if (busy_) return CommandOutcome::Busy;
    const RaisedFlag running(busy_, true);
    if (!adminGate()) return CommandOutcome::Refused;
    host_.closeWindows(windowsClosedByRollOver());

    RollOverResult result;
    {
        BusyScope busy(host_);
        // All dates for the time of the sums only, whatever stops them.
        struct AllDates {
            bool& flag;
            ~AllDates() { flag = false; }
        } allDates{run_.IncludeAllDates};
        run_.IncludeAllDates = true;
        const NetProfitResult sums = netProfitOfAllDates(book_);
        if (!sums.ok) {
            showMessage(sums.message.empty() ? strings::text(274) : sums.message);
            return CommandOutcome::Failed;
        }
        run_.NetProfit = sums.netProfit;
        result = rollOver(book_, run_, sums.netProfit, askWhileBusy(host_));
    }
    if (!result.ok()) {
        run_.NetProfit = Currency();
        showMessage(result.message.empty() ? strings::text(274) : result.message);
        return result.status == RollOverResult::Declined ? CommandOutcome::Cancelled
                                                         : CommandOutcome::Failed;
    }
    // A profit or loss that no capital account could take is said, not dropped silently.
    if (!result.message.empty()) showMessage(result.message);
    setSaveCommands({true, true});
    journalReplaced(0);
    return CommandOutcome::Done;
}
