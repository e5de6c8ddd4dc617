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
// Ends every busy section still open: what a command that failed left behind.
void endAllBusy();

// The hourglass from construction to destruction, however the section ends
// (an exception passing through included).
class BusySection {
  public:
    BusySection() { beginBusy(); }
    ~BusySection() { endBusy(); }
    BusySection(const BusySection&) = delete;
    BusySection& operator=(const BusySection&) = delete;
};

// `work()` under the hourglass; what it returns.
template <class Work> auto whileBusy(Work&& work) {
    const BusySection busy;
    return work();
}

} // namespace pointer
