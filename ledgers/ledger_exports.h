// The general journal's spreadsheet and the running balance's exports
// (comma-separated text, spreadsheet, web page) and mail. Every file goes
// through the safe writer: a failure leaves the old file as it was and no
// partial file. Failures and notices are shown to the user through the
// platform's message box; the result tells the caller what happened.
#pragma once

#include "book/book.h"
#include "book/byte_writer.h"
#include "ledgers/journal_list.h"
#include "ledgers/ledger_heading.h"
#include "ledgers/running_balance.h"
#include "platform/locale.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

struct LedgerExportResult {
    bool ok = false;
    std::string message;          // the failure shown ("" on success)
    std::string notice;           // shown when not everything fitted in the file
    std::int32_t rowsWritten = 0; // journal lines or ledger rows in the file
    std::int32_t rowsListed = 0;  // journal lines or ledger rows the window holds
};

// The listed journal lines in the journal's layout: title, one row per line
// (debit names flush left, credit names indented); each entry is followed by a
// row holding its note and reference, then an empty row. Whole entries up to
// the sheet's 16,384 rows; the notice says how many lines were written when not
// all fit, and how many texts were cut to the 255 characters a cell holds.
LedgerExportResult exportJournalSheet(const Book& book, const JournalList& list,
                                      const std::filesystem::path& path, const LocaleInfo& locale);

// The running balance as comma-separated text (RFC 4180 quoting, CR LF),
// written as it is made, or whole.
void writeRunningBalanceCsv(ByteWriter& out, const Book& book, const RunningBalanceLedger& ledger,
                            const LedgerHeading& heading, const LocaleInfo& locale);
std::string runningBalanceCsv(const Book& book, const RunningBalanceLedger& ledger,
                              const LedgerHeading& heading, const LocaleInfo& locale);
// The running balance's web page in letter layout, every text HTML-escaped;
// `today` is the date of issue. The address block is empty when no account
// has the folio number. Written as it is made, or whole.
void writeRunningBalanceWebPage(ByteWriter& out, const Book& book,
                                const RunningBalanceLedger& ledger, const LedgerHeading& heading,
                                const LocaleInfo& locale, double today);
std::string runningBalanceWebPage(const Book& book, const RunningBalanceLedger& ledger,
                                  const LedgerHeading& heading, const LocaleInfo& locale,
                                  double today);
// The mail's subject: business name, account and period.
std::string runningBalanceSubject(const Book& book, const LedgerHeading& heading);

// Writes the running balance as `type` ("csv", "htm", anything else the
// spreadsheet) to `path`. A heading without an account (nothing built yet)
// writes nothing and shows a message.
LedgerExportResult exportRunningBalance(const Book& book, const RunningBalanceLedger& ledger,
                                        const LedgerHeading& heading,
                                        const std::filesystem::path& path, const std::string& type,
                                        const LocaleInfo& locale, double today);

// The page as the unsent message "AccountLedger<n>.eml", opened with the mail
// program; `caption` is the main window's caption. Nothing built yet: a
// message and no draft. Returns the draft's path when one was written.
std::optional<std::filesystem::path> mailRunningBalance(const Book& book,
                                                        const RunningBalanceLedger& ledger,
                                                        const LedgerHeading& heading,
                                                        const LocaleInfo& locale, double today,
                                                        const std::string& caption);
