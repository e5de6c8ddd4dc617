// Finding an entry from the main window: the go-to box and Tools > Balance Point.
#include "mainwindow/goto_search.h"
#include "mainwindow/qt/TAcount.h"
#include "platform/fake/fake_services.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QAction>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace main_window_driving;
using dialog_driving::pressKey;
using dialog_driving::typeText;

namespace {

// Fifteen takings of 10 (Cash against Sales), references 1 to 15, lines 0 to 29.
Book numberedBook() {
    Book b = tradingBook();
    b.EntryLines.clear();
    b.EntryIds.clear();
    for (int i = 1; i <= 15; ++i)
        addEntry(b, "100", "400", "10", "Takings " + std::to_string(i), std::to_string(i));
    return b;
}

TEST(TAcountGoto, AReferenceTypedAndEnterShowItsEntryElseTheStatusLineSaysSo) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    showBook(w, numberedBook());
    w.show();
    ASSERT_EQ(w.entryModel().bounds(), (EntryBounds{28, 29}));
    EXPECT_EQ(w.Text1->text(), "15");

    // Tabbing in selects the text; a press empties the box.
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w.Text1, &tabbedIn);
    EXPECT_EQ(w.Text1->selectedText(), "15");
    click(w.Text1);
    EXPECT_EQ(w.Text1->text(), "");

    typeText(w.Text1, "12");
    pressKey(w.Text1, Qt::Key_Return, "\r");
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{22, 23}));
    EXPECT_EQ(w.run().CurrentFirstLine, 22);
    EXPECT_EQ(w.JournalID->text(), "12");
    EXPECT_EQ(w.AccNote->text(), "Takings 12");

    // "1" is reference 1, not the first reference starting with it.
    click(w.Text1);
    typeText(w.Text1, "1");
    pressKey(w.Text1, Qt::Key_Return, "\r");
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{0, 1}));

    // Letters come up in upper case; a reference nobody has is said in the
    // status line, in red, and the entry shown stays.
    click(w.Text1);
    typeText(w.Text1, "x9");
    EXPECT_EQ(w.Text1->text(), "X9");
    pressKey(w.Text1, Qt::Key_Return, "\r");
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{0, 1}));
    EXPECT_EQ(w.GL[7]->text().toStdString(), referenceNotFoundText("X9"));
    EXPECT_EQ(w.GL[7]->text(), "Entry number X9 not found...");
    EXPECT_NE(w.GL[7]->styleSheet().indexOf("#FF0000"), -1);

    // Up and Down step one entry, once (the window does not step again).
    w.ScrollAcc->setValue(22);
    pressKey(w.Text1, Qt::Key_Up);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{20, 21}));
    pressKey(w.Text1, Qt::Key_Down);
    pressKey(w.Text1, Qt::Key_Down);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{24, 25}));
    // Up on the first entry stays there.
    w.ScrollAcc->setValue(0);
    pressKey(w.Text1, Qt::Key_Up);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{0, 1}));
}

TEST(TAcountGoto, BalancePointGoesWhereTheJournalLastWentOutOfBalance) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book b = numberedBook();
    b.EntryLines[7].Amount = money("7"); // entry 4 (lines 6-7) credits 3 short
    TAcount w;
    showBook(w, b);
    w.show();
    w.ScrollAcc->setValue(12);
    run(w, Command::BalancePoint);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{6, 7}));
    EXPECT_TRUE(w.isEnabled());

    // Entry 9 (lines 16-17) credits 3 too many: the journal balances after it
    // again, and the point is the last entry.
    w.book().EntryLines[17].Amount = money("13");
    w.ScrollAcc->setValue(0);
    run(w, Command::BalancePoint);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{28, 29}));

    // The search and unbalanced-entries commands have their windows.
    EXPECT_TRUE(w.action(Command::SearchNumbers)->isEnabled());
    EXPECT_TRUE(w.action(Command::SearchNotes)->isEnabled());
    EXPECT_TRUE(w.action(Command::UnbalancedEntries)->isEnabled());
    EXPECT_TRUE(w.action(Command::BalancePoint)->isEnabled());
}

} // namespace
