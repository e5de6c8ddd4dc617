#include "mainwindow/startup_state.h"

#include "platform/fake/fake_services.h"

#include <gtest/gtest.h>

TEST(StartupState, ToolbarGradientDarkensHalfAUnitPerRowWithHalvesToEven) {
    auto g = toolbarGradient(240, 240, 240);
    EXPECT_EQ(g[0], 0);
    EXPECT_EQ(g[1], rgbColor(240, 240, 240)); // 239.5 -> 240
    EXPECT_EQ(g[2], rgbColor(239, 239, 239));
    EXPECT_EQ(g[3], rgbColor(238, 238, 238)); // 238.5 -> 238
    EXPECT_EQ(g[5], rgbColor(238, 238, 238)); // 237.5 -> 238
    EXPECT_EQ(g[36], rgbColor(222, 222, 222));
    // Components differ and stay within 0..255.
    auto dark = toolbarGradient(10, 200, 3);
    EXPECT_EQ(redOf(dark[36]), 0);
    EXPECT_EQ(greenOf(dark[36]), 182);
    EXPECT_EQ(blueOf(dark[7]), 0); // 3 - 3.5 = -0.5 -> -0 -> 0
    EXPECT_EQ(blueOf(dark[5]), 0); // 0.5 -> 0
    EXPECT_EQ(blueOf(dark[3]), 2); // 1.5 -> 2
    int filled = 0;
    for (int i = 1; i <= 36; ++i)
        filled += g[i] != 0;
    EXPECT_EQ(filled, 36);
}

TEST(StartupState, LocaleGivesDateStyleMarksAndCurrencyLabel) {
    EXPECT_EQ(dateStyleForLocale(dayFirstLocale()), 0);   // 31/12/1899: ten characters
    EXPECT_EQ(dateStyleForLocale(monthFirstLocale()), 0); // 12/31/1899
    LocaleInfo longDay = dayFirstLocale();
    longDay.shortDatePattern = "dd MMMM yyyy";
    EXPECT_EQ(dateStyleForLocale(longDay), 2);
    LocaleInfo longMonth = monthFirstLocale();
    longMonth.shortDatePattern = "MMMM d, yyyy";
    EXPECT_EQ(dateStyleForLocale(longMonth), 6);
    LocaleInfo yearFirst = yearFirstLocale(); // hu_HU: "1899. 12. 31." is no month first
    yearFirst.shortDatePattern = "yyyy. MM. dd.";
    EXPECT_EQ(dateStyleForLocale(yearFirst), 2);

    StartupMarks comma = numberMarksFor(decimalCommaLocale());
    EXPECT_EQ(comma.decimal, ",");
    EXPECT_EQ(comma.thousands, ".");
    StartupMarks spaced = numberMarksFor(yearFirstLocale());
    EXPECT_EQ(spaced.decimal, ",");
    EXPECT_EQ(spaced.thousands, "\xC2\xA0"); // no-break space, kept whole

    LocaleInfo symbolless = monthFirstLocale();
    symbolless.currencySymbol.clear();
    EXPECT_EQ(currencyLabelOf(yearFirstLocale()) + currencyLabelOf(symbolless), "kr : :");
}

TEST(StartupState, TextsOfStartUp) {
    EXPECT_EQ(balanceAccountName(), "Balance b/f");
    EXPECT_EQ(fontCharsetFromText("0"), 0);
    EXPECT_EQ(fontCharsetFromText("161"), 161);
    EXPECT_EQ(fontCharsetFromText(""), 0);
    EXPECT_EQ(fontCharsetFromText("x"), 0);
    EXPECT_EQ(commandLineBookPath("\"/home/me/My Books/shop.acc\""), "/home/me/My Books/shop.acc");
    EXPECT_EQ(commandLineBookPath("  /tmp/a\"b.acc "), "  /tmp/a\"b.acc "); // as typed
    EXPECT_EQ(commandLineBookPath("\"/tmp/a\"b.acc\""), "/tmp/a\"b.acc");
    EXPECT_EQ(commandLineBookPath("\"\""), "");
    EXPECT_EQ(mainCaption(""), std::string(MainCaptionPrefix));
    EXPECT_EQ(mainCaption("/b/shop.acc"), std::string(MainCaptionPrefix) + "/b/shop.acc    ");
}

TEST(StartupState, NewBookOfStartUpUnderEachLocale) {
    for (const LocaleInfo& locale :
         {dayFirstLocale(), monthFirstLocale(), decimalCommaLocale(), yearFirstLocale()}) {
        Book book;
        book.AutoIncrement = 0;
        book.DecimalsJournal = 0;
        RunTimeState run;
        run.BookChanged = true;
        applyStartupBook(book, run, locale, 46000.75, 0);
        EXPECT_EQ(book.AccountNames[0], "Balance b/f");
        EXPECT_EQ(book.AccountNumbers[0], Currency::fromUnits(1));
        EXPECT_EQ(book.AccountTypes[0], Other);
        EXPECT_EQ(book.accountSlots(), 14u);
        EXPECT_EQ(book.AutoIncrement, 1);
        EXPECT_EQ(book.DecimalsJournal, 2);
        EXPECT_EQ(book.DecimalsLedger, 2);
        EXPECT_EQ(book.DateStyle, 0);
        EXPECT_EQ(book.LastEntryLine(), 1);
        EXPECT_EQ(book.EntryLines[0].Date, 46000);
        EXPECT_EQ(book.EntryIds[1].shown(), "1");
        EXPECT_EQ(book.GroupNames[9].shown(), "Group 10");
        EXPECT_EQ(run.DecimalSeparator, locale.decimalMark);
        EXPECT_EQ(run.ThousandsSeparator, locale.groupMark);
        EXPECT_FALSE(run.BookChanged);
        EXPECT_EQ(run.CurrentLastLine, 1);
    }
}

TEST(StartupState, WindowSizeKeptInTheSettingsStore) {
    ScopedFakeServices fakes;
    StoredSize none = readStoredWindowSize();
    EXPECT_FALSE(none.width);
    EXPECT_FALSE(none.height);
    storeWindowSize(12000, 6000);
    EXPECT_EQ(fakes.settings.get("LW", "Settings", "Width"), "12000");
    EXPECT_EQ(fakes.settings.get("LW", "Settings", "Height"), "6000");
    StoredSize back = readStoredWindowSize();
    EXPECT_EQ(back.width, 12000);
    EXPECT_EQ(back.height, 6000);
    // Unreadable or absurd stored texts are passed over.
    fakes.settings.set("LW", "Settings", "Width", "wide");
    fakes.settings.set("LW", "Settings", "Height", "1e300");
    StoredSize bad = readStoredWindowSize();
    EXPECT_FALSE(bad.width);
    EXPECT_FALSE(bad.height);
    fakes.settings.set("LW", "Settings", "Width", "10500.4");
    EXPECT_EQ(readStoredWindowSize().width, 10500);
}
