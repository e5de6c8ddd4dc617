// The book: chart of accounts, journal, entry groups and the settings saved
// with them in the book file. One Book is open at a time; readers build a
// separate Book and the caller swaps it in only when the whole file was read.
#pragma once

#include "book/currency.h"
#include "book/fixed_text.h"
#include "book/variant_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Account classes (AccountTypes values).
enum AccountType : std::uint8_t {
    CurrentAsset = 0,
    CurrentLiability = 1,
    NonCurrentAsset = 2,
    NonCurrentLiability = 3,
    CostOfGoodsSold = 4,
    Revenue = 5,
    Expense = 6,
    CapitalEquity = 7,
    Other = 8,
};

enum Side : std::uint8_t { Unfilled = 0, Debit = 1, Credit = 2 };

// A line of the journal; entry groups keep their lines in the same form.
struct EntryLine {
    double Date = 0;        // day number from 30 December 1899
    std::uint8_t Side = 0;  // 1 debit, 2 credit, 0 never filled
    Currency AccountNumber; // an AccountNumbers value, 0 = none chosen
    Currency Amount;
    std::string Details; // the note, on the entry's last line only ("_" = empty note)
    std::uint8_t Reconciled = 0;

    friend bool operator==(const EntryLine&, const EntryLine&) = default;
};

// The side a line counts on: side 1 is a debit, and any other side byte a
// credit, as the trial balance and the statements count it.
constexpr Side countedSide(std::uint8_t side) {
    return side == Debit ? Debit : Credit;
}

// A line never filled: side 0 and no amount. It adds to no figure, and every
// form keeps it as it is.
inline bool neverFilled(const EntryLine& line) {
    return line.Side == Unfilled && line.Amount.isZero();
}

// The side of a line read from a book file: the side it counts on, but 0 for
// a line never filled. So a side byte that a damaged or foreign file holds
// (0 or 3 to 255) under an amount makes a credit, where the trial balance
// counts it, and every form and report shows the trial balance's figures.
inline std::uint8_t sideAsRead(const EntryLine& line) {
    return neverFilled(line) ? Unfilled : countedSide(line.Side);
}

// An entry ends at the line whose note holds more than spaces.
inline bool closesEntry(const std::string& details) {
    return details.find_first_not_of(' ') != std::string::npos;
}

// A note as the entry's last line keeps it: as typed, or "_" when it holds
// only blanks, so that the line still closes the entry.
inline std::string storedNote(const std::string& text) {
    return closesEntry(text) ? text : std::string("_");
}

constexpr int MinAccountSlots = 14;    // slots 0..13 always exist
constexpr int MaxAccountIndex = 32000; // inserts stop beyond this
constexpr int GroupTotal = 10;
constexpr int MaxLinesPerSide = 30;

// The lines of one entry on each side, by countedSide: the one count behind
// the limit of MaxLinesPerSide that the text forms' writers and readers and
// the entry pastes keep. Start again ({}) with each entry.
struct EntrySideCount {
    int debits = 0, credits = 0;
    int sideless = 0; // of the credits, the lines on neither side (the entry line shows none)
    // Counts a line; false once a side holds more than MaxLinesPerSide lines.
    bool add(std::uint8_t side) {
        ++(countedSide(side) == Debit ? debits : credits);
        if (side != Debit && side != Credit) ++sideless;
        return debits <= MaxLinesPerSide && credits <= MaxLinesPerSide;
    }
    // Whether the side a line of `side` counts on has room for it.
    bool roomFor(std::uint8_t side) const {
        return (countedSide(side) == Debit ? debits : credits) < MaxLinesPerSide;
    }
    // What a refusal says of an entry of these lines: "1 debit and 31 credit
    // lines (1 of them on neither side, counted as a credit), and a book in
    // this form holds at most 30 lines on each side of an entry", the form
    // named by `form` ("this form"); the part in brackets only when it applies.
    std::string tooManyText(const std::string& form) const;
};

struct Book {
    // The account table is six parallel arrays, slots 0..LastAccount. They hold
    // max(LastAccount, 13) + 1 slots: the table never has fewer than 14.
    std::int16_t LastAccount = 13;
    std::vector<std::string> AccountNames;
    std::vector<Currency> AccountNumbers;
    std::vector<std::uint8_t> AccountTypes;
    std::vector<std::string> AccountNote;
    std::vector<std::string> AccountNote2;
    std::vector<std::string> AccountExtra;

    // Journal: EntryLines and EntryIds are parallel, indices 0..LastEntryLine().
    std::vector<EntryLine> EntryLines;
    std::vector<EntryId> EntryIds;

    // Entry groups.
    std::array<std::vector<EntryLine>, GroupTotal> EntryGroups;
    std::array<GroupName, GroupTotal> GroupNames;
    std::int32_t GroupCount = 1;
    std::vector<EntryLine> RecurringLines; // working copy of the group being edited or posted
    std::int16_t EditedGroup = 0;

    // Settings stored in the book file.
    VariantText BusinessName;
    VariantText BusinessAddress;
    VariantText FilePassword;
    VariantText AdminPassword;
    std::int16_t AutoIncrement = 1;
    VariantText FontName;
    std::int16_t FontCharset = 0;
    std::int16_t SubAccountDash = 0; // 16-bit flag: -1 true, 0 false
    std::int16_t DecimalsJournal = 2;
    std::int16_t DecimalsLedger = 2;
    std::int16_t DecimalsTrialBalance = 0;
    std::int16_t DecimalsIncome = 0;
    std::int16_t DecimalsBalanceSheet = 0;
    std::int16_t DateStyle = 0;
    std::int16_t ReservedInteger = 0;
    std::int32_t ReservedLong = 0;

    // Stored in the file although the window shows them: the account list of
    // the entry line's account boxes, and the main window's caption.
    std::vector<VariantText> EntryAccountList;
    std::string Caption;

    // --- journal helpers ---
    std::int32_t LastEntryLine() const { return static_cast<std::int32_t>(EntryLines.size()) - 1; }
    void resizeJournal(std::size_t lines) {
        EntryLines.resize(lines);
        EntryIds.resize(lines);
    }

    // --- account table helpers ---
    std::size_t accountSlots() const { return AccountNames.size(); }
    // Slots 0..LastAccount, as far as the arrays reach.
    int slotsInUse() const {
        return std::min<int>(LastAccount + 1, static_cast<int>(accountSlots()));
    }
    // Sizes the six arrays to max(lastAccount, 13) + 1 slots, keeping contents.
    void resizeAccounts(int lastAccount);
    bool slotIsEmpty(int i) const { return AccountNames[i].empty() && AccountNumbers[i].isZero(); }

    // Decimal settings clamped to 0..3 on use (a damaged file may hold others).
    static int clampDecimals(int d) { return d < 0 || d > 3 ? 2 : d; }
    bool subAccountDash() const { return SubAccountDash != 0; }
    bool autoIncrementOn() const { return AutoIncrement == 1; }
};

// The book at start-up before any file: an account table of 14 slots with the
// opening-balance account in slot 0, ten default groups, new-book settings and
// the empty journal of NewStart. `balanceName` is the string-table word for
// "Balance"; the account is named that word followed by " b/f".
// The entry line's account list made anew from the chart: the name of every
// slot that has one, in order (the list the chart window leaves), or of every
// slot (the list a text form leaves).
void fillEntryAccountList(Book& book, bool emptySlotsToo = false);

Book makeEmptyBook(const std::string& balanceName, double today, std::int16_t fontCharset = 0);

// Replaces the journal by the empty one: two lines dated `today` (whole day),
// a debit with an empty note and a credit with "_", both with the reference
// "1". Nothing else changes. Returns the reference given.
std::string NewStart(Book& book, double today);

// The ten default entry groups ("Group 1".."Group 10", each a blank debit and
// credit pair) and RecurringLines holding the same pair.
void resetEntryGroups(Book& book);
std::vector<EntryLine> blankEntryPair();
