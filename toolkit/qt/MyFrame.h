// The etched frame: a sunken double rectangle whose top edge lies half a text
// line (Arial 9 bold) below the control's top, like a group frame without a
// caption.
#pragma once

#include <QWidget>

#include <cstdint>

class MyFrame : public QWidget {
    Q_OBJECT

  public:
    explicit MyFrame(QWidget* parent = nullptr);

    // The background colour (0x00BBGGRR or a system colour); setting it redraws.
    std::uint32_t BackCol() const { return backCol_; }
    void setBackCol(std::uint32_t colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::uint32_t backCol_ = 0x8000000F;
};
