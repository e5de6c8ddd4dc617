// The services the program asks of the operating system, as small interfaces.
// The program installs the Qt implementations at start-up; tests install fakes.
#pragma once

#include "platform/locale.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Clock {
  public:
    virtual ~Clock() = default;
    // The present moment as a day number (days from 30 December 1899, fraction = time of day).
    virtual double now() const = 0;
    double today() const;
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> get(const std::string& app, const std::string& section,
                                           const std::string& key) const = 0;
    virtual void set(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    // Plain text and RTF together, as one clipboard content.
    virtual void setTextAndRtf(const std::string& text, const std::string& rtf) = 0;
};

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// What closing a box without pressing a button answers: its "cancel" answer.
MessageAnswer closedAnswer(MessageButtons buttons);

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    // Shows `text` and waits for a button. A box with no text tells the user
    // nothing and only takes the focus from what they type: asking for one
    // is a fault of the caller. No box is shown then; refused() hears of it,
    // and the answer is the box closed.
    MessageAnswer show(const std::string& text, const std::string& title = "",
                       MessageButtons buttons = MessageButtons::Ok,
                       MessageIcon icon = MessageIcon::None);

  protected:
    virtual MessageAnswer present(const std::string& text, const std::string& title,
                                  MessageButtons buttons, MessageIcon icon) = 0;
    // A box without text was asked for (written to the error stream here).
    virtual void refused(const std::string& title);
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a file with the desktop's program for its type; false when the
    // desktop's opener could not be started. The opener may end only later,
    // and then with the status of the program it ran for the file (a mail
    // program ended with a failure) or with its own (it had no program for the
    // type): `failedLater` runs on the windows' thread with how it ended
    // ("exit status 1", "signal 9"); the caller does not wait for it.
    virtual bool
    openWithDefault(const std::string& path,
                    std::function<void(const std::string& howEnded)> failedLater = {}) = 0;
};

class Environment {
  public:
    virtual ~Environment() = default;
    virtual std::optional<std::string> get(const std::string& name) const = 0;
};

// Shows the progress of long operations (the progress window) and lets pending
// window events run.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void setProgress(int barWidth, const std::string& percentText) = 0;
    virtual void setActivity(const std::string& word) = 0;
    virtual void finish() = 0; // hides the window
    virtual void processEvents() = 0;
};

class LocaleSource {
  public:
    virtual ~LocaleSource() = default;
    virtual LocaleInfo current() const = 0;
};

// The installed services. Every pointer is set: the defaults are fakes with
// harmless behaviour until the application installs its own.
struct Services {
    Clock* clock;
    SettingsStore* settings;
    Clipboard* clipboard;
    MessageBox* messages;
    Shell* shell;
    Environment* environment;
    ProgressSink* progress;
    LocaleSource* locale;
};

Services& services();
// Replaces the installed services; returns the previous set.
Services installServices(const Services& s);

// Convenience accessors.
inline LocaleInfo currentLocale() {
    return services().locale->current();
}
inline double todayNumber() {
    return services().clock->today();
}
inline MessageAnswer showMessage(const std::string& text, const std::string& title = "",
                                 MessageButtons buttons = MessageButtons::Ok,
                                 MessageIcon icon = MessageIcon::None) {
    return services().messages->show(text, title, buttons, icon);
}
