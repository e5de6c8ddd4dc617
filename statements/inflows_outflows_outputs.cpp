#include "statements/inflows_outflows_outputs.h"

#include "book/account_number_text.h"
#include "book/mail_draft.h"
#include "book/tmain.h"
#include "resources/string_table.h"
#include "statements/statement_frames.h"
#include "statements/statement_text.h"

#include <algorithm>

using frame::bold;
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

// How an output writes a figure: as shown (io.text) or for a file (io.fileText).
using FigureText = std::string (InflowsOutflows::*)(Currency) const;

// The text of column k, "" where a result that failed holds none.
std::string figure(const InflowsOutflows& io, std::span<const Currency> values, int k,
                   FigureText written = &InflowsOutflows::text) {
    const std::size_t at = static_cast<std::size_t>(k);
    return at < values.size() ? (io.*written)(values[at]) : std::string();
}

const std::string& periodHead(const std::vector<std::string>& heads, int k) {
    static const std::string none;
    const std::size_t at = static_cast<std::size_t>(k);
    return at < heads.size() ? heads[at] : none;
}

std::string heading(const InflowsOutflows& io, const Book& book) {
    return businessHeading(book.BusinessName.str(), " ", strings::text(135)) +
           cashAccountNote(io, book);
}

// One line of the table: its cells, and whether every cell is followed by a
// TAB in the table text (the lines of figures) or the cells are only joined.
struct TableLine {
    std::vector<std::string> cells;
    bool figures = false;
};

// The table line by line, each handed to emit(line) as soon as it is made.
template <class Emit>
void eachTableLine(const InflowsOutflows& io, const Book& book, Columns cols, FigureText written,
                   Emit emit) {
    TableLine line;
    auto words = [&](std::vector<std::string> cells) {
        line.cells = std::move(cells);
        line.figures = false;
        emit(line);
    };
    auto figures = [&](const std::string& label, std::span<const Currency> values, int last) {
        line.cells.clear();
        line.figures = true;
        line.cells.push_back(label);
        for (int k = cols.first; k <= last; ++k)
            line.cells.push_back(figure(io, values, k, written));
        emit(line);
    };
    words({heading(io, book)});
    words({});
    std::vector<std::string> heads{""};
    for (int k = cols.first; k < cols.periods; ++k)
        heads.push_back(periodHead(io.periodHeads, k));
    heads.push_back(strings::text(168));
    words(std::move(heads));
    words({});
    figures(strings::text(254) + " ", io.beginning, cols.periods - 1);
    words({strings::text(250)});
    for (const FlowRow& row : io.inflows)
        figures(row.name, row.amounts, cols.periods);
    words({});
    figures(strings::text(251) + " ", io.inflowTotals, cols.periods);
    words({});
    words({strings::text(252)});
    for (const FlowRow& row : io.outflows)
        figures(row.name, row.amounts, cols.periods);
    words({});
    words({});
    figures(strings::text(253) + " ", io.outflowTotals, cols.periods);
    figures(strings::text(255) + " ", io.ending, cols.periods - 1);
}

// A cell of the page: `html` is escaped already.
void cell(ByteWriter& out, std::string_view html, bool white, std::string_view align) {
    out.bytes(white ? R"(<td bgcolor="#FFFFFF" align=")" : R"(<td bgcolor="#F0F0F0" align=")");
    out.bytes(align);
    out.bytes(R"(">)");
    out.bytes(html);
    out.bytes("</td>");
}

template <class Write> std::string whole(Write write) {
    std::string text;
    ByteWriter out(text);
    write(out);
    return text;
}

} // namespace

void writeInflowsOutflowsTabText(ByteWriter& out, const InflowsOutflows& io, const Book& book,
                                 int firstPeriod) {
    eachTableLine(io, book, columnsOf(io, firstPeriod), &InflowsOutflows::text,
                  [&](const TableLine& line) {
                      for (std::size_t c = 0; c < line.cells.size(); ++c) {
                          out.bytes(line.cells[c]);
                          if (line.figures || c + 1 < line.cells.size()) out.bytes("\t");
                      }
                      out.bytes(CrLf);
                  });
}

void writeInflowsOutflowsCsv(ByteWriter& out, const InflowsOutflows& io, const Book& book,
                             int firstPeriod) {
    eachTableLine(io, book, columnsOf(io, firstPeriod), &InflowsOutflows::fileText,
                  [&](const TableLine& line) { out.bytes(csvLine(line.cells)); });
}

void writeInflowsOutflowsWebPage(ByteWriter& out, const InflowsOutflows& io, const Book& book,
                                 int widthPx, int firstPeriod) {
    const Columns cols = columnsOf(io, firstPeriod);
    auto text = [](int id) { return htmlEscaped(strings::text(id)); };
    auto amount = [&](std::span<const Currency> values, int k) {
        return htmlEscaped(figure(io, values, k));
    };
    out.bytes(R"(<html><body><br><br><table cellspacing="0" cellpadding="0" )"
              R"(Style="font-size:11pt; border:none; width:)" +
              std::to_string(std::max(widthPx, 0)) + R"(px">)");
    out.bytes("<tr>");
    cell(out, bold(htmlEscaped(heading(io, book))), true, "left");
    out.bytes("</tr><tr>");
    cell(out, "", true, "center");
    for (int k = cols.first; k < cols.periods; ++k)
        cell(out, bold(htmlEscaped(periodHead(io.periodHeads, k))), true, "right");
    cell(out, bold(text(168)), true, "center");
    out.bytes("</tr><tr>");
    cell(out, bold(text(254)), false, "left");
    for (int k = cols.first; k < cols.periods; ++k)
        cell(out, bold(amount(io.beginning, k)), false, "right");
    cell(out, "", false, "right");
    out.bytes("</tr><tr>");
    cell(out, bold(text(250)), true, "left");
    out.bytes("</tr>");

    bool white = false; // the shade of the rows below flips after each row
    auto row = [&](const std::string& label, const char* align, auto valueCell) {
        out.bytes("<tr>");
        cell(out, label, white, align);
        for (int k = cols.first; k <= cols.periods; ++k)
            valueCell(k);
        out.bytes("</tr>");
        white = !white;
    };
    auto plain = [&](std::span<const Currency> values) {
        return [&, values](int k) { cell(out, amount(values, k), white, "right"); };
    };
    auto blank = [&](std::string_view content) {
        return [&, content](int) { cell(out, content, white, "right"); };
    };
    for (const FlowRow& flow : io.inflows)
        row("&nbsp;&nbsp;" + htmlEscaped(flow.name), "left", plain(flow.amounts));
    row(bold(text(251)), "left",
        [&](int k) { cell(out, bold(amount(io.inflowTotals, k)), false, "right"); });
    row("&nbsp;", "center", blank(""));
    row(bold(text(252)), "left", blank(""));
    for (const FlowRow& flow : io.outflows)
        row("&nbsp;&nbsp;" + htmlEscaped(flow.name), "left", plain(flow.amounts));
    row(bold(text(253)), "left", plain(io.outflowTotals));
    row("&nbsp;", "left", blank(" "));
    out.bytes("<tr>");
    cell(out, bold("&nbsp;&nbsp;" + text(255)), white, "left");
    for (int k = cols.first; k < cols.periods; ++k)
        cell(out, bold(amount(io.ending, k)), white, "right");
    out.bytes("</tr></table></body></html>");
}

std::string inflowsOutflowsTabText(const InflowsOutflows& io, const Book& book, int firstPeriod) {
    return whole([&](ByteWriter& out) { writeInflowsOutflowsTabText(out, io, book, firstPeriod); });
}

std::string inflowsOutflowsCsv(const InflowsOutflows& io, const Book& book, int firstPeriod) {
    return whole([&](ByteWriter& out) { writeInflowsOutflowsCsv(out, io, book, firstPeriod); });
}

std::string inflowsOutflowsWebPage(const InflowsOutflows& io, const Book& book, int widthPx,
                                   int firstPeriod) {
    return whole(
        [&](ByteWriter& out) { writeInflowsOutflowsWebPage(out, io, book, widthPx, firstPeriod); });
}

std::optional<std::string> inflowsOutflowsCopyText(const InflowsOutflows& io, const Book& book,
                                                   int firstPeriod, std::string& refusal) {
    std::uint64_t size = 0;
    ByteWriter measure([&size](std::string_view block) { size += block.size(); });
    writeInflowsOutflowsTabText(measure, io, book, firstPeriod);
    measure.finish();
    if (size > LargestCopyBytes) {
        constexpr std::uint64_t MB = std::uint64_t(1) << 20;
        refusal = "The statement is too large to copy: its text would take " +
                  std::to_string((size + MB - 1) / MB) + " MB, more than the " +
                  std::to_string(LargestCopyBytes / MB) +
                  " MB the clipboard is given. Choose a longer period or fewer accounts, or "
                  "export the statement to a file.";
        return std::nullopt;
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(size));
    ByteWriter out(text);
    writeInflowsOutflowsTabText(out, io, book, firstPeriod);
    return text;
}

std::string cashAccountNote(const InflowsOutflows& io, const Book& book) {
    if (!io.cashMode) return "";
    return ", account " + folioText(book, io.cashAccount, io.marks.decimal) + " " +
           Tmain::AccountNameByNumber(book, io.cashAccount);
}

std::string inflowsOutflowsMailSubject(const InflowsOutflows& io, const Book& book) {
    return heading(io, book);
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
                      std::span<const Currency> figures, int last) {
        sheet.cell(1, first, text);
        // A row past the sheet's last is counted, not written.
        for (int k = cols.first, c = 2;
             k <= last && c <= lastColumn && sheet.row() <= ExcelFile::MaxRows; ++k, ++c)
            sheet.cell(c, kind, figure(io, figures, k));
        sheet.nextRow();
    };
    empties(top, top);
    empties(top, top, heading(io, book));
    for (int k = cols.first, c = 2; k <= cols.periods && c <= lastColumn; ++k, ++c)
        sheet.cell(c, head, k == cols.periods ? strings::text(168) : periodHead(io.periodHeads, k));
    sheet.nextRow();
    values(label, strings::text(254), strong, io.beginning, cols.periods - 1);
    empties(label, filler, strings::text(250));
    for (const FlowRow& row : io.inflows)
        values(name, "  " + row.name, amount, row.amounts, cols.periods);
    values(label, strings::text(251), strong, io.inflowTotals, cols.periods);
    empties(filler, filler);
    empties(label, filler, strings::text(252));
    for (const FlowRow& row : io.outflows)
        values(name, "  " + row.name, amount, row.amounts, cols.periods);
    values(label, strings::text(253), strong, io.outflowTotals, cols.periods);
    empties(top, top);
    values(label, strings::text(255), strong, io.ending, cols.periods - 1);

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
    if (extension == "csv")
        return writeExportStream(
            path, [&](ByteWriter& out) { writeInflowsOutflowsCsv(out, io, book, firstPeriod); });
    if (extension == "htm")
        return writeExportStream(path, [&](ByteWriter& out) {
            writeInflowsOutflowsWebPage(out, io, book, widthPx, firstPeriod);
            out.bytes(CrLf);
        });
    return writeInflowsOutflowsSpreadsheet(io, book, path, firstPeriod, twipsPerPixel);
}

std::optional<std::filesystem::path> mailInflowsOutflows(const InflowsOutflows& io,
                                                         const Book& book, int widthPx,
                                                         const std::string& caption,
                                                         int firstPeriod) {
    return Tmain::OpenMailDraft(
        "IncomeStatement",
        [&](ByteWriter& out) { writeInflowsOutflowsWebPage(out, io, book, widthPx, firstPeriod); },
        inflowsOutflowsMailSubject(io, book), caption);
}
