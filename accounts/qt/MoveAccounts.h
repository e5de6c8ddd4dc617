// Modal window: once confirmed, reposts all lines of the chosen account onto
// a second account. Asking closes the window whatever the reply; nothing
// chosen keeps it open, and a target missing from the chart gets a message.
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
