#include "toolkit/qt/CalanderForm.h"

#include "book/text_encoding.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "toolkit/qt/amount_fit.h"
#include "toolkit/qt/canvas_image.h"
#include "toolkit/qt/qt_keys.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// Layout in pixels: the closed face, and the panel hanging below its right part.
constexpr QPoint PanelOffset(78, 24);
constexpr QSize PanelSize(225, 135);
constexpr QSize OpenSize(305, 158);
constexpr int ListHeight = 22;
constexpr int CellPitchX = 32;
constexpr int CellPitchY = 16;
constexpr int CellsTop = 37;
constexpr int HeadingsTop = 23;
constexpr int FaceButtonWidth = 26;
constexpr QSize DesignSize(103, 23);
// The text box sits 3 pixels in and leaves 28 for the face button; within it
// the line edit keeps 2 pixels each side and the cursor takes one after the text.
constexpr int TextBoxLeft = 3;
constexpr int TextBoxInset = 31;
constexpr int TextPadding = 2 * 2 + 2;

const char* const WeekdayHeadings[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

QColor faceColour() {
    return colourOf(ole::SystemButtonFace);
}

const QColor BevelLight(255, 255, 255);
const QColor BevelShadow(0xA0, 0xA0, 0xA0);
const QColor BevelDark(0x69, 0x69, 0x69);

// The edge of a button: light above and left, dark below and right while
// raised; the other way round while pressed.
void drawBevel(QPainter& p, const QRect& r, bool pressed) {
    p.setPen(pressed ? BevelDark : BevelLight);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? BevelLight : BevelDark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

// The month panel: arrows, month and year lists, weekday headings and the
// 42 day cells. It belongs to one CalanderForm and shows that control's logic.
class CalanderPanel : public QWidget {
  public:
    CalanderPanel(CalanderForm* owner, QWidget* parent);

    void sync();
    static QRect cellRect(int n) {
        return QRect(CellPitchX * (n % 7), CellsTop + CellPitchY * (n / 7), 33, 17);
    }
    static int cellAt(QPoint p) {
        if (p.y() < CellsTop || p.x() < 0 || p.x() >= 7 * CellPitchX) return -1;
        const int row = (p.y() - CellsTop) / CellPitchY;
        if (row > 5) return -1;
        return row * 7 + p.x() / CellPitchX;
    }

    QComboBox* month;
    QComboBox* year;
    QToolButton* previous;
    QToolButton* next;

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    CalanderForm* owner_;
    int pressed_ = -1;
};

CalanderPanel::CalanderPanel(CalanderForm* owner, QWidget* parent)
    : QWidget(parent), owner_(owner) {
    setFixedSize(PanelSize);
    setAutoFillBackground(false);
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(8);
    setFont(small);

    previous = new QToolButton(this);
    previous->setArrowType(Qt::LeftArrow);
    previous->setGeometry(0, 0, 40, ListHeight);
    previous->setToolTip(QStringLiteral("Previous month"));
    next = new QToolButton(this);
    next->setArrowType(Qt::RightArrow);
    next->setGeometry(PanelSize.width() - 40, 0, 40, ListHeight);
    next->setToolTip(QStringLiteral("Next month"));

    // The lists take no typing: their texts come from their items only.
    month = new QComboBox(this);
    month->setEditable(false);
    month->setGeometry(40, 0, 88, ListHeight);
    month->setMaxVisibleItems(12);
    year = new QComboBox(this);
    year->setEditable(false);
    year->setGeometry(129, 0, 56, ListHeight);
    year->setMaxVisibleItems(15);
    for (const std::string& name : owner_->logic_.monthList())
        month->addItem(QString::fromStdString(name));

    connect(previous, &QToolButton::clicked, this, [this] {
        owner_->logic_.monthArrow(0);
        owner_->syncPanel();
    });
    connect(next, &QToolButton::clicked, this, [this] {
        owner_->logic_.monthArrow(1);
        owner_->syncPanel();
    });
    connect(month, &QComboBox::activated, this, [this](int index) {
        owner_->logic_.chooseMonth(month->itemText(index).toStdString());
        owner_->syncPanel();
    });
    connect(year, &QComboBox::activated, this, [this](int index) {
        owner_->logic_.chooseYear(year->itemText(index).toStdString());
        owner_->syncPanel();
    });
}

void CalanderPanel::sync() {
    const DatePickerLogic& logic = owner_->logic_;
    const QSignalBlocker blockMonth(month), blockYear(year);
    const auto& years = logic.yearList();
    if (year->count() != static_cast<int>(years.size())) {
        year->clear();
        for (const std::string& y : years)
            year->addItem(QString::fromStdString(y));
    }
    month->setCurrentIndex(month->findText(QString::fromStdString(logic.monthText())));
    year->setCurrentIndex(year->findText(QString::fromStdString(logic.yearText())));
    update();
}

void CalanderPanel::paintEvent(QPaintEvent*) {
    const DatePickerLogic& logic = owner_->logic_;
    QPainter p(this);
    p.fillRect(rect(), faceColour());
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    QFont headingFont = font();
    headingFont.setBold(true);
    p.setFont(headingFont);
    for (int k = 0; k < 7; ++k) {
        const QRect r(CellPitchX * k, HeadingsTop, 31, 15);
        p.setPen(logic.headings()[k] ? QColor(0, 0, 0) : QColor(0xA0, 0xA0, 0xA0));
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(WeekdayHeadings[k]));
    }

    p.setFont(font());
    for (int n = 0; n < month_grid::CellCount; ++n) {
        const month_grid::DayCell& cell = logic.cells()[n];
        const QRect r = cellRect(n).adjusted(0, 0, -1, -1);
        if (cell.day == 0) continue; // blank cells stay flat and take no click
        const bool down = n == pressed_;
        p.fillRect(r.adjusted(1, 1, -1, -1), faceColour());
        drawBevel(p, r, down);
        p.setPen(colourOf(cell.textColour));
        p.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter,
                   QString::number(cell.day));
    }
}

void CalanderPanel::mousePressEvent(QMouseEvent* event) {
    const int n = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && n >= 0 && owner_->logic_.cells()[n].enabled) {
        pressed_ = n;
        update();
    }
    event->accept();
}

void CalanderPanel::mouseReleaseEvent(QMouseEvent* event) {
    const int n = pressed_;
    pressed_ = -1;
    update();
    if (event->button() != Qt::LeftButton || n < 0 || cellAt(event->position().toPoint()) != n)
        return;
    owner_->logic_.pickDay(n);
    owner_->syncPanel();
}

void CalanderPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    const int n = cellAt(event->position().toPoint());
    if (n >= 0 && owner_->logic_.cells()[n].enabled && owner_->logic_.isOpen()) {
        owner_->logic_.faceClick();
        owner_->syncPanel();
    }
}

bool CalanderPanel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int n = cellAt(help->pos());
        const std::string tip = n >= 0 ? owner_->logic_.dayTooltip(n) : std::string();
        if (tip.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this, cellRect(n));
        return true;
    }
    return QWidget::event(event);
}

// --- the control ---

CalanderForm::CalanderForm(QWidget* parent) : QWidget(parent) {
    setToolTip(QStringLiteral("Show or Hide..."));
    dateX_ = new QLineEdit(this);
    dateX_->setFrame(false);
    // Its repaints (the cursor's blink) leave what lies under it alone.
    dateX_->setAutoFillBackground(true);
    dateX_->installEventFilter(this);
    resize(sizeHint());
    closedSize_ = size();

    logic_.onTextWritten = [this](const std::string& text) {
        dateX_->setText(QString::fromStdString(text));
        dateX_->setCursorPosition(0); // a written date shows from its start
    };
    logic_.onOpenChanged = [this](bool open) { showPanel(open); };
    logic_.onClick = [this] { emit Click(); };
    logic_.onFocusMonthList = [this] {
        if (panel_) panel_->month->setFocus();
    };
    connect(dateX_, &QLineEdit::textChanged, this, [this](const QString& text) {
        logic_.takeTypedText(text.toStdString());
        emit Change();
    });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
                          [this](QWidget* old, QWidget* now) { focusChanged(old, now); });
    applyTextLook();
}

CalanderForm::~CalanderForm() {
    // The text box, destroyed with the widget after this, may hold the focus:
    // its going must not reach this control any more.
    disconnect(focusWatch_);
    logic_.onTextWritten = nullptr;
    logic_.onOpenChanged = nullptr;
    logic_.onClick = nullptr;
    logic_.onFocusMonthList = nullptr;
    // The panel lives on the host's window: it goes with this control.
    if (panel_ && panel_->parentWidget() != this) delete panel_.data();
}

int CalanderForm::widestDateWidth() const {
    const QFontMetricsF metrics(dateX_->font());
    const char digit = widestDigit(dateX_->font());
    const int style = logic_.dateStyle ? logic_.dateStyle() : 0;
    qreal widest = 0;
    for (const std::string& text : widestDateTexts(style, currentLocale(), digit))
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
    return static_cast<int>(std::ceil(widest));
}

QSize CalanderForm::minimumSizeHint() const {
    return QSize(widestDateWidth() + TextPadding + TextBoxInset, DesignSize.height());
}

QSize CalanderForm::sizeHint() const {
    return minimumSizeHint().expandedTo(DesignSize);
}

void CalanderForm::fitDates() {
    const int was = minimumWidth();
    const int need = minimumSizeHint().width();
    // A minimum above the present width widens the control at once.
    setMinimumWidth(need);
    // Widened only for an earlier font or style (the default font before the
    // host gave its own), it goes back to what its dates need now.
    if (need < was && width() == was) resize(std::max(need, DesignSize.width()), height());
}

QWidget* CalanderForm::panel() const {
    return panel_.data();
}

std::string CalanderForm::Text() const {
    return logic_.text();
}

void CalanderForm::setText(const std::string& text) {
    fitDates(); // the book's date style may have changed since the last date
    logic_.setText(text);
}

void CalanderForm::setDayText(const std::string& text, double day) {
    fitDates();
    logic_.setDayText(text, day);
}

void CalanderForm::setText(const QString& text) {
    setText(text.toStdString());
}

double CalanderForm::TheDate() {
    const double date = logic_.TheDate();
    if (panel_) panel_->update();
    return date;
}

void CalanderForm::setTheDate(double date) {
    logic_.setTheDate(date);
    syncPanel();
}

void CalanderForm::setFontName(const std::string& name) {
    fontName_ = name;
    applyTextLook();
}

void CalanderForm::setFontSize(double points) {
    fontSize_ = points;
    applyTextLook();
}

void CalanderForm::setFontBold(bool on) {
    fontBold_ = on;
    applyTextLook();
}

void CalanderForm::setFontItalic(bool on) {
    fontItalic_ = on;
    applyTextLook();
}

void CalanderForm::setForeColor(std::uint32_t colour) {
    logic_.setForeColor(colour);
    applyTextLook();
}

void CalanderForm::setBackColor(std::uint32_t colour) {
    backColor_ = colour;
    applyTextLook();
    update();
}

void CalanderForm::setDateToolTipText(const std::string& text) {
    dateToolTip_ = text;
    dateX_->setToolTip(QString::fromStdString(text));
}

void CalanderForm::setDateStyle(int style) {
    logic_.dateStyle = [style] { return style; };
    fitDates();
}

void CalanderForm::setDateStyleSource(std::function<int()> source) {
    logic_.dateStyle = std::move(source);
    fitDates();
}

void CalanderForm::WLoss() {
    logic_.WLoss();
    applyTextLook();
}

void CalanderForm::Refresh() {
    update();
    if (panel_) panel_->update();
}

void CalanderForm::applyTextLook() {
    QFont f(QString::fromStdString(fontName_.empty() ? std::string("Arial") : fontName_));
    if (fontSize_ > 0) f.setPointSizeF(fontSize_);
    f.setBold(fontBold_);
    f.setItalic(fontItalic_);
    dateX_->setFont(f);
    fitDates();
    // The colours of a box that takes typing: a disabled one keeps the
    // greyed look of every disabled box, as the face beside it does.
    QPalette pal = dateX_->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, colourOf(logic_.foreColor()));
        pal.setColor(group, QPalette::Base, colourOf(backColor_));
    }
    dateX_->setPalette(pal);
}

void CalanderForm::syncPanel() {
    applyTextLook();
    if (panel_) panel_->sync();
    update();
}

void CalanderForm::showPanel(bool open) {
    QWidget* top = window();
    QWidget* host = top == this ? this : top;
    if (open) {
        if (!panel_) panel_ = new CalanderPanel(this, host);
        if (panel_->parentWidget() != host) panel_->setParent(host);
        if (host == this) {
            // A control without a host window grows to hold its panel.
            closedSize_ = size();
            resize(OpenSize);
        }
        panel_->setEnabled(isEnabled());
        placePanel();
        panel_->sync();
        panel_->show();
        panel_->raise();
    } else if (panel_) {
        panel_->hide();
        if (panel_->parentWidget() == this) resize(closedSize_);
    }
    update();
}

void CalanderForm::placePanel() {
    if (!panel_) return;
    QWidget* host = panel_->parentWidget();
    QPoint at = host == this ? PanelOffset : mapTo(host, PanelOffset);
    // Kept inside the host window, so that every day can be picked.
    at.setX(std::max(0, std::min(at.x(), host->width() - PanelSize.width())));
    at.setY(std::max(0, std::min(at.y(), host->height() - PanelSize.height())));
    panel_->move(at);
}

void CalanderForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width();
    p.fillRect(rect(), faceColour());
    // The text box's well.
    const QRect well(1, 2, w - FaceButtonWidth - 2, 21);
    p.fillRect(well, colourOf(backColor_));
    p.setPen(QColor(0x7A, 0x7A, 0x7A));
    p.drawRect(well.adjusted(0, 0, -1, -1));

    // The button that opens the panel: raised while closed, pressed while open.
    const bool open = logic_.isOpen();
    const QRect button(w - FaceButtonWidth, 1, FaceButtonWidth - 1, 22);
    const QRect b = button.adjusted(0, 0, -1, -1);
    drawBevel(p, b, open);
    p.setPen(BevelShadow);
    if (!open) {
        p.drawLine(b.left() + 1, b.bottom() - 1, b.right() - 1, b.bottom() - 1);
        p.drawLine(b.right() - 1, b.top() + 1, b.right() - 1, b.bottom() - 1);
    }

    // A small calendar page.
    const int shift = open ? 1 : 0;
    const QRect page(button.left() + 5 + shift, button.top() + 4 + shift, 15, 13);
    p.fillRect(page, QColor(255, 255, 255));
    p.fillRect(QRect(page.left(), page.top(), page.width(), 4), QColor(0xC8, 0x3C, 0x3C));
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.drawRect(page.adjusted(0, 0, -1, -1));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.fillRect(QRect(page.left() + 2 + 3 * col, page.top() + 5 + 2 * row + row, 2, 2),
                       QColor(0x70, 0x70, 0x70));
    if (!isEnabled()) p.fillRect(rect(), QColor(0xF0, 0xF0, 0xF0, 0x80));
}

void CalanderForm::resizeEvent(QResizeEvent*) {
    // Grown to hold its own open panel, the control keeps its closed text box.
    const bool holdsPanel = panel_ && panel_->parentWidget() == this && logic_.isOpen();
    if (!holdsPanel) closedSize_ = size();
    dateX_->setGeometry(TextBoxLeft, 4, std::max(0, closedSize_.width() - TextBoxInset), 17);
    placePanel();
}

void CalanderForm::moveEvent(QMoveEvent*) {
    placePanel();
}

void CalanderForm::hideEvent(QHideEvent*) {
    if (logic_.isOpen()) WLoss();
}

void CalanderForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    logic_.faceClick();
    syncPanel();
}

void CalanderForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && panel_) panel_->setEnabled(isEnabled());
    QWidget::changeEvent(event);
}

bool CalanderForm::owns(QWidget* w) const {
    for (; w; w = w->parentWidget())
        if (w == this || w == panel_.data()) return true;
    return false;
}

void CalanderForm::focusChanged(QWidget*, QWidget* now) {
    if (!now) return; // another application took the focus: not a loss to this window
    const bool inside = owns(now);
    if (inside && !hasFocusInside_) {
        hasFocusInside_ = true;
        emit GotFocus();
    } else if (!inside && hasFocusInside_) {
        hasFocusInside_ = false;
        emit LostFocus();
    }
}

bool CalanderForm::keypadDecimal(const QKeyEvent* event) {
    // The keypad's decimal key gives "," or "." by the keyboard's layout.
    return event->modifiers().testFlag(Qt::KeypadModifier) &&
           (event->key() == Qt::Key_Comma || event->key() == Qt::Key_Period);
}

int CalanderForm::separatorKey() const {
    const std::string separator =
        Tmain::DateStyleSeparator(logic_.dateStyle ? logic_.dateStyle() : 0, currentLocale());
    std::size_t at = 0;
    return static_cast<int>(encoding::nextCodePoint(separator, at));
}

bool CalanderForm::keyEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) return false;
    if (event->type() == QEvent::KeyRelease) {
        if (event->isAutoRepeat()) return false;
        KeyArgs args{qt_keys::keyCode(event), qt_keys::shiftState(event->modifiers())};
        emit KeyUp(args);
        return qt_keys::swallowedByHandler(event, args);
    }
    KeyArgs args{qt_keys::keyCode(event), qt_keys::shiftState(event->modifiers())};
    emit KeyDown(args);
    if (qt_keys::swallowedByHandler(event, args)) return true; // the host took the key
    const int typed = qt_keys::keyAscii(event);
    if (typed == 0) return false;
    KeyPressArgs press{keypadDecimal(event) ? separatorKey() : typed};
    emit KeyPress(press);
    if (press.KeyAscii == 0) return true;
    if (press.KeyAscii == typed) return false;
    // The host typed another character in place of this one.
    auto replacement = qt_keys::keyPressFor(press.KeyAscii);
    forwarding_ = true;
    QApplication::sendEvent(dateX_, replacement.get());
    forwarding_ = false;
    return true;
}

bool CalanderForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dateX_ && !forwarding_) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return keyEvent(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonDblClick:
            emit DblClick();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
