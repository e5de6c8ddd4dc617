#include "statements/qt/statement_frame.h"

#include "book/account_number_text.h"
#include "book/business_heading.h"
#include "book/date_box.h"
#include "book/day_of_date.h"
#include "book/number_format.h"
#include "book/tmain.h"
#include "book/typed_input.h"
#include "platform/qt/painter_surface.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "statements/qt/statement_canvas.h"
#include "statements/qt/statement_dates.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/print_command.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int ButtonSize = 24; // pixels
constexpr int BarSize = 17;    // the scroll bars' thickness, pixels
// The three strip buttons with their gaps, from the first to the right edge.
constexpr int StripButtonsWidth = 3 * (ButtonSize + 4) + 6;
// Room kept right of the statement when scrolled to its right end (twips).
constexpr int RightMargin = 150;
constexpr RgbColor LightYellow = 0xC0FFFF;

} // namespace

// ---------------------------------------------------------------- shared

StatementBody addMenuBarAndCanvas(QWidget* window) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    StatementBody body;
    body.menuBar = new QMenuBar(window);
    body.menuBar->setNativeMenuBar(false);
    layout->addWidget(body.menuBar);
    body.canvas = new StatementCanvas(window);
    layout->addWidget(body.canvas, 1);
    return body;
}

QSize leastStatementSize(const QMenuBar* menuBar, QSize strip) {
    return {std::max(pixelsOf(5000), strip.width()),
            std::max(pixelsOf(2000), menuBar->sizeHint().height() + strip.height() + 1 +
                                         ScrollBarLogic::LeastLength + BarSize)};
}

void fitViewBars(const ViewBars& bars, double foot, double right, bool always) {
    QWidget* canvas = bars.canvas;
    const double width = twipsOf(canvas->width());
    const double height = twipsOf(canvas->height());
    const double bar = twipsOf(BarSize);
    // Each scroll bar takes room from the other's direction.
    bool down = always, across = always;
    for (int pass = 0; pass < 2 && !always; ++pass) {
        down = foot > height - (across ? bar : 0);
        across = right > width - (down ? bar : 0);
    }
    bars.down->setGeometry(canvas->width() - BarSize, bars.top, BarSize,
                           std::max(1, canvas->height() - bars.top - (across ? BarSize : 0)));
    bars.across->setGeometry(0, canvas->height() - BarSize,
                             std::max(1, canvas->width() - (down ? BarSize : 0)), BarSize);
    auto range = [](ScrollBarWidget* scroll, bool shown, double max) {
        if (!shown) {
            scroll->hide();
            if (scroll->Value() != 0) scroll->setValue(0); // redraws from the start
            return;
        }
        scroll->setValueMax(static_cast<std::int32_t>(std::max(0.0, max)));
        if (scroll->Value() > scroll->ValueMax()) scroll->setValue(scroll->ValueMax());
        scroll->show();
    };
    // Scrolled to its end, the drawing's foot stands at the view's foot.
    range(bars.down, down, foot - (height - (across ? bar : 0)));
    range(bars.across, across, right + RightMargin - (width - (down ? bar : 0)));
}

void refuseStatement(QWidget* statement, const std::string& message) {
    // Gone first, so that nothing empty stands behind the message.
    statement->close();
    showMessage(message);
}

const RowSpot* hoverRow(StatementCanvas* canvas, const std::vector<RowSpot>& rows, double y,
                        int stripTwips) {
    const RowSpot* row = y >= stripTwips ? rowAt(rows, y) : nullptr;
    canvas->setCursor(row ? Qt::WhatsThisCursor : Qt::ArrowCursor);
    return row;
}

void scrollByWheel(ScrollBarWidget* bar, int angle) {
    if (angle == 0 || bar->isHidden()) return;
    // A notch (120) moves as many small steps as a list scrolls lines.
    const std::int64_t step =
        -std::int64_t(angle) * QApplication::wheelScrollLines() * bar->ValueSmallChange() / 120;
    const std::int64_t to =
        std::clamp<std::int64_t>(bar->Value() + step, bar->ValueMin(), bar->ValueMax());
    if (to != bar->Value()) bar->setValue(static_cast<std::int32_t>(to));
}

std::string hoverText(const Book& book, Currency account) {
    return folioText(book, account, currentLocale().decimalMark) + " / " +
           Tmain::AccountNameByNumber(book, account);
}

std::optional<LedgerRequest> drillRequest(const std::vector<RowSpot>& rows, int button, double y) {
    if (button != keys::LeftButton && button != keys::RightButton) return std::nullopt;
    const RowSpot* row = rowAt(rows, y);
    if (!row) return std::nullopt;
    LedgerRequest request;
    request.window = button == keys::LeftButton ? LedgerRequest::Window::RunningBalance
                                                : LedgerRequest::Window::TAccount;
    request.account = row->account;
    return request;
}

// ---------------------------------------------------------------- StripButton

StripButton::StripButton(Glyph glyph, QWidget* parent) : QWidget(parent), glyph_(glyph) {
    setFixedSize(ButtonSize, ButtonSize);
    setCursor(Qt::PointingHandCursor);
}

void StripButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    const QColor paper(255, 255, 255);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(paper);
    switch (glyph_) {
    case Glyph::Print:
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(3, 9, 18, 8));
        p.setBrush(paper);
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case Glyph::Mail:
        p.drawRect(QRectF(3, 6, 18, 12));
        p.drawLine(QPointF(3, 6), QPointF(12, 13));
        p.drawLine(QPointF(21, 6), QPointF(12, 13));
        break;
    case Glyph::Copy:
        p.drawRect(QRectF(4, 3, 11, 14));
        p.drawRect(QRectF(9, 7, 11, 14));
        break;
    }
}

void StripButton::mousePressEvent(QMouseEvent*) {
    emit pressed();
}

void StripButton::mouseReleaseEvent(QMouseEvent*) {
    emit released();
}

// ---------------------------------------------------------------- StatementFrame

StatementFrame::StatementFrame(Book& book, RunTimeState& run, StatementHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(book), run_(run), host_(std::move(host)) {
    if (!host_.icon.isNull()) setWindowIcon(host_.icon);
    QFont f(fontFamily(book_.FontName.str()));
    setFont(f);
    const StatementBody body = addMenuBarAndCanvas(this);
    MenuBar = body.menuBar;
    Canvas = body.canvas;
    // A click on the statement takes the focus: a picker is left by it.
    Canvas->setFocusPolicy(Qt::ClickFocus);
    Canvas->pressed = [this](int, double x, double y) { mousePressed(x, y); };
    Canvas->moved = [this](int, double x, double y) { mouseMoved(x, y); };
    Canvas->released = [this](int b, double x, double y) { mouseReleased(b, x, y); };
    Canvas->wheeled = [this](int across, int down) {
        scrollByWheel(HScroll, across);
        scrollByWheel(TScroll, down);
    };

    P = new QLabel(Canvas);
    P->setFont(f);
    P->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette pal = P->palette();
    pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
    P->setPalette(pal);

    const StripButton::Glyph glyphs[] = {StripButton::Glyph::Print, StripButton::Glyph::Mail,
                                         StripButton::Glyph::Copy};
    CalcButtonDown = new QWidget(Canvas);
    CalcButtonDown->setFixedSize(ButtonSize, ButtonSize);
    CalcButtonDown->setAttribute(Qt::WA_TransparentForMouseEvents);
    CalcButtonDown->setStyleSheet("background: rgba(0, 0, 0, 60); border: 1px inset gray;");
    CalcButtonDown->hide();
    for (int i = 0; i < 3; ++i) {
        mButton[i] = new StripButton(glyphs[i], Canvas);
        connect(mButton[i], &StripButton::pressed, this, [this, i] {
            CalcButtonDown->move(mButton[i]->pos());
            CalcButtonDown->show();
            CalcButtonDown->raise();
        });
        connect(mButton[i], &StripButton::released, this, [this, i] { stripButtonReleased(i); });
    }
    mButton[0]->setToolTip(stringText(157));
    mButton[1]->setToolTip(stringText(319));
    mButton[2]->setToolTip(stringText(158));

    TScroll = new TuvoVerticalScroll(Canvas);
    TScroll->setFixedWidth(BarSize);
    TScroll->setValueSmallChange(10 * 15);
    TScroll->setValueLargeChange(100 * 15);
    connect(TScroll, &TuvoVerticalScroll::Change, this, [this] { redraw(); });
    HScroll = new RealhScroll(Canvas);
    HScroll->setFixedHeight(BarSize);
    HScroll->setValueSmallChange(10 * 15);
    HScroll->setValueLargeChange(100 * 15);
    HScroll->hide();
    connect(HScroll, &RealhScroll::Change, this, [this] { redraw(); });

    if (host_.tinted) {
        QPalette bg = palette();
        bg.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));
        setPalette(bg);
    }
    holdAtLeast({});
    resize(640, 480);
}

StatementFrame::~StatementFrame() = default;

RgbColor StatementFrame::background() const {
    return host_.tinted ? LightYellow : rgbColor(255, 255, 255);
}

CalanderForm* StatementFrame::addDatePicker(int leftTwips) {
    auto* picker = new CalanderForm(Canvas);
    picker->setFontName(book_.FontName.str());
    picker->setRunTimeState(&run_);
    picker->setDateStyle(book_.DateStyle);
    picker->setFontSize(8); // a whole four-digit-year date fits the picker's box
    picker->resize(picker->sizeHint());
    picker->move(pixelsOf(leftTwips), (pixelsOf(StripTwips) - picker->height()) / 2);
    connect(picker, &CalanderForm::LostFocus, this, [this, picker] { pickerLeft(picker); });
    return picker;
}

double StatementFrame::builtDay(CalanderForm* picker) {
    const auto kept = keptDates_.find(picker);
    const bool given = kept != keptDates_.end();
    const DateBoxReading read =
        readDateBox(picker->Text(), given ? std::optional(kept->second) : std::nullopt,
                    given ? kept->second.day : dayOfDate(journalDateRange(book_).second),
                    book_.DateStyle, currentLocale());
    if (!read.problem.empty()) showMessage(read.problem);
    keptDates_[picker] = {read.text, read.day};
    picker->setDayText(read.text, read.day);
    return read.day;
}

void StatementFrame::setPickerDay(CalanderForm* picker, double day) {
    const std::string text = pickerDateText(day, book_, currentLocale());
    keptDates_[picker] = {text, dayOfDate(day)};
    picker->setDayText(text, dayOfDate(day));
}

void StatementFrame::pickerLeft(CalanderForm* picker) {
    const auto kept = keptDates_.find(picker);
    if (kept == keptDates_.end() || picker->Text() == kept->second.text) return;
    const DateBoxReading read = readDateBox(picker->Text(), kept->second, kept->second.day,
                                            book_.DateStyle, currentLocale());
    if (read.problem.empty()) {
        buildStatement();
        return;
    }
    showMessage(read.problem);
    picker->setDayText(kept->second.text, kept->second.day);
}

bool StatementFrame::focusNextPrevChild(bool next) {
    QWidget* const before = focusWidget();
    const bool found = QWidget::focusNextPrevChild(next);
    if (before && before != Canvas && focusWidget() == before) {
        Canvas->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return found;
}

void StatementFrame::placeHoverLabel(int leftTwips) {
    P->move(pixelsOf(leftTwips), (pixelsOf(StripTwips) - P->sizeHint().height()) / 2);
    holdAtLeast({P->x(), pixelsOf(StripTwips)});
    placeStripButtons();
}

void StatementFrame::holdAtLeast(QSize strip) {
    // The label after the window's own controls gives way to the buttons.
    setMinimumSize(leastStatementSize(MenuBar, strip + QSize(StripButtonsWidth, 0)));
}

void StatementFrame::placeStripButtons() {
    const int top = (pixelsOf(StripTwips) - ButtonSize) / 2;
    int x = Canvas->width() - StripButtonsWidth;
    // The hover label ends before the buttons.
    P->resize(std::max(0, x - P->x()), P->sizeHint().height());
    for (StripButton* b : mButton) {
        b->move(x, top);
        x += ButtonSize + 4;
    }
}

void StatementFrame::filterDateKey(KeyPressArgs& k, bool enterPasses) {
    const int c = k.KeyAscii;
    if (c == keys::Enter) {
        if (!enterPasses) k.KeyAscii = 0;
        buildStatement();
        return;
    }
    if (!dateKeyAllowed(static_cast<char32_t>(c), currentLocale())) k.KeyAscii = 0;
}

void StatementFrame::drawView(DrawingSurface& s) {
    rows_.clear();
    DrawTarget t{s, true, 1.0, &rows_, &measured_};
    t.scrollX = HScroll->Value();
    // Short of the vertical scroll bar and the margin the view keeps.
    t.viewRight = s.ScaleWidth() - twipsOf(BarSize) - RightMargin;
    s.CurrentX = 0;
    s.CurrentY = -TScroll->Value();
    DrawHeight = static_cast<int>(drawStatement(t));
    DrawRight = t.drawnRight;
    coverScrollCorner(s, *TScroll, *HScroll, background());
}

void StatementFrame::redraw() {
    Canvas->paint(background(), [this](DrawingSurface& s) { drawView(s); });
    Canvas->paintStrip(host_.toolbarBackdrop, StripTwips, StripTwips);
}

void StatementFrame::layOut() {
    if (isMinimized()) return;
    redraw(); // draws at the canvas's size, measuring the statement's height and right edge
    const bool cornerBefore = !TScroll->isHidden() && !HScroll->isHidden();
    fitViewBars({Canvas, TScroll, HScroll, pixelsOf(StripTwips) + 1}, DrawHeight, DrawRight, false);
    placeStripButtons();
    // The drawing depends on the canvas and the scroll values alone: a value
    // changed above has drawn it again; the corner between the bars follows
    // where they stand now.
    if (cornerBefore || (!TScroll->isHidden() && !HScroll->isHidden())) redraw();
    TScroll->Refresh();
    HScroll->Refresh();
}

void StatementFrame::layOutComputed() {
    measured_ = {};
    layOut();
}

void StatementFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void StatementFrame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layOut();
}

Printformer& StatementFrame::printSetup() {
    return printSetupOf(host_.printSetup, printSetup_, this, run_);
}

void StatementFrame::printToPrinter() {
    const std::string job = printJobName(printoutName(), book_.BusinessName.str());
    printThroughSetup(printSetup(), this, run_, job, [this](DrawingSurface& s, double) {
        DrawTarget t{s, false, run_.PrintScale, nullptr};
        s.CurrentX = 0;
        s.CurrentY = 0;
        drawStatement(t);
    });
    redraw();
}

void StatementFrame::stripButtonReleased(int index) {
    if (index == 0)
        printToPrinter();
    else if (index == 1)
        mailStatement();
    else
        copyStatement();
    CalcButtonDown->hide();
}

void StatementFrame::mousePressed(double x, double y) {
    QPalette pal = P->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    P->setPalette(pal);
    run_.FormPressed = 1;
    pressX_ = x;
    pressY_ = y;
}

void StatementFrame::mouseMoved(double x, double y) {
    // A move with the button down cancels the click; a move event at the
    // very place of the press is no movement.
    if (x != pressX_ || y != pressY_) {
        run_.FormPressed = 0;
        pressX_ = pressY_ = -1;
    }
    if (pointer::busy()) return;
    const RowSpot* row = hoverRow(Canvas, rows_, y, StripTwips);
    if (!row) {
        P->clear();
        return;
    }
    P->setText(QString::fromStdString(hoverText(book_, row->account)));
}

void StatementFrame::mouseReleased(int button, double, double y) {
    if (pointer::busy()) return;
    QPalette pal = P->palette();
    pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
    P->setPalette(pal);
    if (run_.FormPressed != 1) return;
    run_.FormPressed = 0;
    if (y < StripTwips) return; // the strip covers whatever scrolled under it
    std::optional<LedgerRequest> request = drillRequest(rows_, button, y);
    if (!request || !host_.openLedger) return;
    // The day built, whatever the picker shows now.
    if (const auto built = keptDates_.find(drillEndPicker()); built != keptDates_.end())
        request->endDay = built->second.day;
    request->reloadFirst = button == keys::LeftButton && reloadRunningFirst();
    host_.openLedger(*request);
}
