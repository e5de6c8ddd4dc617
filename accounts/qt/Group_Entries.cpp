#include "accounts/qt/Group_Entries.h"

#include "accounts/group_posting.h"
#include "accounts/qt/RecurringEntries.h"
#include "book/book_text_forms.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/New_Menu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLineEdit>

#include <cmath>

namespace {

constexpr int TwipsPerPixel = 15;

} // namespace

Group_Entries::Group_Entries(Book& book, RunTimeState& run, const EntryGroupHost& host,
                             QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), book_(book), run_(run), host_(host) {
    Edit_Group = new New_Menu(this);
    Edit_Group->move(0, 0);
    connect(Edit_Group, &New_Menu::Click, this, [this] { Edit_Group_Click(); });
    Edit_Group->Name_Refresh(book_);
    resize(Edit_Group->size());
    Timer1.setInterval(10);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1.start();
}

void Group_Entries::Edit_Group_Click() {
    if (editor_) editor_->close(); // its group is written back first
    const int g = Edit_Group->ClickedIndex();
    takeGroup(book_, g);
    if (Edit_Group->ClickedType() == 1)
        post();
    else
        openEditor(g);
    if (host_.iSBalance) host_.iSBalance();
}

void Group_Entries::storeEditedGroup() {
    if (editor_) editor_->editor().writeBack();
}

void Group_Entries::post() {
    if (!postEntryGroup(book_, run_, todayNumber())) return; // refused with its message
    if (host_.showJournalLine) host_.showJournalLine(run_.CurrentFirstLine);
    hide();
}

void Group_Entries::openEditor(int group) {
    if (group < 0 || group >= GroupTotal) return;
    book_.EditedGroup = static_cast<std::int16_t>(group);
    editor_ = new RecurringEntries(book_, run_, host_, this);
    editor_->GroupLabels->setText(QString::fromStdString(std::string(
        textforms::trimSpaces(book_.GroupNames[static_cast<std::size_t>(group)].shown()))));
    editor_->setWindowTitle(QString::fromStdString(strings::text(138)));
    editor_->nameChanged = [this] {
        Edit_Group->Name_Refresh(book_);
        resize(Edit_Group->width(), height());
    };
    // The editor losing the activation hides the list, unless the list
    // itself took it (a click on another group's name).
    editor_->deactivated = [this] {
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && QApplication::activeWindow() != this) hide();
        });
    };
    editor_->show();
}

void Group_Entries::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    Form_Activate();
    Timer1_Timer();
}

void Group_Entries::closeEvent(QCloseEvent* e) {
    if (editor_) editor_->close();
    QWidget::closeEvent(e);
}

void Group_Entries::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::ActivationChange) return;
    if (isActiveWindow())
        Form_Activate();
    else if (isVisible() && !(editor_ && editor_->isVisible()))
        hide();
}

void Group_Entries::Form_Activate() {
    Edit_Group->Name_Refresh(book_);
    resize(Edit_Group->size());
}

void Group_Entries::Timer1_Timer() {
    if (!host_.includeButton) return;
    const DropPlace p =
        dropDownPlace(host_.includeButton(), width() * TwipsPerPixel, height() * TwipsPerPixel);
    const int left = static_cast<int>(std::lround(p.left / double(TwipsPerPixel)));
    const int top = static_cast<int>(std::lround(p.top / double(TwipsPerPixel)));
    if (x() != left || y() != top) move(left, top);
}
