// The toolbar strip across the top of the main window: the banded backdrop
// drawn once from GradientColors, the etched separators, the previous/next
// buttons, the twelve command buttons and the help button at the right end.
// A button shows its greyed twin while pressed, a hover frame while the
// pointer is inside it, and runs its command only when released inside.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class ButtonUd;

enum class ToolGlyph {
    Previous,
    Next,
    Open,
    Save,
    Copy,
    Paste,
    TAccount,
    RunningBalance,
    TrialBalance,
    IncomeStatement,
    BalanceSheet,
    Accounts,
    Calculator,
    Mail,
    HelpOff,
    HelpOn
};

class ToolButtonImage : public QWidget {
    Q_OBJECT
  public:
    ToolButtonImage(ToolGlyph glyph, QWidget* parent);
    ToolGlyph glyph() const { return glyph_; }
    void setGlyph(ToolGlyph g) {
        glyph_ = g;
        update();
    }
    bool pressedLook() const { return pressed_; }
    bool hovered() const { return hovered_; }

  signals:
    void released(); // released inside the button: run its command
    void hoverChanged(bool inside);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

  private:
    ToolGlyph glyph_;
    bool pressed_ = false;
    bool hovered_ = false;
};

class ToolbarStrip : public QWidget {
    Q_OBJECT
  public:
    explicit ToolbarStrip(QWidget* parent = nullptr);

    // Draws the backdrop picture from GradientColors (entries 1..36) as wide
    // as the screen; it is never redrawn on resize. The picture is the bands
    // alone (other windows take it); the etched separators stand on the strip.
    void setBackdrop(const std::array<std::int32_t, 37>& colours, int screenWidth);
    const QPixmap& backdrop() const { return backdrop_; }

    std::array<ToolButtonImage*, 2> PNPage{};
    std::array<ToolButtonImage*, 12> CalcButton{};
    ToolButtonImage* HelpButton = nullptr;
    ButtonUd* ButtonBorderOver = nullptr; // the hover frame

    void placeHelpButton(int left);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

  private:
    void showHoverOver(ToolButtonImage* button, bool inside);
    QPixmap backdrop_;
};

// Left edges of the toolbar's buttons in pixels (previous, next, then 0..11).
int toolButtonLeft(int slot);
