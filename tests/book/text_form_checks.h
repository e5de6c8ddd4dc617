// Checks the tests of the text and the CSV book share: the journal read back,
// files that stop at a line, and damaged files.
#pragma once

#include "book/book_text_forms.h"
#include "hand_made_books.h"
#include "support/hostile_books.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace handmade {

using TextFormParse = std::function<TextFormReadResult(const std::string& text)>;

// The small book of the golden lines: rent paid in cash on 3 May 2024
// (reference 17, day-first dates), with a sub-account whose name holds a comma.
inline Book rentPaidInCash() {
    Book book = emptyBook();
    book.DateStyle = 2;
    setAccount(book, 1, "400", "Rent", Expense);
    setAccount(book, 2, "100", "Cash", CurrentAsset);
    setAccount(book, 3, "100.1", "Cash, petty", CurrentAsset);
    addLine(book, "17", day(2024, 5, 3), Debit, "400", "250", "Rent");
    addLine(book, "17", day(2024, 5, 3), Credit, "100", "250", "_");
    return book;
}

// The journal a round trip must keep, on accounts 100, 100.1, 500, 600 and
// -7: negative and zero amounts, sixteen lines a side with the note on the
// last, and a comma in a reference; the last entry credits `lastCredit`.
inline void addRoundTripJournal(Book& book, const std::string& lastCredit) {
    const double d = day(2024, 2, 29);
    addEntry(book, "1", d, "100", "500", "1000", "Opening sale");
    addEntry(book, "2", d, "600", "100", "-25.5", "Refund");
    addEntry(book, "3", d + 1, "600", "100.1", "0", "Nothing owed");
    for (int i = 0; i < 16; ++i)
        addLine(book, "4", d + 2, Debit, "600", std::to_string(i + 1), "");
    for (int i = 0; i < 16; ++i)
        addLine(book, "4", d + 2, Credit, "100", std::to_string(i + 1),
                i == 15 ? "Sixteen a side" : "");
    addEntry(book, "A,B", d + 3, "-7", lastCredit, "1.2345", "Comma in the reference");
}

// Line by line as written; the forms drop commas from references.
inline void expectSameJournal(const Book& read, const Book& original) {
    ASSERT_EQ(read.EntryLines.size(), original.EntryLines.size());
    for (std::size_t i = 0; i < read.EntryLines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        const EntryLine& a = read.EntryLines[i];
        const EntryLine& b = original.EntryLines[i];
        EXPECT_EQ(a.Date, b.Date);
        EXPECT_EQ(a.Side, b.Side);
        EXPECT_EQ(a.AccountNumber, b.AccountNumber);
        EXPECT_EQ(a.Amount, b.Amount);
        EXPECT_EQ(a.Details, b.Details);
        std::string reference = original.EntryIds[i].shown();
        std::erase(reference, ',');
        EXPECT_EQ(read.EntryIds[i].shown(), reference);
    }
}

using TextFormFormat = std::function<std::string(const Book& book, const LocaleInfo& locale)>;

using TextFormParseAsking = std::function<TextFormReadResult(
    const std::string& text, const Book& open, const LocaleInfo& locale,
    const textforms::DateOrderQuestion&)>;

// Under every date style, also those with two-digit years, and five locales, days far from today
// (1 June 2035, 1 January 1930, 31 December 1800) come back as written into a new book (style 0),
// the files carrying four-digit years: without a question where one order reads every line
// (31/12/1800), after one where two do (5 March and 12 November 2024).
inline void expectEveryStyleKeepsTheCentury(const TextFormFormat& format,
                                            const TextFormParseAsking& parse) {
    Book book = emptyBook();
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "500", "Sales", Revenue);
    Book twoWays = book;
    addEntry(book, "1", day(2035, 6, 1), "100", "500", "10", "Later");
    addEntry(book, "2", day(1930, 1, 1), "100", "500", "20", "Earlier");
    addEntry(book, "3", day(1800, 12, 31), "100", "500", "30", "Long ago");
    addEntry(twoWays, "1", day(2024, 3, 5), "100", "500", "10", "March");
    addEntry(twoWays, "2", day(2024, 11, 12), "100", "500", "20", "November");
    const Book open = emptyBook(); // date style 0, as a new book
    LocaleInfo hungarian = yearFirstLocale();
    hungarian.shortDatePattern = "yyyy. MM. dd.";
    for (const LocaleInfo& locale :
         {monthFirstLocale(), dayFirstLocale(), decimalCommaLocale(), yearFirstLocale(), hungarian})
        for (int style = 0; style <= 8; ++style) {
            SCOPED_TRACE(locale.name + " style " + std::to_string(style));
            book.DateStyle = twoWays.DateStyle = static_cast<std::int16_t>(style);
            const std::string text = format(book, locale);
            EXPECT_NE(text.find("2035"), std::string::npos);
            EXPECT_NE(text.find("1930"), std::string::npos);
            int questions = 0;
            auto answer = [&, asWritten = hostile::answerAsWritten(style, locale)](
                              const std::string& question) {
                ++questions;
                return asWritten(question);
            };
            TextFormReadResult read = parse(text, open, locale, answer);
            ASSERT_TRUE(read.ok) << read.message;
            expectSameJournal(read.book, book);
            EXPECT_EQ(questions, 0);
            read = parse(format(twoWays, locale), open, locale, answer);
            ASSERT_TRUE(read.ok) << read.message;
            expectSameJournal(read.book, twoWays);
            const bool yearFirst = dateOrderOf(locale.shortDatePattern) == DateOrder::YearMonthDay;
            EXPECT_EQ(questions, style == 0 && yearFirst ? 0 : 1);
        }
}

struct MalformedText {
    std::string text;
    int line;          // where the reading must stop
    std::string fault; // a part of its message
};

// Each text stops at its line with "Line N: " and the fault; put in place,
// the reading leaves the open book and its book file as they were.
inline void expectEachStopsAtItsLine(const std::vector<MalformedText>& cases, Book& open,
                                     const TextFormParse& parse) {
    const Book before = open;
    for (const MalformedText& c : cases) {
        SCOPED_TRACE(c.fault);
        TextFormReadResult read = parse(c.text);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.faultLine, c.line);
        EXPECT_EQ(read.message.rfind("Line " + std::to_string(c.line) + ": ", 0), 0u)
            << read.message;
        EXPECT_NE(read.message.find(c.fault), std::string::npos) << read.message;
        RunTimeState run;
        run.BookFilePath = "/books/kept.acc";
        adoptTextFormBook(open, run, std::move(read));
        expectSameBook(open, before);
        EXPECT_EQ(run.BookFilePath, "/books/kept.acc");
    }
}

// Every cut of a good text, and 3000 copies with one byte changed, either
// read whole or stop with a message naming a line.
inline void expectEveryDamageReadsOrNamesALine(const std::string& good, unsigned seed,
                                               const TextFormParse& parse) {
    auto check = [&](const std::string& text) {
        TextFormReadResult read = parse(text);
        if (read.ok) return;
        EXPECT_GE(read.faultLine, 1);
        EXPECT_EQ(read.message.rfind("Line " + std::to_string(read.faultLine) + ": ", 0), 0u);
    };
    for (std::size_t n = 0; n < good.size(); ++n)
        check(good.substr(0, n));
    for (int i = 0; i < 3000; ++i) {
        std::string text = good;
        seed = seed * 1103515245 + 12345;
        text[(seed >> 8) % text.size()] = static_cast<char>(seed >> 24);
        check(text);
    }
}

} // namespace handmade
