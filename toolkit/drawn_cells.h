// What a printout's rows draw, cell by cell, so that its fit measures the
// very texts its drawing draws: each printout says once, in one function,
// which texts a row draws in which of its columns and in which weight; the
// drawing draws those cells and the fit gathers them here before it tries a
// zoom.
#pragma once

#include "platform/drawing_surface.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// A text a row draws: the column it stands in (the printout's own
// numbering) and its weight.
struct DrawnCell {
    int column = 0;
    std::string text;
    bool bold = false;
};

// The texts drawn in each column, each once in each weight it is drawn in.
class DrawnTexts {
  public:
    void add(const DrawnCell& cell);
    void add(const std::vector<DrawnCell>& cells);
    // The width of the widest text drawn in `column`, each in its weight, in
    // the surface's present face and size (twips; 0 for none). The surface's
    // weight is left as it was.
    double widest(DrawingSurface& s, int column) const;
    // The narrowest room in which those texts wrap, measured alike, with no
    // word a printout keeps whole broken (narrowestRoom, toolkit/text_wrap).
    double narrowestRoom(DrawingSurface& s, int column) const;

  private:
    // The widest `measure` gives of the column's texts of each weight, in it.
    double widestOf(DrawingSurface& s, int column,
                    const std::function<double(const std::set<std::string>&)>& measure) const;
    std::map<int, std::set<std::string>> texts_[2]; // regular, bold
};
