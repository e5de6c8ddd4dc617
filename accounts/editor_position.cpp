#include "accounts/editor_position.h"

#include "platform/services.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

std::optional<int> readTwips(const char* key) {
    const std::optional<std::string> text = services().settings->get("LW", "Settings", key);
    if (!text) return std::nullopt;
    const char* begin = text->c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v) || std::fabs(v) > 1e6) return std::nullopt;
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

EditorPosition readEditorPosition() {
    return {readTwips("eLeft"), readTwips("eTop")};
}

void storeEditorPosition(int leftTwips, int topTwips) {
    services().settings->set("LW", "Settings", "eLeft", std::to_string(leftTwips));
    services().settings->set("LW", "Settings", "eTop", std::to_string(topTwips));
}
