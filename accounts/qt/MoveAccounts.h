// The modal window that moves every journal line of one account to another
// account, after a question. It closes after the question, whatever the
// answer; an empty choice leaves it open, and an account to move to that
// does not exist is refused with a message.
#pragma once

#include <QWidget>

#include <array>

struct Book;
class QComboBox;
class QLabel;
class QPushButton;

class MoveAccounts : public QWidget {
    Q_OBJECT
  public:
    explicit MoveAccounts(Book& book, QWidget* parent = nullptr);

    void Command1_Click();

    QComboBox* A1 = nullptr; // the account to move from
    QComboBox* A2 = nullptr; // the account to move to
    std::array<QLabel*, 2> Label1{};
    QPushButton* Command1 = nullptr;

  private:
    Book& book_;
};
