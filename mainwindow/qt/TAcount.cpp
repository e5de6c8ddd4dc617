#include "mainwindow/qt/TAcount.h"

#include "book/book_csv_file.h"
#include "book/book_text_file.h"
#include "book/open_book.h"
#include "book/tmain.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/combo_type_ahead.h"
#include "mainwindow/qt/line_scroller.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "mainwindow/startup_state.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/Passit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

int px(int twips) {
    return toPixels(twips);
}
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A colour written the window system's way (&HBBGGRR).
QColor fromBgr(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void setBackColour(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// The entry frame with its etched border: a highlight outline offset by 10
// twips from a shadow outline.
class EtchedFrame : public QWidget {
  public:
    using QWidget::QWidget;
    std::function<void()> onMouseMove;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int w = width(), h = height();
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(1, 1, w - 2, h - 2);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(0, 0, w - 2, h - 2);
    }
    void mouseMoveEvent(QMouseEvent*) override {
        if (onMouseMove) onMouseMove();
    }
};

QPixmap reconcilePixmap(bool tick) {
    QPixmap pm(px(design::ReconcileSize), px(design::ReconcileSize));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, pm.width() - 3, pm.height() - 3);
    if (tick) {
        p.setPen(QPen(QColor(20, 150, 40), 2.5));
        p.drawLine(QPointF(4, pm.height() / 2.0), QPointF(pm.width() / 2.5, pm.height() - 5));
        p.drawLine(QPointF(pm.width() / 2.5, pm.height() - 5), QPointF(pm.width() - 3, 3));
    }
    return pm;
}

QPixmap compoundPixmap(bool balance) {
    QPixmap pm(px(design::CompoundSize), px(design::CompoundSize));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(40, 90, 40));
    p.setBrush(QColor(220, 240, 220));
    p.drawEllipse(1, 1, pm.width() - 3, pm.height() - 3);
    QFont f = p.font();
    f.setPixelSize(pm.height() - 6);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, balance ? "=" : "+");
    return pm;
}

// The currency symbol as the locale writes zero in its currency format.
std::string zeroAsCurrency(const LocaleInfo& locale) {
    QLocale q(qs(locale.name));
    return q.toCurrencyString(0.0).toStdString();
}

QLineEdit* newBox(QWidget* parent, int widthTwips) {
    auto* e = new QLineEdit(parent);
    e->resize(px(widthTwips), px(design::FieldHeight));
    return e;
}

} // namespace

// ---------------------------------------------------------------- busy state

TAcount::BusyState::BusyState(TAcount& w) : w_(w) {
    w_.setCursor(Qt::WaitCursor);
    w_.setEnabled(false);
}

TAcount::BusyState::~BusyState() {
    w_.setEnabled(true);
    w_.unsetCursor();
}

// ---------------------------------------------------------------- start-up

TAcount::TAcount(const std::string& commandLine, QWidget* parent)
    : QMainWindow(parent), model_(book_, run_, currentLocale()) {
    endProgram = [] { QCoreApplication::quit(); };
    adminPasswordPrompt = [this]() -> std::optional<std::string> {
        if (!passit_) passit_ = new Passit(book_, run_, this);
        return passit_->ask(this);
    };
    filePasswordPrompt = [this]() -> std::optional<std::string> {
        bool ok = false;
        QString text = QInputDialog::getText(this, qs(strings::text(184)), qs(strings::text(185)),
                                             QLineEdit::Password, QString(), &ok);
        if (!ok) return std::nullopt;
        return text.toStdString();
    };
    commandLineBook_ = commandLineBookPath(commandLine);
    Form_Initialize();
    Form_Load();
}

TAcount::~TAcount() {
    helpMode().removeListener(helpListener_);
    if (helpMode().isOn()) helpMode().end();
}

void TAcount::Form_Initialize() {
    run_.ScaleFactor = 1.0; // Qt scales for dense screens
    HC = new ::HC(helpMode(), this);
    HC->hide();
    book_.FontName = HC->interfaceFont().family().toStdString();
    book_.FontCharset = fontCharsetFromText(strings::text(330));
    helpListener_ = helpMode().addListener([this](bool on) { onHelpModeChanged(on); });
}

void TAcount::Form_Load() {
    const LocaleInfo locale = currentLocale();
    const double today = todayNumber();
    auto* central = new QWidget(this);
    setCentralWidget(central);
    setMouseTracking(true);
    central->setMouseTracking(true);

    buildEntryLine();
    // 1. Today in the date box (the date style is still 0).
    Datetext->setText(qs(Tmain::FormatDateStyle(today, 0, locale)));
    // 2. The toolbar backdrop from the window's own back colour.
    buildToolbar();
    const QColor base = palette().color(QPalette::Window);
    run_.GradientColors = toolbarGradient(base.red(), base.green(), base.blue());
    const QScreen* screen = QGuiApplication::primaryScreen();
    ButtonBar->setBackdrop(run_.GradientColors, screen ? screen->geometry().width() : 1920);
    // 3, 11, 15 to 18, 20: the new book, its settings, date style and marks.
    applyStartupBook(book_, run_, locale, today, book_.FontCharset);
    model_.setLocale(locale);
    buildMenus();
    // 6. The stored width (the height follows the entry frame below).
    const StoredSize stored = readStoredWindowSize();
    const int widthTwips = stored.width.value_or(design::WindowWidth);
    // 7, 8, 13, 14: captions and tips.
    setCaptions();
    // 12. The border allowance and the height from the entry frame.
    resize(px(widthTwips), px(design::FrameTop + design::FrameHeight + 80));
    const int menuHeight = menuBar()->sizeHint().height();
    BorderAllowance = toTwips(menuHeight) + 80;
    resize(px(widthTwips), px(startupOuterHeight(BorderAllowance)));
    setMinimumSize(px(MinimumOuterWidth), px(MinimumOuterHeight));
    // 19. Caption.
    setWindowTitle(qs(mainCaption("")));
    // 21. Currency labels.
    currencyLabel = currencyLabelFrom(zeroAsCurrency(locale));
    GL[8]->setText(qs(currencyLabel));
    GL[9]->setText(qs(currencyLabel));
    // The windows of the other subsystems that exist in this build.
    installWindowLaunchers(launchers_);
    installLauncherCommands();
    // 23. The hidden journal window of the search.
    if (launchers_.searchJournal) SearchJournal = launchers_.searchJournal(*this);
    refillAccountBoxes();
    journalLengthChanged();
    Form_Resize();
}

void TAcount::buildToolbar() {
    ButtonBar = new ToolbarStrip(centralWidget());
    ButtonBar->move(0, 0);
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Command c = buttons[i].command;
        connect(ButtonBar->CalcButton[i], &ToolButtonImage::released, this,
                [this, c] { runCommand(c); });
    }
    connect(ButtonBar->PNPage[0], &ToolButtonImage::released, this, [this] {
        ScrollAcc->setValue_(run_.CurrentFirstLine - 1);
        if (JournalID->isEnabled()) JournalID->setFocus();
    });
    connect(ButtonBar->PNPage[1], &ToolButtonImage::released, this, [this] {
        ScrollAcc->setValue_(run_.CurrentLastLine + 1);
        if (JournalID->isEnabled()) JournalID->setFocus();
    });
    connect(ButtonBar->HelpButton, &ToolButtonImage::released, this,
            [this] { Help_Button_Click(); });
    Text1 = new QLineEdit(centralWidget());
    Text1->setGeometry(px(design::GoToLeft), px(design::GoToTop), px(design::GoToWidth),
                       px(design::FieldHeight));
    Text1->setMaxLength(14);
}

void TAcount::buildEntryLine() {
    using namespace design;
    QWidget* central = centralWidget();
    auto* frame = new EtchedFrame(central);
    frame->setMouseTracking(true);
    frame->onMouseMove = [this] { ButtonBar->ButtonBorderOver->hide(); };
    xFrame1 = frame;
    xFrame1->move(px(FrameLeft), px(FrameTop));

    for (int i = 0; i < 10; ++i)
        GL[i] = new QLabel(i == 7 || i == 1 ? central : xFrame1);
    JournalID = newBox(xFrame1, ReferenceWidth);
    JournalID->move(px(ReferenceLeft), px(HeadTop));
    JournalID->setMaxLength(14);
    Datetext = newBox(xFrame1, DateWidth);
    Datetext->move(px(DateLeft), px(HeadTop));
    for (int i = 0; i < 2; ++i) {
        Reconcile[i] = new QLabel(xFrame1);
        Reconcile[i]->setPixmap(reconcilePixmap(i == 1));
        Reconcile[i]->move(px(ReconcileLeft), px(HeadTop) + 2);
        Reconcile[i]->resize(px(ReconcileSize), px(ReconcileSize));
    }
    GL[1]->setParent(xFrame1);
    GL[1]->move(px(ReconcileLeft + ReconcileSize + 60), px(HeadTop) + 3);
    CELablel = new QLabel(xFrame1);
    CELablel->move(0, px(HeadTop) + 3);
    CELablel->resize(px(1900), px(FieldHeight));
    QFont bold = CELablel->font();
    bold.setBold(true);
    CELablel->setFont(bold);

    eBox = new QWidget(xFrame1);
    eBox->setMouseTracking(true);
    EScroll = new LineScroller(xFrame1);
    EScroll->hide();
    connect(EScroll, &LineScroller::Change, this, [this] { EScroll_Change(); });

    accountList = new AccountListModel(this);
    auto makeRow = [&](int row, bool debit) {
        QLineEdit* folio = newBox(eBox, FolioWidth);
        auto* name = new QComboBox(eBox);
        name->setModel(accountList);
        installComboTypeAhead(name);
        name->resize(px(2000), px(FieldHeight));
        name->setCurrentIndex(-1);
        QLineEdit* amount = newBox(eBox, AmountWidth);
        amount->setAlignment(Qt::AlignRight);
        (debit ? DebitFolio : CreditFolio)[row] = folio;
        (debit ? DebitAccName : CreditAccName)[row] = name;
        (debit ? DebitAmountText : CreditAmountText)[row] = amount;
        folio->move(px(debit ? DebitFolioLeft : CreditFolioLeft), 0);
        name->move(px(debit ? DebitNameLeft : CreditNameLeft), 0);
    };
    for (int row = 0; row < EntryRowsPerSide; ++row) {
        makeRow(row, true);
        makeRow(row, false);
    }
    AccNote = newBox(eBox, 4000);
    AccNote->move(px(NoteLeft), 0);
    for (int i : {4, 5, 6, 8, 9})
        GL[i]->setParent(eBox);
    for (int i = 1; i <= 2; ++i) {
        CompoundEntry[i] = new QLabel(eBox);
        CompoundEntry[i]->setPixmap(compoundPixmap(false));
        CompoundEntry[i]->hide();
    }
    CalcCompound = new QLabel(eBox);
    CalcCompound->setPixmap(compoundPixmap(true));
    CalcCompound->hide();

    ScrollAcc = new LineScroller(central);
    connect(ScrollAcc, &LineScroller::Change, this, [this] { ScrollAcc_Change(); });
    connect(ScrollAcc, &LineScroller::KeyDown, this, [this](KeyArgs& k) {
        if (k.KeyCode == keys::Up) ScrollAcc->setValue_(run_.CurrentFirstLine - 1);
        if (k.KeyCode == keys::Down) ScrollAcc->setValue_(run_.CurrentLastLine + 1);
    });

    Command1 = new QPushButton(central);
    Command1->resize(px(NewEntryWidth), px(NewEntryHeight));
    connect(Command1, &QPushButton::clicked, this, [this] { runCommand(Command::NewEntryMenu); });
    GroupBu = new QPushButton(central);
    GroupBu->resize(px(IncludeWidth), px(NewEntryHeight));
    connect(GroupBu, &QPushButton::pressed, this, [this] { runCommand(Command::IncludeGroups); });
    GL[7]->resize(px(StatusWidth), px(StatusHeight));
    GL[7]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TAcount::buildMenus() {
    for (const MenuSpec& spec : menuTree()) {
        QMenu* menu = menuBar()->addMenu(qs(menuCaption(spec)));
        std::function<void(QMenu*, const std::vector<MenuEntry>&)> add =
            [&](QMenu* into, const std::vector<MenuEntry>& entries) {
                for (const MenuEntry& e : entries) {
                    if (e.kind == MenuEntry::Separator) {
                        into->addSeparator();
                    } else if (e.kind == MenuEntry::Submenu) {
                        add(into->addMenu(qs(strings::text(e.text))), e.children);
                    } else {
                        const CommandInfo& info = commandInfo(e.command);
                        QAction* a = into->addAction(qs(commandCaption(e.command)));
                        if (*info.shortcut) a->setShortcut(QKeySequence(info.shortcut));
                        a->setShortcutContext(Qt::WindowShortcut);
                        const Command c = e.command;
                        connect(a, &QAction::triggered, this, [this, c] { runCommand(c); });
                        actions_[c] = a;
                    }
                }
            };
        add(menu, spec.entries);
    }
    helpSelectAction_ = actions_[Command::HelpSelect];
    helpSelectAction_->setCheckable(true);
    // The commands built with the main window itself.
    setCommandHandler(Command::Exitit, [this] { Exitit_Click(); });
    setCommandHandler(Command::HelpSelect, [this] { HelpSelect_Click(); });
    setCommandHandler(Command::AboutMenu, [this] { AboutMenu_Click(); });
    for (const CommandInfo& info : allCommands())
        if (!handlers_.count(info.command)) setCommandHandler(info.command, nullptr);
}

void TAcount::setCaptions() {
    GroupBu->setText(qs(strings::text(331)));
    GroupBu->setToolTip(qs(strings::text(138)));
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        ButtonBar->CalcButton[i]->setToolTip(qs(toolbarTip(buttons[i])));
    ButtonBar->PNPage[0]->setToolTip("Previous entry");
    ButtonBar->PNPage[1]->setToolTip("Next entry");
    ButtonBar->HelpButton->setToolTip(qs(strings::text(142)));
    for (QLabel* r : Reconcile)
        r->setToolTip(qs(strings::text(147)));
    const int texts[7] = {0, 147, 149, 148, 150, 151, 152};
    for (int i = 1; i <= 6; ++i) {
        GL[i]->setText(qs(strings::text(texts[i])));
        GL[i]->adjustSize();
    }
    Text1->setToolTip(qs(strings::text(145)));
    Command1->setText(qs(strings::text(153)));
    placeHeadLabels();
}

void TAcount::placeHeadLabels() {
    // Each field label stands 40 twips to the left of its field.
    auto place = [](QLabel* label, QWidget* field) {
        label->adjustSize();
        const int left = labelLeftFor(toTwips(field->x()), toTwips(label->width()));
        label->move(std::max(0, px(left)), field->y() + (field->height() - label->height()) / 2);
    };
    place(GL[2], JournalID);
    place(GL[3], Datetext);
    place(GL[4], DebitFolio[0]);
    place(GL[5], CreditFolio[0]);
    place(GL[6], AccNote);
}

// ---------------------------------------------------------------- layout

void TAcount::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void TAcount::Form_Resize() {
    if (isMinimized() || !centralWidget() || !ScrollAcc) return;
    const Size outer{toTwips(frameGeometry().width()), toTwips(frameGeometry().height())};
    const Size snapped = snapToMinimum(outer);
    if (!(snapped == outer) && isVisible()) {
        const int dw = frameGeometry().width() - width(), dh = frameGeometry().height() - height();
        resize(px(snapped.width) - dw, px(snapped.height) - dh);
        return; // runs again
    }
    const int innerW = toTwips(centralWidget()->width());
    const int innerH = toTwips(centralWidget()->height());
    const WindowLayout l = layoutFor(innerW, innerH, outer.width, centralWidget()->width());
    auto apply = [](QWidget* w, const Rect& r) {
        w->setGeometry(px(r.left), px(r.top), std::max(1, px(r.width)), std::max(1, px(r.height)));
    };
    apply(ScrollAcc, l.scrollAcc);
    apply(xFrame1, l.frame);
    apply(eBox, l.panel);
    ButtonBar->resize(std::max(1, px(l.buttonBarWidth)), ButtonBar->height());
    CELablel->move(px(l.positionLabelLeft - design::FrameLeft), CELablel->y());
    apply(Command1, l.newEntry);
    apply(GroupBu, l.include);
    apply(GL[7], l.status);
    for (int k = 0; k < EntryRowsPerSide; ++k) {
        DebitAccName[k]->resize(std::max(1, px(l.nameWidth)), DebitAccName[k]->height());
        CreditAccName[k]->resize(std::max(1, px(l.nameWidth)), CreditAccName[k]->height());
        DebitAmountText[k]->move(px(l.debitAmountLeft), DebitAmountText[k]->y());
        CreditAmountText[k]->move(px(l.creditAmountLeft), CreditAmountText[k]->y());
    }
    GL[8]->move(px(l.debitCurrencyLeft), GL[8]->y());
    GL[9]->move(px(l.creditCurrencyLeft), GL[9]->y());
    AccNote->resize(std::max(1, px(l.noteWidth) - AccNote->x()), AccNote->height());
    EScroll->setGeometry(px(l.panelScroller.left - design::FrameLeft), px(l.panelScroller.top),
                         px(l.panelScroller.width), std::max(1, px(l.panelScroller.height)));
    CompoundEntry[1]->move(px(l.debitCompoundLeft), CompoundEntry[1]->y());
    CompoundEntry[2]->move(px(l.creditCompoundLeft), CompoundEntry[2]->y());
    ButtonBar->placeHelpButton(l.helpButtonLeft);
    const PanelScroller s = panelScrollerOnResize(l.panel.height, RowTop, PanelOffset, isVisible());
    if (!s.visible) {
        if (s.resetValue && EScroll->Value() != 0) EScroll->setValue_(0);
        EScroll->setValueMax(s.valueMax);
        EScroll->hide();
    } else {
        EScroll->show();
        EScroll->raise();
        EScroll->setValueMax(s.valueMax);
    }
}

void TAcount::mouseMoveEvent(QMouseEvent* e) {
    ButtonBar->ButtonBorderOver->hide();
    QMainWindow::mouseMoveEvent(e);
}

// ---------------------------------------------------------------- the entry line

void TAcount::journalLengthChanged() {
    const int last = std::max(0, book_.LastEntryLine());
    ScrollAcc->setValueMax(last);
    ScrollAcc->setValue_(last);
}

void TAcount::refillAccountBoxes() {
    accountList->refill(accountBoxNames(book_));
}

void TAcount::ScrollAcc_Change() {
    CompoundEntry[1]->hide();
    CompoundEntry[2]->hide();
    CalcCompound->hide();
    PanelOffset = 0;
    GL[7]->setText("");
    model_.showEntryHolding(ScrollAcc->Value());
    Rec1();
    Text1->setText(qs(model_.reference()));
    DrCrArrange();
    Reconcile[1]->setVisible(model_.reconciled());
    JournalID->setText(qs(model_.reference()));
    AccNote->setText(qs(model_.noteText()));
    lockEntry(model_.locked());
    const PanelScroller s = panelScrollerOnLoad(toTwips(eBox->height()), RowTop);
    if (s.visible) {
        EScroll->setValueMax(s.valueMax);
        EScroll->show();
        EScroll->raise();
    } else {
        EScroll->hide();
    }
    CalcCompound->hide();
    const std::string status = model_.statusText();
    if (!status.empty()) {
        GL[7]->setStyleSheet("color: #FF0000");
        GL[7]->setText(qs(status));
        GL[7]->setToolTip(qs(status));
    } else {
        GL[7]->setStyleSheet("");
        GL[7]->setToolTip("");
    }
    emit entryShown();
}

void TAcount::EScroll_Change() {
    PanelOffset = EScroll->Value();
    DrCrArrange();
}

void TAcount::Rec1() {
    CELablel->setText(qs(model_.positionText()));
}

void TAcount::DrCrArrange() {
    const auto& debits = model_.debitRows();
    const auto& credits = model_.creditRows();
    // The shown lines' sides in journal order.
    std::vector<std::uint8_t> sides;
    std::size_t d = 0, c = 0;
    while (d < debits.size() || c < credits.size()) {
        const bool debitNext =
            c >= credits.size() || (d < debits.size() && debits[d].line < credits[c].line);
        sides.push_back(debitNext ? Debit : Credit);
        (debitNext ? d : c)++;
    }
    const int rowHeight = toTwips(DebitFolio[0]->height());
    const RowArrangement a = arrangeRows(sides, PanelOffset, rowHeight);
    RowTop = a.rowTop;
    Datetext->setText(qs(model_.dateText()));

    auto fill = [&](const std::vector<EntryRow>& rows, const std::vector<int>& tops,
                    std::array<QLineEdit*, EntryRowsPerSide>& folio,
                    std::array<QComboBox*, EntryRowsPerSide>& name,
                    std::array<QLineEdit*, EntryRowsPerSide>& amount) {
        for (int r = 0; r < EntryRowsPerSide; ++r) {
            const bool used = r < static_cast<int>(rows.size());
            folio[r]->setVisible(used);
            name[r]->setVisible(used);
            amount[r]->setVisible(used);
            if (!used) {
                folio[r]->clear();
                name[r]->setCurrentIndex(-1);
                name[r]->setEditText("");
                amount[r]->clear();
                continue;
            }
            const EntryRow& row = rows[static_cast<std::size_t>(r)];
            const int top = px(tops[static_cast<std::size_t>(r)]);
            folio[r]->move(folio[r]->x(), top);
            name[r]->move(name[r]->x(), top);
            amount[r]->move(amount[r]->x(), top);
            folio[r]->setText(qs(row.folio));
            const int at = name[r]->findText(qs(row.name), Qt::MatchExactly);
            name[r]->setCurrentIndex(row.name.empty() ? -1 : at);
            name[r]->setEditText(qs(row.name));
            amount[r]->setText(qs(row.amount));
        }
    };
    fill(debits, a.debitTops, DebitFolio, DebitAccName, DebitAmountText);
    fill(credits, a.creditTops, CreditFolio, CreditAccName, CreditAmountText);

    GL[4]->move(GL[4]->x(), px(a.debitLabelTop));
    GL[8]->move(GL[8]->x(), px(a.debitLabelTop));
    GL[5]->move(GL[5]->x(), px(a.creditLabelTop));
    GL[9]->move(GL[9]->x(), px(a.creditLabelTop + 100));
    CompoundEntry[1]->move(CompoundEntry[1]->x(), px(a.debitCompoundTop));
    CompoundEntry[2]->move(CompoundEntry[2]->x(), px(a.creditCompoundTop));
    AccNote->move(AccNote->x(), px(a.noteTop));
    GL[6]->move(GL[6]->x(), px(a.noteTop + 20));
    // The balancing button beside the add-line button of a side with two or more lines.
    int beside = debits.size() >= 2 ? 1 : credits.size() >= 2 ? 2 : 0;
    if (beside) {
        QLabel* b = CompoundEntry[beside];
        CalcCompound->move(b->x() + b->width() + px(30), b->y());
        CalcCompound->show();
    } else {
        CalcCompound->hide();
    }
}

void TAcount::lockEntry(bool locked) {
    const bool on = !locked;
    Datetext->setEnabled(on);
    JournalID->setEnabled(on);
    AccNote->setEnabled(on);
    for (int r = 0; r < EntryRowsPerSide; ++r) {
        // Every folio box of a locked entry is disabled, not only row 0's.
        DebitFolio[r]->setEnabled(on);
        CreditFolio[r]->setEnabled(on);
        DebitAccName[r]->setEnabled(on);
        CreditAccName[r]->setEnabled(on);
        DebitAmountText[r]->setEnabled(on);
        CreditAmountText[r]->setEnabled(on);
    }
}

void TAcount::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Up && e->modifiers() == Qt::NoModifier) {
        ScrollAcc->setValue_(run_.CurrentFirstLine - 1);
        return;
    }
    if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier) {
        ScrollAcc->setValue_(run_.CurrentLastLine + 1);
        return;
    }
    QMainWindow::keyPressEvent(e);
}

// ---------------------------------------------------------------- opening at start-up

void TAcount::openCommandLineBook() {
    if (commandLineBook_.empty()) return;
    run_.CurrentFilePath = commandLineBook_;
    run_.BookFilePath = commandLineBook_;
    LoadAccFile(2);
    setWindowTitle(qs(mainCaption(run_.BookFilePath)));
}

void TAcount::LoadAccFile(int /*mode*/) {
    closeBookWindows();
    const std::filesystem::path path = run_.CurrentFilePath;
    // The reader by the file's own extension (a .txt or .csv named on the
    // command line is not read as a book file).
    const BookFileKind kind = bookFileKindForPath(path);
    BookReadResult result;
    {
        BusyState busy(*this);
        Tmain::BeginProgress(run_, "Loading");
        const PasswordPrompt ask = [this] { return filePasswordPrompt(); };
        const BookReaders readers{readBookTextForOpening, readBookCsvForOpening};
        result = openBookFile(path, kind, book_, ask, &run_, readers);
        Tmain::EndProgress(run_);
    }
    switch (result.status) {
    case BookReadStatus::Ok: {
        adoptOpenedBook(book_, run_, std::move(result), path, kind, todayNumber());
        run_.BookChanged = false;
        run_.JournalRevision++;
        break;
    }
    case BookReadStatus::FileError:
        Tmain::FileErrorMessage(result.error);
        break;
    case BookReadStatus::PasswordRefused:
        break;
    default:
        if (!result.message.empty()) showMessage(result.message);
        break;
    }
    if (!result.ok()) {
        // Nothing of the open book changed; it keeps its own path.
        run_.CurrentFilePath.clear();
        run_.BookFilePath.clear();
    }
    refillAccountBoxes();
    journalLengthChanged();
    setWindowTitle(qs(mainCaption(run_.CurrentFilePath)));
}

// ---------------------------------------------------------------- shutdown

void TAcount::closeEvent(QCloseEvent* e) {
    storeWindowSize(toTwips(frameGeometry().width()), toTwips(frameGeometry().height()));
    if (run_.BookChanged) {
        if (showMessage(strings::text(279), "", MessageButtons::YesNo) != MessageAnswer::Yes) {
            e->ignore();
            return;
        }
    }
    e->accept();
    ending_ = true;
    if (endProgram) endProgram();
}

void TAcount::Exitit_Click() {
    close();
}

// ---------------------------------------------------------------- commands

QAction* TAcount::action(Command c) const {
    auto it = actions_.find(c);
    return it == actions_.end() ? nullptr : it->second;
}

bool TAcount::commandEnabled(Command c) const {
    auto it = handlers_.find(c);
    return it != handlers_.end() && it->second != nullptr;
}

void TAcount::setCommandHandler(Command c, std::function<void()> handler) {
    handlers_[c] = std::move(handler);
    const bool on = commandEnabled(c);
    if (QAction* a = action(c)) a->setEnabled(on);
    const auto& buttons = toolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].command == c) ButtonBar->CalcButton[i]->setEnabled(on);
    if (c == Command::NewEntryMenu) Command1->setEnabled(on);
    if (c == Command::IncludeGroups) GroupBu->setEnabled(on);
}

void TAcount::runCommand(Command c) {
    if (!commandEnabled(c)) return;
    if (helpMode().isOn() && c != Command::HelpSelect && c != Command::AboutMenu &&
        c != Command::Exitit) {
        const HelpText h = commandHelp(c);
        if (!h.title.empty() || !h.text.empty()) showHelp(h.title, h.text);
        if (c != Command::Depreciation) return; // it shows its help and opens too
    }
    auto handler = handlers_[c]; // a handler may replace itself
    handler();
}

std::set<Need> TAcount::presentNeeds() const {
    std::set<Need> present{Need::Nothing};
    const WindowLaunchers& l = launchers_;
    if (l.generalJournal) present.insert(Need::GeneralJournal);
    if (l.tAccountLedger) present.insert(Need::TAccountLedger);
    if (l.runningBalance) present.insert(Need::RunningBalance);
    if (l.trialBalance) present.insert(Need::TrialBalanceWindow);
    if (l.incomeStatement) present.insert(Need::IncomeStatementWindow);
    if (l.cashFlow) present.insert(Need::CashFlowWindow);
    if (l.balanceSheet) present.insert(Need::BalanceSheetWindow);
    if (l.chartOfAccounts) present.insert(Need::ChartOfAccounts);
    if (l.moveAccounts) present.insert(Need::MoveAccountsWindow);
    if (l.searchWindow) present.insert(Need::SearchWindow);
    if (l.entryGroups) present.insert(Need::EntryGroupsWindow);
    if (l.tapeCalculator) present.insert(Need::TapeCalculator);
    if (l.payroll) present.insert(Need::PayrollCalculator);
    if (l.depreciation) present.insert(Need::DepreciationCalculator);
    if (l.settingsWindow) present.insert(Need::SettingsWindow);
    return present;
}

void TAcount::showWindow(QWidget* w) {
    if (!w) return;
    w->show();
    w->raise();
}

void TAcount::openInList(WindowHandles& list, const std::function<QWidget*()>& make, bool busy) {
    std::optional<BusyState> guard;
    if (busy) guard.emplace(*this);
    QWidget* w = make();
    if (!w) return;
    w->setAttribute(Qt::WA_DeleteOnClose);
    if (!list.add(w)) {
        delete w;
        return;
    }
    showWindow(w);
}

void TAcount::openReconcile(WindowHandles& list,
                            const std::function<QWidget*(TAcount&, bool)>& make) {
    openInList(
        list,
        [&]() -> QWidget* {
            QWidget* w = make(*this, true); // ReconcileMode before anything else
            if (!w) return nullptr;
            setBackColour(w, fromBgr(0xFFE0E0));
            w->setWindowTitle(w->windowTitle() + " " + qs(strings::text(288)));
            return w;
        },
        true);
}

void TAcount::replaceShared(QPointer<QWidget>& slot, const std::function<QWidget*()>& make,
                            bool busy) {
    std::optional<BusyState> guard;
    if (busy) guard.emplace(*this);
    if (slot) {
        slot->close();
        delete slot.data();
    }
    slot = make();
    if (slot) showWindow(slot);
}

void TAcount::installLauncherCommands() {
    WindowLaunchers& l = launchers_;
    if (l.generalJournal) {
        setCommandHandler(Command::ShowJournals, [this] {
            openInList(
                JournalWindows, [this] { return launchers_.generalJournal(*this, false); }, true);
        });
        setCommandHandler(Command::ReconcileJournal,
                          [this] { openReconcile(JournalWindows, launchers_.generalJournal); });
        setCommandHandler(Command::UnbalancedEntries, [this] {
            run_.SearchPending = 1;
            run_.SearchMode = 2;
            if (!CheckJournal) CheckJournal = launchers_.generalJournal(*this, false);
            if (!CheckJournal) return;
            CheckJournal->setWindowTitle(qs(strings::text(304)));
            setBackColour(CheckJournal, fromBgr(0xF0F0FF));
            showWindow(CheckJournal);
        });
    }
    if (l.tAccountLedger) {
        setCommandHandler(Command::ShowTaccount, [this] {
            openInList(
                LedgerWindows, [this] { return launchers_.tAccountLedger(*this, false); }, true);
        });
        setCommandHandler(Command::ReconcileTaccount,
                          [this] { openReconcile(LedgerWindows, launchers_.tAccountLedger); });
    }
    if (l.runningBalance) {
        setCommandHandler(Command::RbMenuItem, [this] {
            openInList(
                RunningBalanceWindows, [this] { return launchers_.runningBalance(*this, false); },
                true);
        });
        setCommandHandler(Command::ReconcileRunningBalance, [this] {
            openReconcile(RunningBalanceWindows, launchers_.runningBalance);
        });
    }
    if (l.balanceSheet)
        setCommandHandler(Command::ShowBalance, [this] {
            if (book_.LastEntryLine() < 1) return;
            openInList(
                BalanceSheetWindows, [this] { return launchers_.balanceSheet(*this); }, true);
        });
    if (l.payroll)
        setCommandHandler(Command::PayCalc, [this] {
            openInList(
                PayrollWindows, [this] { return launchers_.payroll(*this); }, false);
        });
    if (l.tapeCalculator)
        setCommandHandler(Command::RollingCalculator, [this] {
            openInList(
                CalculatorWindows, [this] { return launchers_.tapeCalculator(*this); }, false);
        });
    if (l.trialBalance)
        setCommandHandler(Command::TrialBalance, [this] {
            if (book_.LastEntryLine() < 1) return;
            // Today in the book's own date style, so the window reads it back unchanged.
            const std::string date =
                Tmain::FormatDateStyle(todayNumber(), book_.DateStyle, currentLocale());
            replaceShared(
                trialBalanceWindow, [this, date] { return launchers_.trialBalance(*this, date); },
                true);
        });
    if (l.incomeStatement)
        setCommandHandler(Command::IncomeStatement, [this] {
            if (book_.LastEntryLine() < 1) return;
            replaceShared(
                incomeStatementWindow, [this] { return launchers_.incomeStatement(*this); }, true);
        });
    if (l.cashFlow)
        setCommandHandler(Command::CashFlowMenu, [this] {
            replaceShared(
                cashFlowWindow,
                [this]() -> QWidget* {
                    QWidget* w = launchers_.cashFlow(*this);
                    if (w) w->setWindowTitle(qs(strings::text(135)));
                    return w;
                },
                true);
        });
    if (l.depreciation)
        setCommandHandler(Command::Depreciation, [this] {
            if (!depreciationWindow) depreciationWindow = launchers_.depreciation(*this);
            showWindow(depreciationWindow);
        });
    if (l.chartOfAccounts)
        setCommandHandler(Command::EditAccounts, [this] {
            if (!adminGate()) return;
            if (!chartOfAccountsWindow) chartOfAccountsWindow = launchers_.chartOfAccounts(*this);
            showWindow(chartOfAccountsWindow);
        });
    if (l.moveAccounts)
        setCommandHandler(Command::ReplaceAccounts, [this] {
            if (!adminGate()) return;
            QWidget* w = launchers_.moveAccounts(*this);
            if (w) {
                w->setWindowModality(Qt::ApplicationModal);
                w->setAttribute(Qt::WA_DeleteOnClose);
                QEventLoop loop;
                connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
                w->show();
                loop.exec();
            }
            run_.BookChanged = true; // whether or not anything was moved
        });
    if (l.settingsWindow)
        setCommandHandler(Command::SoftwareSettings, [this] {
            if (!adminGate()) return;
            if (!settingsWindow) settingsWindow = launchers_.settingsWindow(*this);
            showWindow(settingsWindow);
        });
    if (l.searchWindow) {
        auto search = [this](int mode) {
            run_.SearchMode = static_cast<std::int16_t>(mode);
            if (!searchWindow) searchWindow = launchers_.searchWindow(*this);
            showWindow(searchWindow);
        };
        setCommandHandler(Command::SearchNumbers, [search] { search(1); });
        setCommandHandler(Command::SearchNotes, [search] { search(0); });
    }
    if (l.entryGroups)
        setCommandHandler(Command::IncludeGroups, [this] {
            if (entryGroupsWindow && entryGroupsWindow->isVisible()) {
                entryGroupsWindow->hide();
                return;
            }
            if (!entryGroupsWindow) entryGroupsWindow = launchers_.entryGroups(*this);
            showWindow(entryGroupsWindow);
        });
    // Whatever is still missing stays disabled.
    const std::set<Need> present = presentNeeds();
    for (const CommandInfo& info : allCommands())
        if (!commandAvailable(info.command, present) && commandEnabled(info.command))
            setCommandHandler(info.command, nullptr);
}

void TAcount::closeBookWindows(bool balanceSheetsToo) {
    auto isOpen = [](const QPointer<QWidget>& w) { return !w.isNull(); };
    auto closeIt = [](QPointer<QWidget>& w) { w->close(); };
    JournalWindows.forEachOpen(isOpen, closeIt);
    LedgerWindows.forEachOpen(isOpen, closeIt);
    RunningBalanceWindows.forEachOpen(isOpen, closeIt);
    if (balanceSheetsToo) BalanceSheetWindows.forEachOpen(isOpen, closeIt);
    for (QPointer<QWidget>* w :
         {&chartOfAccountsWindow, &incomeStatementWindow, &cashFlowWindow, &entryGroupsWindow})
        if (*w) (*w)->close();
}

bool TAcount::adminGate() {
    run_.EnteredPassword.clear();
    const std::string admin = book_.AdminPassword.str();
    if (!admin.empty()) {
        std::optional<std::string> typed = adminPasswordPrompt();
        if (typed) run_.EnteredPassword = *typed;
    }
    const bool pass = run_.EnteredPassword == admin;
    run_.EnteredPassword.clear();
    return pass;
}

// ---------------------------------------------------------------- help mode and About

void TAcount::showHelp(const std::string& title, const std::string& text) {
    HC->setWindowTitle("Help Contents...");
    HC->setImage(QPixmap());
    HC->showHelp(title, text);
}

void TAcount::onHelpModeChanged(bool on) {
    // The help window and the pointer follow the mode themselves.
    ButtonBar->HelpButton->setGlyph(on ? ToolGlyph::HelpOn : ToolGlyph::HelpOff);
    if (helpSelectAction_) helpSelectAction_->setChecked(on);
}

void TAcount::Help_Button_Click() {
    helpMode().setOn(!helpMode().isOn());
}

void TAcount::HelpSelect_Click() {
    if (helpMode().isOn())
        helpMode().end();
    else
        helpMode().start();
}

void TAcount::AboutMenu_Click() {
    helpMode().end();
    HC->setImage(windowIcon().pixmap(32, 32));
    HC->showHelp(AboutTitle, aboutText());
    HC->setWindowTitle("About...");
}
