// The date picker without its window: the text of the date, the chosen day,
// month and year, the month panel's cells and weekday headings, and what each
// click does. Dates are written and read in the book's date style.
#pragma once

#include "book/date_box.h"
#include "toolkit/month_grid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct LocaleInfo;
struct RunTimeState;

// Texts at least as wide as any date a date box shows in `dateStyle`: each
// month's 28th day written in the style, with the year as the style writes it
// and with four digits (a typed date may have them), every digit made
// `widestDigit` (the font's widest). The widest of them sizes a date box.
std::vector<std::string> widestDateTexts(int dateStyle, const LocaleInfo& locale, char widestDigit);

class DatePickerLogic {
  public:
    // Takes today's day, month and year and fills the month and year lists.
    DatePickerLogic();

    // The panel was opened (true) or closed (false).
    std::function<void(bool)> onOpenChanged;
    // The control wrote a new date text.
    std::function<void(const std::string&)> onTextWritten;
    // The Click event.
    std::function<void()> onClick;
    // The keyboard focus should move to the month list.
    std::function<void()> onFocusMonthList;
    // The book's date style (0 when not given).
    std::function<int()> dateStyle;
    // Where DateChangedFlag lives; without one the flag is kept here.
    RunTimeState* runTime = nullptr;

    // --- the date text ---
    const std::string& text() const { return text_; }
    // Set by the host: the text is written as given.
    void setText(const std::string& t);
    // Set by the host for a day: the text is written as given, and while it
    // stands the panel opens on that day (readDateBox), which a style with a
    // two-digit year would read back in another century.
    void setDayText(const std::string& t, double day);
    // Typed by the user: taken without writing it back.
    void takeTypedText(const std::string& t) { text_ = t; }
    std::uint32_t foreColor() const { return foreColor_; }
    void setForeColor(std::uint32_t c) { foreColor_ = c; }

    // --- the chosen date ---
    // Built from day, month and year; a day past the month's end becomes its
    // last day; a month or year that cannot form a date gives today.
    double TheDate();
    void setTheDate(double date);
    const std::string& dayText() const { return dayText_; }
    const std::string& monthText() const { return monthText_; }
    const std::string& yearText() const { return yearText_; }

    // --- the panel ---
    bool isOpen() const { return open_; }
    const month_grid::Cells& cells() const { return cells_; }
    const std::array<bool, 7>& headings() const { return headings_; }
    const std::vector<std::string>& monthList() const { return monthList_; }
    const std::vector<std::string>& yearList() const { return yearList_; }
    std::string dayTooltip(int cell) const;

    // The face was clicked: opens, or closes with Click.
    void faceClick();
    // A day cell was clicked: the day is taken, the panel closes with Click.
    // False (and nothing done) for a blank cell or a closed panel.
    bool pickDay(int cell);
    // Previous (0) or next (1) month; the choice moves to that month's last day.
    void monthArrow(int item);
    void chooseMonth(const std::string& name);
    void chooseYear(const std::string& year);
    // Closes the panel without Click.
    void WLoss();

    std::int16_t dateChangedFlag() const;

  private:
    void calcDate(std::string day, std::string month, std::string year, bool listsOnly);
    void takeDate(double date);
    int monthNumber(const std::string& month) const;
    void listYear(int year);
    void writeText(const std::string& t);
    std::string format(double date) const;
    void setFlag();

    std::string text_;
    std::optional<KeptDate> given_; // the day the host gave with its text
    std::uint32_t foreColor_ = ole::SystemWindowText;
    std::string dayText_, monthText_, yearText_;
    bool open_ = false;
    bool chosen_ = false; // a day, month or year was chosen since the panel opened
    month_grid::Cells cells_{};
    std::array<bool, 7> headings_{};
    std::vector<std::string> monthList_;
    std::vector<std::string> yearList_;
    std::int16_t localFlag_ = 0;
};
