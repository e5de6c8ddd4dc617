#include "toolkit/date_picker_logic.h"

#include "book/day_of_date.h"
#include "book/runtime_state.h"
#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

// A whole number of at most `maxDigits` digits; -1 for anything else.
int digitsValue(const std::string& text, std::size_t maxDigits) {
    const std::string s = trimmed(text);
    if (s.empty() || s.size() > maxDigits) return -1;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// The year of a year text; 0 when it names none a date can have.
int yearNumber(const std::string& text) {
    int y = digitsValue(text, 4);
    if (y < 0) return 0;
    if (trimmed(text).size() <= 2) y = Tmain::FullYear(y);
    return y >= 100 && y <= 9999 ? y : 0;
}

double today() {
    return dayOfDate(todayNumber());
}

} // namespace

std::vector<std::string> widestDateTexts(int dateStyle, const LocaleInfo& locale,
                                         char widestDigit) {
    std::vector<std::string> texts;
    for (int month = 1; month <= 12; ++month) {
        const double date = Tmain::DayNumber(2000, month, 28);
        for (Tmain::YearDigits year : {Tmain::YearDigits::AsStyle, Tmain::YearDigits::Four}) {
            std::string text = Tmain::FormatDateStyle(date, dateStyle, locale, year);
            for (char& c : text)
                if (c >= '0' && c <= '9') c = widestDigit;
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

DatePickerLogic::DatePickerLogic() {
    const LocaleInfo locale = currentLocale();
    monthList_.assign(locale.longMonthNames.begin(), locale.longMonthNames.end());
    int y, m, d;
    Tmain::CalendarDate(today(), y, m, d);
    for (int year = y - 200; year <= y + 200; ++year)
        yearList_.push_back(std::to_string(year));
    dayText_ = std::to_string(d);
    monthText_ = monthList_[m - 1];
    yearText_ = std::to_string(y);
    calcDate(dayText_, monthText_, yearText_, false);
}

void DatePickerLogic::setText(const std::string& t) {
    given_.reset();
    text_ = t;
    if (onTextWritten) onTextWritten(text_);
}

void DatePickerLogic::setDayText(const std::string& t, double day) {
    writeText(t);
    given_ = KeptDate{t, day};
}

void DatePickerLogic::writeText(const std::string& t) {
    if (t == text_) return;
    setText(t);
}

std::string DatePickerLogic::format(double date) const {
    return Tmain::FormatDateStyle(date, dateStyle ? dateStyle() : 0, currentLocale());
}

int DatePickerLogic::monthNumber(const std::string& month) const {
    const int n = digitsValue(month, 2);
    if (n >= 0) return n >= 1 && n <= 12 ? n : 0;
    const std::string wanted = trimmed(month);
    if (wanted.empty()) return 0;
    const LocaleInfo locale = currentLocale();
    for (int i = 0; i < 12; ++i)
        if (Tmain::SpellsMonthName(wanted, locale.longMonthNames[i]) ||
            Tmain::SpellsMonthName(wanted, locale.shortMonthNames[i]) ||
            (i < static_cast<int>(monthList_.size()) &&
             Tmain::SpellsMonthName(wanted, monthList_[i])))
            return i + 1;
    return 0;
}

void DatePickerLogic::listYear(int year) {
    const std::string text = std::to_string(year);
    auto pos = std::lower_bound(yearList_.begin(), yearList_.end(), year,
                                [](const std::string& s, int y) { return std::stoi(s) < y; });
    if (pos == yearList_.end() || *pos != text) yearList_.insert(pos, text);
}

double DatePickerLogic::TheDate() {
    const int month = monthNumber(monthText_);
    const int year = yearNumber(yearText_);
    double date;
    if (month == 0 || year == 0) {
        // No date can be formed from these lists: take today.
        date = today();
        takeDate(date);
    } else {
        int day = digitsValue(dayText_, 2);
        if (!Tmain::IsValidDate(year, month, day)) {
            day = Tmain::DaysInMonth(year, month);
            dayText_ = std::to_string(day);
        }
        date = Tmain::DayNumber(year, month, day);
    }
    headings_[Tmain::Weekday(date) - 1] = true;
    return date;
}

void DatePickerLogic::takeDate(double date) {
    int y, m, d;
    Tmain::CalendarDate(date, y, m, d);
    dayText_ = std::to_string(d);
    monthText_ = monthList_[m - 1];
    yearText_ = std::to_string(y);
}

void DatePickerLogic::setTheDate(double date) {
    takeDate(date);
    calcDate(dayText_, monthText_, yearText_, false);
}

void DatePickerLogic::calcDate(std::string day, std::string month, std::string year,
                               bool listsOnly) {
    headings_.fill(false);
    int m = monthNumber(month);
    int y = yearNumber(year);
    if (m == 0 || y == 0) {
        // A month or year that cannot form a date: the choice becomes today.
        takeDate(today());
        day = dayText_;
        year = yearText_;
        m = monthNumber(monthText_);
        y = yearNumber(yearText_);
    }
    month = monthList_[m - 1];
    monthText_ = month;
    yearText_ = year;
    listYear(y);
    if (listsOnly) return;
    const int chosen = std::max(0, digitsValue(day, 2));
    cells_ = month_grid::build(y, m, chosen, today());
}

std::string DatePickerLogic::dayTooltip(int cell) const {
    if (cell < 0 || cell >= month_grid::CellCount || cells_[cell].day == 0) return "";
    return std::to_string(cells_[cell].day) + " " + monthText_ + " " + yearText_;
}

void DatePickerLogic::faceClick() {
    if (open_) {
        open_ = false;
        if (onOpenChanged) onOpenChanged(false);
        // Closed without a choice: the text stays as it was, character for character.
        if (chosen_) writeText(format(TheDate()));
        foreColor_ = 0;
        if (onClick) onClick();
        return;
    }
    foreColor_ = ole::rgb(0, 0, 255);
    // A text that is no date opens the panel on today without touching the text.
    setTheDate(
        readDateBox(text_, given_, today(), dateStyle ? dateStyle() : 0, currentLocale()).day);
    chosen_ = false;
    open_ = true;
    if (onOpenChanged) onOpenChanged(true);
}

bool DatePickerLogic::pickDay(int cell) {
    if (!open_ || cell < 0 || cell > month_grid::LastDayCell || !cells_[cell].enabled) return false;
    for (int i = 0; i <= month_grid::LastDayCell; ++i)
        cells_[i].textColour = month_grid::DayText;
    setFlag();
    cells_[cell].textColour = month_grid::ChosenText;
    dayText_ = std::to_string(cells_[cell].day);
    chosen_ = true;
    calcDate(dayText_, monthText_, yearText_, true);
    writeText(format(TheDate()));
    faceClick();
    return true;
}

void DatePickerLogic::monthArrow(int item) {
    int y, m, d;
    Tmain::CalendarDate(TheDate(), y, m, d);
    m += item == 1 ? 1 : -1;
    if (m < 1) {
        m = 12;
        yearText_ =
            std::to_string(static_cast<long long>(Tmain::LeadingNumberValue(yearText_)) - 1);
    } else if (m >= 13) {
        m = 1;
        yearText_ =
            std::to_string(static_cast<long long>(Tmain::LeadingNumberValue(yearText_)) + 1);
    }
    if (const int year = yearNumber(yearText_))
        dayText_ = std::to_string(Tmain::DaysInMonth(year, m));
    calcDate(dayText_, std::to_string(m), yearText_, false);
    chosen_ = true;
    writeText(format(TheDate()));
    if (onFocusMonthList) onFocusMonthList();
}

void DatePickerLogic::chooseMonth(const std::string& name) {
    calcDate("", name, yearText_, false);
    chosen_ = true;
    writeText(format(TheDate()));
    for (int i = 0; i <= month_grid::LastDayCell; ++i)
        if (cells_[i].day != 0 && std::to_string(cells_[i].day) == dayText_)
            cells_[i].textColour = month_grid::ChosenText;
}

void DatePickerLogic::chooseYear(const std::string& year) {
    calcDate("", monthText_, year, false);
    chosen_ = true;
    writeText(format(TheDate()));
}

void DatePickerLogic::WLoss() {
    if (!open_) return;
    open_ = false;
    if (onOpenChanged) onOpenChanged(false);
}

void DatePickerLogic::setFlag() {
    if (runTime)
        runTime->DateChangedFlag = 1;
    else
        localFlag_ = 1;
}

std::int16_t DatePickerLogic::dateChangedFlag() const {
    return runTime ? runTime->DateChangedFlag : localFlag_;
}
