#include "toolkit/qt/Passit.h"

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "toolkit/qt/dialog_driving.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace dialog_driving;

namespace {

struct PromptFixture : ::testing::Test {
    ScopedFakeServices fakes;
    Book book;
    RunTimeState run;
    Passit prompt{book, run};

    void SetUp() override {
        book.FilePassword = "secret";
        book.AdminPassword = "boss";
    }
    void showPrompt() {
        run.EnteredPassword = "";
        prompt.open();
        settle();
    }
};

TEST_F(PromptFixture, FilePasswordClosesThePromptAtItsLastCharacter) {
    showPrompt();
    EXPECT_EQ(prompt.windowTitle().toStdString(), strings::text(184));
    EXPECT_EQ(prompt.Label1->text().toStdString(), strings::text(185));
    EXPECT_EQ(prompt.Command1->text().toStdString(), strings::text(116));
    saveScreenshot(&prompt, "passit");

    typeText(prompt.Text1, "secre");
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_EQ(run.EnteredPassword, "");
    typeText(prompt.Text1, "t");
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.result(), QDialog::Accepted);
    EXPECT_EQ(run.EnteredPassword, "secret");

    // The next showing starts with an empty box.
    showPrompt();
    EXPECT_TRUE(prompt.Text1->text().isEmpty());
    // The administrator password closes it too; the caller decides.
    typeText(prompt.Text1, "boss");
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(run.EnteredPassword, "boss");
}

TEST_F(PromptFixture, ModalShowingReturnsWithThePassword) {
    run.EnteredPassword = "";
    QTimer::singleShot(0, [this] { typeText(prompt.Text1, "secret"); });
    EXPECT_EQ(prompt.exec(), QDialog::Accepted);
    EXPECT_EQ(run.EnteredPassword, "secret");

    // ask() clears EnteredPassword before and after.
    run.EnteredPassword = "stale";
    QTimer::singleShot(0, [this] { typeText(prompt.Text1, "boss"); });
    EXPECT_EQ(prompt.ask().value_or(""), "boss");
    EXPECT_EQ(run.EnteredPassword, "");

    // Another book's password, without touching the open book.
    QTimer::singleShot(0, [this] { typeText(prompt.Text1, "other"); });
    EXPECT_EQ(prompt.ask(KnownPasswords{"other", ""}).value_or(""), "other");
    EXPECT_EQ(book.FilePassword.str(), "secret");

    QTimer::singleShot(0, [this] { prompt.Command1->click(); });
    EXPECT_FALSE(prompt.ask());
}

TEST_F(PromptFixture, LongerPasswordThatBeginsWithTheShorterCanBeEntered) {
    book.FilePassword = "abc";
    book.AdminPassword = "abcd";
    showPrompt();
    typeText(prompt.Text1, "abcd");
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(run.EnteredPassword, "abcd");

    // The shorter one is taken with Enter.
    showPrompt();
    typeText(prompt.Text1, "abc");
    EXPECT_TRUE(prompt.isVisible());
    pressKey(prompt.Text1, Qt::Key_Return, "\r");
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(run.EnteredPassword, "abc");
}

TEST_F(PromptFixture, ExitAndCloseBoxLeaveEnteredPasswordAsTheCallerSetIt) {
    run.EnteredPassword = "as set";
    prompt.open();
    settle();
    typeText(prompt.Text1, "wrong");
    pressKey(prompt.Text1, Qt::Key_Return, "\r"); // a wrong text with Enter does nothing
    EXPECT_TRUE(prompt.isVisible());
    prompt.Command1->click();
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.result(), QDialog::Rejected);
    EXPECT_EQ(run.EnteredPassword, "as set");

    prompt.open();
    settle();
    typeText(prompt.Text1, "secre");
    prompt.close();
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(run.EnteredPassword, "as set");

    // With both passwords empty nothing ever matches, not even an empty box.
    book.FilePassword = "";
    book.AdminPassword.clear();
    prompt.open();
    settle();
    typeText(prompt.Text1, "x");
    pressKey(prompt.Text1, Qt::Key_Backspace);
    pressKey(prompt.Text1, Qt::Key_Return, "\r");
    EXPECT_TRUE(prompt.isVisible());
    prompt.Command1->click();
    EXPECT_EQ(run.EnteredPassword, "as set");
}

TEST_F(PromptFixture, SixHundredKeyPressesLockThePromptWithoutEndingTheProgram) {
    showPrompt();
    for (int i = 0; i < 600; ++i)
        pressKey(prompt.Text1, Qt::Key_X, "x");
    // The 500th press locked it as a cancel, with the message once.
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.result(), QDialog::Rejected);
    EXPECT_EQ(run.EnteredPassword, "");
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.lastText(), "Hacking Protection Activated, Ending");
    EXPECT_LE(prompt.Text1->text().size(), 499);

    // For the rest of the session it only repeats the message.
    run.EnteredPassword = "";
    EXPECT_EQ(prompt.exec(), QDialog::Rejected);
    EXPECT_FALSE(prompt.ask());
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
    EXPECT_FALSE(prompt.isVisible());
}

TEST_F(PromptFixture, KeyPressCountStartsAgainAfterAMatchAndCarriesOverShowings) {
    showPrompt();
    // 490 presses over two showings: typing and Backspace count alike.
    for (int i = 0; i < 245; ++i) {
        pressKey(prompt.Text1, Qt::Key_Y, "y");
        pressKey(prompt.Text1, Qt::Key_Backspace);
    }
    prompt.Command1->click();
    showPrompt();
    EXPECT_EQ(prompt.guard().presses(), 490);
    typeText(prompt.Text1, "secret"); // presses 491..496: accepted, count back to 0
    EXPECT_EQ(run.EnteredPassword, "secret");
    EXPECT_EQ(prompt.guard().presses(), 0);

    showPrompt();
    for (int i = 0; i < 499; ++i)
        pressKey(prompt.Text1, Qt::Key_Z, "z");
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_TRUE(fakes.messages.shown.empty());
    prompt.Command1->click();
}

} // namespace
