// Test doubles of the platform services: scripted message-box answers, an
// in-memory settings store and clipboard, a settable clock, a fixed locale.
#pragma once

#include "platform/services.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

class FakeClock : public Clock {
  public:
    double moment = 46000.5; // 9 December 2025, noon
    double now() const override { return moment; }
};

class FakeSettingsStore : public SettingsStore {
  public:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::optional<std::string> get(const std::string& app, const std::string& section,
                                   const std::string& key) const override;
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
};

class FakeClipboard : public Clipboard {
  public:
    std::string plain;
    std::string rtf;
    std::string text() const override { return plain; }
    void setText(const std::string& t) override {
        plain = t;
        rtf.clear();
    }
    void setTextAndRtf(const std::string& t, const std::string& r) override {
        plain = t;
        rtf = r;
    }
};

// Answers from a script, in order; when the script is empty the answer is the
// first button of the box (Ok or Yes). Every message shown is recorded; a box
// asked for without text fails the test that asked.
class ScriptedMessageBox : public MessageBox {
  public:
    struct Shown {
        std::string text, title;
        MessageButtons buttons;
    };
    std::deque<MessageAnswer> answers;
    std::vector<Shown> shown;
    // Runs as each box shows (a real one takes the focus).
    std::function<void()> whileShown;
    std::string lastText() const { return shown.empty() ? std::string() : shown.back().text; }
    // The texts of every message shown, in order.
    std::vector<std::string> texts() const;

  protected:
    MessageAnswer present(const std::string& text, const std::string& title, MessageButtons buttons,
                          MessageIcon icon) override;
    void refused(const std::string& title) override;
};

class FakeShell : public Shell {
  public:
    std::vector<std::string> opened;
    bool succeed = true;
    // Of the last file opened: the opener's failure, given how it ended.
    std::function<void(const std::string&)> failedLater;
    bool openWithDefault(const std::string& path,
                         std::function<void(const std::string&)> failed) override {
        opened.push_back(path);
        failedLater = std::move(failed);
        return succeed;
    }
};

class FakeEnvironment : public Environment {
  public:
    std::map<std::string, std::string> vars;
    std::optional<std::string> get(const std::string& name) const override;
};

class RecordingProgress : public ProgressSink {
  public:
    int barWidth = 0;
    std::string percentText;
    std::string activity;
    int steps = 0, finished = 0, eventPumps = 0;
    void setProgress(int w, const std::string& t) override {
        barWidth = w;
        percentText = t;
        ++steps;
    }
    void setActivity(const std::string& w) override { activity = w; }
    void finish() override { ++finished; }
    void processEvents() override { ++eventPumps; }
};

class FixedLocale : public LocaleSource {
  public:
    LocaleInfo info;
    LocaleInfo current() const override { return info; }
};

// Installs a full set of fakes for the lifetime of the object and restores
// the previous services afterwards.
class ScopedFakeServices {
  public:
    explicit ScopedFakeServices(const LocaleInfo& locale = monthFirstLocale());
    ~ScopedFakeServices();
    ScopedFakeServices(const ScopedFakeServices&) = delete;
    ScopedFakeServices& operator=(const ScopedFakeServices&) = delete;

    FakeClock clock;
    FakeSettingsStore settings;
    FakeClipboard clipboard;
    ScriptedMessageBox messages;
    FakeShell shell;
    FakeEnvironment environment;
    RecordingProgress progress;
    FixedLocale locale;

  private:
    Services previous_;
};
