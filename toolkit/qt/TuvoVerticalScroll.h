// The program's own vertical scroll bar: self-drawn arrows, dotted track and
// bevelled thumb in shades of BackColor. Every set of Value raises Change, also
// an unchanged one; KeyDown reaches the host before the bar steps.
#pragma once

#include "toolkit/key_codes.h"
#include "toolkit/qt/scroll_bar_widget.h"

class TuvoVerticalScroll : public ScrollBarWidget {
    Q_OBJECT

  public:
    explicit TuvoVerticalScroll(QWidget* parent = nullptr);

  signals:
    // Raised on every key press before the bar acts; a handler that sets
    // KeyCode to 0 stops the bar's own step.
    void KeyDown(KeyArgs& args);
};
