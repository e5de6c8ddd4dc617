#include "mainwindow/invoice.h"

#include "book/mail_draft.h"
#include "book/number_format.h"
#include "book/tmain.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cmath>

namespace {

// The amount as the invoice shows it: no 0 before the decimal mark.
std::string invoiceAmountText(Currency amount, int decimals, const NumberMarks& marks) {
    std::string s = formatAmount(amount, decimals, marks, true);
    const std::string zero = "0" + marks.decimal;
    if (s.compare(0, zero.size(), zero) == 0)
        s.erase(0, 1);
    else if (s.compare(0, 1 + zero.size(), "(" + zero) == 0)
        s.erase(1, 1);
    return s;
}

std::string withoutNuls(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\0') out += c;
    return out;
}

std::string trimmedSpaces(const std::string& text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    const std::size_t e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

// A text whose right edge is at x; `endLine` moves to the next line after it.
void printRight(DrawingSurface& s, const std::string& text, double x, bool endLine) {
    s.CurrentX = x - s.TextWidth(text);
    if (endLine)
        s.Print(text);
    else
        s.PrintInline(text);
}

void printCentred(DrawingSurface& s, const std::string& text) {
    s.CurrentX = (s.ScaleWidth() - s.TextWidth(text)) / 2;
    s.Print(text);
}

// Positions are whole twips, halves to even.
double wholeTwips(double twips) {
    return std::nearbyint(twips);
}

std::string quoted(const std::string& value) {
    return "\"" + value + "\"";
}

} // namespace

Invoice buildInvoice(const Book& book, std::int32_t first, std::int32_t last,
                     const LocaleInfo& locale, const std::string& note) {
    Invoice inv;
    inv.note = note;
    const std::int32_t lastLine = book.LastEntryLine();
    first = std::max<std::int32_t>(first, 0);
    last = std::min(last, lastLine);
    if (lastLine < 0 || first > last) return inv;

    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsJournal);
    auto lineAt = [&](std::int32_t i) -> const EntryLine& {
        return book.EntryLines[static_cast<std::size_t>(i)];
    };

    int debitLines = 0;
    for (std::int32_t i = first; i <= last; ++i)
        if (lineAt(i).Side == Debit) ++debitLines;
    if (debitLines > 1) {
        inv.addressee = lineAt(last).AccountNumber;
        inv.listedSide = Debit;
    } else {
        inv.addressee = lineAt(first).AccountNumber;
        inv.listedSide = Credit;
    }

    const int slot = Tmain::AccountSlotByNumber(book, inv.addressee).value_or(0);
    const std::string& addressNote = book.AccountNote2[static_cast<std::size_t>(slot)];
    if (!addressNote.empty()) inv.addresseeLines = splitTextLines(addressNote);
    inv.title = Tmain::AccountNameByNumber(book, inv.addressee) + "   (" +
                plainNumberText(inv.addressee, marks.decimal) + ")";

    bool totalHeld = true;
    for (std::int32_t i = first; i <= last; ++i) {
        const EntryLine& l = lineAt(i);
        if (l.Side != inv.listedSide) continue;
        InvoiceLine row;
        row.number = l.AccountNumber;
        row.numberText = plainNumberText(l.AccountNumber, marks.decimal);
        row.name = Tmain::AccountNameByNumber(book, l.AccountNumber);
        row.amount = l.Amount;
        row.amountText = invoiceAmountText(l.Amount, decimals, marks);
        inv.lines.push_back(std::move(row));
        if (!totalHeld) continue;
        try {
            inv.total += roundHalfEven(l.Amount, decimals);
        } catch (const CurrencyOverflow&) {
            totalHeld = false;
        }
    }
    // A total beyond the range of amounts is not shown as a wrong figure.
    inv.totalText = totalHeld ? invoiceAmountText(inv.total, decimals, marks) : "#####";

    inv.dateText = Tmain::FormatDateStyle(lineAt(first).Date, 0, locale);
    inv.reference = withoutNuls(book.EntryIds[static_cast<std::size_t>(first)].raw());
    return inv;
}

void PrintHeader(DrawingSurface& s, const Book& book) {
    s.Print("");
    if (!book.FontName.str().empty()) s.FontName = book.FontName.str();
    s.FontBold = true;
    const double x = s.ScaleWidth() - 730;
    s.FontSize += 1;
    printRight(s, book.BusinessName.str(), x, true);
    s.FontSize -= 1;
    s.FontBold = false;
    for (const std::string& line : splitTextLines(book.BusinessAddress.str()))
        printRight(s, line, x, true);
    s.Print("");
}

void PrintInvoice(DrawingSurface& s, const Book& book, const Invoice& inv) {
    const double width = s.ScaleWidth();
    const double height = s.ScaleHeight();
    constexpr double AddressTop = 2835;

    s.FontBold = false;
    s.CurrentY = AddressTop;
    for (const std::string& line : inv.addresseeLines) {
        s.CurrentX = 2268;
        s.Print(line);
    }

    s.CurrentY = 0;
    PrintHeader(s, book);
    if (s.CurrentY < AddressTop) s.CurrentY = AddressTop;

    const double dateRight = wholeTwips(width - 1565);
    printRight(s, strings::text(280) + " ", dateRight, false);
    s.CurrentX = dateRight;
    s.Print(inv.dateText);
    s.Print("");

    s.FontBold = true;
    printRight(s, strings::text(281) + " ", dateRight, false);
    s.CurrentX = dateRight;
    s.Print(inv.reference);
    for (int i = 0; i < 5; ++i)
        s.Print("");

    printCentred(s, inv.title);

    const double amountRight = wholeTwips(width - 730);
    s.FontBold = false;
    const double rule = s.CurrentY + 100;
    s.Line(0, rule, width, rule);
    s.CurrentX = 0;
    s.CurrentY = rule + 100;

    // The numbers' column is indented by half the page's excess height; on a
    // landscape page (no excess) it starts at the margin, never left of it.
    const double numberRight = s.TextWidth("000000000") + std::max(0.0, (height - width) / 2);
    for (const InvoiceLine& line : inv.lines) {
        s.CurrentX = std::max(0.0, numberRight - s.TextWidth(line.numberText));
        s.PrintInline(line.numberText);
        s.PrintInline("      " + line.name);
        printRight(s, line.amountText, amountRight, true);
    }

    s.Print("");
    s.FontBold = true;
    printRight(s, strings::text(168) + " - " + inv.totalText, amountRight, true);
    s.Print("");
    printCentred(s, inv.note);
    s.EndDoc();
}

std::string invoiceHtml(const Book& book, const Invoice& inv) {
    std::string h;
    h += "<html><body><br><br><font size=" + quoted("2") +
         " face=" + quoted(htmlEscaped(book.FontName.str())) + "><p align=" + quoted("right") + ">";
    h += "<b>" + htmlEscaped(book.BusinessName.str()) + "</b><br>";
    for (const std::string& line : splitTextLines(book.BusinessAddress.str()))
        h += htmlEscaped(line) + "<br>";
    h += "</p><br><br><p>";
    for (const std::string& line : inv.addresseeLines)
        h += htmlEscaped(line) + "<br>";
    h += "<br><br>";
    h += htmlEscaped(strings::text(280)) + " " + htmlEscaped(inv.dateText) + "<br><br>";
    h += "<b>" + htmlEscaped(strings::text(281)) + " " + htmlEscaped(trimmedSpaces(inv.reference)) +
         "<br><br>";
    h += "<center>" + htmlEscaped(inv.title) + "<br>" + std::string(94, '_') + "</center></b>";
    h += "<table style=" + quoted("border:none; Width:780px;") + ">";
    h += "<tr>";
    h += "<td width=" + quoted("10%") + " style=" + quoted("border:none") +
         " align=" + quoted("left") + "></td>";
    h += "<td style=" + quoted("border:none") + " align=" + quoted("left") + "></td>";
    h += "<td align=" + quoted("right") + " width=" + quoted("20%") +
         " style=" + quoted("border:none") + "></td>";
    h += "</tr>";
    for (const InvoiceLine& line : inv.lines) {
        h += "<tr><td>" + htmlEscaped(line.numberText) + "</td><td>" + htmlEscaped(line.name) +
             "</td><td align=" + quoted("right") + ">" + htmlEscaped(line.amountText) +
             "</td></tr>";
    }
    h += "<tr><td></td><td></td><td align=" + quoted("right") + "><br><b>" +
         htmlEscaped(strings::text(168)) + " -  " + htmlEscaped(inv.totalText) + "</b></td>";
    h += "</tr></table></p></font></html></body>";
    return h;
}

std::string invoiceSubject(const Book& book, const Invoice& inv) {
    return book.BusinessName.str() + ", " + Tmain::AccountNameByNumber(book, inv.addressee) + " (" +
           trimmedSpaces(inv.reference) + ")";
}

std::optional<std::filesystem::path> EmailInvoice(const Book& book, const Invoice& invoice,
                                                  const std::string& caption) {
    return Tmain::OpenMailDraft("Invoice", invoiceHtml(book, invoice),
                                invoiceSubject(book, invoice), caption);
}
