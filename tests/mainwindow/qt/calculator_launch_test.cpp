// The Tools menu and the toolbar's calculator button open the calculators:
// a new tape and payroll window on every use, one shared depreciation window.
#include "calculators/qt/Depreciation.h"
#include "calculators/qt/PayRoll.h"
#include "calculators/qt/Rolling_Caculator.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "platform/fake/fake_services.h"
#include "tests/mainwindow/qt/main_window_driving.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(CalculatorLaunch, ToolsMenuAndToolbarOpenTheCalculators) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    for (Command c : {Command::RollingCalculator, Command::PayCalc, Command::Depreciation})
        EXPECT_TRUE(w.commandEnabled(c));
    EXPECT_TRUE(w.ButtonBar->CalcButton[10]->isEnabled());

    main_window_driving::run(w, Command::RollingCalculator);
    main_window_driving::click(w.ButtonBar->CalcButton[10], QPoint(15, 15));
    ASSERT_EQ(w.CalculatorWindows.count(), 2);
    EXPECT_NE(w.CalculatorWindows[0], w.CalculatorWindows[1]);
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(qobject_cast<Rolling_Caculator*>(w.CalculatorWindows[i].data()), nullptr);
        EXPECT_TRUE(w.CalculatorWindows[i]->isVisible());
    }

    main_window_driving::run(w, Command::PayCalc);
    main_window_driving::run(w, Command::PayCalc);
    ASSERT_EQ(w.PayrollWindows.count(), 2);
    auto* pay = qobject_cast<PayRoll*>(w.PayrollWindows[1].data());
    ASSERT_NE(pay, nullptr);
    EXPECT_TRUE(pay->PayTitle[6]->text().endsWith(QString::fromStdString(w.currencyLabel)));

    main_window_driving::run(w, Command::Depreciation);
    QWidget* first = w.depreciationWindow;
    main_window_driving::run(w, Command::Depreciation);
    EXPECT_EQ(w.depreciationWindow, first);
    ASSERT_NE(qobject_cast<Depreciation*>(first), nullptr);
    EXPECT_TRUE(first->isVisible());

    for (auto& win : w.CalculatorWindows.windows())
        if (win) win->close();
    for (auto& win : w.PayrollWindows.windows())
        if (win) win->close();
    QApplication::processEvents();

    // Those left open, without owner, go with the main window that opened them.
    std::vector<QPointer<QWidget>> left;
    {
        TAcount v;
        v.show();
        for (Command c : {Command::RollingCalculator, Command::PayCalc, Command::Depreciation})
            main_window_driving::run(v, c);
        left = {v.CalculatorWindows[0], v.PayrollWindows[0], v.depreciationWindow};
    }
    for (const QPointer<QWidget>& calculator : left)
        EXPECT_TRUE(calculator.isNull());
}

} // namespace
