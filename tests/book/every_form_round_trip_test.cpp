// Generated hostile books written in every form (.acc, .txt, .csv) and read
// back: each comes back as the form's rules say, field by field, or the form
// refuses it before writing.
#include "platform/fake/fake_services.h"
#include "support/hostile_books.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using hostile::Form;

TEST(EveryFormRoundTrip, GeneratedHostileBooksComeBackOrAreRefused) {
    ScopedFakeServices fakes(dayFirstLocale());
    const LocaleInfo locales[] = {dayFirstLocale(), monthFirstLocale(), decimalCommaLocale()};
    std::set<int> classes;
    int bigCharts = 0, openLast = 0, refused = 0, lowest = 0;
    for (std::uint32_t n = 0; n < 300; ++n) {
        SCOPED_TRACE("book " + std::to_string(n));
        const Book generated = hostile::generatedBook(n);
        for (std::uint8_t c : generated.AccountTypes)
            classes.insert(c);
        std::string fault;
        const Book held = hostile::heldBook(generated, fault);
        ASSERT_EQ(fault, "");

        bigCharts += held.LastAccount == INT16_MAX;
        openLast += !closesEntry(held.EntryLines.back().Details);
        refused += hostile::formRefuses(held, Form::Csv);
        for (const EntryLine& line : held.EntryLines)
            lowest += line.Amount.raw == INT64_MIN || line.AccountNumber.raw == INT64_MIN;
        for (Form form : {Form::BookFile, Form::Text, Form::Csv})
            ASSERT_EQ(hostile::roundTripFault(held, form, locales[n % 3]), "")
                << hostile::formName(form);
    }
    // The books reach every edge they are meant to.
    EXPECT_EQ(classes.size(), 256u);
    EXPECT_GE(bigCharts, 5);
    EXPECT_GE(openLast, 40);
    EXPECT_GE(refused, 20);
    EXPECT_GE(lowest, 20);
}
