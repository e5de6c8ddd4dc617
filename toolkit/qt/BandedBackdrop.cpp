#include "toolkit/qt/BandedBackdrop.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

int bandColorIndex(int row, bool repeated) {
    if (row <= 0) return 0;
    if (repeated) row = (row - 1) % 60 + 1;
    if (row <= 30) return row;
    if (row <= 60) return 61 - row; // row 30 + i takes colour 31 - i
    return 0;
}

GradientTable effectiveGradient(const GradientTable& colors, std::int32_t base) {
    bool filled =
        std::any_of(colors.begin() + 1, colors.begin() + 31, [](auto c) { return c != 0; });
    if (filled) return colors;
    GradientTable derived{};
    int r = base & 0xFF, g = (base >> 8) & 0xFF, b = (base >> 16) & 0xFF;
    for (int i = 1; i <= 36; ++i) {
        auto shade = [i](int v) {
            return static_cast<int>(std::clamp(std::nearbyint(v - i / 2.0), 0.0, 255.0));
        };
        derived[static_cast<std::size_t>(i)] = shade(r) | shade(g) << 8 | shade(b) << 16;
    }
    return derived;
}

QPixmap bandedBackdrop(const GradientTable& colors, QSize size, bool repeated, std::int32_t base) {
    QPixmap picture(size.expandedTo(QSize(1, 1)));
    QColor baseColor(base & 0xFF, (base >> 8) & 0xFF, (base >> 16) & 0xFF);
    picture.fill(baseColor);
    GradientTable table = effectiveGradient(colors, base);
    QPainter p(&picture);
    for (int row = 1; row < picture.height(); ++row) {
        int index = bandColorIndex(row, repeated);
        if (index == 0) {
            if (!repeated) break;
            continue;
        }
        std::int32_t c = table[static_cast<std::size_t>(index)];
        p.setPen(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        p.drawLine(0, row, picture.width() - 1, row);
    }
    return picture;
}

void applyBandedBackdrop(QWidget* widget, const GradientTable& colors, bool repeated) {
    QColor window = QApplication::palette(widget).color(QPalette::Window);
    std::int32_t base = window.red() | window.green() << 8 | window.blue() << 16;
    QPalette pal = widget->palette();
    pal.setBrush(QPalette::Window, QBrush(bandedBackdrop(colors, widget->size(), repeated, base)));
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

namespace {

// Paints its widget's background anew at each size: the picture at the top
// left, the window's colour around it.
class PictureOnce : public QObject {
  public:
    PictureOnce(QWidget* widget, const QPixmap& picture)
        : QObject(widget), widget_(widget), picture_(picture) {
        widget->installEventFilter(this);
        widget->setAutoFillBackground(true);
        paint();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) paint();
        return false;
    }

  private:
    void paint() {
        QPixmap background(widget_->size().expandedTo(QSize(1, 1)));
        background.fill(QApplication::palette(widget_).color(QPalette::Window));
        QPainter(&background).drawPixmap(0, 0, picture_);
        QPalette pal = widget_->palette();
        pal.setBrush(QPalette::Window, QBrush(background));
        widget_->setPalette(pal);
    }

    QWidget* widget_;
    QPixmap picture_;
};

} // namespace

void showPictureOnce(QWidget* widget, const QPixmap& picture) {
    new PictureOnce(widget, picture);
}
