// Help mode: when switched on, clicking a control or a menu item displays its
// help in the help window rather than running it. One state for the whole
// program; every indicator (the mouse pointer, the Help > Contents tick, the
// help button's face, the help window itself) follows it through a listener, so
// ending it anywhere resets them all.
#pragma once

#include <functional>
#include <map>

class HelpMode {
  public:
    using Listener = std::function<void(bool on)>;

    bool isOn() const { return on_; }
    // Switches the mode; the listeners hear of a change only (not of a repeat).
    void setOn(bool on);
    void start() { setOn(true); }
    void end() { setOn(false); }

    // Returns an id for removeListener. A listener may switch the mode itself;
    // the others then hear the newer state.
    int addListener(Listener listener);
    void removeListener(int id);

  private:
    bool on_ = false;
    int nextId_ = 1;
    std::map<int, Listener> listeners_;
};

// The program's help mode.
HelpMode& helpMode();
