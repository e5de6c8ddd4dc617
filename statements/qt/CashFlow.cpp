#include "statements/qt/CashFlow.h"

#include "book/account_number_text.h"
#include "book/business_heading.h"
#include "book/tmain.h"
#include "book/typed_input.h"
#include "platform/qt/painter_surface.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "statements/inflows_outflows_outputs.h"
#include "statements/qt/draw_inflows_outflows.h"
#include "statements/qt/statement_canvas.h"
#include "statements/qt/statement_frame.h"
#include "statements/qt/statement_outputs.h"
#include "toolkit/key_codes.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/field_events.h"
#include "toolkit/qt/menu_access.h"
#include "toolkit/qt/number_box.h"
#include "toolkit/qt/print_command.h"

#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace {

constexpr double WindowFontSize = FlowPoints;
// Pixels: the strip's black line below the strip, the boxes' top, the gap
// between two boxes and the margins before the first and after the last.
constexpr int LineGap = 2, BoxTop = 3, BoxGap = 6, Margin = 4;

// The width a combo box needs to show `text` whole in its font, with its
// frame and its arrow.
int comboWidthFor(const QComboBox* box, const QString& text) {
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    opt.editable = box->isEditable();
    const QFontMetrics metrics(box->font());
    const QSize contents(metrics.horizontalAdvance(text), metrics.height());
    return box->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, contents, box).width();
}

} // namespace

std::string CashFlow::revenueExpenseItem() {
    return strings::text(237) + " / " + strings::text(238);
}

CashFlow::CashFlow(Book& book, RunTimeState& run, StatementHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(book), run_(run), host_(std::move(host)) {
    setWindowTitle(stringText(135));
    if (!host_.icon.isNull()) setWindowIcon(host_.icon);
    QFont font(fontFamily(book_.FontName.str()));
    font.setPointSizeF(WindowFontSize);
    setFont(font);

    const StatementBody body = addMenuBarAndCanvas(this);
    MenuBar = body.menuBar;
    Canvas = body.canvas;
    QMenu* file = addMenuWithAccessKey(MenuBar, stringText(156));
    SaveB = file->addAction(stringText(158), this, [this] { SaveB_Click(); });
    PrintCash = file->addAction(stringText(157), this, [this] { PrintCash_Click(); });
    EmalSt = file->addAction(stringText(319), this, [this] { EmalSt_Click(); });
    file->addSeparator();
    SaveA = file->addAction(stringText(159), this, [this] { SaveA_Click(); });
    mA = MenuBar->addAction(QString());

    Canvas->moved = [this](int, double, double y) { mouseMoved(y); };
    Canvas->released = [this](int b, double, double y) { mouseReleased(b, y); };
    Canvas->wheeled = [this](int across, int down) {
        scrollByWheel(HScroll1, across);
        scrollByWheel(VScroll1, down);
    };

    DateTerm = new QComboBox(Canvas);
    for (int id : {246, 247, 248, 249})
        DateTerm->addItem(stringText(id));
    DateTerm->setToolTip("Select Period...");
    DateTerm->installEventFilter(this);
    tReportAcc = new QComboBox(Canvas);
    tReportAcc->setEditable(true);
    tReportAcc->setInsertPolicy(QComboBox::NoInsert);
    tReportAcc->setToolTip("Select Account Inflow/ Outflow...");
    tReportAcc->installEventFilter(this);
    FolioChoiceTx = new QLineEdit(Canvas);
    FolioChoiceTx->setToolTip("Enter Folio Number...");
    FolioChoiceTx->installEventFilter(this);
    FieldEvents::attach(FolioChoiceTx)->keyPress = [this](KeyPressArgs& k) {
        FolioChoiceTx_KeyPress(k);
    };
    SmSelect = new QComboBox(Canvas);
    SmSelect->setSizeAdjustPolicy(QComboBox::AdjustToContents); // the labels of each computation
    SmSelect->installEventFilter(this);

    VScroll1 = new TuvoVerticalScroll(Canvas);
    VScroll1->setValueSmallChange(150);
    VScroll1->setValueLargeChange(1500);
    HScroll1 = new RealhScroll(Canvas);
    HScroll1->setValueSmallChange(150);
    HScroll1->setValueLargeChange(1500);
    connect(VScroll1, &TuvoVerticalScroll::Change, this, [this] { redraw(); });
    connect(HScroll1, &RealhScroll::Change, this, [this] { redraw(); });

    // The account box: the main window's accounts, showing the
    // revenue/expense item, completing what is typed.
    if (host_.accountNames)
        for (const std::string& name : host_.accountNames())
            tReportAcc->addItem(QString::fromStdString(name));
    setBoxText(tReportAcc, QString::fromStdString(revenueExpenseItem()));
    if (host_.installTypeAhead) {
        host_.installTypeAhead(tReportAcc);
    } else {
        tReportAcc->completer()->setCompletionMode(QCompleter::InlineCompletion);
        tReportAcc->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    }
    connect(tReportAcc, &QComboBox::activated, this, [this] { tReportAcc_Click(); });
    showPicksFromStart(tReportAcc);
    connect(DateTerm, &QComboBox::activated, this, [this] { DateTerm_Click(); });
    connect(SmSelect, &QComboBox::activated, this, [this] { SmSelect_Click(); });

    placeStrip();
    Form_Cash_Flow(std::nullopt);
    resize(760, 480);
}

CashFlow::~CashFlow() = default;

void CashFlow::Form_Cash_Flow(std::optional<Currency> account) {
    InflowsOutflowsOptions options;
    options.kind = periodKindOfIndex(DateTerm->currentIndex());
    options.cashAccount = account;
    options.locale = currentLocale();
    io_ = pointer::whileBusy([&] { return computeInflowsOutflows(book_, options); });
    if (!io_.ok) {
        refuseStatement(this, io_.message);
        return;
    }
    measured_ = {};
    firstPeriod_ = 0;
    SmSelect->clear();
    for (const std::string& label : io_.periodLabels)
        SmSelect->addItem(QString::fromStdString(label));
    placeStrip();
}

void CashFlow::placeStrip() {
    // Each box its designed width, or wider for what it shows.
    const std::pair<QWidget*, int> boxes[] = {
        {DateTerm, std::max(100, DateTerm->sizeHint().width())},
        {tReportAcc,
         std::max(220, comboWidthFor(tReportAcc, QString::fromStdString(revenueExpenseItem())))},
        {FolioChoiceTx,
         std::max(70, fitNumberBoxes({FolioChoiceTx}, book_, currentLocale().decimalMark))},
        {SmSelect, std::max(110, SmSelect->sizeHint().width())}};
    int height = pixelsOf(StripTwips) - 2 * BoxTop;
    for (const auto& [box, width] : boxes)
        height = std::max(height, box->sizeHint().height());
    strip_ = height + 2 * BoxTop;
    int x = Margin;
    for (const auto& [box, width] : boxes) {
        box->setGeometry(x, BoxTop, width, height);
        x += width + BoxGap;
    }
    // The boxes whole, a margin after the last, and below the strip's line
    // room for both scroll bars.
    setMinimumSize(leastStatementSize(MenuBar, QSize(x - BoxGap + Margin, strip_ + LineGap)));
}

int CashFlow::stripTwips() const {
    return static_cast<int>(twipsOf(strip_));
}

std::string CashFlow::accountBoxText(std::optional<Currency> account) const {
    return account ? Tmain::AccountNameByNumber(book_, *account) : revenueExpenseItem();
}

std::string CashFlow::accountFolioText() const {
    return account_ ? folioText(book_, *account_, currentLocale().decimalMark) : std::string();
}

std::optional<std::optional<Currency>> CashFlow::accountOfBox() const {
    const std::string text = tReportAcc->currentText().toStdString();
    if (text == revenueExpenseItem()) return std::optional<Currency>();
    const Currency number = Tmain::AccountNumberByName(book_, text);
    if (number.isZero()) return std::nullopt;
    return std::optional<Currency>(number);
}

bool CashFlow::settleAccountBox() {
    const std::optional<std::optional<Currency>> named = accountOfBox();
    if (!named) {
        showMessage(strings::text(291));
        setBoxText(tReportAcc, QString::fromStdString(accountBoxText(account_)));
        return false;
    }
    account_ = *named;
    FolioChoiceTx->setText(QString::fromStdString(accountFolioText()));
    return true;
}

void CashFlow::DateTerm_Click() {
    settleAccountBox();
    Form_Cash_Flow(account_);
    Form_Resize();
}

void CashFlow::tReportAcc_Click() {
    if (!settleAccountBox()) return;
    Form_Cash_Flow(account_);
    VScroll1->setValue(0);
    HScroll1->setValue(0);
    Form_Resize();
}

void CashFlow::accountBoxLeft() {
    const std::optional<std::optional<Currency>> named = accountOfBox();
    if (!named || *named != account_) tReportAcc_Click();
}

void CashFlow::FolioChoiceTx_KeyPress(KeyPressArgs& k) {
    if (k.KeyAscii == keys::Enter) chooseTypedNumber();
    numberKeyPress(k, currentLocale().decimalMark,
                   [](const std::string& problem) { showMessage(problem); });
}

void CashFlow::chooseTypedNumber() {
    const std::string shown = accountFolioText();
    const TypedAccount typed = accountOfTypedNumber(book_, FolioChoiceTx->text().toStdString(),
                                                    shown, currentLocale().decimalMark);
    if (!typed.problem.empty()) {
        FolioChoiceTx->setText(QString::fromStdString(shown));
        showMessage(typed.problem);
        return;
    }
    setBoxText(tReportAcc, QString::fromStdString(typed.name));
    tReportAcc_Click();
}

void CashFlow::folioBoxLeft() {
    if (FolioChoiceTx->text().toStdString() != accountFolioText()) chooseTypedNumber();
}

void CashFlow::SmSelect_Click() {
    firstPeriod_ = std::max(0, SmSelect->currentIndex());
    Form_Resize();
}

void CashFlow::drawView(DrawingSurface& s) {
    useFlowFont(s, book_, 1.0);
    rows_.clear();
    DrawTarget t{s, true, 1.0, &rows_, &measured_};
    const Measured m = measureFlowTable(t, book_, io_);
    const FlowLayout layout{-static_cast<double>(HScroll1->Value()), m.names, m.step, firstPeriod_};
    s.CurrentY = -VScroll1->Value();
    const FlowDrawing drawn = drawInflowsOutflows(t, io_, layout);
    tableFoot_ = drawn.foot;
    tableRight_ = drawn.tableRight - layout.left;
    coverScrollCorner(s, *VScroll1, *HScroll1, 0xFFFFFF);
}

void CashFlow::redraw() {
    Canvas->paint(0xFFFFFF, [this](DrawingSurface& s) { drawView(s); });
    Canvas->paintStrip(host_.toolbarBackdrop, stripTwips(),
                       static_cast<int>(twipsOf(strip_ + LineGap)));
}

void CashFlow::Form_Resize() {
    if (isMinimized()) return;
    if (twipsOf(Canvas->height()) < 1000 || twipsOf(Canvas->width()) < 1000) return;
    redraw(); // measures the table's foot and right edge
    fitViewBars({Canvas, VScroll1, HScroll1, strip_ + LineGap + 1}, tableFoot_, tableRight_, true);
    redraw();
    VScroll1->Refresh();
    HScroll1->Refresh();
}

void CashFlow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void CashFlow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Form_Resize();
}

bool CashFlow::eventFilter(QObject* watched, QEvent* event) {
    // The account box and the number box, once left, name the account the
    // statement is for.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
        !ownListOpen(static_cast<QWidget*>(watched))) {
        if (watched == tReportAcc) accountBoxLeft();
        if (watched == FolioChoiceTx) folioBoxLeft();
    }
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // The period kind and the period list take no typed characters.
    if ((watched == DateTerm || watched == SmSelect) && !key->text().isEmpty() &&
        key->text().at(0).isPrint())
        return true;
    return QWidget::eventFilter(watched, event);
}

void CashFlow::mouseMoved(double y) {
    if (pointer::busy() || y == lastMouseY_) return;
    lastMouseY_ = y;
    const RowSpot* row = hoverRow(Canvas, rows_, y, stripTwips());
    mA->setText(row ? QString::fromStdString(hoverText(book_, row->account)) : QString());
}

void CashFlow::mouseReleased(int button, double y) {
    if (mA->text().isEmpty() || pointer::busy()) return;
    const std::optional<LedgerRequest> request = drillRequest(rows_, button, y);
    if (request && host_.openLedger) host_.openLedger(*request);
}

int CashFlow::pageWidthPixels() const {
    return static_cast<int>((twipsOf(width()) + HScroll1->ValueMax()) / TwipsPerScreenPixel);
}

void CashFlow::SaveB_Click() {
    std::string refusal;
    const std::optional<std::string> text = pointer::whileBusy(
        [&] { return inflowsOutflowsCopyText(io_, book_, firstPeriod_, refusal); });
    if (text)
        putOnClipboard(*text);
    else
        showMessage(refusal);
}

void CashFlow::SaveA_Click() {
    exportThroughDialog(this, run_, {"*.xls", "*.csv", "*.htm"},
                        [this](const std::filesystem::path& path, const std::string& type) {
                            return exportInflowsOutflows(io_, book_, path, type, pageWidthPixels(),
                                                         firstPeriod_);
                        });
}

void CashFlow::EmalSt_Click() {
    mailInflowsOutflows(io_, book_, pageWidthPixels(), host_.producer(), firstPeriod_);
}

Printformer& CashFlow::printSetup() {
    return printSetupOf(host_.printSetup, printSetup_, this, run_);
}

void CashFlow::PrintCash_Click() {
    const std::string job = printJobName("Cash Flow Position", book_.BusinessName.str());
    printThroughSetup(printSetup(), this, run_, job, [this](DrawingSurface& s, double) {
        DrawTarget paper{s, false, run_.PrintScale, nullptr};
        printInflowsOutflows(paper, book_, io_, firstPeriod_);
    });
    redraw();
}
