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
        s.CurrentX = c.left;
        s.Print(strings::text(id));
    }
    void labelled(const std::string& label, const std::string& amount, int column) {
        DrawingSurface& s = t.s;
        s.CurrentX = c.left;
        s.PrintInline(label);
        printRightAligned(s, amount, c.right(column));
        s.Print("");
    }
    void accountRows(const std::vector<StatementRow>& rows) {
        for (const StatementRow& row : rows) {
            t.roomForLine();
            t.s.FontBold = false;
            labelled(row.name, row.amountText, 0);
            t.recordRow(row.number);
        }
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

} // namespace

double drawBalanceSheet(DrawTarget& t, const Book& book, const BalanceSheet& bs,
                        BalanceSheetLayout layout) {
    DrawingSurface& s = t.s;
    const double top = s.CurrentY;
    s.FontName = book.FontName.str();
    s.ForeColor = 0;

    s.FontSize = 10 * t.scale;
    s.FontBold = true;
    std::vector<const std::string*> amounts{&bs.netProfitText, &bs.equityBalanceText};
    for (const BalanceSection* section :
         {&bs.currentAssets, &bs.currentLiabilities, &bs.nonCurrentAssets,
          &bs.nonCurrentLiabilities, &bs.equity}) {
        amounts.push_back(&section->totalText);
        for (const StatementRow& row : section->rows)
            amounts.push_back(&row.amountText);
    }
    for (const BalanceSummary* summary : {&bs.workingCapital, &bs.workingNetAssets, &bs.totalAssets,
                                          &bs.totalLiabilities, &bs.netAssets})
        amounts.push_back(&summary->amountText);
    const AmountColumns c = measureAmountColumns(s, book, amounts);
    if (t.onWindow) drawSideBands(s, c.left, s.ScaleHeight());

    s.FontSize = 12 * t.scale;
    if (t.onWindow) s.Print("");
    s.Print("");
    printCentred(s, book.BusinessName.str());
    s.Print("");
    s.FontUnderline = true;
    s.FontSize = 10 * t.scale;
    printCentred(s, strings::text(257) + " " + bs.dateText);
    s.FontUnderline = false;

    SheetDrawing d{t, c};
    if (layout == BalanceSheetLayout::WorkingCapital) {
        d.section(264, bs.currentAssets);
        d.section(265, bs.currentLiabilities);
        d.computed(266, bs.workingCapital);
        d.section(267, bs.nonCurrentAssets);
        d.section(268, bs.nonCurrentLiabilities);
        d.computed(269, bs.workingNetAssets);
    } else {
        d.section(264, bs.currentAssets);
        d.section(259, bs.nonCurrentAssets);
        d.computed(258, bs.totalAssets);
        d.section(260, bs.currentLiabilities);
        d.section(261, bs.nonCurrentLiabilities);
        d.computed(262, bs.totalLiabilities);
        d.computed(263, bs.netAssets);
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
}
