// Generated hostile books, for any test that wants books at the edges of what
// the program can hold: classes 0 to 255, charts of 14 and of 32,768 slots,
// account numbers and amounts at both ends of the money range, an entry of
// 2,001 lines, a last entry without its closing note, NULs, commas, line ends
// and invalid UTF-8 in names, notes and references, odd sides, odd date styles.
//
// A generated book is what a damaged or foreign book file may hold; the book
// the program holds is what its book-file reader makes of it (heldBook). The
// round trip checks what each form gives back of a held book against the
// forms' own rules, written out here independently of the writers.
#pragma once

#include "book/book.h"
#include "book/text_form_dates.h"
#include "platform/locale.h"

#include <cstdint>
#include <optional>
#include <string>

namespace hostile {

// The n-th generated book: the same for the same n. About one book in
// twenty has a chart of 32,768 slots and one in ten a 2,001-line entry.
Book generatedBook(std::uint32_t n);

// The book as the program holds it: `generated` written as a book file and
// read back. "" in `fault` when the reading went well and kept the trial
// balance.
Book heldBook(const Book& generated, std::string& fault);

enum class Form { BookFile, Text, Csv };
const char* formName(Form form);

// Whether the form refuses to write the book: the text forms take at most 30
// lines on each side of an entry.
bool formRefuses(const Book& held, Form form);

// What opening the book written in `form` gives, by the forms' rules: the
// book file keeps everything; the text forms keep the chart and the journal
// (and the .txt the business name) with their clean-ups, and the rest of
// the open book `held` stays.
Book expectedReadBack(const Book& held, Form form);

// The first field in which two books differ, named ("" when none does).
std::string firstDifference(const Book& read, const Book& expected);

// The trial balance of the whole journal, whatever the dates: each account
// number's debits less credits, a line on any side but 1 (debit) counting as
// a credit, as the trial balance counts it. One "number: balance" line per
// account, in number order; accounts that come to 0 are left out.
std::string trialBalanceText(const Book& book);

// The income statement of all dates, sub-accounts folded then apart: the net
// profit ("refused" and why when there is none), then the revenue, cost and
// expense rows as "number=amount".
std::string incomeStatementText(const Book& book);

// The answer of a user who knows a text form was written in `dateStyle`
// under `locale` to the question which order its dates are in.
inline textforms::DateOrderQuestion answerAsWritten(int dateStyle, const LocaleInfo& locale) {
    return [yes = "Yes reads every date " + textforms::dateOrderName(dateStyle, locale) +
                  ","](const std::string& question) {
        return question.find(yes) != std::string::npos ? MessageAnswer::Yes : MessageAnswer::No;
    };
}

// Writes `held` in `form` (as Save As does, the refusal first) and reads it
// back (as Open does, into `held` as the open book, but for its date style,
// 0 as in a new book; the question on the dates' order answered as written). nullopt when the form
// refuses the book, with `fault` saying so unless formRefuses expects it.
std::optional<Book> readBack(const Book& held, Form form, const LocaleInfo& locale,
                             std::string& fault);

// readBack, then the trial balance and the income statement compared with
// held's and every field with expectedReadBack; "" when all is as the form's rules say, else what
// went wrong.
std::string roundTripFault(const Book& held, Form form, const LocaleInfo& locale);

} // namespace hostile
