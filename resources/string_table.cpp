#include "resources/string_table.h"

#include "resources/string_table_data.h"

#include <map>

namespace strings {
namespace {

const std::vector<LanguageTable>& tables() {
    static const std::vector<LanguageTable> all = {{"en", &EnglishTexts}};
    return all;
}

using Index = std::map<int, std::string>;

Index indexOf(const LanguageTable& t) {
    Index idx;
    for (const auto& [n, s] : *t.texts) idx[n] = s;
    return idx;
}

const Index& english() {
    static const Index idx = indexOf(tables().front());
    return idx;
}

struct Current {
    std::string language = "en";
    Index texts;
};

Current& current() {
    static Current c{"en", english()};
    return c;
}

} // namespace

void setLanguage(const std::string& name) {
    std::string lang = name.substr(0, name.find_first_of("_-."));
    for (const auto& t : tables()) {
        if (lang == t.language) {
            current() = Current{lang, indexOf(t)};
            return;
        }
    }
    current() = Current{"en", english()};
}

std::string language() { return current().language; }

std::string text(int n) {
    auto it = current().texts.find(n);
    if (it != current().texts.end()) return it->second;
    auto en = english().find(n);
    return en != english().end() ? en->second : std::string();
}

bool has(int n) { return english().count(n) != 0 || current().texts.count(n) != 0; }

} // namespace strings
