// The entry-group editor: the group's name above a grid of up to 61 rows,
// one line of the group's working copy per row (side label, account number,
// account name, amount, plus the note on the row ending each entry), with the
// commands new entry, add line, delete, copy and paste. Closing it writes
// the lines back into the group and stores the window's position.
#pragma once

#ifndef Q_MOC_RUN
#include "accounts/group_editor.h"
#include "accounts/qt/entry_group_host.h"
#include "book/book.h"
#include "book/runtime_state.h"
#endif

#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;
class TuvoVerticalScroll;
struct KeyArgs;

class RecurringEntries : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Rows = 61;

    RecurringEntries(Book& book, RunTimeState& run, const EntryGroupHost& host,
                     QWidget* owner = nullptr);
    ~RecurringEntries() override;

    GroupEditor& editor() { return editor_; }

    // Told when the group's name changed (the drop-down rebuilds its list)
    // and when this window stops being the active one.
    std::function<void()> nameChanged;
    std::function<void()> deactivated;

    // Redraws the grid from TopLine = the scroll bar's value.
    void ScrollAcc_Change();
    void Folio_GotFocus(int r);
    void rowKeyDown(int r, KeyArgs& k);
    // The commands.
    void New_E_Click();
    void CompoundEntry_Click(int side);
    void Del_E_Click();
    void C_E_Click();
    void P_E_Click();

    // Controls (tests reach them).
    QWidget* eBox = nullptr;
    TuvoVerticalScroll* ScrollAcc = nullptr;
    QLineEdit* GroupLabels = nullptr;
    std::array<QLabel*, Rows> CrDrLabel{}, CrDrLabel2{};
    std::array<QLineEdit*, Rows> Folio{}, AmountText{}, AccNote{};
    std::array<QComboBox*, Rows> Account_Name{};
    std::array<QLabel*, 3> CompoundEntry{}; // 1 debit, 2 credit
    QPushButton *Edit_op = nullptr, *New_E = nullptr, *C_E = nullptr, *P_E = nullptr,
                *Del_E = nullptr;

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void buildRows();
    void wireRow(int r);
    void Form_Resize();
    void hideAddLineButtons();
    // Leaving a row's box: it shows what its line keeps, told why when its
    // text was not taken. leaveRow leaves the row's box that has the focus.
    void leaveFolio(int r);
    void leaveAmount(int r);
    void leaveName(int r);
    void leaveRow(int r);
    // After a command: the bar's range follows the lines, then its value.
    void scrollTo(std::int32_t line);
    int lineOf(int r) const { return editor_.TopLine() + r; }
    // A note box's width: the line area less the scroll bar and 70, ending
    // inside the line area.
    int noteWidth(int left) const;

    Book& book_;
    RunTimeState& run_;
    EntryGroupHost host_;
    GroupEditor editor_;
    QStringListModel* accounts_ = nullptr;
    int amountWidth_ = 0; // pixels, for the widest figure in the boxes' font
    int folioWidth_ = 0;  // pixels, for the chart's widest number in the boxes' font
    int labelWidth_ = 0;  // pixels, for the longest side or note caption
    bool drawing_ = false;
    bool closed_ = false;
    // Why a text typed or pasted into an amount box was refused, told once
    // the box is left.
    std::string refusal_;
};
