#include "toolkit/access_keys.h"

namespace {

char lowerLetter(char c) {
    if (c >= 'a' && c <= 'z') return c;
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    return 0;
}

} // namespace

std::string titleWithAccessKey(const std::string& title, const std::string& taken) {
    std::string marked;
    bool given = false;
    for (const char c : title) {
        const char letter = lowerLetter(c);
        if (!given && letter && taken.find(letter) == std::string::npos) {
            marked += '&';
            given = true;
        }
        marked += c;
        if (c == '&') marked += '&';
    }
    return marked;
}

char accessKeyOf(const std::string& title) {
    for (std::size_t i = 0; i + 1 < title.size(); ++i) {
        if (title[i] != '&') continue;
        if (title[i + 1] != '&') return lowerLetter(title[i + 1]);
        ++i; // "&&" is a "&" shown
    }
    return 0;
}
