#include "toolkit/help_mode.h"

#include <vector>

void HelpMode::setOn(bool on) {
    if (on == on_) return;
    on_ = on;
    // Copy the ids first: a listener may add or remove listeners.
    std::vector<int> ids;
    for (const auto& [id, l] : listeners_)
        ids.push_back(id);
    for (int id : ids) {
        if (on_ != on) return; // a listener switched the mode again; that call told the rest
        auto it = listeners_.find(id);
        if (it == listeners_.end()) continue;
        Listener l = it->second;
        l(on);
    }
}

int HelpMode::addListener(Listener listener) {
    int id = nextId_++;
    listeners_[id] = std::move(listener);
    return id;
}

void HelpMode::removeListener(int id) {
    listeners_.erase(id);
}

HelpMode& helpMode() {
    static HelpMode mode;
    return mode;
}
