// The small book the ledger tests share: a cash account with two
// sub-accounts, simple and compound entries (60/40 and 90/10), a reconciled
// entry, unbalanced entries, entries dated before and after February 2026
// (some out of date order), entries written credit first and entries whose
// contra lines name no account or add up to 0.
#pragma once

#include "book/hand_made_books.h"

namespace ledgerbook {

using handmade::day;
using handmade::money;

inline double feb(int d) {
    return day(2026, 2, d);
}

// A ledger's options (LedgerChoice or one built on it): `account` over February 2026.
template <class Options> Options inFebruary(const char* account) {
    Options options;
    options.account = money(account);
    options.fromDate = feb(1);
    options.toDate = feb(28);
    return options;
}

// Account numbers.
inline const char* const Cash = "100";
inline const char* const Till = "100.1";
inline const char* const Safe = "100.2";
inline const char* const Sales = "200";
inline const char* const Online = "200.5";
inline const char* const Rent = "300";
inline const char* const Stock = "400";
inline const char* const Wages = "500";
inline const char* const Loan = "600";

inline Book book() {
    Book b = handmade::emptyBook();
    handmade::setAccount(b, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(b, 2, Till, "Cash Till", CurrentAsset);
    handmade::setAccount(b, 3, Safe, "Cash Safe", CurrentAsset);
    handmade::setAccount(b, 4, Sales, "Sales", Revenue);
    handmade::setAccount(b, 5, Online, "Sales Online", Revenue);
    handmade::setAccount(b, 6, Rent, "Rent", Expense);
    handmade::setAccount(b, 7, Stock, "Stock", CurrentAsset);
    handmade::setAccount(b, 8, Wages, "Wages", Expense);
    handmade::setAccount(b, 9, Loan, "Loan", NonCurrentLiability);
    b.BusinessName = "Corner Shop";
    b.BusinessAddress = "1 High Street\r\nTown";

    auto line = [&](const char* ref, double date, int side, const char* account, const char* amount,
                    const char* note = "") {
        handmade::addLine(b, ref, date, side, account, amount, note);
    };
    line("2", feb(2), Debit, Rent, "120");                             // 0
    line("2", feb(2), Credit, Till, "120", "Rent Feb");                // 1
    line("1", day(2026, 1, 15), Debit, Cash, "500");                   // 2 before the period
    line("1", day(2026, 1, 15), Credit, Sales, "500", "Opening sale"); // 3
    line("3", feb(3), Debit, Loan, "500");                             // 4
    line("3", feb(3), Credit, Cash, "500", "Loan repaid");             // 5
    line("4", feb(10), Debit, Cash, "90");                             // 6 compound 90/10
    line("4", feb(10), Debit, Wages, "10");                            // 7
    line("4", feb(10), Credit, Sales, "100", "Till sale");             // 8
    line("5", feb(5), Debit, Stock, "100");                            // 9 compound 60/40
    line("5", feb(5), Credit, Safe, "60");                             // 10
    line("5", feb(5), Credit, Online, "40", "Mixed");                  // 11
    line("6", feb(4), Debit, Cash, "800");                             // 12
    line("6", feb(4), Credit, Loan, "800", "Loan taken");              // 13
    line("7", feb(12), Debit, Till, "250");                            // 14 reconciled
    line("7", feb(12), Credit, Sales, "250", "Reconciled sale");       // 15
    b.EntryLines[14].Reconciled = b.EntryLines[15].Reconciled = 1;
    line("8", feb(14), Debit, Rent, "80");                       // 16 unbalanced
    line("8", feb(14), Credit, Cash, "70", "Short");             // 17
    line("9", day(2026, 1, 20), Debit, Sales, "40");             // 18 before the period
    line("9", day(2026, 1, 20), Credit, Safe, "40", "Refund");   // 19
    line("10", feb(15), Debit, Rent, "50");                      // 20 credit account not chosen
    line("10", feb(15), Credit, "0", "50", "_");                 // 21
    line("11", feb(14), Debit, Rent, "25");                      // 22 contra adds up to 0
    line("11", feb(14), Credit, Cash, "0", "Zero");              // 23
    line("12", day(2026, 3, 3), Debit, Cash, "1000");            // 24 after the period
    line("12", day(2026, 3, 3), Credit, Sales, "1000", "March"); // 25
    line("13", feb(20), Credit, Cash, "30");                     // 26 credit first
    line("13", feb(20), Debit, Wages, "30", "Tea");              // 27
    line("14", feb(28), Credit, Cash, "10");                     // 28 credit first, last line
    line("14", feb(28), Debit, Stock, "10", "_");                // 29
    return b;
}

// Cash debited ten times the largest whole amount, then credited as often: past the range and back.
inline Book tenLineBook() {
    Book b = handmade::emptyBook();
    handmade::setAccount(b, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(b, 2, Sales, "Sales", Revenue);
    for (int i = 0; i < 40; ++i)
        handmade::addLine(b, i < 20 ? "1" : "2", feb(2 + i / 20),
                          i < 10 || i >= 30 ? Debit : Credit, i % 20 < 10 ? Cash : Sales,
                          "922337203685477", i % 20 == 19 ? "Ten" : "");
    return b;
}

} // namespace ledgerbook
