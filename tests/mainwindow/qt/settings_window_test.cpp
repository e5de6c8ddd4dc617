#include "mainwindow/qt/LWMainsettings.h"

#include "book/book.h"
#include "book/runtime_state.h"
#include "mainwindow/startup_state.h"
#include "platform/fake/fake_services.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/dialog_driving.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

using dialog_driving::pressKey;
using dialog_driving::typeText;
using main_window_driving::choose;
using main_window_driving::click;

namespace {

class SettingsWindowTest : public ::testing::Test {
  protected:
    explicit SettingsWindowTest(const LocaleInfo& locale = dayFirstLocale()) : fakes(locale) {
        book = makeEmptyBook("Balance", 46000);
        applyStartupBook(book, run, currentLocale(), 46000, 0);
        book.BusinessName = "Harbour Traders";
        book.BusinessAddress = "12 Quay Road\r\nPortsmouth";
        book.FontName = "A Face This Machine Lacks";
        book.FontCharset = 161;
        book.DecimalsLedger = 3;
    }

    ScopedFakeServices fakes;
    Book book;
    RunTimeState run;
};

TEST_F(SettingsWindowTest, OpeningWritesNothingAndKeepsTheStoredFont) {
    const Book before = book;
    {
        LWMainsettings w(book, run);
        w.show();
        QApplication::processEvents();
        EXPECT_EQ(w.windowTitle(), "Account File Setting...");
        EXPECT_EQ(dialog_driving::menuAccessKeys(&w), "h");
        EXPECT_EQ(w.Combo2->currentText(), "A Face This Machine Lacks");
        EXPECT_EQ(w.Combo1->currentText(), "Greek");
        EXPECT_EQ(w.Bname->text(), "Harbour Traders");
        EXPECT_EQ(w.BusAddress->toPlainText(), "12 Quay Road\nPortsmouth");
        EXPECT_TRUE(w.DecimalPlacing[1][3]->isChecked());
        EXPECT_TRUE(w.DecimalPlacing[0][2]->isChecked());
        EXPECT_TRUE(w.Aincress->isChecked());
        EXPECT_EQ(w.CnameBusiness->title(), "Business Name :");
        EXPECT_EQ(w.Frame5[4]->title(), "Balance Sheet :");
        w.close();
        w.show(); // reopened: rebuilt from the book, still writing nothing
        QApplication::processEvents();
    }
    EXPECT_EQ(book.FontName.str(), "A Face This Machine Lacks");
    EXPECT_EQ(book.FontCharset, 161);
    EXPECT_EQ(book.BusinessAddress.str(), before.BusinessAddress.str());
    EXPECT_EQ(book.DecimalsLedger, 3);
    EXPECT_FALSE(run.BookChanged);
}

TEST_F(SettingsWindowTest, EachKeyInTheBusinessNameWritesItAndMarksTheBook) {
    book.BusinessName = "";
    LWMainsettings w(book, run);
    w.show();
    QApplication::processEvents();
    typeText(w.Bname, "A");
    EXPECT_EQ(book.BusinessName.str(), "A");
    EXPECT_TRUE(run.BookChanged);
    run.BookChanged = false;
    typeText(w.Bname, "&");
    EXPECT_EQ(book.BusinessName.str(), "A&");
    EXPECT_TRUE(run.BookChanged);

    // The address keeps its lines apart with CR LF.
    w.BusAddress->setPlainText("1 Dock\nHull");
    EXPECT_EQ(book.BusinessAddress.str(), "1 Dock\r\nHull");

    // Passwords: written as typed, at most 64 characters; an empty box clears one.
    typeText(w.AdminPass, "k");
    EXPECT_EQ(book.AdminPassword.str(), "k");
    typeText(w.EnterPassWord, std::string(70, 'x'));
    EXPECT_EQ(book.FilePassword.str(), std::string(64, 'x'));
    pressKey(w.AdminPass, Qt::Key_Backspace);
    EXPECT_EQ(book.AdminPassword.str(), "");

    w.Aincress->click();
    EXPECT_EQ(book.AutoIncrement, 0);
    w.Aincress->click();
    EXPECT_EQ(book.AutoIncrement, 1);
}

class DecimalCommaSettings : public SettingsWindowTest {
  protected:
    DecimalCommaSettings() : SettingsWindowTest(decimalCommaLocale()) {}
};

TEST_F(DecimalCommaSettings, DecimalGroupsShowTheLocalesMark) {
    LWMainsettings w(book, run);
    w.show();
    QApplication::processEvents();
    for (int g = 0; g < DecimalsGroupCount; ++g) {
        EXPECT_EQ(w.DecimalPlacing[g][0]->text(), "0");
        EXPECT_EQ(w.DecimalPlacing[g][1]->text(), "0,0");
        EXPECT_EQ(w.DecimalPlacing[g][2]->text(), "0,00");
        EXPECT_EQ(w.DecimalPlacing[g][3]->text(), "0,000");
    }
    w.DecimalPlacing[4][1]->click();
    EXPECT_EQ(book.DecimalsBalanceSheet, 1);
    w.DecimalPlacing[0][0]->click();
    EXPECT_EQ(book.DecimalsJournal, 0);
    EXPECT_TRUE(run.BookChanged);
}

TEST_F(SettingsWindowTest, DateStyleListShowsTodayInEachStyle) {
    LWMainsettings w(book, run);
    w.show();
    QApplication::processEvents();
    ASSERT_EQ(w.DateStyle->count(), 9);
    EXPECT_EQ(w.DateStyle->itemText(0), "Default");
    EXPECT_EQ(w.DateStyle->itemText(1), "09/12/25");
    EXPECT_EQ(w.DateStyle->itemText(4), "09-12-2025");
    EXPECT_EQ(w.DateStyle->itemText(8), "12-09-2025");
    EXPECT_EQ(w.DateStyle->currentIndex(), 0);

    // Typed characters are discarded; the fifth item is style 4.
    pressKey(w.DateStyle, Qt::Key_0, "0");
    EXPECT_EQ(w.DateStyle->currentIndex(), 0);
    EXPECT_FALSE(run.BookChanged);
    w.DateStyle->setCurrentIndex(4);
    emit w.DateStyle->activated(4);
    EXPECT_EQ(book.DateStyle, 4);
    EXPECT_TRUE(run.BookChanged);
}

TEST_F(SettingsWindowTest, FontsAndCharacterSetsOnlyDejaVu) {
    const QStringList fonts = LWMainsettings::screenFonts();
    ASSERT_FALSE(fonts.isEmpty());
    EXPECT_TRUE(fonts.contains("DejaVu Sans")) << fonts.join(", ").toStdString();
    QStringList sorted = fonts;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(fonts, sorted);
    const QStringList sets = LWMainsettings::charsetsOffered("DejaVu Sans");
    for (const char* name :
         {"Western", "Greek", "Cyrillic", "Central European", "Baltic", "Turkish"})
        EXPECT_TRUE(sets.contains(name)) << name << ": " << sets.join(", ").toStdString();
    EXPECT_FALSE(sets.contains("Japanese"));

    LWMainsettings w(book, run);
    w.show();
    QApplication::processEvents();
    std::vector<std::pair<QString, int>> announced;
    QObject::connect(&w, &LWMainsettings::fontChanged, [&](const QString& name, int set) {
        announced.push_back({name, set});
    });
    // Typed characters do not choose a font.
    typeText(w.Combo2, "Z");
    EXPECT_EQ(book.FontName.str(), "A Face This Machine Lacks");

    choose(w.Combo2, "DejaVu Sans Mono");
    EXPECT_EQ(book.FontName.str(), "DejaVu Sans Mono");
    EXPECT_EQ(book.FontCharset, 161); // Greek is offered, so it stays
    EXPECT_EQ(w.Combo1->currentText(), "Greek");
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0].first, "DejaVu Sans Mono");
    EXPECT_TRUE(run.BookChanged);

    pressKey(w.Combo1, Qt::Key_Down); // keys are discarded here
    EXPECT_EQ(book.FontCharset, 161);
    choose(w.Combo1, "Cyrillic");
    EXPECT_EQ(book.FontCharset, 204);
    ASSERT_EQ(announced.size(), 2u);
    EXPECT_EQ(announced[1].second, 204);

    EXPECT_FALSE(w.grab().isNull());
    dialog_driving::saveScreenshot(&w, "settings_window");
}

TEST_F(SettingsWindowTest, HelpModeShowsTheControlsHelpInstead) {
    HC help;
    LWMainsettings w(book, run, &help);
    w.show();
    QApplication::processEvents();
    w.HelpContents->trigger();
    EXPECT_TRUE(helpMode().isOn());
    EXPECT_TRUE(w.HelpContents->isChecked());
    click(w.Bname);
    EXPECT_EQ(help.title(), "Business Name :");
    EXPECT_EQ(help.text().rfind("Add bold title to printed invoices and statements...", 0), 0u);
    click(w.AdminPass);
    EXPECT_EQ(help.title(), "Admin Password :");
    EXPECT_FALSE(run.BookChanged);
    help.close(); // closing the help window ends help mode and clears the tick
    EXPECT_FALSE(helpMode().isOn());
    EXPECT_FALSE(w.HelpContents->isChecked());
}

} // namespace
