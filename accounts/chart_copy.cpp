#include "accounts/chart_copy.h"

#include "book/number_format.h"
#include "book/text_encoding.h"
#include "platform/drawing_surface.h"
#include "resources/string_table.h"

#include <cstdio>

namespace {

// The class labels' captions by class code.
constexpr int ClassCaptionTexts[9] = {240, 242, 241, 243, 239, 237, 238, 244, 245};

struct ChartRow {
    std::string number, name, type;
};

ChartRow rowOf(const Book& b, std::size_t i, const std::string& decimalMark) {
    return {plainNumberText(b.AccountNumbers[i], decimalMark), b.AccountNames[i],
            classCaption(b.AccountTypes[i])};
}

int rowCount(const Book& b) {
    return b.slotsInUse();
}

// A text for RTF: Windows-1252 bytes, the three RTF characters escaped,
// bytes above 127 as \'hh and TAB as \tab.
std::string rtfEscaped(const std::string& utf8) {
    std::string out;
    for (unsigned char c : encoding::utf8ToWindows1252(utf8)) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\r' || c == '\n') {
            out += "\\line ";
        } else if (c >= 0x80 || c < 0x20) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace

int classCaptionText(int accountType) {
    return accountType >= 0 && accountType <= 8 ? ClassCaptionTexts[accountType] : 0;
}

std::string classCaption(int accountType) {
    const int n = classCaptionText(accountType);
    return n ? strings::text(n) : std::string();
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
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 " + rtfEscaped(font) +
                      ";}}\\f0\\fs20\r\n";
    out += rowStart + "\\b Folio\\cell Account Name\\cell Account Type\\cell\\b0\\row\r\n";
    for (int i = 0; i < rowCount(book); ++i) {
        const ChartRow r = rowOf(book, static_cast<std::size_t>(i), decimalMark);
        out += rowStart + rtfEscaped(r.number) + "\\cell " + rtfEscaped(r.name) + "\\cell " +
               rtfEscaped(r.type) + "\\cell\\row\r\n";
    }
    out += "\\pard\\par}";
    return out;
}

void printChart(DrawingSurface& s, const Book& book, const std::string& decimalMark) {
    if (!book.FontName.str().empty()) s.FontName = book.FontName.str();
    s.FontBold = true;
    s.CurrentX = 0;
    s.CurrentY = 0;
    s.Print(book.BusinessName.str());
    s.Print("");
    auto columns = [&s](const std::string& a, const std::string& b, const std::string& c) {
        if (s.CurrentY + s.TextHeight("Ag") > s.ScaleHeight()) s.NewPage();
        s.CurrentX = 0;
        s.PrintInline(a);
        s.CurrentX = ChartNameColumn;
        s.PrintInline(b);
        s.CurrentX = ChartTypeColumn;
        s.Print(c);
    };
    columns("Folio", "Account Name", "Account Type");
    s.FontBold = false;
    s.Print("");
    for (int i = 0; i < rowCount(book); ++i) {
        const ChartRow r = rowOf(book, static_cast<std::size_t>(i), decimalMark);
        // A printed number: a space (or its minus sign) before it and a space after it.
        const std::string number = (r.number[0] == '-' ? "" : " ") + r.number + " ";
        columns(number, r.name, r.type);
    }
}
