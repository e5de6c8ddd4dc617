#include "ledgers/qt/Running_Balance.h"

#include "book/tmain.h"
#include "ledgers/ledger_exports.h"
#include "ledgers/ledger_printouts.h"
#include "ledgers/qt/ledger_choices.h"
#include "ledgers/qt/ledger_file_menu.h"
#include "ledgers/qt/ledger_window_support.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/CalanderForm.h"
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

constexpr int SlotHeight = 20;
constexpr int FirstSlotTop = 60;

// Column edges e1..e6 of the list for a drawing width W.
std::array<double, 6> columnEdges(double W) {
    static constexpr std::array<double, 6> shares{0.09, 0.12, 0.41, 0.12, 0.12, 0.14};
    std::array<double, 6> e{};
    double sum = 0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        sum += shares[i];
        e[i] = W * sum;
    }
    e[5] = W;
    return e;
}

// The highest slot index a list area of height H holds.
int highestSlot(int H) {
    const double v = std::max(std::nearbyint(H - 57.0), 20.0) - 26;
    return std::max(static_cast<int>(std::nearbyint(v / SlotHeight)), 0); // halves to even
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

// The list area: heading boxes, the ruled body, the rows of the page and the
// detail bar; the mouse shows an entry's note and a click goes to it.
class RunningBalanceCanvas : public QWidget {
  public:
    explicit RunningBalanceCanvas(Running_Balance& r) : QWidget(&r), r_(r) {
        setMouseTracking(true);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawToolbarBackdrop(p, r_.host_);
        const double W = width() - 25;
        const int H = height();
        const auto e = columnEdges(W);
        QFont regular = ledgerFont(*r_.host_.book, 9);
        QFont bold = regular;
        bold.setBold(true);
        p.setPen(Qt::black);
        p.setFont(bold);
        static constexpr int headings[6] = {175, 174, 176, 162, 163, 155};
        double left = 2;
        for (int c = 0; c < 6; ++c) {
            const QRectF box(QPointF(left, 32), QPointF(e[c], 55));
            p.fillRect(box, QColor(0xFF, 0xFF, 0xC0));
            p.drawRect(box);
            p.drawText(box, Qt::AlignCenter, QString::fromStdString(strings::text(headings[c])));
            left = e[c];
        }
        const QRectF body(QPointF(2, 55), QPointF(W, H - 23));
        p.fillRect(body, Qt::white);
        p.drawRect(body);
        for (int c = 0; c < 5; ++c)
            p.drawLine(QPointF(e[c], 32), QPointF(e[c], H - 1));
        const int rules = std::max(highestSlot(H), 0);
        for (int v = 1; v <= rules * SlotHeight; v += SlotHeight)
            p.drawLine(QPointF(2, v + 76), QPointF(W, v + 76));
        const int count = static_cast<int>(r_.page_.size());
        for (int k = 0; k < count; ++k) {
            const RunningBalanceCells& c = r_.page_[static_cast<std::size_t>(k)];
            p.setFont(k == r_.MarkedRow ? bold : regular);
            const double y = FirstSlotTop + SlotHeight * k;
            auto right = [&](double edge, const std::string& text) {
                p.drawText(QRectF(0, y, edge, SlotHeight - 4), Qt::AlignRight | Qt::AlignTop,
                           QString::fromStdString(text));
            };
            right(e[0] - 2, c.date);
            right(e[1] - 2, c.reference);
            p.drawText(QRectF(e[1] + 4, y, e[2] - e[1] - 6, SlotHeight - 4),
                       Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(c.account));
            right(e[3] - 2, c.debit);
            right(e[4] - 4, c.credit);
            right(e[5] - 4, c.balance);
        }
        drawDetailBar(p, *this, regular, r_.detailBar);
    }
    void mousePressEvent(QMouseEvent* e) override { r_.Form_MouseDown(e->position()); }
    void mouseMoveEvent(QMouseEvent* e) override { r_.Form_MouseMove(e->position()); }

  private:
    Running_Balance& r_;
};

Running_Balance::Running_Balance(LedgerHost host, QWidget* parent)
    : QMainWindow(parent), host_(std::move(host)) {
    setWindowTitle(QString::fromStdString(strings::text(131)));
    QMenu* file = addLedgerMenu(*this, 110);
    PrintAccount = addLedgerCommand(file, 157, [this] { PrintAccount_Click(); });
    ExportAccount = addLedgerCommand(file, 159, [this] { ExportAccount_Click(); });

    canvas_ = new RunningBalanceCanvas(*this);
    setCentralWidget(canvas_);
    choices_ =
        new LedgerChoices(host_, canvas_, LedgerStripPlaces, TypeAheadStart::AfterTwoCharacters);
    choices_->share(DateSearch, tReportAcc, FolioChoiceTx);
    Command1 = new QToolButton(canvas_);
    Command1->setCheckable(true);
    Command1->setGeometry(598, 3, 26, 26);
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
    choices_->PNPage[0]->move(630, 4);
    choices_->PNPage[1]->move(657, 4);
    for (int i = 0; i < 2; ++i) {
        auto* b = new QToolButton(canvas_);
        b->setGeometry(692 + 30 * i, 3, 26, 26);
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
    VScroll1 = new TuvoVerticalScroll(canvas_);
    connect(VScroll1, &ScrollBarWidget::Change, this, [this] { VScroll1_Change(); });

    choices_->build = [this] { tReportAcc_Click(); };
    choices_->builtAccount = [this] { return ledger_.LedgerAccount; };
    choices_->pagePressed = [this](int i) { PNPag_Grey_MouseDown(i); };
    choices_->navigationKey = [this](KeyArgs& k) { stepOnArrowKey(k, *VScroll1); };
    choices_->dateClicked = [this](int) {
        if (choices_->buildIfDayPicked()) activateWindow();
    };
    choices_->dateLeft = [this](int) { choices_->applyTypedDate(); };
    setMinimumSize(760, 240);
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
    if (isMinimized() || !canvas_) return;
    const int sw = canvas_->width();
    const int sh = canvas_->height();
    VScroll1->setGeometry(sw - 22, 32, 21, std::max(sh - 67, 20));
    VisibleRows = highestSlot(sh);
    VScroll1->setValueMax(
        runningBalanceScrollMax(static_cast<int>(ledger_.Rows.size()), VisibleRows));
    VScroll1_Change();
    VScroll1->Refresh();
}

void Running_Balance::tReportAcc_Click() {
    tReportAcc_Click(Tmain::AccountNumberByName(*host_.book, choices_->accountText()));
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
    choices_->showBuilt(ledger_.Folio, ledger_.Message);
    // The range always follows the rows of this build.
    VScroll1->setValueMax(
        runningBalanceScrollMax(static_cast<int>(ledger_.Rows.size()), VisibleRows));
    VScroll1->setValue(0); // paints from the first row
    VScroll1->Refresh();
}

void Running_Balance::VScroll1_Change() {
    MarkedRow = -1;
    VisibleRows = highestSlot(canvas_->height());
    page_ = runningBalancePage(*host_.book, ledger_, VScroll1->Value(), VisibleRows + 1,
                               currentLocale());
    canvas_->update();
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
    if (at.x() >= canvas_->width() - 20 || at.y() < FirstSlotTop) return -1;
    const int k = static_cast<int>((at.y() - FirstSlotTop) / SlotHeight);
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
    canvas_->update();
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
    canvas_->update();
    if (host_.showJournalLine) host_.showJournalLine(row.line);
}

void Running_Balance::PrintAccount_Click() {
    choices_->applyTypedDate();
    const Book& book = *host_.book;
    const LocaleInfo locale = currentLocale();
    const LedgerHeading heading = choices_->builtHeading(ledger_);
    printLedger(host_, [&](DrawingSurface& s, double zoom) {
        printRunningBalance(s, book, ledger_, heading, locale, zoom, host_.printHeader);
    });
}

void Running_Balance::ExportAccount_Click() {
    choices_->applyTypedDate();
    exportLedger(this, fileDialog_, *host_.run, {"*.csv", "*.xls", "*.htm"},
                 [this](const std::filesystem::path& path, const std::string& type) {
                     exportRunningBalance(*host_.book, ledger_, choices_->builtHeading(ledger_),
                                          path, type, currentLocale(), todayNumber());
                 });
}

void Running_Balance::mailClicked() {
    choices_->applyTypedDate();
    mailRunningBalance(*host_.book, ledger_, choices_->builtHeading(ledger_), currentLocale(),
                       todayNumber(), host_.mainCaption ? host_.mainCaption() : std::string());
}
