#include "book/text_form_dates.h"

#include "book/book_text_forms.h"
#include "book/tmain.h"

namespace textforms {

namespace {

// The longest part of a line a question shows.
constexpr std::size_t ShownLineBytes = 120;

std::string shownLine(std::string_view fileText, int number) {
    LineReader lines(fileText);
    std::string_view line;
    while (lines.next(line))
        if (lines.lineNumber() == number) break;
    if (line.size() <= ShownLineBytes) return std::string(line);
    std::size_t cut = ShownLineBytes;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut; // not inside a character
    return std::string(line.substr(0, cut)) + "...";
}

} // namespace

FileDates::FileDates(const LocaleInfo& locale) : locale_(locale) {
    const DateOrder own = dateOrderOf(locale.shortDatePattern);
    // A fixed style reads "/", "-" and the locale's separator; style 0 adds
    // the locale's own pattern (month names, "yyyy. MM. dd.").
    auto way = [&](int style) { return Way{style, {Tmain::DateStyleReader(style, locale)}}; };
    ways_ = {way(1), way(5)};
    if (own == DateOrder::DayMonthYear) ways_[0].readers.emplace_back(0, locale);
    if (own == DateOrder::MonthDayYear) ways_[1].readers.emplace_back(0, locale);
    if (own == DateOrder::YearMonthDay) ways_.push_back(way(0));
}

std::string dateOrderName(int dateStyle, const LocaleInfo& locale) {
    switch (dateOrderOf(Tmain::DateStylePattern(dateStyle, locale))) {
    case DateOrder::DayMonthYear:
        return "day first";
    case DateOrder::MonthDayYear:
        return "month first";
    default:
        return "year first";
    }
}

std::string FileDates::orderName(std::size_t way) const {
    return dateOrderName(ways_[way].style, locale_);
}

std::optional<double> FileDates::readIn(const Way& way, const std::string& text) const {
    for (const Tmain::DateStyleReader& reader : way.readers)
        if (auto day = reader.read(text)) return day;
    return std::nullopt;
}

std::optional<double> FileDates::add(std::string_view field, int line, std::string& fault) {
    field = trimSpaces(field);
    if (hasLast_ && field == lastText_) return lastKey_;
    const std::string text(field);
    auto [at, fresh] = keys_.try_emplace(text, static_cast<std::uint32_t>(texts_.size()));
    if (fresh) {
        // Every order still open read each date before; the ones that cannot
        // read this one close.
        DateText read{line, {}};
        bool anyOpenReads = false;
        for (std::size_t k = 0; k < ways_.size(); ++k) {
            if (!ways_[k].open) continue;
            read.day[k] = readIn(ways_[k], text);
            anyOpenReads = anyOpenReads || read.day[k].has_value();
        }
        if (!anyOpenReads) {
            std::string openNames;
            bool readsOtherwise = false;
            for (std::size_t k = 0; k < ways_.size(); ++k) {
                if (ways_[k].open)
                    openNames += (openNames.empty() ? "" : " or ") + orderName(k);
                else
                    readsOtherwise = readsOtherwise || readIn(ways_[k], text).has_value();
            }
            fault = "the date \"" + text + "\" cannot be read";
            if (readsOtherwise) fault += " " + openNames + " like the dates above it";
            return std::nullopt;
        }
        for (std::size_t k = 0; k < ways_.size(); ++k)
            if (!read.day[k]) ways_[k].open = false;
        texts_.push_back(read);
    }
    lastText_ = text;
    lastKey_ = at->second;
    hasLast_ = true;
    return lastKey_;
}

bool FileDates::sameDays(std::size_t a, std::size_t b) const {
    return firstDifference(a, b) == texts_.size();
}

std::size_t FileDates::firstDifference(std::size_t a, std::size_t b) const {
    for (std::size_t i = 0; i < texts_.size(); ++i)
        if (texts_[i].day[a] != texts_[i].day[b]) return i;
    return texts_.size();
}

std::string FileDates::shownDay(double day) const {
    int y = 0, m = 0, d = 0;
    Tmain::CalendarDate(day, y, m, d);
    return formatDatePattern("d MMMM yyyy", y, m, d, locale_);
}

std::string FileDates::question(std::string_view fileText, std::size_t a, std::size_t b,
                                const std::string& cancelDoes) const {
    const DateText& sample = texts_[firstDifference(a, b)];
    const std::string first = orderName(a), second = orderName(b);
    return "The dates in this file can be read in two ways that give different days, and the "
           "file does not say which way it was written.\n\nLine " +
           std::to_string(sample.firstLine) + ": " + shownLine(fileText, sample.firstLine) +
           "\nRead " + first + ", its date is " + shownDay(*sample.day[a]) + ".\nRead " + second +
           ", its date is " + shownDay(*sample.day[b]) + ".\n\nYes reads every date " + first +
           ", No reads every date " + second + ", Cancel " + cancelDoes + ".";
}

FileDates::Outcome FileDates::settle(std::string_view fileText, const DateOrderQuestion& ask,
                                     const std::string& cancelDoes, std::string& fault,
                                     int& faultLine) {
    // The orders that read every line, one for each set of days they give.
    std::vector<std::size_t> readings;
    for (std::size_t k = 0; k < ways_.size(); ++k) {
        if (!ways_[k].open) continue;
        bool known = false;
        for (std::size_t r : readings)
            known = known || sameDays(r, k);
        if (!known) readings.push_back(k);
    }
    while (readings.size() > 1) {
        const std::size_t a = readings[0], b = readings[1];
        if (!ask) {
            const DateText& sample = texts_[firstDifference(a, b)];
            faultLine = sample.firstLine;
            fault = "the dates can be read " + orderName(a) + " (this line's as " +
                    shownDay(*sample.day[a]) + ") or " + orderName(b) + " (as " +
                    shownDay(*sample.day[b]) + "), and the file does not say which";
            return Outcome::Unsettled;
        }
        const MessageAnswer answer = ask(question(fileText, a, b, cancelDoes));
        if (answer == MessageAnswer::Yes)
            readings.erase(readings.begin() + 1);
        else if (answer == MessageAnswer::No)
            readings.erase(readings.begin());
        else
            return Outcome::Cancelled;
    }
    chosen_ = readings.front();
    return Outcome::Settled;
}

double FileDates::dayOf(double key) const {
    return *texts_[static_cast<std::size_t>(key)].day[chosen_];
}

} // namespace textforms
