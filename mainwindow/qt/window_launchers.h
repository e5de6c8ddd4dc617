// How the main window creates the windows of the other subsystems. Each entry
// is empty until the subsystem that builds the window fills it in
// window_launchers.cpp; the menu commands and toolbar buttons of an empty
// entry stay disabled. A launcher creates the window, runs what the window
// needs to compute, and returns it unshown (nullptr when the computation was
// refused: nothing is shown); the main window keeps it in its list, shows it
// and handles the busy state.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

class TAcount;

struct WindowLaunchers {
    // New window on every use; `reconcile` sets the window's ReconcileMode
    // before anything else touches it.
    std::function<QWidget*(TAcount&, bool reconcile)> generalJournal;
    std::function<QWidget*(TAcount&, bool reconcile)> tAccountLedger;
    std::function<QWidget*(TAcount&, bool reconcile)> runningBalance;
    std::function<QWidget*(TAcount&)> balanceSheet; // computed (BalanceMainLOAD) before showing
    std::function<QWidget*(TAcount&)> payroll;
    std::function<QWidget*(TAcount&)> tapeCalculator;
    // Shared windows (the main window closes any earlier one first).
    std::function<QWidget*(TAcount&, const std::string& dateText)> trialBalance;
    std::function<QWidget*(TAcount&)> incomeStatement;
    std::function<QWidget*(TAcount&)> cashFlow;
    std::function<QWidget*(TAcount&)> depreciation;
    std::function<QWidget*(TAcount&)> chartOfAccounts; // shown modeless, owned by the main window
    std::function<QWidget*(TAcount&)> moveAccounts;    // shown modal
    std::function<QWidget*(TAcount&)> settingsWindow;
    std::function<QWidget*(TAcount&)> searchWindow; // SearchMode is set before showing
    std::function<QWidget*(TAcount&)> entryGroups;  // the group drop-down
    // A journal window with a search of its own, kept at every build: the
    // hits of `text` in the notes or the references (searchMode 0 or 1, as
    // SearchMode), or the unbalanced entries (2). It lists search hits
    // (SearchJournal) and the unbalanced entries (CheckJournal).
    std::function<QWidget*(TAcount&, int searchMode, const std::string& text)> searchJournal;
};

// Fills in the launchers of the windows that exist in this build.
void installWindowLaunchers(WindowLaunchers& launchers);
