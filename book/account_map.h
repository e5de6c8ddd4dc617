// Account slots by number, built once per operation so that a loop over the
// journal never searches the chart per line.
#pragma once

#include "book/book.h"

#include <cstdint>
#include <optional>
#include <unordered_map>

class AccountMap {
  public:
    explicit AccountMap(const Book& book);
    // The first slot numbered `number`, as Tmain::AccountSlotByNumber finds
    // it: nullopt for none and for 0, which is no account.
    std::optional<int> slot(Currency number) const;

  private:
    std::unordered_map<std::int64_t, int> slots_;
};
