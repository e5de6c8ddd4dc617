#include "statements/qt/Trial_Balance.h"

#include "book/tmain.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "statements/qt/computing_guard.h"
#include "statements/qt/draw_trial_balance.h"
#include "statements/qt/statement_canvas.h"
#include "statements/qt/statement_outputs.h"
#include "statements/trial_balance_outputs.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/menu_access.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

Trial_Balance::Trial_Balance(Book& book, RunTimeState& run, StatementHost host, QWidget* parent)
    : StatementFrame(book, run, std::move(host), parent) {
    setWindowTitle(stringText(154));
    QMenu* file = addMenuWithAccessKey(MenuBar, stringText(110));
    PrintAccount = file->addAction(stringText(157), this, [this] { printToPrinter(); });
    CopyTrialBalance = file->addAction(stringText(158), this, [this] { CopyTrialBalance_Click(); });
    file->addSeparator();
    SaveTrialBal = file->addAction(stringText(159), this, [this] { SaveTrialBal_Click(); });
    QMenu* accounts = addMenuWithAccessKey(MenuBar, stringText(156));
    DisplaySubAcc = accounts->addAction(stringText(160));
    DisplaySubAcc->setCheckable(true);
    connect(DisplaySubAcc, &QAction::triggered, this, [this] { DisplaySubAcc_Click(); });

    ISCalander = addDatePicker(60);
    placeHoverLabel(60 + static_cast<int>(twipsOf(ISCalander->width())) + 50);
    connect(ISCalander, &CalanderForm::Click, this, [this] {
        if (run_.DateChangedFlag != 1) return;
        mainLOAD();
        run_.DateChangedFlag = 0;
    });
    connect(ISCalander, &CalanderForm::KeyDown, this, [this](KeyArgs& k) {
        if (k.KeyCode == keys::Up) {
            TScroll->setValue(TScroll->Value() - 150);
            k.KeyCode = 0;
        } else if (k.KeyCode == keys::Down) {
            TScroll->setValue(TScroll->Value() + 150);
            k.KeyCode = 0;
        }
    });
    connect(ISCalander, &CalanderForm::KeyPress, this,
            [this](KeyPressArgs& k) { filterDateKey(k); });
}

void Trial_Balance::mainLOAD() {
    TrialBalanceOptions options;
    options.asOfDate = builtDay(ISCalander);
    options.includeSubAccounts = DisplaySubAcc->isChecked();
    options.locale = currentLocale();
    options.run = &run_;
    {
        ComputingGuard computing(run_, book_);
        tb_ = computeTrialBalance(book_, options);
    }
    if (!tb_.ok) {
        refuseStatement(this, tb_.message);
        return;
    }
    layOutComputed();
}

double Trial_Balance::drawStatement(DrawTarget& t) {
    return drawTrialBalance(t, book_, tb_);
}

const CalanderForm* Trial_Balance::drillEndPicker() const {
    return ISCalander;
}

void Trial_Balance::DisplaySubAcc_Click() {
    mainLOAD();
}

void Trial_Balance::CopyTrialBalance_Click() {
    putOnClipboard(trialBalanceTabText(tb_), trialBalanceRtf(tb_, book_));
}

void Trial_Balance::SaveTrialBal_Click() {
    exportThroughDialog(this, run_, {"*.xls", "*.csv", "*.rtf", "*.htm"},
                        [this](const std::filesystem::path& path, const std::string& type) {
                            return exportTrialBalance(tb_, book_, path, type);
                        });
}

void Trial_Balance::mailStatement() {
    mailTrialBalance(tb_, book_, host_.producer());
}
