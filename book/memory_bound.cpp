#include "book/memory_bound.h"

std::string tableSizeRefusal(const std::string& what, const std::string& holding,
                             std::uint64_t bytes, const NumberMarks& marks,
                             const std::string& advice) {
    if (bytes <= LargestTableBytes) return "";
    constexpr std::uint64_t Megabyte = std::uint64_t(1) << 20;
    auto count = [&](std::uint64_t n) { return groupedDigits(std::to_string(n), marks.group); };
    return "This " + what + " would hold " + holding + ", taking about " +
           count(bytes / Megabyte + (bytes % Megabyte != 0 ? 1 : 0)) +
           " MB of memory, more than the " + count(LargestTableBytes / Megabyte) + " MB a " + what +
           " may take. " + advice;
}
