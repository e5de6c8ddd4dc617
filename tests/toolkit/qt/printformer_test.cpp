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
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>
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
    void leaveZoomBox() {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(dialog.PxSize->lineEdit(), &out);
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

// Each showing lists the printers there are, choices kept; a stopped service told.
TEST_F(PrintSetupFixture, EachShowingListsThePrintersThereAre) {
    testing_support::PrintService service;
    if (!service.why().empty()) GTEST_SKIP() << service.why();
    ASSERT_TRUE(service.addQueue("Office"));
    showDialog();
    dialog.printerChosen("Office");
    emit dialog.PorL[2]->pressed();
    dialog.Command2->click();
    ASSERT_TRUE(service.run("lpadmin -x Office") && service.addQueue("Annex"));
    EXPECT_EQ(dialog.choicesNow().printerName, "Annex"); // a print that shows no dialog
    showDialog();
    EXPECT_EQ(dialog.Combo1->findText("Office"), -1);
    EXPECT_EQ(dialog.Combo1->currentText(), "Annex");
    EXPECT_EQ(dialog.choices().orientation, Landscape);
    EXPECT_TRUE(fakes.messages.shown.empty());

    service.stop();
    Printformer later{run};
    later.open();
    settle();
    EXPECT_EQ(fakes.messages.lastText(), "Printer Trouble\n\nThe print service is not running: "
                                         "the pages will be written to a PDF file.");
}

TEST_F(PrintSetupFixture, ZoomFloorAndCopiesText) {
    showDialog();
    dialog.PxSize->setCurrentText("5");
    leaveZoomBox();
    EXPECT_EQ(dialog.PxSize->currentText(), "20%");
    dialog.PxSize->setCurrentText("150%");
    leaveZoomBox();
    EXPECT_EQ(dialog.PxSize->currentText(), "150%");
    EXPECT_DOUBLE_EQ(dialog.zoom(), 1.5);

    // Typed text that is no number gives nothing to print.
    dialog.Copying->setText("ab");
    dialog.Command1->click();
    EXPECT_EQ(run.PrintCopies, 0);
    // A zoom left unreadable when OK is pressed is raised like on leaving the box.
    showDialog();
    dialog.Copying->setText("2");
    dialog.PxSize->setCurrentText("tiny");
    dialog.Command1->click();
    EXPECT_EQ(run.PrintCopies, 2);
    EXPECT_EQ(dialog.zoomText(), "20%");
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
