// The platform services on Qt: the system locale, the clock, the per-user
// settings store, the clipboard, message boxes, opening a file with the
// desktop's program, environment variables and a progress sink that only lets
// pending window events run.
#pragma once

#include "platform/services.h"

#include <QLocale>
#include <QString>

#include <optional>

// The d/M/y pattern of a Qt date format: day names and letters other than d, M
// and y are dropped, quoted literals kept, a year of other than two letters
// becomes "yyyy".
std::string datePatternFromQt(const QString& qtFormat);
// Everything LocaleInfo holds, read from one Qt locale.
LocaleInfo localeInfoFrom(const QLocale& locale);

// The default locale (the system's unless the program set another).
class QtLocaleSource : public LocaleSource {
  public:
    LocaleInfo current() const override;

  private:
    mutable std::optional<QLocale> cachedFor_;
    mutable LocaleInfo cached_;
};

class QtClock : public Clock {
  public:
    double now() const override;
};

// Settings per user in the file "LW/<app>.conf" (INI, group = section) of the
// user's configuration folder. A file there that is not a regular one (a pipe
// would hold up the program) is left alone: nothing is read from it or written
// to it, as though there were no settings. A lock of the file that is not a
// plain file, or that another holds for more than a moment, leaves the
// settings unwritten (they are still read).
class QtSettingsStore : public SettingsStore {
  public:
    std::optional<std::string> get(const std::string& app, const std::string& section,
                                   const std::string& key) const override;
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
};

class QtClipboard : public Clipboard {
  public:
    std::string text() const override;
    void setText(const std::string& text) override;
    void setTextAndRtf(const std::string& text, const std::string& rtf) override;
};

class QtMessageBox : public MessageBox {
  protected:
    MessageAnswer present(const std::string& text, const std::string& title, MessageButtons buttons,
                          MessageIcon icon) override;
};

class QtShell : public Shell {
  public:
    bool openWithDefault(const std::string& path,
                         std::function<void(const std::string&)> failedLater) override;
};

class QtEnvironment : public Environment {
  public:
    std::optional<std::string> get(const std::string& name) const override;
};

// Until the progress window installs its own sink, progress only keeps the
// windows responsive.
class QtEventsProgress : public ProgressSink {
  public:
    void setProgress(int barWidth, const std::string& percentText) override;
    void setActivity(const std::string& word) override;
    void finish() override;
    void processEvents() override;
};

// Installs the Qt services for the rest of the program's life and sets the
// string table's language from the system locale. Needs a QApplication.
void installQtServices();
