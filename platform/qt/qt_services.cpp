#include "platform/qt/qt_services.h"

#include "resources/string_table.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <filesystem>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString fromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
std::string toUtf8(const QString& s) {
    return s.toStdString();
}

bool isLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isPatternLetter(QChar c) {
    return c == u'd' || c == u'M' || c == u'y';
}

// Invisible direction marks some locales put around the separators.
bool isDirectionMark(QChar c) {
    return c == QChar(0x200E) || c == QChar(0x200F) || c == QChar(0x061C);
}
// What joins a day name to the date ("dddd, d MMMM").
bool isJoiner(QChar c) {
    return c == u' ' || c == u',' || c == QChar(0x060C);
}

} // namespace

std::string datePatternFromQt(const QString& qtFormat) {
    QString out;
    bool dropped = false; // the last field was dropped: skip the literals after it
    qsizetype i = 0;
    while (i < qtFormat.size()) {
        const QChar c = qtFormat[i];
        if (c == u'\'') { // quoted literal, copied with its quotes
            qsizetype end = qtFormat.indexOf(u'\'', i + 1);
            if (end < 0) end = qtFormat.size() - 1;
            out += qtFormat.mid(i, end - i + 1);
            i = end + 1;
            dropped = false;
            continue;
        }
        if (!isLetter(c)) {
            if (!isDirectionMark(c) && !dropped) out += c;
            ++i;
            continue;
        }
        qsizetype n = 0;
        while (i + n < qtFormat.size() && qtFormat[i + n] == c)
            ++n;
        i += n;
        // Day names (ddd, dddd), times, eras and other fields have no place in
        // a d/M/y pattern; the joiner before them goes with them.
        dropped = !isPatternLetter(c) || (c == u'd' && n > 2);
        if (dropped) {
            while (!out.isEmpty() && isJoiner(out.back()))
                out.chop(1);
            continue;
        }
        if (c == u'd')
            out += QString(n, u'd');
        else if (c == u'M')
            out += QString(n > 4 ? 4 : n, u'M');
        else
            out += n == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
    }
    return toUtf8(out);
}

LocaleInfo localeInfoFrom(const QLocale& locale) {
    LocaleInfo info;
    info.name = toUtf8(locale.name());
    info.shortDatePattern = datePatternFromQt(locale.dateFormat(QLocale::ShortFormat));
    if (info.shortDatePattern.empty()) info.shortDatePattern = "M/d/yyyy";
    info.decimalMark = toUtf8(locale.decimalPoint());
    info.decimalMark = decimalMarkOf(info); // never an empty mark
    // A locale that writes no group mark (or is told to omit it) has none.
    const QString grouped = locale.toString(qlonglong(1234567890));
    const QString mark = locale.groupSeparator();
    info.groupMark = mark.isEmpty() || !grouped.contains(mark) ? std::string() : toUtf8(mark);
    info.currencySymbol = toUtf8(locale.currencySymbol(QLocale::CurrencySymbol));
    for (int m = 1; m <= 12; ++m) {
        info.longMonthNames[m - 1] = toUtf8(locale.monthName(m, QLocale::LongFormat));
        info.shortMonthNames[m - 1] = toUtf8(locale.monthName(m, QLocale::ShortFormat));
    }
    return info;
}

LocaleInfo QtLocaleSource::current() const {
    const QLocale locale; // the default: the system's unless the program set one
    if (!cachedFor_ || *cachedFor_ != locale) { // equal locales share number options too
        cached_ = localeInfoFrom(locale);
        cachedFor_ = locale;
    }
    return cached_;
}

double QtClock::now() const {
    const QDateTime moment = QDateTime::currentDateTime();
    const qint64 days = QDate(1899, 12, 30).daysTo(moment.date());
    const double fraction = moment.time().msecsSinceStartOfDay() / 86400000.0;
    return static_cast<double>(days) + fraction;
}

namespace {

// The settings file of `app`; nullopt when it is not to be touched.
std::optional<QString> usableSettingsFile(const std::string& app) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) return std::nullopt;
    const QString file = folder + QStringLiteral("/LW/") + fromUtf8(app) + QStringLiteral(".conf");
    std::error_code ec;
    const auto type = std::filesystem::status(QFile::encodeName(file).toStdString(), ec).type();
    using std::filesystem::file_type;
    if (type != file_type::not_found && type != file_type::regular && type != file_type::none)
        return std::nullopt;
    return file;
}

// How long a settings lock that another holds is waited for before the
// settings are left unwritten.
constexpr int SettingsLockWaitMs = 1000;

// True when the settings file `file` may be written now. Writing takes its
// lock, which must be nothing yet or a plain file: on a pipe, a folder, a
// device or a link there the taking would wait without end, or remove what
// this program did not make. A lock another holds is waited for a while only.
bool settingsLockFree(const QString& file) {
    const QString lock = file + QStringLiteral(".lock");
    std::error_code ec;
    const auto type = std::filesystem::symlink_status(QFile::encodeName(lock).toStdString(), ec);
    using std::filesystem::file_type;
    if (type.type() != file_type::not_found && type.type() != file_type::regular) return false;
    QDir().mkpath(QFileInfo(file).absolutePath()); // as the writer makes it, for the lock
    QLockFile taken(lock);
    if (!taken.tryLock(SettingsLockWaitMs)) return false;
    taken.unlock();
    return true;
}

} // namespace

std::optional<std::string> QtSettingsStore::get(const std::string& app, const std::string& section,
                                                const std::string& key) const {
    const auto file = usableSettingsFile(app);
    if (!file) return std::nullopt;
    QSettings settings(*file, QSettings::IniFormat);
    settings.beginGroup(fromUtf8(section));
    const QString name = fromUtf8(key);
    if (!settings.contains(name)) return std::nullopt;
    return toUtf8(settings.value(name).toString());
}

void QtSettingsStore::set(const std::string& app, const std::string& section,
                          const std::string& key, const std::string& value) {
    const auto file = usableSettingsFile(app);
    if (!file || !settingsLockFree(*file)) return;
    QSettings settings(*file, QSettings::IniFormat);
    settings.beginGroup(fromUtf8(section));
    settings.setValue(fromUtf8(key), fromUtf8(value));
    settings.endGroup();
    settings.sync();
}

std::string QtClipboard::text() const {
    return toUtf8(QGuiApplication::clipboard()->text());
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(fromUtf8(text));
}

void QtClipboard::setTextAndRtf(const std::string& text, const std::string& rtf) {
    auto* data = new QMimeData; // the clipboard takes ownership
    data->setText(fromUtf8(text));
    const QByteArray bytes = QByteArray::fromStdString(rtf);
    data->setData(QStringLiteral("text/rtf"), bytes);
    data->setData(QStringLiteral("application/rtf"), bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

MessageAnswer QtMessageBox::present(const std::string& text, const std::string& title,
                                    MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setText(fromUtf8(text));
    box.setWindowTitle(title.empty() ? QCoreApplication::applicationName() : fromUtf8(title));
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // The hourglass of a long task is no pointer to answer a message with: the
    // arrow while the box is up, the hourglass again after it.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return closedAnswer(buttons);
    }
}

namespace {

// How a process that failed ended ("exit status 1", "signal 9"); "" when it
// ended well.
std::string failedEnd(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == 0 ? "" : "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
    return "";
}

} // namespace

bool QtShell::openWithDefault(const std::string& path,
                              std::function<void(const std::string&)> failedLater) {
    // The desktop's opener is watched by the event loop (its process as a
    // file that becomes readable when it ends), so that its failure is learnt
    // without holding up the window. Some openers run the file's program in
    // the foreground and end with its status. The watch belongs to the
    // application and goes with it.
    pid_t opener = 0;
    std::string file = path;
    char program[] = "xdg-open";
    char* const arguments[] = {program, file.data(), nullptr};
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || ::posix_spawnp(&opener, program, nullptr, nullptr, arguments, environ) != 0)
        return QDesktopServices::openUrl(QUrl::fromLocalFile(fromUtf8(path)));
    const int ended = static_cast<int>(::syscall(SYS_pidfd_open, opener, 0));
    if (ended < 0) return true; // started; its end cannot be watched here
    auto* watch = new QSocketNotifier(ended, QSocketNotifier::Read, application);
    QObject::connect(watch, &QSocketNotifier::activated, watch,
                     [watch, ended, opener, failedLater = std::move(failedLater)] {
                         watch->setEnabled(false);
                         int status = 0;
                         const std::string how =
                             ::waitpid(opener, &status, WNOHANG) == opener ? failedEnd(status) : "";
                         ::close(ended);
                         watch->deleteLater();
                         if (!how.empty() && failedLater) failedLater(how);
                     });
    return true;
}

std::optional<std::string> QtEnvironment::get(const std::string& name) const {
    const char* key = name.c_str();
    if (!qEnvironmentVariableIsSet(key)) return std::nullopt;
    return toUtf8(qEnvironmentVariable(key));
}

void QtEventsProgress::setProgress(int, const std::string&) {}
void QtEventsProgress::setActivity(const std::string&) {}
void QtEventsProgress::finish() {}
void QtEventsProgress::processEvents() {
    QCoreApplication::processEvents();
}

void installQtServices() {
    static QtClock clock;
    static QtSettingsStore settings;
    static QtClipboard clipboard;
    static QtMessageBox messages;
    static QtShell shell;
    static QtEnvironment environment;
    static QtEventsProgress progress;
    static QtLocaleSource locale;
    installServices(Services{&clock, &settings, &clipboard, &messages, &shell, &environment,
                             &progress, &locale});
    strings::setLanguage(toUtf8(QLocale::system().name()));
}
