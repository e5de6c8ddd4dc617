// When the password prompt accepts what is typed, and its guard against
// guessing. Standard C++; the prompt window forwards its events here.
#pragma once

#include <optional>
#include <string>

// The book's two passwords as the prompt knows them ("" = not set).
struct KnownPasswords {
    std::string file;
    std::string admin;
};

// On every change of the typed text: the password it completes, the file
// password checked first. An empty password never matches. When a longer
// password begins with the typed text, nothing is accepted yet (the user may
// still be typing the longer one): Enter accepts then.
std::optional<std::string> acceptOnChange(const std::string& typed, const KnownPasswords& known);
// On Enter: the password the text equals, the file password checked first.
std::optional<std::string> acceptOnEnter(const std::string& typed, const KnownPasswords& known);

// Counts key presses in the password box. The count starts again after a
// password was accepted; the press that reaches the limit locks the prompt
// for the rest of the session.
class PasswordGuard {
  public:
    static constexpr int Limit = 500;

    // Counts one key press; true when this press reached the limit.
    bool countKeyPress();
    void accepted() { presses_ = 0; }
    bool locked() const { return locked_; }
    int presses() const { return presses_; }

  private:
    int presses_ = 0;
    bool locked_ = false;
};

// The message shown when the guard locks the prompt.
inline const std::string GuessingLockMessage = "Hacking Protection Activated, Ending";
