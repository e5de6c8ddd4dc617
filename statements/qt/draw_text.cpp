#include "statements/qt/draw_text.h"

#include "toolkit/table_columns.h"

std::string fittedText(DrawingSurface& s, const std::string& text, double width) {
    return cutToWidth(s, text, width);
}
