#include "toolkit/qt/WaitScreen.h"

#include "book/book.h"
#include "book/runtime_state.h"
#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "toolkit/qt/dialog_driving.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <gtest/gtest.h>

using namespace dialog_driving;

namespace {

bool hourglass() {
    return QApplication::overrideCursor() &&
           QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

struct ProgressFixture : ::testing::Test {
    ScopedFakeServices fakes;
    Book book;
    RunTimeState run;
    WaitScreen wait{run, book};
    void SetUp() override { wait.install(); }
};

TEST_F(ProgressFixture, BarIsTwentyNineTwipsAStepAndTextStopsAtHundred) {
    book.resizeJournal(9901); // LastEntryLine 9900: a step every 100 lines
    run.ProgressValue = 777;
    Tmain::BeginProgress(run, "Loading");
    EXPECT_TRUE(wait.isVisible());
    EXPECT_TRUE(hourglass());
    EXPECT_EQ(wait.activity(), "Loading");
    EXPECT_EQ(run.ProgressValue, 0);
    EXPECT_EQ(run.ProgressStride, 100);
    EXPECT_EQ(wait.percentText(), "0%");

    for (int step = 1; step <= 100; ++step) {
        Tmain::StepProgress(run);
        ASSERT_EQ(wait.barTwips(), 29 * step);
        ASSERT_EQ(wait.percentText(), std::to_string(step) + "%");
        ASSERT_EQ(wait.Label1[1]->text(), wait.Label1[0]->text());
    }
    EXPECT_EQ(wait.Shape2->width(), 193); // 2900 twips at 15 a pixel
    saveScreenshot(&wait, "waitscreen");

    for (int step = 101; step <= 130; ++step)
        Tmain::StepProgress(run);
    EXPECT_EQ(run.ProgressValue, 29 * 130); // the steps go on...
    EXPECT_EQ(wait.percentText(), "100%");  // ...the text does not pass 100%
    EXPECT_LE(wait.Shape2->width(), wait.shape1->width());

    // A caller that makes its own text cannot pass 100% either.
    wait.setProgress(29 * 250, "250%");
    EXPECT_EQ(wait.percentText(), "100%");

    Tmain::EndProgress(run);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProgressFixture, EveryShowingStartsFromZero) {
    book.resizeJournal(150); // LastEntryLine 149: stride 2 (149 / 99 = 1.505)
    wait.start("Saving");
    wait.setProgress(29 * 40, "40%");
    wait.stop();
    wait.stop(); // a second unload is harmless
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    wait.start();
    EXPECT_EQ(wait.activity(), "Processing");
    EXPECT_EQ(wait.percentText(), "0%");
    EXPECT_LE(wait.barTwips(), 1);
    EXPECT_EQ(wait.Shape2->width(), 0);
    EXPECT_EQ(run.ProgressStride, 2);
    // The activity word may change while it is up.
    wait.setActivity("Balancing");
    EXPECT_EQ(wait.activity(), "Balancing");
    wait.stop();

    book.resizeJournal(50); // LastEntryLine 49
    wait.start();
    EXPECT_EQ(run.ProgressStride, 1);
    wait.stop();
}

TEST_F(ProgressFixture, InstalledWhileItLives) {
    EXPECT_EQ(services().progress, static_cast<ProgressSink*>(&wait));
    {
        WaitScreen other(run, book);
        other.install();
        EXPECT_EQ(services().progress, static_cast<ProgressSink*>(&other));
        other.start("Inserting");
    }
    // The window that went away gave the sink back and left no hourglass.
    EXPECT_EQ(services().progress, static_cast<ProgressSink*>(&wait));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    wait.uninstall();
    EXPECT_EQ(services().progress, static_cast<ProgressSink*>(&fakes.progress));
}

} // namespace
