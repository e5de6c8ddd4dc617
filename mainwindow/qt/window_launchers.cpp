#include "mainwindow/qt/window_launchers.h"

// Each subsystem's windows are added here as they are built, e.g.
//   launchers.generalJournal = [](TAcount& main, bool reconcile) { ... };
void installWindowLaunchers(WindowLaunchers&) {}
