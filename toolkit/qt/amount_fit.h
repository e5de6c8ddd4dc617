// Amount boxes show every figure whole. A box is told the widest figures its
// format writes (the largest amount the money type holds, written as the box
// writes it); measured in the box's font with every digit made the font's
// widest, they give the width its host lays the box out at, the row making
// room. A host that sizes its boxes for the figures they show instead asks
// for the width a text needs. A text the box still cannot hold (a row that
// cannot make room, a figure typed with digit-group marks, a figure beyond
// the money type) is drawn in a smaller font until it fits, never smaller
// than a legible size: a figure too wide even then scrolls in its box,
// showing its start unless it is being typed in.
#pragma once

#include "book/currency.h"

#include <QFont>
#include <QObject>
#include <QRect>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;

// As many digits as the largest amount the money type holds (fifteen whole
// and four decimals), all eights, so that no rounding carries it into
// another digit: the figure that stands for a format's widest.
constexpr Currency LargestFigure = Currency::fromRaw(8888888888888888888);

// The smallest a figure is drawn (points): smaller, it is no longer read at
// a glance.
constexpr qreal LegiblePoints = 7;

// The digit that is widest in `font`: figures written with it stand for the
// widest a format can show.
char widestDigit(const QFont& font);

// The rectangle a line edit draws its text in (pixels, in the box): inside
// its frame, its text margins and the inner margins.
QRect lineEditTextArea(const QLineEdit* box);
// The room it gives its text: that width less the caret's pixel. A text
// whose advance is within it shows whole.
int lineEditTextRoom(const QLineEdit* box);
// The width `box` needs to show `text` whole in `font` (its own by default).
int lineEditWidthFor(const QLineEdit* box, const QString& text);
int lineEditWidthFor(const QLineEdit* box, const QString& text, const QFont& font);

class AmountFit : public QObject {
  public:
    // The texts of the widest figures the box shows, asked again when its
    // font or style changes.
    using Figures = std::function<std::vector<std::string>()>;

    // Fits `box` to `widest` (none: the host sizes the box for the figures
    // it shows); the fit lives as long as the box.
    static AmountFit* attach(QLineEdit* box, Figures widest = {});
    // The fit of a box, or null.
    static AmountFit* of(const QLineEdit* box);

    // The box width (pixels) that holds the widest figure in the box's own
    // font (the one its host gave it, not one drawn smaller).
    int widthNeeded() const { return needed_; }
    // The box width (pixels) that holds `text` whole in the box's own font.
    int widthFor(const QString& text) const;
    // The width that holds the widest of the boxes' own texts: what a host
    // that sizes its boxes for the figures they show gives them.
    static int widthForShown(const std::vector<QLineEdit*>& boxes);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AmountFit(QLineEdit* box, Figures widest);
    void measure();
    void fitText();

    QLineEdit* box_;
    Figures widest_;
    QFont base_;          // the host's font; smaller ones are only drawn
    qreal drawnSize_ = 0; // the size of a smaller font drawn, 0 for none
    int needed_ = 0;
    bool setting_ = false;
};
