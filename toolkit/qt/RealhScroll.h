// The program's own horizontal scroll bar: the vertical bar laid on its side,
// with a 50 ms first repeat, arrow and page keys that repeat while held, and
// no KeyDown event.
#pragma once

#include "toolkit/qt/scroll_bar_widget.h"

class RealhScroll : public ScrollBarWidget {
    Q_OBJECT

  public:
    explicit RealhScroll(QWidget* parent = nullptr);
};
