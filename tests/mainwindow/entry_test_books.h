// Small hand-made books and a desk of the entry line's editing classes over
// one of them, with fake platform services (today is 9 December 2025).
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "book/tmain.h"
#include "mainwindow/compound_entry.h"
#include "mainwindow/entry_clipboard.h"
#include "mainwindow/entry_commands.h"
#include "mainwindow/entry_editor.h"
#include "mainwindow/entry_model.h"
#include "platform/fake/fake_services.h"

#include <string>
#include <utility>
#include <vector>

namespace entry_books {

constexpr double Today = 46000; // 9 December 2025
constexpr double AnyDay = 45000;

inline Currency money(std::int64_t units) {
    return Currency::fromUnits(units);
}
inline Currency cents(std::int64_t hundredths) {
    return Currency::fromRaw(hundredths * 100);
}

// Accounts: 100 Cash, 100.1 Petty cash, 110 Bank, 400 Sales, 600 Rent.
inline Book chartOnly() {
    Book b = makeEmptyBook("Balance", AnyDay);
    const std::vector<std::pair<std::string, Currency>> accounts = {
        {"Cash", money(100)},
        {"Petty cash", Currency::fromRaw(1001000)},
        {"Bank", money(110)},
        {"Sales", money(400)},
        {"Rent", money(600)}};
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        b.AccountNames[i + 1] = accounts[i].first;
        b.AccountNumbers[i + 1] = accounts[i].second;
    }
    fillEntryAccountList(b); // as the chart window leaves it
    b.EntryLines.clear();
    b.EntryIds.clear();
    return b;
}

inline void addLine(Book& b, std::uint8_t side, Currency account, Currency amount,
                    const std::string& note, const std::string& ref, double date = AnyDay) {
    EntryLine l;
    l.Date = date;
    l.Side = side;
    l.AccountNumber = account;
    l.Amount = amount;
    l.Details = note;
    b.EntryLines.push_back(l);
    b.EntryIds.push_back(EntryId(ref));
}

// The same with the account number and the amount in whole units.
inline void addLine(Book& b, std::uint8_t side, int account, std::int64_t amount,
                    const std::string& note, const std::string& ref, double date = AnyDay) {
    addLine(b, side, money(account), money(amount), note, ref, date);
}

// Accounts 100 Cash, 110 Bank, 400 Sales, 600 Rent in slots 1 to 4; the
// journal emptied.
inline void fourAccounts(Book& b) {
    const char* names[] = {"Cash", "Bank", "Sales", "Rent"};
    const int numbers[] = {100, 110, 400, 600};
    for (int i = 0; i < 4; ++i) {
        b.AccountNames[i + 1] = names[i];
        b.AccountNumbers[i + 1] = money(numbers[i]);
    }
    fillEntryAccountList(b); // as the chart window leaves it
    b.EntryLines.clear();
    b.EntryIds.clear();
}

// Three two-line entries, references 39, 40, 41, dated on three days:
// lines 0-1 (Cash 10 / Sales 10), 2-3 (Rent 20 / Bank 20), 4-5 (Cash 30 / Sales 30).
inline void addThreeEntries(Book& b) {
    addLine(b, Debit, 100, 10, "", "39", AnyDay);
    addLine(b, Credit, 400, 10, "First", "39", AnyDay);
    addLine(b, Debit, 600, 20, "", "40", AnyDay + 1);
    addLine(b, Credit, 110, 20, "Second", "40", AnyDay + 1);
    addLine(b, Debit, 100, 30, "", "41", AnyDay + 2);
    addLine(b, Credit, 400, 30, "Third", "41", AnyDay + 2);
}
inline Book threeEntries() {
    Book b = chartOnly();
    addThreeEntries(b);
    return b;
}

// Five entries: a compound of five debits and one credit (lines 0-5), one
// written credit first on the next day (6-7), one with a never-filled line
// between its sides (8-10), and two plain pairs (11-12, 13-14).
inline void addFiveEntries(Book& b) {
    for (int i = 0; i < 5; ++i)
        addLine(b, Debit, 600, 10 + i, "", "1");
    addLine(b, Credit, 100, 60, "Rent split", "1");
    addLine(b, Credit, 400, 25, "", "2", AnyDay + 1);
    addLine(b, Debit, 110, 25, "Credit first", "2", AnyDay + 1);
    addLine(b, Debit, 100, 7, "", "3");
    addLine(b, Unfilled, 0, 0, "", "3");
    addLine(b, Credit, 400, 7, "With a blank line", "3");
    addLine(b, Debit, 100, 1, "", "4");
    addLine(b, Credit, 400, 1, "_", "4");
    addLine(b, Debit, 110, 2, "", "5");
    addLine(b, Credit, 400, 2, "Last", "5");
}
inline Book fiveEntries() {
    Book b = makeEmptyBook("Balance", AnyDay);
    fourAccounts(b);
    addFiveEntries(b);
    return b;
}

// The editing classes over one book, the shown entry being the one holding
// `showLine` (the last entry by default).
struct Desk {
    explicit Desk(Book b, const LocaleInfo& locale = dayFirstLocale())
        : fakes(locale), book(std::move(b)), model(book, run, locale), editor(book, run, model),
          compound(book, run, model), commands(book, run, model), clipboard(book, run, model) {
        run.DecimalSeparator = decimalMarkOf(locale); // as the program starts
        model.showEntryHolding(book.LastEntryLine());
    }
    void show(std::int32_t line) { model.showEntryHolding(line); }
    EntryLine& line(std::int32_t i) { return book.EntryLines[i]; }
    std::string ref(std::int32_t i) const { return book.EntryIds[i].raw(); }
    // Lines from `from` on as "D 100 250 'note' #42": side, account, amount,
    // the note when there is one, the reference.
    std::vector<std::string> lines(std::int32_t from = 0) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < book.EntryLines.size(); ++i) {
            const EntryLine& l = book.EntryLines[i];
            std::string s = l.Side == Debit ? "D " : l.Side == Credit ? "C " : "- ";
            s += l.AccountNumber.toPlainString() + " " + l.Amount.toPlainString();
            if (!l.Details.empty()) s += " '" + l.Details + "'";
            out.push_back(s + " #" + book.EntryIds[i].shown());
        }
        return out;
    }
    std::vector<double> dates(std::int32_t from = 0) const {
        std::vector<double> out;
        for (std::size_t i = from; i < book.EntryLines.size(); ++i)
            out.push_back(book.EntryLines[i].Date);
        return out;
    }

    ScopedFakeServices fakes;
    Book book;
    RunTimeState run;
    EntryModel model;
    EntryEditor editor;
    CompoundEntryEditor compound;
    EntryCommands commands;
    EntryClipboard clipboard;
};

} // namespace entry_books
