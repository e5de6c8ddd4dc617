// Boxes for a text the book keeps in a fixed number of bytes (a reference's
// 14, a group name's 120): such a box takes no character whose bytes would
// not fit, typed, pasted or dropped, so that it always shows all that is
// kept (fitTypedText).
#pragma once

#include <cstddef>
#include <functional>

class QLineEdit;

// Holds `box` to the bytes `maxBytes` gives, asked at every change (a box
// whose search compares references holds 14 while it does).
void holdToBytes(QLineEdit* box, std::function<std::size_t()> maxBytes);
void holdToBytes(QLineEdit* box, std::size_t maxBytes);
