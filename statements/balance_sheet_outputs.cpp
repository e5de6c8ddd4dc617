#include "statements/balance_sheet_outputs.h"

#include "book/mail_draft.h"
#include "resources/string_table.h"
#include "statements/statement_frames.h"
#include "statements/statement_text.h"

using frame::CrLf;
using namespace markup;

namespace {

// One element of a layout as the three texts write it: a section, or a
// summary line shown under its condition. A text id of 0 means the element
// has no line in that text; `rtfText` stands in for an RTF id of -1.
struct Element {
    const BalanceSection* section = nullptr;
    const BalanceSummary* summary = nullptr;
    int rtfId = 0, tabId = 0, webId = 0;
    std::size_t rtfColumn = 1; // summaries: the RTF's amount column (totals' or the last)
    bool webTotalLast = false; // the section total in the last web cell
    const char* rtfText = "";
};

std::vector<Element> layoutOf(const BalanceSheet& bs, BalanceSheetLayout layout) {
    if (layout == BalanceSheetLayout::WorkingCapital)
        return {
            {&bs.currentAssets, nullptr, 264, 264, 264},
            {&bs.currentLiabilities, nullptr, 265, 260, 265},
            {nullptr, &bs.workingCapital, 266, 266, 266},
            {&bs.nonCurrentAssets, nullptr, 267, 267, 259},
            {&bs.nonCurrentLiabilities, nullptr, 268, 268, 261},
            {nullptr, &bs.workingNetAssets, -1, 0, 269, 1, false, "NET ASSETS"},
        };
    return {
        {&bs.currentAssets, nullptr, 264, 264, 264},
        {&bs.nonCurrentAssets, nullptr, 259, 259, 259},
        {nullptr, &bs.totalAssets, 258, 258, 258, 2},
        {&bs.currentLiabilities, nullptr, 260, 260, 265},
        {&bs.nonCurrentLiabilities, nullptr, 261, 261, 261, 1, true},
        {nullptr, &bs.totalLiabilities, 262, 262, 262, 2},
        {nullptr, &bs.netAssets, 263, 263, 263, 2},
    };
}

std::string title(const BalanceSheet& bs) {
    return strings::text(257) + " " + bs.dateText;
}

} // namespace

std::string balanceSheetTabText(const BalanceSheet& bs, BalanceSheetLayout layout) {
    std::string out = title(bs) + CrLf + CrLf;
    auto section = [&](const BalanceSection& s, const std::string& heading, bool capital) {
        out += heading + CrLf + (capital ? "" : CrLf);
        if (capital && bs.profitShown()) out += strings::text(204) + "\t" + bs.netProfitText + CrLf;
        for (const StatementRow& row : s.rows)
            out += row.name + "\t" + row.amountText + CrLf;
        out += strings::text(155) + "\t\t" + (capital ? bs.equityBalanceText : s.totalText) + CrLf +
               CrLf;
    };
    for (const Element& e : layoutOf(bs, layout)) {
        if (e.section && e.section->shown()) section(*e.section, strings::text(e.tabId), false);
        if (e.summary && e.summary->shown && e.tabId)
            out += strings::text(e.tabId) + "\t\t\t" + e.summary->amountText + CrLf + CrLf;
    }
    if (bs.equity.shown()) section(bs.equity, strings::text(270), true);
    return out;
}

std::string balanceSheetRtf(const BalanceSheet& bs, BalanceSheetLayout layout, const Book& book) {
    std::string out = frame::rtfOpening("Ledgerwick 5.0", book.BusinessName.str());
    out += "\\par" + CrLf + rtfEscaped(title(bs)) + "\\par" + CrLf + "\\fs24\\par" + CrLf +
           "\\b\\f1 \\b0" + CrLf;
    // Account figures end in column 42, section totals and the narrower
    // summaries in column 56, the wider summaries in column 70, unless a
    // wider figure moves them right.
    frame::RtfTable table({30, 44, 58});
    auto heading = [&](const std::string& text, bool first) {
        if (!first) table.markup("\\par" + CrLf);
        table.markup("\\b " + rtfEscaped(text) + "\\b0\\par" + CrLf);
    };
    for (const Element& e : layoutOf(bs, layout)) {
        if (e.section && e.section->shown()) {
            heading(strings::text(e.rtfId), e.section == &bs.currentAssets);
            for (const StatementRow& row : e.section->rows)
                table.row(row.name, 0, {row.amountText});
            table.boldRow(strings::text(155), 1, {e.section->totalText});
        }
        if (e.summary && e.summary->shown) {
            table.markup("\\par" + CrLf);
            table.boldRow(e.rtfId > 0 ? strings::text(e.rtfId) : e.rtfText, e.rtfColumn,
                          {e.summary->amountText});
        }
    }
    if (bs.equity.shown()) {
        heading(strings::text(270), false);
        if (bs.profitShown()) table.row(strings::text(204), 0, {bs.netProfitText});
        for (const StatementRow& row : bs.equity.rows)
            table.row(row.name, 0, {row.amountText});
        table.boldRow(strings::text(155), 1, {bs.equityBalanceText});
    }
    return out + table.rtf() + "}";
}

std::string balanceSheetWebPage(const BalanceSheet& bs, BalanceSheetLayout layout,
                                const Book& book) {
    using frame::bold;
    using frame::boldBreak;
    using frame::webRow;
    std::string out =
        frame::webOpening("center", book.BusinessName.str(), "<br><br>" + htmlEscaped(title(bs)));
    const bool working = layout == BalanceSheetLayout::WorkingCapital;
    auto text = [](int id) { return htmlEscaped(strings::text(id)); };
    auto items = [&](const BalanceSection& s) {
        for (const StatementRow& row : s.rows)
            out += webRow(htmlEscaped(row.name), htmlEscaped(row.amountText));
    };
    for (const Element& e : layoutOf(bs, layout)) {
        if (e.section && e.section->shown()) {
            const bool first = e.section == &bs.currentAssets;
            out += webRow(first ? bold(text(e.webId)) : boldBreak(text(e.webId)));
            items(*e.section);
            const std::string total = bold(htmlEscaped(e.section->totalText));
            out += e.webTotalLast ? webRow(bold(text(155)), "", "", total)
                                  : webRow(bold(text(155)), "", total);
        }
        if (e.summary && e.summary->shown)
            out += webRow(working ? bold(text(e.webId)) : boldBreak(text(e.webId)), "", "",
                          bold(htmlEscaped(e.summary->amountText)));
    }
    if (bs.equity.shown()) {
        out += webRow(boldBreak(text(270)));
        if (bs.profitShown()) out += webRow(text(204), htmlEscaped(bs.netProfitText));
        items(bs.equity);
        out += webRow(bold(text(155)), "", bold(htmlEscaped(bs.equityBalanceText)));
    }
    return out + frame::WebClosing;
}

std::string balanceSheetMailSubject(const BalanceSheet& bs, const Book& book) {
    return businessHeading(book.BusinessName.str(), ",", title(bs));
}

ExportResult writeBalanceSheetSpreadsheet(const BalanceSheet& bs, const Book& book,
                                          const std::filesystem::path& path, double twipsPerPixel) {
    using namespace frame;
    Sheet sheet(path, book, {500, 100, 100, 100}, twipsPerPixel);
    auto band = [&](const CellKind& kind, const std::string& text = "") {
        textRow(sheet, kind, kind, text);
    };
    auto spacer = [&] { band(PlainLeft); };
    auto section = [&](const BalanceSection& s, int heading, const CellKind& second = BoldLeft) {
        band(BoldLeft, strings::text(heading));
        for (const StatementRow& row : s.rows)
            itemRow(sheet, row.name, row.amountText);
        totalRow(sheet, strings::text(155), s.totalText, second);
    };
    auto summary = [&](int label, const BalanceSummary& line) {
        spacer();
        summaryRow(sheet, strings::text(label), line.amountText);
    };
    band(TopBand);
    band(TopBand, book.BusinessName.str());
    band(TopBand);
    band(BoldLeft, title(bs));
    band(BoldLeft);
    if (bs.currentAssets.shown()) section(bs.currentAssets, 264);
    spacer();
    if (bs.currentLiabilities.shown()) section(bs.currentLiabilities, 265);
    if (bs.workingCapital.shown) summary(266, bs.workingCapital);
    if (bs.nonCurrentAssets.shown()) {
        spacer();
        section(bs.nonCurrentAssets, 259);
    }
    if (bs.nonCurrentLiabilities.shown()) {
        spacer();
        section(bs.nonCurrentLiabilities, 261, BoldRight);
    }
    if (bs.workingNetAssets.shown) summary(269, bs.workingNetAssets);
    if (bs.equity.shown()) {
        spacer();
        sheet.cell(1, BoldLeft, strings::text(270));
        sheet.nextRow();
        if (bs.profitShown()) itemRow(sheet, strings::text(204), bs.netProfitText);
        for (const StatementRow& row : bs.equity.rows)
            itemRow(sheet, row.name, row.amountText);
        totalRow(sheet, strings::text(155), bs.equityBalanceText);
    }
    return sheet.close();
}

ExportResult exportBalanceSheet(const BalanceSheet& bs, BalanceSheetLayout layout, const Book& book,
                                const std::filesystem::path& path, const std::string& extension,
                                double twipsPerPixel) {
    if (extension == "rtf") return writeExportText(path, balanceSheetRtf(bs, layout, book));
    if (extension == "htm")
        return writeExportText(path, balanceSheetWebPage(bs, layout, book) + CrLf);
    return writeBalanceSheetSpreadsheet(bs, book, path, twipsPerPixel);
}

std::optional<std::filesystem::path> mailBalanceSheet(const BalanceSheet& bs,
                                                      BalanceSheetLayout layout, const Book& book,
                                                      const std::string& caption) {
    return Tmain::OpenMailDraft("BalanceSheet", balanceSheetWebPage(bs, layout, book),
                                balanceSheetMailSubject(bs, book), caption);
}
