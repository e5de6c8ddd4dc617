#include "toolkit/print_setup.h"
#include "toolkit/printout_fit.h"

#include "platform/paper_sizes.h"
#include "toolkit/pdf_output_file.h"

#include <gtest/gtest.h>

namespace {

PrinterCapabilities printer(const std::string& name, std::vector<int> codes, int current,
                            bool color = true, bool duplex = true) {
    PrinterCapabilities p;
    p.name = name;
    p.paperCodes = std::move(codes);
    p.currentPaperCode = current;
    p.color = color;
    p.duplex = duplex;
    return p;
}

PrinterCapabilities pdf() {
    std::vector<int> all;
    for (int c = 1; c <= 41; ++c)
        all.push_back(c);
    return printer(PdfPrinterName, all, 9, true, false);
}

TEST(PrintSetup, PaperProbeKeepsTheCodesAcceptedAndThePaperInForce) {
    auto accepts159 = [](int code) { return code == 1 || code == 5 || code == 9; };
    PaperList list = probePapers(accepts159, 9);
    EXPECT_EQ(list.codes, (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(probePapers(accepts159, 11).selected, 0); // A5 not accepted: item 0

    PrintSetup setup({printer("Office", {1, 5, 9}, 9)}, pdf(), "Office");
    EXPECT_EQ(setup.paperNames(),
              (std::vector<std::string>{"Letter, 8\u00bd x 11 in.", "Legal, 8\u00bd x 14 in.",
                                        "A4, 210 x 297 mm"}));
    EXPECT_EQ(setup.papers().selected, 2);
    EXPECT_EQ(setup.choices().paperCode, 9); // back on A4 after the probe
}

TEST(PrintSetup, ChoosingAnotherPrinterRebuildsThePaperList) {
    PrintSetup setup(
        {printer("Office", {1, 5, 9}, 9), printer("Labels", {20, 27}, 27, false, false)}, pdf(),
        "Office");
    EXPECT_EQ(setup.printerNames(), (std::vector<std::string>{"Office", "Labels", PdfPrinterName}));
    EXPECT_FALSE(setup.noPrinterInstalled());

    ASSERT_TRUE(setup.choosePrinter("Labels"));
    EXPECT_EQ(setup.papers().codes, (std::vector<int>{20, 27}));
    EXPECT_EQ(setup.choices().paperCode, 27);
    EXPECT_EQ(setup.choices().printerName, "Labels");
    EXPECT_EQ(setup.setColorMode(Color), Monochrome); // a black-and-white printer stays so

    EXPECT_FALSE(setup.choosePrinter("Gone"));
    EXPECT_EQ(setup.choices().printerName, "Labels");

    EXPECT_FALSE(setup.choosePaper(2));
    EXPECT_TRUE(setup.choosePaper(0));
    EXPECT_EQ(setup.choices().paperCode, 20);
}

TEST(PrintSetup, NoPrinterInstalledLeavesThePdfPrinter) {
    PrintSetup setup({}, pdf(), "");
    EXPECT_TRUE(setup.noPrinterInstalled());
    EXPECT_EQ(setup.choices().printerName, PdfPrinterName);
    EXPECT_EQ(setup.papers().codes.size(), 41u);
    EXPECT_EQ(setup.choices().paperCode, 9);
    // The default printer is the first installed one when the named default is missing.
    PrintSetup other({printer("First", {9}, 9), printer("Second", {9}, 9)}, pdf(), "Unknown");
    EXPECT_EQ(other.choices().printerName, "First");
}

TEST(PrintSetup, DuplexTickedIsTwoSidedWherePossible) {
    PrintSetup setup(
        {printer("Duplexer", {9}, 9, true, true), printer("Simple", {9}, 9, true, false)}, pdf(),
        "Duplexer");
    EXPECT_FALSE(setup.choices().duplex); // starts unticked
    EXPECT_TRUE(setup.setDuplex(true));
    EXPECT_TRUE(setup.choices().duplex);
    EXPECT_FALSE(setup.setDuplex(false));
    EXPECT_FALSE(setup.choices().duplex);
    // A printer without duplex stays one-sided although the box is ticked.
    setup.setDuplex(true);
    setup.choosePrinter("Simple");
    EXPECT_TRUE(setup.duplexTicked());
    EXPECT_FALSE(setup.choices().duplex);
    setup.choosePrinter("Duplexer");
    EXPECT_TRUE(setup.choices().duplex);
}

// Outages in the order they come: each told once when met, and the printer
// the user chose chosen again, with its paper, once it is there again.
TEST(PrintSetup, OutagesToldAndTheUsersPrinterBack) {
    const std::string stopped = "Printer Trouble\n\nThe print service is not running: the pages "
                                "will be written to a PDF file.";
    const auto office = printer("Office", {1, 9, 11}, 9), annex = printer("Annex", {1, 9}, 9);
    PrintSetup setup({}, pdf()); // the service stopped at the first showing
    EXPECT_EQ(setup.troubleToTell(true), stopped);
    // Lists `printers` (the default Annex) and tells: the printer chosen then, and the trouble.
    const auto listed = [&](const std::vector<PrinterCapabilities>& printers, bool stopped) {
        setup.listPrinters(printers, printers.empty() ? "" : "Annex");
        return std::tuple(setup.choices().printerName, setup.troubleToTell(stopped));
    };
    EXPECT_EQ(listed({}, true), std::tuple(PdfPrinterName, "")); // the same outage
    // Back: the default, not "PDF file".
    EXPECT_EQ(listed({office, annex}, false), std::tuple("Annex", ""));
    ASSERT_TRUE(setup.choosePrinter("Office") && setup.choosePaper(2)); // A5
    EXPECT_EQ(listed({}, true), std::tuple(PdfPrinterName, stopped));   // a second outage
    EXPECT_EQ(listed({annex}, false),
              std::tuple("Annex", "Printer Trouble\n\nThe printer Office is not there now: the "
                                  "pages will be printed on Annex."));
    ASSERT_TRUE(setup.choosePaper(0)); // Letter on the printer standing in, kept while it does
    EXPECT_EQ(listed({annex}, false), std::tuple("Annex", ""));
    EXPECT_EQ(setup.choices().paperCode, 1);
    EXPECT_EQ(listed({annex, office}, false), std::tuple("Office", ""));
    EXPECT_EQ(setup.choices().paperCode, 11);
}

TEST(PrintSetup, CopiesAndZoomAsTypedInTheLocalesMarks) {
    const NumberMarks en{".", ","}, de{",", "."};
    EXPECT_EQ(readCopies(" 12 ", en), 12);
    for (const char* typed : {"7.5", "0", "-4", "1000", ""})
        EXPECT_FALSE(readCopies(typed, en)) << typed;
    // Read in a decimal comma's marks, held to 20..2000 % and shown as it prints.
    const std::pair<std::string, std::string> zooms[] = {
        {"7,5", "20%"}, {" 87,5 % ", "87,5%"}, {"1.234,5", "1234,5%"}, {"50000%", "2000%"}};
    for (const auto& [typed, shown] : zooms) {
        PrintSetup setup({}, pdf());
        EXPECT_EQ(setup.leaveZoomBox(typed, de).text, shown) << typed;
        EXPECT_DOUBLE_EQ(setup.zoom() * 100, readZoomPercent(shown, de)->toDouble()) << typed;
    }
    for (const std::string typed : {"87,5%", "31.12.2024", "abc", ""}) { // told, 100 % kept
        PrintSetup setup({}, pdf());
        EXPECT_NE(setup.leaveZoomBox(typed, en).problem, "") << typed;
        EXPECT_EQ(setup.zoom(), 1.0);
    }
    EXPECT_EQ(fittingZoom(400, [](double) { return true; }), 20);

    // Figures 1000 wide at 100 % on a page 1300 wide: any zoom up to 130 %
    // prints as chosen, every larger one at the same zoom, the largest whole
    // thousandth that fits; never below the 20 % floor.
    auto fits = [](double room) { return [room](double zoom) { return 1000 * zoom <= room; }; };
    EXPECT_EQ(fittingZoom(1.25, fits(1300)), 1.25);
    EXPECT_NEAR(fittingZoom(1.5, fits(1300)), 1.3, 0.0011);
    EXPECT_LE(fittingZoom(1.5, fits(1300)) * 1000, 1300);
    EXPECT_EQ(fittingZoom(10, fits(1300)), fittingZoom(1.5, fits(1300)));
    EXPECT_EQ(fittingZoom(1, fits(10)), 0.2);
    EXPECT_EQ(fittingZoom(0.1, fits(10)), 0.1);
}

TEST(PaperSizes, NamesAndSheets) {
    EXPECT_EQ(paperName(1), "Letter, 8\u00bd x 11 in.");
    EXPECT_EQ(paperName(9), "A4, 210 x 297 mm");
    EXPECT_EQ(paperName(10), "A4 Small, 210x297 mm");
    EXPECT_EQ(paperName(41), "German Legal Fanfold, 8\u00bd x 13 in.");
    EXPECT_EQ(paperName(0), "");
    EXPECT_EQ(paperName(42), "");
    EXPECT_EQ(paperCodeForSize(210, 297), 9);
    EXPECT_EQ(paperCodeForSize(297, 210), 9); // turned
    EXPECT_EQ(paperCodeForSize(215.9, 279.4), 1);
    EXPECT_FALSE(paperCodeForSize(100, 100));
    EXPECT_TRUE(paperMatches(4, 279.4, 431.8)); // Ledger is Tabloid turned
    EXPECT_FALSE(paperMatches(8, 210, 297));
}

TEST(PdfCopies, LaterCopiesGoToFilesOfTheirOwn) {
    EXPECT_EQ(pdfPathForCopy("/tmp/out/report.pdf", 1), "/tmp/out/report.pdf");
    EXPECT_EQ(pdfPathForCopy("/tmp/out/report.pdf", 2), "/tmp/out/report-2.pdf");
    EXPECT_EQ(pdfPathForCopy("/tmp/out/report.pdf", 10), "/tmp/out/report-10.pdf");
    EXPECT_EQ(pdfNameFor("Invoice 2025/17:a\t "), "Invoice 2025-17-a.pdf");
    EXPECT_EQ(pdfNameFor(" "), "");
}

} // namespace
