#include "statements/qt/draw_income_statement.h"

#include "resources/string_table.h"
#include "statements/qt/draw_columns.h"
#include "statements/qt/draw_text.h"

#include <algorithm>

namespace {

std::string withoutDots(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '.'), s.end());
    return s;
}

// The statement's parts: each section shown with its heading, rows and
// closing line (its label and the amount in column 1), then the net line.
std::vector<StatementPart> incomeParts(const IncomeStatement& is) {
    struct Section {
        bool shown;
        int heading;
        const std::vector<IncomeRow>* rows;
        int closing;
        const std::string* closingText;
    };
    const Section sections[] = {
        {is.revenueShown(), 201, &is.sums.revenue, 155, &is.revenueTotalText},
        {is.costShown(), 202, &is.sums.cost, 206, &is.grossProfitText},
        {is.expensesShown(), 200, &is.sums.expenses, 155, &is.expenseTotalText}};
    std::vector<StatementPart> parts;
    for (const Section& section : sections) {
        if (!section.shown) continue;
        parts.push_back({{strings::text(section.heading)}, nullptr, 3, 1, 1});
        parts.push_back({{}, section.rows});
        parts.push_back({{strings::text(section.closing), 1, section.closingText}, nullptr, 2, 1});
    }
    if (is.netShown())
        parts.push_back({{strings::text(is.netLabelId), 2, &is.netProfitText}, nullptr, 2, 1});
    return parts;
}

} // namespace

double drawIncomeStatement(DrawTarget& t, const Book& book, const IncomeStatement& is) {
    DrawingSurface& s = t.s;

    const std::string title = withoutDots(strings::text(134));
    const std::string period = is.startText + " to " + is.endText;
    const std::vector<StatementPart> parts = incomeParts(is);
    const double w = s.ScaleWidth();
    const std::vector<AmountColumns> strips = startAmountColumns(
        t, book, parts, {{{book.BusinessName.str(), title}, 12, true, w}, {{period}, 10, true, w}});
    return drawStrips(t, strips, [&](const AmountColumns& c) {
        const double top = s.CurrentY;
        s.FontSize = 12 * t.scale;
        if (t.onWindow) s.Print("");
        s.FontBold = true;
        s.Print("");
        c.heading(t, book.BusinessName.str());
        s.FontSize = 5;
        s.Print("");
        s.FontSize = 12 * t.scale;
        c.heading(t, title);
        s.FontSize = 5;
        s.Print("");
        s.FontSize = 10 * t.scale;
        s.FontUnderline = true;
        c.heading(t, period);
        s.FontUnderline = false;

        drawStatementParts(t, c, parts);
        return s.CurrentY + 590 - top;
    });
}
