// The general journal's list builder on the shared small book.
#include "ledgers/journal_list.h"

#include "book/entry_index.h"
#include "ledger_book.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

using namespace ledgerbook;
using Lines = std::vector<std::int32_t>;

// The first lines of the listed entries, after checking that every listed
// entry is whole and listed once.
Lines entryStarts(const Book& book, const JournalList& list) {
    const EntryIndex entries(book);
    Lines starts;
    for (std::size_t i = 0; i < list.ShownLines.size(); ++i) {
        const std::int32_t line = list.ShownLines[i];
        const bool first = entries.first(line) == line;
        if (first) starts.push_back(line);
        // Each entry whole: a new one only after the last line of the one before.
        const std::int32_t before = i == 0 ? -1 : list.ShownLines[i - 1];
        EXPECT_TRUE(first ? i == 0 || (before < line && entries.last(before) == before)
                          : line == before + 1);
        if (i + 1 == list.ShownLines.size()) {
            EXPECT_EQ(entries.last(line), line);
        }
    }
    EXPECT_EQ(list.EntryCount, static_cast<std::int32_t>(starts.size()));
    return starts;
}

struct Case {
    const char* name;
    JournalMode mode;
    const char* account; // "0": ALL
    const char* search;
    double from, to;
    bool reconcile;
    Lines starts;
};

TEST(JournalList, ModesAccountsAndPeriods) {
    const Book book = ledgerbook::book();
    const double f1 = feb(1), f28 = feb(28);
    const Lines everyEntry = {0, 4, 6, 9, 12, 14, 16, 20, 22, 26, 28};
    using M = JournalMode;
    // clang-format off
    const std::vector<Case> cases = {
        {"cash and its sub-accounts", M::Account, Cash, "", f1, f28, false,
         {0, 4, 6, 9, 12, 14, 16, 22, 26, 28}},
        {"inclusive bounds", M::Account, Cash, "", feb(2), feb(3), false, {0, 4}},
        {"a sub-account", M::Account, Till, "", f1, f28, false, {0, 14}},
        {"reconciliation", M::Account, Till, "", f1, f28, true, {0}},
        {"all accounts", M::Account, "0", "", f1, f28, false, everyEntry},
        {"notes, any case", M::NoteSearch, "0", "SALE", f1, f28, false, {6, 14}},
        {"notes touching an account", M::NoteSearch, Wages, "sale", f1, f28, false, {6}},
        {"notes, reconciled listed too", M::NoteSearch, "0", "sale", f1, f28, true, {6, 14}},
        {"empty text lists all", M::NoteSearch, "0", "", f1, f28, false, everyEntry},
        {"entries without a note", M::NoteSearch, "0", "_", f1, f28, false, {20, 28}},
        {"references padded to 14", M::ReferenceSearch, "0", "4 ", f1, f28, false, {6, 28}},
        {"references", M::ReferenceSearch, "0", "1", f1, f28, false, {20, 22, 26, 28}},
        {"unbalanced", M::Unbalanced, "0", "", f1, f28, false, {16, 22}},
        {"unbalanced of an account", M::Unbalanced, Loan, "", f1, f28, false, {}},
        {"unbalanced, later period", M::Unbalanced, "0", "", feb(15), f28, false, {}},
        {"unknown search", M::NoMatch, "0", "", f1, f28, false, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JournalOptions options;
        options.mode = c.mode;
        options.account = money(c.account);
        options.searchText = c.search;
        options.fromDate = c.from;
        options.toDate = c.to;
        options.reconcileMode = c.reconcile;
        const JournalList list = buildJournalList(book, options);
        EXPECT_EQ(entryStarts(book, list), c.starts);
        EXPECT_EQ(list.AllAccounts, std::string(c.account) == "0");
        EXPECT_EQ(list.Folio, list.AllAccounts ? "" : c.account);
        EXPECT_EQ(list.FromDate, c.from);
        // The same entries with the dates given the wrong way round.
        std::swap(options.fromDate, options.toDate);
        EXPECT_EQ(buildJournalList(book, options).ShownLines, list.ShownLines);
    }
    EXPECT_EQ(journalModeFor(0, 2), JournalMode::Account);
    EXPECT_EQ(journalModeFor(1, 0), JournalMode::NoteSearch);
    EXPECT_EQ(journalModeFor(1, 1), JournalMode::ReferenceSearch);
    EXPECT_EQ(journalModeFor(1, 2), JournalMode::Unbalanced);
    EXPECT_EQ(journalModeFor(1, 7), JournalMode::NoMatch);
}

// Entries longer than the main window's 100-line reach, and an open last
// entry: every line listed once, in order, and the entry index agrees.
TEST(JournalList, LongEntriesAreListedWholeAndOnce) {
    Book book = ledgerbook::book();
    const auto before = static_cast<std::int32_t>(book.EntryLines.size());
    for (int i = 0; i < 150; ++i)
        handmade::addLine(book, "40", feb(21), Debit, Rent, "1");
    for (int i = 0; i < 149; ++i)
        handmade::addLine(book, "40", feb(21), Credit, Cash, "1");
    handmade::addLine(book, "40", feb(21), Credit, Cash, "1", "Long");
    for (int i = 0; i < 120; ++i) // still open at the journal's end
        handmade::addLine(book, "41", feb(22), Debit, Wages, "1");

    const EntryIndex entries(book);
    EXPECT_EQ(entries.bounds(before + 5), (EntryBounds{before, before + 299}));
    EXPECT_EQ(entries.bounds(before + 299), (EntryBounds{before, before + 299}));
    EXPECT_EQ(entries.bounds(before + 300), (EntryBounds{before + 300, before + 419}));
    EXPECT_EQ(entries.bounds(29), (EntryBounds{28, 29}));
    EXPECT_EQ(findEntryBounds(book, 3), (EntryBounds{2, 3}));

    JournalOptions options;
    options.fromDate = feb(21);
    options.toDate = feb(22);
    const JournalList all = buildJournalList(book, options);
    Lines expected(420);
    std::iota(expected.begin(), expected.end(), before);
    EXPECT_EQ(all.ShownLines, expected);
    EXPECT_EQ(all.EntryCount, 2);

    options.mode = JournalMode::Unbalanced;
    EXPECT_EQ(entryStarts(book, buildJournalList(book, options)), Lines{before + 300});
}

// Notes and references are searched in any case over UTF-8 text; a search
// without letters compares bytes.
TEST(JournalList, SearchesInAnyCaseOverUtf8) {
    Book book = handmade::emptyBook();
    handmade::setAccount(book, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(book, 2, Sales, "Sales", Revenue);
    const struct {
        const char* reference;
        const char* note;
    } entries[] = {
        {"R1", "Café ÉTÉ"},          // line 0
        {"R2", "Касса Банк"},        // 2
        {"R3", "Λογαριασμός"},       // 4
        {"R4", "Price 12/5 € net"},  // 6
        {"R5", "Caf\xE9 old"},       // 8: a Windows-1252 byte, not UTF-8
        {"ÉX-7", "Œuvre Łódź Ÿves"}, // 10
        {"R7", "plain cafe"},        // 12
    };
    for (const auto& e : entries)
        handmade::addEntry(book, e.reference, feb(2), Cash, Sales, "1", e.note);
    using M = JournalMode;
    const struct {
        M mode;
        const char* text;
        Lines starts;
    } cases[] = {
        {M::NoteSearch, "café", {0}},
        {M::NoteSearch, "CAFÉ", {0}},
        {M::NoteSearch, "Café", {0}},
        {M::NoteSearch, "été", {0}},
        {M::NoteSearch, "CAF", {0, 8, 12}}, // the stray byte does not stop the rest
        {M::NoteSearch, "касса банк", {2}},
        {M::NoteSearch, "БАНК", {2}},
        {M::NoteSearch, "ΛΟΓΑΡΙΑΣΜΌΣ", {4}}, // the final sigma too
        {M::NoteSearch, "œUVRE łÓDŹ ÿVES", {10}},
        {M::NoteSearch, "12/5 €", {6}},
        {M::NoteSearch, "\xE9", {8}}, // no letters: byte for byte
        {M::NoteSearch, "É", {0}},
        {M::ReferenceSearch, "éx", {10}},
        {M::ReferenceSearch, "R1 ", {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        JournalOptions options;
        options.mode = c.mode;
        options.searchText = c.text;
        options.fromDate = feb(1);
        options.toDate = feb(28);
        EXPECT_EQ(entryStarts(book, buildJournalList(book, options)), c.starts);
    }
}

} // namespace
