// Finding an entry from the main window: the go-to box beside the toolbar
// (type a reference, press Enter; Up and Down step by entries) and Tools >
// Balance Point. Every jump sets the entry scroller's value, whose change
// shows the entry holding that line.
#include "mainwindow/qt/TAcount.h"

#include "mainwindow/file_command_help.h"
#include "mainwindow/goto_search.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/field_events.h"
#include "toolkit/qt/fixed_text_box.h"

#include <QCoreApplication>
#include <QLineEdit>

void TAcount::wireGotoBox() {
    // A reference is typed here: it takes what a reference holds.
    holdToBytes(Text1, EntryId{}.bytes.size());
    FieldEvents* box = FieldEvents::attach(Text1);
    box->windowShortcut = [this](const QKeyEvent& k) { return windowShortcut(k); };
    box->gotFocus = [this] {
        Text1->setSelection(0, gotoBoxSelectionOnFocus(Text1->text().toStdString()));
    };
    box->mousePress = [this] { Text1->clear(); };
    box->click = [this] {
        if (!helpMode().isOn()) return;
        const HelpText h = gotoBoxHelp();
        showHelp(h.title, h.text);
    };
    box->keyUp = [this](KeyArgs&) {
        const QString upper =
            QString::fromStdString(gotoBoxTextAfterKey(Text1->text().toStdString()));
        if (upper == Text1->text()) return;
        const int caret = Text1->cursorPosition();
        Text1->setText(upper);
        Text1->setCursorPosition(caret);
    };
    box->keyDown = [this](KeyArgs& k) {
        if (const auto line = gotoBoxKeyDown(k.KeyCode, run_)) ScrollAcc->setValue(*line);
    };
    box->keyPress = [this](KeyPressArgs& k) { Text1_KeyPress(k.KeyAscii); };
}

void TAcount::Text1_KeyPress(int& keyAscii) {
    if (keyAscii != keys::Enter) return;
    const GotoResult found = gotoBoxKeyPress(keyAscii, Text1->text().toStdString(), book_, run_);
    if (found.line)
        ScrollAcc->setValue(*found.line);
    else
        setStatus(StatusUpdate{found.status, StatusColour::Red});
}

void TAcount::SearchMenu2_Click(int index) {
    if (index != 0) {
        runCommand(Command::UnbalancedEntries);
        return;
    }
    if (showsHelpInstead(Command::BalancePoint)) return;
    const pointer::BusySection busy;
    QCoreApplication::processEvents();
    ScrollAcc->setValue(balancePointLine(book_));
}
