#include "statements/statement_frames.h"

#include <utility>

namespace frame {

using namespace markup;

namespace {
const std::string Q = "\"";
}

std::string rtfOpening(const std::string& generatorTag, const std::string& businessName) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081{\\fonttbl{\\f0\\fswiss\\fcharset0 "
           "Arial;}{\\f1\\fmodern\\fprq1\\fcharset0 Courier New;}}" +
           CrLf + "{\\*\\generator " + generatorTag + ";}\\viewkind4\\uc1\\pard\\f0\\fs28 " +
           rtfEscaped(businessName) + "\\par" + CrLf;
}

RtfTable::RtfTable(std::vector<int> starts) : columns_(std::move(starts), 12) {}

void RtfTable::markup(const std::string& rtf) {
    Line line;
    line.markup = rtf;
    lines_.push_back(std::move(line));
}

void RtfTable::add(Line line) {
    for (std::size_t i = 0; i < line.amounts.size(); ++i)
        columns_.fit(line.first + i, line.amounts[i]);
    lines_.push_back(std::move(line));
}

void RtfTable::row(const std::string& label, std::size_t first,
                   const std::vector<std::string>& amounts) {
    add({"", true, false, label, first, amounts, ""});
}

void RtfTable::boldRow(const std::string& label, std::size_t first,
                       const std::vector<std::string>& amounts, const std::string& after) {
    add({"", true, true, label, first, amounts, after});
}

std::string RtfTable::cells(const std::string& label, std::size_t first,
                            const std::vector<std::string>& amounts) const {
    const std::vector<std::string> lines = columns_.lines(label, first, amounts);
    std::string out = rtfEscaped(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i)
        out += "\\par" + CrLf + rtfEscaped(lines[i]);
    return out;
}

std::string RtfTable::rtf() const {
    std::string out;
    for (const Line& line : lines_) {
        if (!line.isRow) {
            out += line.markup;
            continue;
        }
        const std::string text = cells(line.label, line.first, line.amounts);
        out += (line.bold ? "\\b " + text + "\\b0" : text) + line.after + "\\par" + CrLf;
    }
    return out;
}

std::string bold(const std::string& html) {
    return "<b>" + html + "</b>";
}

std::string boldBreak(const std::string& html) {
    return "<b><br>" + html + "</b>";
}

std::string webOpening(const std::string& align, const std::string& businessName,
                       const std::string& titleHtml) {
    return "<html><body><br><br><p align=" + Q + align + Q + " Style=" + Q +
           "font-family:Arial; font-size:12pt; Width:800px;" + Q + "><b>" +
           htmlEscaped(businessName) + titleHtml + "</b></p><table cellspacing=" + Q + "0" + Q +
           " cellpadding=" + Q + "0" + Q + " Style=" + Q +
           "font-size:12pt; border:none; Width:800px;" + Q + ">";
}

std::string webRow(const std::string& label, const std::string& cell1, const std::string& cell2,
                   const std::string& cell3) {
    std::string row = "<tr><td style=" + Q + "border:none" + Q + " align=" + Q + "left" + Q + ">" +
                      label + "</td>";
    for (const std::string* cell : {&cell1, &cell2, &cell3})
        row += "<td width=" + Q + "10%" + Q + " style=" + Q + "border:none" + Q + " align=" + Q +
               "right" + Q + ">" + *cell + "</td>";
    return row + "</tr>";
}

Sheet::Sheet(const std::filesystem::path& path, const Book& book, const std::vector<int>& widthsPx,
             double twipsPerPixel) {
    std::vector<int> widths;
    for (int pixels : widthsPx)
        widths.push_back(spreadsheetColumnWidth(pixels, twipsPerPixel));
    path_ = path;
    sheet_.start(path, book.FontName.str(), widths, book.BusinessName.str());
}

void Sheet::cell(int column, const CellKind& kind, const std::string& text) {
    sheet_.text(kind.font, kind.align, kind.attribute, row_, column, text);
}

ExportResult Sheet::close() {
    ExportResult result = exportResultOf(path_, sheet_.finish());
    if (result.ok)
        result.notice = sheetNotice(ExcelFile::MaxRows, sheet_.rowsAsked(), "rows of the statement",
                                    sheet_.textsCut());
    return result;
}

void textRow(Sheet& sheet, const CellKind& first, const CellKind& rest, const std::string& text,
             int lastColumn) {
    sheet.cell(1, first, text);
    for (int c = 2; c <= lastColumn; ++c)
        sheet.cell(c, rest);
    sheet.nextRow();
}

void itemRow(Sheet& sheet, const std::string& name, const std::string& amount) {
    sheet.cell(1, PlainLeft, name);
    sheet.cell(2, PlainRight, amount);
    sheet.cell(3, PlainRight);
    sheet.cell(4, PlainRight);
    sheet.nextRow();
}

void totalRow(Sheet& sheet, const std::string& label, const std::string& amount,
              const CellKind& second) {
    sheet.cell(1, BoldLeft, label);
    sheet.cell(2, second);
    sheet.cell(3, BoldRight, amount);
    sheet.cell(4, BoldRight);
    sheet.nextRow();
}

void summaryRow(Sheet& sheet, const std::string& label, const std::string& amount) {
    sheet.cell(1, BoldLeft, label);
    sheet.cell(2, BoldLeft);
    sheet.cell(3, BoldLeft);
    sheet.cell(4, BoldRight, amount);
    sheet.nextRow();
}

} // namespace frame
