#include "mainwindow/type_ahead.h"

#include "book/text_encoding.h"

#include <algorithm>

namespace {
int characters(const std::string& text) {
    return static_cast<int>(encoding::characterCount(text));
}
} // namespace

std::string typeAheadWanted(const std::string& text, int selectionStart, int selectionLength,
                            const std::string& typed) {
    if (selectionLength <= 0) return text + typed;
    return encoding::firstCharacters(text, static_cast<std::size_t>(std::max(0, selectionStart))) +
           typed;
}

int typeAheadMatch(const std::vector<std::string>& items, const std::string& wanted) {
    const std::string key = encoding::caseFolded(wanted);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (encoding::caseFolded(items[i]).starts_with(key)) return static_cast<int>(i);
    return -1;
}

TypeAheadResult typeAhead(const std::vector<std::string>& items, const std::string& text,
                          int selectionStart, int selectionLength, int keyCode,
                          const std::string& typed) {
    TypeAheadResult r;
    r.text = text;
    r.selectionStart = selectionStart;
    r.selectionLength = selectionLength;
    if (keyCode == 8 || keyCode == 13) {
        r.passThrough = true;
        return r;
    }
    const std::string wanted = typeAheadWanted(text, selectionStart, selectionLength, typed);
    r.item = typeAheadMatch(items, wanted);
    if (r.item < 0) return r;
    r.matched = true;
    r.text = items[static_cast<std::size_t>(r.item)];
    r.selectionStart = std::min(characters(wanted), characters(r.text));
    r.selectionLength = characters(r.text) - r.selectionStart;
    return r;
}
