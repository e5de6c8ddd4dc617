#include "statements/trial_balance_outputs.h"

#include "book/mail_draft.h"
#include "resources/string_table.h"
#include "statements/statement_frames.h"
#include "statements/statement_text.h"

using frame::CrLf;
using namespace markup;

namespace {

std::string title(const TrialBalance& tb) {
    return strings::text(167) + " " + tb.dateText;
}

const std::string Q = "\"";

// A row of the page: number, name, debit and credit cells, grey or white.
std::string webRow(const std::string& c1, const std::string& c2, const std::string& c3,
                   const std::string& c4, bool grey) {
    const std::string bg = " bgcolor = " + Q + (grey ? "#E0E0E0" : "#FFFFFF") + Q;
    const std::string none = " style=" + Q + "border:none" + Q;
    return "<tr><td width=" + Q + "10%" + Q + bg + none + " align=" + Q + "left" + Q + ">" + c1 +
           "</td><td" + none + bg + " align=" + Q + "left" + Q + ">" + c2 + "</td><td width=" + Q +
           "18%" + Q + bg + none + " align=" + Q + "right" + Q + ">" + c3 + "</td><td width=" + Q +
           "18%" + Q + bg + none + " align=" + Q + "right" + Q + ">" + c4 + "</td></tr>";
}

} // namespace

std::string trialBalanceTabText(const TrialBalance& tb) {
    std::string out;
    for (const TrialBalanceRow& row : tb.rows) {
        if (!row.shown()) continue;
        out += row.name + (row.isDebit() ? "\t" : "\t\t") + row.amountText + CrLf;
    }
    return out + "\t\t" + CrLf + strings::text(168) + "\t" + tb.debitTotalText + "\t" +
           tb.creditTotalText + CrLf;
}

std::string trialBalanceRtf(const TrialBalance& tb, const Book& book) {
    // Debit figures end in column 44, credit figures in column 56, unless a
    // wider figure moves them right.
    frame::RtfTable table({32, 44});
    for (const TrialBalanceRow& row : tb.rows) {
        if (!row.shown()) continue;
        table.row(row.name, row.isDebit() ? 0 : 1, {row.amountText});
    }
    table.markup("\\par" + CrLf);
    table.boldRow(strings::text(164), 0, {tb.debitTotalText, tb.creditTotalText}, "\\f0\\fs20");

    std::string out = frame::rtfOpening("Ledgerwick 4", book.BusinessName.str());
    out += "\\par" + CrLf + rtfEscaped(strings::text(154)) + "\\par" + CrLf + "\\fs24\\par" + CrLf;
    // The heads stand at tab stops over columns of the layout's width, and
    // in the columns themselves once a figure widened them.
    const std::string heads =
        table.widened()
            ? table.cells("Account", 0, {strings::text(162), strings::text(163)})
            : "Account\\tab\\tab\\tab\\tab\\tab\\tab\\tab " + rtfEscaped(strings::text(162)) +
                  "\\tab " + rtfEscaped(strings::text(163));
    out += "\\b\\f1 " + heads + "\\b0\\par" + CrLf + "\\par" + CrLf;
    return out + table.rtf() + "}";
}

std::string trialBalanceWebPage(const TrialBalance& tb, const Book& book) {
    using frame::bold;
    std::string out =
        frame::webOpening("Center", book.BusinessName.str(), "<br><br>" + htmlEscaped(title(tb)));
    out += webRow(bold(htmlEscaped(strings::text(156))), "", bold(htmlEscaped(strings::text(162))),
                  bold(htmlEscaped(strings::text(163))), false);
    out += webRow("", "", "", "", false);
    bool grey = true;
    for (const TrialBalanceRow& row : tb.rows) {
        if (!row.shown()) continue;
        const std::string amount = htmlEscaped(row.amountText);
        out += webRow(htmlEscaped(row.numberText), htmlEscaped(row.name),
                      row.isDebit() ? amount : "", row.isDebit() ? "" : amount, grey);
        grey = !grey;
    }
    out += webRow("", "", "", "", false);
    out += webRow("", bold(htmlEscaped(strings::text(168))), bold(htmlEscaped(tb.debitTotalText)),
                  bold(htmlEscaped(tb.creditTotalText)), false);
    return out + frame::WebClosing;
}

std::string trialBalanceCsv(const TrialBalance& tb) {
    std::string out;
    for (const TrialBalanceRow& row : tb.rows) {
        if (!row.shown()) continue;
        out += csvLine(
            {row.name, row.isDebit() ? row.amountText : "", row.isDebit() ? "" : row.amountText});
    }
    return out + csvLine({"", "", ""}) +
           csvLine({strings::text(168), tb.debitTotalText, tb.creditTotalText});
}

std::string trialBalanceMailSubject(const TrialBalance& tb, const Book& book) {
    return businessHeading(book.BusinessName.str(), ", ", title(tb));
}

ExportResult writeTrialBalanceSpreadsheet(const TrialBalance& tb, const Book& book,
                                          const std::filesystem::path& path, double twipsPerPixel) {
    using namespace frame;
    Sheet sheet(path, book, {500, 100, 100}, twipsPerPixel);
    textRow(sheet, BoldLeft, BoldRight, "", 4);
    textRow(sheet, BoldLeft, BoldRight, book.BusinessName.str(), 3);
    textRow(sheet, BoldLeft, BoldRight, "", 3);
    textRow(sheet, PlainLeft, PlainRight, title(tb), 3);
    textRow(sheet, PlainLeft, PlainRight, "", 3);
    const CellKind centred{0, ExcelFile::AlignCentre, 0};
    sheet.cell(1, centred, strings::text(156));
    sheet.cell(2, centred, strings::text(162));
    sheet.cell(3, centred, strings::text(163));
    sheet.nextRow();
    for (const TrialBalanceRow& row : tb.rows) {
        if (row.shown()) {
            sheet.cell(1, PlainLeft, row.name);
            sheet.cell(2, PlainRight, row.isDebit() ? row.amountText : "");
            sheet.cell(3, PlainRight, row.isDebit() ? "" : row.amountText);
        }
        sheet.nextRow(); // a row of 0 stays empty
    }
    sheet.cell(1, PlainLeft, strings::text(168));
    sheet.cell(2, PlainRight, tb.debitTotalText);
    sheet.cell(3, PlainRight, tb.creditTotalText);
    return sheet.close();
}

ExportResult exportTrialBalance(const TrialBalance& tb, const Book& book,
                                const std::filesystem::path& path, const std::string& extension,
                                double twipsPerPixel) {
    if (extension == "rtf") return writeExportText(path, trialBalanceRtf(tb, book));
    if (extension == "csv") return writeExportText(path, trialBalanceCsv(tb));
    if (extension == "htm") return writeExportText(path, trialBalanceWebPage(tb, book) + CrLf);
    return writeTrialBalanceSpreadsheet(tb, book, path, twipsPerPixel);
}

std::optional<std::filesystem::path> mailTrialBalance(const TrialBalance& tb, const Book& book,
                                                      const std::string& caption) {
    return Tmain::OpenMailDraft("TrialBalance", trialBalanceWebPage(tb, book),
                                trialBalanceMailSubject(tb, book), caption);
}
