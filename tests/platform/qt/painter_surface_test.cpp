#include "book/business_heading.h"
#include "book/safe_file.h"
#include "book/safe_file_leftovers.h"
#include "platform/fake/recording_surface.h"
#include "platform/paper_sizes.h"
#include "platform/qt/painter_surface.h"
#include "platform/qt/printer_factory.h"
#include "resources/string_table.h"

#include "support/pdf_text.h"
#include "support/qt/print_service.h"
#include "support/test_paths.h"

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>

using testing_support::readPdfText;
using testing_support::TempDir;

namespace {

const std::vector<std::string> StatementTexts = {
    "Income Statement", "Sales",      "1,250.00", "Wages",
    "(400.00)",         "Net Profit", "850.00",   "Continued on page two"};

// A small statement as the report windows draw one: a heading, rows with a
// label and an amount on the same line, a rule, and a second page.
void drawStatement(DrawingSurface& s) {
    s.FontName = "DejaVu Sans";
    s.FontSize = 14;
    s.FontBold = true;
    s.CurrentX = 720;
    s.CurrentY = 720;
    s.Print("Income Statement");
    s.FontBold = false;
    s.FontSize = 10;
    const double amountRight = 7000;
    auto row = [&](const std::string& label, const std::string& amount) {
        s.CurrentX = 720;
        s.PrintInline(label);
        s.CurrentX = amountRight - s.TextWidth(amount);
        s.Print(amount);
    };
    row("Sales", "1,250.00");
    row("Wages", "(400.00)");
    double y = s.CurrentY + 60;
    s.Line(720, y, amountRight, y);
    s.CurrentY = y + 60;
    s.FontBold = true;
    row("Net Profit", "850.00");
    s.NewPage();
    s.FontBold = false;
    s.CurrentX = 720;
    s.CurrentY = 720;
    s.Print("Continued on page two");
    s.EndDoc();
}

// The positions of the texts in the extracted text must rise in order.
void expectInOrder(const std::string& extracted, const std::vector<std::string>& texts) {
    std::size_t from = 0;
    for (const auto& t : texts) {
        std::size_t at = extracted.find(t, from);
        ASSERT_NE(at, std::string::npos) << "missing or out of order: " << t << "\n" << extracted;
        from = at + t.size();
    }
}

TEST(PainterSurface, PdfPageHoldsTheDrawnTextsInOrderAsRecorded) {
    TempDir dir;
    PrinterChoices choices;
    choices.printerName = PdfPrinterName;
    choices.pdfPath = (dir / "statement.pdf").string();
    ASSERT_TRUE(printCopies(choices, 1, "Statement", drawStatement));
    ASSERT_TRUE(std::filesystem::exists(choices.pdfPath));

    std::string text;
    ASSERT_EQ(readPdfText(choices.pdfPath, &text), 0);
    expectInOrder(text, StatementTexts);
    // Two pages: the second begins after the form feed.
    std::size_t feed = text.find('\f');
    ASSERT_NE(feed, std::string::npos);
    EXPECT_LT(text.find("Net Profit"), feed);
    EXPECT_GT(text.find("Continued on page two"), feed);
    // The label and its amount share a line.
    std::size_t salesLine = text.find("Sales");
    EXPECT_LT(text.find("1,250.00"), text.find('\n', salesLine));

    RecordingSurface recorded;
    drawStatement(recorded);
    EXPECT_EQ(recorded.texts(), StatementTexts);
    EXPECT_EQ(recorded.pages(), 2);
    EXPECT_EQ(recorded.calls.back().kind, RecordedCall::EndDoc);
}

TEST(PainterSurface, EachCopyIsAJobOfItsOwn) {
    TempDir dir;
    PrinterChoices choices;
    int drawn = 0;
    const auto print = [&](const std::string& name, int copies) {
        choices.pdfPath = (dir / name).string();
        return printCopies(choices, copies, "Ledger",
                           [&](DrawingSurface& s) { s.Print("Copy " + std::to_string(++drawn)); });
    };
    const auto holds = [&](const std::string& name, const std::string& copy) {
        std::string text;
        return readPdfText((dir / name).string(), &text) == 0 && text.find(copy) != text.npos;
    };
    ASSERT_TRUE(print("ledger.pdf", 2));
    EXPECT_EQ(drawn, 2);
    EXPECT_TRUE(holds("ledger.pdf", "Copy 1") && holds("ledger-2.pdf", "Copy 2"));

    // A copy cut short (as on a full disk) fails, leaves its file as it was and no temporary file;
    // the copy before it was replaced. A file new to the folder is not made at all.
    for (const char* name : {"ledger.pdf", "new.pdf"}) {
        cutPdfCopyShort(1);
        const PrintOutcome cut = print(name, 2);
        EXPECT_FALSE(cut);
        EXPECT_EQ(cut.failedFile, pdfPathForCopy(choices.pdfPath, 2));
        // Told that the older file stays only where there was one, and which copy was written.
        const std::string told = printFailureText(cut);
        EXPECT_NE(told.find(cut.failedFile), std::string::npos);
        EXPECT_EQ(told.find("stays as it was") != told.npos, std::string(name) == "ledger.pdf");
        EXPECT_NE(told.find("were written:\n" + choices.pdfPath), std::string::npos) << told;
    }
    EXPECT_TRUE(holds("ledger.pdf", "Copy 3") && holds("ledger-2.pdf", "Copy 2"));
    std::set<std::filesystem::path> names(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(names, (std::set{dir / "ledger.pdf", dir / "ledger-2.pdf", dir / "new.pdf"}));
    // A later copy's name too long (256 bytes) is refused before any copy is written.
    const std::string longName(250, 'n');
    EXPECT_EQ(print(longName + ".pdf", 2).failedFile, (dir / (longName + "-2.pdf")).string());
    EXPECT_FALSE(std::filesystem::exists(dir / (longName + ".pdf")));
    // What is too long is the file system's to tell, as for every file written,
    // whatever its longest name is taken to be (here 100 bytes).
    overstateLongestName(100);
    EXPECT_TRUE(print(std::string(150, 'n') + ".pdf", 1));
    overstateLongestName(0);
    SafeFileWriter::failCommitAfter(1, EPERM); // a second copy refused after the first was written
    EXPECT_EQ(printFailureText(print("ledger.pdf", 2)).find("nothing was written"),
              std::string::npos);
    SafeFileWriter::failCommitAfter(-1, 0);

    // A PDF file that cannot be made says why, not that the printer failed.
    const PrintOutcome refused = print("no-such-folder/x.pdf", 1);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error, std::errc::no_such_file_or_directory);
    EXPECT_NE(printFailureText(refused).find(choices.pdfPath), std::string::npos);
    // A printer that cannot be reached: the print system's answer, and what was printed.
    choices.printerName = "No Such Printer Anywhere";
    const std::string told = printFailureText(printCopies(choices, 1, "Statement", drawStatement));
    EXPECT_EQ(told.rfind(strings::text(292) + "\n\nThe print system says: ", 0), 0u) << told;
    EXPECT_TRUE(told.ends_with("\nNothing was printed.")) << told;
    EXPECT_TRUE(printFailureText({false, "", {}, {}, "Stopped.", true, 1})
                    .ends_with("Stopped.\nOnly the first copy was printed."));
}

TEST(PainterSurface, PrinterTakesTheChoices) {
    PrinterChoices choices;
    choices.paperCode = 11; // A5
    choices.orientation = Landscape;
    choices.colorMode = Monochrome;
    choices.quality = LowQuality;
    choices.pdfPath = "/tmp/unused.pdf";
    auto printer = createPrinter(choices);
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer->colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(printer->resolution(), 300);

    // Every paper code gives a page of its size.
    for (int code = 1; code <= 41; ++code) {
        choices.paperCode = code;
        choices.orientation = Portrait;
        auto p = createPrinter(choices);
        QSizeF mm = p->pageLayout().pageSize().size(QPageSize::Millimeter);
        EXPECT_TRUE(paperMatches(code, mm.width(), mm.height(), 1.5))
            << code << ": " << mm.width() << " x " << mm.height();
    }

    choices.printerName = "No Such Printer Anywhere";
    EXPECT_EQ(createPrinter(choices), nullptr);
}

// On a queue whose margins differ by side: the page within them each way, each
// job named for the printout and book, a refused job told as not printed.
TEST(PainterSurface, PrintsOnAQueueOfThePrintSystem) {
    testing_support::PrintService service;
    if (!service.why().empty()) GTEST_SKIP() << service.why();
    ASSERT_TRUE(service.addQueue("Margins"));
    PrinterChoices choices;
    choices.printerName = "Margins";
    choices.paperCode = 1; // Letter
    for (const auto& [orientation, margins] :
         {std::pair{Portrait, QMarginsF(18, 36, 24, 54)}, {Landscape, QMarginsF(54, 24, 54, 24)}}) {
        choices.orientation = orientation;
        EXPECT_EQ(createPrinter(choices)->pageLayout().margins(QPageLayout::Point), margins);
    }
    ASSERT_TRUE(
        printCopies(choices, 2, printJobName("Trial Balance", "Corner\nShop"), drawStatement));
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "Margins", 0, CUPS_WHICHJOBS_ALL);
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(jobs[1].title, "Trial Balance - Corner Shop");
    EXPECT_EQ(printJobName(" Invoice 7 ", std::string(300, 'x')).size(), 255u);
    cupsFreeJobs(count, jobs);

    ASSERT_TRUE(service.run("cupsreject Margins"));
    const std::string told = printFailureText(printCopies(choices, 2, "Refused", drawStatement));
    EXPECT_NE(told.find("not accepting jobs"), std::string::npos) << told;
    EXPECT_NE(told.find("Nothing was printed."), std::string::npos) << told;

    // The print service stopped while the second copy is drawn: told so, and what was printed.
    ASSERT_TRUE(service.run("cupsaccept Margins"));
    int drawn = 0;
    const auto stopping = [&](DrawingSurface& s) {
        if (++drawn == 2) service.stop();
        drawStatement(s);
    };
    EXPECT_EQ(
        printFailureText(printCopies(choices, 3, "Stopped", stopping)),
        strings::text(292) +
            "\n\nThe print service stopped while printing.\nOnly the first copy was printed.");
}

TEST(PainterSurface, WindowPictureUsesFifteenTwipsAPixel) {
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        PainterSurface s(&picture);
        EXPECT_DOUBLE_EQ(s.ScaleWidth(), 3000);
        EXPECT_DOUBLE_EQ(s.ScaleHeight(), 1500);
        s.FilledBox(150, 300, 450, 600, rgbColor(255, 0, 0)); // pixels 10..30, 20..40
        s.PSet(1500, 1200, rgbColor(0, 0, 255));              // pixel 100, 80
        s.Line(0, 1425, 2985, 1425, rgbColor(0, 128, 0));     // row 95
        s.FontSize = 9;
        double w = s.TextWidth("Balance");
        double h = s.TextHeight("Balance");
        EXPECT_GT(w, 300);
        EXPECT_LT(w, 1500);
        EXPECT_GT(h, 150);
        EXPECT_LT(h, 400);
        EXPECT_DOUBLE_EQ(s.TextHeight("a\nb"), 2 * h);
        EXPECT_EQ(deviceFont({""}, 96).family(), QFont().family()); // no name: the interface's
    }
    EXPECT_EQ(picture.pixelColor(20, 30), QColor(255, 0, 0));
    EXPECT_EQ(picture.pixelColor(5, 30), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(100, 80), QColor(0, 0, 255));
    EXPECT_EQ(picture.pixelColor(50, 95), QColor(0, 128, 0));

    // Cls clears to the background and returns to the top-left.
    PainterSurface s(&picture, rgbColor(10, 20, 30));
    s.CurrentX = 400;
    s.Cls();
    EXPECT_DOUBLE_EQ(s.CurrentX, 0);
    s.EndDoc();
    EXPECT_EQ(picture.pixelColor(20, 30), QColor(10, 20, 30));
}

} // namespace
