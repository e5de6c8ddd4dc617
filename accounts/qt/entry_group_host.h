// What the entry-group windows need of the main window, filled in by its
// launcher: the balance check, moving it to a journal line, where its
// Include button stands, the account boxes' type-ahead and two pictures.
#pragma once

#include "accounts/group_posting.h"

#include <QPixmap>

#include <functional>

class QComboBox;

struct EntryGroupHost {
    std::function<void()> iSBalance;               // TAcount.iSBalance
    std::function<void(int line)> showJournalLine; // its entry scroller set to the line
    std::function<IncludeButtonPlace()> includeButton;
    std::function<void(QComboBox*)> installTypeAhead;
    QPixmap backdrop;       // the toolbar strip's picture, the editor's background
    QPixmap addLinePicture; // the entry line's add-line button
};
