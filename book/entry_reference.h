// Entry references as numbers: the reference after a reference, worked out in
// exact decimal digits (never in floating point, where large numbers repeat
// and turn into exponent form), and the one rule of what a reference holds.
#pragma once

#include <string>

// A reference's number is its leading number (the lenient reading of typed
// numbers), read with the locale's `decimalMark` as a decimal point beside
// ".", so that a reference written under a decimal comma reads back whole.

// Whether a reference starts with a number (of any sign, 0 included): blanks
// and references that start with a letter do not.
bool referenceHasNumber(const std::string& reference, const std::string& decimalMark);

// The reference after `reference`: its number plus 1, written in plain decimal
// digits with `decimalMark` and without exponent, leading zeros or trailing
// decimal zeros ("0012" gives "13", "12.5" "13.5", "1E3" "1001", "&H10" "17";
// "12,5" gives "13,5" under a decimal comma). With no number in it the
// reference is taken as 0, giving "1". Every command that numbers entries takes
// the next reference from here.
std::string referenceAfter(const std::string& reference, const std::string& decimalMark);

// Whether a reference text fits the 14 characters a reference holds; one
// that does not would be cut and could repeat another.
bool referenceFits(const std::string& text);

// What a command that numbers entries says when a reference would not fit:
// it adds nothing.
std::string referenceTooLongText();
