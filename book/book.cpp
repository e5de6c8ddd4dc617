#include "book/book.h"

#include "book/day_of_date.h"

#include <algorithm>
#include <cmath>

void Book::resizeAccounts(int lastAccount) {
    std::size_t slots = static_cast<std::size_t>(std::max(lastAccount, MinAccountSlots - 1) + 1);
    LastAccount = static_cast<std::int16_t>(lastAccount);
    AccountNames.resize(slots);
    AccountNumbers.resize(slots);
    AccountTypes.resize(slots);
    AccountNote.resize(slots);
    AccountNote2.resize(slots);
    AccountExtra.resize(slots);
}

std::string EntrySideCount::tooManyText(const std::string& form) const {
    // A line on neither side is not among the lines the user sees, yet it
    // takes a credit line's place in the text forms: the count says so.
    const std::string unseen = sideless == 0 ? ""
                                             : " (" + std::to_string(sideless) +
                                                   " of them on neither side, counted as " +
                                                   (sideless == 1 ? "a credit)" : "credits)");
    return std::to_string(debits) + " debit and " + std::to_string(credits) + " credit lines" +
           unseen + ", and a book in " + form + " holds at most " +
           std::to_string(MaxLinesPerSide) + " lines on each side of an entry";
}

std::vector<EntryLine> blankEntryPair() {
    std::vector<EntryLine> pair(2);
    pair[0].Side = Debit;
    pair[1].Side = Credit;
    pair[1].Details = "_";
    return pair;
}

void resetEntryGroups(Book& book) {
    for (int g = 0; g < GroupTotal; ++g) {
        book.EntryGroups[g] = blankEntryPair();
        book.GroupNames[g] = "Group " + std::to_string(g + 1);
    }
    book.GroupCount = 1;
    book.RecurringLines = blankEntryPair();
}

std::string NewStart(Book& book, double today) {
    book.EntryLines.assign(2, EntryLine{});
    book.EntryIds.assign(2, EntryId{});
    // On a journal of two blank lines the next reference is always "1".
    const std::string reference = "1";
    double day = dayOfDate(today);
    book.EntryIds[0] = reference;
    book.EntryLines[0].Date = day;
    book.EntryLines[0].Side = Debit;
    book.EntryLines[0].Details = "";
    book.EntryIds[1] = reference;
    book.EntryLines[1].Date = day;
    book.EntryLines[1].Side = Credit;
    book.EntryLines[1].Details = "_";
    return reference;
}

void fillEntryAccountList(Book& book, bool emptySlotsToo) {
    book.EntryAccountList.clear();
    book.EntryAccountList.reserve(book.AccountNames.size());
    for (const std::string& name : book.AccountNames)
        if (emptySlotsToo || name.find_first_not_of(' ') != std::string::npos)
            book.EntryAccountList.emplace_back(name);
}

Book makeEmptyBook(const std::string& balanceName, double today, std::int16_t fontCharset) {
    Book book;
    book.resizeAccounts(MinAccountSlots - 1);
    book.AccountNames[0] = balanceName + " b/f";
    book.AccountNumbers[0] = Currency::fromUnits(1);
    book.AccountTypes[0] = Other;
    resetEntryGroups(book);
    book.FontCharset = fontCharset;
    fillEntryAccountList(book);
    NewStart(book, today);
    return book;
}
