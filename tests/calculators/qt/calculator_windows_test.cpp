// The three calculator windows offscreen: the tape takes keys, moves along
// the tape and pastes the main window's entry text; the depreciation
// schedule shows its scroll bar past 13 years and keeps only the rows in
// view, refilled as it scrolls, however long it is; the payroll boxes read
// as they should once left; Tab and Shift+Tab leave every amount box; every
// amount box shows the largest figures whole. Each window leaves a screenshot.
#include "calculators/depreciation.h"
#include "calculators/qt/Depreciation.h"
#include "calculators/qt/PayRoll.h"
#include "calculators/qt/Rolling_Caculator.h"

#include "book/entry_clip_text.h"
#include "platform/fake/fake_services.h"
#include "platform/services.h"
#include "toolkit/qt/dialog_driving.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using dialog_driving::figuresCut;
using dialog_driving::hungarianMarks;
using dialog_driving::saveScreenshot;
using dialog_driving::settle;

// A key as the keyboard sends it: pressed in the box with the focus and
// released in whichever box has the focus then.
void key(QWidget* fallback, int code, const QString& text = QString()) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : fallback;
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    target = QApplication::focusWidget() ? QApplication::focusWidget() : fallback;
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void type(QWidget* fallback, const QString& text) {
    for (QChar c : text)
        key(fallback, c == '\r' ? int(Qt::Key_Return) : int(c.toUpper().unicode()),
            c == '\r' ? QString("\r") : QString(c));
}

void leave(QLineEdit* box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

void typeInto(QLineEdit* box, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

// Tab, or Shift+Tab as the keyboard sends it, to the box with the focus.
void tab(bool back = false) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    const int code = back ? Qt::Key_Backtab : Qt::Key_Tab;
    const Qt::KeyboardModifiers shift = back ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, code, shift, "\t");
    QApplication::sendEvent(target, &press);
}

TEST(CalculatorWindows, TabAndShiftTabLeaveEveryAmountBox) {
    ScopedFakeServices fakes(monthFirstLocale());
    PayRoll p("$ :", "");
    p.show();
    p.activateWindow();
    settle();
    struct Case {
        QLineEdit* box;
        bool back;
        const char *typed, *left;
        QWidget* next;
    } cases[] = {
        {p.PayRate[0], false, "12.345", "12.34", p.PayGross[0]},
        {p.PayRate[6], true, "1,234.5", "1234.5", p.PayTotal[6]},
        {p.PayDe[3][2], false, "12.355", "12.36", p.PayDe[4][2]},
        {p.PayDe[4][5], true, "12-3", "12", p.PayDe[3][5]},
        {p.PayDe[5][0], false, "7", "7", p.PayNet[0]},
        {p.PayP[0], false, "150", "99", p.PayP[1]},
        {p.PayP[1], false, "55,55", "55", p.PayP[2]}, // the rate used, told
        {p.PayP[2], true, "10", "10", p.PayP[1]},
        {p.PaySt[1], false, "", "12:00 am", p.PayEnd[1]},
        {p.PayDT[0], true, "5", "5", p.PayDT[0]->previousInFocusChain()},
    };
    for (const Case& c : cases) {
        c.box->setFocus();
        settle();
        ASSERT_EQ(QApplication::focusWidget(), c.box);
        c.box->setText(c.typed);
        tab(c.back);
        EXPECT_EQ(QApplication::focusWidget(), c.next) << c.typed;
        EXPECT_EQ(c.box->text().toStdString(), c.left) << c.typed;
    }
    EXPECT_EQ(fakes.messages.shown.at(1).text, "\"55,55\" is taken as 55");
    EXPECT_EQ(p.width(), 791); // as designed, its figures fitting
    p.close();

    Rolling_Caculator w;
    w.show();
    w.activateWindow();
    settle();
    w.CalAmount[0]->setFocus();
    settle();
    type(w.CalAmount[0], "5");
    tab();
    EXPECT_EQ(QApplication::focusWidget(), w.CalAmount[1]);
    EXPECT_EQ(w.CalAmount[0]->text().toStdString(), "5.00");
    type(w.CalAmount[1], "2");
    tab(true);
    EXPECT_EQ(QApplication::focusWidget(), w.CalAmount[0]);
    EXPECT_EQ(w.CalAmount[1]->text().toStdString(), "2.00");
    EXPECT_EQ(w.TotalAmount->text().toStdString(), "7.00");
    w.close();
    // Amounts in the other notation, typed key by key: shown as kept, and told.
    const std::string noA = "\"a\" : Not an amount: type digits, \",\" and \"\u00A0\" only";
    const std::tuple<LocaleInfo, QString, QString, std::vector<std::string>> other[] = {
        {monthFirstLocale(), "55,55", "55.00", {"\"55,55\" is taken as 55"}},
        {monthFirstLocale(), "1.234,5", "1.23", {"\"1.234,5\" is taken as 1.234"}},
        {decimalCommaLocale(), "1.234,5", "1.234,50", {}},
        {decimalCommaLocale(), "0.0001", ",00", {"\"0.0001\" is taken as 0,0001"}},
        {decimalCommaLocale(), "1,234.5", "1,00", {"\"1,234.5\" is taken as 1"}},
        {hungarianMarks(), "7.5", "7,50", {}}, // "." is neither mark: the decimal mark
        {hungarianMarks(), "7a", "7,00", {noA}}};
    for (const auto& [locale, typed, left, told] : other) {
        ScopedFakeServices local(locale);
        Rolling_Caculator t;
        type(t.CalAmount[0], typed);
        leave(t.CalAmount[0]);
        EXPECT_EQ(t.CalAmount[0]->text() + " " + t.TotalAmount->text(), left + " " + left);
        EXPECT_EQ(local.messages.texts(), told) << typed.toStdString();
    }
    // The depreciation cost and the payroll rate (the rate alone takes "-"), typed key by key and
    // left: every message the two boxes show, in order.
    const std::string notValid = "\"1.5,\" : Not a valid amount",
                      notTwice = "\"31,12,\" : Not a valid amount",
                      minus = "\"-\" : Not an amount: type digits, \".\" and \",\" only",
                      taken = "\"31,122024\" is taken as 31,122";
    const std::tuple<LocaleInfo, QString, QString, QString, std::vector<std::string>> figures[] = {
        {monthFirstLocale(), "7.5", "7.5", "7.5", {}},
        {monthFirstLocale(), "1.5,3", "1.53", "1.53", {notValid, notValid}},
        {monthFirstLocale(), "-7", "7", "-7", {minus}},
        {decimalCommaLocale(), "7,5", "7,5", "7,5", {}},
        {hungarianMarks(), "7.5", "7,5", "7,5", {}},
        {hungarianMarks(), "31.12.2024", "31,122", "31,12", {notTwice, taken, notTwice}}};
    for (const auto& [locale, typed, cost, rate, told] : figures) {
        ScopedFakeServices local(locale);
        Depreciation d(Book{});
        PayRoll p("$ :", "");
        QStringList shown;
        for (QLineEdit* box : {d.Cost, p.PayRate[0]}) {
            box->clear();
            typeInto(box, typed);
            leave(box);
            shown << box->text();
        }
        EXPECT_EQ(shown, QStringList({cost, rate})) << typed.toStdString();
        EXPECT_EQ(local.messages.texts(), told) << typed.toStdString();
    }
}

TEST(TapeCalculatorWindow, TakesKeysScrollsAndPastesEntryText) {
    ScopedFakeServices fakes(monthFirstLocale());
    Rolling_Caculator w;
    w.show();
    w.resize(250, 200);
    settle();
    const int lastRow = w.tape().lastRow();
    ASSERT_GE(lastRow, 3);
    EXPECT_FALSE(w.CalAmount[lastRow + 1]->isVisible());
    EXPECT_TRUE(w.TotalAmount->y() >= w.CalAmount[lastRow]->y() + 20);
    EXPECT_EQ(dialog_driving::menuAccessKeys(&w), "eds");
    w.CalAmount[0]->setFocus();
    settle();

    type(w.CalAmount[0], "5*3-4/2");
    EXPECT_EQ(w.TotalAmount->text(), "5.50");
    EXPECT_EQ(w.Op[1]->text(), "x");
    EXPECT_EQ(w.Op[3]->text(), "/");
    EXPECT_EQ(w.CalAmount[3]->text(), "2");
    type(w.CalAmount[0], "x"); // a letter is dropped
    EXPECT_EQ(w.CalAmount[3]->text(), "2");
    type(w.CalAmount[0], QString(29, '9')); // the last would pass the largest the tape holds
    EXPECT_EQ(w.CalAmount[3]->text(), "2" + QString(28, '9'));
    w.CalAmount[3]->selectAll();
    type(w.CalAmount[0], "2");

    // Enter down to the last row and past it: the tape scrolls by one line a key.
    for (int r = 3; r < lastRow; ++r)
        type(w.CalAmount[0], "\r");
    const int maxBefore = w.ScrollNum->maximum();
    for (int i = 0; i < maxBefore + 2; ++i)
        type(w.CalAmount[0], "\r");
    EXPECT_EQ(w.ScrollNum->value(), w.ScrollNum->maximum());
    EXPECT_EQ(w.ScrollNum->maximum(), maxBefore + 2); // two lines appended at the end
    type(w.CalAmount[0], "+1,000.5\r");
    EXPECT_EQ(w.TotalAmount->text(), "1,006.00");
    // Up in the top row scrolls back; leaving a box shows its display form.
    w.CalAmount[0]->setFocus();
    key(w.CalAmount[0], Qt::Key_Up);
    EXPECT_EQ(w.ScrollNum->value(), w.ScrollNum->maximum() - 1);
    w.ScrollNum->setValue(0);
    EXPECT_EQ(w.CalAmount[0]->text(), "5.00");
    w.dp1_Click(VariableDecimals);
    EXPECT_EQ(w.CalAmount[0]->text(), "5");
    w.dp1_Click(2);
    w.Op[0]->click(); // "+5" turns "-5"
    EXPECT_EQ(w.TotalAmount->text(), "991.00");
    w.CalcFuntions_Click(3);
    EXPECT_EQ(w.TotalAmount->text(), "Mode : 2");
    w.CalcFuntions_Click(0);

    // Copy, then paste a plain text with a negative line shown red.
    w.C_m_Click();
    EXPECT_TRUE(fakes.clipboard.plain.starts_with("5\r\n3\r\n4\r\n2\r\n"));
    fakes.clipboard.plain = "10\r\n-3\r\n1,000.50";
    w.P_m_Click();
    EXPECT_EQ(w.TotalAmount->text(), "1,007.50");
    EXPECT_EQ(w.CalAmount[1]->text(), "(3.00)");
    EXPECT_EQ(w.CalAmount[1]->palette().color(QPalette::Text), QColor(0xFF, 0, 0));
    w.SortNm_Click();
    EXPECT_EQ(w.CalAmount[0]->text(), "10.00");
    EXPECT_EQ(w.CalAmount[1]->text(), "1,000.50");
    EXPECT_EQ(w.CalAmount[2]->text(), "");
    saveScreenshot(&w, "tape_calculator");
}

TEST(TapeCalculatorWindow, PastesTheMainWindowsEntryLinesWithADecimalComma) {
    ScopedFakeServices fakes(decimalCommaLocale());
    Book book;
    book.EntryLines = {
        EntryLine{45000, Debit, Currency::fromUnits(100), Currency::fromRaw(1205000), "", 0},
        EntryLine{45000, Credit, Currency::fromUnits(200), Currency::fromRaw(1205000), "sale", 0}};
    fakes.clipboard.plain = EntryClipText(book, 0, 1, ",");
    Rolling_Caculator w;
    w.show();
    settle();
    w.P_m_Click();
    EXPECT_EQ(w.Op[0]->text(), "+");
    EXPECT_EQ(w.Op[1]->text(), "-");
    EXPECT_EQ(w.CalAmount[0]->text(), "120,50");
    EXPECT_EQ(w.TotalAmount->text(), ",00");
}

// Every year whose row falls inside the schedule's box (4995 twips high,
// rows 360 twips apart, 330 high) shows on exactly one row, at its place,
// with its own figures and the rate as typed.
void expectYearsInView(const Depreciation& w, const DepreciationSchedule& s,
                       const std::string& rate, const std::string& why) {
    const NumberMarks marks = marksOf(currentLocale());
    std::map<std::string, std::vector<std::size_t>> rowsOfLabel;
    for (std::size_t r = 0; r < w.L1.size(); ++r)
        rowsOfLabel[w.L1[r]->text().toStdString()].push_back(r);
    const int offset = w.VScroll1->value();
    for (long long y = offset / 360;
         y < static_cast<long long>(s.years.size()) && 360 * y - offset < 4995; ++y) {
        const std::string label = "Year " + std::to_string(y + 1) + ":";
        ASSERT_EQ(rowsOfLabel[label].size(), 1u) << why << " " << label;
        const std::size_t r = rowsOfLabel[label][0];
        EXPECT_TRUE(w.Stage1[r]->isVisible()) << why << " " << label;
        EXPECT_EQ(w.Stage1[r]->y(), static_cast<int>((360 * y - offset) / 15)) << why << label;
        EXPECT_EQ(w.L1[r]->y(), w.Stage1[r]->y()) << why << " " << label;
        EXPECT_EQ(w.Stage2[r]->y(), w.Stage1[r]->y()) << why << " " << label;
        EXPECT_EQ(w.Stage1[r]->text().toStdString(), formatAmount(s.years[y].bookValue, 2, marks))
            << why << " " << label;
        EXPECT_EQ(w.Stage2[r]->text().toStdString(),
                  formatAmount(s.years[y].depreciation, 2, marks))
            << why << " " << label;
        EXPECT_EQ(w.L2[r]->text().toStdString(), "x " + rate + "% =") << why << " " << label;
    }
}

TEST(DepreciationWindow, SchedulesScrollPastThirteenYearsWithAFewRowsInView) {
    ScopedFakeServices fakes(monthFirstLocale());
    const QFont interfaceFont = QApplication::font(); // then the Arial-metric face of its design:
    QApplication::setFont(QFont("Liberation Sans", interfaceFont.pointSize()));
    Book book;
    book.DecimalsJournal = 2;
    Depreciation w(book);
    w.show();
    settle();
    const int widgetsBefore = static_cast<int>(w.findChildren<QWidget*>().size());
    struct Case {
        const char *cost, *years;
        std::size_t rows;
        bool scrollBar;
    } cases[] = {
        {"1000", "3", 3, false},  {"1000", "13", 13, false},
        {"1000", "14", 14, true}, {"1000", "1", 1, false},
        {"1000", "0", 1, false},  {"1000", "99", 15, true}}; // 99 years: the rows that fit in view
    for (const Case& c : cases) {
        w.Cost->setText(c.cost);
        w.TheYears->setText(c.years);
        w.Command1->click();
        EXPECT_EQ(w.L1.size(), c.rows) << c.years;
        EXPECT_EQ(w.VScroll1->isVisible(), c.scrollBar) << c.years;
        if (c.years == std::string("3")) {
            EXPECT_EQ(w.Stage1[0]->text(), "1,000.00");
            EXPECT_EQ(w.Stage1[1]->text(), "800.00");
            EXPECT_EQ(w.Stage1[2]->text(), "640.00");
            EXPECT_EQ(w.Stage2[2]->text(), "128.00");
            EXPECT_EQ(w.L1[1]->text(), "Year 2:");
            EXPECT_EQ(w.L2[2]->text(), "x 20% =");
            EXPECT_EQ(w.width(), 380); // as designed
            saveScreenshot(&w, "depreciation");
        }
    }
    // Scrolling moves every row up; the last one comes into the frame.
    w.VScroll1->setValue(w.VScroll1->maximum());
    EXPECT_LT(w.L1[0]->y(), 0);
    EXPECT_LE(w.Stage1.back()->geometry().bottom(), w.Picture1->height());
    saveScreenshot(&w, "depreciation_99_years");
    // A cost beyond the currency range is refused with a message.
    w.Cost->setText("9E99");
    w.TheYears->setText("2");
    w.Command1->click();
    EXPECT_EQ(w.L1.size(), 15u);
    EXPECT_EQ(w.L1.back()->text(), "Year 99:");
    ASSERT_EQ(fakes.messages.shown.size(), 2u); // 0 years is told too
    EXPECT_EQ(fakes.messages.shown[0].text, "The number of years must be 1 or more.");
    EXPECT_NE(fakes.messages.lastText().find("too large"), std::string::npos);
    // The box takes two digits; the schedule itself goes up to a million years.
    w.TheYears->setMaxLength(7);
    struct Schedule {
        const char *cost, *rate, *years;
    } schedules[] = {{"1000", "20", "1000000"},
                     {"123456.78", "3", "99"},
                     {"1000", "20", "14"},
                     {"5000", "7", "250"},
                     {"1000", "20", "3"}};
    for (const Schedule& c : schedules) {
        const DepreciationSchedule s =
            depreciationSchedule(c.cost, c.rate, c.years, marksOf(currentLocale()));
        w.Cost->setText(c.cost);
        w.Percent->setText(c.rate);
        w.TheYears->setText(c.years);
        w.Command1->click();
        ASSERT_EQ(w.TheYears->text().toStdString(), c.years);
        const int last = w.VScroll1->isVisible() ? w.VScroll1->maximum() : 0;
        for (int offset : {0, 1, 329, 345, 360 * 7 + 100, last / 2, last - 1, last}) {
            if (offset > last) continue;
            w.VScroll1->setValue(offset);
            expectYearsInView(w, s, c.rate, std::string(c.years) + "@" + std::to_string(offset));
        }
        EXPECT_LE(w.L1.size(), 16u) << c.years;
        EXPECT_LE(static_cast<int>(w.findChildren<QWidget*>().size()), widgetsBefore + 4 * 16)
            << c.years;
        // Dragged to the end: the last year is the lowest row, inside the box.
        w.VScroll1->setValue(last);
        const std::string lastLabel = "Year " + std::to_string(s.years.size()) + ":";
        const auto lowest = std::max_element(w.L1.begin(), w.L1.end(),
                                             [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
        EXPECT_EQ((*lowest)->text().toStdString(), lastLabel);
        const std::size_t r = static_cast<std::size_t>(lowest - w.L1.begin());
        EXPECT_LE(w.Stage1[r]->geometry().bottom(), w.Picture1->height()) << c.years;
        EXPECT_EQ(w.Stage2[r]->text().toStdString(),
                  formatAmount(s.years.back().depreciation, 2, marksOf(currentLocale())));
        if (c.years == std::string("1000000")) saveScreenshot(&w, "depreciation_million_years");
    }
    // The short schedule last shown: its three rows and nothing else, in place.
    EXPECT_EQ(w.Picture1->findChildren<QWidget*>().size(), 12u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.Stage1[i]->y(), 360 * i / 15);
    EXPECT_EQ(w.Stage1[2]->text(), "640.00");
    // Typed key by key and left, each box shows the figure used and tells when it is another.
    for (auto [box, typed, shown] : {std::tuple{w.Cost, "55,55", "55"}, {w.Percent, "5e", "5"}}) {
        box->clear();
        typeInto(box, typed);
        leave(box);
        EXPECT_EQ(box->text().toStdString() + " " + fakes.messages.lastText(),
                  shown + (" \"" + std::string(typed) + "\" is taken as ") + shown);
    }
    w.Command1->click();
    EXPECT_EQ(w.Stage1[0]->text() + " " + w.L2[0]->text(), "55.00 x 5% ="); // the rate used
    w.Percent->setText("-5");
    w.Command1->click();
    EXPECT_EQ(fakes.messages.lastText(), "The rate of depreciation cannot be below 0 %.");
    EXPECT_EQ(w.Stage2[0]->text(), "2.75"); // the schedule stands
    QApplication::setFont(interfaceFont);
}

TEST(PayRollWindow, FieldsNormaliseOnLeavingAndRecompute) {
    ScopedFakeServices fakes(monthFirstLocale());
    PayRoll w("$ :", "");
    w.show();
    settle();
    EXPECT_EQ(w.PaySt[0]->text(), "09:00 am");
    EXPECT_EQ(w.PayEnd[6]->text(), "09:00 am");
    EXPECT_EQ(w.PayBreak[3]->text(), "00:00");
    EXPECT_EQ(w.PayTotal[0]->text(), "00:00");
    EXPECT_EQ(w.PayTotalT->text(), "0:00");
    EXPECT_EQ(w.PayNetT->text(), "0.00");
    EXPECT_EQ(w.PayTitle[5]->text(), "Rate $ : P/H");
    EXPECT_EQ(w.PayTitle[7]->text(), "% =  $ :");
    EXPECT_EQ(w.ShiftT[6]->text(), "Period 7");

    w.PayEnd[0]->setText("17:00");
    leave(w.PayEnd[0]);
    EXPECT_EQ(w.PayEnd[0]->text(), "05:00 pm");
    w.PayBreak[0]->setText("0:30");
    leave(w.PayBreak[0]);
    EXPECT_EQ(w.PayTotal[0]->text(), "07:30");
    w.PayRate[0]->clear();
    typeInto(w.PayRate[0], "2x0");
    EXPECT_EQ(w.PayRate[0]->text(), "20"); // letters do not get in, and are told
    EXPECT_EQ(fakes.messages.lastText(),
              "\"x\" : Not an amount: type digits, \".\" and \",\" only");
    fakes.messages.shown.clear();
    EXPECT_EQ(w.PayGross[0]->text(), "150.00");
    typeInto(w.PayP[0], "10");
    EXPECT_EQ(w.PayDe[0][0]->text(), "15");
    EXPECT_EQ(w.PayNet[0]->text(), "135.00");
    EXPECT_EQ(w.PayNetT->text(), "135.00");
    typeInto(w.PayDe[0][0], "7"); // percentage deductions are worked out, not typed
    EXPECT_EQ(w.PayDe[0][0]->text(), "15");
    for (int n = 0; n < 6; ++n) // as are the totals
        EXPECT_TRUE(w.PayDe[n][3]->isReadOnly() == (n < 3) && w.PayDT[n]->isReadOnly()) << n;
    w.PayDe[3][0]->setText("12.345");
    leave(w.PayDe[3][0]);
    EXPECT_EQ(w.PayDe[3][0]->text(), "12.34");
    EXPECT_EQ(w.PayNet[0]->text(), "122.66");

    // A text that is no time is told, and the box keeps the time there was.
    for (const auto& [box, kept] : {std::pair(w.PaySt[0], "09:00 am"), {w.PayBreak[0], "00:30"}})
        for (const std::string typed : {"25:99", "9,30", "1.234,5", "ab"}) {
            box->setText("");
            typeInto(box, QString::fromStdString(typed));
            leave(box);
            EXPECT_EQ(
                std::pair(box->text().toStdString(), fakes.messages.lastText()),
                std::pair(std::string(kept), "\"" + typed + "\" : Not a time, " + kept + " kept"));
        }
    EXPECT_EQ(w.PayTotal[0]->text(), "07:30");
    fakes.messages.shown.clear();
    // An emptied start becomes midnight, a zero lunch 00:00; both recompute.
    w.PaySt[0]->setText("");
    leave(w.PaySt[0]);
    EXPECT_EQ(w.PaySt[0]->text(), "12:00 am");
    EXPECT_EQ(w.PayTotal[0]->text(), "16:30");
    w.PayBreak[0]->setText("0:00");
    leave(w.PayBreak[0]);
    EXPECT_EQ(w.PayBreak[0]->text(), "00:00");
    EXPECT_EQ(w.PayTotal[0]->text(), "17:00");
    // A night shift in period 2.
    w.PaySt[1]->setText("10:00 pm");
    leave(w.PaySt[1]);
    w.PayEnd[1]->setText("6:00 am");
    leave(w.PayEnd[1]);
    EXPECT_EQ(w.PayTotal[1]->text(), "08:00");
    EXPECT_EQ(w.PayTotalT->text(), "25:00");
    w.PayP[1]->setText("150");
    leave(w.PayP[1]);
    EXPECT_EQ(w.PayP[1]->text(), "99");
    w.PayDe[4][1]->setText("9E99");
    leave(w.PayDe[4][1]);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
    // Clearing a percentage recomputes every period.
    w.PayP[1]->selectAll();
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, "\b");
    QApplication::sendEvent(w.PayP[1], &backspace);
    EXPECT_EQ(w.PayP[1]->text(), "");
    EXPECT_EQ(w.PayDT[1]->text(), "0.00");
    EXPECT_EQ(w.PayNetT->text(), "293.66"); // 340 - 34 - 12.34
    saveScreenshot(&w, "payroll");
    // Ctrl+V pastes into the rate and percentage boxes; a rate emptied and left is 0, recomputed.
    for (QLineEdit* box : {w.PayRate[0], w.PayP[2]})
        EXPECT_EQ(dialog_driving::typedThenPasted(box, "", "35").second, "35");
    EXPECT_EQ(w.PayGross[0]->text(), "595.00"); // 17 hours at 35
    w.PayRate[0]->selectAll();
    QApplication::sendEvent(w.PayRate[0], &backspace);
    leave(w.PayRate[0]);
    EXPECT_EQ(std::pair(w.PayRate[0]->text(), w.PayGross[0]->text()),
              std::pair(QString("0"), QString("0.00")));
    w.PayDe[5][2]->clear();
    typeInto(w.PayDe[5][2], "922337203685478"); // the last digit would pass the largest amount
    EXPECT_EQ(w.PayDe[5][2]->text(), "92233720368547");

    // A period typed by keys as a user does, Tab from box to box: nothing is told.
    for (const LocaleInfo& locale : dialog_driving::typingLocales()) {
        ScopedFakeServices local(locale);
        PayRoll p("$ :", "");
        p.show();
        p.activateWindow();
        settle();
        p.PaySt[0]->setFocus();
        p.PaySt[0]->selectAll(); // as Tab selects the next box's
        dialog_driving::keyed("8:00\t17:00\t0:30\t\t20\t");
        EXPECT_EQ(std::tuple((p.PaySt[0]->text() + " " + p.PayEnd[0]->text() + " " +
                              p.PayTotal[0]->text() + " " + p.PayGross[0]->text())
                                 .toStdString(),
                             local.messages.texts(), QApplication::focusWidget()),
                  std::tuple("08:00 am 05:00 pm 08:30 170" + locale.decimalMark + "00",
                             std::vector<std::string>{}, p.PayGross[0]))
            << locale.name;
    }
}

// In three fonts and locales every figure box of the calculators shows the
// largest figures whole: the tape's in two and 24 decimals and as an average,
// at its default size and its smallest (which grows to hold them); the
// depreciation schedule of a cost grown to fifteen digits; the payroll's
// fifteen digits as the screen allows, legible and scrolled to their start
// beyond. The fixed windows keep within the screen.
TEST(CalculatorWindows, EveryFigureBoxShowsTheLargestFiguresWhole) {
    dialog_driving::inFigureFonts([](const QFont& font, ScopedFakeServices& fakes) {
        const std::string mark = fakes.locale.info.decimalMark;
        const int screenWidth = QApplication::primaryScreen()->availableGeometry().width();
        Rolling_Caculator tape;
        tape.show();
        fakes.clipboard.plain = "-922337203685477" + mark + "5807\r\n59404255022" + mark + "08";
        tape.P_m_Click();
        for (int step = 0; step < 4; ++step) {
            if (step == 1) tape.resize(1, 1); // the smallest it takes
            if (step == 2) tape.dp1_Click(24);
            if (step == 3) tape.CalcFuntions_Click(1);
            settle();
            EXPECT_EQ(figuresCut(&tape), std::vector<std::string>{}) << step;
            EXPECT_EQ(tape.CalAmount[0]->font().pointSizeF(), 11.25); // the window made room
        }
        EXPECT_EQ(tape.CalAmount[0]->text().size(), 46); // longer than a row takes typed

        Book book;
        book.DecimalsJournal = 3;
        Depreciation depreciation(book);
        depreciation.show();
        depreciation.Cost->setText("999999999");
        depreciation.Percent->setMaxLength(3);
        depreciation.Percent->setText("204");
        depreciation.TheYears->setMaxLength(3);
        depreciation.TheYears->setText("332");
        depreciation.Command1->click();
        depreciation.Percent->setText("20"); // two digits fit its box
        depreciation.VScroll1->setValue(depreciation.VScroll1->maximum());
        settle();
        EXPECT_EQ(figuresCut(&depreciation), std::vector<std::string>{});
        EXPECT_EQ(depreciation.Stage1.back()->text().size(), 24); // -434,545,550,608,993.490
        EXPECT_EQ(depreciation.Stage1.back()->font(), font);
        EXPECT_LE(depreciation.L2[0]->geometry().right(), depreciation.Stage2[0]->x());
        EXPECT_LE(depreciation.width(), screenWidth);

        PayRoll pay("$ :", font.family().toStdString());
        pay.show();
        for (auto [box, text] : {std::pair{pay.PaySt[0], "12:00 am"},
                                 {pay.PayEnd[0], "11:59 pm"},
                                 {pay.PayRate[0], "999999999"},
                                 {pay.PayDe[3][0], "-922300000000000"},
                                 {pay.PayP[0], "99.99"}}) {
            box->setText(text);
            leave(box);
        }
        EXPECT_EQ(pay.PayNet[0]->text().size(), 22); // 922,323,983,333,309.02
        EXPECT_EQ(dialog_driving::figuresUnreadable(&pay), std::vector<std::string>{});
        EXPECT_LE(pay.width(), screenWidth);
        EXPECT_LE(pay.PayNet[6]->geometry().right(), pay.PayNetT->x());
        if (font.family() == "DejaVu Serif") {
            saveScreenshot(&tape, "tape_calculator_24_decimals");
            saveScreenshot(&depreciation, "depreciation_15_digits");
            saveScreenshot(&pay, "payroll_15_digits");
        }
    });
}

} // namespace
