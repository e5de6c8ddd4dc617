#include "mainwindow/qt/invoice_printer.h"

#include "book/tmain.h"
#include "mainwindow/trading_books.h"
#include "platform/fake/fake_services.h"
#include "support/pdf_text.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <sstream>

using testing_support::readPdfText;
using testing_support::TempDir;

using trading_books::addLine;
using trading_books::money;

namespace {

// A sale of goods and delivery on account: Debtors against two revenue accounts.
Book saleBook() {
    Book b = makeEmptyBook("Balance", 45000);
    b.EntryLines.clear();
    b.EntryIds.clear();
    b.BusinessName = "Harbour Traders";
    b.BusinessAddress = "12 Quay Road\r\nPortsmouth";
    b.FontName = "DejaVu Sans";
    const struct {
        const char* number;
        const char* name;
    } accounts[] = {{"120", "Debtors"}, {"400", "Sales"}, {"410", "Delivery"}};
    for (int i = 0; i < 3; ++i) {
        b.AccountNumbers[i + 1] = money(accounts[i].number);
        b.AccountNames[i + 1] = accounts[i].name;
    }
    b.AccountNote2[1] = "Blue Anchor Inn\r\nDock Street";
    addLine(b, Debit, "120", "1280", "", "INV-2041");
    addLine(b, Credit, "400", "1234.5", "", "INV-2041");
    addLine(b, Credit, "410", "45.5", "Thank you for your custom", "INV-2041");
    return b;
}

TEST(InvoicePdf, PrintedInvoiceReadsBackWithPdftotext) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const Book b = saleBook();
    // A note wider than the page: every word of it is read back.
    const std::string note = "Thank you for your custom. 1,250.00 received on account of "
                             "the goods and delivery above, with thanks; the balance of "
                             "30.00 left on the order of March is due within 30 days, "
                             "on 31/03/2025, by cheque or by transfer to our account 4417";
    const Invoice inv = buildInvoice(b, 0, 2, dayFirstLocale(), note);

    PrinterChoices pdf;
    pdf.pdfPath = (dir / "invoice.pdf").string();
    ASSERT_TRUE(printInvoiceOn(pdf, b, inv));
    EXPECT_TRUE(fakes.messages.shown.empty());

    std::string text;
    ASSERT_EQ(readPdfText(pdf.pdfPath, &text), 0) << text;
    for (const char* expected :
         {"Harbour Traders", "12 Quay Road", "Portsmouth", "Blue Anchor Inn", "Dock Street",
          "Date of Issue :", "14/03/2025", "Reference No :", "INV-2041", "Debtors (120)", "400",
          "Sales", "1,234.50", "410", "Delivery", "45.50", "Total - 1,280.00"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    std::istringstream words(note);
    for (std::string word; words >> word;)
        EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
}

TEST(InvoicePdf, APrinterThatCannotBeStartedIsSaid) {
    ScopedFakeServices fakes(dayFirstLocale());
    const Book b = saleBook();
    const Invoice inv = buildInvoice(b, 0, 2, dayFirstLocale(), "");
    PrinterChoices gone;
    gone.printerName = "A printer long since removed";
    EXPECT_FALSE(printInvoiceOn(gone, b, inv));
    EXPECT_TRUE(fakes.messages.lastText().starts_with( // with the print system's answer
        "Printer Error, Please Check the Printer...\n\nThe print system says: "));
}

} // namespace
