// The ledger and journal windows opened from the main window: the Display,
// Reconciliation, search and unbalanced-entries commands, what the windows
// show against what the ledger builders computed, paging, typed account
// numbers, clicks that move the main window, rebuilds after a deletion, and
// the statements' drill-down windows.
#include "accounts/qt/Find_Entry.h"
#include "accounts/qt/RecurringEntries.h"
#include "book/account_name_index.h"
#include "book/typed_input.h"
#include "ledgers/ledger_pages.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "ledgers/qt/ledger_choices.h"
#include "ledgers/qt/ledger_window_support.h"
#include "mainwindow/mailed_invoice_reader.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/ledger_windows.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "platform/fake/fake_services.h"
#include "statements/qt/Income_Statement.h"
#include "support/pdf_text.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace main_window_driving;
using dialog_driving::pressKey;
using dialog_driving::saveScreenshot;
using dialog_driving::typeText;

namespace {

double march(int d) {
    return Tmain::DayNumber(2025, 3, d);
}

// Cash 100 with its till 100.1, Capital 300, Sales 400, Rent 600: capital
// paid in, takings, the rent (lines 4-5), the till's takings, one entry out
// of balance (lines 8-9) and forty small takings, enough for several pages.
Book ledgerBook() {
    Book b = tradingBook();
    setAccount(b, 5, "100.1", "Cash Till", CurrentAsset);
    trading_books::addEntry(b, "100.1", "400", "50", "Till takings", "4", march(4));
    trading_books::addLine(b, Debit, "600", "80", "", "5", march(5));
    trading_books::addLine(b, Credit, "100", "70", "Rent April", "5", march(5));
    for (int i = 0; i < 40; ++i)
        trading_books::addEntry(b, "100", "400", std::to_string(10 + i),
                                "Sale " + std::to_string(i), std::to_string(6 + i),
                                march(6 + i % 20));
    return b;
}

// The main window shown with the ledger book.
void showLedgerBook(TAcount& w) {
    w.show();
    showBook(w, ledgerBook());
}

// Runs a Display command; the window it added to its list.
template <class W> W* open(TAcount& w, Command c, WindowHandles& list) {
    run(w, c);
    return list.count() ? qobject_cast<W*>(list[list.count() - 1].data()) : nullptr;
}

// The journal (activated, so listed), a T-account and a running balance,
// each opened by its Display command.
struct ThreeLedgers {
    GeneralJournal* journal = nullptr;
    Report* tAccount = nullptr;
    Running_Balance* runningBalance = nullptr;
};

ThreeLedgers openThreeLedgers(TAcount& w) {
    ThreeLedgers l;
    l.journal = open<GeneralJournal>(w, Command::ShowJournals, w.JournalWindows);
    l.tAccount = open<Report>(w, Command::ShowTaccount, w.LedgerWindows);
    l.runningBalance = open<Running_Balance>(w, Command::RbMenuItem, w.RunningBalanceWindows);
    if (l.journal) activate(l.journal);
    return l;
}

QColor background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

TEST(LedgerWindows, DisplayCommandsOpenTheirWindowsWithCaptionAndColour) {
    ScopedFakeServices fakes;
    TAcount w;
    showLedgerBook(w);
    const QColor plain = background(&w);
    const QColor reconciled(0xE0, 0xE0, 0xFF);
    struct Case {
        Command command;
        WindowHandles* list;
        std::string caption;
        bool reconcile;
        const char* screenshot;
    } cases[] = {
        {Command::ShowJournals, &w.JournalWindows, "General Journal...", false,
         "general_journal_window"},
        {Command::ReconcileJournal, &w.JournalWindows, "Reconciled General Journal...", true,
         "general_journal_reconciled"},
        {Command::ShowTaccount, &w.LedgerWindows, "T-Accounts Ledger...", false,
         "t_account_window"},
        {Command::ReconcileTaccount, &w.LedgerWindows, "Reconciled T-Accounts Ledger...", true,
         "t_account_reconciled"},
        {Command::RbMenuItem, &w.RunningBalanceWindows, "Running Balance Ledger...", false,
         "running_balance_window"},
        {Command::ReconcileRunningBalance, &w.RunningBalanceWindows,
         "Reconciled Running Balance Ledger...", true, "running_balance_reconciled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_TRUE(w.commandEnabled(c.command));
        const int before = c.list->count();
        run(w, c.command);
        ASSERT_EQ(c.list->count(), before + 1);
        QWidget* opened = (*c.list)[before].data();
        ASSERT_NE(opened, nullptr);
        EXPECT_TRUE(opened->isVisible());
        EXPECT_EQ(opened->windowTitle().toStdString(), c.caption);
        EXPECT_EQ(background(opened), c.reconcile ? reconciled : plain);
        EXPECT_EQ(dialog_driving::menuAccessKeys(opened),
                  qobject_cast<Report*>(opened) ? "fa" : "f");
        if (auto* j = qobject_cast<GeneralJournal*>(opened)) {
            EXPECT_EQ(j->ReconcileMode, c.reconcile);
            EXPECT_EQ(j->JJournal->BackColor(), c.reconcile ? 0xFFE0E0u : 0xC0FFFFu);
            activate(j); // the first activation lists every account over the whole journal
            EXPECT_EQ(j->tReportAcc->currentText().toStdString(), "ALL");
            EXPECT_EQ(j->list().ShownLines.size(), w.book().EntryLines.size());
        } else if (auto* r = qobject_cast<Report*>(opened)) {
            EXPECT_EQ(r->ReconcileMode, c.reconcile);
            choose(r->tReportAcc, "Cash");
        } else if (auto* rb = qobject_cast<Running_Balance*>(opened)) {
            EXPECT_EQ(rb->ReconcileMode, c.reconcile);
            choose(rb->tReportAcc, "Cash");
        }
        saveScreenshot(opened, c.screenshot);
    }
    // The toolbar's ledger buttons and the search commands are live too.
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Command c = buttons[i].command;
        if (c == Command::ShowTaccount || c == Command::RbMenuItem) {
            EXPECT_TRUE(w.ButtonBar->CalcButton[i]->isEnabled()) << i;
        }
    }
    EXPECT_TRUE(w.commandEnabled(Command::SearchNumbers));
    EXPECT_TRUE(w.commandEnabled(Command::SearchNotes));

    // Unbalanced Entries lists exactly the entry out of balance, in its own colour.
    run(w, Command::UnbalancedEntries);
    auto* check = qobject_cast<GeneralJournal*>(w.CheckJournal.data());
    ASSERT_NE(check, nullptr);
    activate(check);
    EXPECT_EQ(check->windowTitle().toStdString(), "Unbalanced Entries...");
    EXPECT_EQ(background(check), QColor(0xFF, 0xF0, 0xF0));
    EXPECT_EQ(check->JJournal->BackColor(), 0xF0F0FFu);
    EXPECT_EQ(check->list().ShownLines, (std::vector<std::int32_t>{8, 9}));
    saveScreenshot(check, "unbalanced_entries");
}

TEST(LedgerWindows, TAccountShowsTheBuiltRowsPagesAndMovesTheMainWindow) {
    ScopedFakeServices fakes(decimalCommaLocale());
    TAcount w;
    showLedgerBook(w);
    auto* r = open<Report>(w, Command::ShowTaccount, w.LedgerWindows);
    ASSERT_NE(r, nullptr);
    r->resize(820, 420);
    EXPECT_TRUE(r->ledger().Debit.Rows.empty()); // nothing built before an account is chosen

    // Page 1 is the builder's rows, label row by label row.
    choose(r->tReportAcc, "Cash");
    TAccountOptions options;
    options.account = money("100");
    options.fromDate = march(1);
    options.toDate = march(25);
    options.marks = marksOf(decimalCommaLocale());
    const TAccountLedger built = buildTAccount(w.book(), options);
    ASSERT_GT(built.LedgerRows, r->PageRows) << "the book fills more than one page";
    ASSERT_EQ(static_cast<int>(r->page().size()), r->PageRows + 1);
    EXPECT_EQ(r->FolioChoiceTx->text(), "100");
    for (int i = 0; i <= r->PageRows; ++i) {
        const auto& cell = r->page()[static_cast<std::size_t>(i)];
        for (const auto& [shown, half] :
             {std::pair{&cell.debit, &built.Debit}, std::pair{&cell.credit, &built.Credit}}) {
            if (i >= static_cast<int>(half->Rows.size())) {
                EXPECT_TRUE(shown->text.empty()) << i;
                continue;
            }
            const TAccountRow& row = half->Rows[static_cast<std::size_t>(i)];
            EXPECT_EQ(shown->text, tAccountRowText(row, AccountNameIndex(w.book()))) << i;
            EXPECT_EQ(shown->amount, ledgerAmountText(row.Amount, 2, marksOf(decimalCommaLocale())))
                << i;
            EXPECT_EQ(shown->line, row.isBalanceRow() ? -1 : row.Line) << i;
        }
    }
    EXPECT_EQ(r->ledger().DebitTotalText, built.DebitTotalText);
    EXPECT_EQ(r->page()[0].debit.text, "Capital");
    EXPECT_EQ(r->page()[0].debit.amount, "1.000,00");
    saveScreenshot(r, "t_account_cash");

    // Paging clamps at both ends; the range follows the rows built.
    EXPECT_TRUE(r->Vs->isVisible());
    EXPECT_EQ(r->Vs->ValueMax(), tAccountScrollMax(built.LedgerRows, r->PageRows));
    r->PNPag_Grey_MouseDown(0);
    EXPECT_EQ(r->Vs->Value(), 0);
    r->PNPag_Grey_MouseDown(1);
    EXPECT_EQ(r->Vs->Value(), std::min(r->PageRows, r->Vs->ValueMax()));
    for (int i = 0; i < 5; ++i)
        r->PNPag_Grey_MouseDown(1);
    EXPECT_EQ(r->Vs->Value(), r->Vs->ValueMax());
    EXPECT_EQ(r->page()[0].debit.text,
              tAccountRowText(built.Debit.Rows[r->Vs->ValueMax()], AccountNameIndex(w.book())));

    // Clicking a row shows its entry in the main window; rows without a
    // journal line (the c/d row, empty rows) leave it where it is.
    r->Vs->setValue(0);
    r->DebitR_Click(1); // takings, lines 2-3
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{2, 3}));
    EXPECT_EQ(r->markedRow, 1);
    r->CreditR_Click(r->PageRows); // past the credit half's rows
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{2, 3}));
    r->DebitR_MouseMove(1);
    EXPECT_EQ(r->detailBar, "Takings" + std::string(10, ' ') + "2" + std::string(13, ' '));

    // Typed account numbers: 100-1 and 100,1 choose the till under a decimal
    // comma; an unknown number says so, changes nothing and shows the till's
    // number again.
    for (const char* typed : {"100-1", "100,1", "100.1"}) {
        r->FolioChoiceTx->setText(typed);
        pressKey(r->FolioChoiceTx, Qt::Key_Return, "\r");
        EXPECT_EQ(r->tReportAcc->currentText().toStdString(), "Cash Till") << typed;
        EXPECT_EQ(r->ledger().LedgerAccount, money("100.1")) << typed;
    }
    r->FolioChoiceTx->setText("999");
    pressKey(r->FolioChoiceTx, Qt::Key_Return, "\r");
    EXPECT_EQ(fakes.messages.lastText(), "This account does not exists...");
    EXPECT_EQ(r->ledger().LedgerAccount, money("100.1"));
    typeText(r->FolioChoiceTx, "a");
    EXPECT_EQ(r->FolioChoiceTx->text(), "100,1"); // letters are dropped

    // The Accounts menu: unmasked sub-accounts rebuild; the sort orders both
    // halves by date and keeps the c/d row last.
    choose(r->tReportAcc, "Sales");
    auto tillRow = [r, &w] {
        for (const TAccountRow& row : r->ledger().Credit.Rows)
            if (row.Line == 7) return tAccountRowText(row, AccountNameIndex(w.book()));
        return std::string("none");
    };
    EXPECT_EQ(tillRow(), "Cash");
    r->Subsee_Click();
    EXPECT_TRUE(r->Subsee->isChecked());
    EXPECT_EQ(tillRow(), "Cash Till");
    r->Vs->setValue(3);
    r->SortE_Click();
    EXPECT_EQ(r->Vs->Value(), 0);
    const auto& sorted = r->ledger().Credit.Rows;
    for (std::size_t i = 1; i + 1 < sorted.size(); ++i)
        EXPECT_LE(sorted[i - 1].Date, sorted[i].Date) << i;
    EXPECT_EQ(r->ledger().Debit.Rows.back().Kind, TAccountRowKind::CarriedDown);

    // Deleting an entry rebuilds the window once, on its next activation.
    const int builds = r->builds();
    activate(r);
    EXPECT_EQ(r->builds(), builds);
    w.ScrollAcc->setValue(2);
    w.action(Command::DeleteEntry)->trigger();
    activate(r);
    EXPECT_EQ(r->builds(), builds + 1);
    activate(r);
    EXPECT_EQ(r->builds(), builds + 1);
}

TEST(LedgerWindows, RunningBalanceShowsBalancesReversesAndGoesToEntries) {
    ScopedFakeServices fakes;
    TAcount w;
    showLedgerBook(w);
    auto* rb = open<Running_Balance>(w, Command::RbMenuItem, w.RunningBalanceWindows);
    ASSERT_NE(rb, nullptr);
    choose(rb->tReportAcc, "Rent");
    ASSERT_EQ(rb->ledger().Rows.size(), 2u);
    const std::vector<std::vector<std::string>> expected = {
        {"3/3/2025", "3", "Cash", "200.00", "", "200.00 Dr"},
        {"3/5/2025", "5", "Cash", "80.00", "", "280.00 Dr"},
    };
    ASSERT_EQ(rb->page().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const RunningBalanceCells& c = rb->page()[i];
        EXPECT_EQ((std::vector<std::string>{c.date, c.reference, c.account, c.debit, c.credit,
                                            c.balance}),
                  expected[i])
            << i;
    }
    EXPECT_EQ(rb->VScroll1->ValueMax(), 0);
    saveScreenshot(rb, "running_balance_rent");

    // Reverse swaps the rows only; a build puts journal order back.
    rb->Command1->setChecked(true);
    rb->Command1_MouseUp();
    EXPECT_EQ(rb->page()[0].reference, "5");
    EXPECT_EQ(rb->page()[1].reference, "3");
    EXPECT_EQ(rb->ledger().Rows.size(), 2u);
    // A click on a reversed row goes to that row's own entry.
    rb->Form_MouseDown(QPointF(100, 62));
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{8, 9}));
    rb->Form_MouseMove(QPointF(100, 62));
    EXPECT_EQ(rb->detailBar.substr(0, 10), "Rent April");
    choose(rb->tReportAcc, "Rent");
    EXPECT_FALSE(rb->Command1->isChecked());
    EXPECT_EQ(rb->page()[0].reference, "3");

    // A busy account pages; a later build with few rows resets the range.
    choose(rb->tReportAcc, "Cash");
    EXPECT_GT(rb->VScroll1->ValueMax(), 0);
    rb->PNPag_Grey_MouseDown(1);
    EXPECT_EQ(rb->VScroll1->Value(), std::min(rb->VisibleRows, rb->VScroll1->ValueMax()));
    choose(rb->tReportAcc, "Rent");
    EXPECT_EQ(rb->VScroll1->ValueMax(), 0);
    EXPECT_EQ(rb->VScroll1->Value(), 0);

    // From 4 March Cash opens with the balance brought forward: that row
    // names no entry, so the pointer over it shows no note and a click on it
    // leaves the main window where it is.
    rb->DateSearch[0]->setText("3/4/2025");
    choose(rb->tReportAcc, "Cash");
    ASSERT_TRUE(rb->page()[0].opening);
    rb->Form_MouseMove(QPointF(100, 82)); // the first entry's row
    EXPECT_FALSE(rb->detailBar.empty());
    rb->Form_MouseMove(QPointF(100, 62));
    EXPECT_EQ(rb->detailBar, "");
    const EntryBounds shown = w.entryModel().bounds();
    rb->Form_MouseDown(QPointF(100, 62));
    EXPECT_EQ(w.entryModel().bounds(), shown);
}

TEST(LedgerWindows, RunningBalancePrintsExportsAndMails) {
    ScopedFakeServices fakes;
    testing_support::TempDir dir;
    fakes.environment.vars["LW_PDF_OUTPUT"] = (dir / "rent.pdf").string();
    fakes.environment.vars["tmp"] = dir.path().string();
    TAcount w;
    showLedgerBook(w);
    auto* rb = open<Running_Balance>(w, Command::RbMenuItem, w.RunningBalanceWindows);
    ASSERT_NE(rb, nullptr);
    choose(rb->tReportAcc, "Rent");

    // Printed on the PDF printer at 80%, read back; PrintScale is 1 again afterwards.
    Printformer* setup = w.printSetup();
    QTimer::singleShot(0, setup, [setup] {
        setup->printerChosen(PdfPrinterName);
        setup->PxSize->setCurrentText("80%");
        setup->printClicked();
    });
    rb->mButton[0]->click();
    EXPECT_EQ(w.run().PrintScale, 1.0f);
    std::string text;
    ASSERT_EQ(testing_support::readPdfText((dir / "rent.pdf").string(), &text), 0) << text;
    for (const char* shown : {"Rent (600)", "Cash", "280.00 Dr", "Corner Shop"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;

    // Export as comma-separated text through the file dialog.
    DialogScript dialogs;
    dialogs.pick(dir / "rent", "csv");
    rb->ExportAccount_Click();
    EXPECT_EQ(dialogs.unexpected, 0);
    const std::string csv = testing_support::readFile(dir / "rent.csv");
    EXPECT_NE(csv.find("3/5/2025,5,Cash,80,0,280"), std::string::npos) << csv;
    EXPECT_EQ(w.run().CurrentFilePath, (dir / "rent.csv").string());

    // The mail button writes an unsent message and opens it.
    rb->mButton[1]->click();
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    const std::string mail = testing_support::readFile(fakes.shell.opened[0]);
    EXPECT_NE(mail.find("X-Unsent: 1"), std::string::npos);
    std::string read;
    ASSERT_EQ(mailed_invoice_reader::readDraft(dir.path(), fakes.shell.opened[0], &read), 0)
        << read;
    EXPECT_NE(read.find("|280.00 Dr|"), std::string::npos) << read;

    // 4,500 lines a side: 20,250,000 rows, too many to make, so nothing to print, save or mail.
    Book big = ledgerBook();
    for (int i = 0; i < 9000; ++i)
        trading_books::addLine(big, i < 4500 ? Debit : Credit, i < 4500 ? "600" : "100", "1", "",
                               "99", march(20));
    showBook(w, big);
    fakes.messages.shown.clear();
    choose(rb->tReportAcc, "Rent");
    QTimer::singleShot(0, setup, [setup] { setup->cancelClicked(); }); // were it asked
    for (QToolButton* button : rb->mButton)
        button->click();
    rb->ExportAccount_Click();
    EXPECT_EQ(dialogs.unexpected, 0);
    EXPECT_EQ(fakes.shell.opened.size(), 1u); // the mail sent before
    ASSERT_EQ(fakes.messages.shown.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(fakes.messages.shown[i].text,
                  "There is no ledger to print, save or mail: " + fakes.messages.shown[0].text);
}

// The account boxes complete a typed name: the journal's from the first
// character, the T-account's and the running balance's only once the box
// holds more than one, so that the first two keys go in as typed.
TEST(LedgerWindows, AccountBoxesCompleteWhereEachWindowStartsTypeAhead) {
    ScopedFakeServices fakes;
    TAcount w;
    showLedgerBook(w);
    const auto [j, r, rb] = openThreeLedgers(w);
    ASSERT_TRUE(j && r && rb);
    const struct {
        const char* window;
        QComboBox* box;
        std::vector<std::string> shown; // after "c", "a", "s" and "h"
    } cases[] = {
        {"journal", j->tReportAcc, {"Cash", "Cash", "Cash", "Cash"}},
        {"t-account", r->tReportAcc, {"c", "ca", "Cash", "Cash"}},
        {"running balance", rb->tReportAcc, {"c", "ca", "Cash", "Cash"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        c.box->setCurrentIndex(-1);
        c.box->setEditText("");
        std::vector<std::string> shown;
        for (const char* key : {"c", "a", "s", "h"}) {
            typeText(c.box->lineEdit(), key);
            shown.push_back(c.box->currentText().toStdString());
        }
        EXPECT_EQ(shown, c.shown);
        c.box->hidePopup();
        pressKey(c.box, Qt::Key_Return, "\r"); // builds the account the box shows
    }
    EXPECT_EQ(std::tuple(j->list().SelectedAccount, r->ledger().LedgerAccount,
                         rb->ledger().LedgerAccount),
              std::tuple(money("100"), money("100"), money("100")));
    // Typed in new windows: the list a name opens is no leaving of the box, and Backspace there
    // edits the box; Tab takes the name shown and the next keys land in the next box; Enter takes
    // it and closes the list. A number pasted into each number box is taken.
    for (const LocaleInfo& locale : dialog_driving::typingLocales())
        for (const std::string end : {"\t", "\r"}) {
            ScopedFakeServices local(locale);
            TAcount v;
            showLedgerBook(v);
            v.book().EntryGroups[0] = {v.book().EntryLines[4], v.book().EntryLines[5]};
            const auto [j, r, rb] = openThreeLedgers(v);
            run(v, Command::UnbalancedEntries);
            auto* u = qobject_cast<GeneralJournal*>(v.CheckJournal.data());
            RecurringEntries* g = main_window_driving::openGroup(v, 0);
            ASSERT_TRUE(j && r && rb && u && g);
            // The account box, the box after it and the account's number box.
            const std::tuple<QComboBox*, QLineEdit*, QLineEdit*> rows[] = {
                {j->tReportAcc, j->FolioChoiceTx, j->FolioChoiceTx},
                {r->tReportAcc, r->FolioChoiceTx, r->FolioChoiceTx},
                {rb->tReportAcc, rb->FolioChoiceTx, rb->FolioChoiceTx},
                {u->tReportAcc, u->FolioChoiceTx, u->FolioChoiceTx},
                {v.DebitAccName[0], v.DebitAmountText[0], v.DebitFolio[0]},
                {g->Account_Name[0], g->AmountText[0], g->Folio[0]}};
            for (const auto& [box, next, number] : rows) {
                SCOPED_TRACE(locale.name + " " + box->window()->windowTitle().toStdString() + end);
                QApplication::setActiveWindow(box->window());
                box->setFocus(Qt::MouseFocusReason);
                box->lineEdit()->selectAll();
                dialog_driving::keyed("Sal\b"); // the completion's "es" erased
                EXPECT_EQ(box->currentText(), "Sal");
                dialog_driving::keyed("e" + end);
                EXPECT_EQ(std::tuple(box->view()->isVisible(), number->text(), next->hasFocus(),
                                     local.messages.shown.size()),
                          std::tuple(false, "400", end == "\t", 0u));
                dialog_driving::keyed(end == "\t" ? "6" : "");
                EXPECT_EQ(next->text() == "6", end == "\t");
                EXPECT_EQ(dialog_driving::typedThenPasted(number, "", "600").second, "600");
            }
        }
    // Every character their filters allow reaches the boxes not completing at once.
    for (QComboBox* box : {r->tReportAcc, rb->tReportAcc})
        EXPECT_EQ(dialog_driving::charactersMistaken(box, {}), "");
    const auto folio = [](QChar c) { return folioKeyAllowed(c.unicode(), "."); };
    for (QLineEdit* box : {j->FolioChoiceTx, r->FolioChoiceTx, rb->FolioChoiceTx})
        EXPECT_EQ(dialog_driving::charactersMistaken(box, folio), "");
    // Idle, a window draws nothing, nor does its table as a box blinks its cursor.
    int draws = 0;
    for (auto [window, canvas] :
         {std::pair<QWidget*, LedgerCanvas*>{j, j->Canvas}, {r, r->Canvas}, {rb, rb->Canvas}}) {
        window->show();
        dialog_driving::settle();
        canvas->draw = [&draws, draw = canvas->draw](DrawingSurface& s) { draw(s), ++draws; };
        for (QLineEdit* box : window->findChildren<QLineEdit*>())
            box->update();
        dialog_driving::settle();
        EXPECT_EQ(draws, 0) << window->windowTitle().toStdString();
        for (const ScrollBarWidget* bar : window->findChildren<ScrollBarWidget*>())
            EXPECT_FALSE(bar->logic().timerEnabled());
    }
}

// File > Print in the journal: in help mode it applies a typed date and then
// only explains itself; out of it, it prints the entries listed.
TEST(LedgerWindows, JournalPrintExplainsItselfInHelpMode) {
    ScopedFakeServices fakes;
    testing_support::TempDir dir;
    const auto pdf = dir / "journal.pdf";
    fakes.environment.vars["LW_PDF_OUTPUT"] = pdf.string();
    TAcount w;
    showLedgerBook(w);
    auto* j = open<GeneralJournal>(w, Command::ShowJournals, w.JournalWindows);
    ASSERT_NE(j, nullptr);
    activate(j);
    j->DateSearch[1]->setText("");
    typeText(j->DateSearch[1]->textBox(), "3/4/2025");
    const int builds = j->builds();

    // Should the print setup come up, it is noted and cancelled.
    Printformer* setup = w.printSetup();
    bool setupShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, setup, [&] {
        if (!setup->isVisible()) return;
        setupShown = true;
        setup->cancelClicked();
    });
    w.HelpSelect_Click();
    ASSERT_TRUE(helpMode().isOn());
    watch.start(10);
    j->PrintJournal->trigger();
    watch.stop();
    EXPECT_FALSE(setupShown);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(j->builds(), builds + 1); // the typed date applied first
    EXPECT_EQ(j->list().ShownLines, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(w.HC->isVisible());
    EXPECT_EQ(w.HC->title(), "Print...");
    EXPECT_EQ(w.HC->text().rfind("Send the selected journal entries to the printer...", 0), 0u)
        << w.HC->text();

    // Out of help mode the same command prints the entries listed.
    w.HelpSelect_Click();
    ASSERT_FALSE(helpMode().isOn());
    QTimer::singleShot(0, setup, [setup] {
        setup->printerChosen(PdfPrinterName);
        setup->printClicked();
    });
    j->PrintJournal->trigger();
    std::string text;
    ASSERT_EQ(testing_support::readPdfText(pdf.string(), &text), 0) << text;
    EXPECT_NE(text.find("Till takings"), std::string::npos) << text;
    EXPECT_EQ(text.find("Rent April"), std::string::npos) << text;
}

// Every date box of the ledger, journal and income-statement windows holds
// the widest date of every date style, with the cursor after it (the line
// edit keeps 2 pixels each side), in locales whose dates have blanks or
// month names and in wide fonts; the controls beside the boxes make room.
TEST(LedgerWindows, DateBoxesHoldTheWidestDateOfEveryStyle) {
    const LocaleInfo blanks = dayFirstDates("dd MM yyyy");
    const LocaleInfo names = dayFirstDates("d MMMM yyyy");
    const struct {
        LocaleInfo locale;
        std::string font;
    } cases[] = {
        {blanks, "DejaVu Sans Mono"},
        {names, "DejaVu Serif"},
        {monthFirstLocale(), ""},
    };
    for (const auto& c : cases) {
        ScopedFakeServices fakes(c.locale);
        TAcount w;
        Book book = ledgerBook();
        book.FontName = c.font;
        setAccount(book, book.slotsInUse(), "-922337203685477.5808", "Lowest", Other);
        showBook(w, std::move(book));
        for (int style = 0; style <= 8; ++style) {
            SCOPED_TRACE(c.locale.shortDatePattern + " " + c.font + " style " +
                         std::to_string(style));
            w.book().DateStyle = static_cast<std::int16_t>(style);
            const auto [j, r, rb] = openThreeLedgers(w);
            run(w, Command::IncomeStatement);
            auto* is = qobject_cast<Income_Statement*>(w.incomeStatementWindow.data());
            ASSERT_TRUE(j && r && rb && is);
            const struct {
                const char* window;
                std::array<CalanderForm*, 2> boxes;
                QWidget* next; // the control right of the second box
            } windows[] = {
                {"journal", j->DateSearch, j->tReportAcc},
                {"t-account", r->DateSearch, r->tReportAcc},
                {"running balance", rb->DateSearch, rb->tReportAcc},
                {"income statement", is->DateSearch, is->Command1},
            };
            // The keypad's decimal key, as a layout with a decimal comma sends it, types the mark.
            const std::string mark = Tmain::DateStyleSeparator(style, c.locale);
            const auto keypadTyped = [&mark](CalanderForm* box) {
                box->textBox()->setText("31");
                for (const char* part : {"12", "2024"}) {
                    pressKey(box->textBox(), Qt::Key_Comma, ",", Qt::KeypadModifier);
                    typeText(box->textBox(), part);
                }
                EXPECT_EQ(box->Text(), "31" + mark + "12" + mark + "2024");
            };
            keypadTyped(w.Datetext);
            for (const auto& shown : windows) {
                SCOPED_TRACE(shown.window);
                for (CalanderForm* box : shown.boxes) {
                    keypadTyped(box);
                    const QLineEdit* text = box->textBox();
                    const double widest = widestDate(text->font(), style, c.locale);
                    EXPECT_GE(text->width() - 2 * 2, widest + 1) << box->Text();
                    EXPECT_TRUE(box->geometry().contains(text->geometry().translated(box->pos())));
                }
                EXPECT_FALSE(shown.boxes[0]->geometry().intersects(shown.boxes[1]->geometry()));
                EXPECT_FALSE(shown.boxes[1]->geometry().intersects(shown.next->geometry()));
            }
            const QString lowest =
                "-922337203685477" + QString::fromStdString(c.locale.decimalMark) + "5808";
            for (const QLineEdit* folio : {j->FolioChoiceTx, r->FolioChoiceTx, rb->FolioChoiceTx}) {
                EXPECT_GE(lineEditTextRoom(folio), folio->fontMetrics().horizontalAdvance(lowest));
                for (const PageButton* b : folio->parentWidget()->findChildren<PageButton*>())
                    EXPECT_FALSE(b->geometry().intersects(folio->geometry()));
            }
            if (style == 4 && c.font == "DejaVu Sans Mono")
                saveScreenshot(r, "t_account_wide_dates");
            for (QWidget* opened : {static_cast<QWidget*>(j), static_cast<QWidget*>(r),
                                    static_cast<QWidget*>(rb), static_cast<QWidget*>(is)})
                delete opened;
        }
    }
}

TEST(LedgerWindows, SearchFillsTheSearchJournalWithItsCaption) {
    ScopedFakeServices fakes;
    TAcount w;
    showLedgerBook(w);
    ASSERT_NE(w.SearchJournal.data(), nullptr);
    EXPECT_FALSE(w.SearchJournal->isVisible());

    // A double click in the note box opens the search window for notes.
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5),
                    w.AccNote->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(w.AccNote, &dbl);
    auto* find = qobject_cast<Find_Entry*>(w.searchWindow.data());
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(w.run().SearchMode, 0);
    EXPECT_EQ(find->windowTitle().toStdString(), "Find Entry...");

    // Return, and keypad Enter below, sent as the keyboard sends them (to the
    // combo box, which has the focus) search as Find does.
    auto enter = [find](const QString& text, int key, Qt::KeyboardModifiers modifiers) {
        QApplication::setActiveWindow(find);
        find->Text1->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), find->Text1);
        find->Text1->setEditText(text);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, "\r");
        QApplication::sendEvent(find->Text1, &press);
    };
    enter("rent", Qt::Key_Return, Qt::NoModifier);
    auto* hits = qobject_cast<GeneralJournal*>(w.SearchJournal.data());
    ASSERT_NE(hits, nullptr);
    EXPECT_TRUE(hits->isVisible());
    activate(hits);
    EXPECT_EQ(hits->windowTitle().toStdString(), "General Journal...    Find 'rent' in :");
    EXPECT_EQ(hits->list().ShownLines, (std::vector<std::int32_t>{4, 5, 8, 9}));
    saveScreenshot(hits, "search_journal");
    saveScreenshot(find, "find_entry");
    // Other windows' searches leave this window's own alone.
    run(w, Command::UnbalancedEntries);
    run(w, Command::SearchNumbers);

    // A later build of the result window searches again, here within one account.
    choose(hits->tReportAcc, "Rent");
    EXPECT_EQ(hits->list().ShownLines, (std::vector<std::int32_t>{4, 5, 8, 9}));
    choose(hits->tReportAcc, "Capital");
    EXPECT_TRUE(hits->list().ShownLines.empty());
    EXPECT_EQ(hits->JJournal->ValueMax(), 0);

    // A second search replaces the window; the texts searched stay listed.
    find->Text1->setEditText("Sale 3");
    find->Command2->click();
    EXPECT_EQ(w.SearchJournal->windowTitle().toStdString(),
              "General Journal...    Find 'Sale 3' in :");
    EXPECT_EQ(find->Text1->count(), 2);
    enter("Sale 2", Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.SearchJournal->windowTitle().toStdString(),
              "General Journal...    Find 'Sale 2' in :");
    EXPECT_EQ(find->Text1->count(), 3);
    // What is typed is searched, never completed from the texts searched before.
    find->Text1->setEditText("");
    typeText(find->Text1, "Sale");
    pressKey(find->Text1, Qt::Key_Return, "\r");
    EXPECT_EQ(w.SearchJournal->windowTitle().toStdString(),
              "General Journal...    Find 'Sale' in :");
    find->Command3->click();
    EXPECT_FALSE(find->isVisible());

    // The reference box's double click searches references.
    QMouseEvent dblRef(QEvent::MouseButtonDblClick, QPointF(5, 5),
                       w.JournalID->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(w.JournalID, &dblRef);
    EXPECT_EQ(w.run().SearchMode, 1);
    EXPECT_TRUE(find->isVisible());
    // Searching references the box takes no character whose bytes would not fit a reference's 14,
    // typed or pasted; searching notes, any text.
    for (const LocaleInfo& locale : dialog_driving::typingLocales()) {
        ScopedFakeServices local(locale);
        TAcount v;
        showLedgerBook(v);
        for (const auto& [search, shown] :
             {std::pair(Command::SearchNumbers,
                        std::pair<std::string, std::string>("Überweisung-1", "éüőř€£ ")),
              {Command::SearchNotes, {"Überweisung-Ä1", "éüőř€£ Ünal"}}}) {
            run(v, search);
            auto* box = qobject_cast<Find_Entry*>(v.searchWindow.data())->Text1;
            EXPECT_EQ(dialog_driving::typedThenPasted(box, "Überweisung-Ä1", "éüőř€£ Ünal"), shown)
                << locale.name;
        }
    }
}

// Leaving a box builds what it shows, or puts back what was built; an
// unreadable date is told, also one read as another day while half typed.
TEST(LedgerWindows, LeavingABoxBuildsWhatItShowsOrPutsBackWhatWasBuilt) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    showLedgerBook(w);
    const auto [j, r, rb] = openThreeLedgers(w);
    auto check = [&](auto* l, auto built) { // built: the first day and the account
        QApplication::setActiveWindow(l);
        choose(l->tReportAcc, "Cash");
        fakes.messages.shown.clear();
        QLineEdit* from = l->DateSearch[0]->textBox();
        for (const char* typed : {"31/02/2024", "2024-13-01", "29/02/2023", "2/3/25"}) {
            EXPECT_EQ(std::pair(built().first, from->text()),
                      std::pair(march(1), QString("01/03/2025")));
            from->setFocus();
            from->selectAll();
            typeText(from, typed);
            l->tReportAcc->setFocus(Qt::TabFocusReason);
        }
        for (const char* name : {"Sales", "Nonesuch"}) { // as pasted
            l->tReportAcc->setFocus();
            l->tReportAcc->setEditText(name);
            from->setFocus(Qt::TabFocusReason);
        }
        EXPECT_EQ(fakes.messages.shown.size(), 4u);
        EXPECT_EQ(fakes.messages.shown[0].text, "Invalid Date");
        EXPECT_EQ(fakes.messages.lastText(), "This account does not exists...");
        EXPECT_EQ(std::tuple(from->text(), l->tReportAcc->currentText(), built()),
                  std::tuple("02/03/2025", "Sales", std::pair(march(2), money("400"))));
        // The number box builds a whole number an account has; any other is told and put back.
        for (const char* typed : {"600/7", "600.0.1", "999", "600"}) {
            l->FolioChoiceTx->setFocus();
            l->FolioChoiceTx->selectAll();
            typeText(l->FolioChoiceTx, typed);
            from->setFocus(Qt::TabFocusReason);
            const char* kept = typed == std::string("600") ? "600" : "400";
            EXPECT_EQ(std::pair(l->FolioChoiceTx->text(), built().second),
                      std::pair(QString(kept), money(kept)));
        }
        EXPECT_EQ(fakes.messages.shown[4].text, "\"600/7\" : Not an account number, 400 kept");
        EXPECT_EQ(fakes.messages.shown.size(), 7u);
        // A key the box refuses is told at once: no digits join round it without a word.
        l->FolioChoiceTx->selectAll();
        typeText(l->FolioChoiceTx, "6,");
        EXPECT_EQ(std::pair(l->FolioChoiceTx->text(), fakes.messages.lastText()),
                  std::pair(QString("6"),
                            std::string("\",\" : Not an account number: type digits, \"-\" and "
                                        "\".\" only")));
        from->setFocus(Qt::TabFocusReason);
    };
    check(j, [j] { return std::pair(j->list().FromDate, j->list().SelectedAccount); });
    check(r, [r] { return std::pair(r->ledger().FromDate, r->ledger().LedgerAccount); });
    check(rb, [rb] { return std::pair(rb->ledger().FromDate, rb->ledger().LedgerAccount); });
    // The T-account, too, builds a date not yet built before it prints.
    r->DateSearch[1]->setText("4/3/25");
    QTimer cancel; // the print setup, once it shows
    QObject::connect(&cancel, &QTimer::timeout, [&w] {
        if (w.printSetup()->isVisible()) w.printSetup()->cancelClicked();
    });
    cancel.start(10);
    r->Print_Account->trigger();
    EXPECT_EQ(r->ledger().ToDate, march(4));
}

TEST(LedgerWindows, JournalPagesAndClicksMoveTheMainWindow) {
    ScopedFakeServices fakes;
    TAcount w;
    showLedgerBook(w);
    auto* j = open<GeneralJournal>(w, Command::ShowJournals, w.JournalWindows);
    ASSERT_NE(j, nullptr);
    activate(j);
    const int lines = static_cast<int>(w.book().EntryLines.size());
    EXPECT_EQ(j->JJournal->ValueMax(), lines - 1);
    ASSERT_GT(j->VisibleRows, 4);
    EXPECT_EQ(j->page().itemLines.front(), 0);
    // A click on the second entry's row moves the main window there.
    const double y = (j->page().itemEnds[1] + j->page().itemEnds[2]) / 2.0;
    j->Form_MouseDown(QPointF(200, y));
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{2, 3}));
    j->Form_MouseMove(QPointF(200, y));
    EXPECT_EQ(j->ShowTip->text().toStdString(), "Go to No : 2" + std::string(13, ' '));
    j->Form_MouseDown(QPointF(200, 40)); // the heading band
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{2, 3}));
    // Page keys in a date box; End shows the last item, Home the first.
    KeyArgs end{keys::End, 0};
    emit j->DateSearch[0]->KeyDown(end);
    EXPECT_EQ(j->JJournal->Value(), lines - 1);
    KeyArgs home{keys::Home, 0};
    emit j->DateSearch[0]->KeyDown(home);
    EXPECT_EQ(j->JJournal->Value(), 0);
    const int step = j->VisibleRows;
    j->PNPag_Grey_MouseDown(1);
    EXPECT_EQ(j->JJournal->Value(), step);
    // Folio 100 lists the entries of Cash and of its till.
    j->FolioChoiceTx->setText("100");
    pressKey(j->FolioChoiceTx, Qt::Key_Return, "\r");
    EXPECT_EQ(j->tReportAcc->currentText().toStdString(), "Cash");
    EXPECT_EQ(j->list().ShownLines.size(), w.book().EntryLines.size());
    j->FolioChoiceTx->setText("600");
    pressKey(j->FolioChoiceTx, Qt::Key_Return, "\r");
    EXPECT_EQ(j->list().ShownLines, (std::vector<std::int32_t>{4, 5, 8, 9}));
    saveScreenshot(j, "general_journal_rent");

    // Export... writes the entries listed as a spreadsheet.
    testing_support::TempDir dir;
    DialogScript dialogs;
    dialogs.pick(dir / "rent", "xls");
    j->SaveJournal_Click();
    EXPECT_EQ(dialogs.captions, (std::vector<std::string>{"Save As..."}));
    EXPECT_EQ(w.run().CurrentFilePath, (dir / "rent.xls").string());
    EXPECT_GT(std::filesystem::file_size(dir / "rent.xls"), 100u);
}

// A deletion shifts the journal's lines, and a window not yet activated
// still holds the old ones: its rows go to no other entry and read nothing
// past the journal's end; the click builds the list again instead, and the
// next click on the new list goes where its row says.
TEST(LedgerWindows, RowsBuiltBeforeADeletionActOnNoOtherEntry) {
    ScopedFakeServices fakes;
    TAcount w;
    showLedgerBook(w);
    const auto [j, r, rb] = openThreeLedgers(w);
    ASSERT_TRUE(r && rb && j);
    choose(r->tReportAcc, "Rent");
    choose(rb->tReportAcc, "Rent");
    j->JJournal->setValue(j->JJournal->ValueMax()); // the journal's last line first
    ASSERT_EQ(j->page().itemLines.front(), w.book().LastEntryLine());
    const double lastItemY = j->page().itemEnds[0] - 2;
    ASSERT_EQ(rb->page()[1].line, 8); // the April rent, lines 8-9

    // The takings of lines 2-3 deleted: the April rent is lines 6-7 now.
    w.ScrollAcc->setValue(2);
    w.action(Command::DeleteEntry)->trigger();
    const EntryBounds shown = w.entryModel().bounds();
    const EntryBounds aprilRent{6, 7};

    struct Case {
        const char* window;
        std::function<void()> hover;
        std::function<bool()> hoverShowsNothing;
        std::function<void()> click;
    } cases[] = {
        {"t-account", [&] { r->DebitR_MouseMove(1); }, [&] { return r->detailBar.empty(); },
         [&] { r->DebitR_Click(1); }},
        {"running balance", [&] { rb->Form_MouseMove(QPointF(100, 82)); },
         [&] { return rb->detailBar.empty(); }, [&] { rb->Form_MouseDown(QPointF(100, 82)); }},
        {"journal", [&] { j->Form_MouseMove(QPointF(200, lastItemY)); },
         [&] { return j->ShowTip->isHidden(); },
         [&] { j->Form_MouseDown(QPointF(200, lastItemY)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        c.hover();
        EXPECT_TRUE(c.hoverShowsNothing());
        c.click();
        EXPECT_EQ(w.entryModel().bounds(), shown);
    }
    // Built again, each list holds the shifted lines.
    EXPECT_EQ(r->page()[1].debit.line, 6);
    EXPECT_EQ(rb->page()[1].line, 6);
    EXPECT_EQ(j->list().ShownLines.size(), w.book().EntryLines.size());
    r->DebitR_Click(1);
    EXPECT_EQ(w.entryModel().bounds(), aprilRent);
    w.ScrollAcc->setValue(0);
    rb->Form_MouseDown(QPointF(100, 82));
    EXPECT_EQ(w.entryModel().bounds(), aprilRent);
    saveScreenshot(rb, "running_balance_after_deletion");
}

TEST(LedgerWindows, DrillDownWindowsBuildWithoutBeingShown) {
    ScopedFakeServices fakes;
    TAcount w;
    showBook(w, ledgerBook());
    Report& r = drillDownReport(w);
    EXPECT_EQ(&drillDownReport(w), &r); // one shared window, created on first use
    r.tReportAcc->setEditText("Rent");
    r.DateSearch[1]->setText("3/4/2025");
    r.tReportAcc_Click();
    EXPECT_FALSE(r.isVisible());
    ASSERT_EQ(r.ledger().Debit.Rows.size(), 1u); // the April rent lies after the end date
    EXPECT_EQ(r.page()[0].debit.text, "Cash");
    EXPECT_EQ(r.FolioChoiceTx->text(), "600");
    EXPECT_GT(r.PageRows, 10); // laid out for its size though never shown

    Running_Balance& rb = drillDownRunningBalance(w);
    EXPECT_EQ(&drillDownRunningBalance(w), &rb);
    rb.Form_Load();
    rb.DateSearch[1]->setText("3/4/2025");
    rb.tReportAcc->setEditText("Sales");
    rb.tReportAcc_Click();
    EXPECT_FALSE(rb.isVisible());
    ASSERT_EQ(rb.ledger().Rows.size(), 2u); // the takings of 2 and 4 March
    EXPECT_EQ(rb.page().back().balance, "550.00 Cr");
}

} // namespace
