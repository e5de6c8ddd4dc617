#include "mainwindow/qt/TAcount.h"

#include "accounts/qt/ConfigAccounts.h"
#include "book/day_of_date.h"
#include "book/tmain.h"
#include "mainwindow/file_command_help.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/combo_type_ahead.h"
#include "mainwindow/qt/qt_text.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "mainwindow/startup_state.h"
#include "platform/qt/guarded_application.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/Passit.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/menu_access.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>

namespace {

int px(int twips) {
    return toPixels(twips);
}

// A colour written the window system's way (&HBBGGRR).
QColor fromBgr(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void setBackColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

// ---------------------------------------------------------------- busy state

TAcount::BusyState::BusyState(TAcount& w) : w_(w) {
    w_.setCursor(Qt::WaitCursor);
    w_.setEnabled(false);
}

TAcount::BusyState::~BusyState() {
    w_.setEnabled(true);
    w_.unsetCursor();
}

// ---------------------------------------------------------------- start-up

TAcount::TAcount(const std::string& commandLine, QWidget* parent)
    : QMainWindow(parent), model_(book_, run_, currentLocale()) {
    endProgram = [] { QCoreApplication::quit(); };
    adminPasswordPrompt = [this]() -> std::optional<std::string> {
        if (!passit_) passit_ = new Passit(book_, run_, this);
        return passit_->ask(this);
    };
    commandLineBook_ = commandLineBookPath(commandLine);
    Form_Initialize();
    Form_Load();
    // A failure anywhere redraws the window from the book.
    if (auto* app = dynamic_cast<GuardedApplication*>(QCoreApplication::instance()))
        app->addBookView(this, {[this] { return run_.BookGeneration; },
                                [this] { showBookAsItIs(); }, [this] { stale_ = true; }});
}

TAcount::~TAcount() {
    if (auto* app = dynamic_cast<GuardedApplication*>(QCoreApplication::instance()))
        app->removeBookView(this);
    // What reads the book goes while the book is still here: first the
    // windows tied to this one without being its own, then its own windows
    // (with the hooks they hold into it), then its controls; and nothing
    // they report on their way out (a lost focus) is an edit.
    emit leaving();
    ++applying_;
    std::vector<QPointer<QWidget>> owned;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isWindow()) owned.emplace_back(w);
    for (const QPointer<QWidget>& w : owned)
        delete w.data(); // null when an earlier one took it along
    delete centralWidget();
    helpMode().removeListener(helpListener_);
    if (helpMode().isOn()) helpMode().end();
}

void TAcount::Form_Initialize() {
    run_.ScaleFactor = 1.0; // Qt scales for dense screens
    HC = new ::HC(helpMode(), this);
    HC->hide();
    book_.FontName = HC->interfaceFont().family().toStdString();
    book_.FontCharset = fontCharsetFromText(strings::text(330));
    helpListener_ = helpMode().addListener([this](bool on) { onHelpModeChanged(on); });
}

void TAcount::Form_Load() {
    const LocaleInfo locale = currentLocale();
    const double today = todayNumber();
    auto* central = new QWidget(this);
    setCentralWidget(central);
    setMouseTracking(true);
    central->setMouseTracking(true);

    buildEntryLine();
    // 1. Today in the date box (the date style is still 0).
    Datetext->setText(qs(Tmain::FormatDateStyle(today, 0, locale)));
    Datetext->setTheDate(dayOfDate(today));
    // 2. The toolbar backdrop from the window's own back colour.
    buildToolbar();
    const QColor base = palette().color(QPalette::Window);
    run_.GradientColors = toolbarGradient(base.red(), base.green(), base.blue());
    const QScreen* screen = QGuiApplication::primaryScreen();
    ButtonBar->setBackdrop(run_.GradientColors, screen ? screen->geometry().width() : 1920);
    // 3, 11, 15 to 18, 20: the new book, its settings, date style and marks.
    applyStartupBook(book_, run_, locale, today, book_.FontCharset);
    model_.setLocale(locale);
    buildMenus();
    wireEntryLine();
    installEntryCommands();
    installFileCommands();
    wireGotoBox();
    // 6. The stored width (the height follows the entry frame below).
    const StoredSize stored = readStoredWindowSize();
    const int widthTwips = stored.width.value_or(design::WindowWidth);
    // 7, 8, 13, 14: captions and tips.
    setCaptions();
    // 12. The border allowance and the height from the entry frame.
    resize(px(widthTwips), px(design::FrameTop + design::FrameHeight + 80));
    const int menuHeight = menuBar()->sizeHint().height();
    BorderAllowance = toTwips(menuHeight) + 80;
    resize(px(widthTwips), px(startupOuterHeight(BorderAllowance)));
    setMinimumSize(px(MinimumOuterWidth), px(MinimumOuterHeight));
    // 19. Caption.
    setWindowTitle(qs(mainCaption("")));
    // 21. Currency labels.
    currencyLabel = currencyLabelOf(locale);
    GL[8]->setText(qs(currencyLabel));
    GL[9]->setText(qs(currencyLabel));
    GL[8]->adjustSize(); // the entry rows make room for it
    GL[9]->adjustSize();
    // The windows of the other subsystems that exist in this build.
    installWindowLaunchers(launchers_);
    installLauncherCommands();
    // 23. The hidden journal window of the search.
    if (launchers_.searchJournal)
        SearchJournal = launchers_.searchJournal(*this, run_.SearchMode, "");
    refillAccountBoxes();
    journalLengthChanged();
    Form_Resize();
}

void TAcount::buildToolbar() {
    ButtonBar = new ToolbarStrip(centralWidget());
    ButtonBar->move(0, 0);
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Command c = buttons[i].command;
        connect(ButtonBar->CalcButton[i], &ToolButtonImage::released, this,
                [this, c] { runCommand(c); });
    }
    connect(ButtonBar->PNPage[0], &ToolButtonImage::released, this, [this] {
        ScrollAcc->setValue(model_.previousEntryLine());
        if (JournalID->isEnabled()) JournalID->setFocus();
    });
    connect(ButtonBar->PNPage[1], &ToolButtonImage::released, this, [this] {
        ScrollAcc->setValue(model_.nextEntryLine());
        if (JournalID->isEnabled()) JournalID->setFocus();
    });
    connect(ButtonBar->HelpButton, &ToolButtonImage::released, this,
            [this] { Help_Button_Click(); });
    Text1 = new QLineEdit(centralWidget());
    Text1->setGeometry(px(design::GoToLeft), px(design::GoToTop), px(design::GoToWidth),
                       px(design::FieldHeight));
}

void TAcount::buildMenus() {
    for (const MenuSpec& spec : menuTree()) {
        QMenu* menu = addMenuWithAccessKey(menuBar(), qs(menuCaption(spec)));
        std::function<void(QMenu*, const std::vector<MenuEntry>&)> add =
            [&](QMenu* into, const std::vector<MenuEntry>& entries) {
                for (const MenuEntry& e : entries) {
                    if (e.kind == MenuEntry::Separator) {
                        into->addSeparator();
                    } else if (e.kind == MenuEntry::Submenu) {
                        add(into->addMenu(qs(strings::text(e.text))), e.children);
                    } else {
                        const CommandInfo& info = commandInfo(e.command);
                        QAction* a = into->addAction(qs(commandCaption(e.command)));
                        if (*info.shortcut) a->setShortcut(QKeySequence(info.shortcut));
                        a->setShortcutContext(Qt::WindowShortcut);
                        const Command c = e.command;
                        connect(a, &QAction::triggered, this, [this, c] { runCommand(c); });
                        actions_[c] = a;
                    }
                }
            };
        add(menu, spec.entries);
    }
    helpSelectAction_ = actions_[Command::HelpSelect];
    helpSelectAction_->setCheckable(true);
    // The commands built with the main window itself.
    setCommandHandler(Command::Exitit, [this] { Exitit_Click(); });
    setCommandHandler(Command::HelpSelect, [this] { HelpSelect_Click(); });
    setCommandHandler(Command::AboutMenu, [this] { AboutMenu_Click(); });
    for (const CommandInfo& info : allCommands())
        if (!handlers_.count(info.command)) setCommandHandler(info.command, nullptr);
}

void TAcount::setCaptions() {
    GroupBu->setText(qs(strings::text(331)));
    GroupBu->setToolTip(qs(strings::text(138)));
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        ButtonBar->CalcButton[i]->setToolTip(qs(toolbarTip(buttons[i])));
    ButtonBar->PNPage[0]->setToolTip("Previous entry");
    ButtonBar->PNPage[1]->setToolTip("Next entry");
    ButtonBar->HelpButton->setToolTip(qs(strings::text(142)));
    for (QLabel* r : Reconcile)
        r->setToolTip(qs(strings::text(147)));
    const int texts[7] = {0, 147, 149, 148, 150, 151, 152};
    for (int i = 1; i <= 6; ++i) {
        GL[i]->setText(qs(strings::text(texts[i])));
        GL[i]->adjustSize();
    }
    Text1->setToolTip(qs(strings::text(145)));
    Command1->setText(qs(strings::text(153)));
    placeReconcileMark(); // the date box makes room for its caption; every caption placed
}

void TAcount::placeHeadLabels() {
    // Each caption stands 40 twips to the left of its field: the head row's
    // centred on their boxes, the entry panel's on the rows the arrangement
    // gave them (a side without lines on the row kept for it), so that a
    // resize moves them only across.
    auto place = [](QLabel* label, QWidget* field, std::optional<int> top) {
        label->adjustSize();
        const int left = labelLeftFor(toTwips(field->x()), toTwips(label->width()));
        label->move(std::max(0, px(left)),
                    top ? px(*top) : field->y() + (field->height() - label->height()) / 2);
    };
    place(GL[2], JournalID, std::nullopt);
    place(GL[3], Datetext, std::nullopt);
    place(GL[4], DebitFolio[0], rows_.debitLabelTop);
    place(GL[5], CreditFolio[0], rows_.creditLabelTop);
    place(GL[6], AccNote, rows_.noteTop + 20);
}

// ---------------------------------------------------------------- shutdown

void TAcount::closeEvent(QCloseEvent* e) {
    // What is being typed and an open group editor's edits belong to the book
    // the question is about. Should either fail, the event guard keeps the
    // window open and says why.
    commitFocusedField(); // a name typed and the close box clicked: the book is changed
    if (storeOpenEdits) storeOpenEdits();
    // A size that cannot be kept for the next start is no reason to keep the
    // window open, nor to pass over the question.
    try {
        storeWindowSize(toTwips(frameGeometry().width()), toTwips(frameGeometry().height()));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "The window size could not be stored: %s\n", failure.what());
    }
    if (run_.BookChanged) {
        if (showMessage(leaveChangedBookQuestion(LeavingBook::Exit), "", MessageButtons::YesNo) !=
            MessageAnswer::Yes) {
            e->ignore();
            return;
        }
    }
    e->accept();
    if (endProgram) endProgram();
}

void TAcount::Exitit_Click() {
    close();
}

// ---------------------------------------------------------------- commands

QAction* TAcount::action(Command c) const {
    auto it = actions_.find(c);
    return it == actions_.end() ? nullptr : it->second;
}

bool TAcount::commandEnabled(Command c) const {
    auto it = handlers_.find(c);
    return it != handlers_.end() && it->second != nullptr;
}

void TAcount::setCommandHandler(Command c, std::function<void()> handler) {
    handlers_[c] = std::move(handler);
    const bool on = commandEnabled(c);
    if (QAction* a = action(c)) a->setEnabled(on);
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].command == c) ButtonBar->CalcButton[i]->setEnabled(on);
    if (c == Command::NewEntryMenu) Command1->setEnabled(on);
    if (c == Command::IncludeGroups) GroupBu->setEnabled(on);
}

void TAcount::runCommand(Command c) {
    if (!commandEnabled(c)) return;
    // While a file is read or written no other command starts.
    if (files_ && files_->busy()) return;
    if (helpMode().isOn() && c != Command::HelpSelect && c != Command::AboutMenu &&
        c != Command::Exitit) {
        showsHelpInstead(c);
        if (c != Command::Depreciation) return; // it shows its help and opens too
    }
    commitFocusedField();
    auto handler = handlers_[c]; // a handler may replace itself
    handler();
}

bool TAcount::showsHelpInstead(Command c) {
    if (!helpMode().isOn()) return false;
    HelpText h = commandHelp(c);
    if (h.title.empty() && h.text.empty()) h = fileCommandHelp(c);
    if (!h.title.empty() || !h.text.empty()) showHelp(h.title, h.text);
    return true;
}

std::set<Need> TAcount::presentNeeds() const {
    std::set<Need> present{Need::Nothing, Need::EntryCommands, Need::FileCommands,
                           Need::InvoiceCommands};
    const WindowLaunchers& l = launchers_;
    if (l.generalJournal) present.insert(Need::GeneralJournal);
    if (l.tAccountLedger) present.insert(Need::TAccountLedger);
    if (l.runningBalance) present.insert(Need::RunningBalance);
    if (l.trialBalance) present.insert(Need::TrialBalanceWindow);
    if (l.incomeStatement) present.insert(Need::IncomeStatementWindow);
    if (l.cashFlow) present.insert(Need::CashFlowWindow);
    if (l.balanceSheet) present.insert(Need::BalanceSheetWindow);
    if (l.chartOfAccounts) present.insert(Need::ChartOfAccounts);
    if (l.moveAccounts) present.insert(Need::MoveAccountsWindow);
    if (l.searchWindow) present.insert(Need::SearchWindow);
    if (l.entryGroups) present.insert(Need::EntryGroupsWindow);
    if (l.tapeCalculator) present.insert(Need::TapeCalculator);
    if (l.payroll) present.insert(Need::PayrollCalculator);
    if (l.depreciation) present.insert(Need::DepreciationCalculator);
    if (l.settingsWindow) present.insert(Need::SettingsWindow);
    return present;
}

void TAcount::showWindow(QWidget* w) {
    if (!w) return;
    w->show();
    w->raise();
    // Activated, so that a window shown again (the unbalanced entries) takes
    // up the request its opener left.
    w->activateWindow();
}

void TAcount::openInList(WindowHandles& list, const std::function<QWidget*()>& make, bool busy) {
    std::optional<BusyState> guard;
    if (busy) guard.emplace(*this);
    QWidget* w = make();
    if (!w) return;
    w->setAttribute(Qt::WA_DeleteOnClose);
    if (!list.add(w)) {
        delete w;
        return;
    }
    showWindow(w);
}

void TAcount::openReconcile(WindowHandles& list,
                            const std::function<QWidget*(TAcount&, bool)>& make) {
    openInList(
        list,
        [&]() -> QWidget* {
            QWidget* w = make(*this, true); // ReconcileMode before anything else
            if (!w) return nullptr;
            setBackColour(w, fromBgr(0xFFE0E0));
            w->setWindowTitle(qs(strings::text(288)) + " " + w->windowTitle());
            return w;
        },
        true);
}

void TAcount::replaceShared(QPointer<QWidget>& slot, const std::function<QWidget*()>& make,
                            bool busy) {
    std::optional<BusyState> guard;
    if (busy) guard.emplace(*this);
    if (slot) {
        slot->close();
        delete slot.data();
    }
    slot = make();
    if (slot) showWindow(slot);
}

void TAcount::installLauncherCommands() {
    WindowLaunchers& l = launchers_;
    if (l.generalJournal) {
        setCommandHandler(Command::ShowJournals, [this] {
            openInList(
                JournalWindows, [this] { return launchers_.generalJournal(*this, false); }, true);
        });
        setCommandHandler(Command::ReconcileJournal,
                          [this] { openReconcile(JournalWindows, launchers_.generalJournal); });
        setCommandHandler(Command::UnbalancedEntries, [this] {
            // A window of its own search each time, listing the entries as they are now.
            if (!launchers_.searchJournal) return;
            delete CheckJournal.data();
            CheckJournal = launchers_.searchJournal(*this, 2, "");
            if (!CheckJournal) return;
            CheckJournal->setWindowTitle(qs(strings::text(304)));
            setBackColour(CheckJournal, fromBgr(0xF0F0FF));
            showWindow(CheckJournal);
        });
    }
    if (l.tAccountLedger) {
        setCommandHandler(Command::ShowTaccount, [this] {
            openInList(
                LedgerWindows, [this] { return launchers_.tAccountLedger(*this, false); }, true);
        });
        setCommandHandler(Command::ReconcileTaccount,
                          [this] { openReconcile(LedgerWindows, launchers_.tAccountLedger); });
    }
    if (l.runningBalance) {
        setCommandHandler(Command::RbMenuItem, [this] {
            openInList(
                RunningBalanceWindows, [this] { return launchers_.runningBalance(*this, false); },
                true);
        });
        setCommandHandler(Command::ReconcileRunningBalance, [this] {
            openReconcile(RunningBalanceWindows, launchers_.runningBalance);
        });
    }
    if (l.balanceSheet)
        setCommandHandler(Command::ShowBalance, [this] {
            if (book_.LastEntryLine() < 1) return;
            openInList(
                BalanceSheetWindows, [this] { return launchers_.balanceSheet(*this); }, true);
        });
    if (l.payroll)
        setCommandHandler(Command::PayCalc, [this] {
            openInList(
                PayrollWindows, [this] { return launchers_.payroll(*this); }, false);
        });
    if (l.tapeCalculator)
        setCommandHandler(Command::RollingCalculator, [this] {
            openInList(
                CalculatorWindows, [this] { return launchers_.tapeCalculator(*this); }, false);
        });
    if (l.trialBalance)
        setCommandHandler(Command::TrialBalance, [this] {
            if (book_.LastEntryLine() < 1) return;
            // Today in the book's own date style, so the window reads it back unchanged.
            const std::string date =
                Tmain::FormatDateStyle(todayNumber(), book_.DateStyle, currentLocale());
            replaceShared(
                trialBalanceWindow, [this, date] { return launchers_.trialBalance(*this, date); },
                true);
        });
    if (l.incomeStatement)
        setCommandHandler(Command::IncomeStatement, [this] {
            if (book_.LastEntryLine() < 1) return;
            replaceShared(
                incomeStatementWindow, [this] { return launchers_.incomeStatement(*this); }, true);
        });
    if (l.cashFlow)
        setCommandHandler(Command::CashFlowMenu, [this] {
            replaceShared(
                cashFlowWindow,
                [this]() -> QWidget* {
                    QWidget* w = launchers_.cashFlow(*this);
                    if (w) w->setWindowTitle(qs(strings::text(135)));
                    return w;
                },
                true);
        });
    if (l.depreciation)
        setCommandHandler(Command::Depreciation, [this] {
            if (!depreciationWindow) depreciationWindow = launchers_.depreciation(*this);
            showWindow(depreciationWindow);
        });
    if (l.chartOfAccounts)
        setCommandHandler(Command::EditAccounts, [this] {
            if (!adminGate()) return;
            if (!chartOfAccountsWindow) chartOfAccountsWindow = launchers_.chartOfAccounts(*this);
            showWindow(chartOfAccountsWindow);
        });
    if (l.moveAccounts)
        setCommandHandler(Command::ReplaceAccounts, [this] {
            if (!adminGate()) return;
            QWidget* w = launchers_.moveAccounts(*this);
            if (w) {
                w->setWindowModality(Qt::ApplicationModal);
                w->setAttribute(Qt::WA_DeleteOnClose);
                QEventLoop loop;
                connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
                w->show();
                loop.exec();
            }
            markBookChanged(run_); // whether or not anything was moved
            ScrollAcc_Change();    // the entry on screen shows its lines as they now are
        });
    if (l.settingsWindow)
        setCommandHandler(Command::SoftwareSettings, [this] {
            if (!adminGate()) return;
            if (!settingsWindow) settingsWindow = launchers_.settingsWindow(*this);
            showWindow(settingsWindow);
        });
    if (l.searchWindow) {
        auto search = [this](int mode) {
            run_.SearchMode = static_cast<std::int16_t>(mode);
            if (!searchWindow) searchWindow = launchers_.searchWindow(*this);
            showWindow(searchWindow);
        };
        setCommandHandler(Command::SearchNumbers, [search] { search(1); });
        setCommandHandler(Command::SearchNotes, [search] { search(0); });
    }
    if (l.entryGroups)
        setCommandHandler(Command::IncludeGroups, [this] {
            if (entryGroupsWindow && entryGroupsWindow->isVisible()) {
                entryGroupsWindow->hide();
                return;
            }
            if (!entryGroupsWindow) entryGroupsWindow = launchers_.entryGroups(*this);
            showWindow(entryGroupsWindow);
        });
    // Whatever is still missing stays disabled.
    const std::set<Need> present = presentNeeds();
    for (const CommandInfo& info : allCommands())
        if (!commandAvailable(info.command, present) && commandEnabled(info.command))
            setCommandHandler(info.command, nullptr);
}

void TAcount::showBookAsItIs() {
    typedField_ = nullptr; // what was typed before the failure went with it
    refillAccountBoxes();
    if (auto* chart = qobject_cast<ConfigAccounts*>(chartOfAccountsWindow.data()))
        chart->showBookAsItIs();
    const int last = std::max(0, book_.LastEntryLine());
    setEntryScrollerMax(last);
    ScrollAcc->setValue(std::clamp(run_.CurrentFirstLine, 0, last)); // the entry shown anew
    stale_ = false;
}

void TAcount::closeBookWindows(const BookWindows& which) {
    auto isOpen = [](const QPointer<QWidget>& w) { return !w.isNull(); };
    auto closeIt = [](QPointer<QWidget>& w) { w->close(); };
    if (which.journals) JournalWindows.forEachOpen(isOpen, closeIt);
    if (which.ledgers) LedgerWindows.forEachOpen(isOpen, closeIt);
    if (which.runningBalances) RunningBalanceWindows.forEachOpen(isOpen, closeIt);
    if (which.balanceSheets) BalanceSheetWindows.forEachOpen(isOpen, closeIt);
    const std::pair<bool, QPointer<QWidget>*> shared[] = {
        {which.chartOfAccounts, &chartOfAccountsWindow},
        {which.incomeStatement, &incomeStatementWindow},
        {which.cashFlow, &cashFlowWindow},
        {which.entryGroups, &entryGroupsWindow}};
    for (const auto& [flagged, w] : shared) {
        if (!flagged || !*w) continue;
        // The chart editor's check would refuse to close over the old table.
        if (auto* chart = qobject_cast<ConfigAccounts*>(w->data()))
            chart->closeWithoutCheck();
        else
            (*w)->close();
    }
}

bool TAcount::adminGate() {
    run_.EnteredPassword.clear();
    const std::string admin = book_.AdminPassword.str();
    if (!admin.empty()) {
        std::optional<std::string> typed = adminPasswordPrompt();
        if (typed) run_.EnteredPassword = *typed;
    }
    const bool pass = run_.EnteredPassword == admin;
    run_.EnteredPassword.clear();
    return pass;
}

// ---------------------------------------------------------------- help mode and About

void TAcount::showHelp(const std::string& title, const std::string& text) {
    HC->setWindowTitle("Help Contents...");
    HC->setImage(QPixmap());
    HC->showHelp(title, text);
}

void TAcount::onHelpModeChanged(bool on) {
    // The help window and the pointer follow the mode themselves.
    ButtonBar->HelpButton->setGlyph(on ? ToolGlyph::HelpOn : ToolGlyph::HelpOff);
    if (helpSelectAction_) helpSelectAction_->setChecked(on);
}

void TAcount::Help_Button_Click() {
    helpMode().setOn(!helpMode().isOn());
}

void TAcount::HelpSelect_Click() {
    if (helpMode().isOn())
        helpMode().end();
    else
        helpMode().start();
}

void TAcount::AboutMenu_Click() {
    helpMode().end();
    HC->setImage(windowIcon().pixmap(32, 32));
    HC->showHelp(AboutTitle, aboutText());
    HC->setWindowTitle("About...");
}
