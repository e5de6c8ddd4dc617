#include "statements/qt/draw_trial_balance.h"

#include "resources/string_table.h"
#include "statements/qt/draw_text.h"

namespace {

constexpr RgbColor HeadingFill = 0xE0E0E0;
constexpr RgbColor BandFill = 0xF0F0F0;
constexpr RgbColor Red = 0x0000FF;

} // namespace

double drawTrialBalance(DrawTarget& t, const Book& book, const TrialBalance& tb) {
    DrawingSurface& s = t.s;
    const double top = s.CurrentY;
    const double w = s.ScaleWidth();
    const double pixel = TwipsPerScreenPixel;
    s.FontName = book.FontName.str();
    s.ForeColor = 0;
    s.FontBold = true;
    s.Print("");
    s.FontSize = 12 * t.scale;
    if (t.onWindow) {
        s.Print("");
        s.Print("");
    }
    printCentred(s, book.BusinessName.str());
    s.FontSize = 10 * t.scale;
    s.Print("");
    s.FontUnderline = true;
    printCentred(s, strings::text(167) + " " + tb.dateText);
    s.FontUnderline = false;
    s.Print("");

    // Heading boxes.
    t.room(300 * t.scale + s.TextHeight("W"));
    const double headTop = s.CurrentY;
    const double boxes[3][2] = {{0.02, 0.58}, {0.60, 0.76}, {0.78, 0.94}};
    for (const auto& b : boxes) {
        s.FilledBox(b[0] * w, headTop - 4 * pixel, b[1] * w, headTop + 300 * t.scale, HeadingFill);
        s.Box(b[0] * w, headTop - 4 * pixel, b[1] * w, headTop + 300 * t.scale, 0);
    }
    s.CurrentY = headTop;
    const std::string accounts = strings::text(156), debit = strings::text(162),
                      credit = strings::text(163);
    s.CurrentX = (0.58 * w - s.TextWidth(accounts)) / 2 + 0.02 * w;
    s.PrintInline(accounts);
    s.CurrentX = (0.18 * w - s.TextWidth(debit)) / 2 + 0.59 * w;
    s.PrintInline(debit);
    s.CurrentX = (0.18 * w - s.TextWidth(credit)) / 2 + 0.77 * w;
    s.Print(credit);
    s.Print("");
    s.FontBold = false;

    bool band = false;
    const double lineHeight = s.TextHeight("W");
    for (const TrialBalanceRow& row : tb.rows) {
        if (!row.shown()) continue;
        t.roomForLine();
        if (t.onWindow && (s.CurrentY > s.ScaleHeight() || s.CurrentY + lineHeight < 0)) {
            // Out of sight on the window: only its place is kept.
            band = !band;
            s.CurrentY += lineHeight;
            t.recordRow(row.number);
            continue;
        }
        if (!band) {
            const double y = s.CurrentY;
            s.FilledBox(0.02 * w, y, 0.94 * w, y + s.TextHeight("W") * t.scale, BandFill);
            s.CurrentY = y;
        }
        band = !band;
        if (row.number == Currency::fromUnits(1)) s.ForeColor = Red;
        s.CurrentX = 0.02 * w;
        s.PrintInline(row.numberText);
        s.CurrentX = 0.116 * w;
        s.PrintInline(row.name);
        printRightAligned(s, row.amountText, (row.isDebit() ? 0.76 : 0.94) * w);
        s.Print("");
        t.recordRow(row.number);
        s.ForeColor = 0;
    }

    t.room(2 * s.TextHeight("W"));
    s.Print("");
    s.CurrentX = 20 * pixel;
    s.FontBold = true;
    s.PrintInline(strings::text(164));
    printRightAligned(s, tb.debitTotalText, 0.76 * w);
    printRightAligned(s, tb.creditTotalText, 0.94 * w);
    s.Print("");
    return s.CurrentY + 400 - top;
}
