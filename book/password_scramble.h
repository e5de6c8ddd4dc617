// The stored form of the book's file password. The password is kept in the
// book file as text, scrambled so that it cannot be read at a glance, and
// marked so that a password field written by another program is recognised
// rather than compared with what the user types.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace password_scramble {

// The stored form of a password; "" stays "".
std::string scramble(std::string_view password);

// The password back from its stored form; "" gives "". nullopt when the text
// is not in our form (missing mark, odd length, foreign characters or a check
// value that does not match).
std::optional<std::string> unscramble(std::string_view stored);

} // namespace password_scramble
