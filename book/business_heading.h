// Headings that join the business name with a title: "Northern Trading, Trial
// Balance". A book without a business name gets the title alone, never a
// heading that starts or ends with the separator.
#pragma once

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
