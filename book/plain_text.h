// Stored texts made ready to show or write: fixed-width fields keep NUL
// bytes and blank padding that no reader wants.
#pragma once

#include <string>

// The text without its NUL bytes.
std::string withoutNuls(std::string text);
// The text without leading and trailing spaces ("" when it is all spaces).
std::string trimmedSpaces(const std::string& text);
