#include "platform/qt/qt_services.h"

#include "support/test_paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using testing_support::TempDir;

namespace {

// Keeps the user's real settings untouched: the user's configuration folder
// is a scratch folder for the lifetime of the object.
class ScratchSettings {
  public:
    ScratchSettings() : saved_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir_.path().string()));
    }
    ~ScratchSettings() { qputenv("XDG_CONFIG_HOME", saved_); } // empty: as none
    const TempDir& dir() const { return dir_; }

  private:
    TempDir dir_;
    QByteArray saved_;
};

// Restores the default locale when a test changes it.
class DefaultLocaleGuard {
  public:
    DefaultLocaleGuard() : saved_(QLocale()) {}
    ~DefaultLocaleGuard() { QLocale::setDefault(saved_); }

  private:
    QLocale saved_;
};

// Shows a box through the service while `act` handles it once it is up.
MessageAnswer answerBox(const std::function<void(QMessageBox*)>& act, MessageButtons buttons,
                        const std::string& title = "",
                        const std::string& text = "Do you want to exit without saving ?") {
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            act(box);
        }
    });
    poll.start();
    QtMessageBox messages;
    return messages.show(text, title, buttons, MessageIcon::Question);
}

QAbstractButton* buttonOf(QMessageBox* box, QMessageBox::StandardButton which) {
    return box->button(which);
}

} // namespace

TEST(QtServices, SettingsStoreRoundTripsPerUserUnderLwSettings) {
    ScratchSettings scratch;
    QtSettingsStore store;
    EXPECT_FALSE(store.get("LW", "Settings", "Width").has_value());

    store.set("LW", "Settings", "Width", "9120");
    store.set("LW", "Settings", "Height", "6405");
    store.set("LW", "Settings", "eLeft", "Zürich €");
    store.set("LW", "Other", "Width", "1");
    EXPECT_EQ(store.get("LW", "Settings", "Width"), "9120");
    EXPECT_EQ(store.get("LW", "Settings", "Height"), "6405");
    EXPECT_EQ(store.get("LW", "Settings", "eLeft"), "Zürich €");
    EXPECT_EQ(store.get("LW", "Other", "Width"), "1");
    EXPECT_FALSE(store.get("LW", "Settings", "eTop").has_value());
    EXPECT_FALSE(store.get("Another", "Settings", "Width").has_value());

    store.set("LW", "Settings", "Width", "");
    EXPECT_EQ(store.get("LW", "Settings", "Width"), ""); // stored empty, not missing

    // The values reach a file under the scratch folder: organisation and
    // application "LW", group = section.
    const QString file = QString::fromStdString((scratch.dir() / "LW/LW.conf").string());
    ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
    QSettings onDisk(file, QSettings::IniFormat);
    EXPECT_EQ(onDisk.value("Settings/Height").toString(), "6405");
    EXPECT_EQ(onDisk.value("Other/Width").toString(), "1");

    // A settings file that is a pipe, or an odd or held lock: read as they are, written at once
    // (that is, not at all), the odd file left.
    const std::string lock = " LW.conf.lock";
    for (const std::string make :
         {std::string("mkfifo Piped.conf"), "mkfifo" + lock, "mkdir" + lock,
          "mknod" + lock + " c 1 5 || ln -s /dev/zero" + lock, // a device
          "ln -s LW.conf" + lock, "touch" + lock}) {           // held
        SCOPED_TRACE(make);
        const std::filesystem::path at = scratch.dir() / "LW" / make.substr(make.rfind(' ') + 1);
        ASSERT_EQ(testing_support::runCommand("cd '" + at.parent_path().string() + "' && " + make),
                  0);
        const auto kind = std::filesystem::symlink_status(at).type();
        const std::string app = at.stem().stem().string();
        const std::optional<std::string> before = store.get(app, "Settings", "Height");
        EXPECT_EQ(before.has_value(), app == "LW");
        ::alarm(20); // ends the test should the write hang
        store.set(app, "Settings", "Height", "1");
        ::alarm(0);
        EXPECT_EQ(store.get(app, "Settings", "Height"), before);
        EXPECT_EQ(std::filesystem::symlink_status(at).type(), kind);
        if (app == "LW") std::filesystem::remove(at);
    }
}

TEST(QtServices, ClipboardCarriesPlainTextAndRtfTogether) {
    QtClipboard clipboard;
    clipboard.setText("Cash\t100.00\r\nBank\t-5\r\nZürich €");
    EXPECT_EQ(clipboard.text(), "Cash\t100.00\r\nBank\t-5\r\nZürich €");

    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1252 Caf\\'e9\\par}";
    clipboard.setTextAndRtf("Café", rtf);
    EXPECT_EQ(clipboard.text(), "Café");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("text/rtf").toStdString(), rtf);
    EXPECT_EQ(data->data("application/rtf").toStdString(), rtf);

    // Plain text afterwards replaces the RTF as well.
    clipboard.setText("only text");
    EXPECT_EQ(clipboard.text(), "only text");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("text/rtf"));
}

TEST(QtServices, LocaleSourceFollowsTheLocale) {
    DefaultLocaleGuard guard;
    QtLocaleSource source;

    QLocale::setDefault(QLocale("en_GB"));
    LocaleInfo gb = source.current();
    EXPECT_EQ(gb.name, "en_GB");
    EXPECT_EQ(dateOrderOf(gb.shortDatePattern), DateOrder::DayMonthYear);
    EXPECT_EQ(dateSeparatorOf(gb.shortDatePattern), "/");
    EXPECT_EQ(formatDatePattern(gb.shortDatePattern, 2000, 1, 30, gb), "30/01/2000");
    EXPECT_EQ(gb.decimalMark, ".");
    EXPECT_EQ(gb.groupMark, ",");
    EXPECT_EQ(gb.longMonthNames[0], "January");
    EXPECT_EQ(gb.shortMonthNames[11], "Dec");

    QLocale::setDefault(QLocale("en_US"));
    LocaleInfo us = source.current();
    EXPECT_EQ(us.name, "en_US");
    EXPECT_EQ(dateOrderOf(us.shortDatePattern), DateOrder::MonthDayYear);
    EXPECT_EQ(dateSeparatorOf(us.shortDatePattern), "/");
    EXPECT_EQ(us.decimalMark, ".");
    EXPECT_EQ(us.groupMark, ",");

    QLocale::setDefault(QLocale("de_DE"));
    LocaleInfo de = source.current();
    EXPECT_EQ(de.name, "de_DE");
    EXPECT_EQ(de.language(), "de");
    EXPECT_EQ(dateOrderOf(de.shortDatePattern), DateOrder::DayMonthYear);
    EXPECT_EQ(dateSeparatorOf(de.shortDatePattern), ".");
    EXPECT_EQ(de.decimalMark, ",");
    EXPECT_EQ(de.groupMark, ".");
    EXPECT_EQ(de.longMonthNames[2], "März");

    QLocale::setDefault(QLocale("sv_SE"));
    LocaleInfo se = source.current();
    EXPECT_EQ(dateOrderOf(se.shortDatePattern), DateOrder::YearMonthDay);
    EXPECT_EQ(dateSeparatorOf(se.shortDatePattern), "-");
    EXPECT_EQ(se.decimalMark, ",");
    EXPECT_EQ(se.groupMark, "\xC2\xA0"); // a no-break space, two bytes

    // A locale told to write no group mark has none.
    QLocale plain("en_US");
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(plain);
    EXPECT_EQ(source.current().groupMark, "");
    EXPECT_EQ(source.current().decimalMark, ".");
}

TEST(QtServices, QtDateFormatsBecomeDayMonthYearPatterns) {
    EXPECT_EQ(datePatternFromQt("dd/MM/yyyy"), "dd/MM/yyyy");
    EXPECT_EQ(datePatternFromQt("M/d/yy"), "M/d/yy");
    EXPECT_EQ(datePatternFromQt("d.M.y"), "d.M.yyyy");
    EXPECT_EQ(datePatternFromQt("dddd, d MMMM yyyy"), "d MMMM yyyy");
    EXPECT_EQ(datePatternFromQt("ddd d MMM yyyy"), "d MMM yyyy");
    EXPECT_EQ(datePatternFromQt("yyyy-MM-dd HH:mm"), "yyyy-MM-dd");
    EXPECT_EQ(datePatternFromQt("d 'de' MMMM 'de' yyyy"), "d 'de' MMMM 'de' yyyy");
    EXPECT_EQ(datePatternFromQt("yyyy. MM. dd."), "yyyy. MM. dd."); // literals kept
    EXPECT_EQ(datePatternFromQt("yyyy年M月d日dddd"), "yyyy年M月d日");
    EXPECT_EQ(datePatternFromQt("yyyy. MMMM d., dddd"), "yyyy. MMMM d.");
    EXPECT_EQ(datePatternFromQt("d\u200F/M\u200F/yyyy"), "d/M/yyyy"); // direction marks
    EXPECT_EQ(datePatternFromQt("MMMMM d yyyyy"), "MMMM d yyyy");
    EXPECT_EQ(datePatternFromQt(""), "");
}

TEST(QtServices, MessageBoxMapsButtonsAndAnswers) {
    QCoreApplication::setApplicationName("LW");
    QString shownTitle;
    EXPECT_EQ(answerBox(
                  [&](QMessageBox* box) {
                      shownTitle = box->windowTitle();
                      buttonOf(box, QMessageBox::No)->click();
                  },
                  MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_EQ(shownTitle, "LW"); // no title: the application's name

    EXPECT_EQ(answerBox(
                  [&](QMessageBox* box) {
                      shownTitle = box->windowTitle();
                      buttonOf(box, QMessageBox::Yes)->click();
                  },
                  MessageButtons::YesNoCancel, "Save"),
              MessageAnswer::Yes);
    EXPECT_EQ(shownTitle, "Save");

    EXPECT_EQ(answerBox([](QMessageBox* box) { buttonOf(box, QMessageBox::Cancel)->click(); },
                        MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(answerBox([](QMessageBox* box) { buttonOf(box, QMessageBox::Ok)->click(); },
                        MessageButtons::Ok),
              MessageAnswer::Ok);
    // Closing without a button is the box's cancel answer.
    EXPECT_EQ(answerBox([](QMessageBox* box) { box->reject(); }, MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(answerBox([](QMessageBox* box) { box->reject(); }, MessageButtons::YesNo),
              MessageAnswer::No);
    // A box without text is never shown: the answer is the box closed.
    const auto shown = [](QMessageBox* box) {
        ADD_FAILURE() << "shown";
        box->reject();
    };
    EXPECT_EQ(answerBox(shown, MessageButtons::YesNo, "Save", ""), MessageAnswer::No);
    EXPECT_EQ(answerBox(shown, MessageButtons::Ok, "", ""), MessageAnswer::Ok);
    // A button the kind of box lacks is never offered.
    bool hadCancel = true;
    answerBox(
        [&](QMessageBox* box) {
            hadCancel = buttonOf(box, QMessageBox::Cancel) != nullptr;
            buttonOf(box, QMessageBox::Yes)->click();
        },
        MessageButtons::YesNo);
    EXPECT_FALSE(hadCancel);

    // Shown during long work, a box has the arrow; the hourglass comes back after it.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Qt::CursorShape whileShown = Qt::WaitCursor;
    answerBox(
        [&](QMessageBox* box) {
            whileShown = QApplication::overrideCursor()->shape();
            buttonOf(box, QMessageBox::Ok)->click();
        },
        MessageButtons::Ok);
    EXPECT_EQ(whileShown, Qt::ArrowCursor);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtServices, ClockEnvironmentAndInstallation) {
    QtClock clock;
    const qint64 before = QDate(1899, 12, 30).daysTo(QDate::currentDate());
    const double now = clock.now();
    const qint64 after = QDate(1899, 12, 30).daysTo(QDate::currentDate());
    EXPECT_GE(now, static_cast<double>(before)); // 30 Dec 1899 is day 0
    EXPECT_LT(now, static_cast<double>(after + 1));
    EXPECT_GE(clock.today(), static_cast<double>(before));
    EXPECT_LE(clock.today(), static_cast<double>(after));

    QtEnvironment environment;
    qputenv("LW_TEST_VARIABLE", "C:\\Temp é");
    EXPECT_EQ(environment.get("LW_TEST_VARIABLE"), "C:\\Temp é");
    qputenv("LW_TEST_VARIABLE", "");
    EXPECT_EQ(environment.get("LW_TEST_VARIABLE"), ""); // set but empty
    qunsetenv("LW_TEST_VARIABLE");
    EXPECT_FALSE(environment.get("LW_TEST_VARIABLE").has_value());

    // The desktop's opener failing after it started is learnt while the window goes on.
    testing_support::TempDir bin;
    testing_support::writeFile(bin / "xdg-open", "#!/bin/sh\nexit 3\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()) + ":" + path);
    std::string howEnded;
    EXPECT_TRUE(QtShell().openWithDefault((bin / "draft.eml").string(),
                                          [&](const std::string& how) { howEnded = how; }));
    qputenv("PATH", path);
    // Its end is heard as soon as it comes; the bound only stops a test that would hang.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !howEnded.empty(); }, 120000));
    EXPECT_EQ(howEnded, "exit status 3");

    const Services previous = services();
    installQtServices();
    EXPECT_NE(dynamic_cast<QtClock*>(services().clock), nullptr);
    EXPECT_NE(dynamic_cast<QtSettingsStore*>(services().settings), nullptr);
    EXPECT_NE(dynamic_cast<QtClipboard*>(services().clipboard), nullptr);
    EXPECT_NE(dynamic_cast<QtMessageBox*>(services().messages), nullptr);
    EXPECT_NE(dynamic_cast<QtShell*>(services().shell), nullptr);
    EXPECT_NE(dynamic_cast<QtEnvironment*>(services().environment), nullptr);
    EXPECT_NE(dynamic_cast<QtEventsProgress*>(services().progress), nullptr);
    EXPECT_NE(dynamic_cast<QtLocaleSource*>(services().locale), nullptr);
    installServices(previous);
}
