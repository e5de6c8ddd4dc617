// Driving the main window in tests: its menu items and a click, the
// program's file dialog answered from a script, and the small trading book
// the tests open and save.
#pragma once

#include "accounts/qt/Group_Entries.h"
#include "book/book.h"
#include "book/tmain.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/trading_books.h"
#include "platform/locale.h"
#include "toolkit/qt/LoadSave.h"
#include "toolkit/qt/New_Menu.h"
#include "toolkit/qt/widget_events.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace main_window_driving {

// A command as its menu item runs it.
inline void run(TAcount& w, Command c) {
    QAction* a = w.action(c);
    ASSERT_NE(a, nullptr);
    a->trigger();
}

// Runs `step` as the event loop runs a handler of `receiver`'s events: as a
// posted event delivered through the application (and so under its guard).
inline void throughEvents(QObject* receiver, const std::function<void()>& step) {
    QMetaObject::invokeMethod(receiver, step, Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents(receiver, QEvent::MetaCall);
}

// A command as its menu item runs it when the user picks it: through the
// application's event delivery.
inline void runThroughEvents(TAcount& w, Command c) {
    QAction* a = w.action(c);
    ASSERT_NE(a, nullptr);
    throughEvents(a, [a] { a->trigger(); });
}

// The item `name` of `box` chosen as a user picks it from the list.
inline void choose(QComboBox* box, const std::string& name) {
    const int i = box->findText(QString::fromStdString(name));
    ASSERT_GE(i, 0) << name;
    box->setCurrentIndex(i);
    emit box->activated(i);
}

// A window told it is active, as on a click into it (none: nothing).
inline void activate(QWidget* w) {
    QEvent e(QEvent::WindowActivate);
    if (w) QApplication::sendEvent(w, &e);
}

// A click (a left one unless said): press and release inside the control.
inline void click(QWidget* w, QPoint at = QPoint(5, 5), Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// Opens group `row` (counted from 0) of the Include button's drop-down in the group editor.
inline RecurringEntries* openGroup(TAcount& w, int row) {
    using namespace widget_events;
    if (!w.entryGroupsWindow || !w.entryGroupsWindow->isVisible())
        main_window_driving::click(w.GroupBu);
    auto* drop = qobject_cast<Group_Entries*>(w.entryGroupsWindow.data());
    if (!drop) return nullptr;
    New_Menu* menu = drop->Edit_Group;
    const QPoint name(20, menu->rowRect(row).center().y());
    moveTo(drop, inTop(menu, name));
    widget_events::click(drop, inTop(menu, name));
    QApplication::processEvents();
    return drop->editor();
}

// A book shown in the window, at its last entry.
inline void showBook(TAcount& w, Book book) {
    w.book() = std::move(book);
    w.refillAccountBoxes();
    w.journalLengthChanged();
}

// Answers the program's file dialog while a command shows it modally: each
// showing takes the next step (pick a file, cancel); a showing nobody
// scripted is counted and cancelled, so a test never hangs.
class DialogScript : public QObject {
  public:
    using Step = std::function<void(LoadSave*)>;

    DialogScript() { qApp->installEventFilter(this); }
    ~DialogScript() override { qApp->removeEventFilter(this); }

    std::deque<Step> steps;
    std::vector<std::string> captions; // of every showing, in order
    int unexpected = 0;

    // Picks `path` (typed into the name box), choosing `type` ("txt") first
    // when given; a dialog the pick leaves open (a name refused) is cancelled.
    void pick(const std::filesystem::path& path, const std::string& type = "") {
        steps.push_back([path, type](LoadSave* d) {
            if (!type.empty())
                d->typeChosen(d->Combo1->findText(QString::fromStdString("*." + type)));
            d->txtSearchSpec->setText(QString::fromStdString(path.string()));
            d->acceptClicked();
            if (d->isVisible()) d->cancelClicked();
        });
    }
    void cancel() {
        steps.push_back([](LoadSave* d) { d->cancelClicked(); });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* dialog = qobject_cast<LoadSave*>(watched);
        if (!dialog) return false;
        captions.push_back(dialog->windowTitle().toStdString());
        Step step;
        if (steps.empty()) {
            ++unexpected;
            step = [](LoadSave* d) { d->cancelClicked(); };
        } else {
            step = steps.front();
            steps.pop_front();
        }
        // Once the dialog's own event loop runs.
        QPointer<LoadSave> shown(dialog);
        QTimer::singleShot(0, dialog, [shown, step] {
            if (shown) step(shown);
        });
        return false;
    }
};

using trading_books::addEntry;
using trading_books::bookBytes;
using trading_books::money;
using trading_books::setAccount;

// The trading book of trading_books, in a font this machine has.
inline Book tradingBook(const std::string& name = "Corner Shop") {
    Book b = trading_books::tradingBook(name);
    b.FontName = "DejaVu Serif";
    return b;
}

// The day-first locale with another short-date pattern ("d MMMM yyyy").
inline LocaleInfo dayFirstDates(const std::string& shortDatePattern) {
    LocaleInfo locale = dayFirstLocale();
    locale.shortDatePattern = shortDatePattern;
    return locale;
}

// The widest text a date box may hold in `style`: every day of a leap year
// and the last day of each year from 1900 to 2100, each as the style writes
// it and with a four-digit year (as a date may be typed).
inline double widestDate(const QFont& font, int style, const LocaleInfo& locale) {
    const QFontMetricsF metrics(font);
    double widest = 0;
    auto measure = [&](double day) {
        for (auto year : {Tmain::YearDigits::AsStyle, Tmain::YearDigits::Four}) {
            const std::string text = Tmain::FormatDateStyle(day, style, locale, year);
            widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
        }
    };
    for (double day = Tmain::DayNumber(2028, 1, 1); day <= Tmain::DayNumber(2028, 12, 31); ++day)
        measure(day);
    for (int year = 1900; year <= 2100; ++year)
        measure(Tmain::DayNumber(year, 12, 31));
    return widest;
}

} // namespace main_window_driving
