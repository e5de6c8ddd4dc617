// Access keys of a menu bar: Alt and a title's underlined letter open its
// menu, as in every desktop program. Each title of a bar is given a letter
// of its own.
#pragma once

#include <string>

// `title` with "&" before its first letter (A to Z, either case) that no
// letter of `taken` (lower case) stands for; a "&" of the title itself is
// doubled, so that it shows as it is. A title without a free letter gets none.
std::string titleWithAccessKey(const std::string& title, const std::string& taken);

// The letter (lower case) a title's access key stands for; 0 for none.
char accessKeyOf(const std::string& title);
