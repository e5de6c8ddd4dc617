#include "toolkit/password_rule.h"

namespace {

bool longerBeginsWith(const std::string& password, const std::string& typed) {
    return password.size() > typed.size() && password.compare(0, typed.size(), typed) == 0;
}

} // namespace

std::optional<std::string> acceptOnEnter(const std::string& typed, const KnownPasswords& known) {
    if (!known.file.empty() && typed == known.file) return known.file;
    if (!known.admin.empty() && typed == known.admin) return known.admin;
    return std::nullopt;
}

std::optional<std::string> acceptOnChange(const std::string& typed, const KnownPasswords& known) {
    if (longerBeginsWith(known.file, typed) || longerBeginsWith(known.admin, typed))
        return std::nullopt;
    return acceptOnEnter(typed, known);
}

bool PasswordGuard::countKeyPress() {
    if (locked_) return false;
    ++presses_;
    if (presses_ < Limit) return false;
    locked_ = true;
    return true;
}
