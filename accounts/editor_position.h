// Where the entry-group editor stood when it last closed: its left and top
// in twips in the per-user settings store ("LW", "Settings", keys "eLeft"
// and "eTop").
#pragma once

#include <optional>

struct EditorPosition {
    std::optional<int> left; // nothing when the key is missing or unreadable
    std::optional<int> top;
};

EditorPosition readEditorPosition();
void storeEditorPosition(int leftTwips, int topTwips);
