// A flat captioned button drawn by hand: pale yellow at rest, grey and nudged
// while held, its caption turning bold under the pointer. Releasing the left
// button inside it emits Click. The caption is text 331 ("Include").
#pragma once

#include <QWidget>

class User_Button : public QWidget {
    Q_OBJECT

  public:
    explicit User_Button(QWidget* parent = nullptr);

    void setFontBold(bool bold);
    bool FontBold() const { return bold_; }
    bool isPressed() const { return pressed_; }
    QString caption() const { return caption_; }
    QSize sizeHint() const override { return QSize(49, 20); }

  signals:
    void Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString caption_;
    bool bold_ = false;
    bool pressed_ = false;
};
