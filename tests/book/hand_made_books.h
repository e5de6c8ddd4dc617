// Small hand-made books for the tests of the text forms, the insert, the
// carry-forward and the roll-over.
#pragma once

#include "book/book.h"
#include "book/tmain.h"

#include <gtest/gtest.h>

#include <string>

namespace handmade {

inline Currency money(const std::string& text) {
    auto value = Currency::parse(text);
    if (!value) throw std::invalid_argument(text);
    return *value;
}

inline double day(int y, int m, int d) {
    return Tmain::DayNumber(y, m, d);
}

// A book with the opening-balance account in slot 0 and an empty journal.
inline Book emptyBook() {
    Book book = makeEmptyBook("Balance", day(2024, 1, 1));
    book.EntryLines.clear();
    book.EntryIds.clear();
    return book;
}

// Puts an account into a slot, growing the table when needed.
inline void setAccount(Book& book, int slot, const std::string& number, const std::string& name,
                       int type) {
    if (slot > book.LastAccount) book.resizeAccounts(slot);
    book.AccountNumbers[slot] = money(number);
    book.AccountNames[slot] = name;
    book.AccountTypes[slot] = static_cast<std::uint8_t>(type);
    fillEntryAccountList(book); // as the chart window leaves it
}

inline void addLine(Book& book, const std::string& reference, double date, int side,
                    const std::string& account, const std::string& amount,
                    const std::string& details = "") {
    EntryLine line;
    line.Date = date;
    line.Side = static_cast<std::uint8_t>(side);
    line.AccountNumber = money(account);
    line.Amount = money(amount);
    line.Details = details;
    book.EntryLines.push_back(line);
    book.EntryIds.emplace_back(reference);
}

// One two-line entry: debit `debit`, credit `credit`, the note on the credit line.
inline void addEntry(Book& book, const std::string& reference, double date,
                     const std::string& debit, const std::string& credit, const std::string& amount,
                     const std::string& note = "_") {
    addLine(book, reference, date, Debit, debit, amount, "");
    addLine(book, reference, date, Credit, credit, amount, note);
}

// The chart of accounts and the journal, compared field by field.
inline void expectSameChartAndJournal(const Book& a, const Book& b) {
    EXPECT_EQ(a.LastAccount, b.LastAccount);
    EXPECT_EQ(a.AccountNames, b.AccountNames);
    EXPECT_EQ(a.AccountNumbers, b.AccountNumbers);
    EXPECT_EQ(a.AccountTypes, b.AccountTypes);
    EXPECT_EQ(a.AccountNote, b.AccountNote);
    EXPECT_EQ(a.AccountNote2, b.AccountNote2);
    EXPECT_EQ(a.AccountExtra, b.AccountExtra);
    EXPECT_TRUE(a.EntryLines == b.EntryLines);
    EXPECT_TRUE(a.EntryIds == b.EntryIds);
}

// Every part of a book the operations may touch, compared field by field.
inline void expectSameBook(const Book& a, const Book& b) {
    expectSameChartAndJournal(a, b);
    EXPECT_EQ(a.EntryAccountList, b.EntryAccountList);
    EXPECT_EQ(a.BusinessName, b.BusinessName);
    EXPECT_EQ(a.ReservedLong, b.ReservedLong);
    EXPECT_EQ(a.FilePassword, b.FilePassword);
}

} // namespace handmade
