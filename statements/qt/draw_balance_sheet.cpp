#include "statements/qt/draw_balance_sheet.h"

#include "resources/string_table.h"
#include "statements/qt/draw_columns.h"
#include "statements/qt/draw_text.h"

namespace {

struct SheetDrawing {
    DrawTarget& t;
    const AmountColumns& c;

    void heading(int id) {
        DrawingSurface& s = t.s;
        t.room(2 * s.TextHeight("W"));
        s.Print("");
        c.label(s, strings::text(id));
        s.Print("");
    }
    void labelled(const std::string& label, const std::string& amount, int column) {
        DrawingSurface& s = t.s;
        c.label(s, label, column);
        c.amount(s, amount, column);
        s.Print("");
    }
    void accountRows(const std::vector<StatementRow>& rows) {
        t.s.FontBold = false;
        const double h = t.s.TextHeight("W");
        t.eachLine(rows.size(), h, [&](std::size_t i) {
            labelled(rows[i].name, rows[i].amountText, 0);
            t.recordRow(rows[i].number);
        });
    }
    void section(int id, const BalanceSection& section) {
        if (!section.shown()) return;
        heading(id);
        accountRows(section.rows);
        t.s.FontBold = true;
        t.roomForLine();
        labelled(strings::text(155), section.totalText, 1);
    }
    void computed(int id, const BalanceSummary& summary) {
        if (!summary.shown) return;
        t.room(2 * t.s.TextHeight("W"));
        t.s.Print("");
        labelled(strings::text(id), summary.amountText, 2);
    }
};

// The layout's sections and computed lines, in their order: a section where
// `section` is set, else a computed line.
struct Step {
    int id;
    const BalanceSection* section;
    const BalanceSummary* summary;
};

std::vector<Step> sheetSteps(const BalanceSheet& bs, BalanceSheetLayout layout) {
    if (layout == BalanceSheetLayout::WorkingCapital)
        return {{264, &bs.currentAssets, nullptr},         {265, &bs.currentLiabilities, nullptr},
                {266, nullptr, &bs.workingCapital},        {267, &bs.nonCurrentAssets, nullptr},
                {268, &bs.nonCurrentLiabilities, nullptr}, {269, nullptr, &bs.workingNetAssets}};
    return {{264, &bs.currentAssets, nullptr},
            {259, &bs.nonCurrentAssets, nullptr},
            {258, nullptr, &bs.totalAssets},
            {260, &bs.currentLiabilities, nullptr},
            {261, &bs.nonCurrentLiabilities, nullptr},
            {262, nullptr, &bs.totalLiabilities},
            {263, nullptr, &bs.netAssets}};
}

} // namespace

double drawBalanceSheet(DrawTarget& t, const Book& book, const BalanceSheet& bs,
                        BalanceSheetLayout layout) {
    DrawingSurface& s = t.s;

    // Each amount in the weight it is drawn in: rows and the profit regular,
    // totals bold.
    std::vector<DrawnAmount> amounts{{&bs.netProfitText}, {&bs.equityBalanceText, true}};
    for (const BalanceSection* section :
         {&bs.currentAssets, &bs.currentLiabilities, &bs.nonCurrentAssets,
          &bs.nonCurrentLiabilities, &bs.equity}) {
        amounts.push_back({&section->totalText, true});
        for (const StatementRow& row : section->rows)
            amounts.push_back({&row.amountText});
    }
    for (const BalanceSummary* summary : {&bs.workingCapital, &bs.workingNetAssets, &bs.totalAssets,
                                          &bs.totalLiabilities, &bs.netAssets})
        amounts.push_back({&summary->amountText, true});
    const std::string title = strings::text(257) + " " + bs.dateText;
    const std::vector<Step> steps = sheetSteps(bs, layout);
    // Every label the sheet may draw, beside the amount column it is drawn with.
    std::vector<ColumnLabel> labels = {
        {strings::text(155), 1}, {strings::text(204), 0, false}, {strings::text(270)}};
    for (const Step& step : steps)
        labels.push_back({strings::text(step.id), step.section ? AmountColumns::Count : 2});
    const std::vector<AmountColumns> strips =
        startAmountColumns(t, book, amounts, {{book.BusinessName.str(), 12}, {title, 10}}, labels);
    return drawStrips(t, strips, [&](const AmountColumns& c) {
        const double top = s.CurrentY;
        s.FontSize = 12 * t.scale;
        if (t.onWindow) s.Print("");
        s.Print("");
        c.heading(t, book.BusinessName.str());
        s.Print("");
        s.FontUnderline = true;
        s.FontSize = 10 * t.scale;
        c.heading(t, title);
        s.FontUnderline = false;

        SheetDrawing d{t, c};
        for (const Step& step : steps) {
            if (step.section)
                d.section(step.id, *step.section);
            else
                d.computed(step.id, *step.summary);
        }
        if (bs.equity.shown()) {
            d.heading(270);
            s.FontBold = false;
            if (bs.profitShown()) {
                t.roomForLine();
                d.labelled(strings::text(204), bs.netProfitText, 0);
            }
            d.accountRows(bs.equity.rows);
            s.FontBold = true;
            t.roomForLine();
            d.labelled(strings::text(155), bs.equityBalanceText, 1);
        }
        return s.CurrentY + 400 - top;
    });
}
