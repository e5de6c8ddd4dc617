// Printing a printout as every window prints one: through a print setup,
// each copy a print job of its own named for the printout and the book.
#pragma once

#include <functional>
#include <string>

class DrawingSurface;
class Printformer;
class QWidget;
struct RunTimeState;

// The print setup `window` prints through: the program's one, which sets the
// printer of every printout, where `shared` gives it; else (a window made on
// its own) one of the window's own, made into `own` the first time.
Printformer& printSetupOf(const std::function<Printformer*()>& shared, Printformer*& own,
                          QWidget* window, RunTimeState& run);

// Asks `setup` (owned by `owner` while shown, when given); nothing when it is cancelled.
// Else PrintScale holds the chosen zoom while the copies print and is 1
// afterwards, `draw` draws each copy at that zoom as a job named `jobName`
// (see printJobName), and a failure is told once, as tellPrintFailure tells
// it. True when every copy was printed.
bool printThroughSetup(Printformer& setup, QWidget* owner, RunTimeState& run,
                       const std::string& jobName,
                       const std::function<void(DrawingSurface&, double zoom)>& draw);
