// What a ledger or journal window needs of the program around it: the book,
// the run-time state, the main window's account list, and a few of the main
// window's services, handed in by whoever opens the window.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"

#include <QPixmap>

#include <functional>
#include <string>
#include <vector>

class DrawingSurface;
class Printformer;
class QComboBox;

struct LedgerHost {
    Book* book = nullptr;
    RunTimeState* run = nullptr;
    // The main window's account names in its own order (the list its account
    // boxes show); the windows copy it into their account boxes when loaded.
    std::function<std::vector<std::string>()> accountNames;
    // Moves the main window to the entry holding a journal line: restored
    // when minimised, loaded at that line and brought to the front.
    std::function<void(int line)> showJournalLine;
    // Brings the main window to the front.
    std::function<void()> raiseMainWindow;
    // Type-ahead on an account box, as the main window's boxes have it, acting
    // on a typed key only while `active` holds (always when it is empty).
    std::function<void(QComboBox*, std::function<bool()> active)> installTypeAhead;
    // An image of the main window's toolbar strip, used as a backdrop.
    std::function<QPixmap()> toolbarPicture;
    // The shared print setup and the business heading of printed pages.
    std::function<Printformer*()> printSetup;
    std::function<void(DrawingSurface&)> printHeader;
    // The main window's caption (the mail names the program by it).
    std::function<std::string()> mainCaption;
    // Puts a title and its help text in the help-mode window.
    std::function<void(const std::string& title, const std::string& text)> showHelp;
};
