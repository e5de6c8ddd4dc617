#include "toolkit/qt/MousePointer.h"

#include <QApplication>
#include <QCursor>

namespace pointer {
namespace {

bool help = false;
int busyCount = 0;
bool overridden = false;

void apply() {
    bool want = busyCount > 0 || help;
    Qt::CursorShape shape = busyCount > 0 ? Qt::WaitCursor : Qt::WhatsThisCursor;
    if (want && !overridden) {
        QApplication::setOverrideCursor(QCursor(shape));
        overridden = true;
    } else if (want) {
        QApplication::changeOverrideCursor(QCursor(shape));
    } else if (overridden) {
        QApplication::restoreOverrideCursor();
        overridden = false;
    }
}

} // namespace

void setHelp(bool on) {
    help = on;
    apply();
}

void beginBusy() {
    ++busyCount;
    apply();
}

void endBusy() {
    if (busyCount == 0) return;
    --busyCount;
    apply();
}

void endAllBusy() {
    busyCount = 0;
    apply();
}

bool helpShown() {
    return help;
}
bool busy() {
    return busyCount > 0;
}

} // namespace pointer
