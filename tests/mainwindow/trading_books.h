// Books written line by line with their numbers as text: the small trading
// book the file commands open and save (and its bytes as a book file), and
// the lines of the invoice tests.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "book/tmain.h"

#include <string>

namespace trading_books {

inline Currency money(const std::string& text) {
    return *Currency::parse(text);
}

inline void setAccount(Book& b, int slot, const std::string& number, const std::string& name,
                       int type) {
    if (slot > b.LastAccount) b.resizeAccounts(slot);
    b.AccountNumbers[slot] = money(number);
    b.AccountNames[slot] = name;
    b.AccountTypes[slot] = static_cast<std::uint8_t>(type);
    fillEntryAccountList(b); // as the chart window leaves it
}

// One journal line (by default on the invoices' day, 14 March 2025).
inline void addLine(Book& b, std::uint8_t side, const std::string& account,
                    const std::string& amount, const std::string& note, const std::string& ref,
                    double date = Tmain::DayNumber(2025, 3, 14)) {
    EntryLine l;
    l.Date = date;
    l.Side = side;
    l.AccountNumber = money(account);
    l.Amount = money(amount);
    l.Details = note;
    b.EntryLines.push_back(l);
    b.EntryIds.push_back(EntryId(ref));
}

// A two-line entry, the note on its credit line.
inline void addEntry(Book& b, const std::string& debit, const std::string& credit,
                     const std::string& amount, const std::string& note, const std::string& ref,
                     double date = Tmain::DayNumber(2025, 3, 1)) {
    addLine(b, Debit, debit, amount, "", ref, date);
    addLine(b, Credit, credit, amount, note, ref, date);
}

// Cash 100, Capital 300, Sales 400, Rent 600: capital paid in, takings and
// rent paid (lines 0-5, references 1 to 3, from 1 March 2025), a profit of 300.
inline Book tradingBook(const std::string& name = "Corner Shop") {
    Book b = makeEmptyBook("Balance", 46000);
    b.EntryLines.clear();
    b.EntryIds.clear();
    b.BusinessName = name;
    setAccount(b, 1, "100", "Cash", CurrentAsset);
    setAccount(b, 2, "300", "Capital", CapitalEquity);
    setAccount(b, 3, "400", "Sales", Revenue);
    setAccount(b, 4, "600", "Rent", Expense);
    const double day = Tmain::DayNumber(2025, 3, 1);
    addEntry(b, "100", "300", "1000", "Capital in", "1", day);
    addEntry(b, "100", "400", "500", "Takings", "2", day + 1);
    addEntry(b, "600", "100", "200", "March rent", "3", day + 2);
    return b;
}

// What the file commands may touch of a book, as the bytes of its book file:
// equal bytes, equal book.
inline std::string bookBytes(const Book& b) {
    std::string refusal;
    return serializeBookFile(b, nullptr, &refusal).value_or("refused: " + refusal);
}

} // namespace trading_books
