#include "statements/qt/Balance_Sheet.h"

#include "book/tmain.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "statements/balance_sheet_outputs.h"
#include "statements/qt/computing_guard.h"
#include "statements/qt/draw_balance_sheet.h"
#include "statements/qt/statement_canvas.h"
#include "statements/qt/statement_dates.h"
#include "statements/qt/statement_outputs.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/menu_access.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

Balance_Sheet::Balance_Sheet(Book& book, RunTimeState& run, StatementHost host, QWidget* parent)
    : StatementFrame(book, run, std::move(host), parent) {
    setWindowTitle(stringText(136));
    QMenu* file = addMenuWithAccessKey(MenuBar, stringText(110));
    PrintToPrinter = file->addAction(stringText(157), this, [this] { printToPrinter(); });
    PrintToPrinter->setShortcut(QKeySequence("Ctrl+P"));
    CopyBalanceSheet = file->addAction(stringText(158), this, [this] { CopyBalanceSheet_Click(); });
    CopyBalanceSheet->setShortcut(QKeySequence("Ctrl+C"));
    file->addSeparator();
    SaveBal = file->addAction(stringText(159), this, [this] { SaveBal_Click(); });
    SaveBal->setShortcut(QKeySequence("Ctrl+S"));
    QMenu* accounts = addMenuWithAccessKey(MenuBar, stringText(156));
    USA = accounts->addAction(stringText(256));
    USA->setCheckable(true);
    connect(USA, &QAction::triggered, this, [this] { layOut(); });
    SubAccounts = accounts->addAction(stringText(160));
    SubAccounts->setCheckable(true);
    connect(SubAccounts, &QAction::triggered, this, [this] { BalanceMainLOAD(); });
    Ratio = MenuBar->addAction(QString());
    Ratio->setVisible(false);

    ISCalander = addDatePicker(60);
    placeHoverLabel(60 + static_cast<int>(twipsOf(ISCalander->width())) + 80);
    connect(ISCalander, &CalanderForm::Click, this, [this] {
        if (run_.DateChangedFlag != 1) return;
        setEnabled(false);
        BalanceMainLOAD();
        TScroll->setValue(0);
        run_.DateChangedFlag = 0;
        setEnabled(true);
        activateWindow();
    });
    connect(ISCalander, &CalanderForm::KeyPress, this,
            [this](KeyPressArgs& k) { filterDateKey(k); });

    // The journal's latest day, written as the picker reads it back.
    setPickerDay(ISCalander, journalDateRange(book_).second);
}

BalanceSheetLayout Balance_Sheet::layout() const {
    return USA->isChecked() ? BalanceSheetLayout::AssetsAndLiabilities
                            : BalanceSheetLayout::WorkingCapital;
}

void Balance_Sheet::BalanceMainLOAD() {
    BalanceSheetOptions options;
    options.date = builtDay(ISCalander);
    options.includeSubAccounts = SubAccounts->isChecked();
    options.locale = currentLocale();
    options.run = &run_;
    {
        ComputingGuard computing(run_, book_);
        bs_ = computeBalanceSheet(book_, options);
    }
    if (!bs_.ok) {
        refuseStatement(this, bs_.message);
        return;
    }
    Ratio->setText(QString::fromStdString(bs_.returnOnEquityCaption));
    Ratio->setVisible(bs_.returnOnEquity.has_value());
    layOutComputed();
}

double Balance_Sheet::drawStatement(DrawTarget& t) {
    return drawBalanceSheet(t, book_, bs_, layout());
}

const CalanderForm* Balance_Sheet::drillEndPicker() const {
    return ISCalander;
}

void Balance_Sheet::CopyBalanceSheet_Click() {
    putOnClipboard(balanceSheetTabText(bs_, layout()), balanceSheetRtf(bs_, layout(), book_));
}

void Balance_Sheet::SaveBal_Click() {
    // The assets-and-liabilities layout is exported as RTF only.
    const std::vector<std::string> patterns =
        layout() == BalanceSheetLayout::AssetsAndLiabilities
            ? std::vector<std::string>{"*.rtf"}
            : std::vector<std::string>{"*.xls", "*.rtf", "*.htm"};
    exportThroughDialog(this, run_, patterns,
                        [this](const std::filesystem::path& path, const std::string& type) {
                            return exportBalanceSheet(bs_, layout(), book_, path, type);
                        });
}

void Balance_Sheet::mailStatement() {
    mailBalanceSheet(bs_, layout(), book_, host_.producer());
}
