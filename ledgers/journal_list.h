// The general journal's list: the journal lines of whole entries chosen by an
// account and a period, or by a search of notes or references, or the
// entries whose debits and credits differ.
#pragma once

#include "book/book.h"
#include "ledgers/ledger_choice.h"

#include <cstdint>
#include <string>
#include <vector>

enum class JournalMode : std::uint8_t {
    Account,         // lines of the chosen account (every account when none is chosen)
    NoteSearch,      // entries whose note holds the search text (any case)
    ReferenceSearch, // entries whose 14-character reference holds the search text
    Unbalanced,      // entries whose debits and credits differ
    NoMatch,         // a search of an unknown kind: nothing is listed
};

// The mode of a build: by account while no search is pending, else the
// search of `searchMode` (0 notes, 1 references, 2 unbalanced entries).
JournalMode journalModeFor(std::uint8_t searchPending, std::int16_t searchMode);

struct JournalOptions : LedgerChoice {
    // LedgerChoice::account 0 lists every account ("ALL"); reconcileMode
    // applies to the account mode only.
    JournalMode mode = JournalMode::Account;
    std::string searchText;
};

struct JournalList {
    // Journal line indices in strictly rising order. Entries are never split:
    // a listed entry contributes all of its lines, and appears only once.
    std::vector<std::int32_t> ShownLines;
    std::int32_t EntryCount = 0;
    double FromDate = 0; // the period as built
    double ToDate = 0;
    Currency SelectedAccount; // the chosen number cut to its digits; 0 with AllAccounts
    bool AllAccounts = false; // no account chosen: the account box shows string 207 ("ALL")
    std::string Folio;        // the account number box's text ("" with AllAccounts)
};

JournalList buildJournalList(const Book& book, const JournalOptions& options);
