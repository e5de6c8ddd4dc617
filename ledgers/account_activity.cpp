#include "ledgers/account_activity.h"

#include "book/account_number_rule.h"

#include <map>

Currency busiestAccount(const Book& book) {
    std::map<std::int64_t, std::int64_t> lines;
    for (const EntryLine& line : book.EntryLines)
        if (isAccountNumber(line.AccountNumber)) ++lines[line.AccountNumber.raw];
    Currency busiest;
    std::int64_t most = 0;
    for (const auto& [number, count] : lines)
        if (count > most) {
            most = count;
            busiest = Currency::fromRaw(number);
        }
    return busiest;
}
