#include "mainwindow/qt/qt_file_command_host.h"

#include "mainwindow/qt/qt_text.h"
#include "resources/string_table.h"
#include "toolkit/qt/LoadSave.h"
#include "toolkit/qt/Passit.h"

#include <QApplication>

QtFileCommandHost::QtFileCommandHost(QWidget* window, Book& book, RunTimeState& run)
    : window_(window), book_(book), run_(run) {}

QtFileCommandHost::~QtFileCommandHost() {
    while (busyDepth_ > 0)
        setBusy(false);
}

std::optional<FileChoice> QtFileCommandHost::chooseFile(const FileDialogRequest& request) {
    if (!dialog_) dialog_ = new LoadSave(run_, window_);
    LoadSave::Request r;
    r.caption = request.caption;
    r.acceptCaption = request.acceptCaption;
    r.patterns = request.patterns;
    r.asksBeforeReplacing = request.asksBeforeReplacing;
    const std::optional<LoadSave::Choice> choice = dialog_->ask(r, window_);
    if (!choice) return std::nullopt;
    return FileChoice{choice->path, choice->type};
}

Passit& QtFileCommandHost::passwordPrompt() {
    if (!prompt_) prompt_ = new Passit(book_, run_, window_);
    prompt_->setBook(book_);
    return *prompt_;
}

std::optional<std::string> QtFileCommandHost::askPassword(PasswordKind kind) {
    // The open book's passwords are the prompt's own; another file's password
    // comes through askFilePassword.
    if (kind == PasswordKind::Administrator) return passwordPrompt().ask(window_);
    return askFilePassword({});
}

std::optional<std::string> QtFileCommandHost::askFilePassword(const std::string& wanted) {
    return passwordPrompt().ask(KnownPasswords{wanted, {}}, window_);
}

void QtFileCommandHost::closeWindows(const BookWindows& w) {
    if (onCloseWindows) onCloseWindows(w);
}

void QtFileCommandHost::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) {
            if (window_) window_->setEnabled(false);
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
        if (window_) window_->setEnabled(true);
    }
}

void QtFileCommandHost::setStatus(const std::string& text) {
    if (onStatus) onStatus(text);
}

std::string QtFileCommandHost::windowFontName() const {
    return window_ ? window_->font().family().toStdString() : std::string();
}

void QtFileCommandHost::applyFonts(const Book& book) {
    if (onApplyFonts) onApplyFonts(book);
}

void QtFileCommandHost::accountsChanged() {
    if (onAccountsChanged) onAccountsChanged();
}

void QtFileCommandHost::showJournalLine(std::int32_t line) {
    if (onShowJournalLine) onShowJournalLine(line);
}

std::string QtFileCommandHost::caption() const {
    return window_ ? window_->windowTitle().toStdString() : std::string();
}

void QtFileCommandHost::setCaption(const std::string& caption) {
    if (window_) window_->setWindowTitle(qs(caption));
}

void QtFileCommandHost::setSaveCommands(bool save, bool saveAs) {
    if (onSaveCommands) onSaveCommands(save, saveAs);
}

JournalSheetLayout QtFileCommandHost::journalSheetLayout() const {
    return sheetLayout ? sheetLayout() : JournalSheetLayout{};
}
