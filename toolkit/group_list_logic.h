// The group list without its window: the ten group names as rows, the row
// under the mouse, where the "Include" button and the highlight bar ride, and
// what a click reports. Positions are pixels inside the control.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

struct Book;

class GroupListLogic {
  public:
    static constexpr int Rows = 10; // the book's ten entry groups
    static constexpr std::array<int, Rows> RowTops{4, 24, 45, 66, 87, 108, 129, 150, 171, 192};
    static constexpr int RowLeft = 5;
    static constexpr int RowHeight = 20;
    static constexpr int ButtonWidth = 49;
    static constexpr int ButtonHeight = 20;
    static constexpr int BarHeight = 22;

    // The Click event.
    std::function<void()> onClick;

    // Rebuilds the captions from the book's group names: NULs are removed and
    // a blank name becomes "Group " and its number, in the book as well. The
    // width follows the widest caption as `textWidth` measures it. Returns 0.
    int Name_Refresh(Book& book, const std::function<int(const std::string&)>& textWidth);

    // The row at a point, or -1 between and beside the rows.
    int rowAt(int x, int y) const;
    // The mouse moved over a row.
    void hoverRow(int row);
    // The mouse button was released over a name.
    void nameReleased();
    // The "Include" button was clicked.
    void buttonClicked();
    // The control's own surface was clicked.
    void surfaceClicked();

    std::int16_t ClickedIndex() const { return clickedIndex_; }
    std::int16_t ClickedType() const { return clickedType_; }

    const std::array<std::string, Rows>& captions() const { return captions_; }
    bool isBold(int row) const { return row >= 0 && row < Rows && bold_[row]; }
    int width() const { return frameWidth_; }
    int height() const { return frameHeight_; }
    int rowWidth() const { return rowWidth_; }
    int buttonLeft() const { return buttonLeft_; }
    int buttonTop() const { return buttonTop_; }
    int barTop() const { return barTop_; }
    int barWidth() const { return barWidth_; }

  private:
    void click();

    std::int16_t clickedIndex_ = 0;
    std::int16_t clickedType_ = 0;
    std::array<std::string, Rows> captions_{};
    std::array<bool, Rows> bold_{};
    int frameWidth_ = 244;
    int frameHeight_ = 212;
    int rowWidth_ = 238;
    int buttonLeft_ = 186;
    int buttonTop_ = 3;
    int barTop_ = 2;
    int barWidth_ = 240;
};
