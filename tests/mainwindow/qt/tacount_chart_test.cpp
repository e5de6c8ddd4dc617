// The chart of accounts and the move window opened from the main window: a
// checked close refills the entry line's account boxes, opening another book
// closes a faulty editor without its check, and a move changes the journal
// and marks the book changed.
#include "accounts/qt/ConfigAccounts.h"
#include "accounts/qt/MoveAccounts.h"
#include "book/book_file.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/ledger_windows.h"
#include "platform/fake/fake_services.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace main_window_driving;
using testing_support::TempDir;

namespace {

void settleDeletes() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(TAcountChart, CheckedCloseRefillsTheBoxesAndOpeningABookClosesWithoutTheCheck) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    ASSERT_TRUE(writeBookFile(dir / "other.acc", tradingBook("Other Shop"), nullptr).ok());
    TAcount w;
    w.show();
    showBook(w, tradingBook());

    // The statements' shared T-account and running-balance windows stand
    // open over the account list the chart is about to change.
    QPointer<QWidget> drillDowns[] = {&drillDownReport(w), &drillDownRunningBalance(w)};
    for (QWidget* ledger : drillDowns)
        ledger->show();

    run(w, Command::EditAccounts);
    auto* chart = qobject_cast<ConfigAccounts*>(w.chartOfAccountsWindow.data());
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    chart->RenameAccount[4]->setFocus();
    chart->selectRow(4);
    chart->RenameAccount[4]->clear();
    dialog_driving::typeText(chart->RenameAccount[4], "Rates");
    EXPECT_TRUE(w.run().BookChanged);
    EXPECT_TRUE(chart->close());
    settleDeletes();
    EXPECT_TRUE(w.chartOfAccountsWindow.isNull());
    for (const QPointer<QWidget>& ledger : drillDowns)
        EXPECT_TRUE(ledger.isNull()); // closed; the next drill-down makes them anew
    EXPECT_EQ(drillDownReport(w).tReportAcc->itemText(4), "Rates");
    const std::vector<std::string> expected{"Balance b/f", "Cash", "Capital", "Sales", "Rates"};
    EXPECT_EQ(w.accountList->names(), expected);
    EXPECT_EQ(w.DebitAccName[30]->count(), 5);
    EXPECT_EQ(w.CreditAccName[0]->itemText(4), "Rates");
    EXPECT_EQ(w.ScrollAcc->Value(), 0);

    // A chart the check refuses stays open; opening a book closes it unasked.
    run(w, Command::EditAccounts);
    chart = qobject_cast<ConfigAccounts*>(w.chartOfAccountsWindow.data());
    ASSERT_NE(chart, nullptr);
    chart->RenameAccount[4]->setFocus();
    chart->selectRow(4);
    chart->RenameAccount[4]->clear();
    dialog_driving::typeText(chart->RenameAccount[4], "Sales");
    EXPECT_FALSE(chart->close());
    const std::size_t messages = fakes.messages.shown.size();
    w.setBookChanged(false);
    DialogScript script;
    script.pick(dir / "other.acc");
    run(w, Command::LoadFile);
    settleDeletes();
    EXPECT_TRUE(w.chartOfAccountsWindow.isNull());
    EXPECT_EQ(fakes.messages.shown.size(), messages); // no check, no message
    EXPECT_EQ(w.book().AccountNames[4], "Rent");
}

TEST(TAcountChart, MoveAccountMovesTheLinesOnYesAndMarksTheBook) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    w.show();
    showBook(w, tradingBook());
    const Book before = w.book();
    w.showJournalLine(static_cast<int>(
        std::ranges::find(before.EntryLines, money("100"), &EntryLine::AccountNumber) -
        before.EntryLines.begin()));
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        w.setBookChanged(false);
        fakes.messages.answers = {answer};
        QTimer::singleShot(0, &w, [&w] {
            auto* move = w.findChild<MoveAccounts*>();
            ASSERT_NE(move, nullptr);
            EXPECT_TRUE(move->isModal());
            move->A1->setCurrentText("Cash");
            move->A2->setCurrentText("Rent");
            move->Command1->click();
        });
        run(w, Command::ReplaceAccounts);
        EXPECT_TRUE(w.run().BookChanged);
        EXPECT_EQ(fakes.messages.lastText(), "Move Account 100 to 600, Are you sure ?");
        // The entry on screen shows the account its line now holds.
        QStringList folios;
        for (int r = 0; r < EntryRowsPerSide; ++r)
            folios << w.DebitFolio[r]->text() << w.CreditFolio[r]->text();
        EXPECT_EQ(folios.contains("600"), answer == MessageAnswer::Yes);
        EXPECT_EQ(folios.contains("100"), answer == MessageAnswer::No);
    }
    int moved = 0;
    for (std::size_t i = 0; i < before.EntryLines.size(); ++i) {
        if (before.EntryLines[i].AccountNumber == money("100")) {
            EXPECT_EQ(w.book().EntryLines[i].AccountNumber, money("600"));
            ++moved;
        } else {
            EXPECT_EQ(w.book().EntryLines[i], before.EntryLines[i]);
        }
    }
    EXPECT_GT(moved, 0);
    EXPECT_EQ(w.book().AccountNumbers, before.AccountNumbers);
}

} // namespace
