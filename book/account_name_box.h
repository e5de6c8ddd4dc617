// The boxes an account is chosen in by name (the entry line's, the
// entry-group editor's), once the user leaves them.
#pragma once

#include "book/book.h"
#include "book/typed_input.h"

#include <optional>
#include <string>

// A name box left with `typed` while its line keeps account `kept`: a name
// an account has chooses that account (`number`); any other text chooses
// none, the box shows the name of the account kept ("" for none) and, unless
// the box was emptied, tells that no account has that name.
struct NamedAccount {
    std::optional<Currency> number;
    LeftBox left;
};
NamedAccount leaveAccountNameBox(const Book& book, const std::string& typed, Currency kept);
