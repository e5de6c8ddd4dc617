#include "ledgers/qt/Running_Balance.h"

#include "book/tmain.h"
#include "ledgers/ledger_exports.h"
#include "ledgers/ledger_printouts.h"
#include "ledgers/qt/ledger_choices.h"
#include "ledgers/qt/ledger_file_menu.h"
#include "ledgers/qt/ledger_window_support.h"
#include "ledgers/screen_columns.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include <cmath>

namespace {

constexpr int SlotHeight = 20; // the rows' designed pitch; a taller font's rows are further apart
constexpr int FirstSlotTop = 60;

constexpr double RowPoints = 9;
constexpr double ListLeft = 2;
// The scroll bar's strip at the right of the list.
constexpr int ScrollStrip = 25;

enum RbColumn { DateColumn, NoColumn, AccountColumn, DebitColumn, CreditColumn, BalanceColumn };
constexpr int Headings[6] = {175, 174, 176, 162, 163, 155};
// Each column's text ends this far inside its right edge (the account's
// name starts 4 inside its left edge).
constexpr double RightInsets[6] = {2, 2, 2, 2, 4, 4};
// What a figure keeps clear of the column left of it.
constexpr double LeftPad = 4;

// Column widths for a list W wide: each column ends at the running sum of
// the shares times W (the last exactly at W), the first starting at ListLeft.
std::array<double, 6> designWidths(double W) {
    static constexpr std::array<double, 6> shares{0.09, 0.12, 0.41, 0.12, 0.12, 0.14};
    std::array<double, 6> widths{};
    double sum = 0, edge = ListLeft;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        sum += shares[i];
        const double next = i + 1 < shares.size() ? W * sum : W;
        widths[i] = next - edge;
        edge = next;
    }
    return widths;
}

// The highest slot index a list area of height H holds, slots `pitch` apart.
int highestSlot(int H, double pitch) {
    const double v = std::max(std::nearbyint(H - 57.0), 20.0) - 26;
    return std::max(static_cast<int>(std::nearbyint(v / pitch)), 0); // halves to even
}

QIcon drawnIcon(const std::function<void(QPainter&)>& draw) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pm);
}

} // namespace

Running_Balance::Running_Balance(LedgerHost host, QWidget* parent)
    : QMainWindow(parent), host_(std::move(host)) {
    setWindowTitle(QString::fromStdString(strings::text(131)));
    QMenu* file = addLedgerMenu(*this, 110);
    PrintAccount = addLedgerCommand(file, 157, [this] { PrintAccount_Click(); });
    ExportAccount = addLedgerCommand(file, 159, [this] { ExportAccount_Click(); });

    Canvas = addLedgerCanvas(
        *this, &host_, [this](DrawingSurface& s) { drawView(s); },
        [this](QPointF at) { Form_MouseDown(at); }, [this](QPointF at) { Form_MouseMove(at); });
    choices_ =
        new LedgerChoices(host_, Canvas, LedgerStripPlaces, TypeAheadStart::AfterTwoCharacters);
    choices_->share(DateSearch, tReportAcc, FolioChoiceTx);
    Command1 = new QToolButton(Canvas);
    Command1->setCheckable(true);
    Command1->resize(26, 26);
    choices_->keepInStrip(Command1, {598, 3});
    Command1->setIcon(drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 128), 2));
        p.drawLine(8, 4, 8, 20);
        p.drawLine(4, 8, 8, 4);
        p.drawLine(12, 8, 8, 4);
        p.drawLine(16, 4, 16, 20);
        p.drawLine(12, 16, 16, 20);
        p.drawLine(20, 16, 16, 20);
    }));
    connect(Command1, &QToolButton::released, this, [this] { Command1_MouseUp(); });
    choices_->keepInStrip(choices_->PNPage[0], {630, 4});
    choices_->keepInStrip(choices_->PNPage[1], {657, 4});
    for (int i = 0; i < 2; ++i) {
        auto* b = new QToolButton(Canvas);
        b->resize(26, 26);
        choices_->keepInStrip(b, {692 + 30 * i, 3});
        b->setIcon(drawnIcon([i](QPainter& p) {
            p.setPen(QPen(Qt::black, 1.5));
            if (i == 0) {
                p.drawRect(5, 9, 14, 8);
                p.drawRect(8, 4, 8, 5);
                p.drawRect(8, 15, 8, 5);
            } else {
                p.drawRect(3, 6, 18, 12);
                p.drawLine(3, 6, 12, 13);
                p.drawLine(21, 6, 12, 13);
            }
        }));
        mButton[static_cast<std::size_t>(i)] = b;
    }
    mButton[0]->setToolTip(QString::fromStdString(strings::text(157)));
    connect(mButton[0], &QToolButton::clicked, this, [this] { PrintAccount_Click(); });
    connect(mButton[1], &QToolButton::clicked, this, [this] { mailClicked(); });
    VScroll1 = new TuvoVerticalScroll(Canvas);
    connect(VScroll1, &ScrollBarWidget::Change, this, [this] { VScroll1_Change(); });
    HScroll = new RealhScroll(Canvas);
    HScroll->hide();
    connect(HScroll, &ScrollBarWidget::Change, Canvas, [this] { Canvas->update(); });

    choices_->build = [this] { tReportAcc_Click(); };
    choices_->builtAccount = [this] { return ledger_.LedgerAccount; };
    choices_->pagePressed = [this](int i) { PNPag_Grey_MouseDown(i); };
    choices_->navigationKey = [this](KeyArgs& k) { stepOnArrowKey(k, *VScroll1); };
    choices_->dateClicked = [this](int) {
        if (choices_->buildIfDayPicked()) activateWindow();
    };
    measureColumns();
    choices_->holdWindowAtLeast({760, 240});
    resize(820, 500);
    layout()->activate(); // the rows fit the window before it is first shown
    Form_Load();
}

Running_Balance::~Running_Balance() = default;

void Running_Balance::Form_Load() {
    choices_->fillAccounts();
    choices_->setJournalPeriod();
    Form_Resize();
}

void Running_Balance::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Running_Balance::Form_Resize() {
    if (isMinimized() || !Canvas) return;
    const int sw = Canvas->width();
    const int sh = Canvas->height();
    VScroll1->setGeometry(sw - 22, 32, 21, std::max(sh - 67, 20));
    placeColumns();
    VScroll1->setValueMax(
        runningBalanceScrollMax(static_cast<int>(ledger_.Rows.size()), VisibleRows));
    VScroll1_Change();
    VScroll1->Refresh();
}

void Running_Balance::tReportAcc_Click() {
    tReportAcc_Click(Tmain::AccountNumberByName(*host_.book, choices_->accountText()));
}

void Running_Balance::setEndDay(double day) {
    choices_->setToDay(day);
}

void Running_Balance::tReportAcc_Click(Currency account) {
    BuildGuard guard(this, building_, *host_.run);
    if (guard.refused()) return;
    Command1->setChecked(false);
    MarkedRow = -1;
    const Book& book = *host_.book;
    LedgerChoice choice = choices_->choice(ReconcileMode);
    choice.account = account;
    ledger_ = buildRunningBalance(book, choice);
    measureColumns();
    placeColumns();
    choices_->showBuilt(ledger_.FromDate, ledger_.ToDate, ledger_.Folio, ledger_.Message);
    // The range always follows the rows of this build.
    VScroll1->setValueMax(
        runningBalanceScrollMax(static_cast<int>(ledger_.Rows.size()), VisibleRows));
    VScroll1->setValue(0); // paints from the first row
    VScroll1->Refresh();
}

void Running_Balance::VScroll1_Change() {
    MarkedRow = -1;
    VisibleRows = highestSlot(rowsHeight(), slotPitch_);
    page_ = runningBalancePage(*host_.book, ledger_, VScroll1->Value(), VisibleRows + 1,
                               currentLocale());
    Canvas->update();
}

int Running_Balance::rowsHeight() const {
    return Canvas->height() - (HScroll->isHidden() ? 0 : TableScrollHeight);
}

void Running_Balance::measureColumns() {
    const RunningBalanceWidest widest = runningBalanceWidest(*host_.book, ledger_, currentLocale());
    const std::vector<std::string>* figures[6] = {&widest.dates,   &widest.references,
                                                  nullptr,         &widest.debits,
                                                  &widest.credits, &widest.balances};
    const std::string font = ledgerFontName(*host_.book);
    measureOnScreen([&](DrawingSurface& s) {
        s.setFont({font, RowPoints});
        slotPitch_ = rowPitch(s, SlotHeight);
        for (std::size_t c = 0; c < 6; ++c) {
            s.setFont({font, RowPoints, true});
            measured_[c].heading = pixelWidth(s, strings::text(Headings[c]));
            // A row clicked on is drawn bold.
            measured_[c].figure = figures[c] ? widestPixels(s, *figures[c]) : 0;
        }
    });
}

void Running_Balance::placeColumns() {
    const int W = Canvas->width() - ScrollStrip;
    const std::array<double, 6> designs = designWidths(W);
    columns_.assign(6, TableColumn{});
    for (std::size_t c = 0; c < 6; ++c) {
        TableColumn& col = columns_[c];
        col.design = designs[c];
        col.need = std::max(measured_[c].figure + RightInsets[c] + LeftPad,
                            measured_[c].heading + LeftPad);
    }
    columns_[AccountColumn].name = true;
    columns_[AccountColumn].least = std::max(measured_[AccountColumn].heading + 8, 60.0);
    const double right = placeTableColumns(columns_, ListLeft);
    const int H = Canvas->height();
    fitTableScroll(*HScroll, right, W,
                   QRect(ListLeft, H - 23 - TableScrollHeight, W - ListLeft, TableScrollHeight));
    VisibleRows = highestSlot(rowsHeight(), slotPitch_);
}

void Running_Balance::drawView(DrawingSurface& s) {
    if (columns_.empty()) placeColumns();
    const double x0 = -tableScrolled(*HScroll);
    const double H = Canvas->height();
    const double right = x0 + columns_.back().right();
    const std::string font = ledgerFontName(*host_.book);
    s.ForeColor = 0;
    s.setFont({font, RowPoints, true});
    for (std::size_t c = 0; c < 6; ++c) {
        const TableColumn& col = columns_[c];
        ruledBoxAt(s, x0 + col.left, 32, x0 + col.right(), 55, rgbColor(0xFF, 0xFF, 0xC0));
        const std::string heading = strings::text(Headings[c]);
        const double top = 32 + (23 - s.TextHeight("W") / TwipsPerScreenPixel) / 2;
        textAt(s, x0 + col.left + (col.width - pixelWidth(s, heading)) / 2, top, heading);
    }
    ruledBoxAt(s, x0 + ListLeft, 55, right, H - 23, rgbColor(0xFF, 0xFF, 0xFF));
    for (std::size_t c = 0; c + 1 < 6; ++c)
        lineAt(s, x0 + columns_[c].right(), 32, x0 + columns_[c].right(), H - 1);
    for (int k = 1; k <= VisibleRows; ++k) // 3 pixels above each slot but the first
        lineAt(s, x0 + ListLeft, FirstSlotTop + slotPitch_ * k - 3, right,
               FirstSlotTop + slotPitch_ * k - 3);
    const int count = static_cast<int>(page_.size());
    for (int k = 0; k < count; ++k) {
        const RunningBalanceCells& c = page_[static_cast<std::size_t>(k)];
        s.setFont({font, RowPoints, k == MarkedRow});
        const double y = FirstSlotTop + slotPitch_ * k;
        auto figure = [&](RbColumn column, const std::string& text) {
            textEndingAt(s, x0 + columns_[column].right() - RightInsets[column], y, text);
        };
        figure(DateColumn, c.date);
        figure(NoColumn, c.reference);
        const TableColumn& account = columns_[AccountColumn];
        nameAt(s, x0 + account.left + 4, y, account.width - 4 - RightInsets[AccountColumn],
               c.account);
        figure(DebitColumn, c.debit);
        figure(CreditColumn, c.credit);
        figure(BalanceColumn, c.balance);
    }
    drawDetailBar(s, *Canvas, font, RowPoints, detailBar);
}

void Running_Balance::Command1_MouseUp() {
    tReportAcc->setFocus();
    reverseRows(ledger_);
    VScroll1_Change();
}

void Running_Balance::PNPag_Grey_MouseDown(int index) {
    VScroll1->setValue(VScroll1->Value() + (index == 0 ? -VisibleRows : VisibleRows));
}

int Running_Balance::slotAt(QPointF at) const {
    if (at.x() >= Canvas->width() - 20 || at.y() < FirstSlotTop) return -1;
    const int k = static_cast<int>((at.y() - FirstSlotTop) / slotPitch_);
    return k < static_cast<int>(page_.size()) && k <= VisibleRows ? k : -1;
}

void Running_Balance::Form_MouseMove(QPointF at) {
    for (PageButton* b : choices_->PNPage)
        b->update();
    // Neither the opening row nor a list built before the journal changed
    // shows an entry's note.
    const int k = choices_->listOutdated() ? -1 : slotAt(at);
    const RunningBalanceCells* row = k < 0 ? nullptr : &page_[static_cast<std::size_t>(k)];
    const auto text = !row || row->opening ? std::nullopt : entryDetailText(*host_.book, row->line);
    detailBar = text.value_or("");
    Canvas->update();
}

void Running_Balance::Form_MouseDown(QPointF at) {
    const int k = slotAt(at);
    if (k < 0) return;
    const RunningBalanceCells& row = page_[static_cast<std::size_t>(k)];
    // The opening row carries no journal line of its own.
    if (row.opening) return;
    // Built before the journal changed, the rows' lines may be other
    // entries' now: the list is built again instead.
    if (choices_->listOutdated()) {
        tReportAcc_Click();
        return;
    }
    MarkedRow = k;
    Canvas->update();
    if (host_.showJournalLine) host_.showJournalLine(row.line);
}

void Running_Balance::PrintAccount_Click() {
    choices_->applyTypedDate();
    if (ledgerNotMade(ledger_.Refused, ledger_.Message)) return;
    const Book& book = *host_.book;
    const LocaleInfo locale = currentLocale();
    const LedgerHeading heading = choices_->builtHeading(ledger_);
    printLedger(host_, "Running Balance Ledger", [&](DrawingSurface& s, double zoom) {
        printRunningBalance(s, book, ledger_, heading, locale, zoom, host_.printHeader);
    });
}

void Running_Balance::ExportAccount_Click() {
    choices_->applyTypedDate();
    if (ledgerNotMade(ledger_.Refused, ledger_.Message)) return;
    exportLedger(this, fileDialog_, *host_.run, {"*.csv", "*.xls", "*.htm"},
                 [this](const std::filesystem::path& path, const std::string& type) {
                     exportRunningBalance(*host_.book, ledger_, choices_->builtHeading(ledger_),
                                          path, type, currentLocale(), todayNumber());
                 });
}

void Running_Balance::mailClicked() {
    choices_->applyTypedDate();
    if (ledgerNotMade(ledger_.Refused, ledger_.Message)) return;
    mailRunningBalance(*host_.book, ledger_, choices_->builtHeading(ledger_), currentLocale(),
                       todayNumber(), host_.mainCaption ? host_.mainCaption() : std::string());
}
