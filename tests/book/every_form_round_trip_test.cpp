// Generated hostile books written in every form (.acc, .txt, .csv) and read
// back: each comes back as the form's rules say, field by field and with the
// trial balance it had, or the form refuses it before writing.
#include "hand_made_books.h"
#include "platform/fake/fake_services.h"
#include "support/hostile_books.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using hostile::Form;

TEST(EveryFormRoundTrip, GeneratedHostileBooksComeBackOrAreRefused) {
    ScopedFakeServices fakes(dayFirstLocale());
    const LocaleInfo locales[] = {dayFirstLocale(), monthFirstLocale(), decimalCommaLocale(),
                                  yearFirstLocale()};
    std::set<int> classes;
    int bigCharts = 0, openLast = 0, refused = 0, lowest = 0, noSide = 0;
    for (std::uint32_t n = 0; n < 300; ++n) {
        SCOPED_TRACE("book " + std::to_string(n));
        const Book generated = hostile::generatedBook(n);
        for (std::uint8_t c : generated.AccountTypes)
            classes.insert(c);
        for (const EntryLine& line : generated.EntryLines)
            noSide += line.Side != Debit && line.Side != Credit && !line.Amount.isZero();
        std::string fault;
        const Book held = hostile::heldBook(generated, fault);
        ASSERT_EQ(fault, "");

        bigCharts += held.LastAccount == INT16_MAX;
        openLast += !closesEntry(held.EntryLines.back().Details);
        refused += hostile::formRefuses(held, Form::Csv);
        for (const EntryLine& line : held.EntryLines)
            lowest += line.Amount.raw == INT64_MIN || line.AccountNumber.raw == INT64_MIN;
        for (Form form : {Form::BookFile, Form::Text, Form::Csv})
            ASSERT_EQ(hostile::roundTripFault(held, form, locales[n % 4]), "")
                << hostile::formName(form);
    }
    // The books reach every edge they are meant to.
    EXPECT_EQ(classes.size(), 256u);
    EXPECT_GE(bigCharts, 5);
    EXPECT_GE(openLast, 40);
    EXPECT_GE(refused, 20);
    EXPECT_GE(lowest, 20);
    EXPECT_GE(noSide, 200);
}

TEST(EveryFormRoundTrip, LinesOnNeitherSideKeepTheTrialBalanceInEveryForm) {
    using namespace handmade;
    ScopedFakeServices fakes(dayFirstLocale());
    // Cash is debited 1 and credited 15 on lines whose side bytes are 0, 3
    // and 255, as a book file may hold them: 14 Cr in the trial balance.
    Book book = emptyBook();
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "400", "Sales", Revenue);
    const double d = day(2024, 3, 1);
    addEntry(book, "1", d, "100", "400", "1", "Sale");
    addLine(book, "2", d, Debit, "400", "15");
    addLine(book, "2", d, 0, "100", "5");
    addLine(book, "2", d, 3, "100", "4");
    addLine(book, "2", d, 255, "100", "6", "Refund");
    const std::string trialBalance = "100: -14\n400: 14\n";
    ASSERT_EQ(hostile::trialBalanceText(book), trialBalance);

    std::string fault;
    const std::optional<Book> held =
        hostile::readBack(book, Form::BookFile, dayFirstLocale(), fault);
    ASSERT_TRUE(held) << fault;
    for (std::size_t i = 3; i < 6; ++i) // read as the credits they count as
        EXPECT_EQ(held->EntryLines[i].Side, Credit);
    for (Form form : {Form::BookFile, Form::Text, Form::Csv}) {
        SCOPED_TRACE(hostile::formName(form));
        const std::optional<Book> back = hostile::readBack(*held, form, dayFirstLocale(), fault);
        ASSERT_TRUE(back) << fault;
        EXPECT_EQ(hostile::trialBalanceText(*back), trialBalance);
    }
}
