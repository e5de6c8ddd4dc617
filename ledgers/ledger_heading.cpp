#include "ledgers/ledger_heading.h"

#include "book/account_number_text.h"
#include "book/tmain.h"
#include "platform/drawing_surface.h"

LedgerHeading ledgerHeading(const Book& book, const std::string& account, const std::string& folio,
                            double fromDate, double toDate, const LocaleInfo& locale) {
    return {account, folio, Tmain::FormatDateStyle(fromDate, book.DateStyle, locale),
            Tmain::FormatDateStyle(toDate, book.DateStyle, locale)};
}

std::vector<std::string> addressLines(const Book& book, const std::string& folio,
                                      const std::string& decimalMark) {
    const auto number = readAccountNumber(folio, decimalMark);
    if (!number) return {};
    const auto slot = Tmain::AccountSlotByNumber(book, *number);
    if (!slot || static_cast<std::size_t>(*slot) >= book.AccountNote2.size()) return {};
    const std::string& note = book.AccountNote2[static_cast<std::size_t>(*slot)];
    if (note.empty()) return {};
    return splitTextLines(note);
}
