// Boxes an account number is typed into: each takes the characters
// numberBoxMaxChars allows for the book, and is laid out as wide as showing
// whole, in its own font, whatever it takes and every number of the book
// needs.
#pragma once

#include "book/book.h"

#include <string>
#include <vector>

class QLineEdit;

// Holds each of `boxes` (all in one font) to those characters and returns
// the width (pixels) at which they show whole every text they take.
int fitNumberBoxes(const std::vector<QLineEdit*>& boxes, const Book& book,
                   const std::string& decimalMark);
