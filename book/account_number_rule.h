// Which numbers name an account: every number but 0. A journal line or a
// chart slot numbered 0 has no account; a number below zero (a typed "-5")
// is an account like any other, in every lookup, ledger and statement.
#pragma once

#include "book/currency.h"

constexpr bool isAccountNumber(Currency number) {
    return !number.isZero();
}
