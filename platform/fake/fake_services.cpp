#include "platform/fake/fake_services.h"

#include <gtest/gtest.h>

std::optional<std::string> FakeSettingsStore::get(const std::string& app,
                                                  const std::string& section,
                                                  const std::string& key) const {
    auto it = values.find({app, section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
}

void FakeSettingsStore::set(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
    values[{app, section, key}] = value;
}

MessageAnswer ScriptedMessageBox::present(const std::string& text, const std::string& title,
                                          MessageButtons buttons, MessageIcon) {
    shown.push_back({text, title, buttons});
    if (whileShown) whileShown();
    if (!answers.empty()) {
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return MessageAnswer::Ok;
    default:
        return MessageAnswer::Yes;
    }
}

void ScriptedMessageBox::refused(const std::string& title) {
    ADD_FAILURE() << "A message box without text was asked for (title \"" << title << "\")";
}

std::vector<std::string> ScriptedMessageBox::texts() const {
    std::vector<std::string> all;
    for (const Shown& s : shown)
        all.push_back(s.text);
    return all;
}

std::optional<std::string> FakeEnvironment::get(const std::string& name) const {
    auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
}

ScopedFakeServices::ScopedFakeServices(const LocaleInfo& l) {
    locale.info = l;
    previous_ = installServices(Services{&clock, &settings, &clipboard, &messages, &shell,
                                         &environment, &progress, &locale});
}

ScopedFakeServices::~ScopedFakeServices() {
    installServices(previous_);
}
