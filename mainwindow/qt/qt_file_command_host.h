// The file commands' host on Qt: the program's file dialog and password
// prompts, the busy state (window disabled, hourglass), the caption and the
// window's font. What only the main window knows (its other windows, its
// entry line, its Save items) it hands in as callbacks; unset ones do nothing.
#pragma once

#ifndef Q_MOC_RUN
#include "mainwindow/file_commands.h"
#endif

#include <QPointer>
#include <QWidget>

#include <functional>

class LoadSave;
class Passit;

class QtFileCommandHost : public FileCommandHost {
  public:
    QtFileCommandHost(QWidget* window, Book& book, RunTimeState& run);
    ~QtFileCommandHost() override;

    std::function<void(const BookWindows&)> onCloseWindows;
    std::function<void(const Book&)> onApplyFonts;
    std::function<void()> onAccountsChanged;
    std::function<void(std::int32_t)> onShowJournalLine;
    std::function<void(bool save, bool saveAs)> onSaveCommands;
    std::function<void(const std::string&)> onStatus;
    std::function<JournalSheetLayout()> sheetLayout;

    std::optional<FileChoice> chooseFile(const FileDialogRequest& request) override;
    // Every password through the password prompt: the open book's
    // administrator password, and the file password of a book being read.
    std::optional<std::string> askPassword(PasswordKind kind) override;
    std::optional<std::string> askFilePassword(const std::string& wanted) override;
    void closeWindows(const BookWindows& w) override;
    void setBusy(bool busy) override;
    void setStatus(const std::string& text) override;
    std::string windowFontName() const override;
    void applyFonts(const Book& book) override;
    void accountsChanged() override;
    void showJournalLine(std::int32_t line) override;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void setSaveCommands(bool save, bool saveAs) override;
    JournalSheetLayout journalSheetLayout() const override;

  private:
    QPointer<QWidget> window_;
    Book& book_;
    RunTimeState& run_;
    QPointer<LoadSave> dialog_;
    Passit& passwordPrompt();
    QPointer<Passit> prompt_;
    int busyDepth_ = 0;
};
