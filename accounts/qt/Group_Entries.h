// The group drop-down under the main window's Include button: the ten group
// names in the group list. A row's Include button copies that group into the
// journal and clicking a name opens the group for editing; either way the
// main window then checks the balance. A timer keeps the list placed at the
// button, opening upwards.
#pragma once

#ifndef Q_MOC_RUN
#include "accounts/qt/RecurringEntries.h"
#include "accounts/qt/entry_group_host.h"
#include "book/book.h"
#include "book/runtime_state.h"
#endif

#include <QPointer>
#include <QTimer>
#include <QWidget>

class New_Menu;

class Group_Entries : public QWidget {
    Q_OBJECT
  public:
    Group_Entries(Book& book, RunTimeState& run, const EntryGroupHost& host,
                  QWidget* owner = nullptr);

    // A click in the list: closes an open editor (which writes its group
    // back), then posts the clicked group or opens it for editing.
    void Edit_Group_Click();
    void Timer1_Timer();
    // The editor, while it is open.
    RecurringEntries* editor() const { return editor_; }
    // An open editor's lines written back into its group (the book marked
    // changed when they differ); the editor stays open.
    void storeEditedGroup();

    New_Menu* Edit_Group = nullptr;
    QTimer Timer1;

  protected:
    void showEvent(QShowEvent* e) override;
    // Closed when the book is replaced: an open editor closes first and
    // writes its group back into the book it came from.
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void Form_Activate();
    void post();
    void openEditor(int group);

    Book& book_;
    RunTimeState& run_;
    EntryGroupHost host_;
    QPointer<RecurringEntries> editor_;
};
