#include "mainwindow/invoice.h"

#include "book/tmain.h"
#include "mainwindow/entry_totals.h"
#include "mainwindow/mailed_invoice_reader.h"
#include "mainwindow/trading_books.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "support/screen_fit.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::TempDir;

using trading_books::addLine;
using trading_books::money;

namespace {

void setAccount(Book& b, int slot, const std::string& number, const std::string& name) {
    b.AccountNumbers[slot] = money(number);
    b.AccountNames[slot] = name;
}

// Entries: a sale to Debtors (0-1), two debits against Debtors (2-4), a
// credit side with a negative line (5-7).
Book invoiceBook() {
    Book b = makeEmptyBook("Balance", 45000);
    b.EntryLines.clear();
    b.EntryIds.clear();
    b.BusinessName = "Corner & <Shop>";
    b.BusinessAddress = "1 Main St\r\nTown";
    b.FontName = "Arial";
    setAccount(b, 1, "120", "Debtors");
    b.AccountNote2[1] = "Smith & <Sons>\r\n2 High Street";
    setAccount(b, 2, "400", "Sales");
    setAccount(b, 3, "410", "Services");
    setAccount(b, 4, "100", "Cash");
    addLine(b, Debit, "120", "150", "", "7");
    addLine(b, Credit, "400", "150", "Goods", "7");
    addLine(b, Debit, "100", "10.125", "", "8");
    addLine(b, Debit, "410", "10.135", "", "8");
    addLine(b, Credit, "120", "20.26", "Two debits", "8");
    addLine(b, Debit, "120", "1", "", "9");
    addLine(b, Credit, "400", "-0.5", "", "9");
    addLine(b, Credit, "410", "1.5", "Refund", "9");
    return b;
}

const RecordedCall* textCall(const RecordingSurface& s, const std::string& text) {
    for (const RecordedCall& c : s.calls)
        if (c.kind == RecordedCall::Text && c.text == text) return &c;
    return nullptr;
}

TEST(Invoice, AddresseeListedLinesAndTotal) {
    ScopedFakeServices fakes(dayFirstLocale());
    const Book b = invoiceBook();

    const Invoice sale = buildInvoice(b, 0, 1, dayFirstLocale(), "Goods");
    EXPECT_EQ(sale.addressee, money("120"));
    EXPECT_EQ(sale.listedSide, Credit);
    EXPECT_EQ(sale.title, "Debtors   (120)");
    EXPECT_EQ(sale.addresseeLines, (std::vector<std::string>{"Smith & <Sons>", "2 High Street"}));
    ASSERT_EQ(sale.lines.size(), 1u);
    EXPECT_EQ(sale.lines[0].numberText, "400");
    EXPECT_EQ(sale.lines[0].name, "Sales");
    EXPECT_EQ(sale.lines[0].amountText, "150.00");
    EXPECT_EQ(sale.totalText, "150.00");
    EXPECT_EQ(sale.dateText, "14/03/2025");
    EXPECT_EQ(sale.reference, "7             ");

    // Two debit lines: the last line's account is the addressee, the debits
    // are listed, and each is added as it shows (halves away from zero).
    const Invoice two = buildInvoice(b, 2, 4, dayFirstLocale(), "");
    EXPECT_EQ(two.addressee, money("120"));
    EXPECT_EQ(two.listedSide, Debit);
    ASSERT_EQ(two.lines.size(), 2u);
    EXPECT_EQ(two.lines[0].name, "Cash");
    EXPECT_EQ(two.lines[1].name, "Services");
    EXPECT_EQ(two.lines[0].amountText + " " + two.lines[1].amountText, "10.13 10.14");
    EXPECT_EQ(two.total, money("20.27"));
    EXPECT_EQ(two.totalText, "20.27");

    // A negative amount in parentheses, without a 0 before the decimal mark.
    const Invoice refund = buildInvoice(b, 5, 7, decimalCommaLocale(), "Refund");
    ASSERT_EQ(refund.lines.size(), 2u);
    EXPECT_EQ(refund.lines[0].amountText, "(,50)");
    EXPECT_EQ(refund.lines[1].amountText, "1,50");
    EXPECT_EQ(refund.totalText, "1,00");

    // A total within the range though the lines pass it on the way, as the
    // entry's totals; past the range, "#####".
    Book wide = b;
    for (const char* amount : {"922337203685477.5807", ".01", "-51939.14", "-10292.97"})
        addLine(wide, Credit, "400", amount, "", "10");
    addLine(wide, Debit, "120", "1", "", "10");
    EXPECT_EQ(buildInvoice(wide, 8, 12, dayFirstLocale(), "").totalText, "922,337,203,623,245.48");
    EXPECT_EQ(sumEntry(wide, 8, 12).credit, money("922337203623245.4807"));
    wide.EntryLines[10].Amount = wide.EntryLines[11].Amount = money("1");
    EXPECT_EQ(buildInvoice(wide, 8, 12, dayFirstLocale(), "").totalText, "#####");

    // An account without a second note, or no account at all, gives no address.
    Book c = b;
    c.AccountNote2[1] = "";
    EXPECT_TRUE(buildInvoice(c, 0, 1, dayFirstLocale(), "").addresseeLines.empty());
    c.EntryLines[0].AccountNumber = money("999");
    const Invoice unknown = buildInvoice(c, 0, 1, dayFirstLocale(), "");
    EXPECT_EQ(unknown.title, "   (999)");
    // ...not even when slot 0 carries a second note of its own.
    c.AccountNote2[0] = "Another client";
    EXPECT_TRUE(buildInvoice(c, 0, 1, dayFirstLocale(), "").addresseeLines.empty());

    // Sub-accounts as the journal window shows them, with the dash setting.
    c.SubAccountDash = -1;
    c.EntryLines[0].AccountNumber = money("999.5");
    c.EntryLines[1].AccountNumber = money("400.25");
    const Invoice dashed = buildInvoice(c, 0, 1, decimalCommaLocale(), "");
    EXPECT_EQ(dashed.title + dashed.lines[0].numberText, "   (999-5)400-25");
}

TEST(Invoice, PrintedLayout) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book b = invoiceBook();
    const std::string street = "2 High Street And On And On And On And On And On And On And On "
                               "And On And On",
                      sales = "Sales Of Goods And Services Of Every Kind And Of Every Size And "
                              "Of Every Colour";
    b.AccountNote2[1] = "Smith & <Sons>\r\n" + street;
    setAccount(b, 2, "400", sales);
    const Invoice inv = buildInvoice(b, 0, 1, dayFirstLocale(), "Goods");

    RecordingSurface portrait; // 11520 x 15120 twips
    PrintInvoice(portrait, b, inv);
    const RecordedCall* address = textCall(portrait, "Smith & <Sons>");
    const RecordedCall* date = textCall(portrait, "Date of Issue : ");
    const RecordedCall* name = textCall(portrait, "Corner & <Shop>");
    ASSERT_TRUE(address && date && name);
    EXPECT_EQ(address->x1, 2268);
    EXPECT_EQ(address->y1, 2835);
    EXPECT_EQ(date->y1, 2835); // a short heading leaves the date level with the address
    EXPECT_EQ(date->x1 + 16 * 90, 11520 - 1565);
    EXPECT_EQ(name->font.size, 10); // one point larger, bold, in the book's font
    EXPECT_TRUE(name->font.bold);
    EXPECT_EQ(name->font.name, "Arial");
    EXPECT_EQ(name->x1 + 15 * 110, 11520 - 730);
    ASSERT_TRUE(textCall(portrait, "7             "));
    // The account number right-aligned at nine digits' width plus half the excess height.
    const RecordedCall* number = textCall(portrait, "400");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->x1, 9 * 90 + (15120 - 11520) / 2 - 3 * 90);
    const RecordedCall* total = textCall(portrait, "Total - 150.00");
    ASSERT_TRUE(total);
    EXPECT_TRUE(total->font.bold);
    ASSERT_TRUE(textCall(portrait, "Goods"));
    std::string joined; // the address beside the date and the name wrapped whole, never cut
    for (const std::string& text : portrait.texts())
        joined += text + " ";
    for (const std::string& whole : {street, sales})
        EXPECT_NE(joined.find(whole + " "), std::string::npos) << joined;
    EXPECT_TRUE(overlappingTexts(portrait.calls).empty());
    EXPECT_EQ(portrait.calls.back().kind, RecordedCall::EndDoc);

    // Landscape: no text starts left of the margin.
    RecordingSurface landscape(15120, 11520);
    PrintInvoice(landscape, b, inv);
    for (const RecordedCall& c : landscape.calls)
        EXPECT_TRUE(c.kind != RecordedCall::Text || c.x1 >= 0) << c.text << " at " << c.x1;
    EXPECT_EQ(textCall(landscape, "400")->x1, 9 * 90 - 3 * 90);

    // A long heading pushes the date line below it; a name and a note wider than the page go on in
    // lines below, broken at blanks (a word too long where it must be), each whole on the page.
    b.BusinessName = "Corner Shop " + std::string(100, 'W');
    b.BusinessAddress = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\nm";
    const std::string nines(130, '9');
    RecordingSurface tall;
    PrintInvoice(tall, b,
                 buildInvoice(b, 0, 1, dayFirstLocale(),
                              "1,250.00 received on account, " + nines + " due on 31/03/2025"));
    // Empty line, the name's three lines (10 pt), 13 address lines, empty line.
    EXPECT_EQ(textCall(tall, "Date of Issue : ")->y1, 216 + 3 * 240 + 13 * 216 + 216);
    EXPECT_TRUE(textsCutAtEdge(tall.calls, {11520, 15120}).empty());
    EXPECT_EQ(textCall(tall, "Smith & <Sons>")->y1, textCall(tall, "Date of Issue : ")->y1);
    for (const std::string& line :
         {std::string("Corner Shop"), std::string(98, 'W'), std::string(2, 'W')})
        EXPECT_EQ(textCall(tall, line) ? textCall(tall, line)->x2 : 0, 11520 - 730) << line;
    const std::vector<std::string> texts = tall.texts();
    EXPECT_EQ(std::vector<std::string>(texts.end() - 3, texts.end()),
              (std::vector<std::string>{"1,250.00 received on account,", nines.substr(14),
                                        nines.substr(0, 14) + " due on 31/03/2025"}));

    // In a larger font long texts neither overlap nor leave the page; lines go on to the next.
    b.AccountNote2[1] = std::string(60, 'W') + "\r\n2 High Street\r\n3\r\n4\r\n5\r\n6";
    setAccount(b, 2, "123456789012.3456", std::string(70, 'W'));
    addLine(b, Debit, "120", "60", "", "WWWWWWWWWWWWWW");
    for (int i = 0; i < 60; ++i)
        addLine(b, Credit, "123456789012.3456", "1", "", "WWWWWWWWWWWWWW");
    b.BusinessName = std::string(65535, 'W'); // a name longer than a page, the addressee below it
    RecordingSurface large;
    large.FontSize = 12;
    PrintInvoice(large, b, buildInvoice(b, 8, b.LastEntryLine(), dayFirstLocale(), ""));
    EXPECT_EQ(large.pages(), 22);
    EXPECT_TRUE(overlappingTexts(large.calls).empty()) << overlappingTexts(large.calls).front();
    EXPECT_TRUE(textsCutAtEdge(large.calls, {11520, 15120}).empty());
    for (const RecordedCall& c : large.calls)
        EXPECT_LE(c.y2, 15120) << c.text;
}

TEST(Invoice, MailedPageAsGivenWithEveryTextEscaped) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book b = invoiceBook();
    const Invoice inv = buildInvoice(b, 0, 1, dayFirstLocale(), "Goods");
    const std::string expected =
        "<html><body><br><br><font size=\"2\" face=\"Arial\"><p align=\"right\">"
        "<b>Corner &amp; &lt;Shop&gt;</b><br>1 Main St<br>Town<br>"
        "</p><br><br><p>Smith &amp; &lt;Sons&gt;<br>2 High Street<br><br><br>"
        "Date of Issue : 14/03/2025<br><br>"
        "<b>Reference No : 7<br><br>"
        "<center>Debtors   (120)<br>" +
        std::string(94, '_') +
        "</center></b>"
        "<table style=\"border:none; Width:780px;\"><tr>"
        "<td width=\"10%\" style=\"border:none\" align=\"left\"></td>"
        "<td style=\"border:none\" align=\"left\"></td>"
        "<td align=\"right\" width=\"20%\" style=\"border:none\"></td></tr>"
        "<tr><td>400</td><td>Sales</td><td align=\"right\">150.00</td></tr>"
        "<tr><td></td><td></td><td align=\"right\"><br><b>Total -  150.00</b></td>"
        "</tr></table></p></font></html></body>";
    EXPECT_EQ(invoiceHtml(b, inv), expected);

    b.FontName = "Evil\" onload=\"x";
    EXPECT_NE(invoiceHtml(b, inv).find("face=\"Evil&quot; onload=&quot;x\""), std::string::npos);
    // The subject names the addressee whose note heads the invoice.
    EXPECT_EQ(invoiceSubject(b, inv), "Corner & <Shop>, Debtors (7)");
}

TEST(Invoice, MailedDraftReadsBackWithPythonsEmailPackage) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    fakes.environment.vars["tmp"] = dir.path().string();
    const Book b = invoiceBook();
    const Invoice inv = buildInvoice(b, 5, 7, dayFirstLocale(), "Refund");

    const auto draft = EmailInvoice(b, inv, "Ledgerwick : shop.acc");
    ASSERT_TRUE(draft);
    EXPECT_EQ(draft->filename(), "Invoice0.eml");
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(fakes.shell.opened[0], draft->string());

    std::string out;
    ASSERT_EQ(mailed_invoice_reader::readDraft(dir.path(), draft->string(), &out), 0) << out;
    EXPECT_NE(out.find("SUBJECT:Corner & <Shop>, Debtors (9)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("|Smith & <Sons>|"), std::string::npos) << out;
    EXPECT_NE(out.find("TEXT:Corner & <Shop>|"), std::string::npos) << out;
    EXPECT_NE(out.find("|Reference No : 9|"), std::string::npos) << out;
    EXPECT_NE(out.find("|(.50)|"), std::string::npos) << out;
    EXPECT_NE(out.find("|Total -  1.00"), std::string::npos) << out;
}

} // namespace
