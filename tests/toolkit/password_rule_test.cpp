#include "toolkit/password_rule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Types the password character by character and returns the first password
// accepted on a change, with the number of characters typed by then.
std::pair<std::optional<std::string>, std::size_t> typeOut(const std::string& text,
                                                           const KnownPasswords& known) {
    std::string typed;
    for (char c : text) {
        typed += c;
        if (auto pw = acceptOnChange(typed, known)) return {pw, typed.size()};
    }
    return {std::nullopt, typed.size()};
}

TEST(PasswordRule, AcceptsOnTheLastCharacterWithoutEnter) {
    KnownPasswords known{"secret", ""};
    auto [pw, at] = typeOut("secret", known);
    ASSERT_TRUE(pw);
    EXPECT_EQ(*pw, "secret");
    EXPECT_EQ(at, 6u);

    // The administrator password closes the prompt too; the caller refuses it.
    EXPECT_EQ(acceptOnChange("boss", {"secret", "boss"}).value_or(""), "boss");
    // Equal passwords: that text.
    EXPECT_EQ(acceptOnChange("same", {"same", "same"}).value_or(""), "same");
    // Case and every character count.
    EXPECT_FALSE(acceptOnChange("Secret", known));
    EXPECT_FALSE(acceptOnChange("secret ", known));
}

TEST(PasswordRule, EmptyPasswordsNeverMatch) {
    EXPECT_FALSE(acceptOnChange("", {"", ""}));
    EXPECT_FALSE(acceptOnEnter("", {"", ""}));
    EXPECT_FALSE(acceptOnChange("", {"", "x"}));
    EXPECT_FALSE(acceptOnEnter("", {"x", ""}));
}

TEST(PasswordRule, LongerPasswordBeginningWithTheShorterCanBeEntered) {
    KnownPasswords known{"abc", "abcd"};
    // Typing the longer one is not cut short at "abc".
    auto [pw, at] = typeOut("abcd", known);
    ASSERT_TRUE(pw);
    EXPECT_EQ(*pw, "abcd");
    EXPECT_EQ(at, 4u);
    // The shorter one waits for Enter.
    EXPECT_FALSE(acceptOnChange("abc", known));
    EXPECT_EQ(acceptOnEnter("abc", known).value_or(""), "abc");
    // The same with the roles swapped.
    KnownPasswords swapped{"abcd", "abc"};
    EXPECT_EQ(typeOut("abcd", swapped).first.value_or(""), "abcd");
    EXPECT_EQ(acceptOnEnter("abc", swapped).value_or(""), "abc");
    // Enter on a text that matches nothing accepts nothing.
    EXPECT_FALSE(acceptOnEnter("ab", known));
    // A pasted longer password is taken whole.
    EXPECT_EQ(acceptOnChange("abcd", known).value_or(""), "abcd");
}

TEST(PasswordRule, GuardLocksAtTheLimitAndStartsAgainAfterAMatch) {
    PasswordGuard guard;
    for (int i = 1; i < PasswordGuard::Limit; ++i)
        ASSERT_FALSE(guard.countKeyPress()) << i;
    // A successful password starts the count again.
    guard.accepted();
    EXPECT_EQ(guard.presses(), 0);
    for (int i = 1; i < PasswordGuard::Limit; ++i)
        ASSERT_FALSE(guard.countKeyPress()) << i;
    EXPECT_FALSE(guard.locked());
    EXPECT_TRUE(guard.countKeyPress()); // the 500th since the match
    EXPECT_TRUE(guard.locked());
    // Once locked it stays locked; later presses do not report the limit again.
    EXPECT_FALSE(guard.countKeyPress());
    guard.accepted();
    EXPECT_TRUE(guard.locked());
}

} // namespace
