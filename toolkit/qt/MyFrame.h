// The etched frame widget: a sunken double outline starting half a text line
// (Arial 9 bold) down from the control's top, where a group frame's edge
// would be, but with no caption.
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
