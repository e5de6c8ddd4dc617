// The depreciation calculator window: from what the asset cost, its yearly rate
// and the number of years it builds a reducing-balance schedule of book values
// and depreciation, one row per year, scrolled inside a frame. The window keeps
// only the rows that can be in view and refills them from the schedule as it
// scrolls, so a schedule of any length stays light. One window is shared by
// every use of the command; it reads the book's decimals for the journal and
// its font, and writes nothing.
#pragma once

#include "book/book.h"
#include "book/number_format.h"
#include "calculators/depreciation.h"

#include <QWidget>

#include <string>
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
    // The rows on screen: year label, book value, rate label, depreciation.
    // One per year of a short schedule; for a long one, as many as can be in
    // view at once, each showing the year that falls at its place.
    std::vector<QLabel*> L1, L2;
    std::vector<QLineEdit*> Stage1, Stage2;

    void Command1_Click();
    void VScroll1_Change();

  private:
    void Form_Load();
    // A box left: it shows the figure the schedule uses, told when not as
    // typed (then false).
    bool leaveBox(QLineEdit* box, DepreciationBox kind);
    void addRow();
    void setRowCount(std::size_t rows);
    // The schedule's boxes as wide as its widest figure, its labels as their
    // texts; what follows moves along.
    void fitRows();
    void placeRow(std::size_t row);
    struct RowTexts {
        QString year, bookValue, depreciation;
    };
    RowTexts rowTexts(std::size_t year) const;
    void showYear(std::size_t row, std::size_t year);

    const Book& book_;
    // The last schedule calculated and how its rows are written.
    std::vector<DepreciationYear> years_;
    int decimals_ = 0;
    NumberMarks marks_;
    // Pixels: the year labels, every schedule box, the rate labels.
    int yearWidth_ = 0, boxWidth_ = 0, rateWidth_ = 0;
    std::string yearWord_;
    QString rateText_;
};
