// The ledger and journal windows as the main window opens them: the host
// they are given (the book, the account list and the main window's services)
// and the shared T-account and running-balance windows that the statements
// drill down into.
#pragma once

#include "ledgers/qt/ledger_host.h"

class Report;
class Running_Balance;
class TAcount;

LedgerHost ledgerHostOf(TAcount& main);

// The one T-account and the one running-balance window of the statements'
// drill-down, created unshown on first use and owned by the main window.
Report& drillDownReport(TAcount& main);
Running_Balance& drillDownRunningBalance(TAcount& main);
// Closes both and lets them go: the next drill-down makes them anew (over
// the current account list, after the chart has changed it).
void closeDrillDownLedgers(TAcount& main);
// Closes one of them and lets it go (one left half built by a failure).
void discardDrillDown(QWidget& w);

// Opens a ledger window as its command does, for a picture of the running
// program: "journal", "t-account", "running-balance", "unbalanced" or
// "search". The ledgers show the account named `text` (the busiest account
// when empty); the search looks for `text` ("Sale" when empty). Returns the
// window, or nullptr for an unknown name.
QWidget* openLedgerWindowNamed(TAcount& main, const std::string& which, const std::string& text);
