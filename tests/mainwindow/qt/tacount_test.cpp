#include "mainwindow/qt/TAcount.h"

#include "book/hand_made_books.h"
#include "book/tmain.h"
#include "mainwindow/entry_test_books.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/combo_type_ahead.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "mainwindow/startup_state.h"
#include "platform/fake/fake_services.h"
#include "platform/qt/qt_services.h"
#include "resources/string_table.h"
#include "support/screen_fit.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace entry_books;
using dialog_driving::pressKey;
using dialog_driving::typeText;
using main_window_driving::click;

namespace {

// The five entries of addFiveEntries() in the window's own book.
void loadFiveEntries(TAcount& w) {
    fourAccounts(w.book());
    addFiveEntries(w.book());
    w.refillAccountBoxes();
    w.journalLengthChanged();
}

// Every row of the window shows what the model says its line holds.
void expectRowsMirrorTheirLines(TAcount& w) {
    const Book& b = w.book();
    for (int r = 0; r < EntryRowsPerSide; ++r) {
        for (bool debit : {true, false}) {
            const int line = debit ? w.debitRowLine(r) : w.creditRowLine(r);
            QLineEdit* amount = (debit ? w.DebitAmountText : w.CreditAmountText)[r];
            QLineEdit* folio = (debit ? w.DebitFolio : w.CreditFolio)[r];
            if (line < 0) {
                EXPECT_TRUE(amount->isHidden()) << r;
                continue;
            }
            EXPECT_FALSE(amount->isHidden()) << r;
            EXPECT_EQ(b.EntryLines[line].Side, debit ? Debit : Credit);
            EXPECT_EQ(amount->text().toStdString(), b.EntryLines[line].Amount.toPlainString());
            EXPECT_EQ(folio->text().toStdString(),
                      b.EntryLines[line].AccountNumber.toPlainString());
        }
    }
}

std::vector<EntryBounds> stepThrough(TAcount& w, int times, const std::function<void()>& step) {
    std::vector<EntryBounds> seen;
    for (int i = 0; i < times; ++i) {
        step();
        seen.push_back(w.entryModel().bounds());
        expectRowsMirrorTheirLines(w);
    }
    return seen;
}

} // namespace

TEST(TAcountStartUp, StateUnderEachLocale) {
    // The fixed locales, then the system's as Qt gives them: the whole
    // currency symbol, and a day-first or year-first long date never month first.
    auto qt = [](const char* name) { return localeInfoFrom(QLocale(name)); };
    const std::tuple<LocaleInfo, std::string, int> cases[] = {
        {monthFirstLocale(), "$ :", 0},
        {dayFirstLocale(), "\xC2\xA3 :", 0},
        {decimalCommaLocale(), "\xE2\x82\xAC :", 0},
        {qt("hu_HU"), "Ft :", 2},
        {qt("cs_CZ"), "K\xC4\x8D :", 0},
        {qt("pl_PL"), "z\xC5\x82 :", 0},
        {qt("sv_SE"), "kr :", 0},
        {qt("de_CH"), "CHF :", 0},
        {qt("ro_RO"), "RON :", 0}};
    for (const auto& [locale, currency, dateStyle] : cases) {
        SCOPED_TRACE(locale.name);
        ScopedFakeServices fakes(locale);
        TAcount w;
        EXPECT_EQ(w.book().AccountNames[0], "Balance b/f");
        EXPECT_EQ(w.book().DateStyle, dateStyle);
        EXPECT_EQ(w.book().AutoIncrement, 1);
        EXPECT_EQ(w.run().DecimalSeparator, locale.decimalMark);
        EXPECT_EQ(w.run().ThousandsSeparator, locale.groupMark);
        EXPECT_EQ(w.GL[8]->text().toStdString(), currency);
        EXPECT_EQ(w.GL[9]->text().toStdString(), currency);
        EXPECT_EQ(w.ScrollAcc->ValueMax(), w.book().LastEntryLine());
        EXPECT_EQ(w.ScrollAcc->Value(), w.book().LastEntryLine());
        EXPECT_EQ(w.Datetext->Text(),
                  Tmain::FormatDateStyle(fakes.clock.today(), dateStyle, locale));
        const QColor base = w.palette().color(QPalette::Window);
        EXPECT_EQ(w.run().GradientColors, toolbarGradient(base.red(), base.green(), base.blue()));
        EXPECT_EQ(w.windowTitle().toStdString(), MainCaptionPrefix);
        // Captions and tips from the string table.
        EXPECT_EQ(w.menuBar()->actions()[0]->text(), "&File");
        EXPECT_EQ(w.menuBar()->actions()[4]->text(), "&Tools");
        EXPECT_EQ(dialog_driving::menuAccessKeys(&w), "fedsth");
        EXPECT_EQ(w.action(Command::LoadFile)->text().toStdString(), strings::text(111));
        EXPECT_EQ(w.action(Command::LoadFile)->shortcut(), QKeySequence("Ctrl+O"));
        EXPECT_EQ(w.action(Command::ShowBalance)->shortcut(), QKeySequence("F7"));
        EXPECT_EQ(w.GL[2]->text(), "No :");
        EXPECT_EQ(w.GL[6]->text(), "Notes :");
        EXPECT_EQ(w.Command1->text(), "New Entry");
        EXPECT_EQ(w.GroupBu->text(), "Include");
        EXPECT_EQ(w.GroupBu->toolTip(), "Include Entries...");
        EXPECT_EQ(w.ButtonBar->CalcButton[6]->toolTip(), "Trial Balance...");
        // The empty book's entry is shown.
        EXPECT_EQ(w.JournalID->text(), "1");
        EXPECT_EQ(w.CELablel->text(), "Entry 1");
        EXPECT_EQ(w.accountList->names(), std::vector<std::string>{"Balance b/f"});
    }
}

TEST(TAcountLayout, SizeFromTheStoreMinimumAndClosingStoresIt) {
    ScopedFakeServices fakes;
    fakes.settings.set("LW", "Settings", "Width", "12000");
    TAcount w;
    EXPECT_EQ(w.width(), 800);
    w.show();
    QApplication::processEvents();
    w.resize(200, 100); // below the minimum: snaps back
    QApplication::processEvents();
    EXPECT_GE(w.frameGeometry().width(), 657);
    EXPECT_GE(w.frameGeometry().height(), 240);
    w.resize(900, 420);
    QApplication::processEvents();
    // The account boxes grow with the window, less what the other boxes take
    // beyond their designed width; the amounts keep 760 twips apart.
    const int inner = w.centralWidget()->width();
    const int wider = w.DebitAmountText[0]->width() - toPixels(design::AmountWidth) +
                      w.DebitFolio[0]->width() - toPixels(design::FolioWidth);
    EXPECT_NEAR(w.DebitAccName[0]->width(), toPixels(toTwips(inner) - 5680) - wider, 1);
    EXPECT_GE(w.CreditFolio[2]->maxLength(), 8);
    EXPECT_EQ(dialog_driving::numberTextsCut(w.CreditFolio[2]), std::vector<std::string>{});
    EXPECT_NEAR(w.CreditAmountText[5]->x() - w.DebitAmountText[5]->x(), 760 / 15.0, 1.0);
    EXPECT_EQ(w.ScrollAcc->x(), toPixels(toTwips(inner) - (design::ScrollWidth + 50)));
    w.endProgram = [] {};
    EXPECT_TRUE(w.close());
    EXPECT_EQ(fakes.settings.get("LW", "Settings", "Width"),
              std::to_string(toTwips(w.frameGeometry().width())));
    EXPECT_EQ(fakes.settings.get("LW", "Settings", "Height"),
              std::to_string(toTwips(w.frameGeometry().height())));
    EXPECT_TRUE(fakes.messages.shown.empty()); // an unchanged book ends without a question
}

// The big-figure book in `family`, with a last entry of two lines a side, one
// of them the largest amount the money type holds, one on account 99999999.
Book largestFigureBook(const QString& family) {
    Book b = bigFigureBook(family.toStdString());
    handmade::setAccount(b, 10, "99999999", "Suspense", CurrentAsset);
    trading_books::addLine(b, Debit, "99999999", "59404255022.08", "", "99");
    trading_books::addLine(b, Debit, "100", "922337203685477.5807", "", "99");
    trading_books::addLine(b, Credit, "400", "118808510044.16", "", "99");
    trading_books::addLine(b, Credit, "300", "922337085876967.4907", "Big figures", "99");
    return b;
}

// In three fonts and locales, at the window's default size and its
// smallest, every amount box shows its figure whole in the font it was given,
// the number box its number (the account boxes giving way), and no two texts
// of the window meet; a long name picked from the list shows its start; on an
// entry of one side the other side's caption keeps its row when resized.
TEST(TAcountLayout, EveryAmountBoxShowsTheLargestFigureWhole) {
    dialog_driving::inFigureFonts([](const QFont& font, ScopedFakeServices&) {
        TAcount w;
        w.show();
        main_window_driving::showBook(w, largestFigureBook(font.family()));
        for (bool smallest : {false, true}) {
            if (smallest) w.resize(1, 1); // snaps back to the minimum size
            QApplication::processEvents();
            EXPECT_EQ(w.DebitAmountText[1]->text().left(15), "922337203685477");
            EXPECT_EQ(w.DebitAmountText[1]->font(), font);
            EXPECT_EQ(dialog_driving::figuresCut(&w), std::vector<std::string>{}) << smallest;
            const QLineEdit* number = w.DebitFolio[0];
            EXPECT_EQ(number->text(), "99999999");
            EXPECT_EQ(number->font().family(), font.family());
            EXPECT_LE(number->fontMetrics().horizontalAdvance(number->text()),
                      lineEditTextRoom(number))
                << smallest;
            EXPECT_EQ(overlappingTexts(dialog_driving::shownTexts(&w)), std::vector<std::string>{})
                << smallest;
            EXPECT_GE(w.GL[7]->contentsRect().height(), w.GL[7]->fontMetrics().height());
        }
        // The list opens as wide as its longest name, and at most as the screen.
        QComboBox* box = w.DebitAccName[0];
        const QRect screen = box->screen()->availableGeometry();
        const QWidget* list = box->view()->parentWidget();
        box->showPopup();
        int widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest =
                std::max(widest, box->view()->fontMetrics().horizontalAdvance(box->itemText(i)));
        EXPECT_LE(widest, box->view()->viewport()->width());
        EXPECT_TRUE(screen.contains(list->geometry()));
        box->hidePopup();
        Book b = w.book();
        b.AccountNames[1] = std::string(200, 'W');
        fillEntryAccountList(b);
        main_window_driving::showBook(w, std::move(b));
        box->showPopup();
        EXPECT_EQ(std::pair(list->width(), screen.contains(list->geometry())),
                  std::pair(screen.width(), true));
        box->hidePopup();
        // A long name picked shows from its start in the box and on the status line.
        main_window_driving::choose(box, std::string(200, 'W'));
        EXPECT_EQ(dialog_driving::figuresUnreadable(&w, true), std::vector<std::string>{});
        const QRect room = w.GL[7]->contentsRect();
        const QSize text = w.GL[7]->fontMetrics().size(0, w.GL[7]->text());
        EXPECT_EQ(QStyle::alignedRect(Qt::LeftToRight, w.GL[7]->alignment(), text, room).left(),
                  room.left());
        for (const std::uint8_t side : {Debit, Credit}) {
            trading_books::addLine(w.book(), side, "100", "5", "One side", "100");
            w.journalLengthChanged();
            const int shown = w.GL[side == Debit ? 5 : 4]->y();
            w.resize(w.width() + 40, w.height());
            EXPECT_EQ(w.GL[side == Debit ? 5 : 4]->y(), shown) << side;
        }
        dialog_driving::saveScreenshot(&w, "main_window_largest_figure_" +
                                               font.family().split(' ').last().toStdString());
    });
}

TEST(TAcountEntryLine, UpDownAndTheImagesStepThroughEveryEntryRowByRow) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    loadFiveEntries(w);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{13, 14})); // opens at the last entry
    EXPECT_EQ(w.AccNote->text(), "Last");

    const std::vector<EntryBounds> backwards = {{11, 12}, {8, 10}, {6, 7}, {0, 5}, {0, 5}};
    EXPECT_EQ(stepThrough(w, 5, [&] { pressKey(&w, Qt::Key_Up); }), backwards);
    // The compound entry: five debit rows, each on its own line, one credit row.
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(w.debitRowLine(r), r);
    EXPECT_EQ(w.DebitAmountText[4]->text(), "14");
    EXPECT_EQ(w.DebitAccName[2]->currentText(), "Rent");
    EXPECT_EQ(w.CreditAccName[0]->currentText(), "Cash");
    EXPECT_TRUE(w.DebitFolio[5]->isHidden());
    EXPECT_EQ(w.CELablel->text(), "Entry 1 - 3");
    EXPECT_LT(w.DebitFolio[4]->y(), w.CreditFolio[0]->y()); // stacked in journal order

    const std::vector<EntryBounds> forwards = {{6, 7}, {8, 10}, {11, 12}, {13, 14}, {13, 14}};
    EXPECT_EQ(stepThrough(w, 5, [&] { click(w.ButtonBar->PNPage[1], QPoint(15, 15)); }), forwards);
    EXPECT_EQ(stepThrough(w, 2, [&] { click(w.ButtonBar->PNPage[0], QPoint(15, 15)); }),
              (std::vector<EntryBounds>{{11, 12}, {8, 10}}));
    // The credit written first sits above its debit and each row shows its own line.
    EXPECT_EQ(stepThrough(w, 1, [&] { pressKey(w.ScrollAcc, Qt::Key_Up); }),
              (std::vector<EntryBounds>{{6, 7}}));
    EXPECT_EQ(w.creditRowLine(0), 6);
    EXPECT_EQ(w.debitRowLine(0), 7);
    EXPECT_EQ(w.CreditAmountText[0]->text(), "25");
    EXPECT_LT(w.CreditFolio[0]->y(), w.DebitFolio[0]->y());
    EXPECT_EQ(stepThrough(w, 2, [&] { pressKey(&w, Qt::Key_Down); }),
              (std::vector<EntryBounds>{{8, 10}, {11, 12}}));
    EXPECT_EQ(w.AccNote->text(), ""); // "_" shows empty

    // Any window moves the main window by setting the scroller's value.
    w.ScrollAcc->setValue(9);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{8, 10}));
    EXPECT_EQ(w.JournalID->text(), "3");
    EXPECT_EQ(w.Text1->text(), "3");
}

TEST(TAcountEntryLine, ThePositionLabelShowsItsWholeTextOnAMillionLines) {
    ScopedFakeServices fakes;
    TAcount w;
    fourAccounts(w.book());
    // A million entries: two-line ones, then a last one of three lines.
    Book& b = w.book();
    EntryLine line;
    line.Date = 45000;
    line.Amount = money(1);
    line.Details = "_";
    b.EntryLines.assign(1999999, line);
    b.EntryIds.assign(1999999, EntryId("1"));
    for (std::size_t i = 0; i < b.EntryLines.size(); ++i) {
        EntryLine& l = b.EntryLines[i];
        const bool last = i >= 1999996;
        l.Side = (last ? i < 1999998 : i % 2 == 0) ? Debit : Credit;
        l.AccountNumber = money(l.Side == Debit ? 600 : 100);
        if (l.Side == Debit) l.Details.clear();
    }
    w.refillAccountBoxes();
    w.journalLengthChanged();
    w.show();
    QApplication::processEvents();
    const QLabel* label = w.CELablel;
    EXPECT_EQ(label->text(), "Entry 999999 - 1000000");
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_LE(label->mapTo(&w, QPoint(label->width(), 0)).x(), w.ScrollAcc->x());
    EXPECT_GE(label->x(), w.GL[1]->geometry().right());
    EXPECT_FALSE(w.grab().isNull());
    dialog_driving::saveScreenshot(&w, "main_window_million_lines");
}

TEST(TAcountEntryLine, ThirtyFiveLinesASideShowThirtyOneAndSaySo) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    Book& b = w.book();
    fourAccounts(b);
    for (int i = 0; i < 35; ++i)
        addLine(b, Debit, 100, i + 1, "", "7");
    for (int i = 0; i < 35; ++i)
        addLine(b, Credit, 400, i + 1, i == 34 ? "Big" : "", "7");
    w.journalLengthChanged();
    EXPECT_FALSE(w.DebitAmountText[30]->isHidden());
    EXPECT_FALSE(w.CreditAmountText[30]->isHidden());
    EXPECT_EQ(w.DebitAmountText[30]->text(), "31");
    EXPECT_EQ(w.creditRowLine(30), 65);
    EXPECT_TRUE(w.GL[7]->text().startsWith("8 lines not shown"));
    EXPECT_FALSE(w.EScroll->isHidden()); // taller than the panel
    EXPECT_GT(w.EScroll->ValueMax(), 0);
    // Scrolling the panel moves every row up by the scroller's value.
    const int before = w.DebitFolio[3]->y();
    w.EScroll->setValue(300);
    EXPECT_EQ(w.DebitFolio[3]->y(), before - toPixels(300));
    expectRowsMirrorTheirLines(w);
    w.resize(1, 1); // the notice shows whole at the window's smallest
    EXPECT_LE(w.GL[7]->fontMetrics().horizontalAdvance(w.GL[7]->text()),
              w.GL[7]->contentsRect().width());
}

TEST(TAcountEntryLine, AdministratorPasswordLocksEveryBoxOfAnOldEntry) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    Book& b = w.book();
    fourAccounts(b);
    for (int e = 0; e < 40; ++e) { // an old compound entry first, then pairs
        if (e == 0)
            for (int i = 0; i < 5; ++i)
                addLine(b, Debit, 100, 1, "", "1");
        addLine(b, Debit, 100, 1, "", std::to_string(e + 1));
        addLine(b, Credit, 400, e == 0 ? 6 : 1, "_", std::to_string(e + 1));
    }
    b.AdminPassword = "boss";
    w.journalLengthChanged();
    w.ScrollAcc->setValue(0);
    ASSERT_EQ(w.entryModel().bounds(), (EntryBounds{0, 6}));
    EXPECT_FALSE(w.JournalID->isEnabled());
    EXPECT_FALSE(w.Datetext->isEnabled());
    // Its date box is greyed as every disabled box is, not only its calendar face.
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::Base})
        EXPECT_EQ(w.Datetext->textBox()->palette().color(role), w.JournalID->palette().color(role));
    EXPECT_FALSE(w.AccNote->isEnabled());
    for (int r = 0; r < EntryRowsPerSide; ++r) {
        EXPECT_FALSE(w.DebitFolio[r]->isEnabled()) << r;
        EXPECT_FALSE(w.CreditFolio[r]->isEnabled()) << r;
        EXPECT_FALSE(w.DebitAccName[r]->isEnabled()) << r;
        EXPECT_FALSE(w.CreditAmountText[r]->isEnabled()) << r;
    }
    w.ScrollAcc->setValue(w.book().LastEntryLine());
    EXPECT_TRUE(w.JournalID->isEnabled());
    for (int r = 0; r < EntryRowsPerSide; ++r)
        EXPECT_TRUE(w.DebitFolio[r]->isEnabled()) << r;
    // Without the password nothing is locked.
    b.AdminPassword = "";
    w.ScrollAcc->setValue(0);
    EXPECT_TRUE(w.DebitFolio[3]->isEnabled());
}

TEST(TAcountCommands, EnabledCommandsRunAndTheDisabledAreThoseWithoutTheirWindow) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    int ended = 0;
    w.endProgram = [&] { ++ended; };
    const std::set<Need> present = {
        // The main window's own commands,
        Need::Nothing, Need::EntryCommands, Need::FileCommands, Need::InvoiceCommands,
        // and the windows built so far.
        Need::SettingsWindow, Need::ChartOfAccounts, Need::MoveAccountsWindow,
        Need::EntryGroupsWindow, Need::TapeCalculator, Need::PayrollCalculator,
        Need::DepreciationCalculator, Need::GeneralJournal, Need::TAccountLedger,
        Need::RunningBalance, Need::SearchWindow, Need::TrialBalanceWindow,
        Need::IncomeStatementWindow, Need::CashFlowWindow, Need::BalanceSheetWindow};
    for (const CommandInfo& info : allCommands()) {
        EXPECT_EQ(w.commandEnabled(info.command), commandAvailable(info.command, present))
            << info.control;
        if (QAction* a = w.action(info.command)) {
            EXPECT_EQ(a->isEnabled(), w.commandEnabled(info.command)) << info.control;
        }
    }
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(w.ButtonBar->CalcButton[i]->isEnabled(), w.commandEnabled(buttons[i].command));
    EXPECT_TRUE(w.GroupBu->isEnabled());

    // Help > Contents switches help mode on and off.
    w.action(Command::HelpSelect)->trigger();
    EXPECT_TRUE(helpMode().isOn());
    EXPECT_TRUE(w.action(Command::HelpSelect)->isChecked());
    EXPECT_TRUE(w.HC->isVisible());
    w.action(Command::HelpSelect)->trigger();
    EXPECT_FALSE(helpMode().isOn());
    EXPECT_FALSE(w.action(Command::HelpSelect)->isChecked());
    // The help button does the same; closing the help window ends the mode.
    click(w.ButtonBar->HelpButton, QPoint(15, 15));
    EXPECT_TRUE(helpMode().isOn());
    w.HC->close();
    EXPECT_FALSE(helpMode().isOn());
    // About.
    w.action(Command::AboutMenu)->trigger();
    EXPECT_TRUE(w.HC->isVisible());
    EXPECT_EQ(w.HC->title(), AboutTitle);
    EXPECT_NE(w.HC->text().find("INVOICES AND INVENTORY"), std::string::npos);
    EXPECT_EQ(w.HC->windowTitle(), "About...");
    EXPECT_FALSE(helpMode().isOn());
    // Exit asks like the close box when the book changed; No keeps the window.
    w.setBookChanged(true);
    fakes.messages.answers.push_back(MessageAnswer::No);
    w.action(Command::Exitit)->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ended, 0);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.lastText(), "Do you want to exit without saving ?");
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageButtons::YesNo);
    fakes.messages.answers.push_back(MessageAnswer::Yes);
    w.action(Command::Exitit)->trigger();
    EXPECT_EQ(ended, 1);
}

TEST(TAcountCommands, CloseBoxAsksForAChangedBookAndStoresTheSizeEitherWay) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    int ended = 0;
    w.endProgram = [&] { ++ended; };
    w.setBookChanged(true);
    fakes.messages.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(fakes.settings.get("LW", "Settings", "Width").has_value());
    EXPECT_EQ(ended, 0);

    // A failure while closing keeps the window open and says what failed; a
    // size the settings cannot take still reaches the question.
    w.storeOpenEdits = [] { throw std::runtime_error("the group's edits could not be stored"); };
    fakes.messages.shown.clear();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.lastText().find("the group's edits could not be stored"),
              std::string::npos);
    w.storeOpenEdits = nullptr;
    struct : FakeSettingsStore {
        void set(const std::string&, const std::string&, const std::string&,
                 const std::string&) override {
            throw std::runtime_error("the settings are read-only");
        }
    } readOnly;
    Services s = services();
    s.settings = &readOnly;
    const Services previous = installServices(s);
    fakes.messages.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(fakes.messages.lastText(), "Do you want to exit without saving ?");
    EXPECT_EQ(ended, 0);
    fakes.messages.answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ended, 1);
    installServices(previous);
}

TEST(TAcountCommands, LaunchedWindowsGoIntoTheirListsWithTheBusyStateUndone) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    bool disabledWhileBuilding = false;
    w.launchers().generalJournal = [&](TAcount& main, bool reconcile) -> QWidget* {
        disabledWhileBuilding = !main.isEnabled();
        auto* win = new QWidget;
        win->setWindowTitle(reconcile ? "Reconciling journal" : "Journal");
        return win;
    };
    w.launchers().tapeCalculator = [](TAcount&) -> QWidget* { return new QWidget; };
    w.launchers().tAccountLedger = nullptr;
    w.installLauncherCommands();
    EXPECT_TRUE(w.commandEnabled(Command::ShowJournals));
    EXPECT_TRUE(w.commandEnabled(Command::UnbalancedEntries));
    EXPECT_FALSE(w.commandEnabled(Command::ShowTaccount));
    EXPECT_TRUE(w.ButtonBar->CalcButton[10]->isEnabled());

    w.action(Command::ShowJournals)->trigger();
    w.action(Command::ShowJournals)->trigger();
    EXPECT_TRUE(disabledWhileBuilding);
    EXPECT_TRUE(w.isEnabled()); // busy state undone
    EXPECT_EQ(w.JournalWindows.count(), 2);
    w.action(Command::ReconcileJournal)->trigger();
    ASSERT_EQ(w.JournalWindows.count(), 3);
    EXPECT_EQ(w.JournalWindows[2]->windowTitle(), "Reconciled Reconciling journal");
    click(w.ButtonBar->CalcButton[10], QPoint(15, 15));
    EXPECT_EQ(w.CalculatorWindows.count(), 1);
    // In help mode a command shows its help and opens nothing.
    helpMode().start();
    w.action(Command::ShowJournals)->trigger();
    EXPECT_EQ(w.JournalWindows.count(), 3);
    EXPECT_EQ(w.HC->title(), "Journal Entries");
    w.action(Command::ReconcileJournal)->trigger();
    EXPECT_EQ(w.HC->title(), "Reconcile");
    helpMode().end();
    // Every open window of the lists is closed, wherever it stands.
    w.JournalWindows[1]->close();
    QApplication::processEvents();
    w.closeBookWindows();
    QApplication::processEvents();
    int open = 0;
    for (const auto& win : w.JournalWindows.windows())
        open += win && win->isVisible();
    EXPECT_EQ(open, 0);
    EXPECT_EQ(w.JournalWindows.count(), 3);
}

TEST(TAcountCommands, AdministratorPasswordGatesTheChartOfAccounts) {
    ScopedFakeServices fakes;
    TAcount w;
    int opened = 0;
    w.launchers().chartOfAccounts = [&](TAcount&) -> QWidget* {
        ++opened;
        return new QWidget(nullptr);
    };
    w.installLauncherCommands();
    std::optional<std::string> answer = "wrong";
    int asked = 0;
    w.adminPasswordPrompt = [&] {
        ++asked;
        return answer;
    };
    // No password set: opens at once without asking.
    w.action(Command::EditAccounts)->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(asked, 0);
    w.chartOfAccountsWindow->close();
    delete w.chartOfAccountsWindow.data();
    w.book().AdminPassword = "boss";
    w.action(Command::EditAccounts)->trigger(); // wrong password: nothing opens
    answer.reset();
    w.action(Command::EditAccounts)->trigger(); // cancelled: nothing opens
    EXPECT_EQ(opened, 1);
    answer = "boss";
    w.action(Command::EditAccounts)->trigger();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(w.run().EnteredPassword.empty()); // never left behind for the next gate
    delete w.chartOfAccountsWindow.data();
}

TEST(ComboTypeAhead, CompletesFromTheSharedListAndSwallowsTheKey) {
    AccountListModel list;
    list.refill({"Bank", "Cash", "Cash float", "Sales"});
    QComboBox box;
    box.setModel(&list);
    installComboTypeAhead(&box);
    EXPECT_EQ(box.completer(), nullptr);
    box.setCurrentIndex(-1);
    box.setEditText("");
    typeText(box.lineEdit(), "c");
    EXPECT_EQ(box.currentText(), "Cash");
    EXPECT_EQ(box.lineEdit()->selectedText(), "ash");
    typeText(box.lineEdit(), "ash f");
    EXPECT_EQ(box.currentText(), "Cash float");
    EXPECT_EQ(box.lineEdit()->selectedText(), "loat");
    // A character that matches nothing changes nothing.
    box.setEditText("Sa");
    box.lineEdit()->setCursorPosition(2);
    typeText(box.lineEdit(), "x");
    EXPECT_EQ(box.lineEdit()->text(), "Sa");
    // Refilling the shared list is one reset; the box follows it.
    list.refill({"Zebra"});
    EXPECT_EQ(box.count(), 1);
    box.hidePopup();
}

TEST(TAcountScreenshot, GrabsTheWindowShowingTheLastEntry) {
    ScopedFakeServices fakes;
    TAcount w;
    loadFiveEntries(w);
    w.resize(820, 430);
    w.show();
    QApplication::processEvents();
    ASSERT_FALSE(w.grab().isNull());
    dialog_driving::saveScreenshot(&w, "main_window");
    // The date picker's month panel opened over the entry line.
    click(w.Datetext, QPoint(95, 10));
    ASSERT_TRUE(w.Datetext->isOpen());
    QApplication::processEvents();
    ASSERT_FALSE(w.grab().isNull());
    dialog_driving::saveScreenshot(&w, "main_window_date_picker");
}
