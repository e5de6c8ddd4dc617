// What every reader given any bytes must do, shared by the libFuzzer targets
// and the sanitizer-built test: the text and CSV readers give a whole book
// that writes and reads back the same, or stop at a line with a message; an
// insert either appends the other book or leaves the open book as it was.
// Each check returns what went wrong ("" when nothing did).
#pragma once

#include "book/book_csv_file.h"
#include "book/book_file.h"
#include "book/book_text_file.h"
#include "book/insert_book.h"
#include "tests/support/hostile_books.h"

#include <string>
#include <string_view>

namespace form_checks {

// The open book the readers start from: day-first dates (style 2).
inline Book openBook() {
    Book book = makeEmptyBook("Balance", 45000);
    book.DateStyle = 2;
    book.AccountNumbers[1] = Currency::fromUnits(100);
    book.AccountNames[1] = "Cash";
    fillEntryAccountList(book);
    return book;
}

inline std::string stoppedWell(const TextFormReadResult& read) {
    if (read.error) return "";
    if (read.message.empty()) return "a refusal without a message";
    if (read.faultLine < 1) return "a refusal naming no line: " + read.message;
    if (read.message.rfind("Line " + std::to_string(read.faultLine) + ": ", 0) != 0)
        return "a message not starting with its line: " + read.message;
    return "";
}

// Reads with `parse`; a whole book must write (`format`) and read back to the
// same text.
template <class Parse, class Format>
std::string checkForm(std::string_view bytes, Parse parse, Format format) {
    const TextFormReadResult first = parse(bytes);
    if (!first.ok) return stoppedWell(first);
    Book book = openBook();
    book.AccountNames = first.book.AccountNames;
    book.AccountNumbers = first.book.AccountNumbers;
    book.AccountTypes = first.book.AccountTypes;
    book.LastAccount = first.book.LastAccount;
    book.EntryLines = first.book.EntryLines;
    book.EntryIds = first.book.EntryIds;
    book.BusinessName = first.book.BusinessName;
    const std::string written = format(book);
    const TextFormReadResult second = parse(written);
    if (!second.ok) return ""; // a business name that reads as a rule, and the like
    book.EntryLines = second.book.EntryLines;
    book.EntryIds = second.book.EntryIds;
    book.BusinessName = second.book.BusinessName;
    if (format(book) != written) return "a book read back does not write the same";
    return "";
}

inline std::string checkText(std::string_view bytes) {
    const LocaleInfo locale = dayFirstLocale();
    const Book open = openBook();
    return checkForm(
        bytes,
        [&](std::string_view b) {
            return parseBookText(b, open, locale, 45000, nullptr,
                                 hostile::answerAsWritten(open.DateStyle, locale));
        },
        [&](const Book& book) { return formatBookText(book, locale, nullptr); });
}

inline std::string checkCsv(std::string_view bytes) {
    const LocaleInfo locale = dayFirstLocale();
    const Book open = openBook();
    return checkForm(
        bytes,
        [&](std::string_view b) {
            return parseBookCsv(b, open, locale, 45000, nullptr, "fuzzed.csv", CsvUse::Open,
                                hostile::answerAsWritten(open.DateStyle, locale));
        },
        [&](const Book& book) { return formatBookCsv(book, locale, nullptr); });
}

// Inserts the bytes into a small book: appended whole, or nothing changed.
inline std::string checkInsert(std::string_view bytes, InsertSource source) {
    Book book = openBook();
    const Book before = book;
    RunTimeState run;
    const PasswordPrompt prompt = [] { return std::optional<std::string>("secret"); };
    const InsertResult r = insertBook(book, run, bytes, source, "fuzzed", prompt, dayFirstLocale(),
                                      hostile::answerAsWritten(book.DateStyle, dayFirstLocale()));
    if (book.EntryIds.size() != book.EntryLines.size()) return "references and lines differ";
    if (book.AccountNames.size() != book.AccountNumbers.size())
        return "account arrays differ in length";
    if (!r.ok()) {
        if (book.EntryLines.size() != before.EntryLines.size() ||
            book.AccountNames != before.AccountNames || run.BookChanged)
            return "a refused insert changed the book";
        if (r.status == InsertResult::Stopped && r.message.empty())
            return "an insert stopped without a message";
        return "";
    }
    if (book.EntryLines.size() != before.EntryLines.size() + std::size_t(r.linesAppended))
        return "the lines appended are not the lines counted";
    return "";
}

} // namespace form_checks
