// Failures that reach the event loop, and hostile books opened in every
// window: a failed command is told truly, and the program goes on with the
// windows showing the book, the ordinary pointer and no half-built window;
// each window the menus launch opens and computes on a book at the edges of
// what it can hold, without ending the program or changing the book.
#include "accounts/qt/ConfigAccounts.h"
#include "accounts/qt/Find_Entry.h"
#include "book/book_csv_file.h"
#include "calculators/qt/Depreciation.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "mainwindow/qt/LWMainsettings.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/ledger_windows.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "platform/fake/fake_services.h"
#include "platform/qt/guarded_application.h"
#include "resources/string_table.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "statements/qt/statement_canvas.h"
#include "support/failing_allocations.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <map>
#include <memory>
#include <new>
#include <set>
#include <stdexcept>

using namespace main_window_driving;
using testing_support::TempDir;

namespace {

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(CommandGuard, AFailingCommandSaysWhatFailedAndTheProgramGoesOnWithTheBookAsItWas) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    w.show();
    showBook(w, tradingBook());
    const std::string before = bookBytes(w.book());
    const std::string caption = commandCaption(Command::IncomeStatement);

    const struct {
        const char* name;
        std::function<void()> fail;
        const char* reason;
    } failures[] = {
        {"overflow", [] { throw std::overflow_error("amount out of range"); },
         "amount out of range"},
        {"memory", [] { throw std::bad_alloc(); }, "not enough memory"},
        {"not a standard exception", [] { throw 57; }, "an unexpected error"},
    };
    // Each failure comes from the statement's computation, while the main
    // window is busy: picked in its open menu, from the keyboard, and by its
    // toolbar button.
    auto pickInMenu = [](QAction* item) {
        QMenu* menu = nullptr;
        for (QObject* o : item->associatedObjects())
            if (auto* m = qobject_cast<QMenu*>(o)) menu = m;
        ASSERT_NE(menu, nullptr);
        menu->popup(QPoint(0, 0));
        menu->setActiveAction(item);
        dialog_driving::pressKey(menu, Qt::Key_Return);
    };
    const std::size_t button = 7;
    ASSERT_EQ(toolbarButtons()[button].command, Command::IncomeStatement);
    const struct {
        const char* name;
        std::function<void()> use;
    } paths[] = {
        {"menu", [&] { pickInMenu(w.action(Command::IncomeStatement)); }},
        {"toolbar", [&] { click(w.ButtonBar->CalcButton[button]); }},
    };
    int tries = 0;
    for (const auto& f : failures) {
        SCOPED_TRACE(f.name);
        w.launchers().incomeStatement = [fail = f.fail](TAcount&) -> QWidget* {
            services().progress->setProgress(40, "40%");
            fail();
            return nullptr;
        };
        w.installLauncherCommands();
        for (const auto& path : paths) {
            SCOPED_TRACE(path.name);
            fakes.messages.shown.clear();
            const int finished = fakes.progress.finished;
            path.use();
            ++tries;
            ASSERT_EQ(fakes.messages.shown.size(), 1u);
            const std::string said = fakes.messages.lastText();
            EXPECT_TRUE(holds(said, f.reason)) << said;
            EXPECT_TRUE(holds(said, "left as it was")) << said;
            EXPECT_TRUE(holds(said, "\"" + caption + "\"")) << said;
            EXPECT_TRUE(w.isEnabled()); // the busy state ended with the command
            EXPECT_EQ(fakes.progress.finished, finished + 1); // its progress window went
            EXPECT_TRUE(w.incomeStatementWindow.isNull());
            EXPECT_EQ(bookBytes(w.book()), before);
            EXPECT_FALSE(w.BookChanged());
        }
    }
    EXPECT_EQ(tries, 6);

    // A command confirmed in a submenu of its own is named by the submenu,
    // picked there or by its shortcut, not by the confirming item.
    w.setCommandHandler(Command::DeleteEntry, [] { throw std::runtime_error("no"); });
    fakes.messages.shown.clear();
    pickInMenu(w.action(Command::DeleteEntry));
    runThroughEvents(w, Command::DeleteEntry);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    for (const auto& told : fakes.messages.shown)
        EXPECT_TRUE(holds(told.text, "\"" + strings::text(121) + "\" could not")) << told.text;

    // The program goes on: the next command runs as usual.
    fakes.messages.shown.clear();
    runThroughEvents(w, Command::TrialBalance);
    EXPECT_FALSE(w.trialBalanceWindow.isNull());
    runThroughEvents(w, Command::NewEntryMenu);
    EXPECT_TRUE(w.BookChanged());
    EXPECT_EQ(w.book().LastEntryLine(), 7);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
}

template <class W> W* newest(WindowHandles& list) {
    return list.count() ? qobject_cast<W*>(list[list.count() - 1].data()) : nullptr;
}

// A progress window that cannot be shown.
class FailingProgress : public RecordingProgress {
  public:
    void setProgress(int, const std::string&) override {
        throw std::runtime_error("the progress window could not be shown");
    }
};

// The windows of one kind that are hidden or disabled: left behind by a
// command that failed, or stuck half built.
template <class W> std::size_t leftBehind() {
    std::size_t n = 0;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* window = qobject_cast<W*>(widget))
            if (!window->isVisible() || !window->isEnabled()) ++n;
    return n;
}

// The trading book over a century of months, with a hundred and fifty more
// expense accounts: its inflows/outflows table is a megabyte and a half.
Book centuryBook() {
    Book b = tradingBook();
    for (int i = 0; i < 150; ++i)
        setAccount(b, 5 + i, std::to_string(700 + i), "Expense " + std::to_string(i), Expense);
    addEntry(b, "700", "100", "5", "Long ago", "4", Tmain::DayNumber(1926, 1, 5));
    return b;
}

TEST(CommandGuard, AFailedCommandLeavesNeitherTheHourglassNorAHalfBuiltWindowBehind) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    w.show();
    showBook(w, centuryBook());
    const std::string before = bookBytes(w.book());
    auto* app = dynamic_cast<GuardedApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);

    FailingProgress failingProgress;
    auto progressWindow = [](ProgressSink& p) {
        Services s = services();
        s.progress = &p;
        installServices(s);
    };
    auto progressFails = [&] { progressWindow(failingProgress); };
    auto progressWorks = [&] { progressWindow(fakes.progress); };
    const WindowLaunchers launchers = w.launchers();
    auto launchersAsBuilt = [&] {
        w.launchers() = launchers;
        w.installLauncherCommands();
    };
    // A click on the trial balance's Sales row: its running balance.
    auto drillIntoSales = [&] {
        auto* tb = qobject_cast<Trial_Balance*>(w.trialBalanceWindow.data());
        ASSERT_NE(tb, nullptr);
        tb->resize(700, 500);
        ASSERT_GE(tb->rows().size(), 3u);
        click(tb->Canvas, QPoint(200, static_cast<int>((tb->rows()[2].bottom - 100) / 15)));
    };
    auto salesListOf = [&](auto* ledger) {
        throughEvents(ledger, [ledger] {
            ledger->tReportAcc->setEditText("Sales");
            ledger->tReportAcc_Click();
        });
    };
    auto command = [&](Command c) { return [&w, c] { runThroughEvents(w, c); }; };
    auto shown = [](QWidget* window) { return window && window->isVisible(); };

    const struct {
        const char* name;
        std::function<void()> fail, use, mend;
        std::function<std::size_t()> stuck; // its windows hidden or disabled
        std::function<bool()> built;        // after the next use
        const char* reason;
    } cases[] = {
        {"trial balance, its progress window failing", progressFails,
         command(Command::TrialBalance), progressWorks, leftBehind<Trial_Balance>,
         [&] {
             auto* tb = qobject_cast<Trial_Balance*>(w.trialBalanceWindow.data());
             return shown(tb) && tb->rows().size() == 5u; // the accounts with a balance
         },
         "could not be shown"},
        {"income statement, its progress window failing", progressFails,
         command(Command::IncomeStatement), progressWorks, leftBehind<Income_Statement>,
         [&] { return shown(w.incomeStatementWindow); }, "could not be shown"},
        {"balance sheet, its progress window failing", progressFails, command(Command::ShowBalance),
         progressWorks, leftBehind<Balance_Sheet>,
         [&] { return w.BalanceSheetWindows.count() == 1 && shown(w.BalanceSheetWindows[0]); },
         "could not be shown"},
        {"inflows/outflows, short of memory",
         [] { failing_allocations::refuseFrom = 1024 * 1024; }, // the table, not a widget
         command(Command::CashFlowMenu),
         [] { failing_allocations::refuseFrom = std::numeric_limits<std::size_t>::max(); },
         leftBehind<CashFlow>,
         [&] {
             auto* cf = qobject_cast<CashFlow*>(w.cashFlowWindow.data());
             return shown(cf) && cf->result().ok && cf->result().periods() == 1191;
         },
         "not enough memory"},
        {"drill-down from the trial balance, its progress window failing",
         [&] {
             runThroughEvents(w, Command::TrialBalance);
             progressFails();
         },
         drillIntoSales, progressWorks, leftBehind<Running_Balance>,
         [&] {
             Running_Balance& rb = drillDownRunningBalance(w);
             return shown(&rb) && rb.ledger().LedgerAccount == money("400");
         },
         "could not be shown"},
        {"T-account ledger's list, its progress window failing",
         [&] {
             runThroughEvents(w, Command::ShowTaccount);
             progressFails();
         },
         [&] { salesListOf(newest<Report>(w.LedgerWindows)); }, progressWorks, leftBehind<Report>,
         [&] {
             auto* r = newest<Report>(w.LedgerWindows);
             return shown(r) && r->ledger().LedgerAccount == money("400");
         },
         "could not be shown"},
        {"settings, its window failing to load",
         [&] {
             w.launchers().settingsWindow = [](TAcount&) -> QWidget* {
                 throw std::runtime_error("no fonts");
             };
             w.installLauncherCommands();
         },
         command(Command::SoftwareSettings), launchersAsBuilt, leftBehind<LWMainsettings>,
         [&] { return shown(w.settingsWindow); }, "no fonts"},
        // The guard ends what a command left on, as the program has it do.
        {"a calculator leaving the hourglass on",
         [&] {
             app->setFailureCleanup(pointer::endAllBusy);
             w.launchers().depreciation = [](TAcount&) -> QWidget* {
                 pointer::beginBusy();
                 throw std::runtime_error("no room");
             };
             w.installLauncherCommands();
         },
         command(Command::Depreciation),
         [&] {
             app->setFailureCleanup({});
             launchersAsBuilt();
         },
         leftBehind<Depreciation>, [&] { return shown(w.depreciationWindow); }, "no room"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.messages.shown.clear();
        c.fail();
        c.use();
        c.mend();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_TRUE(holds(fakes.messages.lastText(), c.reason)) << fakes.messages.lastText();
        // The ordinary arrow again, on the program and on the main window.
        EXPECT_FALSE(pointer::busy());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_NE(w.cursor().shape(), Qt::WaitCursor);
        EXPECT_TRUE(w.isEnabled());
        EXPECT_EQ(c.stuck(), 0u);
        // The next use opens the window as usual.
        c.use();
        EXPECT_EQ(fakes.messages.shown.size(), 1u) << fakes.messages.lastText();
        EXPECT_TRUE(c.built());
        EXPECT_EQ(c.stuck(), 0u);
        EXPECT_EQ(bookBytes(w.book()), before);
    }
}

// A widget whose painting fails, for the reason set.
class FailingPaint : public QWidget {
  public:
    std::string reason = "amount out of range";

  protected:
    void paintEvent(QPaintEvent*) override { throw std::overflow_error(reason); }
};

// A window whose closing fails.
class FailingClose : public QWidget {
  protected:
    void closeEvent(QCloseEvent*) override { throw std::runtime_error("no room"); }
};

// Shows a message, and while it is up a click on a failing button.
class MessageWithFailureBehind : public ScriptedMessageBox {
  public:
    QWidget* failing = nullptr;

  protected:
    MessageAnswer present(const std::string& text, const std::string& title, MessageButtons buttons,
                          MessageIcon icon) override {
        const MessageAnswer answer = ScriptedMessageBox::present(text, title, buttons, icon);
        if (failing) click(failing);
        return answer;
    }
};

TEST(CommandGuard, AFailureThePaintingOrATimerRepeatsIsToldOnceAndNoneInsideItsOwnMessage) {
    // A failure told is not told again until the failure is another; a
    // window whose closing fails stays open.
    ScopedFakeServices fakes;
    auto failingButton = [] {
        auto b = std::make_unique<QPushButton>("Post");
        QObject::connect(b.get(), &QPushButton::clicked,
                         [] { throw std::runtime_error("no room"); });
        return b;
    };
    const struct {
        const char* name;
        std::function<void()> failThreeTimes;
        std::size_t told;
    } cases[] = {
        {"painting, three times alike and then failing otherwise",
         [] {
             FailingPaint w;
             w.show();
             ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
             for (const char* reason : {"amount out of range", "amount out of range",
                                        "amount out of range", "no room", "no room"}) {
                 w.reason = reason;
                 w.repaint();
             }
         },
         2},
        {"a close, the window staying open",
         [] {
             FailingClose w;
             w.show();
             for (int i = 0; i < 3; ++i) {
                 EXPECT_FALSE(w.close());
                 EXPECT_TRUE(w.isVisible());
             }
         },
         3},
        {"a timer",
         [] {
             QTimer timer;
             int fired = 0;
             QObject::connect(&timer, &QTimer::timeout, [&fired] {
                 ++fired;
                 throw std::runtime_error("no room");
             });
             timer.start(0);
             while (fired < 3)
                 QCoreApplication::processEvents();
         },
         1},
        {"a click, each time",
         [&] {
             const auto b = failingButton();
             for (int i = 0; i < 3; ++i)
                 click(b.get());
         },
         3},
        {"a click while the message of another is up",
         [&] {
             MessageWithFailureBehind messages;
             Services s = services();
             s.messages = &messages;
             const Services previous = installServices(s);
             const auto first = failingButton();
             const auto behind = failingButton();
             messages.failing = behind.get();
             for (int i = 0; i < 3; ++i)
                 click(first.get());
             installServices(previous);
             EXPECT_EQ(messages.shown.size(), 3u); // the clicks behind went untold
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.messages.shown.clear();
        c.failThreeTimes();
        EXPECT_EQ(fakes.messages.shown.size(), c.told);
        for (const auto& m : fakes.messages.shown)
            EXPECT_TRUE(holds(m.text, "could not be completed")) << m.text;
    }
}

// What the entry line and the open chart editor show (`fromBook` false), or
// what a model fresh from the book has them show.
std::string entryShown(TAcount& w, bool fromBook) {
    RunTimeState run = w.run();
    EntryModel m(w.book(), run, w.entryModel().locale());
    m.showEntryHolding(run.CurrentFirstLine);
    std::string s =
        fromBook ? m.positionText() + m.reference() + m.dateText()
                 : (w.CELablel->text() + w.JournalID->text()).toStdString() + w.Datetext->Text();
    for (const bool debit : {true, false})
        for (int r = 0; r < EntryRowsPerSide; ++r) {
            const auto& rows = debit ? m.debitRows() : m.creditRows();
            QLineEdit* folio = (debit ? w.DebitFolio : w.CreditFolio)[r];
            QLineEdit* amount = (debit ? w.DebitAmountText : w.CreditAmountText)[r];
            if (fromBook && r < static_cast<int>(rows.size()))
                s += "|" + std::to_string(rows[r].line) + rows[r].folio + " " + rows[r].amount;
            if (!fromBook && folio->isVisibleTo(&w))
                s += "|" + std::to_string(debit ? w.debitRowLine(r) : w.creditRowLine(r)) +
                     (folio->text() + " " + amount->text()).toStdString();
        }
    if (auto* chart = qobject_cast<ConfigAccounts*>(w.chartOfAccountsWindow.data()))
        for (int k = 0; k < ChartRows; ++k)
            s += "|" + (fromBook ? chart->editor().row(k).name
                                 : chart->RenameAccount[k]->text().toStdString());
    return s;
}

// A step of the user's, posted now and delivered through the event loop by
// the function returned.
std::function<void()> posted(QObject* to, const std::function<void()>& step) {
    QMetaObject::invokeMethod(to, step, Qt::QueuedConnection);
    return [to] { QCoreApplication::sendPostedEvents(to, QEvent::MetaCall); };
}

TEST(CommandGuard, AFailureAnywhereInACommandIsToldTrulyAndTheWindowShowsTheBook) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    w.show();
    auto item = [](QAction* a) { return posted(a, [a] { a->trigger(); }); };
    auto menu = [&w, item](Command c) { return [&w, item, c] { return item(w.action(c)); }; };
    auto chart = [&w, item](QAction* ConfigAccounts::*command) {
        return [&w, item, command] {
            runThroughEvents(w, Command::EditAccounts);
            auto* chart = qobject_cast<ConfigAccounts*>(w.chartOfAccountsWindow.data());
            return chart->selectRow(2), item(chart->*command);
        };
    };
    // Each failure is told as the failure of the command the user chose (its
    // menu item, submenu or button; the window for a key), whichever of the
    // windows and menus it touched failed.
    const struct {
        const char* name;
        std::string said;
        std::function<std::function<void()>()> ready;
    } commands[] = {
        {"New Entry", "\"" + commandCaption(Command::NewEntryMenu), menu(Command::NewEntryMenu)},
        {"Paste", "\"" + commandCaption(Command::PageTheEntry),
         [&] { return w.runCommand(Command::CopyTheEntry), menu(Command::PageTheEntry)(); }},
        {"Delete", "\"" + strings::text(121), menu(Command::DeleteEntry)},
        {"add line", "\"" + w.CompoundEntry[2]->toolTip().toStdString(),
         [&] {
             return w.runCommand(Command::NewEntryMenu),
                    posted(&w, [&w] { click(w.CompoundEntry[2]); });
         }},
        {"carry-forward", "\"" + strings::text(272), menu(Command::BroughtForward)},
        {"roll-over", "\"" + strings::text(140), menu(Command::RollOver)},
        {"chart insert", "\"" + strings::text(234), chart(&ConfigAccounts::Insert_Account)},
        {"chart delete", "\"" + strings::text(233), chart(&ConfigAccounts::Delete_Account)},
        {"standard chart", "\"Generate Accounts Setup", chart(&ConfigAccounts::GChatA)},
        {"Up in a changed date box", "in the window \"" + w.windowTitle().trimmed().toStdString(),
         [&] {
             w.ScrollAcc->setValue(4);
             w.Datetext->setText("01/02/2025");
             return posted(&w,
                           [&w] { dialog_driving::pressKey(w.Datetext->textBox(), Qt::Key_Up); });
         }},
    };
    failing_allocations::ownCodeOnly = true;
    for (const auto& [name, said, ready] : commands)
        for (long n = 0;; ++n) {
            const std::string where = std::string(name) + ", allocation " + std::to_string(n);
            showBook(w, tradingBook());
            w.ScrollAcc->setValue(2);
            const std::function<void()> deliver = ready();
            w.setBookChanged(false);
            const std::string before = bookBytes(w.book());
            fakes.messages.shown.clear();
            failing_allocations::failed = false;
            failing_allocations::failIn = n;
            deliver();
            failing_allocations::failIn = -1;
            const bool changed = bookBytes(w.book()) != before || w.BookChanged();
            for (const auto& m : fakes.messages.shown) {
                if (!holds(m.text, "You can go on working")) continue; // the command's own
                EXPECT_TRUE(holds(m.text, said)) << where + "\n" + m.text;
                EXPECT_EQ(holds(m.text, "could not be completed"), !changed) << where + m.text;
                EXPECT_EQ(holds(m.text, "left as it was"), !changed) << where + m.text;
                EXPECT_EQ(holds(m.text, "changed the book, then stopped"), changed) << m.text;
            }
            ASSERT_EQ(entryShown(w, false), entryShown(w, true)) << where;
            EXPECT_FALSE(w.run().IncludeAllDates) << where;
            delete w.chartOfAccountsWindow.data();
            if (!failing_allocations::failed) break;
            // What is typed goes into the line shown.
            const int line = w.debitRowLine(0);
            if (line < 0 || !w.DebitAmountText[0]->isEnabled()) continue;
            Book expected = w.book();
            expected.EntryLines[static_cast<std::size_t>(line)].Amount = money("7");
            w.DebitAmountText[0]->selectAll();
            QTest::keyClicks(w.DebitAmountText[0], "7");
            EXPECT_EQ(bookBytes(w.book()), bookBytes(expected)) << where;
        }
    // A redraw that fails too is told, and done again before the next key.
    showBook(w, tradingBook());
    throughEvents(&w, [] { failing_allocations::failIn = 0, throw std::bad_alloc(); });
    EXPECT_TRUE(holds(fakes.messages.lastText(), "could not be redrawn yet"));
    QTest::keyClicks(w.DebitAmountText[0], "7");
    EXPECT_EQ(entryShown(w, false), entryShown(w, true));
    failing_allocations::ownCodeOnly = false;
}

// --- hostile books in every window ---

constexpr std::int64_t MoneyFloor = std::numeric_limits<std::int64_t>::min();

struct HostileBook {
    std::string name;
    int slot = 0;              // the hostile account's slot in the chart
    Currency account;          // its number
    std::string accountName;   // its name
    std::string neighbourName; // a main account whose lines stand beside the hostile one's
};

// The trading book with the cash account numbered at the bottom of the money
// range, as a .csv book on disk.
std::filesystem::path bottomOfRangeCsv(const TempDir& dir) {
    Book b = tradingBook();
    const Currency cash = money("100");
    const Currency floor = Currency::fromRaw(MoneyFloor);
    b.AccountNumbers[1] = floor;
    for (EntryLine& l : b.EntryLines) {
        if (l.AccountNumber == cash) l.AccountNumber = floor;
        l.Date += 12; // 13/03/2025 on: dates that read one way only, so opening asks nothing
    }
    const std::string text = formatBookCsv(b, dayFirstLocale(), nullptr);
    EXPECT_TRUE(holds(text, "-922337203685477.5808,Cash,1")) << text;
    const auto path = dir / "bottom of range.csv";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The trading book with a chart slot of class 200, as a damaged book reader
// could have left it, used by an entry.
Book classOutOfRangeBook() {
    Book b = tradingBook();
    setAccount(b, 5, "700", "Sundries", 200);
    addEntry(b, "700", "100", "25", "Sundries paid", "4", Tmain::DayNumber(2025, 3, 4));
    return b;
}

// Choosing the chart editor's row of a slot whose class is outside 0 to 8
// shows it as Other; before, it read past the editor's class frames.
constexpr bool ChartRowOfUnknownClassCanBeChosen = true;

// A ledger's account box set to the hostile account, then to its neighbour,
// each list built as a choice in the box builds it.
template <class W> void buildFor(W* ledger, const HostileBook& h) {
    if (!ledger) return;
    for (const std::string& name : {h.accountName, h.neighbourName})
        throughEvents(ledger, [ledger, name] {
            ledger->tReportAcc->setEditText(QString::fromStdString(name));
            ledger->tReportAcc_Click();
        });
}

// Every window the menus launch, opened as its command opens it and made to
// compute what it shows.
struct WindowStep {
    std::string name;
    std::function<void(TAcount&, const HostileBook&)> open;
};

std::vector<WindowStep> everyWindow() {
    auto command = [](Command c) {
        return [c](TAcount& w, const HostileBook&) { runThroughEvents(w, c); };
    };
    auto journal = [](Command c) {
        return [c](TAcount& w, const HostileBook& h) {
            runThroughEvents(w, c);
            auto* j = newest<GeneralJournal>(w.JournalWindows);
            activate(j); // the whole journal
            buildFor(j, h);
        };
    };
    auto tAccount = [](Command c) {
        return [c](TAcount& w, const HostileBook& h) {
            runThroughEvents(w, c);
            buildFor(newest<Report>(w.LedgerWindows), h);
        };
    };
    auto runningBalance = [](Command c) {
        return [c](TAcount& w, const HostileBook& h) {
            runThroughEvents(w, c);
            buildFor(newest<Running_Balance>(w.RunningBalanceWindows), h);
        };
    };
    auto search = [](Command c, bool byNumber) {
        return [c, byNumber](TAcount& w, const HostileBook&) {
            runThroughEvents(w, c);
            auto* find = qobject_cast<Find_Entry*>(w.searchWindow.data());
            if (!find) return;
            const std::string text = byNumber ? "1" : "Cash";
            throughEvents(find, [find, text] {
                find->Text1->setEditText(QString::fromStdString(text));
                activate(find->Command2_Click());
            });
        };
    };
    return {
        {"chart of accounts",
         [](TAcount& w, const HostileBook&) {
             runThroughEvents(w, Command::EditAccounts);
             auto* chart = qobject_cast<ConfigAccounts*>(w.chartOfAccountsWindow.data());
             if (!chart) return;
             // Every row of the first screen chosen in turn: its class and notes shown.
             for (int row = 0; row < 6; ++row) {
                 const bool knownClass = w.book().AccountTypes[row] <= Other;
                 if (knownClass || ChartRowOfUnknownClassCanBeChosen)
                     throughEvents(chart, [chart, row] { chart->selectRow(row); });
             }
         }},
        {"entry groups", [](TAcount& w, const HostileBook&) { click(w.GroupBu); }},
        {"search of notes", search(Command::SearchNotes, false)},
        {"search of references", search(Command::SearchNumbers, true)},
        {"general journal", journal(Command::ShowJournals)},
        {"reconciled general journal", journal(Command::ReconcileJournal)},
        {"unbalanced entries",
         [](TAcount& w, const HostileBook&) {
             runThroughEvents(w, Command::UnbalancedEntries);
             activate(w.CheckJournal.data());
         }},
        {"T-account ledger", tAccount(Command::ShowTaccount)},
        {"reconciled T-account ledger", tAccount(Command::ReconcileTaccount)},
        {"running balance", runningBalance(Command::RbMenuItem)},
        {"reconciled running balance", runningBalance(Command::ReconcileRunningBalance)},
        {"trial balance", command(Command::TrialBalance)},
        {"income statement", command(Command::IncomeStatement)},
        {"balance sheet", command(Command::ShowBalance)},
        {"inflows/outflows",
         [](TAcount& w, const HostileBook& h) {
             runThroughEvents(w, Command::CashFlowMenu);
             buildFor(qobject_cast<CashFlow*>(w.cashFlowWindow.data()), h);
         }},
        {"tape calculator", command(Command::RollingCalculator)},
        {"payroll calculator", command(Command::PayCalc)},
        {"depreciation calculator",
         [](TAcount& w, const HostileBook&) {
             runThroughEvents(w, Command::Depreciation);
             auto* d = qobject_cast<Depreciation*>(w.depreciationWindow.data());
             if (!d) return;
             d->Cost->setText("1000");
             d->TheYears->setText("3"); // no years is told
             throughEvents(d, [d] { d->Command1_Click(); });
         }},
        {"settings", command(Command::SoftwareSettings)},
    };
}

// The windows that must open and compute on every hostile book without any
// message: every window the menus launch.
const std::set<std::string> WindowsWithoutMessages = {
    "chart of accounts",
    "entry groups",
    "search of notes",
    "search of references",
    "unbalanced entries",
    "general journal",
    "reconciled general journal",
    "T-account ledger",
    "reconciled T-account ledger",
    "running balance",
    "reconciled running balance",
    "trial balance",
    "income statement",
    "balance sheet",
    "inflows/outflows",
    "tape calculator",
    "payroll calculator",
    "depreciation calculator",
    "settings",
};

TEST(HostileBookWindows, EveryWindowOpensAndComputesWithoutEndingTheProgramOrChangingTheBook) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const auto csv = bottomOfRangeCsv(dir);
    const struct {
        HostileBook book;
        std::string commandLine;
        std::function<void(TAcount&)> open;
    } books[] = {
        {{"an account numbered at the bottom of the money range, read from a .csv book", 1,
          Currency::fromRaw(MoneyFloor), "Cash", "Capital"},
         csv.string(),
         // Read once the window is up, as the program reads its command line.
         [](TAcount& w) { throughEvents(&w, [&w] { w.openCommandLineBook(); }); }},
        {{"a chart slot of class 200", 5, money("700"), "Sundries", "Cash"},
         "",
         [](TAcount& w) { showBook(w, classOutOfRangeBook()); }},
    };
    std::map<std::string, std::vector<std::string>> messagesByWindow;
    for (const auto& b : books) {
        SCOPED_TRACE(b.book.name);
        TAcount w(b.commandLine);
        w.show();
        fakes.messages.shown.clear();
        b.open(w);
        ASSERT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
        ASSERT_EQ(w.book().AccountNumbers[static_cast<std::size_t>(b.book.slot)], b.book.account);
        ASSERT_FALSE(w.BookChanged());
        const std::string before = bookBytes(w.book());

        for (const WindowStep& step : everyWindow()) {
            SCOPED_TRACE(step.name);
            fakes.messages.shown.clear();
            step.open(w, b.book);
            std::vector<std::string>& said = messagesByWindow[step.name];
            for (const auto& m : fakes.messages.shown)
                said.push_back(b.book.name + ": " + m.text);
            // The program goes on, with the book as it was.
            EXPECT_TRUE(w.isEnabled());
            EXPECT_EQ(bookBytes(w.book()), before);
            EXPECT_FALSE(w.BookChanged());
            if (WindowsWithoutMessages.count(step.name)) {
                EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
            }
        }
    }
    // What each window said, for whoever tightens the list above.
    for (const auto& [window, said] : messagesByWindow)
        for (const std::string& m : said)
            std::cout << "[" << window << "] " << m << "\n";
}

} // namespace
