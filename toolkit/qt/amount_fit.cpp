#include "toolkit/qt/amount_fit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace {

// A line edit keeps 2 pixels between its contents and its text on each side,
// and a pixel after the text for the caret.
constexpr int InnerMargin = 2;
constexpr int Caret = 1;
// The width the box's frame and margins are measured at.
constexpr int MeasuringWidth = 1000;
// Steps of a smaller font: quarter points, or whole pixels.
constexpr qreal PointStep = 0.25, PixelStep = 1;

// The rectangle a line edit of `width` draws its text in.
QRect textAreaAt(const QLineEdit* box, int width) {
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.rect = QRect(0, 0, width, box->height());
    opt.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box);
    return contents.marginsRemoved(box->textMargins()).adjusted(InnerMargin, 0, -InnerMargin, 0);
}

int textRoomAt(const QLineEdit* box, int width) {
    return textAreaAt(box, width).width() - Caret;
}

// The room `text` takes in `font` as a line edit lays it out. (A line edit
// also weighs the font's overhangs to align a text, but shows one whole that
// overhangs them as long as its advance fits.)
int roomFor(const QString& text, const QFont& font) {
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

qreal sizeOf(const QFont& font) {
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
}

// The legible size in the unit `font` is given in.
qreal leastSize(const QFont& font, const QWidget* shownOn) {
    if (font.pointSizeF() > 0) return LegiblePoints;
    return std::ceil(LegiblePoints * shownOn->logicalDpiY() / 72.0);
}

QFont sized(const QFont& font, qreal size) {
    QFont f = font;
    if (font.pointSizeF() > 0)
        f.setPointSizeF(size);
    else
        f.setPixelSize(static_cast<int>(size));
    return f;
}

} // namespace

char widestDigit(const QFont& font) {
    const QFontMetricsF metrics(font);
    char digit = '0';
    for (char c = '1'; c <= '9'; ++c)
        if (metrics.horizontalAdvance(QChar(c)) > metrics.horizontalAdvance(QChar(digit)))
            digit = c;
    return digit;
}

QRect lineEditTextArea(const QLineEdit* box) {
    return textAreaAt(box, box->width());
}

int lineEditTextRoom(const QLineEdit* box) {
    return textRoomAt(box, box->width());
}

int lineEditWidthFor(const QLineEdit* box, const QString& text) {
    return lineEditWidthFor(box, text, box->font());
}

int lineEditWidthFor(const QLineEdit* box, const QString& text, const QFont& font) {
    return roomFor(text, font) + MeasuringWidth - textRoomAt(box, MeasuringWidth);
}

AmountFit::AmountFit(QLineEdit* box, Figures widest)
    : QObject(box), box_(box), widest_(std::move(widest)), base_(box->font()) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this] { fitText(); });
    measure();
    fitText();
}

AmountFit* AmountFit::attach(QLineEdit* box, Figures widest) {
    return new AmountFit(box, std::move(widest));
}

AmountFit* AmountFit::of(const QLineEdit* box) {
    for (QObject* child : box->children())
        if (auto* fit = dynamic_cast<AmountFit*>(child)) return fit;
    return nullptr;
}

int AmountFit::widthFor(const QString& text) const {
    return lineEditWidthFor(box_, text, base_);
}

int AmountFit::widthForShown(const std::vector<QLineEdit*>& boxes) {
    int widest = 0;
    for (const QLineEdit* box : boxes)
        if (const AmountFit* fit = of(box)) widest = std::max(widest, fit->widthFor(box->text()));
    return widest;
}

void AmountFit::measure() {
    needed_ = 0;
    if (!widest_) return;
    const QChar digit(QLatin1Char(widestDigit(base_)));
    for (const std::string& figure : widest_()) {
        QString text = QString::fromStdString(figure);
        for (QChar& c : text)
            if (c.isDigit()) c = digit;
        needed_ = std::max(needed_, widthFor(text));
    }
}

void AmountFit::fitText() {
    const QString text = box_->text();
    const int room = lineEditTextRoom(box_);
    QFont font = base_;
    const qreal least = std::min(sizeOf(base_), leastSize(base_, box_));
    if (!text.isEmpty() && room > 0 && roomFor(text, base_) > room) {
        // A first guess in proportion, then smaller steps until the text fits.
        const qreal step = base_.pointSizeF() > 0 ? PointStep : PixelStep;
        qreal size = sizeOf(base_) * room / roomFor(text, base_);
        size = std::max(least, std::floor(size / step) * step);
        font = sized(base_, size);
        while (size > least && roomFor(text, font) > room) {
            size = std::max(least, size - step);
            font = sized(base_, size);
        }
    }
    drawnSize_ = font == base_ ? 0 : sizeOf(font);
    if (box_->font() != font) {
        setting_ = true;
        box_->setFont(font);
        setting_ = false;
    }
    // Too wide even at the legible size: the box scrolls, from the figure's
    // start unless it is being typed in.
    if (!box_->isModified() && roomFor(text, font) > room) box_->setCursorPosition(0);
}

bool AmountFit::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        fitText();
        break;
    case QEvent::FontChange:
        if (setting_) break;
        {
            // A font given by the host (or passed down from its parent) is the
            // box's own; a size still that of the smaller font drawn here is not.
            const QFont given = box_->font();
            base_ =
                drawnSize_ > 0 && sizeOf(given) == drawnSize_ ? sized(given, sizeOf(base_)) : given;
        }
        measure();
        fitText();
        break;
    case QEvent::StyleChange:
        measure();
        fitText();
        break;
    default:
        break;
    }
    return false;
}
