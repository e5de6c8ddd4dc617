// Texts put into editable boxes, by the program or picked from a box's list.
// A line edit scrolls to its cursor, which setting a text leaves at the end,
// so a text too wide for its box would show its end; these show its start,
// as a fixed box does.
#pragma once

#include "book/typed_input.h"

#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QString;

// Shows the editable box's present text from its start.
void showFromStart(QComboBox* box);
// Chooses the item of `text` (none when it is empty or no item has it) and
// sets it as the box's text, shown from its start.
void setBoxText(QComboBox* box, const QString& text);
// Shows each item picked from the box's list (by the mouse, the keys or the
// wheel) from its start, as a text filled in is shown, and opens the list
// wide enough for its longest item (as wide as the screen at most), so that
// names that differ only past the box's width can be told apart.
void showPicksFromStart(QComboBox* box);

// A box the user has left shows what is kept (`left.text`, from its start)
// and then tells `left.problem`, if there is one, through `tell` (a message
// when none is given). The box shows the kept text before telling, so that
// leaving it again, as telling may take the focus, tells nothing more.
void showLeftBox(QLineEdit* box, const LeftBox& left,
                 const std::function<void(const std::string&)>& tell = {});
