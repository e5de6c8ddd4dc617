#include "toolkit/qt/RealhScroll.h"

RealhScroll::RealhScroll(QWidget* parent)
    : ScrollBarWidget(std::make_unique<HorizontalScrollLogic>(), false, parent) {}
