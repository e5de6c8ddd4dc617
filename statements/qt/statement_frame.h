// The common frame of the three statement windows (trial balance, income
// statement, balance sheet): a menu bar; a toolbar strip along the top of the
// client area with the window's date choice, a hover label and three picture
// buttons (print, send, copy); a vertical scroll bar along the right edge; and
// the client area, painted by the statement's drawing procedure, from which a
// click on an account row opens the shared ledger windows: the left button the
// running-balance ledger, the right button the T-account ledger, both ending on
// the statement's date.
#pragma once

// moc needs none of the book's headers.
#ifndef Q_MOC_RUN
#include "book/book.h"
#include "book/date_box.h"
#include "book/runtime_state.h"
#include "statements/qt/draw_target.h"
#include "statements/qt/statement_host.h"
#include "toolkit/key_codes.h"
#endif

#include <QSize>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CalanderForm;
class Printformer;
class QLabel;
class QMenuBar;
class RealhScroll;
class ScrollBarWidget;
class StatementCanvas;
class TuvoVerticalScroll;

// What the statement windows share beyond the frame below.

// A statement window's body: a menu bar along the top and the canvas filling
// the rest.
struct StatementBody {
    QMenuBar* menuBar = nullptr;
    StatementCanvas* canvas = nullptr;
};
StatementBody addMenuBarAndCanvas(QWidget* window);
// The smallest size of a statement window whose strip holds its controls in
// `strip` from its top left: never below the designed 5000 x 2000 twips, and
// room below the strip for both scroll bars whole.
QSize leastStatementSize(const QMenuBar* menuBar, QSize strip);

// A statement view's two scroll bars over its canvas: the vertical one down
// the right edge from `top` (pixels, below the strip), the horizontal one
// along the foot.
struct ViewBars {
    QWidget* canvas = nullptr;
    ScrollBarWidget* down = nullptr;
    ScrollBarWidget* across = nullptr;
    int top = 0;
};
// Places the bars, each shown while the drawing passes the view that way
// (or always, with `always`), a hidden one back at its start; their ranges
// end where the drawing's foot `foot` stands at the view's foot and its
// right edge `right` (twips from its unscrolled left), with a margin, at the
// view's right.
void fitViewBars(const ViewBars& bars, double foot, double right, bool always);

// A computation the window `statement` refused (a sum too large to hold):
// the window closes rather than go on showing an empty or stale statement as
// if it were whole, and the user is told why. Its launcher lets such a
// window go before it is ever shown.
void refuseStatement(QWidget* statement, const std::string& message);

// The account row under the mouse at `y` (nothing on the toolbar strip,
// `stripTwips` high), with the canvas's cursor set for it; nullptr when none.
const RowSpot* hoverRow(StatementCanvas* canvas, const std::vector<RowSpot>& rows, double y,
                        int stripTwips);
// Scrolls a shown bar by the mouse wheel's turn `angle` (eighths of a
// degree, 120 a notch; positive away from the user scrolls back).
void scrollByWheel(ScrollBarWidget* bar, int angle);
// What the hover label shows of an account: "number / name".
std::string hoverText(const Book& book, Currency account);

// The ledger window a click with `button` at `y` opens on the rows: the left
// button the running-balance ledger, the right button the T-account ledger;
// nothing for another button or away from the rows.
std::optional<LedgerRequest> drillRequest(const std::vector<RowSpot>& rows, int button, double y);

// A picture button of the toolbar strip.
class StripButton : public QWidget {
    Q_OBJECT
  public:
    enum class Glyph { Print, Mail, Copy };
    StripButton(Glyph glyph, QWidget* parent);

  signals:
    void pressed();
    void released();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

  private:
    Glyph glyph_;
};

class StatementFrame : public QWidget {
    Q_OBJECT
  public:
    static constexpr int StripTwips = 450; // the toolbar strip's height

    StatementFrame(Book& book, RunTimeState& run, StatementHost host, QWidget* parent = nullptr);
    ~StatementFrame() override;

    // --- controls ---
    QMenuBar* MenuBar = nullptr;
    StatementCanvas* Canvas = nullptr;     // the client area below the menu bar
    QLabel* P = nullptr;                   // hover label: number / name of the row under the mouse
    std::array<StripButton*, 3> mButton{}; // 0 print, 1 send, 2 copy
    QWidget* CalcButtonDown = nullptr;     // the pressed-button look
    TuvoVerticalScroll* TScroll = nullptr;
    RealhScroll* HScroll = nullptr; // shown when the statement is wider than the window

    // Height of the statement as last drawn (twips, with its bottom margin).
    int DrawHeight = 0;
    // Right edge of the statement as last drawn on the window (twips, unscrolled).
    double DrawRight = 0;
    // The account rows of the last drawing on the window.
    const std::vector<RowSpot>& rows() const { return rows_; }

    // Redraws from the scroll position (nothing is recomputed).
    void redraw();
    // Draws what the window shows, from its scroll position, on `s`: the
    // canvas's picture, or a surface of the canvas's size.
    void drawView(DrawingSurface& s);
    // Places the scroll bars, sets their ranges (each hidden and back at its
    // start when the statement fits that way), and redraws.
    void layOut();
    // Lays out a statement just computed: its widths are measured again.
    void layOutComputed();
    // Prints on the printer chosen in the print setup.
    void printToPrinter();
    Printformer& printSetup();

    // The toolbar buttons' commands (print, send, copy).
    void stripButtonReleased(int index);

  protected:
    // Draws the statement from t.s.CurrentY; returns the drawing's height
    // from where it started, with its bottom margin.
    virtual double drawStatement(DrawTarget& t) = 0;
    // The picker whose day built is the end date a drill-down gives the ledger window.
    virtual const CalanderForm* drillEndPicker() const = 0;
    // What the printout is, for its print job's name ("Trial Balance").
    virtual std::string printoutName() const = 0;
    // The left button sets the running-balance window up again first.
    virtual bool reloadRunningFirst() const { return false; }
    virtual void copyStatement() = 0;
    virtual void mailStatement() = 0;
    // Builds the statement for the days in the date pickers and draws it:
    // what Enter in a picker, and leaving one with another good day, run.
    virtual void buildStatement() = 0;

    // Date-picker keys: those a date is typed with pass (dateKeyAllowed);
    // Enter builds the statement (and passes when `enterPasses`); every
    // other key is dropped.
    void filterDateKey(KeyPressArgs& k, bool enterPasses = false);
    // A date picker in the strip at `left` twips, in the book's font.
    CalanderForm* addDatePicker(int leftTwips);
    // The day a picker names as the statement is built (readDateBox): the
    // day built before while it shows that day's text, else its text read; a
    // text naming no day is told and the picker shows again the day built
    // before (the journal's last day before any).
    double builtDay(CalanderForm* picker);
    // Gives a picker a day to build: its text in the book's date style.
    void setPickerDay(CalanderForm* picker, double day);
    // The hover label's place: `leftTwips` from the left of the strip.
    void placeHoverLabel(int leftTwips);
    RgbColor background() const;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab where the window has nothing else to go to goes to the statement:
    // it leaves a lone picker as a click on the statement does.
    bool focusNextPrevChild(bool next) override;

    Book& book_;
    RunTimeState& run_;
    StatementHost host_;

  private:
    void mousePressed(double x, double y);
    void mouseMoved(double x, double y);
    void mouseReleased(int button, double x, double y);
    void placeStripButtons();
    // The window's smallest size: as wide as `strip` (its controls from the
    // left) and the three buttons, as high as `strip` and the scroll bars.
    void holdAtLeast(QSize strip);
    // A picker left without Enter with another text: a text naming a day
    // builds the statement, as Enter does; a text naming no day is told and
    // the picker shows again the day the figures are for.
    void pickerLeft(CalanderForm* picker);

    std::vector<RowSpot> rows_;
    std::map<const CalanderForm*, KeptDate> keptDates_; // each picker's day built
    Measured measured_; // widths of the last computation on the window
    Printformer* printSetup_ = nullptr;
    double pressX_ = -1, pressY_ = -1;
};
