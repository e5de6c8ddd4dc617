#include "statements/qt/draw_balance_sheet.h"

#include "resources/string_table.h"
#include "statements/qt/draw_columns.h"
#include "statements/qt/draw_text.h"

namespace {

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

// The sheet's parts: each section shown with its heading, rows and total;
// each computed line shown; then the equity with the profit line, its rows
// and its balance.
std::vector<StatementPart> sheetParts(const BalanceSheet& bs, BalanceSheetLayout layout) {
    std::vector<StatementPart> parts;
    auto section = [&](int id, const BalanceSection& section, const std::string& total) {
        parts.push_back({{strings::text(id)}, nullptr, 2, 1});
        if (id == 270 && bs.profitShown())
            parts.push_back({{strings::text(204), 0, &bs.netProfitText, false}});
        parts.push_back({{}, &section.rows});
        parts.push_back({{strings::text(155), 1, &total}});
    };
    for (const Step& step : sheetSteps(bs, layout)) {
        if (step.section && step.section->shown())
            section(step.id, *step.section, step.section->totalText);
        else if (step.summary && step.summary->shown)
            parts.push_back(
                {{strings::text(step.id), 2, &step.summary->amountText}, nullptr, 2, 1});
    }
    if (bs.equity.shown()) section(270, bs.equity, bs.equityBalanceText);
    return parts;
}

} // namespace

double drawBalanceSheet(DrawTarget& t, const Book& book, const BalanceSheet& bs,
                        BalanceSheetLayout layout) {
    DrawingSurface& s = t.s;

    const std::string title = strings::text(257) + " " + bs.dateText;
    const std::vector<StatementPart> parts = sheetParts(bs, layout);
    const double w = s.ScaleWidth();
    const std::vector<AmountColumns> strips = startAmountColumns(
        t, book, parts, {{{book.BusinessName.str()}, 12, true, w}, {{title}, 10, true, w}});
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

        drawStatementParts(t, c, parts);
        return s.CurrentY + 400 - top;
    });
}
