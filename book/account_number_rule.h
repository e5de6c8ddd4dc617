// Which numbers name an account, and the main account a number folds into.
#pragma once

#include "book/currency.h"

// Every number but 0 names an account. A journal line or a chart slot
// numbered 0 has no account; a number below zero (a typed "-5") is an
// account like any other, in every lookup, ledger and statement.
constexpr bool isAccountNumber(Currency number) {
    return !number.isZero();
}

// The main account a number folds into when sub-accounts are folded: the
// number cut toward zero to its whole part (100.1 into 100, -5.5 into -5).
// A sub-account whose whole part names no account (0.5, -0.5) is its own
// main account, so folding never takes its lines to "no account". Always in
// the money range.
constexpr Currency mainAccountOf(Currency number) {
    const Currency whole = Currency::fromRaw(number.raw - number.fractionRaw());
    return isAccountNumber(whole) ? whole : number;
}
