// The striped background painted behind three small windows (password prompt,
// progress window, file dialog): one pixel row per colour, GradientColors 1 to
// 30 and back again (rows 1..30 and 31..60), once or repeated every 60 rows
// down the window.
#pragma once

#include <QPixmap>
#include <QSize>

#include <array>
#include <cstdint>

class QWidget;

using GradientTable = std::array<std::int32_t, 37>;

// The colour index (1..30) of a pixel row, or 0 where the band leaves the
// window's own colour (row 0, and below row 60 when not repeated).
int bandColorIndex(int row, bool repeated);

// The table to paint with: the given one, or when its entries 1 to 30 are all
// 0 (not filled yet) the shades the main window would derive from `base`
// (0x00BBGGRR): each row half a unit darker than the one above.
GradientTable effectiveGradient(const GradientTable& colors, std::int32_t base);

QPixmap bandedBackdrop(const GradientTable& colors, QSize size, bool repeated, std::int32_t base);

// Paints the backdrop behind the widget's children, sized to the widget now.
void applyBandedBackdrop(QWidget* widget, const GradientTable& colors, bool repeated);

// Gives the widget `picture` as its background once, at its top left, and
// the window's own colour everywhere else, at every size (a picture as the
// window brush would be repeated down and across it).
void showPictureOnce(QWidget* widget, const QPixmap& picture);
