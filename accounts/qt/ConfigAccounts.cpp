#include "accounts/qt/ConfigAccounts.h"

#include "accounts/chart_copy.h"
#include "accounts/chart_table.h"
#include "book/business_heading.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/menu_access.h"
#include "toolkit/qt/plain_text_box.h"
#include "toolkit/qt/print_command.h"
#include "toolkit/qt/qt_keys.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>

#include <cmath>
#include <utility>

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Layout in pixels.
constexpr int RowHeight = 24;
constexpr int RowWidth = 380;
constexpr int NameWidth = 266;
constexpr int GridTop = 40;
constexpr int ClassLeft = 452;
constexpr int ClassWidth = 172;
constexpr int ClassHeight = 26;
constexpr int ClassStep = 36;

const QColor Orange(0xFF, 0x80, 0x00); // &H80FF
const QColor FrameGrey(0xA0, 0xA0, 0xA0);

// The class labels' text colours: black, red or blue.
QColor classColour(int c) {
    switch (c) {
    case CurrentLiability:
    case NonCurrentLiability:
    case CostOfGoodsSold:
    case Expense:
    case CapitalEquity:
        return Qt::red;
    case Other:
        return Qt::blue;
    default:
        return Qt::black;
    }
}

void setBorder(QFrame* f, const QColor& c) {
    f->setStyleSheet(QString("QFrame#%1 { border: 1px solid %2; background: transparent; }")
                         .arg(f->objectName(), c.name()));
}

void setBold(QWidget* w, bool bold) {
    QFont f = w->font();
    if (f.bold() == bold) return;
    f.setBold(bold);
    w->setFont(f);
}

void setTextColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

// Notes keep CR LF line ends in the book; the boxes use LF.
QString noteForBox(const std::string& note) {
    return qs(note).replace("\r\n", "\n");
}
std::string noteFromBox(const QString& text) {
    return QString(text).replace("\n", "\r\n").toStdString();
}

void setFontName(QWidget* w, const std::string& name) {
    if (name.empty()) return;
    QFont f = w->font();
    f.setFamily(qs(name));
    w->setFont(f);
}

} // namespace

// The orange line from the selected row's frame to its class's frame, drawn
// over the window without taking its clicks.
class ConnectorLine : public QWidget {
  public:
    explicit ConnectorLine(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setEnds(QPoint from, QPoint to) {
        from_ = from;
        to_ = to;
        update();
    }
    QPoint from() const { return from_; }
    QPoint to() const { return to_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(Orange, 1));
        p.drawLine(from_, to_);
    }

  private:
    QPoint from_, to_;
};

ConfigAccounts::ConfigAccounts(Book& book, RunTimeState& run, ChartWindowHooks hooks,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), run_(run), editor_(book, run), hooks_(std::move(hooks)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Account Settings...");
    buildMenus();
    buildControls();
    Form_Load();
}

ConfigAccounts::~ConfigAccounts() {
    drawing_ = true; // boxes losing their focus on the way out are no edits
}

void ConfigAccounts::buildControls() {
    const int top = menus->sizeHint().height();

    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(8, top + 6, RowWidth + 40, GridTop + ChartRows * RowHeight + 8);
    Label1 = new QLabel(Frame2);
    Label1->setGeometry(12 + NameWidth + 6, 20, 100, 16);
    Label1->setToolTip("Account Number...");
    for (int k = 0; k < ChartRows; ++k) {
        BSP[k] = new QFrame(Frame2);
        BSP[k]->setObjectName(QString("BSP%1").arg(k));
        BSP[k]->setGeometry(8, GridTop + k * RowHeight, RowWidth, RowHeight - 2);
        RenameAccount[k] = new QLineEdit(BSP[k]);
        RenameAccount[k]->setGeometry(2, 2, NameWidth, RowHeight - 6);
        RenameAccount[k]->setFrame(false);
        RenameAccount[k]->setToolTip("Change Name of the Account...");
        Folio[k] = new QLineEdit(BSP[k]);
        Folio[k]->setGeometry(NameWidth + 6, 2, RowWidth - NameWidth - 8, RowHeight - 6);
        Folio[k]->setFrame(false);
        Folio[k]->setToolTip("Assign Account Number...");
        for (QLineEdit* box : {RenameAccount[k], Folio[k]})
            box->installEventFilter(this);
        connect(RenameAccount[k], &QLineEdit::textEdited, this, [this, k](const QString& t) {
            if (!drawing_) editor_.typeName(k, t.toStdString());
        });
        // A number typed reaches the book when its box is left (leaveFolio).
        connect(Folio[k], &QLineEdit::textEdited, this, [this, k](const QString& t) {
            if (drawing_) return;
            typedRow_ = k;
            // A longer number widens the column as it is typed.
            if (numberBoxWidth(t) > Folio[k]->width()) fitNumberColumn(t);
        });
    }
    Line2 = new QFrame(Frame2); // the separator between the two columns
    Line2->setGeometry(8 + NameWidth + 3, GridTop, 1, ChartRows * RowHeight - 2);
    Line2->setStyleSheet("background: black;");
    Line2->raise();
    ScrollAcc = new TuvoVerticalScroll(Frame2);
    ScrollAcc->setGeometry(RowWidth + 14, GridTop, 18, ChartRows * RowHeight - 2);
    ScrollAcc->setValueLargeChange(ChartRows);
    connect(ScrollAcc, &ScrollBarWidget::Change, this, [this] { ScrollAcc_Change(); });

    for (int c = 0; c <= Other; ++c) {
        Asset_Border[c] = new QFrame(this);
        Asset_Border[c]->setObjectName(QString("Asset_Border%1").arg(c));
        Asset_Border[c]->setGeometry(ClassLeft, top + 6 + GridTop + c * ClassStep, ClassWidth,
                                     ClassHeight);
        CurrentAsset[c] = new QLabel(Asset_Border[c]);
        CurrentAsset[c]->setGeometry(3, 3, ClassWidth - 6, ClassHeight - 6);
        CurrentAsset[c]->setAutoFillBackground(true);
        QPalette p = CurrentAsset[c]->palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::WindowText, classColour(c));
        CurrentAsset[c]->setPalette(p);
        CurrentAsset[c]->setMouseTracking(true);
        CurrentAsset[c]->installEventFilter(this);
        setBorder(Asset_Border[c], FrameGrey);
    }

    const int notesTop = Frame2->geometry().bottom() + 8;
    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(8, notesTop, ClassLeft + ClassWidth - 8, 150);
    ANote = new PlainTextBox(Frame1);
    ANote->setGeometry(8, 22, 300, 118);
    ANote->setToolTip("Optional Account Details...");
    ANote2 = new PlainTextBox(Frame1);
    ANote2->setGeometry(316, 22, Frame1->width() - 324, 118);
    ANote2->setToolTip("Selected Account Statement / Invoice Details (Client Address)...");
    for (QPlainTextEdit* note : {ANote, ANote2}) {
        note->setTabChangesFocus(true); // Tab moves on, as from every other box
        QPalette p = note->palette();
        p.setColor(QPalette::Base, QColor(0xFA, 0xFA, 0xFA));
        note->setPalette(p);
        note->viewport()->installEventFilter(this);
    }
    connect(ANote, &QPlainTextEdit::textChanged, this, [this] {
        if (!drawing_) editor_.typeNote(noteFromBox(ANote->toPlainText()));
    });
    connect(ANote2, &QPlainTextEdit::textChanged, this, [this] {
        if (!drawing_) editor_.typeNote2(noteFromBox(ANote2->toPlainText()));
    });

    Dsh = new QCheckBox("Use '-' for folio sub accounts numbers.", this);
    Dsh->setGeometry(8, Frame1->geometry().bottom() + 6, 400, 22);
    connect(Dsh, &QCheckBox::clicked, this, [this] { Dsh_Click(); });

    Follow_Line = new ConnectorLine(this);
    setFixedSize(ClassLeft + ClassWidth + 12, Dsh->geometry().bottom() + 8);
    Follow_Line->setGeometry(rect());
    menus->setGeometry(0, 0, width(), top);
}

void ConfigAccounts::buildMenus() {
    menus = new QMenuBar(this);
    QMenu* accounts = addMenuWithAccessKey(menus, qs(strings::text(156)));
    Delete_Account = accounts->addAction(qs(strings::text(233)));
    Delete_Account->setShortcut(QKeySequence("Ctrl+D"));
    Insert_Account = accounts->addAction(qs(strings::text(234)));
    Insert_Account->setShortcut(QKeySequence("Ctrl+I"));
    accounts->addSeparator();
    PrintAccounts = accounts->addAction(qs(strings::text(157)));
    Copy_All = accounts->addAction("Copy All...");
    QMenu* help = addMenuWithAccessKey(menus, "Help");
    HelpSelect = help->addAction("Setting Up Accounts...");
    HelpSelect->setCheckable(true);
    help->addSeparator();
    GChatA = help->addAction("Generate Accounts Setup...");
    for (QAction* a : {Delete_Account, Insert_Account})
        a->setShortcutContext(Qt::WindowShortcut);
    connect(Delete_Account, &QAction::triggered, this, [this] { Delete_Account_Click(); });
    connect(Insert_Account, &QAction::triggered, this, [this] { Insert_Account_Click(); });
    connect(PrintAccounts, &QAction::triggered, this, [this] { PrintAccounts_Click(); });
    connect(Copy_All, &QAction::triggered, this, [this] { Copy_All_Click(); });
    connect(HelpSelect, &QAction::triggered, this, [this] { HelpSelect_Click(); });
    connect(GChatA, &QAction::triggered, this, [this] { GChatA_Click(); });
}

void ConfigAccounts::Form_Load() {
    const Book& book = editor_.book();
    Label1->setText(qs(strings::text(170) + " :"));
    Frame1->setTitle(qs(strings::text(236)));
    for (int c = 0; c <= Other; ++c)
        CurrentAsset[c]->setText(qs(classCaption(c)));
    const std::string font = book.FontName.str();
    for (QWidget* w : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(ANote)})
        setFontName(w, font);
    for (QLabel* l : CurrentAsset)
        setFontName(l, font);
    for (QLineEdit* box : RenameAccount)
        setFontName(box, font);
    Dsh->setChecked(book.subAccountDash());
    markRowFrames();
    showTable();
}

int ConfigAccounts::numberBoxWidth(const QString& number) const {
    // As the selected row shows it, in bold, within the box's text margins.
    QFont f = Folio[0]->font();
    f.setBold(true);
    return static_cast<int>(std::ceil(QFontMetricsF(f).horizontalAdvance(number))) + 8;
}

void ConfigAccounts::fitNumberColumn(const QString& typed) {
    // The names give way to the widest number, as the boxes' font measures
    // it, which is shown whole.
    const QString widest =
        qs(widestNumberText(editor_.book(), run_.DecimalSeparator,
                            [this](const std::string& n) { return numberBoxWidth(qs(n)); }));
    const int number =
        std::max({RowWidth - NameWidth - 8, numberBoxWidth(widest), numberBoxWidth(typed)});
    const int name = std::max(RowWidth - 8 - number, 60);
    const int most = numberBoxMaxChars(editor_.book(), run_.DecimalSeparator);
    for (int k = 0; k < ChartRows; ++k) {
        Folio[k]->setMaxLength(most);
        RenameAccount[k]->setGeometry(2, 2, name, RowHeight - 6);
        Folio[k]->setGeometry(name + 6, 2, number, RowHeight - 6);
    }
    Line2->move(8 + name + 3, GridTop);
    Label1->move(12 + name + 6, 20);
}

void ConfigAccounts::showTable() {
    fitNumberColumn();
    ScrollAcc->setValueMax(editor_.scrollMax());
    ScrollAcc->setValue(editor_.top());
}

void ConfigAccounts::showBookAsItIs() {
    typedRow_ = -1; // the number typed was for the table as it was
    editor_.tableReplaced();
    markRowFrames();
    showTable();
}

// ---------------------------------------------------------------- the grid

void ConfigAccounts::ScrollAcc_Change() {
    // The rows move under a number box being typed in: it is left first.
    leaveTypedNumber();
    editor_.setTop(ScrollAcc->Value());
    Frame2->setTitle(qs(editor_.frameCaption()));
    drawing_ = true;
    for (int k = 0; k < ChartRows; ++k) {
        const ChartRowView r = editor_.row(k);
        RenameAccount[k]->setText(qs(r.name));
        Folio[k]->setText(qs(r.number));
        for (QLineEdit* box : {RenameAccount[k], Folio[k]}) {
            // A name longer than its box shows its beginning.
            if (!box->hasFocus()) box->setCursorPosition(0);
            setBold(box, false);
            setTextColour(box, r.flagged ? Qt::red : Qt::black);
        }
    }
    drawing_ = false;
    showClass();
    showNotes();
}

void ConfigAccounts::leaveFolio(int k) {
    const bool typed = std::exchange(typedRow_, -1) == k;
    showLeftBox(Folio[k], editor_.leaveNumber(k, Folio[k]->text().toStdString()));
    // The column widened for the number typed holds the numbers kept.
    if (typed) fitNumberColumn();
}

void ConfigAccounts::leaveTypedNumber() {
    if (typedRow_ >= 0) leaveFolio(typedRow_);
}

void ConfigAccounts::markRowFrames() {
    for (int k = 0; k < ChartRows; ++k) {
        const bool selected = anyRowChosen_ && k == editor_.selectedRow();
        setBorder(BSP[k], selected        ? Orange
                          : anyRowChosen_ ? QColor(Qt::black)
                                          : palette().color(QPalette::Dark));
        setBold(RenameAccount[k], selected);
        setBold(Folio[k], selected);
    }
}

void ConfigAccounts::selectRow(int k) {
    const bool moved = !anyRowChosen_ || k != editor_.selectedRow();
    editor_.select(k);
    if (moved) {
        anyRowChosen_ = true;
        markRowFrames();
        BSP[k]->raise();
    }
    showClass();
    showNotes();
    Delete_Account->setEnabled(true);
    Insert_Account->setEnabled(true);
}

void ConfigAccounts::showClass() {
    const int t = editor_.selectedClass();
    for (int c = 0; c <= Other; ++c) {
        setBorder(Asset_Border[c], c == t ? Orange : FrameGrey);
        setBold(CurrentAsset[c], c == t);
    }
    const QFrame* row = BSP[editor_.selectedRow()];
    const QPoint from = row->mapTo(this, QPoint(row->width(), row->height() / 2));
    const QFrame* cls = Asset_Border[t];
    Follow_Line->setEnds(from, cls->mapTo(this, QPoint(0, cls->height() / 2)));
    Follow_Line->raise();
}

void ConfigAccounts::showNotes() {
    drawing_ = true;
    ANote->setPlainText(noteForBox(editor_.note()));
    ANote2->setPlainText(noteForBox(editor_.note2()));
    drawing_ = false;
}

// ---------------------------------------------------------------- keys and clicks

void ConfigAccounts::focusRow(int k, bool folio, int caret) {
    QLineEdit* box = folio ? Folio[k] : RenameAccount[k];
    box->setFocus(Qt::OtherFocusReason);
    selectRow(k); // also when the focus was already there (offscreen windows)
    if (caret >= 0) box->setCursorPosition(caret);
}

bool ConfigAccounts::rowKey(int k, bool folio, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* box = folio ? Folio[k] : RenameAccount[k];
    if (event->type() == QEvent::KeyPress) {
        const int code = qt_keys::keyCode(key);
        // An arrow may scroll the rows under the box: a number typed is left first.
        if (code == keys::Up || code == keys::Down) leaveTypedNumber();
        const ChartKeyMove m = editor_.keyDown(k, code);
        if (m.focusRow >= 0) focusRow(m.focusRow, folio, -1);
        if (m.swallow) return true;
        // The number box refuses, and tells, the characters no number has;
        // keys that type none (Tab, Escape, Ctrl+V) go on as in every other box.
        KeyPressArgs typed{qt_keys::keyAscii(key)};
        if (!folio || typed.KeyAscii < 32) return false;
        numberKeyPress(typed, run_.DecimalSeparator,
                       [](const std::string& problem) { showMessage(problem); });
        return typed.KeyAscii == 0;
    }
    const ChartKeyMove m = editor_.keyUp(k, box->cursorPosition());
    if (m.scrolled) {
        ScrollAcc->setValue(editor_.top());
        selectRow(editor_.selectedRow());
    }
    if (m.focusRow >= 0) focusRow(m.focusRow, folio, m.caret);
    return false;
}

bool ConfigAccounts::eventFilter(QObject* watched, QEvent* event) {
    for (int k = 0; k < ChartRows; ++k) {
        const bool folio = watched == Folio[k];
        if (!folio && watched != RenameAccount[k]) continue;
        switch (event->type()) {
        case QEvent::FocusIn:
            selectRow(k);
            // An empty row's number box shows 0: selected, so typing replaces it.
            if (folio && Folio[k]->text() == QStringLiteral("0"))
                QMetaObject::invokeMethod(Folio[k], &QLineEdit::selectAll, Qt::QueuedConnection);
            break;
        case QEvent::FocusOut: {
            // Opening a menu leaves the items usable for the row in focus.
            const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
            if (why == Qt::PopupFocusReason || why == Qt::MenuBarFocusReason) break;
            // Left, also for another window: the number typed reaches the
            // book, or the box shows the number kept and tells why.
            if (folio && !drawing_) leaveFolio(k);
            if (why != Qt::ActiveWindowFocusReason) {
                Delete_Account->setEnabled(false);
                Insert_Account->setEnabled(false);
            }
            break;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return rowKey(k, folio, event);
        case QEvent::MouseButtonPress:
            if (helpMode().isOn()) showHelp(folio ? folioHelp() : nameHelp());
            break;
        default:
            break;
        }
        return false;
    }
    for (int c = 0; c <= Other; ++c) {
        if (watched != CurrentAsset[c]) continue;
        if (event->type() == QEvent::MouseButtonPress) {
            CurrentAsset_Click(c);
            return true;
        }
        if (event->type() == QEvent::MouseMove)
            for (int other = 0; other <= Other; ++other)
                setBold(CurrentAsset[other], other == c);
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == ANote->viewport() && helpMode().isOn()) showHelp(noteHelp());
        if (watched == ANote->viewport()) ANote->raise();
        if (watched == ANote2->viewport()) ANote2->raise();
    }
    return QWidget::eventFilter(watched, event);
}

void ConfigAccounts::showHelp(const ChartHelp& h) {
    if (hooks_.help) hooks_.help->showHelp(h.title, h.text);
}

void ConfigAccounts::CurrentAsset_Click(int c) {
    leaveTypedNumber();
    if (helpMode().isOn()) showHelp(classHelp(c));
    editor_.setClass(c);
    showClass();
    RenameAccount[editor_.selectedRow()]->setFocus(Qt::OtherFocusReason);
}

void ConfigAccounts::Dsh_Click() {
    leaveTypedNumber();
    if (helpMode().isOn()) showHelp(dashHelp());
    editor_.setSubAccountDash(Dsh->isChecked());
    fitNumberColumn();
    ScrollAcc_Change();
}

void ConfigAccounts::HelpSelect_Click() {
    // The tick is this window's own: help mode ended elsewhere leaves it
    // ticked until the item is chosen again. The help window follows the mode.
    helpTicked_ = !helpTicked_;
    HelpSelect->setChecked(helpTicked_);
    if (!helpTicked_) {
        helpMode().end();
        return;
    }
    helpMode().start();
    showHelp(chartHelp());
}

// ---------------------------------------------------------------- commands

// Each command first leaves a number box being typed in: it acts on the table
// with that number in it.

void ConfigAccounts::Insert_Account_Click() {
    leaveTypedNumber();
    if (editor_.insert()) showTable();
}

void ConfigAccounts::Delete_Account_Click() {
    leaveTypedNumber();
    if (editor_.remove()) showTable();
}

void ConfigAccounts::GChatA_Click() {
    leaveTypedNumber();
    editor_.standardChart();
    showTable();
}

void ConfigAccounts::Copy_All_Click() {
    leaveTypedNumber();
    const Book& book = editor_.book();
    services().clipboard->setTextAndRtf(chartCopyText(book, run_.DecimalSeparator),
                                        chartCopyRtf(book, run_.DecimalSeparator));
}

void ConfigAccounts::PrintAccounts_Click() {
    leaveTypedNumber();
    const Book& book = editor_.book();
    printThroughSetup(printSetupOf(hooks_.printSetup, printSetup_, this, run_), this, run_,
                      printJobName("Chart of Accounts", book.BusinessName.str()),
                      [&](DrawingSurface& s, double) {
                          printChart(s, book, run_.DecimalSeparator, run_.PrintScale);
                      });
}

// ---------------------------------------------------------------- closing

void ConfigAccounts::closeWithoutCheck() {
    closeUnchecked_ = true;
    close();
}

void ConfigAccounts::closeEvent(QCloseEvent* event) {
    if (closeUnchecked_) {
        event->accept();
        return;
    }
    leaveTypedNumber();
    if (hooks_.closeAccountWindows) hooks_.closeAccountWindows();
    if (editor_.checkOnClose()) {
        event->ignore();
        showTable(); // the faulty account drawn red
        return;
    }
    if (hooks_.refillAccountBoxes) hooks_.refillAccountBoxes();
    if (hooks_.showJournalLine) hooks_.showJournalLine(0);
    event->accept();
}
