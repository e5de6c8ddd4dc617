#include "mainwindow/type_ahead.h"

#include <gtest/gtest.h>

TEST(TypeAhead, WantedTextDropsTheSelectionAndWhatFollows) {
    EXPECT_EQ(typeAheadWanted("Ca", 2, 0, "s"), "Cas");
    EXPECT_EQ(typeAheadWanted("Cash at bank", 2, 10, "s"), "Cas");
    EXPECT_EQ(typeAheadWanted("Cash at bank", 0, 12, "B"), "B");
    // Positions count characters, not bytes.
    EXPECT_EQ(typeAheadWanted("\xC3\x89quipement", 1, 9, "q"), "\xC3\x89q");
}

TEST(TypeAhead, MatchesTheFirstItemWithoutRegardToCase) {
    std::vector<std::string> items = {"Bank", "Cash", "cash float", "\xC3\x89quipement",
                                      "\xD0\x9A\xD0\xB0\xD1\x81\xD1\x81\xD0\xB0"};
    EXPECT_EQ(typeAheadMatch(items, "c"), 1);
    EXPECT_EQ(typeAheadMatch(items, "CASH F"), 2);
    EXPECT_EQ(typeAheadMatch(items, "\xC3\xA9q"), 3);        // é matches É
    EXPECT_EQ(typeAheadMatch(items, "\xD0\xBA\xD0\x90"), 4); // кА matches Ка
    EXPECT_EQ(typeAheadMatch(items, "x"), -1);
    EXPECT_EQ(typeAheadMatch(items, "Bank account"), -1);
    EXPECT_EQ(typeAheadMatch({}, "a"), -1);

    // The book's folding in every script: final sigma, capitals with tonos,
    // Romanian comma below, Vietnamese, Armenian.
    const std::vector<std::string> scripts = {"Λογαριασμός", "Όροι", "Școala", "Việt", "Հաշիվ"};
    const struct {
        const char* wanted;
        int item;
    } typed[] = {{"λογαριας", 0}, {"ΛΟΓΑΡΙΑΣΜΌΣ", 0},   {"όρ", 1}, {"ȘCO", 2}, {"VIỆ", 3},
                 {"հԱՇ", 4},      {"Λογαριασμόσ x", -1}};
    for (const auto& t : typed)
        EXPECT_EQ(typeAheadMatch(scripts, t.wanted), t.item) << t.wanted;
}

TEST(TypeAhead, KeyResultSelectsTheCompletionOrKeepsTheBox) {
    std::vector<std::string> items = {"Bank", "Cash", "Sales"};
    TypeAheadResult r = typeAhead(items, "", 0, 0, 's', "s");
    EXPECT_TRUE(r.matched);
    EXPECT_EQ(r.text, "Sales");
    EXPECT_EQ(r.selectionStart, 1);
    EXPECT_EQ(r.selectionLength, 4);
    // Typing on over the highlighted completion narrows it.
    r = typeAhead(items, "Sales", 1, 4, 'a', "a");
    EXPECT_EQ(r.text, "Sales");
    EXPECT_EQ(r.selectionStart, 2);
    // No match: text and selection stay, the key is still swallowed.
    TypeAheadResult none = typeAhead(items, "Sa", 2, 0, 'z', "z");
    EXPECT_FALSE(none.matched);
    EXPECT_FALSE(none.passThrough);
    EXPECT_EQ(none.text, "Sa");
    EXPECT_EQ(none.selectionStart, 2);
    // Backspace and Enter pass to the box untouched.
    EXPECT_TRUE(typeAhead(items, "Sa", 2, 0, 8, "").passThrough);
    EXPECT_TRUE(typeAhead(items, "Sa", 2, 0, 13, "\r").passThrough);
    // A full match leaves nothing selected.
    r = typeAhead(items, "Ban", 3, 0, 'k', "k");
    EXPECT_EQ(r.selectionStart, 4);
    EXPECT_EQ(r.selectionLength, 0);
}
