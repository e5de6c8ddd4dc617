// The text logic of the account boxes' type-ahead: what the user wants after
// typing a character, and which list item completes it.
#pragma once

#include <string>
#include <vector>

// The text after typing `typed` into a box holding `text`, with the caret
// (selection start) and selection length in characters. With no selection
// the character is appended to the whole text; otherwise it replaces the
// selection and everything after it.
std::string typeAheadWanted(const std::string& text, int selectionStart, int selectionLength,
                            const std::string& typed);

// The first item that begins with `wanted`, compared without regard to case
// (the book's case folding, in every script); -1 when none does.
int typeAheadMatch(const std::vector<std::string>& items, const std::string& wanted);

// What the box shows after a key: the typed key is always swallowed; with a
// match the item's text is shown and its part after the wanted text selected;
// without one the box keeps its text and selection.
struct TypeAheadResult {
    bool passThrough = false; // Backspace and Enter: the box handles the key itself
    bool matched = false;
    int item = -1;
    std::string text;       // the box's text afterwards
    int selectionStart = 0; // in characters
    int selectionLength = 0;
};
TypeAheadResult typeAhead(const std::vector<std::string>& items, const std::string& text,
                          int selectionStart, int selectionLength, int keyCode,
                          const std::string& typed);
