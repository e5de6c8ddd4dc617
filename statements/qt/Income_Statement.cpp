#include "statements/qt/Income_Statement.h"

#include "book/tmain.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "statements/income_statement_outputs.h"
#include "statements/qt/computing_guard.h"
#include "statements/qt/draw_income_statement.h"
#include "statements/qt/statement_canvas.h"
#include "statements/qt/statement_dates.h"
#include "statements/qt/statement_outputs.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/menu_access.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

Income_Statement::Income_Statement(Book& book, RunTimeState& run, StatementHost host,
                                   QWidget* parent)
    : StatementFrame(book, run, std::move(host), parent) {
    setWindowTitle(stringText(134));
    QMenu* file = addMenuWithAccessKey(MenuBar, stringText(110));
    PrintToPrinter = file->addAction(stringText(157), this, [this] { printToPrinter(); });
    PrintToPrinter->setShortcut(QKeySequence("Ctrl+P"));
    CopyIncomeStatement =
        file->addAction(stringText(158), this, [this] { CopyIncomeStatement_Click(); });
    CopyIncomeStatement->setShortcut(QKeySequence("Ctrl+C"));
    file->addSeparator();
    SaveInc = file->addAction(stringText(159), this, [this] { SaveInc_Click(); });
    SaveInc->setShortcut(QKeySequence("Ctrl+S"));
    QMenu* accounts = addMenuWithAccessKey(MenuBar, stringText(156));
    SubAccounts = accounts->addAction(stringText(160));
    SubAccounts->setCheckable(true);
    connect(SubAccounts, &QAction::triggered, this, [this] { Form_Activate2(); });
    for (QAction*& r : Ratio) {
        r = MenuBar->addAction(QString());
        r->setVisible(false);
    }

    DateSearch[0] = addDatePicker(60);
    ToLable = new QLabel("To", Canvas);
    ToLable->adjustSize();
    ToLable->move(DateSearch[0]->geometry().right() + 6, DateSearch[0]->y() + 3);
    DateSearch[1] = addDatePicker(static_cast<int>(twipsOf(ToLable->geometry().right() + 8)));
    Command1 = new QPushButton(stringText(161), Canvas);
    Command1->resize(Command1->sizeHint().width(), DateSearch[1]->height());
    Command1->move(DateSearch[1]->geometry().right() + 8, DateSearch[1]->y());
    // Clicked, it leaves the focus in a picker: a period typed there is
    // recomputed, not put back as the picker is left.
    Command1->setFocusPolicy(Qt::TabFocus);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    placeHoverLabel(static_cast<int>(twipsOf(Command1->geometry().right() + 8)));
    for (CalanderForm* picker : DateSearch) {
        connect(picker, &CalanderForm::Click, this, [this] {
            if (run_.DateChangedFlag != 1) return;
            setEnabled(false);
            Form_Activate2();
            run_.DateChangedFlag = 0;
            setEnabled(true);
            activateWindow();
        });
        connect(picker, &CalanderForm::KeyPress, this,
                [this](KeyPressArgs& k) { filterDateKey(k, true); });
    }

    // The period runs from the journal's first day to its last, written as
    // the pickers read them back.
    const auto [first, last] = journalDateRange(book_);
    setPickerDay(DateSearch[0], first);
    setPickerDay(DateSearch[1], last);
}

void Income_Statement::Form_Activate2() {
    const LocaleInfo locale = currentLocale();
    IncomeStatementOptions options;
    options.period.start = builtDay(DateSearch[0]);
    options.period.end = builtDay(DateSearch[1]);
    options.period.allDates = run_.IncludeAllDates;
    options.period.includeSubAccounts = SubAccounts->isChecked();
    options.locale = locale;
    options.run = &run_;
    {
        ComputingGuard computing(run_, book_);
        is_ = computeIncomeStatement(book_, options);
    }
    if (!is_.ok) {
        refuseStatement(this, is_.message);
        return;
    }
    Ratio[0]->setText(QString::fromStdString(is_.grossRatioCaption));
    Ratio[0]->setVisible(is_.grossRatio.has_value());
    Ratio[1]->setText(QString::fromStdString(is_.netRatioCaption));
    Ratio[1]->setVisible(is_.netRatio.has_value());
    layOutComputed();
}

void Income_Statement::Command1_Click() {
    Command1->setEnabled(false);
    Form_Activate2();
    TScroll->setValue(0);
    Command1->setEnabled(true);
}

double Income_Statement::drawStatement(DrawTarget& t) {
    return drawIncomeStatement(t, book_, is_);
}

const CalanderForm* Income_Statement::drillEndPicker() const {
    return DateSearch[1];
}

void Income_Statement::CopyIncomeStatement_Click() {
    putOnClipboard(incomeStatementTabText(is_), incomeStatementRtf(is_, book_));
}

void Income_Statement::SaveInc_Click() {
    exportThroughDialog(this, run_, {"*.xls", "*.rtf", "*.htm"},
                        [this](const std::filesystem::path& path, const std::string& type) {
                            return exportIncomeStatement(is_, book_, path, type);
                        });
}

void Income_Statement::mailStatement() {
    mailIncomeStatement(is_, book_, host_.producer());
}
