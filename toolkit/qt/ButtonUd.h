// The overlay button: a 32 x 33 picture whose black pixels are transparent,
// both to the eye and to the mouse: a click there reaches the control below.
// The user's clicks, keys and mouse actions are passed on as its own events.
#pragma once

#include "toolkit/key_codes.h"

#include <QImage>
#include <QWidget>

class ButtonUd : public QWidget {
    Q_OBJECT

  public:
    explicit ButtonUd(QWidget* parent = nullptr);

    bool Enabled() const { return isEnabled(); }
    void Refresh() { update(); }
    const QImage& picture() const { return picture_; }

  signals:
    void Click();
    void KeyDown(KeyArgs& args);
    void KeyPress(KeyPressArgs& args);
    void KeyUp(KeyArgs& args);
    void MouseDown(MouseArgs& args);
    void MouseMove(MouseArgs& args);
    void MouseUp(MouseArgs& args);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    MouseArgs mouseArgs(QMouseEvent* event, int button) const;

    QImage picture_;
    bool pressed_ = false;
};
