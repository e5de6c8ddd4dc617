#include "book/account_number_rule.h"
#include "book/safe_file.h"
#include "book/tmain.h"

#include "platform/fake/fake_services.h"
#include "resources/string_table.h"

#include <cerrno>
#include <clocale>
#include <gtest/gtest.h>
#include <ios>
#include <limits>

namespace {

Currency money(const char* text) {
    return *Currency::parse(text);
}

// Slot 0 "Balance b/f" (1), 3 "Cash" (100), 4 "Cash" (200), 5 "Bank" (100 again),
// 6 "Neg" (-5), 7 "Sales" (100.1); the other slots empty with number 0.
Book chartBook() {
    Book book = makeEmptyBook("Balance", 46000);
    auto put = [&](int slot, const char* name, const char* number) {
        book.AccountNames[slot] = name;
        book.AccountNumbers[slot] = money(number);
    };
    put(3, "Cash", "100");
    put(4, "Cash", "200");
    put(5, "Bank", "100");
    put(6, "Neg", "-5");
    put(7, "Sales", "100.1");
    return book;
}

// A journal whose lines carry the given references (nullptr = never assigned).
Book journalWith(std::initializer_list<const char*> references) {
    Book book = makeEmptyBook("Balance", 46000);
    book.resizeJournal(0);
    for (const char* r : references) {
        book.resizeJournal(book.EntryLines.size() + 1);
        if (r) book.EntryIds.back() = r;
    }
    return book;
}

} // namespace

TEST(AccountLookups, FirstMatchingSlotWinsAndZeroNeverMatches) {
    Book book = chartBook();
    EXPECT_EQ(Tmain::AccountNameByNumber(book, money("100")), "Cash"); // slot 3 before slot 5
    EXPECT_EQ(Tmain::AccountSlotByNumber(book, money("100")), 3);
    EXPECT_EQ(Tmain::AccountIndexByNumber(book, money("100")), "3");
    EXPECT_EQ(Tmain::AccountNumberByName(book, "Cash"), money("100")); // slot 3 before slot 4
    EXPECT_EQ(Tmain::AccountNameByNumber(book, money("100.1")), "Sales");
    EXPECT_EQ(Tmain::AccountNameByNumber(book, money("1")), "Balance b/f");

    // Empty slots hold number 0 and name "": neither is ever found.
    EXPECT_EQ(Tmain::AccountNameByNumber(book, Currency()), "");
    EXPECT_FALSE(Tmain::AccountSlotByNumber(book, Currency()));
    EXPECT_EQ(Tmain::AccountIndexByNumber(book, Currency()), "0");
    EXPECT_EQ(Tmain::AccountNumberByName(book, ""), Currency());
    // A negative number names its account like any other.
    EXPECT_EQ(Tmain::AccountNameByNumber(book, money("-5")), "Neg");
    EXPECT_EQ(Tmain::AccountSlotByNumber(book, money("-5")), 6);

    // Not found and slot 0 read alike as text, but not as a slot.
    EXPECT_EQ(Tmain::AccountIndexByNumber(book, money("1")), "0");
    EXPECT_EQ(Tmain::AccountSlotByNumber(book, money("1")), 0);
    EXPECT_EQ(Tmain::AccountIndexByNumber(book, money("999")), "0");
    EXPECT_FALSE(Tmain::AccountSlotByNumber(book, money("999")));
    EXPECT_EQ(Tmain::AccountNameByNumber(book, money("100.0001")), "");
    EXPECT_EQ(Tmain::AccountNumberByName(book, "cash"), Currency()); // case counts
    EXPECT_EQ(Tmain::AccountNumberByName(book, "Cash "), Currency());
}

TEST(AccountLookups, ScanStopsAtLastAccountButWidestNameSeesEveryName) {
    Book book = chartBook();
    book.resizeAccounts(20);
    book.AccountNames[20] = "A very long account name";
    book.AccountNumbers[20] = money("300");
    book.LastAccount = 15; // slots 16..20 lie beyond the table's end
    EXPECT_FALSE(Tmain::AccountSlotByNumber(book, money("300")));
    EXPECT_EQ(Tmain::AccountNumberByName(book, "A very long account name"), Currency());

    auto bytes = [](const std::string& s) { return static_cast<int>(s.size()); };
    EXPECT_EQ(Tmain::LongestAccountName(book, bytes), "A very long account name");

    Book even = makeEmptyBook("Balance", 46000); // "Balance b/f" is 11 wide
    even.AccountNames[2] = "Eleven wide";
    even.AccountNames[3] = "Twelve wide!";
    even.AccountNames[4] = "Twelve-wide!";
    EXPECT_EQ(Tmain::LongestAccountName(even, bytes), "Twelve wide!"); // first of equals
    EXPECT_EQ(Tmain::LongestAccountName(even, [](const std::string&) { return 0; }), "");
    Book blank = makeEmptyBook("", 46000);
    blank.AccountNames[0] = "";
    EXPECT_EQ(Tmain::LongestAccountName(blank, bytes), "");
}

TEST(NextEntryId, TheNewestNumberedReferencePlusOne) {
    EXPECT_EQ(Tmain::NextEntryId(journalWith({}), "."), "1");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({""}), "."), "1");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"5"}), "."), "6");
    // Reference 41, then the two still blank lines of a new entry.
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"40", "40", "41", "41", nullptr, nullptr}), "."),
              "42");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"40", "41", "", ""}), "."), "42");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"A1", "B7", "INV9", "X"}), "."), "1");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"0012", "0012", ""}), "."), "13");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({" 1 2", ""}), "."), "13");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"12.5", ""}), "."), "13.5");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"12.5", ""}), ","), "13,5");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"5", "5", "99"}), "."), "100"); // the last line too
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"5", "0", "X"}), "."), "1");    // 0 is a number
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"99999999999999", ""}), "."), "100000000000000");
    // Worked in exact digits: never in exponent form, never the same again.
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"1E15", ""}), "."), "1000000000000001");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"1E+15", ""}), "."), "1000000000000001");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"1.5E1", ""}), "."), "16");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"25E-1", ""}), ","), "3,5");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"12.50", ""}), "."), "13.5");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"&H10", ""}), "."), "17");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"99999999999.99", ""}), "."), "100000000000.99");
    // Negative numbers go on from themselves.
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"-5", ""}), "."), "-4");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"12.5", "-3", "-3"}), "."), "-2");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"-1.25", ""}), "."), "-0.25");
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"-0.25", ""}), "."), "0.75");
    // However many lines without a number stand after it.
    Book far = journalWith({"7", "X", "X", "X", "X", "X", "X", "X", "X", "X", "X", "X"});
    EXPECT_EQ(Tmain::NextEntryId(far, "."), "8");
}

TEST(LeadingNumberValue, ReadsTheNumberAtTheStartWhateverTheLocale) {
    EXPECT_EQ(Tmain::LeadingNumberValue(" 1 2"), 12);
    EXPECT_EQ(Tmain::LeadingNumberValue("\t4\n2"), 42);
    EXPECT_EQ(Tmain::LeadingNumberValue("&H10"), 16);
    EXPECT_EQ(Tmain::LeadingNumberValue("&hff"), 255);
    EXPECT_EQ(Tmain::LeadingNumberValue("&O17"), 15);
    EXPECT_EQ(Tmain::LeadingNumberValue("&O8"), 0);
    EXPECT_EQ(Tmain::LeadingNumberValue("&X1"), 0);
    EXPECT_EQ(Tmain::LeadingNumberValue("1,5"), 1);
    EXPECT_EQ(Tmain::LeadingNumberValue("2E3"), 2000);
    EXPECT_EQ(Tmain::LeadingNumberValue("2D2"), 200);
    EXPECT_EQ(Tmain::LeadingNumberValue("1e-2"), 0.01);
    EXPECT_EQ(Tmain::LeadingNumberValue("3E"), 3);
    EXPECT_EQ(Tmain::LeadingNumberValue(""), 0);
    EXPECT_EQ(Tmain::LeadingNumberValue("abc"), 0);
    EXPECT_EQ(Tmain::LeadingNumberValue("-3.5x"), -3.5);
    EXPECT_EQ(Tmain::LeadingNumberValue("+7"), 7);
    EXPECT_EQ(Tmain::LeadingNumberValue(".5"), 0.5);
    EXPECT_EQ(Tmain::LeadingNumberValue("1.2.3"), 1.2);
    EXPECT_EQ(Tmain::LeadingNumberValue("--1"), 0);
    EXPECT_EQ(Tmain::LeadingNumberValue(std::string("12\0 3", 5)), 12);
    EXPECT_EQ(Tmain::LeadingNumberValue("1E400"), 0); // beyond any double: no number
}

TEST(MainAccountOf, CutsTowardZeroAndKeepsASubAccountOfNoMainAccount) {
    EXPECT_EQ(mainAccountOf(money("100.1")), money("100"));
    EXPECT_EQ(mainAccountOf(money("-5.5")), money("-5"));
    EXPECT_EQ(mainAccountOf(money("0.5")), money("0.5"));
    EXPECT_EQ(mainAccountOf(money("-0.5")), money("-0.5"));
    const Currency min = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(mainAccountOf(min), money("-922337203685477"));
}

TEST(StripExtension, CutsOnlyInTheLastPathComponent) {
    EXPECT_EQ(Tmain::StripExtension("a.b.c"), "a.b");
    EXPECT_EQ(Tmain::StripExtension("noext"), "noext");
    EXPECT_EQ(Tmain::StripExtension("dir.v1/book"), "dir.v1/book");
    EXPECT_EQ(Tmain::StripExtension("/home/me/dir.v1/book.acc"), "/home/me/dir.v1/book");
    EXPECT_EQ(Tmain::StripExtension("book."), "book");
    EXPECT_EQ(Tmain::StripExtension(""), "");
}

TEST(FileErrors, OperatingSystemErrorsMapOntoTheMessageNumbers) {
    auto number = [](int err) {
        return Tmain::FileErrorNumber(std::error_code(err, std::system_category()));
    };
    const std::pair<int, int> numbers[] = {
        {ENOMEM, 7},    {EIO, 56},     {ENOSPC, 61}, {EDQUOT, 61},  {ENODEV, 68}, {ENXIO, 68},
        {EACCES, 1012}, {EPERM, 1012}, {EBUSY, 70},  {ETXTBSY, 70}, {EROFS, 75}};
    for (const auto& [err, n] : numbers)
        EXPECT_EQ(number(err), n) << err;
    EXPECT_EQ(Tmain::FileErrorNumber(std::make_error_code(std::errc::read_only_file_system)), 75);

    // The rest get numbers outside the ones with texts of their own.
    for (int err : {EINVAL, EISDIR, EEXIST, EMFILE})
        EXPECT_EQ(Tmain::FileErrorText(number(err)), "Opening / File Data Mismatch Error " +
                                                         std::to_string(number(err)) +
                                                         " Please Contact Korvane Support");
    EXPECT_EQ(Tmain::FileErrorText(Tmain::FileErrorNumber(make_error_code(std::io_errc::stream)))
                  .rfind("Opening / File Data Mismatch Error ", 0),
              0u);

    EXPECT_EQ(Tmain::FileErrorText(7), "Out of Memory, (Time to Upgrade to 64bit)");
    const int withTexts[] = {56, 61, 68, 70, 71, 75}; // strings 310 to 315
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Tmain::FileErrorText(withTexts[i]), strings::text(310 + i));
    EXPECT_EQ(Tmain::FileErrorText(number(ENOENT)).rfind("The file was not found", 0), 0u);
    for (const auto& [use, said] : {std::pair{FileUse::Read, "no permission to read it"},
                                    std::pair{FileUse::Write, "no permission to write"},
                                    std::pair{FileUse::Remove, "no permission to remove"}})
        EXPECT_NE(Tmain::FileErrorText(fileErrorFor(EPERM, use)).find(said), std::string::npos);
    // A read-only file system is told as the drive's, not as a file's or a folder's.
    EXPECT_EQ(Tmain::FileErrorText(fileErrorFor(EROFS, FileUse::Write)).rfind("The drive", 0), 0u);
    // A denial that did not go through fileErrorFor (EACCES, EPERM) names no use of the file.
    EXPECT_NE(Tmain::FileErrorText(1012).find("no permission"), std::string::npos);
}

TEST(FileErrors, MessageShowsTheTextWithAnOkButton) {
    ScopedFakeServices fakes;
    Tmain::FileErrorMessage(std::error_code(EROFS, std::system_category()));
    Tmain::FileErrorMessage(57);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(fakes.messages.shown[0].text,
              "Cannot write file to the current protected read-only file, drive or directory");
    EXPECT_EQ(fakes.messages.shown[0].title, "");
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(fakes.messages.shown[1].text,
              "Opening / File Data Mismatch Error 57 Please Contact Korvane Support");
}

TEST(Progress, StepsWidenTheBarAndShowWholePercentages) {
    ScopedFakeServices fakes;
    RunTimeState run;
    run.ProgressValue = 500;
    Tmain::BeginProgress(run, "Loading");
    EXPECT_EQ(run.ProgressValue, 0);
    EXPECT_EQ(fakes.progress.activity, "Loading");
    for (int i = 0; i < 45; ++i)
        Tmain::StepProgress(run);
    EXPECT_EQ(run.ProgressValue, 1305);
    EXPECT_EQ(fakes.progress.barWidth, 1305);
    EXPECT_EQ(fakes.progress.percentText, "45%");
    EXPECT_EQ(fakes.progress.eventPumps, 45);
    for (int i = 0; i < 60; ++i)
        Tmain::StepProgress(run);
    EXPECT_EQ(run.ProgressValue, 105 * 29);
    EXPECT_EQ(fakes.progress.percentText, "100%");
    Tmain::EndProgress(run);
    EXPECT_EQ(fakes.progress.finished, 1);
}

TEST(NextEntryId, IgnoresTheProcessNumberLocale) {
    // The windows switch the C library to the user's locale; where a
    // decimal-comma one is installed, the reading and writing must not follow it.
    const char* chosen = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            chosen = name;
            break;
        }
    if (!chosen) GTEST_SKIP() << "no decimal-comma C locale installed";
    EXPECT_EQ(Tmain::LeadingNumberValue("12.5"), 12.5);
    EXPECT_EQ(Tmain::NextEntryId(journalWith({"12.5", ""}), "."), "13.5");
    std::setlocale(LC_NUMERIC, "C");
}
