#include "calculators/qt/Rolling_Caculator.h"

#include "calculators/number_reading.h"
#include "platform/services.h"
#include "toolkit/qt/amount_fit.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/menu_access.h"
#include "toolkit/qt/qt_keys.h"
#include "toolkit/row_pitch.h"

#include <QActionGroup>
#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int RowTop = 4;     // pixels: rows stand one box height apart from here
constexpr int RowHeight = 20; // the amount box's designed height
constexpr int ResultHeight = 22;
constexpr int MinOuterWidth = 3720 / 15, MinOuterHeight = 4000 / 15;
constexpr int DesignWidth = 250;
constexpr int BoxInset = 60;    // the window's width less the amount boxes'
constexpr int ResultWider = 17; // the result box reaches under the operator buttons
constexpr int TypedLength = 40; // characters typed into a row (its figures may be longer)

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

void colourBox(QLineEdit* box) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text, box->text().contains('(') ? QColor(0xFF, 0, 0) : QColor(0, 0, 0));
    box->setPalette(p);
}

} // namespace

Rolling_Caculator::Rolling_Caculator(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Tape Calculator");
    Form_Load();
    resize(std::max(DesignWidth, minimumWidth()), 510 + menuBar()->sizeHint().height());
    Form_Resize();
}

Rolling_Caculator::~Rolling_Caculator() = default;

void Rolling_Caculator::Form_Load() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    QFont amountFont("Arial");
    amountFont.setPointSizeF(11.25);
    const QFont opFont("Arial Narrow", 12, QFont::Bold);
    const QFont resultFont("Arial", 12, QFont::Bold);
    rowPitch_ = static_cast<int>(rowPitchFor(
        RowHeight, std::max(QFontMetricsF(amountFont).height(), QFontMetricsF(opFont).height())));
    resultHeight_ = static_cast<int>(rowPitchFor(ResultHeight, QFontMetricsF(resultFont).height()));
    // Rows to fill the height of the screen; those past the window's height stay hidden.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->geometry().height() : 1080;
    int rows = 1;
    for (int y = rowPitch_ + 9; y <= screenHeight; y += rowPitch_)
        ++rows;
    tape_ = std::make_unique<TapeCalculator>(rows, marksOf(currentLocale()));
    for (int r = 0; r < rows; ++r) {
        auto* op = new QPushButton("+", central);
        op->setGeometry(17, RowTop + r * rowPitch_, 15, rowPitch_); // meets its box
        op->setFont(opFont);
        op->setFocusPolicy(Qt::NoFocus);
        op->setVisible(r == 0);
        connect(op, &QPushButton::clicked, this, [this, r] { Op_Click(r); });
        auto* box = new QLineEdit(central);
        box->setGeometry(32, RowTop + r * rowPitch_, 182, rowPitch_);
        box->setAlignment(Qt::AlignRight);
        box->setFont(amountFont);
        box->setToolTip("Enter Value...");
        box->setVisible(r == 0);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [box] { colourBox(box); });
        AmountFit::attach(box);
        Op.push_back(op);
        CalAmount.push_back(box);
    }
    TotalAmount = new QLineEdit(central);
    TotalAmount->setReadOnly(true);
    TotalAmount->setAlignment(Qt::AlignRight);
    TotalAmount->setMaxLength(100);
    TotalAmount->setFont(resultFont);
    TotalAmount->setToolTip("Total...");
    TotalAmount->setFocusPolicy(Qt::NoFocus);
    AmountFit::attach(TotalAmount);
    Op11 = new QLabel("=", central);
    Op11->setFont(QFont("Arial", 12, QFont::Bold));
    Op11->setGeometry(4, 486, 9, 19);
    ScrollNum = new QScrollBar(Qt::Vertical, central);
    ScrollNum->setGeometry(213, 6, 25, 469);
    ScrollNum->setFocusPolicy(Qt::NoFocus);
    connect(ScrollNum, &QScrollBar::valueChanged, this, [this](int v) {
        if (refilling_) return;
        tape_->scrollTo(v);
        ScrollNum_Change();
    });
    TotalAmount->raise();
    ScrollNum->raise();

    buildMenus();
    setMinimumSize(MinOuterWidth, MinOuterHeight);
    Clear_Total_Click();
}

void Rolling_Caculator::fitFigures() {
    // The boxes follow the window's width: it keeps room for the figures in
    // view, as far as the screen allows.
    const auto shown = CalAmount.begin() + tape_->lastRow() + 1;
    const int boxes = std::max(AmountFit::widthForShown({CalAmount.begin(), shown}),
                               AmountFit::widthForShown({TotalAmount}) - ResultWider);
    const QScreen* on = screen();
    const int screenWidth = on ? on->availableGeometry().width() : boxes + BoxInset;
    setMinimumWidth(std::max(MinOuterWidth, std::min(boxes + BoxInset, screenWidth)));
}

void Rolling_Caculator::buildMenus() {
    QMenu* edit = addMenuWithAccessKey(menuBar(), "Edit");
    Clear_Total = edit->addAction("Clear", this, [this] { Clear_Total_Click(); });
    C_m = edit->addAction("Copy...", this, [this] { C_m_Click(); });
    P_m = edit->addAction("Paste...", this, [this] { P_m_Click(); });
    SortNm = edit->addAction("Sort...", this, [this] { SortNm_Click(); });

    QMenu* dp = addMenuWithAccessKey(menuBar(), "Decimals");
    auto* places = new QActionGroup(this);
    dp1.assign(VariableDecimals + 1, nullptr);
    const std::pair<int, const char*> items[] = {{0, "None"}, {1, "1x"},   {2, "2x"},
                                                 {3, "3x"},   {4, "4x"},   {5, "5x"},
                                                 {6, "6x"},   {24, "24x"}, {25, "Variable"}};
    for (const auto& [index, caption] : items) {
        const int places_ = index;
        QAction* a = dp->addAction(caption, this, [this, places_] { dp1_Click(places_); });
        a->setCheckable(true);
        a->setChecked(index == 2);
        places->addAction(a);
        dp1[static_cast<std::size_t>(index)] = a;
    }

    QMenu* settings = addMenuWithAccessKey(menuBar(), "Settings");
    auto* modes = new QActionGroup(this);
    const char* captions[] = {"Calculator...", "Average Calculator...", "Mean Calculator...",
                              "Mode Calculator..."};
    for (int i = 0; i < 4; ++i) {
        QAction* a = settings->addAction(captions[i], this, [this, i] { CalcFuntions_Click(i); });
        a->setCheckable(true);
        a->setChecked(i == 0);
        modes->addAction(a);
        CalcFuntions.push_back(a);
    }
}

void Rolling_Caculator::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (tape_) Form_Resize();
}

void Rolling_Caculator::Form_Resize() {
    if (isMinimized()) return;
    const QWidget* client = centralWidget();
    const int height = client->height(), width = client->width();
    // As many rows as leave room for the result box below them.
    const int fit = (height - RowTop - resultHeight_ - 4) / rowPitch_ - 1;
    const int lastRow = std::clamp(fit, 0, static_cast<int>(CalAmount.size()) - 1);
    tape_->layout(lastRow);
    const int boxWidth = std::max(width - BoxInset, 40);
    for (std::size_t r = 0; r < CalAmount.size(); ++r) {
        const bool shown = static_cast<int>(r) <= lastRow;
        CalAmount[r]->setVisible(shown);
        Op[r]->setVisible(shown);
        if (shown) CalAmount[r]->resize(boxWidth, rowPitch_);
    }
    const int resultTop = Op[lastRow]->y() + Op[lastRow]->height();
    TotalAmount->setGeometry(16, resultTop, boxWidth + ResultWider, resultHeight_);
    Op11->move(4, resultTop + 5);
    ScrollNum->setGeometry(CalAmount[0]->x() + boxWidth, 6, 25, Op[lastRow]->y() + rowPitch_ - 6);
    syncScrollBar();
    // Rows come into view or leave it: refilled. A width alone (the window
    // growing for a figure) leaves the rows as they are, a row being typed
    // into too.
    if (lastRow != laidOutRow_) ScrollNum_Change();
    laidOutRow_ = lastRow;
}

void Rolling_Caculator::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activatedOnce_) return;
    // The first showing starts from a clear tape with the focus in the top row.
    activatedOnce_ = true;
    Clear_Total_Click();
    activateWindow();
    CalAmount[0]->setFocus();
}

void Rolling_Caculator::syncScrollBar() {
    refilling_ = true;
    ScrollNum->setRange(0, tape_->maxFirstLine());
    ScrollNum->setPageStep(tape_->lastRow() + 1);
    ScrollNum->setValue(tape_->firstLine());
    refilling_ = false;
}

void Rolling_Caculator::ScrollNum_Change() {
    refilling_ = true;
    for (int r = 0; r <= tape_->lastRow(); ++r) {
        CalAmount[r]->setText(qs(tape_->rowText(r)));
        Op[r]->setText(QString(QChar(tape_->rowOperator(r))));
    }
    refilling_ = false;
    fitFigures();
}

void Rolling_Caculator::showResult() {
    TotalAmount->setText(qs(tape_->result()));
    fitFigures(); // the result, and the row typed into
}

int Rolling_Caculator::rowOf(QObject* box) const {
    for (std::size_t r = 0; r < CalAmount.size(); ++r)
        if (CalAmount[r] == box) return static_cast<int>(r);
    return -1;
}

void Rolling_Caculator::afterKey(const TapeCalculator::KeyOutcome& outcome) {
    if (outcome.scrolled) syncScrollBar();
    if (outcome.scrolled || outcome.focusRow >= 0) ScrollNum_Change(); // new operators show
    if (outcome.focusRow >= 0) CalAmount[outcome.focusRow]->setFocus();
}

bool Rolling_Caculator::eventFilter(QObject* watched, QEvent* event) {
    const int row = rowOf(watched);
    if (row < 0) return QMainWindow::eventFilter(watched, event);
    QLineEdit* box = CalAmount[row];
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab and Shift+Tab move the focus on; leaving the box shows its amount's form.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
        if (qt_keys::editingKey(key)) return false;
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            afterKey(key->key() == Qt::Key_Up ? tape_->arrowUp(row) : tape_->arrowDown(row));
            return true;
        }
        const char32_t ch = static_cast<char32_t>(qt_keys::keyAscii(key));
        if (ch == 0) return false; // keys without a character (Delete, Home, ...) pass
        const TapeCalculator::KeyOutcome outcome = tape_->keyPress(row, ch);
        if (!outcome.swallowed) {
            // A typed character stops at the row's length, and where the
            // row's figure would pass the largest the tape holds; a figure
            // written into the row (24 decimals, a pasted tape) may be longer.
            if (outcome.typed < U' ' || outcome.typed == 127) return false;
            const QString typed = QString::fromUcs4(&outcome.typed, 1);
            const QString after = textAfterTyping(box, typed);
            if (after.size() > TypedLength ||
                !readTypedDecimal(after.toStdString(), tape_->marks()))
                return true;
            if (outcome.typed == ch) return false;
            box->insert(typed); // the decimal mark for a "." that is neither mark
            return true;
        }
        if (!outcome.problem.empty()) showMessage(outcome.problem);
        afterKey(outcome);
        return true;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == 0 || key->isAutoRepeat()) return false;
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) return false;
        tape_->amountTyped(row, box->text().toStdString());
        showResult();
        return false;
    }
    case QEvent::FocusOut:
        if (!refilling_) showLeftBox(box, tape_->leaveBox(row, box->text().toStdString()));
        return false;
    default:
        return false;
    }
}

void Rolling_Caculator::Op_Click(int row) {
    tape_->operatorClick(row);
    Op[row]->setText(QString(QChar(tape_->rowOperator(row))));
    showResult();
}

void Rolling_Caculator::Clear_Total_Click() {
    tape_->clear();
    refilling_ = true;
    for (std::size_t r = 0; r < CalAmount.size(); ++r) {
        Op[r]->setText("+");
        CalAmount[r]->clear();
    }
    refilling_ = false;
    TotalAmount->clear();
    syncScrollBar();
    fitFigures();
}

void Rolling_Caculator::C_m_Click() {
    services().clipboard->setText(tape_->copyText());
}

void Rolling_Caculator::P_m_Click() {
    tape_->paste(services().clipboard->text());
    syncScrollBar();
    ScrollNum_Change();
    showResult();
}

void Rolling_Caculator::SortNm_Click() {
    tape_->sort();
    ScrollNum_Change();
}

void Rolling_Caculator::dp1_Click(int index) {
    tape_->setDecimals(index);
    if (index >= 0 && index < static_cast<int>(dp1.size()) && dp1[index])
        dp1[index]->setChecked(true);
    ScrollNum_Change();
}

void Rolling_Caculator::CalcFuntions_Click(int index) {
    tape_->setMode(static_cast<CalcMode>(index));
    CalcFuntions[index]->setChecked(true);
    showResult();
}
