#include "toolkit/qt/Printformer.h"

#include "book/runtime_state.h"
#include "platform/fake/fake_services.h"
#include "platform/qt/printer_factory.h"
#include "support/pdf_text.h"
#include "support/qt/print_service.h"
#include "support/test_paths.h"
#include "toolkit/qt/dialog_driving.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace dialog_driving;
using testing_support::readPdfText;
using testing_support::TempDir;

namespace {

struct PrintSetupFixture : ::testing::Test {
    ScopedFakeServices fakes;
    TempDir dir;
    RunTimeState run;
    Printformer dialog{run};

    void SetUp() override {
        fakes.environment.vars["LW_PDF_OUTPUT"] = (dir / "printed.pdf").string();
    }
    void showDialog() {
        dialog.open();
        settle();
    }
    void choosePdfPrinter() {
        int i = dialog.Combo1->findText(QString::fromStdString(PdfPrinterName));
        ASSERT_GE(i, 0);
        emit dialog.Combo1->activated(i);
    }
};

TEST_F(PrintSetupFixture, OkHandsBackCopiesAndZoomCancelGivesNone) {
    showDialog();
    EXPECT_EQ(dialog.windowTitle(), "Print Page(s)...");
    EXPECT_EQ(dialog.Copying->text(), "1");
    EXPECT_EQ(dialog.PxSize->currentText(), "100%");
    EXPECT_EQ(dialog.PxSize->count(), 6);
    EXPECT_GE(dialog.Combo1->findText(QString::fromStdString(PdfPrinterName)), 0);
    choosePdfPrinter();
    EXPECT_EQ(dialog.Combo2->count(), 41);
    EXPECT_EQ(dialog.Combo2->currentText(), "A4, 210 x 297 mm");
    EXPECT_TRUE(dialog.ShapL[1]->isVisible()); // the first showing marks Portrait
    EXPECT_FALSE(dialog.ShapL[2]->isVisible());
    saveScreenshot(&dialog, "printformer");

    dialog.PxSize->setCurrentText("80%");
    dialog.Command1->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.PrintCopies, 1);
    EXPECT_DOUBLE_EQ(dialog.zoom(), 0.8);
    EXPECT_EQ(dialog.zoomText(), "80%");
    EXPECT_EQ(dialog.choices().pdfPath, (dir / "printed.pdf").string());

    showDialog();
    dialog.Command2->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.PrintCopies, 0);

    showDialog();
    run.PrintCopies = 5;
    dialog.close(); // the close box: cancelled, still loaded
    EXPECT_EQ(run.PrintCopies, 0);
    showDialog();
    run.PrintCopies = 5;
    pressKey(&dialog, Qt::Key_Escape);
    EXPECT_EQ(run.PrintCopies, 0);
}

TEST_F(PrintSetupFixture, ChoicesAreKeptForTheNextShowing) {
    showDialog();
    choosePdfPrinter();
    emit dialog.PorL[2]->pressed();
    emit dialog.DPIBox[1]->clicked();
    emit dialog.DPIColorIt[1]->clicked();
    dialog.Check1->setChecked(true);
    dialog.VScroll1->setValue(3);
    EXPECT_EQ(dialog.Copying->text(), "3");
    emit dialog.Combo2->activated(dialog.Combo2->findText("A5, 148 x 210 mm"));
    dialog.PxSize->setCurrentText("70%");
    dialog.Command2->click();

    showDialog();
    EXPECT_FALSE(dialog.ShapL[1]->isVisible());
    EXPECT_TRUE(dialog.ShapL[2]->isVisible());
    EXPECT_TRUE(dialog.DPIFram[1]->isVisible());
    for (int i = 2; i <= 4; ++i)
        EXPECT_FALSE(dialog.DPIFram[static_cast<std::size_t>(i)]->isVisible());
    EXPECT_TRUE(dialog.DPIcolorFram[1]->isVisible());
    EXPECT_FALSE(dialog.DPIcolorFram[2]->isVisible());
    EXPECT_TRUE(dialog.Check1->isChecked());
    EXPECT_EQ(dialog.Copying->text(), "3");
    EXPECT_EQ(dialog.PxSize->currentText(), "70%");
    EXPECT_EQ(dialog.Combo2->currentText(), "A5, 148 x 210 mm");

    dialog.Command1->click();
    EXPECT_EQ(run.PrintCopies, 3);
    const PrinterChoices& c = dialog.choices();
    EXPECT_EQ(c.printerName, PdfPrinterName);
    EXPECT_EQ(c.orientation, Landscape);
    EXPECT_EQ(c.quality, DraftQuality);
    EXPECT_EQ(c.colorMode, Monochrome);
    EXPECT_EQ(c.paperCode, 11);
    EXPECT_FALSE(c.duplex); // the PDF printer prints one side, whatever the tick

    // "Printer Trouble" came at most once, on the first showing.
    int trouble = 0;
    for (const auto& m : fakes.messages.shown)
        if (m.text.rfind("Printer Trouble", 0) == 0) ++trouble;
    EXPECT_EQ(trouble, QPrinterInfo::availablePrinters().isEmpty() ? 1 : 0);
}

// Each showing lists the printers there are, choices kept, each on the printer's own sheets;
// every outage told when met, the user's printer back when it is.
TEST_F(PrintSetupFixture, EachShowingListsThePrintersThereAre) {
    testing_support::PrintService service;
    if (!service.why().empty()) GTEST_SKIP() << service.why();
    ASSERT_TRUE(service.addQueue("Office") && service.addQueue("Labels", "labels"));
    showDialog();
    dialog.printerChosen("Labels"); // none of the program's papers: its own, on its own
    EXPECT_EQ(std::pair(dialog.Combo2->count(), dialog.Combo2->currentText()),
              std::pair(2, QString("16K, 197 x 273 mm")));
    emit dialog.PorL[2]->pressed();
    for (const auto& [printer, paper, sheet] :
         {std::tuple{"Labels", "A6, 105 x 148 mm", QSize(298, 420)},
          {"Labels", "16K, 197 x 273 mm", QSize(558, 774)},
          {"Office", "B5, 182 x 257 mm", QSize(518, 727)},
          {"Office", "Envelope DL, 110 x 220 mm", QSize(311, 623)}}) {
        dialog.printerChosen(printer);
        emit dialog.Combo2->activated(dialog.Combo2->findText(paper));
        const QPageLayout page = createPrinter(dialog.choices())->pageLayout();
        EXPECT_EQ(page.pageSize().sizePoints(), sheet) << paper;
        EXPECT_EQ(page.margins(QPageLayout::Point), QMarginsF(18, 18, 18, 18)) << paper;
    }
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
    dialog.Command2->click();
    ASSERT_TRUE(service.run("lpadmin -x Office") && service.addQueue("Annex"));
    EXPECT_EQ(dialog.choicesNow().printerName, "Annex"); // a print that shows no dialog
    EXPECT_EQ(fakes.messages.lastText(), "Printer Trouble\n\nThe printer Office is not there "
                                         "now: the pages will be printed on Annex.");
    showDialog();
    EXPECT_EQ(dialog.Combo1->findText("Office"), -1);
    EXPECT_EQ(dialog.Combo1->currentText(), "Annex");
    EXPECT_EQ(dialog.choices().orientation, Landscape);
    ASSERT_TRUE(service.addQueue("Office"));
    const PrinterChoices back = dialog.choicesNow();
    EXPECT_EQ(back.printerName + " " + std::to_string(back.paperCode), "Office 27"); // its envelope
    EXPECT_EQ(fakes.messages.shown.size(), 1u);

    service.stop();
    const std::string stopped = "Printer Trouble\n\nThe print service is not running: "
                                "the pages will be written to a PDF file.";
    EXPECT_EQ(dialog.choicesNow().printerName, PdfPrinterName);
    EXPECT_EQ(fakes.messages.lastText(), stopped); // a second outage
    Printformer later{run};
    later.open();
    settle();
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
    EXPECT_EQ(fakes.messages.lastText(), stopped);
}

// Typed as the keyboard sends it: the zoom box left shows what prints; Print
// reads both boxes in the locale's marks and tells a text it cannot read.
TEST_F(PrintSetupFixture, ZoomFloorAndCopiesText) {
    fakes.locale.info = decimalCommaLocale();
    showDialog();
    fakes.messages.shown.clear(); // "Printer Trouble" on a machine without printers
    QApplication::setActiveWindow(&dialog);
    const auto type = [](QWidget* box, const std::string& text) {
        box->setFocus(Qt::TabFocusReason);
        pressKey(box, Qt::Key_A, "", Qt::ControlModifier); // the text there replaced
        typeText(box, text);
    };
    type(dialog.PxSize, "7");
    dialog.PxSize->showPopup();                   // its own list opening leaves the box not
    EXPECT_EQ(dialog.PxSize->currentText(), "7"); // not completed to "70%"
    dialog.PxSize->hidePopup();
    dialog.Copying->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(dialog.PxSize->currentText(), "20%");
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();

    // Zoom and copies typed, Print: the boxes then, what is told, copies printed (0: none), zoom.
    using Row =
        std::tuple<std::string, std::string, std::string, std::string, std::string, int, double>;
    for (const auto& [typedZoom, copies, zoomShown, copiesShown, told, printed, zoom] :
         {Row{"87,5%", "2", "87,5%", "2", "", 2, 0.875},
          Row{"150%", "abc", "150%", "2",
              "\"abc\" is not a number of copies: type a whole number from 1 to 999.", 0, 1.5},
          Row{"31.12.2024", "3", "150%", "3",
              "\"31.12.2024\" is not a text size: type a percentage such as 87,5%.", 3, 1.5}}) {
        if (!dialog.isVisible()) showDialog();
        fakes.messages.shown.clear();
        run.PrintCopies = 0;
        type(dialog.PxSize, typedZoom);
        type(dialog.Copying, copies);
        dialog.Command1->click();
        EXPECT_EQ(std::tuple(dialog.zoomText(), dialog.Copying->text().toStdString(),
                             fakes.messages.shown.empty() ? "" : fakes.messages.lastText(),
                             run.PrintCopies, dialog.isVisible(), dialog.zoom()),
                  std::tuple(zoomShown, copiesShown, told, printed, printed == 0, zoom))
            << typedZoom << " " << copies;
    }
}

TEST_F(PrintSetupFixture, AskThenPrintToThePdfPrinter) {
    QTimer::singleShot(0, [this] {
        choosePdfPrinter();
        dialog.PxSize->setCurrentText("90%");
        dialog.Command1->click();
    });
    auto result = dialog.ask();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->copies, 1);
    EXPECT_DOUBLE_EQ(result->zoom, 0.9);
    ASSERT_TRUE(printCopies(result->printer, result->copies, "Journal", [](DrawingSurface& s) {
        s.CurrentX = 1440;
        s.CurrentY = 1440;
        s.Print("General Journal");
    }));
    std::string text;
    ASSERT_EQ(readPdfText((dir / "printed.pdf").string(), &text), 0) << text;
    EXPECT_NE(text.find("General Journal"), std::string::npos);

    QTimer::singleShot(0, [this] { dialog.Command2->click(); });
    EXPECT_FALSE(dialog.ask());
    EXPECT_EQ(run.PrintCopies, 0);
}

} // namespace
