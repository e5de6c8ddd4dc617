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
    addEntry(b, "100", "400", "99", "Cash sale", "INV-2040", Tmain::DayNumber(2025, 3, 13));
    trading_books::addLine(b, Debit, "120", "1280", "", "INV-2041"); // on 14 March 2025
    trading_books::addLine(b, Credit, "400", "1234.5", "", "INV-2041");
    trading_books::addLine(b, Credit, "410", "45.5", "Thank you for your custom", "INV-2041");
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
// every later printout's, windows made again too, and the invoice prints
// there; a default printer naming no paper is told first. With the print
// service stopped, Print Invoice says so before it asks for a PDF file.
TEST(TAcountInvoice, OnePrinterForEveryPrintoutAndAnOutageToldFirst) {
    testing_support::PrintService service;
    if (!service.why().empty()) GTEST_SKIP() << service.why();
    ASSERT_TRUE(service.addQueue("Office") && service.addQueue("Annex"));
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    showBook(w, saleBook());
    WindowLaunchers& open = w.launchers();
    auto* tb = static_cast<Trial_Balance*>(open.trialBalance(w, "31/12/2025"));
    Printformer& setup = tb->printSetup();
    // Not the printer the setup starts on.
    const std::string printer = setup.choicesNow().printerName == "Office" ? "Annex" : "Office";
    setup.printerChosen(printer);
    setup.paperChosen(setup.Combo2->findText("Envelope DL, 110 x 220 mm"));
    setup.orientationChosen(Landscape);
    auto* again = static_cast<Trial_Balance*>(open.trialBalance(w, "31/12/2025"));
    auto* is = static_cast<Income_Statement*>(open.incomeStatement(w));
    auto* io = static_cast<CashFlow*>(open.cashFlow(w));
    auto* chart = static_cast<ConfigAccounts*>(open.chartOfAccounts(w));
    ASSERT_TRUE(again && is && io && chart);
    delete tb;
    const std::function<void()> printouts[] = {
        [again] { again->PrintAccount->trigger(); }, [is] { is->PrintToPrinter->trigger(); },
        [io] { io->PrintCash->trigger(); }, [chart] { chart->PrintAccounts_Click(); }};
    for (const auto& print : printouts) { // the choices of the setup shown, then cancelled
        PrinterChoices shown;
        QTimer::singleShot(0, [&shown] {
            auto* s = qobject_cast<Printformer*>(QApplication::activeModalWidget());
            if (s) shown = s->choices(), s->cancelClicked();
        });
        print();
        EXPECT_EQ(std::tuple(shown.printerName, shown.paperCode, shown.orientation),
                  std::tuple(printer, 27, Landscape)); // Envelope DL
    }
    run(w, Command::Invoice);
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.c_str(), 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    EXPECT_EQ(count, 1);
    ASSERT_TRUE(service.run("lpadmin -p Raw -E -v file:///dev/null") &&
                service.run("lpadmin -d Raw"));
    TAcount fresh;
    showBook(fresh, saleBook());
    run(fresh, Command::Invoice);
    EXPECT_EQ(fakes.messages.lastText(),
              "Printer Trouble\n\nThe printer Raw names no paper size: the pages are laid out on "
              "A4, 210 x 297 mm, which it may shrink or cut to its paper.");

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
