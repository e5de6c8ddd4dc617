// The program's user-interface texts, looked up by number (110 to 331).
// The language follows the system locale; a text missing in that language
// falls back to English. Adding a language means adding a table.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace strings {

struct LanguageTable {
    const char* language; // "en", "de", ...
    const std::vector<std::pair<int, const char*>>* texts;
};

// Chooses the language by its code ("en", "de_DE" is taken as "de"); an
// unknown language leaves English in force.
void setLanguage(const std::string& languageOrLocaleName);
std::string language();

// The text of number n in the current language, else in English, else "".
std::string text(int n);
bool has(int n);

} // namespace strings
