// Texts put into the program's RTF (statements and the chart of accounts).
#pragma once

#include <string>

enum class RtfCharacters {
    CodePage, // characters beyond ASCII as their Windows-1252 byte only: \'e9
    Unicode,  // as \uN followed by that byte for readers without Unicode: \u233\'e9
};

// UTF-8 text made safe inside RTF: "\", "{" and "}" escaped; TAB as \tab, a
// line break (CR, LF or CR LF) as \line, other control characters dropped.
// A character the code page lacks has "?" for its byte; a byte that is not
// UTF-8 is taken as a Windows-1252 byte of its own.
std::string rtfEscaped(const std::string& utf8, RtfCharacters characters);
