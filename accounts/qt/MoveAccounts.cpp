#include "accounts/qt/MoveAccounts.h"

#include "accounts/move_account.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/box_text.h"

#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QPushButton>

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A box listing every slot's name in table order (empty names as empty
// items), completing a typed start from its list.
QComboBox* accountBox(QWidget* parent, const Book& book, const QFont& font) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setFont(font);
    for (const std::string& name : book.AccountNames)
        box->addItem(qs(name));
    box->completer()->setCompletionMode(QCompleter::InlineCompletion);
    box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    setBoxText(box, QString());
    showPicksFromStart(box);
    return box;
}

} // namespace

MoveAccounts::MoveAccounts(Book& book, QWidget* parent) : QWidget(parent, Qt::Dialog), book_(book) {
    setWindowTitle(qs(strings::text(186)));
    QFont font = this->font();
    if (!book.FontName.str().empty()) font.setFamily(qs(book.FontName.str()));
    const int texts[2] = {187, 188};
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(qs(strings::text(texts[i])), this);
        Label1[i]->setFont(font);
        Label1[i]->setGeometry(12, 14 + i * 36, 110, 24);
    }
    A1 = accountBox(this, book, font);
    A1->setGeometry(126, 14, 260, 24);
    A1->setToolTip("Move Account Entries...");
    A2 = accountBox(this, book, font);
    A2->setGeometry(126, 50, 260, 24);
    A2->setToolTip("To Account Entries...");
    Command1 = new QPushButton(qs(strings::text(189)), this);
    Command1->setFont(font);
    Command1->setGeometry(286, 88, 100, 28);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    setFixedSize(398, 128);
}

void MoveAccounts::Command1_Click() {
    const MoveChoice choice =
        chooseMove(book_, A1->currentText().toStdString(), A2->currentText().toStdString());
    if (!choice.refusal.empty()) {
        showMessage(choice.refusal, "Accounts", MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (!choice.request) return;
    const std::string question = moveQuestion(book_, *choice.request, currentLocale().decimalMark);
    if (showMessage(question, "Accounts", MessageButtons::YesNo, MessageIcon::Question) ==
        MessageAnswer::Yes)
        moveAccountLines(book_, *choice.request);
    close();
}
