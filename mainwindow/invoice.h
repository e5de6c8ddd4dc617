// An invoice made from the entry on screen. It is either drawn on a drawing
// surface for printing (File > Print Invoice) or written as an HTML page for
// an unsent mail (the toolbar's mail button). Both carry the business
// heading, an addressee whose address is an account's second note, the
// entry's date and reference, the opposite side's lines and amounts with
// their total, and the entry's note.
#pragma once

#include "book/book.h"
#include "book/html_text.h"
#include "platform/drawing_surface.h"
#include "platform/locale.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct InvoiceLine {
    Currency number;        // the account's number
    std::string numberText; // as text, with the locale's decimal mark
    std::string name;       // the account's name ("" when no account has the number)
    Currency amount;
    std::string amountText;
};

struct Invoice {
    // Several debit lines: the last line's account is billed and the debits
    // are listed. Otherwise the first line's account is billed and the
    // credits are listed.
    Currency addressee;
    std::uint8_t listedSide = Credit;
    std::vector<std::string> addresseeLines; // the addressee's second note, line by line
    std::string title;                       // "Name   (number)"
    std::vector<InvoiceLine> lines;
    // Each listed amount rounded to DecimalsJournal as it shows, then added;
    // a total beyond the range of amounts is 0 and shows as "#####".
    Currency total;
    std::string totalText;
    std::string dateText;  // the first line's date in the locale's short date
    std::string reference; // all 14 characters of the first line's reference (NULs dropped)
    std::string note;      // the entry's note as the note box shows it
};

// The invoice of journal lines first..last (the entry shown). Amounts show
// DecimalsJournal decimals with the locale's grouping, without a 0 before
// the decimal mark, negative ones in parentheses. `note` is the note box's text.
Invoice buildInvoice(const Book& book, std::int32_t first, std::int32_t last,
                     const LocaleInfo& locale, const std::string& note);

// The business heading at the current position: an empty line, the business
// name in bold one point larger and the address lines, right-aligned 730
// twips from the right edge (a line too wide for the page goes on below, a
// line past the foot on the next page), then an empty line. The
// running-balance printout uses it too.
void PrintHeader(DrawingSurface& surface, const Book& book);

// The whole printed invoice, ending the document. The addressee starts
// level with the date, below the heading. Account numbers print
// right-aligned in a column that never starts left of the page's margin; an
// address line, account name, title, total or note too wide for its room
// goes on in lines below, and a line past the foot on the next page.
void PrintInvoice(DrawingSurface& surface, const Book& book, const Invoice& invoice);

// The mailed page, every inserted text HTML-escaped, and its subject: the
// business name, the addressee's account name and the reference.
std::string invoiceHtml(const Book& book, const Invoice& invoice);
std::string invoiceSubject(const Book& book, const Invoice& invoice);

// Writes the page as the unsent message "Invoice<n>.eml" and opens it; a
// failure is shown to the user. `caption` is the main window's caption.
std::optional<std::filesystem::path> EmailInvoice(const Book& book, const Invoice& invoice,
                                                  const std::string& caption);
