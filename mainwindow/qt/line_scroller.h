// The main window's two vertical scrollers (the entry scroller ScrollAcc,
// whose Value is a journal line, and the panel scroller EScroll) as the
// window uses them: setting Value clamps it to 0..ValueMax and raises Change
// on every set, also when the value stays the same; a user's step raises it
// too. Up and Down pressed on the scroller are handed to the host instead of
// stepping.
#pragma once

#include "toolkit/key_codes.h"

#include <QScrollBar>

class LineScroller : public QScrollBar {
    Q_OBJECT
  public:
    explicit LineScroller(QWidget* parent = nullptr);

    int Value() const { return value(); }
    void setValue_(int v);
    int ValueMax() const { return maximum(); }
    void setValueMax(int m);

  signals:
    void Change();
    void KeyDown(KeyArgs& args);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool setting_ = false;
};
