#pragma once

#include <utility>
#include <vector>

namespace strings {
extern const std::vector<std::pair<int, const char*>> EnglishTexts;
}
