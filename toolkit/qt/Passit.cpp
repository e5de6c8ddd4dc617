#include "toolkit/qt/Passit.h"

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/BandedBackdrop.h"
#include "toolkit/qt/qt_keys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

} // namespace

Passit::Passit(const Book& book, RunTimeState& run, QWidget* parent)
    : QDialog(parent), book_(&book), run_(run) {
    setModal(true);
    setFixedSize(px(3300), px(1125));

    Label1 = new QLabel(this);
    // Centred over the box, as wide as the box so that longer translations fit.
    Label1->setGeometry(px(360), px(90), px(2655), px(255));
    Label1->setAlignment(Qt::AlignCenter);

    Text1 = new QLineEdit(this);
    Text1->setGeometry(px(360), px(360), px(2655), px(285));
    Text1->setMaxLength(80);
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setStyleSheet("lineedit-password-character: 42;"); // "*"
    Text1->installEventFilter(this);

    Command1 = new QPushButton(this);
    Command1->setGeometry(px(945), px(720), px(1455), px(315));
    Command1->setAutoDefault(false);

    connect(Text1, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isVisible()) return;
        if (auto pw = acceptOnChange(text.toStdString(), known())) matched(*pw);
    });
    connect(Text1, &QLineEdit::returnPressed, this, [this] {
        if (auto pw = acceptOnEnter(Text1->text().toStdString(), known())) matched(*pw);
    });
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);
    load();
}

void Passit::load() {
    applyBandedBackdrop(this, run_.GradientColors, false);
    setWindowTitle(QString::fromStdString(strings::text(184)));
    Label1->setText(QString::fromStdString(strings::text(185)));
    Command1->setText(QString::fromStdString(strings::text(116)));
    if (!book_->FontName.str().empty()) {
        QFont f = Text1->font();
        f.setFamily(QString::fromStdString(book_->FontName.str()));
        Text1->setFont(f);
    }
    loaded_ = true;
}

KnownPasswords Passit::known() const {
    if (asked_) return *asked_;
    return {book_->FilePassword.str(), book_->AdminPassword.str()};
}

void Passit::matched(const std::string& password) {
    run_.EnteredPassword = password;
    guard_.accepted();
    accept(); // hidden, still loaded
}

bool Passit::refusedWhenLocked() {
    if (!guard_.locked()) return false;
    showMessage(GuessingLockMessage);
    setResult(QDialog::Rejected);
    return true;
}

int Passit::exec() {
    if (refusedWhenLocked()) return QDialog::Rejected;
    return QDialog::exec();
}

void Passit::open() {
    if (refusedWhenLocked()) {
        emit rejected();
        emit finished(QDialog::Rejected);
        return;
    }
    QDialog::open();
}

std::optional<std::string> Passit::ask(QWidget* owner) {
    if (owner && owner != parentWidget()) setParent(owner, windowFlags());
    run_.EnteredPassword.clear();
    exec();
    std::optional<std::string> given;
    if (!run_.EnteredPassword.empty()) given = run_.EnteredPassword;
    run_.EnteredPassword.clear();
    return given;
}

std::optional<std::string> Passit::ask(const KnownPasswords& passwords, QWidget* owner) {
    asked_ = passwords;
    auto given = ask(owner);
    asked_.reset();
    return given;
}

void Passit::showEvent(QShowEvent* event) {
    if (!loaded_) load();
    Text1->clear();
    Text1->setFocus();
    QDialog::showEvent(event);
}

void Passit::done(int result) {
    // Exit and the close box unload the prompt: the next showing loads it again.
    if (result == QDialog::Rejected) loaded_ = false;
    QDialog::done(result);
}

bool Passit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // A key that types a character, Backspace and Enter among them, as
        // every box reads keys.
        const bool counts = qt_keys::keyAscii(key) != 0;
        if (guard_.locked()) return true;
        if (counts && guard_.countKeyPress()) {
            showMessage(GuessingLockMessage);
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
