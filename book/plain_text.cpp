#include "book/plain_text.h"

std::string withoutNuls(std::string text) {
    std::erase(text, '\0');
    return text;
}

std::string trimmedSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
