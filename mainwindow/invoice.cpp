#include "mainwindow/invoice.h"

#include "book/account_number_text.h"
#include "book/letter_html.h"
#include "book/mail_draft.h"
#include "book/number_format.h"
#include "book/plain_text.h"
#include "book/tmain.h"
#include "resources/string_table.h"
#include "toolkit/text_wrap.h"

#include <algorithm>
#include <cmath>

namespace {

// A text whose right edge is at x; `endLine` moves to the next line after it.
void printRight(DrawingSurface& s, const std::string& text, double x, bool endLine) {
    s.CurrentX = x - s.TextWidth(text);
    if (endLine)
        s.Print(text);
    else
        s.PrintInline(text);
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

    // An addressee missing from the chart has no address: never another slot's.
    if (const auto slot = Tmain::AccountSlotByNumber(book, inv.addressee)) {
        const std::string& addressNote = book.AccountNote2[static_cast<std::size_t>(*slot)];
        if (!addressNote.empty()) inv.addresseeLines = splitTextLines(addressNote);
    }
    inv.title = Tmain::AccountNameByNumber(book, inv.addressee) + "   (" +
                folioText(book, inv.addressee, marks.decimal) + ")";

    // Summed wide: lines of either sign may pass the range on the way to a
    // total within it.
    WideSum total;
    for (std::int32_t i = first; i <= last; ++i) {
        const EntryLine& l = lineAt(i);
        if (l.Side != inv.listedSide) continue;
        InvoiceLine row;
        row.number = l.AccountNumber;
        row.numberText = folioText(book, l.AccountNumber, marks.decimal);
        row.name = Tmain::AccountNameByNumber(book, l.AccountNumber);
        row.amount = l.Amount;
        row.amountText = formatAmountWithoutLeadingZero(l.Amount, decimals, marks);
        inv.lines.push_back(std::move(row));
        total += roundHalfAwayWide(l.Amount, decimals);
    }
    // A total beyond the range of amounts is not shown as a wrong figure.
    const std::optional<Currency> held = total.checked();
    if (held) inv.total = *held;
    inv.totalText = held ? formatAmountWithoutLeadingZero(*held, decimals, marks) : "#####";

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
    printWithin(s, book.BusinessName.str(), 0, x, LineAlign::Right);
    s.FontSize -= 1;
    s.FontBold = false;
    for (const std::string& line : splitTextLines(book.BusinessAddress.str()))
        printWithin(s, line, 0, x, LineAlign::Right);
    s.Print("");
}

void PrintInvoice(DrawingSurface& s, const Book& book, const Invoice& inv) {
    const double width = s.ScaleWidth();
    constexpr double AddressTop = 2835, AddressLeft = 2268;
    if (!book.FontName.str().empty()) s.FontName = book.FontName.str();

    s.CurrentY = 0;
    PrintHeader(s, book);

    // The date and the reference start 1565 twips from the right edge, or
    // as far left as the wider needs; their labels end there.
    const std::string dateLabel = strings::text(280) + " ";
    const std::string referenceLabel = strings::text(281) + " ";
    s.FontBold = false;
    double values = s.TextWidth(inv.dateText);
    double labels = s.TextWidth(dateLabel);
    s.FontBold = true;
    values = std::max(values, s.TextWidth(inv.reference));
    labels = std::max(labels, s.TextWidth(referenceLabel));
    const double dateRight = wholeTwips(width - std::max(1565.0, values));

    // The addressee and the date beside it start at the envelope window's
    // top, or below a long heading; on the next page where the date and the
    // reference would pass the foot.
    s.CurrentY = std::max(s.CurrentY, AddressTop);
    newPageBeforeFoot(s, 3 * s.TextHeight("W"));
    const double dateTop = s.CurrentY;
    const double dateBottom = dateTop + 3 * s.TextHeight("W");
    const int datePage = s.pageNumber();

    s.FontBold = false;
    printRight(s, dateLabel, dateRight, false);
    s.CurrentX = dateRight;
    s.Print(inv.dateText);
    s.Print("");
    s.FontBold = true;
    printRight(s, referenceLabel, dateRight, false);
    s.CurrentX = dateRight;
    s.Print(inv.reference);
    for (int i = 0; i < 5; ++i)
        s.Print("");
    const double dateEnd = s.CurrentY;

    // The addressee's lines, wrapped where they would reach the labels
    // beside them or the page's edge.
    s.FontBold = false;
    s.CurrentY = dateTop;
    const double besideDate = dateRight - labels - s.TextWidth("  ");
    const auto addressRight = [&] {
        const bool beside = s.pageNumber() == datePage && s.CurrentY < dateBottom &&
                            s.CurrentY + s.TextHeight("W") > dateTop;
        return beside ? besideDate : width;
    };
    for (const std::string& line : inv.addresseeLines)
        printWithin(s, line, AddressLeft, addressRight, LineAlign::Left);
    // Below a long address, a line apart from it.
    s.CurrentY += s.TextHeight("W");
    if (s.pageNumber() == datePage) s.CurrentY = std::max(s.CurrentY, dateEnd);

    // A line that would run past the page's foot starts the next page.
    auto room = [&](int lines) { newPageBeforeFoot(s, lines * s.TextHeight("W")); };
    // The title, the total and the note, in as many lines as keep them on the page.
    auto printOnPage = [&](const std::string& text, double right, LineAlign align) {
        printWithin(s, text, 0, right, align, [&] { room(1); });
    };
    s.FontBold = true;
    printOnPage(inv.title, width, LineAlign::Centre);

    const double amountRight = wholeTwips(width - 730);
    s.FontBold = false;
    room(1);
    const double rule = s.CurrentY + 100;
    s.Line(0, rule, width, rule);
    s.CurrentX = 0;
    s.CurrentY = rule + 100;

    // The numbers' column is nine digits wide, or as wide as the widest
    // number, indented by half the page's excess height; on a landscape page
    // (no excess) it starts at the margin. A name gives way to the amounts
    // and goes on in lines below, as a row of every printed table does.
    double numbers = s.TextWidth("000000000");
    double amounts = 0;
    for (const InvoiceLine& line : inv.lines) {
        numbers = std::max(numbers, s.TextWidth(line.numberText));
        amounts = std::max(amounts, s.TextWidth(line.amountText));
    }
    const double numberRight = numbers + std::max(0.0, (s.ScaleHeight() - width) / 2);
    const double gap = s.TextWidth("      ");
    for (const InvoiceLine& line : inv.lines)
        printWrappedRow(s, {{line.name, numberRight + gap, amountRight - amounts - gap}}, room,
                        [&] {
                            printRight(s, line.amountText, amountRight, false);
                            s.CurrentX = numberRight - s.TextWidth(line.numberText);
                            s.PrintInline(line.numberText);
                        });

    room(4);
    s.Print("");
    s.FontBold = true;
    printOnPage(strings::text(168) + " - " + inv.totalText, amountRight, LineAlign::Right);
    s.Print("");
    printOnPage(inv.note, width, LineAlign::Centre);
    s.EndDoc();
}

std::string invoiceHtml(const Book& book, const Invoice& inv) {
    std::string h;
    h += letterHeadHtml(book, inv.addresseeLines);
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
