// The depreciation calculator window: the cost of an asset, a yearly rate and
// a number of years give a reducing-balance schedule of book values and
// depreciation, one row per year, scrolled inside a frame. One window is
// shared by every use of the command; it reads the book's decimals for the
// journal and its font, and writes nothing.
#pragma once

#include "book/book.h"

#include <QWidget>

#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

class Depreciation : public QWidget {
    Q_OBJECT
  public:
    explicit Depreciation(const Book& book, QWidget* parent = nullptr);

    std::vector<QLabel*> Label1; // 0 cost, 1 "%", 2 years, 3 "Reducing Balance :"
    QLineEdit *Cost = nullptr, *Percent = nullptr, *TheYears = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QWidget* Picture1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    // The schedule rows: year label, book value, rate label, depreciation.
    std::vector<QLabel*> L1, L2;
    std::vector<QLineEdit*> Stage1, Stage2;

    void Command1_Click();
    void VScroll1_Change();

  private:
    void Form_Load();
    void addRow();
    void removeExtraRows();

    const Book& book_;
};
