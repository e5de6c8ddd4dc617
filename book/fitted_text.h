// A text cut to the room a drawing leaves it: a name gives way to the
// figures beside it.
#pragma once

#include "platform/drawing_surface.h"

#include <string>

// The text cut at a character boundary to its longest beginning no wider
// than `width` twips in the surface's current font (the whole text when it
// fits; nothing when not even its first character does).
std::string fittedText(DrawingSurface& s, const std::string& text, double width);
