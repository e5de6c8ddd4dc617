#include "book/account_name_box.h"

#include "book/account_number_rule.h"
#include "book/tmain.h"
#include "resources/string_table.h"

NamedAccount leaveAccountNameBox(const Book& book, const std::string& typed, Currency kept) {
    const Currency number = Tmain::AccountNumberByName(book, typed);
    if (isAccountNumber(number)) return {number, {typed, ""}};
    NamedAccount none;
    none.left.text = Tmain::AccountNameByNumber(book, kept);
    if (!typed.empty()) none.left.problem = shortenForStatus(typed) + " : " + strings::text(291);
    return none;
}
