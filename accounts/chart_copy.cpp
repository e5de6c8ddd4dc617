#include "accounts/chart_copy.h"

#include "accounts/chart_table.h"
#include "book/account_number_text.h"
#include "book/number_format.h"
#include "book/rtf_text.h"
#include "platform/drawing_surface.h"
#include "resources/string_table.h"
#include "toolkit/printout_fit.h"
#include "toolkit/table_columns.h"
#include "toolkit/text_wrap.h"

namespace {

// The class labels' captions by class code.
constexpr int ClassCaptionTexts[9] = {240, 242, 241, 243, 239, 237, 238, 244, 245};

struct ChartRow {
    std::string number, name, type;
};

ChartRow rowOf(const Book& b, std::size_t i, const std::string& decimalMark) {
    return {folioText(b, b.AccountNumbers[i], decimalMark), b.AccountNames[i],
            classCaption(b.AccountTypes[i])};
}

int rowCount(const Book& b) {
    return b.slotsInUse();
}

// The printout's column headings.
const std::string FolioHeading = "Folio", NameHeading = "Account Name",
                  TypeHeading = "Account Type";

// A printed number: a space (or its minus sign) before it and a space after it.
std::string printedNumber(const ChartRow& r) {
    return (r.number[0] == '-' ? "" : " ") + r.number + " ";
}

// Characters beyond Windows-1252 keep their \uN, as in the statements' RTF.
std::string rtfText(const std::string& utf8) {
    return rtfEscaped(utf8, RtfCharacters::Unicode);
}

} // namespace

int classCaptionText(int accountType) {
    return ClassCaptionTexts[shownClass(accountType)];
}

std::string classCaption(int accountType) {
    return strings::text(classCaptionText(accountType));
}

std::string chartCopyText(const Book& book, const std::string& decimalMark) {
    std::string out = "Folio\tAccount Name\tAccount Type\r\n\r\n";
    for (int i = 0; i < rowCount(book); ++i) {
        const ChartRow r = rowOf(book, static_cast<std::size_t>(i), decimalMark);
        out += r.number + '\t' + r.name + '\t' + r.type + "\r\n";
    }
    return out;
}

std::string chartCopyRtf(const Book& book, const std::string& decimalMark) {
    const std::string font = book.FontName.str().empty() ? "Arial" : book.FontName.str();
    // A table row of three cells: folio, name and class at the printout's columns.
    const std::string rowStart =
        "\\trowd\\trgaph108\\cellx1100\\cellx6200\\cellx9000\\pard\\intbl ";
    std::string out =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 " + rtfText(font) + ";}}\\f0\\fs20\r\n";
    out += rowStart + "\\b Folio\\cell Account Name\\cell Account Type\\cell\\b0\\row\r\n";
    for (int i = 0; i < rowCount(book); ++i) {
        const ChartRow r = rowOf(book, static_cast<std::size_t>(i), decimalMark);
        out += rowStart + rtfText(r.number) + "\\cell " + rtfText(r.name) + "\\cell " +
               rtfText(r.type) + "\\cell\\row\r\n";
    }
    out += "\\pard\\par}";
    return out;
}

namespace {

// The room of a name: to a blank before the type column.
double nameRoom(DrawingSurface& s) {
    return ChartTypeColumn - ChartNameColumn - s.TextWidth(" ");
}

// The room of a class caption: to the page's edge.
double typeRoom(DrawingSurface& s) {
    return s.ScaleWidth() - ChartTypeColumn;
}

// The numbers (their blank after them) and their bold heading end a blank
// before the name column; the names and the class captions, which wrap
// within their rooms, need a room that keeps their words whole.
bool columnsFit(DrawingSurface& s, const Book& book, const std::string& decimalMark) {
    s.FontBold = true;
    const bool heading = s.TextWidth(FolioHeading + " ") <= ChartNameColumn &&
                         narrowestRoom(s, {NameHeading}) <= nameRoom(s) &&
                         narrowestRoom(s, {TypeHeading}) <= typeRoom(s);
    s.FontBold = false;
    if (!heading) return false;
    std::vector<std::string> names, types;
    for (int i = 0; i < rowCount(book); ++i) {
        ChartRow r = rowOf(book, static_cast<std::size_t>(i), decimalMark);
        if (s.TextWidth(printedNumber(r)) > ChartNameColumn) return false;
        names.push_back(std::move(r.name));
        types.push_back(std::move(r.type));
    }
    return narrowestRoom(s, names) <= nameRoom(s) && narrowestRoom(s, types) <= typeRoom(s);
}

} // namespace

void printChart(DrawingSurface& s, const Book& book, const std::string& decimalMark, double zoom) {
    if (!book.FontName.str().empty()) s.FontName = book.FontName.str();
    const double size = s.FontSize;
    s.FontBold = false;
    const double width = s.ScaleWidth();
    fittingFontZoom(s, size, zoom, [&](double tried) {
        return columnsFit(s, book, decimalMark) &&
               headingsFit(s, {{{book.BusinessName.str()}, size, true, width}}, tried);
    });
    s.FontBold = true;
    s.CurrentX = 0;
    s.CurrentY = 0;
    printWithin(s, book.BusinessName.str(), 0, width, LineAlign::Left);
    s.Print("");
    // A row: its number on its first line, its name and caption wrapped in their rooms.
    auto row = [&s](const std::string& number, const std::string& name, const std::string& type) {
        printWrappedRow(
            s,
            {{name, ChartNameColumn, ChartNameColumn + nameRoom(s), s.FontBold},
             {type, ChartTypeColumn, s.ScaleWidth(), s.FontBold}},
            [&s](int lines) { newPageBeforeFoot(s, lines * s.TextHeight("Ag")); },
            [&] {
                s.CurrentX = 0;
                s.PrintInline(number);
            });
    };
    row(FolioHeading, NameHeading, TypeHeading);
    s.FontBold = false;
    s.Print("");
    for (int i = 0; i < rowCount(book); ++i) {
        const ChartRow r = rowOf(book, static_cast<std::size_t>(i), decimalMark);
        row(printedNumber(r), r.name, r.type);
    }
}
