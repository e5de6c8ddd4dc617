#include "toolkit/qt/HC.h"

#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/dialog_driving.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <gtest/gtest.h>

using namespace dialog_driving;

namespace {

bool pointerIsQuestionArrow() {
    return QApplication::overrideCursor() &&
           QApplication::overrideCursor()->shape() == Qt::WhatsThisCursor;
}

// The indicators the main window keeps: the Help > Contents tick and the help
// button's face, each following the help mode as the main window binds them.
struct MainWindowIndicators {
    QAction helpSelect{"Contents"};
    bool helpButtonPressedFace = false;
    int id1, id2;
    explicit MainWindowIndicators(HelpMode& mode) {
        helpSelect.setCheckable(true);
        id1 = mode.addListener([this](bool on) { helpSelect.setChecked(on); });
        id2 = mode.addListener([this](bool on) { helpButtonPressedFace = on; });
    }
};

TEST(HelpWindow, ClosingItEndsHelpModeEverywhere) {
    HelpMode mode;
    HC help(mode);
    MainWindowIndicators main(mode);
    EXPECT_FALSE(help.isVisible()); // loaded hidden

    mode.start();
    settle();
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(pointerIsQuestionArrow());
    EXPECT_TRUE(main.helpSelect.isChecked());
    EXPECT_TRUE(main.helpButtonPressedFace);
    saveScreenshot(&help, "hc");

    help.close();
    settle();
    EXPECT_FALSE(mode.isOn());
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(main.helpSelect.isChecked());
    EXPECT_FALSE(main.helpButtonPressedFace);

    // Unticking Help > Contents ends it the other way round: the window closes.
    mode.start();
    settle();
    EXPECT_TRUE(help.isVisible());
    mode.end();
    settle();
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(HelpWindow, HostTextReplacesTheIntroduction) {
    HelpMode mode;
    HC help(mode);
    EXPECT_EQ(help.title(), "Ledgerwick Help");
    EXPECT_EQ(help.text().rfind("You are now in help mode.", 0), 0u);
    EXPECT_NE(help.text().find("OTHER INFORMATION"), std::string::npos);
    // Eight paragraphs separated by one empty line.
    std::string intro = HC::introduction();
    int breaks = 0;
    for (std::size_t at = intro.find("\r\n\r\n"); at != std::string::npos;
         at = intro.find("\r\n\r\n", at + 4))
        ++breaks;
    EXPECT_EQ(breaks, 7);

    mode.start();
    help.showHelp("Amount", "The amount of the line.");
    EXPECT_EQ(help.title(), "Amount");
    EXPECT_EQ(help.text(), "The amount of the line.\n\n");
    EXPECT_EQ(help.HelpLabel2->toPlainText().toStdString().find("help mode"), std::string::npos);

    // Closing unloads it: the next showing brings the introduction back.
    help.close();
    mode.start();
    settle();
    EXPECT_EQ(help.title(), "Ledgerwick Help");
    EXPECT_EQ(help.text().rfind("You are now in help mode.", 0), 0u);
    help.close();

    // About: a picture and a caption set around the text survive the reload.
    QPixmap logo(16, 16);
    logo.fill(Qt::red);
    help.setImage(logo);
    help.showHelp("About", "Version text");
    help.setWindowTitle("About...");
    EXPECT_FALSE(help.Im->pixmap().isNull());
    EXPECT_EQ(help.title(), "About");
    help.close();
    help.showHelp("Amount", "x");
    EXPECT_EQ(help.windowTitle(), "Help Contents...");
    EXPECT_TRUE(help.Im->pixmap().isNull());
    help.close();
}

TEST(HelpWindow, OpensAtTheScreensRightEdgeAndGivesTheInterfaceFont) {
    HelpMode mode;
    HC help(mode);
    help.move(0, 0);
    help.close();
    help.showHelp("About", "Version text");
    settle();
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    int right = help.frameGeometry().right();
    EXPECT_LE(right, area.right());
    EXPECT_GE(right, area.right() - 20);
    EXPECT_EQ(help.interfaceFont().family(), "Arial");
    EXPECT_DOUBLE_EQ(help.interfaceFont().pointSizeF(), 9.0);
    help.close();
}

TEST(HelpWindow, HourglassOutranksTheQuestionArrowWithoutUndoingIt) {
    HelpMode mode;
    HC help(mode);
    mode.start();
    pointer::beginBusy();
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    pointer::endBusy();
    EXPECT_TRUE(pointerIsQuestionArrow());
    pointer::beginBusy();
    help.close(); // help ends while busy
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    pointer::endBusy();
    pointer::endBusy(); // one too many is harmless
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
