#include "book/date_box.h"

#include "book/tmain.h"
#include "book/typed_input.h"

DateBoxReading readDateBox(const std::string& shown, const std::optional<KeptDate>& kept,
                           double fallback, int dateStyle, const LocaleInfo& locale) {
    DateBoxReading r;
    if (kept && shown == kept->text) {
        r.day = kept->day;
        r.text = kept->text;
        return r;
    }
    if (const std::optional<double> typed = Tmain::ParseDateStyle(shown, dateStyle, locale)) {
        r.day = *typed;
    } else {
        r.day = fallback;
        r.problem = InvalidDateText;
    }
    r.text = Tmain::FormatDateStyle(r.day, dateStyle, locale);
    return r;
}
