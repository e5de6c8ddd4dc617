// The payroll calculator window: boxes for seven periods plus a totals column,
// laid over coloured bands. Leaving or changing a box recomputes its period and
// the totals through the payroll sheet. A new window opens on every use;
// nothing is printed, copied, saved or remembered.
#pragma once

#include "calculators/payroll.h"
#include "calculators/payroll_layout.h"

#include <QWidget>

#include <array>
#include <string>

class QLabel;
class QLineEdit;

class PayRoll : public QWidget {
    Q_OBJECT
  public:
    // `currencyLabel` is the main window's currency caption ("$ :"); `fontName`
    // the book's interface font ("" keeps the default).
    PayRoll(const std::string& currencyLabel, const std::string& fontName,
            QWidget* parent = nullptr);

    const PayrollSheet& sheet() const { return sheet_; }

    using Row = std::array<QLineEdit*, PayPeriods>;
    Row PaySt{}, PayEnd{}, PayBreak{}, PayTotal{}, PayRate{}, PayGross{}, PayNet{};
    std::array<Row, 6> PayDe{}; // PayDe1 to PayDe6
    std::array<QLineEdit*, 3> PayP{};
    QLineEdit *PayTotalT = nullptr, *PayGrossT = nullptr, *PayNetT = nullptr;
    std::array<QLineEdit*, 6> PayDT{}; // PayDT(1) to PayDT(6)
    std::array<QLabel*, 16> PayTitle{};
    std::array<QLabel*, PayPeriods> ShiftT{};

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Form_Load(const std::string& currencyLabel, const std::string& fontName);
    void buildBoxes();
    void buildCaptions();
    // The period and totals columns as wide as the widest figure each shows,
    // never narrower than designed and as far as the screen allows (a figure
    // wider still is drawn smaller); the boxes, headings, bands and window
    // follow. Called whenever the figures change.
    void placeColumns();
    // Moves the boxes right as far as a caption before them needs (a long
    // currency label), the captions with them.
    void fitCaptionsBeforeBoxes();
    // Box texts into the sheet, and the sheet's texts back into the boxes.
    void pull();
    void push();
    void recompute(int period); // -1: every period

    PayrollSheet sheet_;
    NumberMarks marks_;
    PayrollColumns columns_;
    bool placed_ = false;
    int captionIndent_ = 0; // twips the columns moved right for the captions
};
