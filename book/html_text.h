// Texts put into the program's HTML pages (mailed invoices and ledgers).
#pragma once

#include <string>

// Text made safe inside HTML (also inside a quoted attribute value): & < > "
// and ' as entities, NUL characters dropped.
std::string htmlEscaped(const std::string& text);
