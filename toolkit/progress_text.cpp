#include "toolkit/progress_text.h"

#include <algorithm>
#include <cctype>

std::string progressPercentText(std::int32_t progressValue) {
    std::int32_t percent = std::clamp<std::int32_t>(progressValue / ProgressPerStep, 0, 100);
    return std::to_string(percent) + "%";
}

std::string capPercentText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    std::size_t digitsStart = i;
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (value <= 1000) value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digitsStart) return text; // no number: shown as given
    if (negative && value > 0) return "0%";
    if (value > 100) return "100%";
    return text;
}

std::int32_t progressBarTwips(std::int32_t progressValue) {
    return std::clamp<std::int32_t>(progressValue, 0, ProgressFrameWidth);
}
