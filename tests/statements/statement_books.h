// The small trading book every statement test works from, with each figure
// worked out by hand in statements_test.cpp.
#pragma once

#include "../book/hand_made_books.h"

namespace statementbooks {

using namespace handmade;

inline double day2024(int m, int d) {
    return handmade::day(2024, m, d);
}

// An empty book of the Corner Shop, its statements with two decimals.
inline Book cornerShop() {
    Book book = emptyBook();
    book.BusinessName = VariantText("Corner Shop");
    book.DecimalsTrialBalance = 2;
    book.DecimalsIncome = 2;
    book.DecimalsBalanceSheet = 2;
    return book;
}

// Jan: capital 10,000 into cash; equipment 3,000 from cash; cash 1,500 from
//      sales 1,000 and online sales 500 (one entry).
// Feb: purchases 600 on credit; wages 200 and rent 100 paid in one entry.
// Mar: loan 2,000 into cash; drawings 400.
// Apr: creditors 600 paid from the bank (the bank goes overdrawn); cash sales
//      800 at a quarter to six in the evening of 10 April.
inline Book tradingBook() {
    Book book = cornerShop();
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "110", "Bank", CurrentAsset);
    setAccount(book, 3, "200", "Creditors", CurrentLiability);
    setAccount(book, 4, "250", "Loan", NonCurrentLiability);
    setAccount(book, 5, "150", "Equipment", NonCurrentAsset);
    setAccount(book, 6, "300", "Capital", CapitalEquity);
    setAccount(book, 7, "310", "Owner Drawings", CapitalEquity);
    setAccount(book, 8, "400", "Sales", Revenue);
    setAccount(book, 9, "400.1", "Sales online", Revenue);
    setAccount(book, 10, "500", "Purchases", CostOfGoodsSold);
    setAccount(book, 11, "600", "Wages", Expense);
    setAccount(book, 12, "610", "Rent", Expense);
    addEntry(book, "1", day2024(1, 10), "100", "300", "10000");
    addEntry(book, "2", day2024(1, 15), "150", "100", "3000");
    addLine(book, "3", day2024(1, 20), Debit, "100", "1500");
    addLine(book, "3", day2024(1, 20), Credit, "400", "1000");
    addLine(book, "3", day2024(1, 20), Credit, "400.1", "500", "_");
    addEntry(book, "4", day2024(2, 5), "500", "200", "600");
    addLine(book, "5", day2024(2, 10), Debit, "600", "200");
    addLine(book, "5", day2024(2, 10), Debit, "610", "100");
    addLine(book, "5", day2024(2, 10), Credit, "100", "300", "_");
    addEntry(book, "6", day2024(3, 15), "100", "250", "2000");
    addEntry(book, "7", day2024(3, 20), "310", "100", "400");
    addEntry(book, "8", day2024(4, 5), "200", "110", "600");
    addEntry(book, "9", day2024(4, 10) + 0.74, "100", "400", "800");
    return book;
}

// The trading book moved on to end on `lastDay`, written in `dateStyle`.
inline Book tradingBookEndingOn(double lastDay, int dateStyle) {
    Book book = tradingBook();
    book.DateStyle = dateStyle;
    for (EntryLine& line : book.EntryLines)
        line.Date += lastDay - day2024(4, 10);
    return book;
}

// Forty-character names and twelve-digit amounts in every section of every
// statement, over three years: names longer than any column, amounts wider
// than any field.
inline Book wideBook() {
    Book book = cornerShop();
    const struct {
        const char* number;
        const char* name;
        int type;
    } accounts[] = {
        {"100", "Cashatthemainbranchofthecitybankoftrade", CurrentAsset},
        {"200", "Creditorsforgoodsboughtonthirtydaysterms", CurrentLiability},
        {"250", "Longtermloanfromthecitybankoftradeandco", NonCurrentLiability},
        {"150", "Equipmentandmachineryatthenorthernplant", NonCurrentAsset},
        {"300", "Capitalbroughtinbythepartnersatthestart", CapitalEquity},
        {"400", "Salesofgoodsandservicesthroughthecounter", Revenue},
        {"500", "Purchasesofgoodsforresalefromsuppliersco", CostOfGoodsSold},
        {"600", "Wagesandsalariesofthestaffatthenorthside", Expense},
    };
    int slot = 1;
    for (const auto& a : accounts)
        setAccount(book, slot++, a.number, a.name, a.type);
    addEntry(book, "1", day2024(1, 5), "100", "300", "987654321098.76");
    addEntry(book, "2", day2024(1, 9), "150", "250", "123456789012.34");
    addEntry(book, "3", day2024(2, 3), "500", "200", "234567890123.45");
    addEntry(book, "4", day2024(2, 20), "100", "400", "345678901234.56");
    addEntry(book, "5", day2024(3, 11), "600", "100", "456789012345.67");
    // Sales in each of 36 months, so that the monthly inflows/outflows runs
    // to 36 columns and a Total.
    for (int m = 0; m < 36; ++m)
        addEntry(book, std::to_string(6 + m), handmade::day(2024 + m / 12, m % 12 + 1, 25), "100",
                 "400", std::to_string(100000000000LL + 1234567891LL * m) + ".25");
    return book;
}

} // namespace statementbooks
