// The settings window opened from the main window's Settings menu.
#include "mainwindow/layout.h"
#include "mainwindow/qt/LWMainsettings.h"
#include "mainwindow/qt/TAcount.h"
#include "platform/fake/fake_services.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"
#include "toolkit/qt/plain_text_box.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
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

// In the window at its minimum size, each date style chosen in the settings
// window shows the entry's date in that style in a date box that holds the
// widest date of the style and font, in locales whose dates have blanks or
// month names; the tick and the labels after it make room, and nothing in
// the head row overlaps.
TEST(TAcountSettings, TheDateBoxHoldsTheWidestDateOfEveryStyleChosenThere) {
    const LocaleInfo blanks = dayFirstDates("dd MM yyyy");
    const LocaleInfo names = dayFirstDates("d MMMM yyyy");
    const struct {
        LocaleInfo locale;
        std::string font; // the book's; "" keeps the program's own
    } cases[] = {
        {names, "DejaVu Sans Mono"},
        {names, "DejaVu Serif"},
        {names, ""},
        {blanks, "DejaVu Sans"},
        {monthFirstLocale(), "DejaVu Sans Mono"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.shortDatePattern + " '" + c.font + "'");
        ScopedFakeServices fakes(c.locale);
        TAcount w;
        w.show();
        w.resize(1, 1); // snaps back to the minimum size
        QApplication::processEvents();
        Book book = tradingBook();
        book.FontName = c.font;
        showBook(w, std::move(book));
        if (!c.font.empty()) w.applyEntryLineFont(QString::fromStdString(c.font), true);
        run(w, Command::SoftwareSettings);
        auto* settings = qobject_cast<LWMainsettings*>(w.settingsWindow.data());
        ASSERT_NE(settings, nullptr);
        // Style 0 last, chosen after another style.
        for (int style : {1, 2, 3, 4, 5, 6, 7, 8, 0}) {
            SCOPED_TRACE("style " + std::to_string(style));
            settings->DateStyle->setCurrentIndex(style);
            emit settings->DateStyle->activated(style);
            ASSERT_EQ(w.book().DateStyle, style);
            const double date = w.book().EntryLines[w.run().CurrentFirstLine].Date;
            EXPECT_EQ(w.Datetext->Text(), Tmain::FormatDateStyle(date, style, c.locale));

            const QLineEdit* text = w.Datetext->textBox();
            const double widest = widestDate(text->font(), style, c.locale);
            EXPECT_GE(text->width() - 2 * 2, widest + 1);
            const QRect box = w.Datetext->geometry();
            EXPECT_TRUE(box.contains(text->geometry().translated(box.topLeft())));
            // Left to right: the reference, "Date :", the date box, the tick,
            // "Reconcile", the entry's position, the entry scroller.
            const QWidget* row[] = {w.JournalID,    w.GL[3], w.Datetext,
                                    w.Reconcile[1], w.GL[1], w.CELablel};
            for (std::size_t i = 0; i + 1 < std::size(row); ++i) {
                SCOPED_TRACE(i);
                EXPECT_LT(row[i]->geometry().right(), row[i + 1]->geometry().left());
                EXPECT_EQ(row[i]->parentWidget(), row[i + 1]->parentWidget());
            }
            EXPECT_EQ(w.Reconcile[0]->geometry(), w.Reconcile[1]->geometry());
            EXPECT_LE(w.CELablel->mapTo(&w, QPoint(w.CELablel->width(), 0)).x(), w.ScrollAcc->x());
            // A date as narrow as the designed box leaves the tick where it was.
            if (widest <= 70) {
                EXPECT_EQ(w.Reconcile[1]->x(), toPixels(design::ReconcileLeft)) << widest;
            }
        }
        if (&c == &cases[0]) dialog_driving::saveScreenshot(&w, "main_window_month_name_date");
        EXPECT_LE(w.width(), toPixels(MinimumOuterWidth)); // the minimum size held
    }
}

// The paste keys insert the clipboard's plain text, nothing when it holds none or into a box that
// only shows (also on an X display whose clipboard has no owner, where Qt's own paste crashes).
TEST(TAcountSettings, EveryMultiLineBoxPastesTheClipboardsPlainTextItself) {
    ScopedFakeServices fakes;
    TAcount w;
    w.show();
    showBook(w, tradingBook());
    run(w, Command::SoftwareSettings);
    run(w, Command::EditAccounts);
    QList<QPlainTextEdit*> boxes; // the business address, the account's two notes, the help
    for (QWidget* window :
         {w.settingsWindow.data(), w.chartOfAccountsWindow.data(), static_cast<QWidget*>(w.HC)}) {
        ASSERT_NE(window, nullptr);
        window->show();
        EXPECT_EQ(window->findChildren<QTextEdit*>().size(), 0);
        boxes += window->findChildren<QPlainTextEdit*>();
    }
    ASSERT_EQ(boxes.size(), 4u);
    for (QPlainTextEdit* box : boxes) {
        SCOPED_TRACE(box->toolTip().toStdString());
        EXPECT_NE(dynamic_cast<PlainTextBox*>(box), nullptr);
        box->setEnabled(true);
        const QString before = box->toPlainText();
        fakes.clipboard.setText("");
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::mouseClick(box->viewport(), Qt::MiddleButton);
        EXPECT_EQ(box->toPlainText(), before);
        fakes.clipboard.setText("Unit 4\nHigh Street");
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(box->toPlainText(), box->isReadOnly() ? before : before + "Unit 4\nHigh Street");
    }
}

} // namespace
