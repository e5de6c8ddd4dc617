// A small book for the entry-group tests: accounts 100 Cash at Bank, 100.1
// Petty cash, 400 Sales, 600 Rent; a journal of entries referenced up to 41;
// and groups built line by line.
#pragma once

#include "book/book.h"

#include <cstdint>
#include <string>
#include <vector>

namespace group_books {

constexpr double AnyDay = 45000;

inline Currency money(std::int64_t units) {
    return Currency::fromUnits(units);
}

inline EntryLine line(std::uint8_t side, Currency account, Currency amount,
                      const std::string& note = "") {
    EntryLine l;
    l.Side = side;
    l.AccountNumber = account;
    l.Amount = amount;
    l.Details = note;
    return l;
}
inline EntryLine line(std::uint8_t side, int account, std::int64_t amount,
                      const std::string& note = "") {
    return line(side, money(account), money(amount), note);
}

inline void addJournalLine(Book& b, std::uint8_t side, int account, std::int64_t amount,
                           const std::string& note, const std::string& ref) {
    EntryLine l = line(side, account, amount, note);
    l.Date = AnyDay;
    l.Reconciled = 1;
    b.EntryLines.push_back(l);
    b.EntryIds.push_back(EntryId(ref));
}

// The chart and a journal of two entries referenced 40 and 41.
inline Book smallBook() {
    Book b = makeEmptyBook("Balance", AnyDay);
    const char* names[] = {"Cash at Bank", "Petty cash", "Sales", "Rent"};
    const Currency numbers[] = {money(100), Currency::fromRaw(1001000), money(400), money(600)};
    for (int i = 0; i < 4; ++i) {
        b.AccountNames[i + 1] = names[i];
        b.AccountNumbers[i + 1] = numbers[i];
    }
    b.EntryLines.clear();
    b.EntryIds.clear();
    addJournalLine(b, Debit, 100, 10, "", "40");
    addJournalLine(b, Credit, 400, 10, "Till", "40");
    addJournalLine(b, Debit, 600, 5, "", "41");
    addJournalLine(b, Credit, 100, 5, "Rent", "41");
    return b;
}

// Three entries: a pair, a compound of three lines, a pair with an empty note.
inline std::vector<EntryLine> threeEntryGroup() {
    return {line(Debit, 600, 500),    line(Credit, 100, 500, "Rent"), line(Debit, 100, 20),
            line(Debit, 600, 5),      line(Credit, 400, 25, "Fees"),  line(Debit, 100, 1),
            line(Credit, 400, 1, "_")};
}

} // namespace group_books
