#include "book/fixed_text.h"

#include <algorithm>

namespace {

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

FittedText fitTypedText(std::string_view before, std::string_view after, std::size_t caret,
                        std::size_t maxBytes) {
    caret = std::min(caret, after.size());
    if (after.size() <= maxBytes) return {std::string(after), caret};
    // The characters brought in: from where `after` leaves `before` up to the
    // caret, when what follows the caret is the end of `before`; else the
    // whole text, taken from its start.
    std::string_view tail = after.substr(caret);
    std::size_t start = 0;
    if (before.size() >= tail.size() && before.substr(before.size() - tail.size()) == tail) {
        const std::size_t most = std::min(caret, before.size() - tail.size());
        while (start < most && before[start] == after[start])
            ++start;
        // The end of `after` is a character's boundary: no byte is read past it.
        while (start > 0 && start < after.size() && isContinuation(after[start]))
            --start;
    } else {
        tail = {};
        caret = after.size();
    }
    const std::size_t room = maxBytes - std::min(maxBytes, start + tail.size());
    const std::string taken = encoding::cutUtf8(after.substr(start, caret - start), room);
    return {std::string(after.substr(0, start)) + taken + std::string(tail), start + taken.size()};
}
