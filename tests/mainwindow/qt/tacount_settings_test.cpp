// The settings window opened from the main window's Settings menu.
#include "mainwindow/qt/LWMainsettings.h"
#include "mainwindow/qt/TAcount.h"
#include "platform/fake/fake_services.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/dialog_driving.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace main_window_driving;
using dialog_driving::typeText;

namespace {

TEST(TAcountSettings, OpenedFromTheMenuWritesEachKeyAndFontsTheEntryLine) {
    ScopedFakeServices fakes(decimalCommaLocale());
    TAcount w;
    w.show();
    run(w, Command::SoftwareSettings);
    auto* settings = qobject_cast<LWMainsettings*>(w.settingsWindow.data());
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(settings->parentWidget(), &w);
    EXPECT_FALSE(w.run().BookChanged); // opening writes nothing
    EXPECT_EQ(settings->DecimalPlacing[0][2]->text(), "0,00");

    // Each key is written at once and marks the book changed.
    typeText(settings->Bname, "A");
    EXPECT_EQ(w.book().BusinessName.str(), "A");
    EXPECT_TRUE(w.run().BookChanged);
    typeText(settings->Bname, "b");
    EXPECT_EQ(w.book().BusinessName.str(), "Ab");

    // A font chosen there shows on the entry line at once; the amount and
    // reference boxes keep theirs.
    const QString before = w.DebitAccName[0]->font().family();
    const QString referenceFont = w.JournalID->font().family();
    int other = -1;
    for (int i = 0; i < settings->Combo2->count() && other < 0; ++i)
        if (settings->Combo2->itemText(i) != before) other = i;
    ASSERT_GE(other, 0) << "one font only";
    const QString chosen = settings->Combo2->itemText(other);
    emit settings->Combo2->activated(other);
    EXPECT_EQ(w.book().FontName.str(), chosen.toStdString());
    for (int r : {0, 30}) {
        EXPECT_EQ(w.DebitAccName[r]->font().family(), chosen) << r;
        EXPECT_EQ(w.CreditAccName[r]->font().family(), chosen) << r;
        EXPECT_EQ(w.DebitFolio[r]->font().family(), chosen) << r;
        EXPECT_EQ(w.CreditFolio[r]->font().family(), chosen) << r;
    }
    EXPECT_EQ(w.AccNote->font().family(), chosen);
    EXPECT_EQ(w.JournalID->font().family(), referenceFont);

    // OK closes it; the menu shows the same window again with the book's values.
    settings->OKu->click();
    EXPECT_FALSE(settings->isVisible());
    run(w, Command::SoftwareSettings);
    EXPECT_EQ(w.settingsWindow.data(), settings);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(settings->Bname->text(), "Ab");
    settings->close();

    // Behind the administrator password: a left prompt opens nothing.
    w.book().AdminPassword = "boss";
    std::optional<std::string> answer;
    w.adminPasswordPrompt = [&] { return answer; };
    run(w, Command::SoftwareSettings);
    EXPECT_FALSE(settings->isVisible());
    answer = "boss";
    run(w, Command::SoftwareSettings);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_TRUE(w.run().EnteredPassword.empty());
}

} // namespace
