#include "book/tmain.h"
#include "platform/fake/fake_services.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double Jan30th2000 = 36555;
constexpr double Jan5th2000 = 36530;

std::string date(double day) {
    int y, m, d;
    Tmain::CalendarDate(day, y, m, d);
    return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d);
}

} // namespace

TEST(DayNumbers, CountFromThe30thOfDecember1899BothWays) {
    EXPECT_EQ(Tmain::DayNumber(1899, 12, 30), 0);
    EXPECT_EQ(Tmain::DayNumber(2000, 1, 30), Jan30th2000);
    EXPECT_EQ(Tmain::DayNumber(1900, 3, 1), 61);
    EXPECT_EQ(Tmain::DayNumber(2024, 2, 29), 45351);
    EXPECT_EQ(Tmain::DayNumber(1899, 12, 29), -1);
    EXPECT_EQ(Tmain::DayNumber(1800, 1, 1), -36522);
    EXPECT_EQ(Tmain::DayNumber(100, 1, 1), -657434);
    EXPECT_EQ(Tmain::DayNumber(9999, 12, 31), 2958465);

    EXPECT_EQ(date(0), "1899-12-30");
    EXPECT_EQ(date(Jan30th2000 + 0.99), "2000-1-30"); // the time of day never moves the day
    EXPECT_EQ(date(-1), "1899-12-29");
    EXPECT_EQ(date(-1.5), "1899-12-29");
    EXPECT_EQ(date(-36522), "1800-1-1");
    EXPECT_EQ(date(-657434), "100-1-1");
    EXPECT_EQ(date(2958465), "9999-12-31");

    EXPECT_TRUE(Tmain::IsValidDate(2024, 2, 29));
    EXPECT_FALSE(Tmain::IsValidDate(2023, 2, 29));
    EXPECT_FALSE(Tmain::IsValidDate(1900, 2, 29));
    EXPECT_TRUE(Tmain::IsValidDate(2000, 2, 29));
    EXPECT_FALSE(Tmain::IsValidDate(2000, 4, 31));
    EXPECT_FALSE(Tmain::IsValidDate(2000, 13, 1));
    EXPECT_FALSE(Tmain::IsValidDate(2000, 0, 1));
    EXPECT_FALSE(Tmain::IsValidDate(2000, 1, 0));
}

TEST(DayNumbers, LeapYearsMonthLengthsAndWeekdays) {
    EXPECT_EQ(Tmain::DaysInMonth(2000, 2), 29);
    EXPECT_EQ(Tmain::DaysInMonth(1900, 2), 28);
    EXPECT_EQ(Tmain::DaysInMonth(2100, 2), 28);
    EXPECT_EQ(Tmain::DaysInMonth(2024, 2), 29);
    EXPECT_EQ(Tmain::DaysInMonth(2026, 2), 28);
    EXPECT_EQ(Tmain::DaysInMonth(2026, 4), 30);
    EXPECT_EQ(Tmain::DaysInMonth(2026, 12), 31);
    EXPECT_TRUE(Tmain::IsLeapYear(2000));
    EXPECT_FALSE(Tmain::IsLeapYear(1900));
    EXPECT_EQ(Tmain::Weekday(-1.5), 6); // a time of day before 1899 stays on its day
    EXPECT_EQ(Tmain::DayNumber(2025, 13, 1), Tmain::DayNumber(2026, 1, 1));
    EXPECT_EQ(Tmain::DayNumber(2026, 0, 1), Tmain::DayNumber(2025, 12, 1));
    EXPECT_EQ(Tmain::Weekday(0), 7); // 30 December 1899 was a Saturday
    EXPECT_EQ(Tmain::Weekday(1), 1);
    EXPECT_EQ(Tmain::Weekday(-1), 6);
    EXPECT_EQ(Tmain::Weekday(Tmain::DayNumber(2026, 2, 1)), 1);
    EXPECT_EQ(Tmain::Weekday(Tmain::DayNumber(2026, 8, 1) + 0.75), 7);
}

TEST(FormatDateStyle, EveryStyleUnderEachLocale) {
    const double day = Jan30th2000 + 0.75;
    struct Case {
        LocaleInfo locale;
        std::array<const char*, 10> texts; // styles 0..9
    };
    const Case cases[] = {
        {monthFirstLocale(),
         {"1/30/2000", "30/01/00", "30/01/2000", "30-01-00", "30-01-2000", "01/30/00", "01/30/2000",
          "01-30-00", "01-30-2000", ""}},
        {dayFirstLocale(),
         {"30/01/2000", "30/01/00", "30/01/2000", "30-01-00", "30-01-2000", "01/30/00",
          "01/30/2000", "01-30-00", "01-30-2000", ""}},
        {decimalCommaLocale(),
         {"30.01.00", "30.01.00", "30.01.2000", "30-01-00", "30-01-2000", "01.30.00", "01.30.2000",
          "01-30-00", "01-30-2000", ""}},
        {yearFirstLocale(),
         {"2000-01-30", "30-01-00", "30-01-2000", "30-01-00", "30-01-2000", "01-30-00",
          "01-30-2000", "01-30-00", "01-30-2000", ""}},
    };
    for (const Case& c : cases)
        for (int style = 0; style <= 9; ++style)
            EXPECT_EQ(Tmain::FormatDateStyle(day, style, c.locale), c.texts[style])
                << c.locale.name << " style " << style;

    EXPECT_EQ(Tmain::FormatDateStyle(day, -1, dayFirstLocale()), "");
    EXPECT_EQ(Tmain::FormatDateStyle(-36522, 2, dayFirstLocale()), "01/01/1800");
    EXPECT_EQ(Tmain::FormatDateStyle(Tmain::DayNumber(2009, 7, 4), 1, dayFirstLocale()),
              "04/07/09");
    EXPECT_EQ(Tmain::FormatDateStyle(1e12, 2, dayFirstLocale()), "");
    EXPECT_EQ(Tmain::FormatDateStyle(std::nan(""), 2, dayFirstLocale()), "");
}

TEST(ParseDateStyle, ReadsTheLocalesOrderWithAnyOfTheSeparators) {
    const LocaleInfo us = monthFirstLocale(), gb = dayFirstLocale(), de = decimalCommaLocale(),
                     se = yearFirstLocale();
    EXPECT_EQ(Tmain::ParseDateStyle("1/30/2000", 0, us), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("01-30-00", 0, us), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle(" 1 / 30 / 2000 ", 0, us), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30/01/2000", 0, gb), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30-1-00", 0, gb), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30.01.00", 0, de), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30.01.2000", 0, de), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30/01/2000", 0, de), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("2000-01-30", 0, se), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("2000/1/30", 0, se), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("00-01-30", 0, se), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("1800-01-01", 0, se), -36522);
    LocaleInfo spaced = dayFirstLocale();
    spaced.shortDatePattern = "d MMM yyyy";
    EXPECT_EQ(Tmain::ParseDateStyle("30 1 2000", 0, spaced), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30/1/2000", 0, spaced), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30 Jan 2000", 0, spaced), Jan30th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("30 JANUARY 2000", 0, spaced), Jan30th2000);
    EXPECT_FALSE(Tmain::ParseDateStyle("30 Janx 2000", 0, spaced));
    // A locale's separator of its own is accepted only where it is that locale's.
    EXPECT_FALSE(Tmain::ParseDateStyle("30.01.2000", 0, gb));
}

TEST(ParseDateStyle, TheBooksStyleDecidesDayOrMonthFirst) {
    const LocaleInfo us = monthFirstLocale(), gb = dayFirstLocale(), se = yearFirstLocale();
    EXPECT_EQ(Tmain::ParseDateStyle("05-01-2000", 2, us), Jan5th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("01/05/2000", 6, gb), Jan5th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("05/01/2000", 2, gb), Jan5th2000);
    EXPECT_EQ(Tmain::ParseDateStyle("01/05/2000", 6, us), Jan5th2000);
    for (int style = 1; style <= 4; ++style)
        EXPECT_EQ(Tmain::ParseDateStyle("30/01/00", style, us), Jan30th2000) << style;
    for (int style = 5; style <= 8; ++style)
        EXPECT_EQ(Tmain::ParseDateStyle("01-30-2000", style, gb), Jan30th2000) << style;
    EXPECT_EQ(Tmain::ParseDateStyle("30-01-2000", 2, se), Jan30th2000);
    EXPECT_FALSE(Tmain::ParseDateStyle("1/30/2000", 2, us)); // month 30
    EXPECT_FALSE(Tmain::ParseDateStyle("30/1/2000", 6, gb));
}

TEST(ParseDateStyle, TwoDigitYearsAndUnreadableTexts) {
    ScopedFakeServices fakes;
    fakes.clock.moment = Tmain::DayNumber(2026, 7, 1);
    const LocaleInfo us = monthFirstLocale();
    // From 80 years before to 19 years after the current year.
    EXPECT_EQ(Tmain::ParseDateStyle("12/31/29", 0, us), Tmain::DayNumber(2029, 12, 31));
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/30", 0, us), Tmain::DayNumber(2030, 1, 1));
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/45", 0, us), Tmain::DayNumber(2045, 1, 1));
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/46", 0, us), Tmain::DayNumber(1946, 1, 1));
    EXPECT_EQ(Tmain::FullYear(46), 1946);
    EXPECT_EQ(Tmain::FullYear(45), 2045);
    fakes.clock.moment = Tmain::DayNumber(2090, 1, 1);
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/05", 0, us), Tmain::DayNumber(2105, 1, 1));
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/10", 0, us), Tmain::DayNumber(2010, 1, 1));
    fakes.clock.moment = Tmain::DayNumber(2026, 7, 1);
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/00", 0, us), Tmain::DayNumber(2000, 1, 1));
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/99", 0, us), Tmain::DayNumber(1999, 1, 1));
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/5", 0, us), Tmain::DayNumber(2005, 1, 1));
    EXPECT_EQ(Tmain::ParseDateStyle("1/1/1929", 0, us), Tmain::DayNumber(1929, 1, 1));
    EXPECT_EQ(Tmain::ParseDateStyle("2/29/2024", 0, us), 45351);

    for (const char* bad : {"",
                            "abc",
                            "1/30",
                            "1-30",
                            "1302000",
                            "1/30/",
                            "/1/30/2000",
                            "1//2000",
                            "1/x/2000",
                            "1/30/2000x",
                            "1/30/2000/5",
                            "13/1/2000",
                            "0/1/2000",
                            "1/0/2000",
                            "2/30/2000",
                            "2/29/2023",
                            "2/29/1900",
                            "1/1/20000",
                            "001/1/2000",
                            "-1/1/2000",
                            "1.30.2000",
                            "1/30/99999999999"})
        EXPECT_FALSE(Tmain::ParseDateStyle(bad, 0, us)) << bad;
}

TEST(ParseDateStyle, ReadsBackEveryDateItWritesWithNamesAndTrailingMarks) {
    ScopedFakeServices fakes;
    LocaleInfo plain = dayFirstLocale(); // the C locale's short date
    plain.shortDatePattern = "d MMM yyyy";
    LocaleInfo korean = dayFirstLocale();
    korean.shortDatePattern = "yy. M. d.";
    LocaleInfo hungarian = dayFirstLocale();
    hungarian.shortDatePattern = "yyyy. MM. dd.";
    LocaleInfo chinese = dayFirstLocale();
    chinese.shortDatePattern = "yyyy\u5e74M\u6708d\u65e5";
    LocaleInfo bulgarian = decimalCommaLocale();
    bulgarian.shortDatePattern = "d.MM.yy '\u0433'.";
    LocaleInfo spanish = dayFirstLocale();
    spanish.shortDatePattern = "d 'de' MMMM 'de' yyyy";
    spanish.longMonthNames[11] = "diciembre";
    EXPECT_EQ(Tmain::FormatDateStyle(Tmain::DayNumber(2023, 3, 17), 0, plain), "17 Mar 2023");
    EXPECT_EQ(Tmain::FormatDateStyle(Tmain::DayNumber(2023, 3, 17), 0, korean), "23. 3. 17.");
    EXPECT_EQ(Tmain::ParseDateStyle("23. 3. 17.", 0, korean), Tmain::DayNumber(2023, 3, 17));
    EXPECT_EQ(Tmain::ParseDateStyle("23-3-17", 0, korean), Tmain::DayNumber(2023, 3, 17));
    EXPECT_EQ(Tmain::ParseDateStyle("5 de diciembre de 2020", 0, spanish),
              Tmain::DayNumber(2020, 12, 5));
    LocaleInfo turkish = decimalCommaLocale();
    turkish.shortDatePattern = "d MMMM yyyy";
    turkish.longMonthNames[4] = "Mayıs";
    EXPECT_EQ(Tmain::ParseDateStyle("15 MAYIS 2024", 0, turkish), Tmain::DayNumber(2024, 5, 15));

    const LocaleInfo locales[] = {monthFirstLocale(),
                                  dayFirstLocale(),
                                  decimalCommaLocale(),
                                  yearFirstLocale(),
                                  plain,
                                  korean,
                                  hungarian,
                                  chinese,
                                  bulgarian,
                                  spanish};
    for (const LocaleInfo& locale : locales)
        for (int style = 0; style <= 8; ++style)
            for (double day = Tmain::DayNumber(1946, 1, 1); day < Tmain::DayNumber(2045, 1, 1);
                 day += 97) {
                const std::string text = Tmain::FormatDateStyle(day, style, locale);
                EXPECT_EQ(Tmain::ParseDateStyle(text, style, locale), day)
                    << locale.shortDatePattern << " style " << style << ": " << text;
                const std::string full =
                    Tmain::FormatDateStyle(day - 40000, style, locale, Tmain::YearDigits::Four);
                EXPECT_EQ(Tmain::ParseDateStyle(full, style, locale), day - 40000)
                    << locale.shortDatePattern << " style " << style << ": " << full;
            }
}
