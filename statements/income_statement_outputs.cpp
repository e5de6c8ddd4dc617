#include "statements/income_statement_outputs.h"

#include "book/mail_draft.h"
#include "resources/string_table.h"
#include "statements/statement_frames.h"
#include "statements/statement_text.h"

#include <algorithm>

using frame::CrLf;
using namespace markup;

namespace {

// A section of the statement as its outputs write it.
struct Section {
    int heading;
    const std::vector<IncomeRow>* rows;
    int totalLabel;
    const std::string* total;
};

std::vector<Section> sectionsOf(const IncomeStatement& is) {
    std::vector<Section> out;
    if (is.revenueShown()) out.push_back({201, &is.sums.revenue, 155, &is.revenueTotalText});
    if (is.costShown()) out.push_back({202, &is.sums.cost, 206, &is.grossProfitText});
    if (is.expensesShown()) out.push_back({200, &is.sums.expenses, 155, &is.expenseTotalText});
    return out;
}

// "Income Statement" without the dots of its string.
std::string plainTitle() {
    std::string title = strings::text(134);
    title.erase(std::remove(title.begin(), title.end(), '.'), title.end());
    return title;
}

} // namespace

std::string incomeStatementTabText(const IncomeStatement& is) {
    std::string out;
    for (const Section& section : sectionsOf(is)) {
        out += strings::text(section.heading) + CrLf + CrLf;
        for (const IncomeRow& row : *section.rows)
            out += row.name + "\t" + row.amountText + CrLf;
        out += CrLf + strings::text(section.totalLabel) + "\t\t" + *section.total + CrLf + CrLf;
    }
    if (is.netShown())
        out += CrLf + strings::text(is.netLabelId) + "\t\t\t" + is.netProfitText + CrLf + CrLf;
    return out;
}

std::string incomeStatementRtf(const IncomeStatement& is, const Book& book) {
    std::string out = frame::rtfOpening("Ledgerwick 5.0", book.BusinessName.str());
    out += "\\par" + CrLf + rtfEscaped(strings::text(205) + " " + is.endText) + "\\par" + CrLf +
           "\\fs24\\par" + CrLf + "\\b\\f1 \\b0\\par" + CrLf;
    // Account figures end in column 44, totals in column 56, unless a wider
    // figure moves them right.
    frame::RtfTable table({32, 44});
    for (const Section& section : sectionsOf(is)) {
        if (section.heading != 201) table.markup("\\par" + CrLf); // revenue comes first
        table.markup("\\b " + rtfEscaped(strings::text(section.heading)) + "\\b0\\par" + CrLf +
                     "\\par" + CrLf);
        for (const IncomeRow& row : *section.rows)
            table.row(row.name, 0, {row.amountText});
        table.markup("\\par" + CrLf);
        table.boldRow(strings::text(section.totalLabel), 1, {*section.total});
    }
    if (is.netShown()) {
        table.markup("\\par" + CrLf);
        table.boldRow(strings::text(is.netLabelId), 1, {is.netProfitText});
    }
    return out + table.rtf() + "}";
}

std::string incomeStatementWebPage(const IncomeStatement& is, const Book& book) {
    using frame::bold;
    using frame::webRow;
    std::string out = frame::webOpening("center", book.BusinessName.str(),
                                        "<br><br>" + htmlEscaped(plainTitle()) + "<br><br>" +
                                            htmlEscaped(is.startText + " To " + is.endText));
    for (const Section& section : sectionsOf(is)) {
        if (section.heading != 201) out += webRow("");
        out += webRow(bold(htmlEscaped(strings::text(section.heading))));
        for (const IncomeRow& row : *section.rows)
            out += webRow(htmlEscaped(row.name), htmlEscaped(row.amountText));
        out += webRow(bold(htmlEscaped(strings::text(section.totalLabel))), "",
                      bold(htmlEscaped(*section.total)));
    }
    if (is.netShown())
        out += webRow("") + webRow(bold(htmlEscaped(strings::text(is.netLabelId))), "", "",
                                   bold(htmlEscaped(is.netProfitText)));
    return out + frame::WebClosing;
}

std::string incomeStatementMailSubject(const IncomeStatement& is, const Book& book) {
    return businessHeading(book.BusinessName.str(), ", ",
                           plainTitle() + " " + is.startText + " to " + is.endText);
}

ExportResult writeIncomeStatementSpreadsheet(const IncomeStatement& is, const Book& book,
                                             const std::filesystem::path& path,
                                             double twipsPerPixel) {
    using namespace frame;
    Sheet sheet(path, book, {500, 100, 100, 100}, twipsPerPixel);
    // Four cells of one kind, a text in the first.
    auto band = [&](const CellKind& kind, const std::string& text = "") {
        textRow(sheet, kind, kind, text);
    };
    band(TopBand);
    band(TopBand, book.BusinessName.str());
    band(TopBand);
    band(BoldLeft, strings::text(134) + " " + is.startText + " To " + is.endText);
    band(BoldLeft);
    bool written = false;
    auto spacer = [&] { band(CellKind{written ? 0 : ExcelFile::Font1, ExcelFile::AlignLeft, 0}); };
    if (!is.revenueShown()) spacer(); // the spacer that follows the revenue section
    for (const Section& section : sectionsOf(is)) {
        if (section.heading == 200) spacer();
        band(BoldLeft, strings::text(section.heading));
        for (const IncomeRow& row : *section.rows)
            itemRow(sheet, row.name, row.amountText);
        totalRow(sheet, strings::text(section.totalLabel), *section.total);
        written = true;
        if (section.heading == 201) spacer();
    }
    if (is.netShown()) {
        spacer();
        summaryRow(sheet, strings::text(is.netLabelId), is.netProfitText);
    }
    return sheet.close();
}

ExportResult exportIncomeStatement(const IncomeStatement& is, const Book& book,
                                   const std::filesystem::path& path, const std::string& extension,
                                   double twipsPerPixel) {
    if (extension == "rtf") return writeExportText(path, incomeStatementRtf(is, book));
    if (extension == "htm") return writeExportText(path, incomeStatementWebPage(is, book) + CrLf);
    return writeIncomeStatementSpreadsheet(is, book, path, twipsPerPixel);
}

std::optional<std::filesystem::path>
mailIncomeStatement(const IncomeStatement& is, const Book& book, const std::string& caption) {
    return Tmain::OpenMailDraft("IncomeStatement", incomeStatementWebPage(is, book),
                                incomeStatementMailSubject(is, book), caption);
}
