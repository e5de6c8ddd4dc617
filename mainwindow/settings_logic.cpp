#include "mainwindow/settings_logic.h"

#include "book/text_encoding.h"

#include "book/tmain.h"
#include "mainwindow/entry_model.h"

#include <algorithm>

namespace {

// Letters a font lacks when it does not cover the set.
constexpr char32_t BalticProbe[] = {U'\u0101', U'\u0113', U'\u012B', U'\u016B', U'\u0173', 0};
constexpr char32_t CentralProbe[] = {U'\u0105', U'\u010D', U'\u0142', U'\u0151', U'\u0159', 0};
constexpr char32_t TurkishProbe[] = {U'\u011F', U'\u0130', U'\u0131', U'\u015F', 0};
constexpr char32_t VietnameseProbe[] = {U'\u01A1', U'\u01B0', U'\u0111', U'\u1EA1', 0};
constexpr char32_t NoProbe[] = {0};

const std::array<CharsetRow, 14> table = {{
    {"Aribic", 178, NoProbe},
    {"Baltic", 186, BalticProbe},
    {"Central European", 238, CentralProbe},
    {"Cyrillic", 204, NoProbe},
    {"Simplified Chinese", 134, NoProbe},
    {"Big-5 Chinese", 136, NoProbe},
    {"Greek", 161, NoProbe},
    {"Hebrew", 177, NoProbe},
    {"Japanese", 128, NoProbe},
    {"Turkish", 162, TurkishProbe},
    {"Korea", 129, NoProbe},
    {"Vietnamese", 163, VietnameseProbe},
    {"Thai", 222, NoProbe},
    {"Western", 0, NoProbe},
}};

// The setting a decimals group writes.
template <class B> auto& decimalsOf(B& book, DecimalsGroup group) {
    switch (group) {
    case DecimalsGroup::Journal:
        return book.DecimalsJournal;
    case DecimalsGroup::Ledger:
        return book.DecimalsLedger;
    case DecimalsGroup::TrialBalance:
        return book.DecimalsTrialBalance;
    case DecimalsGroup::Income:
        return book.DecimalsIncome;
    default:
        return book.DecimalsBalanceSheet;
    }
}

} // namespace

const std::array<CharsetRow, 14>& charsetTable() {
    return table;
}

std::optional<std::int16_t> charsetNumber(const std::string& name) {
    for (const CharsetRow& row : table)
        if (name == row.name) return row.number;
    return std::nullopt;
}

std::optional<std::string> charsetName(int number) {
    for (const CharsetRow& row : table)
        if (number == row.number) return std::string(row.name);
    return std::nullopt;
}

std::int16_t charsetForChosenFont(std::int16_t current, const std::vector<std::string>& offered) {
    auto offers = [&](const std::string& name) {
        return std::find(offered.begin(), offered.end(), name) != offered.end();
    };
    if (auto name = charsetName(current); name && offers(*name)) return current;
    if (offers("Western")) return 0;
    for (const std::string& name : offered)
        if (auto number = charsetNumber(name)) return *number;
    return current;
}

std::vector<std::string> dateStyleItems(double today, const LocaleInfo& locale) {
    std::vector<std::string> items{"Default"};
    for (int style = 1; style <= 8; ++style)
        items.push_back(Tmain::FormatDateStyle(today, style, locale));
    return items;
}

std::array<std::string, 4> decimalCaptions(const std::string& decimalSeparator) {
    return {"0", "0" + decimalSeparator + "0", "0" + decimalSeparator + "00",
            "0" + decimalSeparator + "000"};
}

std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

void SettingsEditor::setBusinessName(const std::string& text) {
    if (book_.BusinessName == text) return;
    book_.BusinessName = text;
    changed();
}

void SettingsEditor::setBusinessAddress(const std::string& text) {
    const std::string stored = withCrLf(text);
    if (book_.BusinessAddress == stored) return;
    book_.BusinessAddress = stored;
    changed();
}

void SettingsEditor::setFilePassword(const std::string& text) {
    const std::string cut = encoding::firstCharacters(text, PasswordMaxChars);
    if (book_.FilePassword == cut) return;
    book_.FilePassword = cut;
    changed();
}

void SettingsEditor::setAdminPassword(const std::string& text) {
    const std::string cut = encoding::firstCharacters(text, PasswordMaxChars);
    if (book_.AdminPassword == cut) return;
    book_.AdminPassword = cut;
    run_.LockedBelow = lockedBelowFor(book_);
    changed();
}

void SettingsEditor::setAutoIncrement(bool ticked) {
    const std::int16_t value = ticked ? 1 : 0;
    if (book_.AutoIncrement == value) return;
    book_.AutoIncrement = value;
    changed();
}

void SettingsEditor::chooseFont(const std::string& name) {
    if (book_.FontName == name) return;
    book_.FontName = name;
    changed();
}

bool SettingsEditor::chooseCharset(const std::string& name) {
    const std::optional<std::int16_t> number = charsetNumber(name);
    if (!number) return false;
    setCharset(*number);
    return true;
}

void SettingsEditor::setCharset(std::int16_t number) {
    if (book_.FontCharset == number) return;
    book_.FontCharset = number;
    changed();
}

void SettingsEditor::chooseDateStyle(int index) {
    if (index < 0 || index > 8 || book_.DateStyle == index) return;
    book_.DateStyle = static_cast<std::int16_t>(index);
    changed();
}

std::int16_t& SettingsEditor::decimalsField(DecimalsGroup group) {
    return decimalsOf(book_, group);
}

void SettingsEditor::chooseDecimals(DecimalsGroup group, int index) {
    std::int16_t& field = decimalsField(group);
    if (index < 0 || index > 3 || field == index) return;
    field = static_cast<std::int16_t>(index);
    changed();
}

int SettingsEditor::decimals(DecimalsGroup group) const {
    return Book::clampDecimals(decimalsOf(book_, group));
}
