#include "statements/inflows_outflows_outputs.h"

#include "book/mail_draft.h"
#include "resources/string_table.h"
#include "statements/statement_frames.h"
#include "statements/statement_text.h"

#include <algorithm>

using frame::CrLf;
using namespace markup;

namespace {

// The columns an output shows: periods from `first` on, then the total.
struct Columns {
    int first = 0;   // first period shown
    int periods = 0; // the total column's index
};

Columns columnsOf(const InflowsOutflows& io, int firstPeriod) {
    return {std::clamp(firstPeriod, 0, io.periods()), io.periods()};
}

// The text of column k, "" where a result that failed holds none.
const std::string& at(const std::vector<std::string>& texts, std::size_t k) {
    static const std::string none;
    return k < texts.size() ? texts[k] : none;
}

std::string heading(const Book& book) {
    return businessHeading(book.BusinessName.str(), " ", strings::text(135));
}

// One line of the table: its cells, and whether every cell is followed by a
// TAB in the table text (the lines of figures) or the cells are only joined.
struct TableLine {
    std::vector<std::string> cells;
    bool figures = false;
};

std::vector<TableLine> tableLines(const InflowsOutflows& io, const Book& book, Columns cols) {
    auto figures = [&](const std::string& label, const std::vector<std::string>& texts, int last) {
        TableLine line{{label}, true};
        for (int k = cols.first; k <= last; ++k)
            line.cells.push_back(at(texts, static_cast<std::size_t>(k)));
        return line;
    };
    std::vector<TableLine> lines;
    lines.push_back({{heading(book)}});
    lines.push_back({});
    TableLine head{{""}};
    for (int k = cols.first; k < cols.periods; ++k)
        head.cells.push_back(at(io.periodHeads, static_cast<std::size_t>(k)));
    head.cells.push_back(strings::text(168));
    lines.push_back(head);
    lines.push_back({});
    lines.push_back(figures(strings::text(254) + " ", io.beginningTexts, cols.periods - 1));
    lines.push_back({{strings::text(250)}});
    for (const FlowRow& row : io.inflows)
        lines.push_back(figures(row.name, row.amountTexts, cols.periods));
    lines.push_back({});
    lines.push_back(figures(strings::text(251) + " ", io.inflowTotalTexts, cols.periods));
    lines.push_back({});
    lines.push_back({{strings::text(252)}});
    for (const FlowRow& row : io.outflows)
        lines.push_back(figures(row.name, row.amountTexts, cols.periods));
    lines.push_back({});
    lines.push_back({});
    lines.push_back(figures(strings::text(253) + " ", io.outflowTotalTexts, cols.periods));
    lines.push_back(figures(strings::text(255) + " ", io.endingTexts, cols.periods - 1));
    return lines;
}

const std::string Q = "\"";

std::string cell(const std::string& html, bool white, const char* align) {
    return "<td bgcolor=" + Q + (white ? "#FFFFFF" : "#F0F0F0") + Q + " align=" + Q + align + Q +
           ">" + html + "</td>";
}

} // namespace

std::string inflowsOutflowsTabText(const InflowsOutflows& io, const Book& book, int firstPeriod) {
    std::string out;
    for (const TableLine& line : tableLines(io, book, columnsOf(io, firstPeriod))) {
        for (std::size_t c = 0; c < line.cells.size(); ++c) {
            out += line.cells[c];
            if (line.figures || c + 1 < line.cells.size()) out += "\t";
        }
        out += CrLf;
    }
    return out;
}

std::string inflowsOutflowsCsv(const InflowsOutflows& io, const Book& book, int firstPeriod) {
    std::string out;
    for (const TableLine& line : tableLines(io, book, columnsOf(io, firstPeriod)))
        out += csvLine(line.cells);
    return out;
}

std::string inflowsOutflowsWebPage(const InflowsOutflows& io, const Book& book, int widthPx,
                                   int firstPeriod) {
    using frame::bold;
    const Columns cols = columnsOf(io, firstPeriod);
    auto text = [](int id) { return htmlEscaped(strings::text(id)); };
    std::string out = "<html><body><br><br><table cellspacing=" + Q + "0" + Q +
                      " cellpadding=" + Q + "0" + Q + " Style=" + Q +
                      "font-size:11pt; border:none; width:" + std::to_string(std::max(widthPx, 0)) +
                      "px" + Q + ">";
    out += "<tr>" + cell(bold(htmlEscaped(heading(book))), true, "left") + "</tr>";
    out += "<tr>" + cell("", true, "center");
    for (int k = cols.first; k < cols.periods; ++k)
        out +=
            cell(bold(htmlEscaped(at(io.periodHeads, static_cast<std::size_t>(k)))), true, "right");
    out += cell(bold(text(168)), true, "center") + "</tr>";
    out += "<tr>" + cell(bold(text(254)), false, "left");
    for (int k = cols.first; k < cols.periods; ++k)
        out += cell(bold(htmlEscaped(at(io.beginningTexts, static_cast<std::size_t>(k)))), false,
                    "right");
    out += cell("", false, "right") + "</tr>";
    out += "<tr>" + cell(bold(text(250)), true, "left") + "</tr>";

    bool white = false; // the shade of the rows below flips after each row
    auto row = [&](const std::string& label, const char* align, auto valueOf) {
        out += "<tr>" + cell(label, white, align);
        for (int k = cols.first; k <= cols.periods; ++k)
            out += valueOf(static_cast<std::size_t>(k));
        out += "</tr>";
        white = !white;
    };
    auto plain = [&](const std::vector<std::string>& texts) {
        return
            [&, texts](std::size_t k) { return cell(htmlEscaped(at(texts, k)), white, "right"); };
    };
    auto blank = [&](const std::string& content) {
        return [&, content](std::size_t) { return cell(content, white, "right"); };
    };
    for (const FlowRow& flow : io.inflows)
        row("&nbsp;&nbsp;" + htmlEscaped(flow.name), "left", plain(flow.amountTexts));
    row(bold(text(251)), "left", [&](std::size_t k) {
        return cell(bold(htmlEscaped(at(io.inflowTotalTexts, k))), false, "right");
    });
    row("&nbsp;", "center", blank(""));
    row(bold(text(252)), "left", blank(""));
    for (const FlowRow& flow : io.outflows)
        row("&nbsp;&nbsp;" + htmlEscaped(flow.name), "left", plain(flow.amountTexts));
    row(bold(text(253)), "left", plain(io.outflowTotalTexts));
    row("&nbsp;", "left", blank(" "));
    out += "<tr>" + cell(bold("&nbsp;&nbsp;" + text(255)), white, "left");
    for (int k = cols.first; k < cols.periods; ++k)
        out += cell(bold(htmlEscaped(at(io.endingTexts, static_cast<std::size_t>(k)))), white,
                    "right");
    return out + "</tr></table></body></html>";
}

std::string inflowsOutflowsMailSubject(const Book& book) {
    return heading(book);
}

ExportResult writeInflowsOutflowsSpreadsheet(const InflowsOutflows& io, const Book& book,
                                             const std::filesystem::path& path, int firstPeriod,
                                             double twipsPerPixel) {
    using frame::CellKind;
    const Columns cols = columnsOf(io, firstPeriod);
    // Column 1 holds the labels; the shown periods and the total follow.
    const int wanted = 1 + (cols.periods - cols.first + 1);
    const int lastColumn = std::min(wanted, ExcelFile::MaxColumns);
    const int fillTo = std::min(cols.periods + 1, lastColumn); // empty cells run this far
    std::vector<int> widths(static_cast<std::size_t>(std::min(cols.periods + 2, lastColumn)), 120);
    widths[0] = 500;
    frame::Sheet sheet(path, book, widths, twipsPerPixel);

    const CellKind top{ExcelFile::Font1, ExcelFile::AlignLeft, ExcelFile::CellLocked};
    const CellKind head{ExcelFile::Font1, ExcelFile::AlignCentre, 0};
    const CellKind label{ExcelFile::Font1, ExcelFile::AlignLeft, ExcelFile::CellLocked};
    const CellKind strong{ExcelFile::Font1, ExcelFile::AlignRight, 0};
    const CellKind filler{ExcelFile::Font1, ExcelFile::AlignRight, ExcelFile::CellLocked};
    const CellKind name{0, ExcelFile::AlignLeft, ExcelFile::CellLocked};
    const CellKind amount{0, ExcelFile::AlignRight, 0};

    auto empties = [&](const CellKind& first, const CellKind& rest, const std::string& text = "") {
        frame::textRow(sheet, first, rest, text, fillTo);
    };
    auto values = [&](const CellKind& first, const std::string& text, const CellKind& kind,
                      const std::vector<std::string>& texts, int last) {
        sheet.cell(1, first, text);
        for (int k = cols.first, c = 2; k <= last && c <= lastColumn; ++k, ++c)
            sheet.cell(c, kind, at(texts, static_cast<std::size_t>(k)));
        sheet.nextRow();
    };
    empties(top, top);
    empties(top, top, heading(book));
    for (int k = cols.first, c = 2; k <= cols.periods && c <= lastColumn; ++k, ++c)
        sheet.cell(c, head,
                   k == cols.periods ? strings::text(168)
                                     : at(io.periodHeads, static_cast<std::size_t>(k)));
    sheet.nextRow();
    values(label, strings::text(254), strong, io.beginningTexts, cols.periods - 1);
    empties(label, filler, strings::text(250));
    for (const FlowRow& row : io.inflows)
        values(name, "  " + row.name, amount, row.amountTexts, cols.periods);
    values(label, strings::text(251), strong, io.inflowTotalTexts, cols.periods);
    empties(filler, filler);
    empties(label, filler, strings::text(252));
    for (const FlowRow& row : io.outflows)
        values(name, "  " + row.name, amount, row.amountTexts, cols.periods);
    values(label, strings::text(253), strong, io.outflowTotalTexts, cols.periods);
    empties(top, top);
    values(label, strings::text(255), strong, io.endingTexts, cols.periods - 1);

    ExportResult result = sheet.close();
    if (result.ok && wanted > lastColumn)
        result.notice = (result.notice.empty() ? "" : result.notice + " ") +
                        "The spreadsheet holds " + std::to_string(lastColumn - 1) + " of the " +
                        std::to_string(wanted - 1) +
                        " columns of the statement: a sheet has no more than 256 columns.";
    return result;
}

ExportResult exportInflowsOutflows(const InflowsOutflows& io, const Book& book,
                                   const std::filesystem::path& path, const std::string& extension,
                                   int widthPx, int firstPeriod, double twipsPerPixel) {
    if (extension == "csv") return writeExportText(path, inflowsOutflowsCsv(io, book, firstPeriod));
    if (extension == "htm")
        return writeExportText(path, inflowsOutflowsWebPage(io, book, widthPx, firstPeriod) + CrLf);
    return writeInflowsOutflowsSpreadsheet(io, book, path, firstPeriod, twipsPerPixel);
}

std::optional<std::filesystem::path> mailInflowsOutflows(const InflowsOutflows& io,
                                                         const Book& book, int widthPx,
                                                         const std::string& caption,
                                                         int firstPeriod) {
    return Tmain::OpenMailDraft("IncomeStatement",
                                inflowsOutflowsWebPage(io, book, widthPx, firstPeriod),
                                inflowsOutflowsMailSubject(book), caption);
}
