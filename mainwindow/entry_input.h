// What the entry line's boxes accept as typed or pasted text and how they
// read it: the key filters and the amount check (shared in book/), typed
// account numbers and upper-case references.
#pragma once

#include "book/account_number_text.h"
#include "book/typed_input.h"

#include <string>

// A reference as the box shows it and the entry keeps it: every letter in
// capitals (encoding::inCapitals), everything else as typed, within the
// reference's 14 bytes (a capital may take more bytes than its letter).
std::string upperCaseReference(const std::string& text);
