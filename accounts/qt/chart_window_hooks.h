// What the chart windows need of the main window, handed in by its launcher:
// the windows here never reach the main window themselves.
#pragma once

#include <functional>
#include <string>

class HC;
class Printformer;

struct ChartWindowHooks {
    // The entry line's shared account list refilled from the book.
    std::function<void()> refillAccountBoxes;
    // The main window moved to the entry holding a journal line.
    std::function<void(int line)> showJournalLine;
    // The windows that show account names closed before the chart is checked
    // (the search-results journal).
    std::function<void()> closeAccountWindows;
    // The help-mode window (may be null).
    ::HC* help = nullptr;
    // The program's print setup, whose printer every printout uses.
    std::function<Printformer*()> printSetup;
};
