#include "book/runtime_state.h"
#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "toolkit/date_picker_logic.h"

#include <gtest/gtest.h>

namespace {

double day(int y, int m, int d) {
    return Tmain::DayNumber(y, m, d);
}

// A picker in a day-first locale with the book's style 2 (dd/mm/yyyy),
// today being 9 February 2026.
struct Picker {
    ScopedFakeServices fakes{dayFirstLocale()};
    RunTimeState run;
    std::unique_ptr<DatePickerLogic> logic;
    int clicks = 0;
    std::vector<std::string> written;
    int style = 2;

    Picker() {
        fakes.clock.moment = day(2026, 2, 9) + 0.5;
        logic = std::make_unique<DatePickerLogic>();
        logic->runTime = &run;
        logic->dateStyle = [this] { return style; };
        logic->onClick = [this] { ++clicks; };
        logic->onTextWritten = [this](const std::string& t) { written.push_back(t); };
    }
    int cellOf(int dayOfMonth) const {
        for (int i = 0; i < month_grid::CellCount; ++i)
            if (logic->cells()[i].day == dayOfMonth) return i;
        return -1;
    }
};

TEST(DatePicker, StartsOnTodayWithItsLists) {
    Picker p;
    EXPECT_EQ(p.logic->dayText(), "9");
    EXPECT_EQ(p.logic->monthText(), "February");
    EXPECT_EQ(p.logic->yearText(), "2026");
    EXPECT_EQ(p.logic->TheDate(), day(2026, 2, 9));
    ASSERT_EQ(p.logic->yearList().size(), 401u);
    EXPECT_EQ(p.logic->yearList().front(), "1826");
    EXPECT_EQ(p.logic->yearList().back(), "2226");
    EXPECT_EQ(p.logic->monthList()[11], "December");
    EXPECT_EQ(p.logic->cells()[8].textColour, month_grid::ChosenText);
    EXPECT_TRUE(p.logic->text().empty());
    EXPECT_FALSE(p.logic->isOpen());
}

TEST(DatePicker, TheDateClampsTheDayAndEnablesItsWeekday) {
    Picker p;
    p.logic->setTheDate(day(2026, 3, 31));
    EXPECT_EQ(p.logic->monthText(), "March");
    EXPECT_TRUE(p.written.empty()); // the text box is left alone
    p.logic->chooseMonth("April");
    EXPECT_EQ(p.logic->dayText(), "30");
    EXPECT_EQ(p.logic->TheDate(), day(2026, 4, 30));
    EXPECT_EQ(p.logic->text(), "30/04/2026");
    const int cell30 = p.cellOf(30);
    EXPECT_EQ(cell30, 32);
    EXPECT_EQ(p.logic->cells()[cell30].textColour, month_grid::ChosenText);
    // 30 April 2026 is a Thursday: only that heading is enabled.
    const std::array<bool, 7> thursday{false, false, false, false, true, false, false};
    EXPECT_EQ(p.logic->headings(), thursday);

    // February of a leap year and of a common one.
    p.logic->setTheDate(day(2024, 1, 31));
    p.logic->chooseMonth("February");
    EXPECT_EQ(p.logic->TheDate(), day(2024, 2, 29));
    p.logic->chooseYear("2023");
    EXPECT_EQ(p.logic->TheDate(), day(2023, 2, 28));
    EXPECT_EQ(p.logic->text(), "28/02/2023");
    // A month given as a number shows as its name.
    p.logic->chooseMonth("7");
    EXPECT_EQ(p.logic->monthText(), "July");
    // A month's name in capitals under tr_TR, whose capital of "ı" is "I".
    auto& names = p.fakes.locale.info.longMonthNames;
    names[3] = "Nisan", names[4] = "Mayıs";
    for (const auto& [name, shown] :
         {std::pair("NISAN", "April"), {"MAYIS", "May"}, {"NİSAN", "April"}}) {
        p.logic->chooseMonth(name);
        EXPECT_EQ(p.logic->monthText(), shown) << name;
    }
}

TEST(DatePicker, ArrowsCrossTheYearsEnd) {
    Picker p;
    p.logic->setTheDate(day(2025, 12, 15));
    int focusMoves = 0;
    p.logic->onFocusMonthList = [&] { ++focusMoves; };
    p.logic->monthArrow(1);
    EXPECT_EQ(p.logic->TheDate(), day(2026, 1, 31)); // the new month's last day
    EXPECT_EQ(p.logic->yearText(), "2026");
    EXPECT_EQ(p.logic->monthText(), "January");
    EXPECT_EQ(p.logic->text(), "31/01/2026"); // the book's style, not the system's
    p.logic->monthArrow(0);
    EXPECT_EQ(p.logic->TheDate(), day(2025, 12, 31));
    p.logic->setTheDate(day(2024, 3, 5));
    p.logic->monthArrow(0);
    EXPECT_EQ(p.logic->TheDate(), day(2024, 2, 29));
    p.logic->setTheDate(day(2026, 3, 5));
    p.logic->monthArrow(0);
    EXPECT_EQ(p.logic->TheDate(), day(2026, 2, 28));
    EXPECT_EQ(focusMoves, 4);

    // Past the last year a date can have: today.
    p.logic->setTheDate(day(9999, 12, 1));
    p.logic->monthArrow(1);
    EXPECT_EQ(p.logic->TheDate(), day(2026, 2, 9));
}

TEST(DatePicker, UnreadableMonthOrYearFallsBackToToday) {
    Picker p;
    p.logic->setTheDate(day(2026, 5, 20));
    p.logic->chooseYear("twenty");
    EXPECT_EQ(p.logic->TheDate(), day(2026, 2, 9));
    EXPECT_EQ(p.logic->text(), "09/02/2026");
    p.logic->setTheDate(day(2026, 5, 20));
    p.logic->chooseMonth("Smarch");
    EXPECT_EQ(p.logic->TheDate(), day(2026, 2, 9));
    EXPECT_EQ(p.logic->monthText(), "February");
}

TEST(DatePicker, OpeningReadsTheTextInTheBooksStyle) {
    Picker p;
    p.logic->setText("15/03/2026");
    p.logic->faceClick();
    EXPECT_TRUE(p.logic->isOpen());
    EXPECT_EQ(p.clicks, 0); // opening raises nothing
    EXPECT_EQ(p.logic->monthText(), "March");
    EXPECT_EQ(p.logic->dayText(), "15");
    EXPECT_EQ(p.logic->foreColor(), ole::rgb(0, 0, 255));
    EXPECT_EQ(p.logic->dayTooltip(p.cellOf(15)), "15 March 2026");

    // Closed again through the face: Click, the flag untouched.
    p.logic->faceClick();
    EXPECT_FALSE(p.logic->isOpen());
    EXPECT_EQ(p.clicks, 1);
    EXPECT_EQ(p.run.DateChangedFlag, 0);
    EXPECT_EQ(p.logic->text(), "15/03/2026");
    EXPECT_EQ(p.logic->foreColor(), 0u);

    // Unreadable text: the panel shows today and the text is left alone.
    p.logic->setText("soon");
    p.written.clear();
    p.logic->faceClick();
    EXPECT_EQ(p.logic->text(), "soon");
    EXPECT_EQ(p.logic->monthText(), "February");
    p.logic->WLoss();
    EXPECT_FALSE(p.logic->isOpen());
    EXPECT_EQ(p.clicks, 1); // closing on focus loss raises nothing
    EXPECT_TRUE(p.written.empty());

    // Under a short date with month names (the C locale's), opening and
    // closing without a pick writes nothing: the date is read back exactly.
    p.style = 0;
    LocaleInfo named = dayFirstLocale();
    named.shortDatePattern = "d MMM yyyy";
    p.fakes.locale.info = named;
    p.logic->setText("17 Mar 2023");
    p.written.clear();
    p.logic->faceClick();
    EXPECT_EQ(p.logic->TheDate(), day(2023, 3, 17));
    p.logic->faceClick();
    EXPECT_EQ(p.logic->text(), "17 Mar 2023");
    EXPECT_TRUE(p.written.empty());
    p.fakes.locale.info = dayFirstLocale();

    // Month-first style 6.
    p.style = 6;
    p.logic->setText("03/15/2026");
    p.logic->faceClick();
    EXPECT_EQ(p.logic->TheDate(), day(2026, 3, 15));
    // A text given for a day opens on it, also where two-digit years read back another century.
    p.logic->WLoss();
    p.style = 5;
    p.logic->setDayText("12/31/46", day(2046, 12, 31));
    p.logic->faceClick();
    EXPECT_EQ(p.logic->TheDate(), day(2046, 12, 31));
}

TEST(DatePicker, PickingADay) {
    Picker p;
    p.logic->setText("15/03/2026");
    p.logic->faceClick();
    // Blank cells take no click.
    EXPECT_FALSE(p.logic->pickDay(35));
    EXPECT_FALSE(p.logic->pickDay(41));
    EXPECT_TRUE(p.logic->isOpen());
    EXPECT_EQ(p.clicks, 0);
    EXPECT_EQ(p.run.DateChangedFlag, 0);

    p.written.clear();
    ASSERT_TRUE(p.logic->pickDay(p.cellOf(20)));
    EXPECT_FALSE(p.logic->isOpen());
    EXPECT_EQ(p.clicks, 1);
    EXPECT_EQ(p.run.DateChangedFlag, 1);
    EXPECT_EQ(p.logic->text(), "20/03/2026");
    EXPECT_EQ(p.written, std::vector<std::string>{"20/03/2026"});
    EXPECT_EQ(p.logic->TheDate(), day(2026, 3, 20));
    // A closed panel takes no pick.
    EXPECT_FALSE(p.logic->pickDay(3));
    EXPECT_EQ(p.clicks, 1);
}

} // namespace
