#include "ledgers/qt/Report.h"

#include "book/tmain.h"
#include "ledgers/ledger_printouts.h"
#include "ledgers/qt/ledger_choices.h"
#include "ledgers/qt/ledger_file_menu.h"
#include "ledgers/qt/ledger_window_support.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace {

constexpr int RowHeight = 14;
constexpr int FirstRowTop = 35;

// Geometry of the T for an inner width (design pixels, Form_Resize).
struct TGeometry {
    int w = 0; // inner width - 792, rounded
    int stem() const { return w / 2 + 380; }
    int textWidth() const { return w / 2 + 185; }
    int debitAmountLeft() const { return w / 2 + 267; }
    int creditDateLeft() const { return w / 2 + 387; }
    int creditTextLeft() const { return creditDateLeft() + 65 + 8; }
    int creditAmountLeft() const { return w + 651; }
    int ruleEnd() const { return w + 765; }
};

TGeometry geometryFor(int innerWidth) {
    return {static_cast<int>(std::nearbyint(std::max(innerWidth - 792, 0)))};
}

} // namespace

// The drawn part of the window: the rules of the T, the label rows, the
// totals and the detail bar; the mouse over a row shows its entry's note and
// a click moves the main window to it.
class TAccountCanvas : public QWidget {
  public:
    explicit TAccountCanvas(Report& r) : QWidget(&r), r_(r) { setMouseTracking(true); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const TGeometry g = geometryFor(width());
        const int h = height();
        p.setPen(Qt::black);
        p.drawLine(5, 31, g.ruleEnd(), 31);                           // Line2
        p.drawLine(g.stem(), 31, g.stem(), h - 30);                   // Line1
        const int line3 = FirstRowTop + RowHeight * r_.PageRows + 18; // Line3
        p.drawLine(3, line3, g.ruleEnd(), line3);
        const QFont regular = ledgerFont(*r_.host_.book, 8);
        QFont bold = regular;
        bold.setBold(true);
        const int count = static_cast<int>(r_.page_.size());
        for (int i = 0; i < count && i <= r_.PageRows; ++i) {
            const TAccountPageRow& row = r_.page_[static_cast<std::size_t>(i)];
            const int top = FirstRowTop + RowHeight * i;
            auto half = [&](const TAccountCell& c, bool credit) {
                bool isBold = c.bold;
                if (r_.markedRow >= 0) isBold = r_.markedRow == i && r_.markedCredit == credit;
                const int dateLeft = credit ? g.creditDateLeft() : 6;
                const int textLeft = credit ? g.creditTextLeft() : 76;
                const int amountLeft = credit ? g.creditAmountLeft() : g.debitAmountLeft();
                p.setFont(isBold && r_.markedRow >= 0 ? bold : regular);
                p.drawText(QRect(dateLeft, top, 65, RowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                           QString::fromStdString(c.date));
                p.setFont(isBold ? bold : regular);
                p.drawText(QRect(textLeft, top, g.textWidth(), RowHeight),
                           Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(c.text));
                p.drawText(QRect(amountLeft, top, 110, RowHeight),
                           Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(c.amount));
            };
            half(row.debit, false);
            half(row.credit, true);
        }
        // The totals and the balance brought down.
        p.setFont(bold);
        const TAccountLedger& l = r_.ledger_;
        const int debitLeft = g.stem() - 304;
        const int creditLeft = width() - (21 + 310);
        auto total = [&](int left, int y, const std::string& text) {
            p.drawText(QRect(left, y, 300, RowHeight + 2), Qt::AlignRight | Qt::AlignVCenter,
                       QString::fromStdString(text));
        };
        total(debitLeft, line3 + 4, l.DebitTotalText);
        total(creditLeft, line3 + 4, l.CreditTotalText);
        total(debitLeft, line3 + 20, l.DebitBroughtDownText);
        total(creditLeft, line3 + 20, l.CreditBroughtDownText);
        // The detail bar.
        const QRect bar = drawDetailBar(p, *this, regular, r_.detailBar);
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(bar.topLeft(), bar.topRight());
    }

    // The label row and half under a point, or -1.
    int rowAt(QPointF at, bool& credit) const {
        credit = at.x() >= geometryFor(width()).stem();
        if (at.y() < FirstRowTop) return -1;
        const int i = static_cast<int>((at.y() - FirstRowTop) / RowHeight);
        return i <= r_.PageRows ? i : -1;
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        bool credit = false;
        const int i = rowAt(e->position(), credit);
        if (i < 0) {
            r_.detailBar.clear();
            update();
            return;
        }
        credit ? r_.CreditR_MouseMove(i) : r_.DebitR_MouseMove(i);
    }

    void mousePressEvent(QMouseEvent* e) override {
        bool credit = false;
        const int i = rowAt(e->position(), credit);
        if (i >= 0) credit ? r_.CreditR_Click(i) : r_.DebitR_Click(i);
    }

  private:
    Report& r_;
};

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

    canvas_ = new TAccountCanvas(*this);
    setCentralWidget(canvas_);
    choices_ =
        new LedgerChoices(host_, canvas_, LedgerStripPlaces, TypeAheadStart::AfterTwoCharacters);
    choices_->share(DateSearch, tReportAcc, FolioChoiceTx);
    Vs = new TuvoVerticalScroll(canvas_);
    connect(Vs, &ScrollBarWidget::Change, this, [this] { VS_Change(); });
    choices_->build = [this] { tReportAcc_Click(); };
    choices_->builtAccount = [this] { return ledger_.LedgerAccount; };
    choices_->pagePressed = [this](int i) { PNPag_Grey_MouseDown(i); };
    choices_->navigationKey = [this](KeyArgs& k) { stepOnArrowKey(k, *Vs); };
    choices_->dateClicked = [this](int) { choices_->buildIfDayPicked(); };
    choices_->fillAccounts();
    choices_->setJournalPeriod();
    ledger_.Decimals = Book::clampDecimals(book.DecimalsLedger);
    // The smallest window is 12120 x 3600 twips.
    setMinimumSize(808, 240);
    resize(808, 480);
    layout()->activate(); // the rows fit the window before it is first shown
    Form_Resize();
}

void Report::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Report::Form_Resize() {
    if (isMinimized() || !canvas_) return;
    const int innerW = canvas_->width();
    const int innerH = canvas_->height();
    const int extra = innerW > 792 ? innerW - 792 : 0;
    choices_->stretchAccountBox(extra);
    choices_->PNPage[0]->move(extra + 597, 4);
    choices_->PNPage[1]->move(extra + 626, 4);
    const TGeometry g = geometryFor(innerW);
    Vs->setGeometry(g.w + 768, 31, 21, std::max(innerH - 110, 20));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenH = screen ? screen->geometry().height() : 1080;
    const int maxRows = static_cast<int>(std::nearbyint((screenH - 110) / double(RowHeight)));
    const int visible = static_cast<int>(std::nearbyint((innerH - 110) / double(RowHeight)));
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
    choices_->FromDate = ledger_.FromDate;
    choices_->ToDate = ledger_.ToDate;
    choices_->showBuilt(ledger_.Folio, ledger_.Message);
    setScrollRange();
    Vs->setValue(0); // draws the first page
}

void Report::VS_Change() {
    markedRow = -1;
    page_ = tAccountPage(*host_.book, ledger_, Vs->Value(), PageRows, currentLocale());
    canvas_->update();
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
    canvas_->update();
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
    canvas_->update();
}

void Report::Print_Account_Click() {
    const Book& book = *host_.book;
    const LocaleInfo locale = currentLocale();
    const LedgerHeading heading = choices_->builtHeading(ledger_);
    printLedger(host_, [&](DrawingSurface& s, double zoom) {
        printTAccount(s, book, ledger_, heading, locale, zoom);
    });
}
