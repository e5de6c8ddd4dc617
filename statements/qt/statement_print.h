// Printing a statement: the print setup asked (owned by the statement
// window), PrintScale set to its zoom while the copies print, each copy a
// print job of its own, and PrintScale back to 1 on every path. A failure is
// told as tellPrintFailure tells it; a printer that fails is tried again, at
// most twice more, a PDF file that cannot be written is not.
#pragma once

#include "platform/drawing_surface.h"

#include <functional>

class Printformer;
class QWidget;
struct RunTimeState;

// The number of copies printed (0 when cancelled or nothing could print).
int printStatement(QWidget* owner, RunTimeState& run, Printformer& setup,
                   const std::function<void(DrawingSurface&)>& draw);
