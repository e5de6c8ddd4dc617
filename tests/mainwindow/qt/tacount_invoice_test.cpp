// Invoices of the main window's current entry: printed from the File
// menu on the PDF printer (read back with pdftotext) and mailed from the
// toolbar (read back with Python's email package).
#include "accounts/qt/ConfigAccounts.h"
#include "ledgers/ledger_printouts.h"
#include "mainwindow/mailed_invoice_reader.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "mainwindow/qt/window_launchers.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "platform/qt/printer_factory.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "support/pdf_text.h"
#include "support/qt/print_service.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/pdf_file_dialog.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace main_window_driving;
using testing_support::readFile;
using testing_support::readPdfText;
using testing_support::TempDir;

namespace {

// An earlier sale to another customer, then the sale shown: Debtors (whose
// second note is the addressee) against Sales and Delivery.
Book saleBook() {
    Book b = tradingBook("Harbour Traders");
    b.EntryLines.clear();
    b.EntryIds.clear();
    b.BusinessAddress = "12 Quay Road\r\nPortsmouth";
    b.FontName = "DejaVu Sans";
    setAccount(b, 5, "120", "Debtors", CurrentAsset);
    setAccount(b, 6, "410", "Delivery", Revenue);
    b.AccountNote2[5] = "Blue Anchor & Co\r\nDock Street";
    const double day = Tmain::DayNumber(2025, 3, 14);
    addEntry(b, "100", "400", "99", "Cash sale", "INV-2040", day - 1);
    EntryLine d;
    d.Date = day;
    d.Side = Debit;
    d.AccountNumber = money("120");
    d.Amount = money("1280");
    b.EntryLines.push_back(d);
    EntryLine sales = d, delivery = d;
    sales.Side = delivery.Side = Credit;
    sales.AccountNumber = money("400");
    sales.Amount = money("1234.5");
    delivery.AccountNumber = money("410");
    delivery.Amount = money("45.5");
    delivery.Details = "Thank you for your custom";
    b.EntryLines.push_back(sales);
    b.EntryLines.push_back(delivery);
    for (int i = 0; i < 3; ++i)
        b.EntryIds.push_back(EntryId("INV-2041"));
    return b;
}

TEST(TAcountInvoice, TheEntryShownPrintedOnThePdfPrinterAndMailed) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const std::string pdf = (dir / "invoice.pdf").string();
    fakes.environment.vars["LW_PDF_OUTPUT"] = pdf;
    fakes.environment.vars["tmp"] = dir.path().string();
    TAcount w;
    showBook(w, saleBook());
    w.show();
    ASSERT_EQ(w.entryModel().bounds(), (EntryBounds{2, 4}));
    ASSERT_EQ(w.AccNote->text(), "Thank you for your custom");
    w.printSetup()->printerChosen(PdfPrinterName);

    run(w, Command::Invoice);
    std::string text;
    ASSERT_EQ(readPdfText(pdf, &text), 0) << text;
    for (const char* expected :
         {"Harbour Traders", "12 Quay Road", "Blue Anchor & Co", "Dock Street",
          "Date of Issue :", "14/03/2025", "Reference No :", "INV-2041", "Debtors (120)", "Sales",
          "1,234.50", "Delivery", "45.50", "Total - 1,280.00", "Thank you for your custom"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_EQ(text.find("INV-2040"), std::string::npos);
    EXPECT_EQ(text.find("Cash sale"), std::string::npos);

    // Mailed from the toolbar's last button.
    click(w.ButtonBar->CalcButton[11]);
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    const std::string draft = fakes.shell.opened[0];
    std::string out;
    ASSERT_EQ(mailed_invoice_reader::readDraft(dir.path(), draft, &out), 0) << out;
    EXPECT_NE(out.find("SUBJECT:Harbour Traders, Debtors (INV-2041)"), std::string::npos) << out;
    EXPECT_NE(out.find("|Blue Anchor & Co|"), std::string::npos) << out;
    EXPECT_NE(out.find("|Reference No : INV-2041|"), std::string::npos) << out;
    EXPECT_NE(out.find("|Total -  1,280.00"), std::string::npos) << out;
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
}

TEST(TAcountInvoice, TheBusinessHeadingForOtherPrintouts) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    showBook(w, saleBook());
    RecordingSurface page;
    w.PrintHeader(page);
    // An empty line, the name in bold, the address, an empty line.
    EXPECT_EQ(page.texts(),
              (std::vector<std::string>{"", "Harbour Traders", "12 Quay Road", "Portsmouth", ""}));
    ASSERT_EQ(page.calls.size(), 5u);
    EXPECT_TRUE(page.calls[1].font.bold);
    EXPECT_FALSE(page.calls[2].font.bold);

    // The running balance at half size prints the name as this heading draws
    // it, at the zoom asked, wrapped on lines ending short of the right edge.
    w.book().BusinessName = std::string(200, 'W');
    RecordingSurface half;
    printRunningBalance(half, w.book(), {}, {}, dayFirstLocale(), 0.5,
                        [&](DrawingSurface& d) { w.PrintHeader(d); });
    EXPECT_EQ(half.calls[0].text, "Page 1"); // on the heading's empty first line
    std::string name;
    for (std::size_t k = 2; k < half.calls.size() && half.calls[k].text.starts_with("W"); ++k) {
        name += half.calls[k].text;
        EXPECT_EQ(half.calls[k].x2, 11520 - 730);
        EXPECT_EQ(half.calls[k].font.size, 8.16 * 0.5 + 1);
    }
    EXPECT_EQ(name, std::string(200, 'W'));
}

TEST(TAcountInvoice, NoPdfFileNamedPrintsNothingAndEachPrintAsksForAFileOfItsOwn) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    TAcount w;
    showBook(w, saleBook());
    w.printSetup()->printerChosen(PdfPrinterName);
    const std::string d = dir.path().string() + "/";
    std::vector<std::string> proposed,
        answers{"", d + "a", d + "b.pdf", d + "a", d + "c", d + "report"};
    const PdfFileChooser before = replacePdfFileDialog([&](const std::string& shown) {
        proposed.push_back(shown);
        return proposed.size() <= answers.size() ? answers[proposed.size() - 1] : "";
    });
    const auto printLedger = [&w] {
        QTimer::singleShot(0, w.printSetup(), [&w] { w.printSetup()->printClicked(); });
        const auto r = w.printSetup()->ask();
        return r &&
               printCopies(r->printer, 1, "Ledger", [](DrawingSurface& s) { s.Print("Ledger"); });
    };
    run(w, Command::Invoice);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(printLedger());
    const std::string ledger = readFile(dir / "a.pdf");
    run(w, Command::Invoice);
    fakes.messages.shown.clear(); // "Printer Trouble" on a machine without printers
    fakes.messages.answers = {MessageAnswer::No, MessageAnswer::No}; // a.pdf, report-2.pdf below
    run(w, Command::Invoice);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.lastText(), d + "a.pdf already exists.\n\nReplace it?");
    testing_support::writeFile(dir / "report-2.pdf", "kept");
    w.printSetup()->Copying->setText("2");
    EXPECT_FALSE(printLedger());
    EXPECT_EQ(fakes.messages.lastText(), d + "report-2.pdf already exists.\n\nReplace it?");
    const std::string invoice = d + "Invoice INV-2041.pdf";
    EXPECT_EQ(std::vector(proposed.begin() + 2, proposed.end()),
              (std::vector{invoice, invoice, d + "a.pdf", d, d + "report.pdf"}));
    EXPECT_TRUE(std::filesystem::exists(dir / "b.pdf") && std::filesystem::exists(dir / "c.pdf"));
    EXPECT_EQ(readFile(dir / "a.pdf"), ledger);
    EXPECT_EQ(readFile(dir / "report-2.pdf"), "kept");
    replacePdfFileDialog(before);
}

// The printer, paper and orientation chosen in one window's print setup are
// every later printout's, in windows made again too; the invoice prints
// there, told first of a printer naming no paper. With the print service stopped, Print Invoice
// says so before it asks for a PDF file.
TEST(TAcountInvoice, OnePrinterForEveryPrintoutAndAnOutageToldFirst) {
    testing_support::PrintService service;
    if (!service.why().empty()) GTEST_SKIP() << service.why();
    ASSERT_TRUE(service.addQueue("Office") && service.addQueue("Annex"));
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    showBook(w, saleBook());
    // The print setup that shows while `print` runs: what it shows, then cancelled.
    const auto setupShown = [](const std::function<void()>& print,
                               const std::function<void(Printformer&)>& choose) {
        std::string shown;
        QTimer::singleShot(0, [&] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* setup = qobject_cast<Printformer*>(window); setup && setup->isVisible()) {
                    choose(*setup);
                    shown = setup->Combo1->currentText().toStdString() + ", " +
                            setup->Combo2->currentText().toStdString() +
                            (setup->ShapL[2]->isVisible() ? ", landscape" : "");
                    setup->cancelClicked();
                }
        });
        print();
        return shown;
    };
    WindowLaunchers& open = w.launchers();
    auto* tb = static_cast<Trial_Balance*>(open.trialBalance(w, "31/12/2025"));
    ASSERT_NE(tb, nullptr);
    std::string printer; // not the one the setup starts on
    const std::string shown =
        setupShown([tb] { tb->PrintAccount->trigger(); },
                   [&printer](Printformer& s) {
                       printer = s.Combo1->currentText() == "Office" ? "Annex" : "Office";
                       s.printerChosen(printer);
                       s.paperChosen(s.Combo2->findText("Envelope DL, 110 x 220 mm"));
                       s.orientationChosen(Landscape);
                   });
    const std::string chosen = printer + ", Envelope DL, 110 x 220 mm, landscape";
    EXPECT_EQ(shown, chosen);
    delete tb;
    auto* again = static_cast<Trial_Balance*>(open.trialBalance(w, "31/12/2025"));
    auto* is = static_cast<Income_Statement*>(open.incomeStatement(w));
    auto* io = static_cast<CashFlow*>(open.cashFlow(w));
    auto* chart = static_cast<ConfigAccounts*>(open.chartOfAccounts(w));
    ASSERT_TRUE(again && is && io && chart);
    const std::pair<const char*, std::function<void()>> printouts[] = {
        {"trial balance made again", [again] { again->PrintAccount->trigger(); }},
        {"income statement", [is] { is->PrintToPrinter->trigger(); }},
        {"inflows/outflows", [io] { io->PrintCash->trigger(); }},
        {"chart of accounts", [chart] { chart->PrintAccounts_Click(); }}};
    for (const auto& [what, print] : printouts)
        EXPECT_EQ(setupShown(print, [](Printformer&) {}), chosen) << what;
    run(w, Command::Invoice);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.c_str(), 0, CUPS_WHICHJOBS_ALL);
    ASSERT_EQ(count, 1);
    EXPECT_STREQ(jobs[0].title, "Invoice INV-2041 - Harbour Traders");
    cupsFreeJobs(count, jobs);
    // A default printer naming no paper is told before an invoice prints on it.
    ASSERT_TRUE(service.run("lpadmin -p Raw -E -v file:///dev/null") &&
                service.run("lpadmin -d Raw"));
    TAcount fresh;
    showBook(fresh, saleBook());
    run(fresh, Command::Invoice);
    EXPECT_EQ(
        fakes.messages.lastText().rfind("Printer Trouble\n\nThe printer Raw names no paper", 0), 0u)
        << fakes.messages.lastText();

    service.stop();
    std::string toldBefore;
    const PdfFileChooser before = replacePdfFileDialog(
        [&](const std::string&) { return toldBefore = fakes.messages.lastText(), std::string(); });
    run(w, Command::Invoice);
    replacePdfFileDialog(before);
    EXPECT_EQ(toldBefore, "Printer Trouble\n\nThe print service is not running: the pages will "
                          "be written to a PDF file.");
}

} // namespace
