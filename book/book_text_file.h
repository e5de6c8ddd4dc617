// The book as sectioned text (.txt): header, business name, the class list,
// the accounts in table order and the journal, sections parted by rules of 80
// "-". It holds neither the settings (but the business name), the account
// notes, the entry groups nor the reconciled marks.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "book/book_text_forms.h"
#include "book/runtime_state.h"
#include "platform/locale.h"

#include <filesystem>
#include <string>
#include <string_view>

// The nine lines of the class list, in order.
extern const char* const BookTextClassList[9];
// The line heading the journal.
extern const char* const BookTextJournalHeader;

// The whole text, lines ended by CR LF. Dates in the book's date style, "."
// as the decimal mark whatever the locale. `run` (may be null) gets progress
// steps. Writing the file refuses, before anything is written, a book the
// reader would not take back (refusalFor).
std::string formatBookText(const Book& book, const LocaleInfo& locale, RunTimeState* run);
// The same handed to `to` as it is made.
void formatBookText(ByteWriter& to, const Book& book, const LocaleInfo& locale, RunTimeState* run);
BookWriteResult writeBookTextFile(const std::filesystem::path& path, const Book& book,
                                  const LocaleInfo& locale, RunTimeState* run);

// Reads a text book into a separate Book (see TextFormReadResult). Dates are
// read in the order that reads them all, `askDates` asked when several give
// different days (text_form_dates.h); the character set of `open` decodes
// text that is not UTF-8. A file without journal lines gives the journal of
// a new book, dated `today`. Reading ends at the first malformed line.
TextFormReadResult parseBookText(std::string_view bytes, const Book& open, const LocaleInfo& locale,
                                 double today, RunTimeState* run,
                                 const textforms::DateOrderQuestion& askDates = {});
TextFormReadResult readBookTextFile(const std::filesystem::path& path, const Book& open,
                                    const LocaleInfo& locale, double today, RunTimeState* run,
                                    const textforms::DateOrderQuestion& askDates = {});

// The reader open_book.h takes for this form: asks for the open book's
// administrator password when one is set (PasswordRefused otherwise), then
// reads with the installed locale and clock.
BookReadResult readBookTextForOpening(const std::filesystem::path& path, const Book& open,
                                      const PasswordPrompt& askAdminPassword, RunTimeState* run,
                                      const textforms::DateOrderQuestion& askDates = {});
