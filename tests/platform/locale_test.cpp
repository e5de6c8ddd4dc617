#include "platform/locale.h"

#include <gtest/gtest.h>

TEST(Locale, DateOrderFollowsTheFirstPatternLetter) {
    EXPECT_EQ(dateOrderOf("dd/MM/yyyy"), DateOrder::DayMonthYear);
    EXPECT_EQ(dateOrderOf("d.M.yy"), DateOrder::DayMonthYear);
    EXPECT_EQ(dateOrderOf("M/d/yyyy"), DateOrder::MonthDayYear);
    EXPECT_EQ(dateOrderOf("MM-dd-yy"), DateOrder::MonthDayYear);
    EXPECT_EQ(dateOrderOf("yyyy-MM-dd"), DateOrder::YearMonthDay);
    EXPECT_EQ(dateOrderOf("yy/M/d"), DateOrder::YearMonthDay);
    EXPECT_EQ(dateOrderOf("d MMM yyyy"), DateOrder::DayMonthYear);
    EXPECT_EQ(dateOrderOf(""), DateOrder::MonthDayYear);

    EXPECT_EQ(dateOrderOf(dayFirstLocale().shortDatePattern), DateOrder::DayMonthYear);
    EXPECT_EQ(dateOrderOf(monthFirstLocale().shortDatePattern), DateOrder::MonthDayYear);
    EXPECT_EQ(dateOrderOf(decimalCommaLocale().shortDatePattern), DateOrder::DayMonthYear);
    EXPECT_EQ(dateOrderOf(yearFirstLocale().shortDatePattern), DateOrder::YearMonthDay);
}

TEST(Locale, DateSeparatorIsTheFirstNonLetterRun) {
    EXPECT_EQ(dateSeparatorOf("dd/MM/yyyy"), "/");
    EXPECT_EQ(dateSeparatorOf("dd.MM.yy"), ".");
    EXPECT_EQ(dateSeparatorOf("yyyy-MM-dd"), "-");
    EXPECT_EQ(dateSeparatorOf("dd. MM. yyyy"), "."); // trailing blank dropped
    EXPECT_EQ(dateSeparatorOf("d MMM yyyy"), " ");   // a lone blank is kept
    EXPECT_EQ(dateSeparatorOf("ddMMyyyy"), "/");     // none: "/"
    EXPECT_EQ(dateSeparatorOf(""), "/");

    EXPECT_EQ(dateSeparatorOf(dayFirstLocale().shortDatePattern), "/");
    EXPECT_EQ(dateSeparatorOf(monthFirstLocale().shortDatePattern), "/");
    EXPECT_EQ(dateSeparatorOf(decimalCommaLocale().shortDatePattern), ".");
    EXPECT_EQ(dateSeparatorOf(yearFirstLocale().shortDatePattern), "-");
}

TEST(Locale, FixedLocalesWriteDatesInTheirOwnForm) {
    const LocaleInfo gb = dayFirstLocale();
    const LocaleInfo us = monthFirstLocale();
    const LocaleInfo de = decimalCommaLocale();
    const LocaleInfo se = yearFirstLocale();
    EXPECT_EQ(formatDatePattern(gb.shortDatePattern, 2024, 1, 5, gb), "05/01/2024");
    EXPECT_EQ(formatDatePattern(us.shortDatePattern, 2024, 1, 5, us), "1/5/2024");
    EXPECT_EQ(formatDatePattern(de.shortDatePattern, 2024, 1, 5, de), "05.01.24");
    EXPECT_EQ(formatDatePattern(se.shortDatePattern, 2024, 1, 5, se), "2024-01-05");
    EXPECT_EQ(formatDatePattern(us.shortDatePattern, 1999, 12, 31, us), "12/31/1999");

    // Marks of the fixed locales.
    EXPECT_EQ(gb.decimalMark, ".");
    EXPECT_EQ(gb.groupMark, ",");
    EXPECT_EQ(de.decimalMark, ",");
    EXPECT_EQ(de.groupMark, ".");
    EXPECT_EQ(se.decimalMark, ",");
    EXPECT_EQ(se.groupMark, "\xC2\xA0");
    EXPECT_EQ(gb.language(), "en");
    EXPECT_EQ(de.language(), "de");
}

TEST(Locale, PatternLettersAndLiterals) {
    const LocaleInfo de = decimalCommaLocale();
    const LocaleInfo us = monthFirstLocale();
    EXPECT_EQ(formatDatePattern("d MMMM yyyy", 2024, 3, 7, de), "7 März 2024");
    EXPECT_EQ(formatDatePattern("dd MMM yy", 2009, 12, 1, de), "01 Dez. 09");
    EXPECT_EQ(formatDatePattern("MMMM d, yyyy", 2000, 1, 30, us), "January 30, 2000");
    EXPECT_EQ(formatDatePattern("yy", 2000, 1, 1, us), "00");
    EXPECT_EQ(formatDatePattern("yyyy", 987, 1, 1, us), "0987");
    EXPECT_EQ(formatDatePattern("yyyy'年'M'月'd'日'", 2024, 2, 9, us), "2024年2月9日");
    EXPECT_EQ(formatDatePattern("", 2024, 2, 9, us), "");
    // A month outside 1..12 is written as a number, never read past the names.
    EXPECT_EQ(formatDatePattern("d MMM yyyy", 2024, 0, 1, us), "1 00 2024");
    EXPECT_EQ(formatDatePattern("MMMM", 2024, 13, 1, us), "13");
}
