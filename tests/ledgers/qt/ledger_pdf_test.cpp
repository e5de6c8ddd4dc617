// A ledger printout on the PDF printer, read back with pdftotext.
#include "ledgers/ledger_printouts.h"

#include "ledgers/ledger_book.h"
#include "platform/fake/fake_services.h"
#include "platform/qt/printer_factory.h"
#include "support/pdf_text.h"
#include "support/test_paths.h"
#include "toolkit/qt/dialog_driving.h"

#include <gtest/gtest.h>

using testing_support::readPdfText;
using testing_support::TempDir;

namespace {

using namespace ledgerbook;

class LedgerPdf : public dialog_driving::InBothFamilies {};

TEST_P(LedgerPdf, TAccountReadsBackWithPdftotext) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    Book book = ledgerbook::book();
    book.FontName = GetParam();
    const TAccountOptions options = inFebruary<TAccountOptions>(Sales);
    const TAccountLedger ledger = buildTAccount(book, options);
    const LedgerHeading heading =
        ledgerHeading(book, "Sales", "200", feb(1), feb(28), dayFirstLocale());

    PrinterChoices pdf;
    pdf.pdfPath = (dir / "t-account.pdf").string();
    for (const double zoom : {1.0, 500.0}) { // far past the largest that draws type
        ASSERT_TRUE(printCopies(pdf, 1, "Ledger", [&](DrawingSurface& s) {
            printTAccount(s, book, ledger, heading, dayFirstLocale(), zoom);
        }));
        std::string text;
        ASSERT_EQ(readPdfText(pdf.pdfPath, &text), 0) << text;
        for (const char* expected :
             {"Corner Shop", "Sales (200)", "Dated from 01/02/2026 to the 28/02/2026",
              "Balance b/f", "500.00", "10/02/2026", "Wages", "Balance c/d", "850.00", "Total",
              "890.00", "Balance b/d"})
            EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, LedgerPdf, ::testing::ValuesIn(dialog_driving::bothFamilies),
                         dialog_driving::familyName);

} // namespace
