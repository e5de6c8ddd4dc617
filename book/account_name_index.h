// Account names by number, built once per operation so that a loop over the
// journal never searches the chart per line.
#pragma once

#include "book/book.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class AccountNameIndex {
  public:
    // The book must outlive the index.
    explicit AccountNameIndex(const Book& book);
    // The name of the first slot in use numbered `number`, as
    // Tmain::AccountNameByNumber finds it: "" for none and for 0, which is no account.
    const std::string& name(Currency number) const;

  private:
    std::unordered_map<std::int64_t, const std::string*> names_;
};
