#include "platform/services.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

double Clock::today() const {
    return std::floor(now());
}

MessageAnswer closedAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        break;
    }
    return MessageAnswer::Cancel;
}

MessageAnswer MessageBox::show(const std::string& text, const std::string& title,
                               MessageButtons buttons, MessageIcon icon) {
    if (text.empty()) {
        refused(title);
        return closedAnswer(buttons);
    }
    return present(text, title, buttons, icon);
}

void MessageBox::refused(const std::string& title) {
    std::fprintf(stderr, "A message box without text was asked for%s%s; none was shown.\n",
                 title.empty() ? "" : ", titled ", title.c_str());
}

namespace {

// Defaults in effect until the application installs its services: a real
// clock and environment, and quiet in-memory stand-ins for the rest.
class SystemClock : public Clock {
  public:
    double now() const override {
        using namespace std::chrono;
        // Local wall-clock time: days since 1970-01-01 are day 25569.
        auto t = system_clock::to_time_t(system_clock::now());
        std::tm local{};
        localtime_r(&t, &local);
        auto days = sys_days{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday}
                        .time_since_epoch()
                        .count();
        double frac = (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
        return static_cast<double>(days) + 25569.0 + frac;
    }
};

class MemorySettings : public SettingsStore {
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;

  public:
    std::optional<std::string> get(const std::string& a, const std::string& s,
                                   const std::string& k) const override {
        auto it = values_.find({a, s, k});
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    void set(const std::string& a, const std::string& s, const std::string& k,
             const std::string& v) override {
        values_[{a, s, k}] = v;
    }
};

class MemoryClipboard : public Clipboard {
    std::string text_;

  public:
    std::string text() const override { return text_; }
    void setText(const std::string& t) override { text_ = t; }
    void setTextAndRtf(const std::string& t, const std::string&) override { text_ = t; }
};

class SilentMessages : public MessageBox {
  protected:
    MessageAnswer present(const std::string&, const std::string&, MessageButtons b,
                          MessageIcon) override {
        return b == MessageButtons::Ok || b == MessageButtons::OkCancel ? MessageAnswer::Ok
                                                                        : MessageAnswer::Yes;
    }
};

class NoShell : public Shell {
  public:
    bool openWithDefault(const std::string&, std::function<void(const std::string&)>) override {
        return false;
    }
};

class ProcessEnvironment : public Environment {
  public:
    std::optional<std::string> get(const std::string& name) const override {
        const char* v = std::getenv(name.c_str());
        if (!v) return std::nullopt;
        return std::string(v);
    }
};

class NoProgress : public ProgressSink {
  public:
    void setProgress(int, const std::string&) override {}
    void setActivity(const std::string&) override {}
    void finish() override {}
    void processEvents() override {}
};

class DefaultLocale : public LocaleSource {
  public:
    LocaleInfo current() const override { return monthFirstLocale(); }
};

Services makeDefaults() {
    static SystemClock clock;
    static MemorySettings settings;
    static MemoryClipboard clipboard;
    static SilentMessages messages;
    static NoShell shell;
    static ProcessEnvironment environment;
    static NoProgress progress;
    static DefaultLocale locale;
    return Services{&clock, &settings,    &clipboard, &messages,
                    &shell, &environment, &progress,  &locale};
}

} // namespace

Services& services() {
    static Services installed = makeDefaults();
    return installed;
}

Services installServices(const Services& s) {
    Services previous = services();
    services() = s;
    return previous;
}
