// Every date the book writes under a locale reads back to the same day, for
// every locale Qt knows and every date style.
#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "platform/qt/qt_services.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(LocaleDates, EveryLocaleAndStyleReadsBackWhatItWrites) {
    ScopedFakeServices fakes; // today: 9 December 2025
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 100);
    // Every month and weekday, both ends of the two-digit-year window.
    std::vector<double> days;
    for (double day = Tmain::DayNumber(1946, 1, 1); day <= Tmain::DayNumber(2044, 12, 31);
         day += 211)
        days.push_back(day);
    days.push_back(Tmain::DayNumber(2044, 12, 31));
    const double farDays[] = {Tmain::DayNumber(1800, 2, 28), Tmain::DayNumber(2100, 10, 31)};

    int failures = 0;
    for (const QLocale& qt : locales) {
        const LocaleInfo locale = localeInfoFrom(qt);
        for (int style = 0; style <= 8 && failures < 20; ++style) {
            auto check = [&](double day, Tmain::YearDigits digits) {
                const std::string text = Tmain::FormatDateStyle(day, style, locale, digits);
                const std::optional<double> back = Tmain::ParseDateStyle(text, style, locale);
                if (back && *back == day) return;
                ++failures;
                ADD_FAILURE() << locale.name << " \"" << locale.shortDatePattern << "\" style "
                              << style << ": \"" << text << "\"";
            };
            for (double day : days)
                check(day, Tmain::YearDigits::AsStyle);
            for (double day : farDays)
                check(day, Tmain::YearDigits::Four);
        }
    }
}
