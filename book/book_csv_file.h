// The book as comma-separated text (.csv): every slot of the chart of
// accounts, then the journal. It holds neither the settings, the business
// name, the account notes, the entry groups nor the reconciled marks; commas
// are dropped from names, references and notes.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "book/book_text_forms.h"
#include "book/runtime_state.h"
#include "platform/locale.h"

#include <filesystem>
#include <string>
#include <string_view>

extern const char* const BookCsvAccountHeader; // "Folio,Account,Type"
extern const char* const BookCsvJournalHeader; // "Date,ID,AccNumber,Account,Debit,Credit,Details"

// The whole file, lines ended by CR LF, "." as the decimal mark whatever the
// locale, dates in the book's date style. Writing the file refuses, before
// anything is written, a book the reader would not take back (refusalFor).
std::string formatBookCsv(const Book& book, const LocaleInfo& locale, RunTimeState* run);
// The same handed to `to` as it is made.
void formatBookCsv(ByteWriter& to, const Book& book, const LocaleInfo& locale, RunTimeState* run);
BookWriteResult writeBookCsvFile(const std::filesystem::path& path, const Book& book,
                                 const LocaleInfo& locale, RunTimeState* run);

// Opening a .csv book replaces the chart and the journal; inserting one
// appends (insert_book.h), with its own messages, ignoring fields beyond the
// third on account lines and keeping an empty journal empty.
enum class CsvUse { Open, Insert };

// Reads a .csv book into a separate Book (see TextFormReadResult). Dates are
// read in the order that reads them all, `askDates` asked when several give
// different days (text_form_dates.h); the character set of `open` decodes
// text that is not UTF-8. `sourceName` names the file in the header message.
// Reading ends at the first malformed line.
TextFormReadResult parseBookCsv(std::string_view bytes, const Book& open, const LocaleInfo& locale,
                                double today, RunTimeState* run, const std::string& sourceName,
                                CsvUse use = CsvUse::Open,
                                const textforms::DateOrderQuestion& askDates = {});
TextFormReadResult readBookCsvFile(const std::filesystem::path& path, const Book& open,
                                   const LocaleInfo& locale, double today, RunTimeState* run,
                                   const textforms::DateOrderQuestion& askDates = {});

// The reader open_book.h takes for this form: asks for the open book's
// administrator password when one is set (PasswordRefused otherwise), then
// reads with the installed locale and clock.
BookReadResult readBookCsvForOpening(const std::filesystem::path& path, const Book& open,
                                     const PasswordPrompt& askAdminPassword, RunTimeState* run,
                                     const textforms::DateOrderQuestion& askDates = {});
