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

// A section of the statement: its heading, rows and closing line (its label
// and the amount in column 1), drawn where it is shown.
struct Section {
    bool shown;
    int heading;
    const std::vector<IncomeRow>* rows;
    int closing;
    const std::string* closingText;
};

std::vector<Section> sectionsOf(const IncomeStatement& is) {
    return {{is.revenueShown(), 201, &is.sums.revenue, 155, &is.revenueTotalText},
            {is.costShown(), 202, &is.sums.cost, 206, &is.grossProfitText},
            {is.expensesShown(), 200, &is.sums.expenses, 155, &is.expenseTotalText}};
}

void drawSection(DrawTarget& t, const AmountColumns& c, const Section& section) {
    DrawingSurface& s = t.s;
    t.room(3 * s.TextHeight("W"));
    s.Print("");
    c.label(s, strings::text(section.heading));
    s.Print("");
    s.Print("");
    s.FontBold = false;
    const double h = s.TextHeight("W");
    const auto& rows = *section.rows;
    t.eachLine(rows.size(), h, [&](std::size_t i) {
        c.label(s, rows[i].name, 0);
        c.amount(s, rows[i].amountText, 0);
        s.Print("");
        t.recordRow(rows[i].number);
    });
    s.FontBold = true;
    t.room(2 * s.TextHeight("W"));
    s.Print("");
    c.label(s, strings::text(section.closing), 1);
    c.amount(s, *section.closingText, 1);
    s.Print("");
}

} // namespace

double drawIncomeStatement(DrawTarget& t, const Book& book, const IncomeStatement& is) {
    DrawingSurface& s = t.s;

    // Columns sized by the widest amount written, each in its weight.
    std::vector<DrawnAmount> amounts;
    for (const std::string* total : {&is.revenueTotalText, &is.costTotalText, &is.expenseTotalText,
                                     &is.grossProfitText, &is.netProfitText})
        amounts.push_back({total, true});
    for (const auto* list : {&is.sums.revenue, &is.sums.cost, &is.sums.expenses})
        for (const IncomeRow& row : *list)
            amounts.push_back({&row.amountText});
    const std::string title = withoutDots(strings::text(134));
    const std::string period = is.startText + " to " + is.endText;
    const std::vector<Section> sections = sectionsOf(is);
    std::vector<ColumnLabel> labels = {{strings::text(is.netLabelId), 2}};
    for (const Section& section : sections) {
        labels.push_back({strings::text(section.heading)});
        labels.push_back({strings::text(section.closing), 1});
    }
    const std::vector<AmountColumns> strips = startAmountColumns(
        t, book, amounts, {{book.BusinessName.str(), 12}, {title, 12}, {period, 10}}, labels);
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

        for (const Section& section : sections)
            if (section.shown) drawSection(t, c, section);
        if (is.netShown()) {
            s.FontBold = true;
            t.room(2 * s.TextHeight("W"));
            s.Print("");
            c.label(s, strings::text(is.netLabelId), 2);
            c.amount(s, is.netProfitText, 2);
            s.Print("");
        }
        return s.CurrentY + 590 - top;
    });
}
