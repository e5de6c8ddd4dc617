// The client area of a statement window: the picture the statement was last
// drawn into (through a drawing surface, in twips at 15 to the pixel), and the
// mouse events on it, handed to the window in twips.
#pragma once

#include "platform/drawing_surface.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <functional>

class StatementCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit StatementCanvas(QWidget* parent = nullptr);

    // Clears the picture to `background` at the canvas's size and runs `draw`
    // on it; the canvas shows the result.
    void paint(RgbColor background, const std::function<void(DrawingSurface&)>& draw);
    const QImage& picture() const { return picture_; }
    // Over the picture: the toolbar strip `stripTwips` high (the main
    // window's strip picture, else the button face) and a black line at `lineTwips`.
    void paintStrip(const QPixmap& backdrop, int stripTwips, int lineTwips);
    QImage& picture() { return picture_; }

    // Mouse events on the area itself (not on the controls over it): the
    // button (keys::LeftButton ...) and the position in twips.
    std::function<void(int button, double x, double y)> pressed, moved, released;
    // The mouse wheel turned over the area: across and down, in eighths of a
    // degree (120 a notch).
    std::function<void(int across, int down)> wheeled;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QImage picture_;
};

// A text of the string table as the windows show it.
QString stringText(int id);

// Twips of a window position in pixels.
inline double twipsOf(double pixels) {
    return pixels * TwipsPerScreenPixel;
}
inline int pixelsOf(double twips) {
    return static_cast<int>(twips / TwipsPerScreenPixel);
}
