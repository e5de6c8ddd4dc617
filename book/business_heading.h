// Headings that join the business name with a title: "Northern Trading, Trial
// Balance". A book without a business name gets the title alone, never a
// heading that starts or ends with the separator.
#pragma once

#include "book/text_encoding.h"

#include <string>

inline std::string joinedHeading(const std::string& first, const std::string& separator,
                                 const std::string& second) {
    if (first.empty()) return second;
    if (second.empty()) return first;
    return first + separator + second;
}

inline std::string businessHeading(const std::string& businessName, const std::string& separator,
                                   const std::string& title) {
    return joinedHeading(businessName, separator, title);
}

// A print job's name, for a queue viewer and a PDF printer's file names:
// the printout and then the business name ("Trial Balance - Corner Shop"),
// each without the blanks around it, on one line (a control character
// becomes a space) of at most the 255 bytes a print system takes.
inline std::string printJobName(const std::string& printout, const std::string& businessName) {
    const auto oneLine = [](std::string text) {
        for (char& c : text)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos) return std::string();
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    };
    return encoding::cutUtf8(joinedHeading(oneLine(printout), " - ", oneLine(businessName)), 255);
}
