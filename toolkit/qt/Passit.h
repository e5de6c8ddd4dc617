// The password prompt: accepts the moment the typed text completes the book's
// file password or administrator password and reports which through
// EnteredPassword; "Exit" and the close box leave without setting anything.
// The caller decides whether the one given is the one it wanted.
//
// Caller protocol: EnteredPassword = ""; exec(); compare EnteredPassword with
// the password needed; clear it after use. New code calls ask(), which does
// all of that and returns the password given.
#pragma once

#include "toolkit/password_rule.h"

#include <QDialog>

#include <optional>
#include <string>

struct Book;
struct RunTimeState;
class QLabel;
class QLineEdit;
class QPushButton;

class Passit : public QDialog {
    Q_OBJECT
  public:
    Passit(const Book& book, RunTimeState& run, QWidget* parent = nullptr);

    // The book whose passwords are asked for (when the open book is replaced by another object).
    void setBook(const Book& book) { book_ = &book; }

    // Modal showing. Once the key-press guard has locked the prompt, it only
    // repeats its message and returns Rejected.
    int exec() override;
    void open() override;

    // Clears EnteredPassword, shows the prompt (owned by `owner` when given),
    // and returns the password accepted, or nullopt; EnteredPassword is
    // cleared again before returning.
    std::optional<std::string> ask(QWidget* owner = nullptr);
    // The same for passwords other than the book's (another book's file password).
    std::optional<std::string> ask(const KnownPasswords& passwords, QWidget* owner = nullptr);

    const PasswordGuard& guard() const { return guard_; }

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void load();
    KnownPasswords known() const;
    void matched(const std::string& password);
    bool refusedWhenLocked();

    const Book* book_;
    RunTimeState& run_;
    PasswordGuard guard_;
    std::optional<KnownPasswords> asked_; // passwords given to ask(), for that showing
    bool loaded_ = false;
};
