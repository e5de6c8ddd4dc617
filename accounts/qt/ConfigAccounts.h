// The chart-of-accounts editor: a 14-row grid of names and numbers over the
// account table with its scroll bar, the selected account's two notes, its
// class in a column of nine labels, the sub-account dash setting, insert,
// delete, the standard chart, Copy All and Print. Every edit goes into the
// book at once; closing checks the chart and refuses while a fault remains,
// drawing that account in red. The editor model (accounts/chart_editor.h)
// decides; this window lays it out and forwards events.
#pragma once

#ifndef Q_MOC_RUN
#include "accounts/chart_editor.h"
#include "accounts/chart_help_texts.h"
#include "accounts/qt/chart_window_hooks.h"
#endif

#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class Printformer;
class TuvoVerticalScroll;
class ConnectorLine;

class ConfigAccounts : public QWidget {
    Q_OBJECT
  public:
    ConfigAccounts(Book& book, RunTimeState& run, ChartWindowHooks hooks,
                   QWidget* parent = nullptr);
    ~ConfigAccounts() override;

    ChartEditor& editor() { return editor_; }

    // Redraws the 14 rows, the frame caption, the selected class and the notes.
    void ScrollAcc_Change();
    // Makes grid row k the selection and shows its class and notes.
    void selectRow(int k);
    void Insert_Account_Click();
    void Delete_Account_Click();
    void GChatA_Click();
    void Copy_All_Click();
    void PrintAccounts_Click();
    void HelpSelect_Click();
    void CurrentAsset_Click(int c);
    void Dsh_Click();
    // After a failure: the grid, its scroll range, the selected class and
    // the notes shown afresh from the book.
    void showBookAsItIs();
    // Closes the window without the check: the book is being replaced.
    void closeWithoutCheck();

    // Controls, by the names the program knows them by.
    std::array<QLineEdit*, ChartRows> Folio{};
    std::array<QLineEdit*, ChartRows> RenameAccount{};
    std::array<QFrame*, ChartRows> BSP{};
    std::array<QLabel*, 9> CurrentAsset{};
    std::array<QFrame*, 9> Asset_Border{};
    TuvoVerticalScroll* ScrollAcc = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Line2 = nullptr; // between the name and the number column
    QPlainTextEdit* ANote = nullptr;
    QPlainTextEdit* ANote2 = nullptr;
    QCheckBox* Dsh = nullptr;
    QMenuBar* menus = nullptr;
    QAction* Delete_Account = nullptr;
    QAction* Insert_Account = nullptr;
    QAction* PrintAccounts = nullptr;
    QAction* Copy_All = nullptr;
    QAction* HelpSelect = nullptr;
    QAction* GChatA = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void Form_Load();
    void showClass();
    void showNotes();
    void markRowFrames();
    bool rowKey(int k, bool folio, QEvent* event);
    // Leaving row k's number box: a number typed in it reaches the book now,
    // or the box shows the number kept and tells why. leaveTypedNumber leaves
    // the box typed in since it was last drawn or left, if any.
    void leaveFolio(int k);
    void leaveTypedNumber();
    void focusRow(int k, bool folio, int caret);
    void showHelp(const ChartHelp& h);
    // The number column as wide as the widest number of the chart, or the
    // number being `typed` (the name column giving way), and the box width a
    // number needs.
    void fitNumberColumn(const QString& typed = {});
    int numberBoxWidth(const QString& number) const;
    // The rows again after the table changed: columns, scroll range, rows.
    void showTable();

    RunTimeState& run_;
    ChartEditor editor_;
    ChartWindowHooks hooks_;
    ConnectorLine* Follow_Line = nullptr;
    Printformer* printSetup_ = nullptr;
    bool drawing_ = false;      // the window is setting its own boxes
    bool anyRowChosen_ = false; // until then every row frame is drawn dark grey
    bool closeUnchecked_ = false;
    bool helpTicked_ = false;
    int typedRow_ = -1; // the row whose number box was typed in and not yet left
};
