// The most memory one table a command builds may take (a ledger's rows, a
// statement's cells): a larger one is refused whole, before any of it is
// made, with a message that says what to choose instead.
#pragma once

#include "book/number_format.h"

#include <cstdint>
#include <string>

inline constexpr std::uint64_t LargestTableBytes = std::uint64_t(1) << 30;

// "" when `bytes` fit in LargestTableBytes; else "This <what> would hold
// <holding>, taking about <n> MB of memory, more than the 1,024 MB a <what>
// may take. <advice>", counts grouped by the locale's marks.
std::string tableSizeRefusal(const std::string& what, const std::string& holding,
                             std::uint64_t bytes, const NumberMarks& marks,
                             const std::string& advice);
