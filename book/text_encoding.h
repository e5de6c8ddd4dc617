// Text encodings: UTF-8 in memory; single-byte Windows code pages for old
// files and for formats that declare one (spreadsheet, RTF).
#pragma once

#include <string>
#include <string_view>

namespace encoding {

bool isValidUtf8(std::string_view bytes);

// The character at `pos`, moving `pos` past it; a byte that starts no
// well-formed character gives U+FFFD and is passed over alone.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);
// The character as UTF-8.
std::string utf8Of(char32_t point);

// The Windows code page of a character-set number (0 gives 1252, 238 gives
// 1250, 204 gives 1251, 161 gives 1253, 162 gives 1254, 177 gives 1255, 178
// gives 1256, 186 gives 1257, 163 gives 1258, 222 gives 874; others 1252).
int codePageForCharset(int fontCharset);

// Decodes bytes of a single-byte code page (874, 1250..1258) to UTF-8.
// Bytes the code page leaves undefined become U+FFFD.
std::string decodeCodePage(std::string_view bytes, int codePage);

// A stored text: kept when valid UTF-8, else decoded from the code page.
std::string toUtf8(std::string_view bytes, int codePage);

// UTF-8 to Windows-1252; characters it lacks become "?". Invalid UTF-8 bytes
// are taken as Windows-1252 bytes of their own.
std::string utf8ToWindows1252(std::string_view utf8);

// Cuts a UTF-8 text to at most maxBytes without splitting a character.
std::string cutUtf8(std::string_view utf8, std::size_t maxBytes);

// Byte length of the character at `pos` (a byte that starts no well-formed
// character counts as one character of its own).
std::size_t characterLength(std::string_view utf8, std::size_t pos);
// Number of characters, counted as characterLength steps through them.
std::size_t characterCount(std::string_view utf8);
// The first `count` characters (the whole text when it has no more).
std::string firstCharacters(std::string_view utf8, std::size_t count);
// The last character ("" for an empty text).
std::string lastCharacter(std::string_view utf8);

// The simple case folding of a character (Unicode's one-to-one folding,
// mostly its small letter), for every script; a character without one is its
// own fold.
char32_t foldCase(char32_t point);
// A text with every character folded, for comparing texts in any case. Bytes
// that start no well-formed character are kept as they stand.
std::string caseFolded(std::string_view utf8);

// The capital of a letter, for every script: the one character Unicode gives
// as its capital, when that folds as the letter does (so a text in capitals
// is found as it was typed); any other character is its own capital ("ß",
// whose capital is two letters, and "ı", whose "I" folds to "i", among them).
char32_t capitalOf(char32_t point);
// A text with every letter in capitals. Bytes that start no well-formed
// character are kept as they stand.
std::string inCapitals(std::string_view utf8);

} // namespace encoding
