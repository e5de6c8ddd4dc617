// Texts put into the program's HTML pages (mailed invoices, ledgers and
// statements).
#pragma once

#include <string>

// UTF-8 text made safe inside HTML, also inside a quoted attribute value:
// & < > " and ' as entities; characters beyond ASCII as &#N;, so that a page
// reads the same whatever character set its reader takes it in (a byte that
// is not UTF-8 as &#65533;); NUL and the other control characters dropped,
// except TAB, LF and CR.
std::string htmlEscaped(const std::string& utf8);
