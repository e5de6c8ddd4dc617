#include "toolkit/qt/TuvoVerticalScroll.h"

TuvoVerticalScroll::TuvoVerticalScroll(QWidget* parent)
    : ScrollBarWidget(std::make_unique<VerticalScrollLogic>(), true, parent) {
    bar().onKeyDown = [this](KeyArgs& args) { emit KeyDown(args); };
}
