// The tape calculator window. Rows of operator buttons beside amount boxes
// stand above the result box, and the scroll bar slides the view along the
// tape. Several windows can be open, every one keeping a
// separate tape; they share figures with the rest of the program only by
// way of the clipboard.
#pragma once

#include "calculators/tape_calculator.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

class Rolling_Caculator : public QMainWindow {
    Q_OBJECT
  public:
    explicit Rolling_Caculator(QWidget* parent = nullptr);
    ~Rolling_Caculator() override;

    const TapeCalculator& tape() const { return *tape_; }

    // Controls (row r is CalAmount[r] with Op[r] at its left).
    std::vector<QLineEdit*> CalAmount;
    std::vector<QPushButton*> Op;
    QLineEdit* TotalAmount = nullptr;
    QLabel* Op11 = nullptr;
    QScrollBar* ScrollNum = nullptr;
    QAction *Clear_Total = nullptr, *C_m = nullptr, *P_m = nullptr, *SortNm = nullptr;
    std::vector<QAction*> dp1;          // indexed by decimals 0-6, 24, 25 (others null)
    std::vector<QAction*> CalcFuntions; // 0 total, 1 average, 2 middle value, 3 mode

    void Clear_Total_Click();
    void C_m_Click();
    void P_m_Click();
    void SortNm_Click();
    void dp1_Click(int index);
    void CalcFuntions_Click(int index);
    void Op_Click(int row);
    // Refills every visible row from the tape.
    void ScrollNum_Change();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Load();
    void Form_Resize();
    void buildMenus();
    // The window keeps the width the figures in view need (the rows' and the
    // result's); a figure wider than the screen allows is drawn smaller.
    void fitFigures();
    int rowOf(QObject* box) const;
    void afterKey(const TapeCalculator::KeyOutcome& outcome);
    void showResult();
    void syncScrollBar();

    std::unique_ptr<TapeCalculator> tape_;
    bool activatedOnce_ = false;
    bool refilling_ = false;
    int laidOutRow_ = -1; // the last row in view at the last layout
    // Pixels: the rows' pitch and the result box's height, the design's or
    // the height of their fonts' lines when taller.
    int rowPitch_ = 0, resultHeight_ = 0;
};
