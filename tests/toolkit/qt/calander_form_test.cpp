#include "book/runtime_state.h"
#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/dialog_driving.h"
#include "widget_events.h"

#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace widget_events;
using dialog_driving::typeText;

namespace {

// A host window with the picker above a sibling label that was created after
// it (and so lies above it), in a day-first locale, the book's style 2,
// today 9 February 2026.
struct Host {
    ScopedFakeServices fakes{dayFirstLocale()};
    RunTimeState run;
    std::unique_ptr<QWidget> top;
    CalanderForm* picker = nullptr;
    QLabel* sibling = nullptr;
    QLineEdit* other = nullptr;
    int clicks = 0, changes = 0;

    Host() {
        fakes.clock.moment = Tmain::DayNumber(2026, 2, 9) + 0.5;
        top = std::make_unique<QWidget>();
        top->resize(420, 260);
        picker = new CalanderForm(top.get());
        picker->move(10, 10);
        picker->setRunTimeState(&run);
        picker->setDateStyle(2);
        picker->setFontName("Arial"); // as every host does from the book
        picker->setFontSize(9);
        sibling = new QLabel(QStringLiteral("A sibling control under the panel"), top.get());
        sibling->setGeometry(10, 40, 360, 150);
        sibling->setAutoFillBackground(true);
        sibling->setStyleSheet("background: #c8e0c8");
        other = new QLineEdit(top.get());
        other->setGeometry(10, 220, 120, 22);
        QObject::connect(picker, &CalanderForm::Click, [this] { ++clicks; });
        QObject::connect(picker, &CalanderForm::Change, [this] { ++changes; });
        showTop(top.get());
    }
    QPoint face() const { return inTop(picker, QPoint(90, 12)); }
    QPoint cell(int n) const {
        QWidget* panel = picker->panel();
        const QPoint at(32 * (n % 7) + 16, 37 + 16 * (n / 7) + 8);
        return panel->mapTo(top.get(), at);
    }
};

TEST(CalanderFormWidget, FaceOpensThePanelOverItsSiblings) {
    Host host;
    host.picker->setText("15/03/2026");
    EXPECT_EQ(host.changes, 1);
    saveShot(host.top.get(), "date_picker_closed");
    click(host.top.get(), host.face());
    ASSERT_TRUE(host.picker->isOpen());
    QWidget* panel = host.picker->panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->parentWidget(), host.top.get());
    EXPECT_TRUE(panel->geometry().intersects(host.sibling->geometry()));
    // Over the sibling: the panel is what the mouse finds there.
    QWidget* found = host.top->childAt(host.cell(15));
    EXPECT_TRUE(found == panel || panel->isAncestorOf(found));
    EXPECT_EQ(host.clicks, 0);

    auto* months = panel->findChildren<QComboBox*>().value(0);
    ASSERT_NE(months, nullptr);
    EXPECT_EQ(months->currentText(), "March");
    EXPECT_TRUE(QFile::exists(saveShot(host.top.get(), "date_picker_open")));

    // Closed through the face again: Click, but no day was picked.
    click(host.top.get(), host.face());
    EXPECT_FALSE(host.picker->isOpen());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(host.clicks, 1);
    EXPECT_EQ(host.run.DateChangedFlag, 0);
}

TEST(CalanderFormWidget, PickingADayRaisesOneClick) {
    Host host;
    host.picker->setText("15/03/2026");
    click(host.top.get(), host.face());
    ASSERT_TRUE(host.picker->isOpen());

    // A blank cell takes no click.
    click(host.top.get(), host.cell(40));
    EXPECT_TRUE(host.picker->isOpen());
    EXPECT_EQ(host.clicks, 0);

    host.changes = 0;
    click(host.top.get(), host.cell(19)); // 20 March 2026
    EXPECT_EQ(host.clicks, 1);
    EXPECT_EQ(host.run.DateChangedFlag, 1);
    EXPECT_EQ(host.picker->Text(), "20/03/2026");
    EXPECT_EQ(host.picker->textBox()->text(), "20/03/2026");
    EXPECT_EQ(host.changes, 1);
    EXPECT_FALSE(host.picker->isOpen());
    EXPECT_EQ(host.picker->TheDate(), Tmain::DayNumber(2026, 3, 20));
    saveShot(host.top.get(), "date_picker_picked");
}

TEST(CalanderFormWidget, ArrowAndListsWriteTheBooksStyle) {
    Host host;
    host.picker->setText("15/12/2025");
    click(host.top.get(), host.face());
    QWidget* panel = host.picker->panel();
    auto buttons = panel->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    QToolButton* next = buttons[0]->arrowType() == Qt::RightArrow ? buttons[0] : buttons[1];
    next->click();
    EXPECT_EQ(host.picker->Text(), "31/01/2026");
    EXPECT_TRUE(host.picker->isOpen());
    EXPECT_EQ(host.clicks, 0);
    auto* months = panel->findChildren<QComboBox*>().value(0);
    EXPECT_EQ(months->currentText(), "January");
}

TEST(CalanderFormWidget, HostKeyHandlersGoFirst) {
    Host host;
    QLineEdit* box = host.picker->textBox();
    std::vector<int> downs;
    QObject::connect(host.picker, &CalanderForm::KeyDown, [&](KeyArgs& k) {
        downs.push_back(k.KeyCode);
        if (k.KeyCode == keys::LetterA + ('X' - 'A')) k.KeyCode = 0;
    });
    QObject::connect(host.picker, &CalanderForm::KeyPress, [&](KeyPressArgs& k) {
        if (k.KeyAscii == '7') k.KeyAscii = 0;   // swallowed
        if (k.KeyAscii == '-') k.KeyAscii = '/'; // replaced
    });
    int ups = 0;
    QObject::connect(host.picker, &CalanderForm::KeyUp, [&](KeyArgs&) { ++ups; });
    auto type = [&](int key, const QString& text) { dialog_driving::pressKey(box, key, text); };
    type(Qt::Key_1, "1");
    type(Qt::Key_7, "7");
    type(Qt::Key_X, "x");
    type(Qt::Key_Minus, "-");
    type(Qt::Key_2, "2");
    EXPECT_EQ(box->text(), "1/2");
    EXPECT_EQ(host.picker->Text(), "1/2");
    EXPECT_EQ(downs, (std::vector<int>{'1', '7', 'X', 189, '2'}));
    EXPECT_EQ(ups, 5);

    // The keypad's decimal key, "," or "." by the layout, types the style's separator.
    LocaleInfo hungarian = decimalCommaLocale();
    hungarian.shortDatePattern = "yyyy. MM. dd.";
    for (const auto& [locale, style, typed] : {std::tuple(decimalCommaLocale(), 0, "2024.12.31"),
                                               {hungarian, 0, "2024.12.31"},
                                               {dayFirstLocale(), 2, "2024/12/31"}}) {
        host.fakes.locale.info = locale;
        host.picker->setDateStyle(style);
        box->setText("2024");
        for (const auto& [key, part] : {std::pair(Qt::Key_Comma, "12"), {Qt::Key_Period, "31"}}) {
            dialog_driving::pressKey(box, key, ",", Qt::KeypadModifier);
            typeText(box, part);
        }
        EXPECT_EQ(box->text(), typed);
    }
}

TEST(CalanderFormWidget, LostFocusOnlyWhenTheFocusLeavesControlAndPanel) {
    Host host;
    QApplication::setActiveWindow(host.top.get());
    int lost = 0;
    QObject::connect(host.picker, &CalanderForm::LostFocus, [&] {
        ++lost;
        host.picker->WLoss(); // what the main window's entry date does
    });
    host.picker->textBox()->setFocus();
    click(host.top.get(), host.face());
    ASSERT_TRUE(host.picker->isOpen());
    auto* months = host.picker->panel()->findChildren<QComboBox*>().value(0);
    months->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(lost, 0);
    EXPECT_TRUE(host.picker->isOpen());
    host.other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(host.picker->isOpen());
    EXPECT_EQ(host.clicks, 0);
}

TEST(CalanderFormWidget, PanelGoesWithTheControl) {
    Host host;
    click(host.top.get(), host.face());
    QPointer<QWidget> panel = host.picker->panel();
    ASSERT_TRUE(panel);
    // Its text box holding the focus as it goes, the control hears nothing of it.
    QApplication::setActiveWindow(host.top.get());
    host.picker->textBox()->setFocus();
    int heard = 0;
    QObject::connect(host.picker, &CalanderForm::LostFocus, [&] { ++heard; });
    // Nor of the focus moving elsewhere while its children go.
    QObject::connect(new QObject(host.picker), &QObject::destroyed,
                     [&] { emit qApp->focusChanged(nullptr, host.top.get()); });
    delete host.picker;
    EXPECT_TRUE(panel.isNull());
    EXPECT_EQ(heard, 0);
}

} // namespace

// The control is as wide as the widest date of its style and font needs,
// whatever width its host gives it, and no wider than its design once a
// smaller font or shorter style needs less; the text box keeps the width
// while the panel opens in a control that holds it itself.
TEST(CalanderFormWidget, WidthFollowsTheWidestDateOfStyleAndFont) {
    Host host;
    CalanderForm* picker = host.picker;
    const QSize design(103, 23);
    auto holds = [picker](const std::string& text) {
        const QLineEdit* box = picker->textBox();
        const double width =
            QFontMetricsF(box->font()).horizontalAdvance(QString::fromStdString(text));
        return box->width() - 2 * 2 >= width + 1;
    };
    EXPECT_TRUE(holds("28/09/2026")); // the host's Arial at 9 points needs more than the design
    const struct {
        std::string font;
        double points;
        int style;
        const char* widest;
        bool wider;
    } cases[] = {
        {"DejaVu Sans Mono", 14, 2, "28/09/2026", true},
        {"DejaVu Sans Mono", 14, 1, "28/09/2026", true}, // a four-digit year may be typed
        {"Arial", 8, 2, "28/09/2026", false},
        {"DejaVu Serif", 9, 8, "12-28-2026", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font + " " + std::to_string(c.style));
        picker->setFontName(c.font);
        picker->setFontSize(c.points);
        picker->setDateStyle(c.style);
        picker->setGeometry(10, 10, 60, 23); // a host that leaves too little room
        EXPECT_TRUE(holds(c.widest));
        EXPECT_EQ(picker->width() > design.width(), c.wider) << picker->width();
        EXPECT_EQ(picker->sizeHint().width(), std::max(picker->width(), design.width()));
    }

    // Standing alone the control grows to hold its open panel; its text box stays.
    CalanderForm alone;
    alone.setFontName("DejaVu Sans Mono");
    alone.setFontSize(14);
    alone.setDateStyle(2);
    alone.show();
    const int closedText = alone.textBox()->width();
    alone.WLoss();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(alone.width() - 5, 10),
                        alone.mapToGlobal(QPointF(alone.width() - 5, 10)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&alone, &release);
    ASSERT_TRUE(alone.isOpen());
    EXPECT_GT(alone.width(), 300);
    EXPECT_EQ(alone.textBox()->width(), closedText);
}
