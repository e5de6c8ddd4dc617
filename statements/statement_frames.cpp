#include "statements/statement_frames.h"

#include "book/tmain.h"

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
    auto keep = [&](std::error_code ec) {
        if (ec && !error_) error_ = ec;
    };
    keep(file_.CreateFile(path));
    keep(file_.PrintGridLines(false));
    for (int margin : {ExcelFile::TopMargin, ExcelFile::LeftMargin, ExcelFile::RightMargin,
                       ExcelFile::BottomMargin})
        keep(file_.SetMargin(margin, 0.5));
    for (int bits :
         {0, ExcelFile::Bold, ExcelFile::Underlined, ExcelFile::Bold | ExcelFile::Italic})
        keep(file_.SetFont(book.FontName.str(), 9, bits));
    for (std::size_t c = 0; c < widthsPx.size(); ++c) {
        const int column = static_cast<int>(c) + 1;
        keep(file_.SetColumnWidth(column, column,
                                  spreadsheetColumnWidth(widthsPx[c], twipsPerPixel)));
    }
    keep(file_.SetHeader(book.BusinessName.str()));
    keep(file_.SetFooter(book.BusinessName.str()));
}

void Sheet::cell(int column, const CellKind& kind, const std::string& text) {
    const std::error_code ec = file_.WriteValue(ExcelFile::TextValue, kind.font, kind.align,
                                                kind.attribute, row_, column, text);
    if (ec && !error_) error_ = ec;
}

ExportResult Sheet::close() {
    const std::error_code ec = file_.CloseFile();
    if (ec && !error_) error_ = ec;
    ExportResult result;
    if (error_) {
        result.message = Tmain::FileErrorText(Tmain::FileErrorNumber(error_));
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace frame
