// The dates of a book in a text form (.txt, .csv). The forms write dates in
// the book's date style and do not say which style that was, so a reader
// takes each date in every order the styles write: day first (styles 1-4),
// month first (5-8) and the locale's short date (style 0, which may also be
// year first). The order that reads every line is taken; where several do and
// give different days, the user is asked which; a date is never changed
// without a word.
#pragma once

#include "book/tmain.h"
#include "platform/locale.h"
#include "platform/services.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace textforms {

// Asked when a file's dates read in two orders that give different days.
// Yes takes the first order the question names, No the second; Cancel (or
// any other answer) stops the reading.
using DateOrderQuestion = std::function<MessageAnswer(const std::string& question)>;

// The order `dateStyle` writes day, month and year in under `locale`, as the
// question names it: "day first", "month first" or "year first".
std::string dateOrderName(int dateStyle, const LocaleInfo& locale);

class FileDates {
  public:
    explicit FileDates(const LocaleInfo& locale);

    // Reads the date field of the journal line on file line `line` in every
    // order that has read each date so far. The result stands for the date
    // until the order is settled (dayOf); nullopt, with `fault`, when no such
    // order reads it.
    std::optional<double> add(std::string_view field, int line, std::string& fault);

    enum class Outcome { Settled, Unsettled, Cancelled };
    // After the last line: settles the order, asking `ask` when orders that
    // read every line give different days. `fileText` is the file (for the
    // line the question shows), `cancelDoes` what Cancel does ("opens
    // nothing ..."). Unsettled (no one to ask) gives `fault` and its line.
    Outcome settle(std::string_view fileText, const DateOrderQuestion& ask,
                   const std::string& cancelDoes, std::string& fault, int& faultLine);

    // The day a result of add() stands for, in the settled order.
    double dayOf(double key) const;

  private:
    struct Way {
        int style;                                   // names the order
        std::vector<Tmain::DateStyleReader> readers; // tried in turn
        bool open = true;                            // has read every date so far
    };
    struct DateText {
        int firstLine = 0;                        // the file line it first stands on
        std::array<std::optional<double>, 3> day; // per way
    };

    std::string orderName(std::size_t way) const;
    std::optional<double> readIn(const Way& way, const std::string& text) const;
    bool sameDays(std::size_t a, std::size_t b) const;
    // The first date text the two ways read as different days.
    std::size_t firstDifference(std::size_t a, std::size_t b) const;
    std::string question(std::string_view fileText, std::size_t a, std::size_t b,
                         const std::string& cancelDoes) const;
    std::string shownDay(double day) const;

    LocaleInfo locale_;
    std::vector<Way> ways_;
    std::vector<DateText> texts_;
    std::unordered_map<std::string, std::uint32_t> keys_;
    std::string lastText_;
    std::uint32_t lastKey_ = 0;
    bool hasLast_ = false;
    std::size_t chosen_ = 0;
};

} // namespace textforms
