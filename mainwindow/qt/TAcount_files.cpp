// The book's files from the main window: Open, Save, Save As, Insert Entries,
// Balance Brought / Forward and Carried Over Accounts run as the file
// commands' flows. The window gives them what only it can do through its
// host: the windows of the old book closed, the entry line's fonts and
// account lists, the entry shown, Save enabled or not, the status line.
#include "mainwindow/qt/TAcount.h"

#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "toolkit/qt/CalanderForm.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace {

// The Qt host, with the password prompts the window itself offers (so the
// administrator is asked in one place, and tests can answer either prompt).
class MainWindowFileHost : public QtFileCommandHost {
  public:
    explicit MainWindowFileHost(TAcount& w) : QtFileCommandHost(&w, w.book(), w.run()), w_(w) {}

    std::optional<std::string> askPassword(PasswordKind kind) override {
        const auto& prompt =
            kind == PasswordKind::Administrator ? w_.adminPasswordPrompt : w_.filePasswordPrompt;
        return prompt ? prompt() : QtFileCommandHost::askPassword(kind);
    }
    std::optional<std::string> askFilePassword(const std::string& wanted) override {
        return w_.filePasswordPrompt ? w_.filePasswordPrompt()
                                     : QtFileCommandHost::askFilePassword(wanted);
    }
    void storeOpenEdits() override {
        if (w_.storeOpenEdits) w_.storeOpenEdits();
    }

  private:
    TAcount& w_;
};

} // namespace

void TAcount::installFileCommands() {
    fileHost_ = std::make_unique<MainWindowFileHost>(*this);
    QtFileCommandHost& host = *fileHost_;
    host.onCloseWindows = [this](const BookWindows& which) { closeBookWindows(which); };
    host.onApplyFonts = [this](const Book& b) {
        applyEntryLineFont(QString::fromStdString(b.FontName.str()), true);
    };
    host.onAccountsChanged = [this] { refillAccountBoxes(); };
    host.onShowJournalLine = [this](std::int32_t line) { showJournalLine(line); };
    host.onSaveCommands = [this](bool save, bool saveAs) { setSaveCommands(save, saveAs); };
    host.onStatus = [this](const std::string& text) {
        setStatus(StatusUpdate{text, StatusColour::Black});
    };
    host.sheetLayout = [this] {
        JournalSheetLayout l;
        l.dateTwips = toTwips(Datetext->width());
        l.accountTwips = toTwips(DebitAccName[0]->width());
        l.amountTwips = toTwips(CreditAmountText[0]->width());
        l.referenceTwips = toTwips(JournalID->width());
        l.noteTwips = toTwips(AccNote->width());
        return l;
    };
    files_ = std::make_unique<FileCommands>(book_, run_, host);

    setCommandHandler(Command::LoadFile, [this] { LoadFile_Click(); });
    setCommandHandler(Command::SaveFile, [this] { SaveFile_Click(0); });
    setCommandHandler(Command::SaveFileAs, [this] { SaveFile_Click(1); });
    refusedSaveKey_ = new QShortcut(action(Command::SaveFile)->shortcut(), this);
    refusedSaveKey_->setEnabled(false);
    connect(refusedSaveKey_, &QShortcut::activated, this, [this] { SaveFile_Click(0); });
    setCommandHandler(Command::InsertEntries, [this] { InsertEntries_Click(); });
    setCommandHandler(Command::BroughtForward, [this] { Brought_Forward_Click(); });
    setCommandHandler(Command::RollOver, [this] { BalBForword_Click(); });
    setCommandHandler(Command::BalancePoint, [this] { SearchMenu2_Click(0); });
    setCommandHandler(Command::Invoice, [this] { Invoice_Click(); });
    setCommandHandler(Command::EmailInvoice, [this] { EmailInvoice_Click(); });
}

void TAcount::openCommandLineBook() {
    if (!commandLineBook_.empty()) files_->openFromCommandLine(commandLineBook_);
}

// Called directly (as other windows may), each handler still shows only its
// help in help mode.
CommandOutcome TAcount::LoadFile_Click() {
    if (showsHelpInstead(Command::LoadFile)) return CommandOutcome::NothingToDo;
    return files_->LoadAccFile(0);
}

CommandOutcome TAcount::SaveFile_Click(int index) {
    if (showsHelpInstead(index == 1 ? Command::SaveFileAs : Command::SaveFile))
        return CommandOutcome::NothingToDo;
    return files_->SaveFile_Click(index);
}

CommandOutcome TAcount::InsertEntries_Click() {
    if (showsHelpInstead(Command::InsertEntries)) return CommandOutcome::NothingToDo;
    return files_->InsertEntries_Click();
}

CommandOutcome TAcount::Brought_Forward_Click() {
    if (showsHelpInstead(Command::BroughtForward)) return CommandOutcome::NothingToDo;
    return files_->Brought_Forward_Click();
}

CommandOutcome TAcount::BalBForword_Click() {
    if (showsHelpInstead(Command::RollOver)) return CommandOutcome::NothingToDo;
    return files_->BalBForword_Click();
}

void TAcount::setSaveCommands(bool save, bool saveAs) {
    if (QAction* a = action(Command::SaveFile)) a->setEnabled(save);
    if (QAction* a = action(Command::SaveFileAs)) a->setEnabled(saveAs);
    if (refusedSaveKey_) refusedSaveKey_->setEnabled(!save);
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].command == Command::SaveFile) ButtonBar->CalcButton[i]->setEnabled(save);
}
