// The settings window's rules in standard C++: the character-set table and
// its probe characters, the date-style list with dated examples, the decimal
// captions, and the editor that stores each control's value in the book as
// soon as the control changes.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/locale.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One row of the character-set list: the name the list shows (spelled as the
// program always has) and the Windows character-set number stored in
// FontCharset. `probe` holds characters a font must have to offer the set
// beyond its writing system (empty: the writing system decides alone).
struct CharsetRow {
    const char* name;
    std::int16_t number;
    const char32_t* probe;
};
// The fourteen rows in the order the sets are probed and listed.
const std::array<CharsetRow, 14>& charsetTable();
std::optional<std::int16_t> charsetNumber(const std::string& name);
std::optional<std::string> charsetName(int number);

// The character set a newly chosen font takes: the current one when the
// font offers it, else Western when it offers that, else the first set it
// offers; the current one when it offers none.
std::int16_t charsetForChosenFont(std::int16_t current, const std::vector<std::string>& offered);

// The date-style list: "Default", then `today` written in styles 1 to 8.
std::vector<std::string> dateStyleItems(double today, const LocaleInfo& locale);

// The captions of a decimals group: "0", "0.0", "0.00", "0.000" with the
// point written as `decimalSeparator`.
std::array<std::string, 4> decimalCaptions(const std::string& decimalSeparator);

// The five decimals groups, in the window's order.
enum class DecimalsGroup { Journal, Ledger, TrialBalance, Income, BalanceSheet };
constexpr int DecimalsGroupCount = 5;

// The texts and the most a password box holds.
constexpr int PasswordMaxChars = 64;
// A multi-line box's text with its lines separated by CR LF, as the book keeps them.
std::string withCrLf(const std::string& text);

// Writes each setting as its control changes. Every write that changes a
// value marks the book changed; writing a value it already has changes
// nothing (so filling the controls never does). Nothing else is validated.
class SettingsEditor {
  public:
    SettingsEditor(Book& book, RunTimeState& run) : book_(book), run_(run) {}

    void setBusinessName(const std::string& text);
    void setBusinessAddress(const std::string& text); // lines separated by CR LF when stored
    void setFilePassword(const std::string& text);    // at most 64 characters
    // Also recomputes LockedBelow: without an administrator password nothing is locked.
    void setAdminPassword(const std::string& text);
    void setAutoIncrement(bool ticked); // 1 or 0
    void chooseFont(const std::string& name);
    // A name the table lacks changes nothing; false then.
    bool chooseCharset(const std::string& name);
    void setCharset(std::int16_t number);
    void chooseDateStyle(int index);                     // 0..8; others change nothing
    void chooseDecimals(DecimalsGroup group, int index); // 0..3; others change nothing
    int decimals(DecimalsGroup group) const;

  private:
    std::int16_t& decimalsField(DecimalsGroup group);
    void changed() { markBookChanged(run_); }

    Book& book_;
    RunTimeState& run_;
};
