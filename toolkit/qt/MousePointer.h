// The program's mouse pointer: the hourglass while something is busy (the
// progress window is up, a report is being built), else the question arrow
// while help mode is on, else the ordinary arrow. One override level is kept,
// so the two never undo each other.
#pragma once

namespace pointer {

void setHelp(bool on);
void beginBusy();
void endBusy(); // ignored when nothing is busy
bool helpShown();
bool busy();

} // namespace pointer
