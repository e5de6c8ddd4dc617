#include "ledgers/qt/Report.h"

#include "book/tmain.h"
#include "ledgers/ledger_printouts.h"
#include "ledgers/qt/ledger_choices.h"
#include "ledgers/qt/ledger_file_menu.h"
#include "ledgers/qt/ledger_window_support.h"
#include "ledgers/screen_columns.h"
#include "platform/qt/painter_surface.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

#include <cmath>

namespace {

constexpr int RowHeight = 14; // the rows' designed pitch
constexpr int FirstRowTop = 35;
constexpr double RowPoints = 8;

// The T's columns, left to right, from x 6; the stem's column holds the
// stem 3 pixels in. At the smallest width (inner width 792) they sit at the
// design places: debit dates from 6, texts from 76, amounts ending at 377,
// the stem at 380, credit dates from 387, texts from 460, amounts ending at
// 761; a wider window gives each text column half the extra width.
enum TColumn { DebitDate, DebitText, DebitAmount, Stem, CreditDate, CreditText, CreditAmount };
constexpr double TableLeft = 6;
constexpr double StemInset = 3;
constexpr double RuleOverhang = 4; // the rules run on past the last column

// Fonts of the rows and of the totals.
SurfaceFont rowFont(const std::string& name, bool bold = false) {
    return {name, RowPoints, bold};
}

// A text's top that centres it in a band `height` high from `top`.
double centredTop(DrawingSurface& s, double top, double height) {
    return top + (height - s.TextHeight("W") / TwipsPerScreenPixel) / 2;
}

} // namespace

void Report::measureColumns() {
    const TAccountWidest widest = tAccountWidest(*host_.book, ledger_, currentLocale());
    const std::string font = ledgerFontName(*host_.book);
    measureOnScreen([&](DrawingSurface& s) {
        s.setFont(rowFont(font));
        measured_.rowHeight = static_cast<int>(rowPitch(s, RowHeight));
        measured_.date = widestPixels(s, widest.dates);
        // Amounts as the balance rows show them, in bold.
        s.setFont(rowFont(font, true));
        measured_.debitAmount = widestPixels(s, widest.debitAmounts);
        measured_.creditAmount = widestPixels(s, widest.creditAmounts);
        measured_.debitTotal =
            widestPixels(s, {ledger_.DebitTotalText, ledger_.DebitBroughtDownText});
        measured_.creditTotal =
            widestPixels(s, {ledger_.CreditTotalText, ledger_.CreditBroughtDownText});
    });
}

void Report::placeColumns() {
    const double extra = std::max(Canvas->width() - 792, 0) / 2.0;
    columns_ = designedColumns({70, 191 + extra, 110, 10, 73, 191 + extra, 110});
    columns_[DebitDate].need = measured_.date + 5;
    columns_[CreditDate].need = measured_.date + 8;
    columns_[DebitAmount].need = measured_.debitAmount + 6;
    columns_[CreditAmount].need = measured_.creditAmount + 6;
    // A text column gives way down to what keeps its half's totals, which
    // end where its amounts end, clear of the half's left edge.
    auto textColumn = [&](TColumn text, TColumn date, TColumn amount, double totals) {
        TableColumn& c = columns_[text];
        c.name = true;
        const double figures = std::max(columns_[date].design, columns_[date].need) +
                               std::max(columns_[amount].design, columns_[amount].need);
        c.least = std::max(60.0, totals + 8 - figures);
    };
    textColumn(DebitText, DebitDate, DebitAmount, measured_.debitTotal);
    textColumn(CreditText, CreditDate, CreditAmount, measured_.creditTotal);
    placeTableColumns(columns_, TableLeft);
}

void Report::drawView(DrawingSurface& s) {
    if (columns_.empty()) placeColumns();
    const double x0 = -tableScrolled(*HScroll);
    auto col = [&](TColumn c) -> const TableColumn& { return columns_[c]; };
    const double h = Canvas->height();
    const double ruleEnd = x0 + col(CreditAmount).right() + RuleOverhang;
    const double stem = x0 + col(Stem).left + StemInset;
    s.ForeColor = 0;
    lineAt(s, x0 + 5, 31, ruleEnd, 31); // Line2
    lineAt(s, stem, 31, stem, h - 30);  // Line1
    const int pitch = measured_.rowHeight;
    const double line3 = FirstRowTop + pitch * (PageRows + 1) + 4; // Line3, below the last row
    lineAt(s, x0 + 3, line3, ruleEnd, line3);
    const std::string font = ledgerFontName(*host_.book);
    const int count = static_cast<int>(page_.size());
    for (int i = 0; i < count && i <= PageRows; ++i) {
        const TAccountPageRow& row = page_[static_cast<std::size_t>(i)];
        const double top = FirstRowTop + pitch * i;
        auto half = [&](const TAccountCell& c, bool credit) {
            bool isBold = c.bold;
            if (markedRow >= 0) isBold = markedRow == i && markedCredit == credit;
            const TableColumn& date = col(credit ? CreditDate : DebitDate);
            const TableColumn& text = col(credit ? CreditText : DebitText);
            const TableColumn& amount = col(credit ? CreditAmount : DebitAmount);
            s.setFont(rowFont(font, isBold && markedRow >= 0));
            const double y = centredTop(s, top, pitch);
            textAt(s, x0 + date.left, y, c.date);
            s.setFont(rowFont(font, isBold));
            nameAt(s, x0 + text.left, y, text.width - 6, c.text);
            textEndingAt(s, x0 + amount.right(), y, c.amount);
        };
        half(row.debit, false);
        half(row.credit, true);
    }
    // The totals and the balance brought down, ending where the amounts end.
    s.setFont(rowFont(font, true));
    const double debitEnd = x0 + col(DebitAmount).right() - 1;
    const double creditEnd = x0 + col(CreditAmount).right();
    const double totals = centredTop(s, line3 + 4, pitch + 2);
    const double broughtDown = centredTop(s, line3 + 6 + pitch, pitch + 2);
    textEndingAt(s, debitEnd, totals, ledger_.DebitTotalText);
    textEndingAt(s, creditEnd, totals, ledger_.CreditTotalText);
    textEndingAt(s, debitEnd, broughtDown, ledger_.DebitBroughtDownText);
    textEndingAt(s, creditEnd, broughtDown, ledger_.CreditBroughtDownText);
    const double bar = drawDetailBar(s, *Canvas, font, RowPoints, detailBar);
    lineAt(s, 0, bar, Canvas->width(), bar, fromQColor(Canvas->palette().color(QPalette::Dark)));
}

int Report::rowAt(QPointF at, bool& credit) const {
    const double stem = columns_.empty() ? 380 : columns_[Stem].left + StemInset;
    credit = at.x() >= stem - tableScrolled(*HScroll);
    if (at.y() < FirstRowTop) return -1;
    const int i = static_cast<int>((at.y() - FirstRowTop) / measured_.rowHeight);
    return i <= PageRows ? i : -1;
}

void Report::canvasMoved(QPointF at) {
    bool credit = false;
    const int i = rowAt(at, credit);
    if (i < 0) {
        detailBar.clear();
        Canvas->update();
        return;
    }
    credit ? CreditR_MouseMove(i) : DebitR_MouseMove(i);
}

void Report::canvasPressed(QPointF at) {
    bool credit = false;
    const int i = rowAt(at, credit);
    if (i >= 0) credit ? CreditR_Click(i) : DebitR_Click(i);
}

Report::Report(LedgerHost host, QWidget* parent) : QMainWindow(parent), host_(std::move(host)) {
    setWindowFlag(Qt::Window);
    Form_Load();
}

Report::~Report() = default;

void Report::Form_Load() {
    const Book& book = *host_.book;
    setWindowTitle(QString::fromStdString(strings::text(130)));
    QMenu* file = addLedgerMenu(*this, 110);
    Print_Account = addLedgerCommand(file, 157, [this] { Print_Account_Click(); });
    QMenu* accounts = addLedgerMenu(*this, 156);
    Subsee = addLedgerCommand(accounts, 178, [this] { tReportAcc_Click(); });
    Subsee->setCheckable(true);
    SortE = addLedgerCommand(accounts, 179, [this] { SortE_Click(); });
    SeenRevision = host_.run->JournalRevision;

    Canvas = addLedgerCanvas(
        *this, nullptr, [this](DrawingSurface& s) { drawView(s); },
        [this](QPointF at) { canvasPressed(at); }, [this](QPointF at) { canvasMoved(at); });
    choices_ =
        new LedgerChoices(host_, Canvas, LedgerStripPlaces, TypeAheadStart::AfterTwoCharacters);
    choices_->share(DateSearch, tReportAcc, FolioChoiceTx);
    choices_->keepInStrip(choices_->PNPage[0], {597, 4});
    choices_->keepInStrip(choices_->PNPage[1], {626, 4});
    Vs = new TuvoVerticalScroll(Canvas);
    connect(Vs, &ScrollBarWidget::Change, this, [this] { VS_Change(); });
    HScroll = new RealhScroll(Canvas);
    HScroll->hide();
    connect(HScroll, &ScrollBarWidget::Change, Canvas, [this] { Canvas->update(); });
    choices_->build = [this] { tReportAcc_Click(); };
    choices_->builtAccount = [this] { return ledger_.LedgerAccount; };
    choices_->pagePressed = [this](int i) { PNPag_Grey_MouseDown(i); };
    choices_->navigationKey = [this](KeyArgs& k) { stepOnArrowKey(k, *Vs); };
    choices_->dateClicked = [this](int) { choices_->buildIfDayPicked(); };
    choices_->fillAccounts();
    choices_->setJournalPeriod();
    ledger_.Decimals = Book::clampDecimals(book.DecimalsLedger);
    measureColumns();
    // Never smaller than 12120 x 3600 twips, and never narrower than its strip.
    choices_->holdWindowAtLeast({808, 240});
    resize(808, 480);
    layout()->activate(); // the rows fit the window before it is first shown
    Form_Resize();
}

void Report::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Report::Form_Resize() {
    if (isMinimized() || !Canvas) return;
    const int innerW = Canvas->width();
    const int innerH = Canvas->height();
    const int extra = innerW > 792 ? innerW - 792 : 0;
    choices_->stretchAccountBox(extra);
    const int vsLeft = innerW - 24;
    Vs->setGeometry(vsLeft, 31, 21, std::max(innerH - 110, 20));
    // The columns, and a scroll bar to reach those past the rules' end,
    // above the detail bar.
    placeColumns();
    const int ruleEnd = vsLeft - 3;
    const bool scrolls = fitTableScroll(
        *HScroll, columns_.back().right() + RuleOverhang, ruleEnd,
        QRect(3, innerH - DetailBarHeight - TableScrollHeight, ruleEnd - 3, TableScrollHeight));
    const int rowsHeight = innerH - (scrolls ? TableScrollHeight : 0);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenH = screen ? screen->geometry().height() : 1080;
    // Besides the rows: the heading, and the totals' two bands.
    const double pitch = measured_.rowHeight;
    const double besides = 110 + 2 * (pitch - RowHeight);
    const int maxRows = static_cast<int>(std::nearbyint((screenH - besides) / pitch));
    const int visible = static_cast<int>(std::nearbyint((rowsHeight - besides) / pitch));
    PageRows = std::clamp(visible - 1, 0, maxRows);
    setScrollRange();
    Vs->Refresh();
    VS_Change();
}

void Report::setScrollRange() {
    // The range always follows the rows of the last build.
    Vs->setValueMax(tAccountScrollMax(ledger_.LedgerRows, PageRows));
    Vs->setValueLargeChange(std::max(PageRows - 1, 1));
    Vs->setVisible(ledger_.LedgerRows >= PageRows);
}

bool Report::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QMainWindow::event(e);
}

void Report::Form_Activate() {
    if (host_.run->JournalRevision == SeenRevision) return;
    SeenRevision = host_.run->JournalRevision;
    tReportAcc_Click();
}

void Report::tReportAcc_Click() {
    tReportAcc_Click(Tmain::AccountNumberByName(*host_.book, choices_->accountText()));
}

void Report::setEndDay(double day) {
    choices_->setToDay(day);
}

void Report::tReportAcc_Click(Currency account) {
    BuildGuard guard(this, building_, *host_.run);
    if (guard.refused()) return;
    const Book& book = *host_.book;
    TAccountOptions options;
    static_cast<LedgerChoice&>(options) = choices_->choice(ReconcileMode);
    options.account = account;
    options.unmasked = Subsee->isChecked();
    ledger_ = buildTAccount(book, options);
    ++builds_;
    measureColumns();
    Form_Resize();
    choices_->showBuilt(ledger_.FromDate, ledger_.ToDate, ledger_.Folio, ledger_.Message);
    setScrollRange();
    Vs->setValue(0); // draws the first page
}

void Report::VS_Change() {
    markedRow = -1;
    page_ = tAccountPage(*host_.book, ledger_, Vs->Value(), PageRows, currentLocale());
    Canvas->update();
}

void Report::SortE_Click() {
    sortByDate(ledger_);
    Vs->setValue(0);
}

void Report::Subsee_Click() {
    Subsee->trigger();
}

void Report::PNPag_Grey_MouseDown(int index) {
    Vs->setValue(Vs->Value() + (index == 0 ? -PageRows : PageRows));
}

void Report::DebitR_Click(int index) {
    rowClick(index, false);
}

void Report::CreditR_Click(int index) {
    rowClick(index, true);
}

const TAccountCell* Report::cellAt(int index, bool credit) const {
    if (index < 0 || index > PageRows || index >= static_cast<int>(page_.size())) return nullptr;
    const TAccountPageRow& row = page_[static_cast<std::size_t>(index)];
    return credit ? &row.credit : &row.debit;
}

void Report::rowClick(int index, bool credit) {
    const TAccountCell* cell = cellAt(index, credit);
    // Rows that carry no journal line (b/f, c/d, empty) go nowhere.
    if (!cell || cell->line < 0) return;
    // Built before the journal changed, the rows' lines may be other
    // entries' now: the list is built again instead.
    if (choices_->listOutdated()) {
        Form_Activate();
        return;
    }
    const std::int32_t line = cell->line;
    if (line > host_.book->LastEntryLine()) return;
    markedRow = index;
    markedCredit = credit;
    Canvas->update();
    if (host_.showJournalLine) host_.showJournalLine(line);
}

void Report::DebitR_MouseMove(int index) {
    rowHover(index, false);
}

void Report::CreditR_MouseMove(int index) {
    rowHover(index, true);
}

void Report::rowHover(int index, bool credit) {
    const TAccountCell* cell = choices_->listOutdated() ? nullptr : cellAt(index, credit);
    if (!cell || cell->line < 0) {
        detailBar.clear();
    } else if (auto text = entryDetailText(*host_.book, cell->line)) {
        detailBar = *text;
    } // a row whose entry shows no note keeps the bar as it was
    Canvas->update();
}

void Report::Print_Account_Click() {
    choices_->applyTypedDate();
    if (ledgerNotMade(ledger_.Refused, ledger_.Message)) return;
    const Book& book = *host_.book;
    const LocaleInfo locale = currentLocale();
    const LedgerHeading heading = choices_->builtHeading(ledger_);
    printLedger(host_, "T-Accounts Ledger", [&](DrawingSurface& s, double zoom) {
        printTAccount(s, book, ledger_, heading, locale, zoom);
    });
}
