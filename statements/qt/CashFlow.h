// The inflows/outflows window: the journal in period columns, either as
// revenue against expenses or through one chosen account, scrolled both
// ways. The strip holds the period kind, the account box, the folio box and
// the period list; the menu bar's last item names the account under the
// mouse, and a click on an account row opens it in the shared ledgers.
#pragma once

#ifndef Q_MOC_RUN
#include "book/book.h"
#include "book/runtime_state.h"
#include "statements/inflows_outflows.h"
#include "statements/qt/draw_inflows_outflows.h"
#include "statements/qt/statement_host.h"
#include "toolkit/key_codes.h"
#endif

#include <QWidget>

#include <optional>

class Printformer;
class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class RealhScroll;
class StatementCanvas;
class TuvoVerticalScroll;

class CashFlow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int StripTwips = 430; // designed; taller boxes make it taller

    CashFlow(Book& book, RunTimeState& run, StatementHost host, QWidget* parent = nullptr);
    ~CashFlow() override;

    // --- controls ---
    QMenuBar* MenuBar = nullptr;
    StatementCanvas* Canvas = nullptr;
    QComboBox* DateTerm = nullptr;   // period kind
    QComboBox* tReportAcc = nullptr; // the account, or the revenue/expense item
    QLineEdit* FolioChoiceTx = nullptr;
    QComboBox* SmSelect = nullptr; // the first period shown
    TuvoVerticalScroll* VScroll1 = nullptr;
    RealhScroll* HScroll1 = nullptr;
    QAction* SaveB = nullptr; // Copy
    QAction* PrintCash = nullptr;
    QAction* EmalSt = nullptr; // Send
    QAction* SaveA = nullptr;  // Export
    QAction* mA = nullptr;     // the account under the mouse

    const InflowsOutflows& result() const { return io_; }
    int firstPeriod() const { return firstPeriod_; }
    const std::vector<RowSpot>& rows() const { return rows_; }
    // The revenue/expense item of the account box ("Revenue / Expense").
    static std::string revenueExpenseItem();

    // Recomputes: revenue/expense mode without an account.
    void Form_Cash_Flow(std::optional<Currency> account);
    void DateTerm_Click();
    void tReportAcc_Click();
    // A key typed in the folio box: true when it may reach the box.
    void FolioChoiceTx_KeyPress(KeyPressArgs& k);
    void SmSelect_Click();
    void Form_Resize();
    void redraw();
    // Draws what the window shows, from its scroll positions, on `s`: the
    // canvas's picture, or a surface of the canvas's size.
    void drawView(DrawingSurface& s);

    void SaveB_Click();
    void SaveA_Click();
    void PrintCash_Click();
    void EmalSt_Click();
    Printformer& printSetup();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What the account box shows for an account (none: the revenue/expense item).
    std::string accountBoxText(std::optional<Currency> account) const;
    // What the number box shows for the statement's account ("" for none).
    std::string accountFolioText() const;
    // The account the box names: an empty inner value for the revenue/expense
    // item; nullopt when it names no account.
    std::optional<std::optional<Currency>> accountOfBox() const;
    // Takes the box's account for the statement; a name no account has is
    // told and the box shows the statement's account again (false).
    bool settleAccountBox();
    // Leaving the box recomputes when it names another account than the statement's.
    void accountBoxLeft();
    // The account of the number the number box holds becomes the
    // statement's; a text that is no account number whole, or a number no
    // account has, is told and the box shows the statement's account again.
    void chooseTypedNumber();
    // Leaving the number box chooses its number when it shows another than
    // the statement's account.
    void folioBoxLeft();
    void mouseMoved(double y);
    void mouseReleased(int button, double y);
    int pageWidthPixels() const;
    // Places the strip's boxes side by side, each as wide as its design or
    // as what it shows in its font needs, all as tall as the tallest needs,
    // and holds the window at least as wide and tall as they need.
    void placeStrip();
    int stripTwips() const;

    Book& book_;
    RunTimeState& run_;
    StatementHost host_;
    InflowsOutflows io_;
    std::optional<Currency> account_; // the statement's account; none: revenue/expense
    int firstPeriod_ = 0;
    Measured measured_; // the name column and the column step, once per computation
    double tableFoot_ = 0;
    double tableRight_ = 0;
    int strip_ = 0; // the strip's height (pixels): the design's, or taller for taller boxes
    std::vector<RowSpot> rows_;
    double lastMouseY_ = -1;
    Printformer* printSetup_ = nullptr;
};
