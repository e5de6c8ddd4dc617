// The entry line of the main window: its controls, how they follow the
// window's size, and how they mirror the entry the model shows.
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/event_watch.h"

#include "book/number_format.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/combo_type_ahead.h"
#include "mainwindow/qt/qt_text.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "toolkit/qt/ButtonUd.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/amount_fit.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/fixed_text_box.h"
#include "toolkit/qt/number_box.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace {

int px(int twips) {
    return toPixels(twips);
}

// The width (twips) a caption takes, as placed beside its field.
int captionWidth(const QLabel* caption) {
    return toTwips(caption->sizeHint().width());
}

// The entry panel: moving over its bare surface hides the add-line buttons'
// hover shadow.
class EntryPanel : public QWidget {
  public:
    using QWidget::QWidget;
    std::function<void()> onMouseMove;

  protected:
    void mouseMoveEvent(QMouseEvent*) override {
        if (onMouseMove) onMouseMove();
    }
};

// The entry frame around it, the same to the mouse, with its etched border:
// a highlight outline offset by 10 twips from a shadow outline.
class EtchedFrame : public EntryPanel {
  public:
    using EntryPanel::EntryPanel;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int w = width(), h = height();
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(1, 1, w - 2, h - 2);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(0, 0, w - 2, h - 2);
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

enum class CompoundLook { AddLine, Balance, Shadow };

QPixmap compoundPixmap(CompoundLook look) {
    QPixmap pm(px(design::CompoundSize), px(design::CompoundSize));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (look == CompoundLook::Shadow) {
        // Laid over an add-line button under the pointer: a darker ring.
        p.setPen(QPen(QColor(20, 60, 20, 170), 2));
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawEllipse(1, 1, pm.width() - 3, pm.height() - 3);
        return pm;
    }
    p.setPen(QColor(40, 90, 40));
    p.setBrush(QColor(220, 240, 220));
    p.drawEllipse(1, 1, pm.width() - 3, pm.height() - 3);
    QFont f = p.font();
    f.setPixelSize(pm.height() - 6);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, look == CompoundLook::Balance ? "=" : "+");
    return pm;
}

QLineEdit* newBox(QWidget* parent, int widthTwips) {
    auto* e = new QLineEdit(parent);
    e->resize(px(widthTwips), px(design::FieldHeight));
    return e;
}

} // namespace

void TAcount::buildEntryLine() {
    using namespace design;
    QWidget* central = centralWidget();
    auto* frame = new EtchedFrame(central);
    frame->setMouseTracking(true);
    frame->onMouseMove = [this] {
        ButtonBar->ButtonBorderOver->hide();
        CompShadow->hide();
    };
    xFrame1 = frame;
    xFrame1->move(px(FrameLeft), px(FrameTop));

    for (int i = 0; i < 10; ++i)
        GL[i] = new QLabel(i == 7 || i == 1 ? central : xFrame1);
    JournalID = newBox(xFrame1, ReferenceWidth);
    JournalID->move(px(ReferenceLeft), px(HeadTop));
    holdToBytes(JournalID, EntryId{}.bytes.size());
    // The date picker's month panel opens over the window's other controls.
    Datetext = new CalanderForm(xFrame1);
    Datetext->move(px(DateLeft), px(HeadTop) - 1);
    Datetext->setRunTimeState(&run_);
    Datetext->setDateStyleSource([this] { return static_cast<int>(book_.DateStyle); });
    // A long short-date form ("30 Dec 2025") fits the box in a point smaller.
    Datetext->setFontName(QApplication::font().family());
    Datetext->setFontSize(std::max(7.0, QApplication::font().pointSizeF() - 1));
    for (int i = 0; i < 2; ++i) {
        Reconcile[i] = new QLabel(xFrame1);
        Reconcile[i]->setPixmap(reconcilePixmap(i == 1));
        Reconcile[i]->resize(px(ReconcileSize), px(ReconcileSize));
    }
    GL[1]->setParent(xFrame1);
    placeReconcileMark();
    // The date box widens itself for a date style or font whose dates need it.
    new EventWatch(Datetext, QEvent::Resize, [this] { placeReconcileMark(); });
    CELablel = new QLabel(xFrame1);
    CELablel->move(0, px(HeadTop) + 3);
    CELablel->resize(px(PositionLabelWidth), px(FieldHeight));
    positionLabelRight_ = CELablel->width(); // until the window's size places it
    QFont bold = CELablel->font();
    bold.setBold(true);
    CELablel->setFont(bold);

    auto* panel = new EntryPanel(xFrame1);
    panel->setMouseTracking(true);
    panel->onMouseMove = [this] { CompShadow->hide(); };
    eBox = panel;
    EScroll = new TuvoVerticalScroll(xFrame1);
    EScroll->setValueMax(0);
    EScroll->hide();
    connect(EScroll, &TuvoVerticalScroll::Change, this, [this] { EScroll_Change(); });

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
        // As wide as the largest amount in its plain form; the rows make room.
        AmountFit::attach(amount, [this] {
            return std::vector<std::string>{
                plainNumberText(LargestFigure, model_.locale().decimalMark)};
        });
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
    // The pictures are sized now: the entry line is arranged before they are
    // first shown, and the balancing button is placed by their width.
    for (int i = 1; i <= 2; ++i) {
        CompoundEntry[i] = new QLabel(eBox);
        CompoundEntry[i]->setPixmap(compoundPixmap(CompoundLook::AddLine));
        CompoundEntry[i]->adjustSize();
        CompoundEntry[i]->setMouseTracking(true);
        CompoundEntry[i]->setToolTip(qs(entryFieldHelp(EntryField::AddLine).title));
        CompoundEntry[i]->hide();
    }
    CompShadow = new QLabel(eBox);
    CompShadow->setPixmap(compoundPixmap(CompoundLook::Shadow));
    CompShadow->adjustSize();
    CompShadow->setAttribute(Qt::WA_TransparentForMouseEvents);
    CompShadow->hide();
    CalcCompound = new QLabel(eBox);
    CalcCompound->setPixmap(compoundPixmap(CompoundLook::Balance));
    CalcCompound->adjustSize();
    CalcCompound->setMouseTracking(true);
    CalcCompound->setToolTip(qs(entryFieldHelp(EntryField::Balancing).title));
    CalcCompound->hide();

    ScrollAcc = new TuvoVerticalScroll(central);
    ScrollAcc->setValueMax(0);
    connect(ScrollAcc, &TuvoVerticalScroll::Change, this, [this] { ScrollAcc_Change(); });
    connect(ScrollAcc, &TuvoVerticalScroll::KeyDown, this, [this](KeyArgs& k) {
        // The arrow keys step by entries, not by the bar's own line.
        if (k.KeyCode == keys::Up) {
            k.KeyCode = 0;
            ScrollAcc->setValue(model_.previousEntryLine());
        } else if (k.KeyCode == keys::Down) {
            k.KeyCode = 0;
            ScrollAcc->setValue(model_.nextEntryLine());
        }
    });

    Command1 = new QPushButton(central);
    Command1->resize(px(NewEntryWidth), px(NewEntryHeight));
    connect(Command1, &QPushButton::clicked, this, [this] { runCommand(Command::NewEntryMenu); });
    GroupBu = new QPushButton(central);
    GroupBu->resize(px(IncludeWidth), px(NewEntryHeight));
    connect(GroupBu, &QPushButton::pressed, this, [this] { runCommand(Command::IncludeGroups); });
    alignStatusLine();
}

// ---------------------------------------------------------------- layout

// The reconciled tick and its label stand after the date box, as wide as it is.
void TAcount::placeReconcileMark() {
    const HeadRow h = headRowFor(toTwips(Datetext->width()), captionWidth(GL[3]));
    Datetext->move(px(h.dateLeft), Datetext->y());
    if (AccNote) placeHeadLabels(); // "Date :" follows its box (once the rows stand)
    for (QLabel* tick : Reconcile)
        tick->move(px(h.reconcileLeft), px(design::HeadTop) + 2);
    GL[1]->move(px(h.reconcileLabelLeft), px(design::HeadTop) + 3);
}

void TAcount::showDateInBookStyle() {
    Quiet quiet(*this);
    // With the entry's own day: the panel opens on it, whatever the style's year digits.
    if (model_.journalEmpty())
        Datetext->setText(qs(model_.dateText()));
    else
        Datetext->setDayText(model_.dateText(), book_.EntryLines[run_.CurrentFirstLine].Date);
}

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
    EntryRowNeeds needs;
    needs.captionWidth = std::max(captionWidth(GL[4]), captionWidth(GL[6]));
    needs.creditCaptionWidth = captionWidth(GL[5]);
    std::vector<QLineEdit*> numbers(DebitFolio.begin(), DebitFolio.end());
    numbers.insert(numbers.end(), CreditFolio.begin(), CreditFolio.end());
    needs.folioWidth = toTwips(fitNumberBoxes(numbers, book_, model_.locale().decimalMark));
    needs.amountWidth = toTwips(AmountFit::of(DebitAmountText[0])->widthNeeded());
    needs.currencyLabelWidth = toTwips(GL[8]->fontMetrics().horizontalAdvance(GL[8]->text()));
    needs.statusHeight = toTwips(GL[7]->fontMetrics().height());
    const WindowLayout l = layoutFor(innerW, innerH, outer.width, centralWidget()->width(), needs);
    // By its edges, so that controls that meet in twips meet in pixels.
    auto place = [](QWidget* w, const Rect& r) {
        w->setGeometry(px(r.left), px(r.top), std::max(1, px(r.right()) - px(r.left)),
                       std::max(1, px(r.bottom()) - px(r.top)));
    };
    place(ScrollAcc, l.scrollAcc);
    place(xFrame1, l.frame);
    place(eBox, l.panel);
    ButtonBar->resize(std::max(1, px(l.buttonBarWidth)), ButtonBar->height());
    // Left of the entry scroller, which stands over the frame's right edge.
    positionLabelRight_ =
        std::min(px(l.positionLabelLeft - design::FrameLeft + design::PositionLabelWidth),
                 px(l.scrollAcc.left - l.frame.left) - 4);
    fitPositionLabel();
    place(Command1, l.newEntry);
    place(GroupBu, l.include);
    place(GL[7], l.status);
    alignStatusLine();
    for (int k = 0; k < EntryRowsPerSide; ++k) {
        DebitFolio[k]->setGeometry(px(l.debitFolioLeft), DebitFolio[k]->y(), px(l.folioWidth),
                                   DebitFolio[k]->height());
        CreditFolio[k]->setGeometry(px(l.creditFolioLeft), CreditFolio[k]->y(), px(l.folioWidth),
                                    CreditFolio[k]->height());
        DebitAccName[k]->setGeometry(px(l.debitNameLeft), DebitAccName[k]->y(),
                                     std::max(1, px(l.nameWidth)), DebitAccName[k]->height());
        CreditAccName[k]->setGeometry(px(l.creditNameLeft), CreditAccName[k]->y(),
                                      std::max(1, px(l.nameWidth)), CreditAccName[k]->height());
        DebitAmountText[k]->setGeometry(px(l.debitAmountLeft), DebitAmountText[k]->y(),
                                        px(l.amountWidth), DebitAmountText[k]->height());
        CreditAmountText[k]->setGeometry(px(l.creditAmountLeft), CreditAmountText[k]->y(),
                                         px(l.amountWidth), CreditAmountText[k]->height());
    }
    GL[8]->move(px(l.debitCurrencyLeft), GL[8]->y());
    GL[9]->move(px(l.creditCurrencyLeft), GL[9]->y());
    AccNote->setGeometry(px(l.noteLeft), AccNote->y(), std::max(1, px(l.noteWidth - l.noteLeft)),
                         AccNote->height());
    placeHeadLabels(); // the captions follow their fields
    EScroll->setGeometry(px(l.panelScroller.left - design::FrameLeft), px(l.panelScroller.top),
                         px(l.panelScroller.width), std::max(1, px(l.panelScroller.height)));
    CompoundEntry[1]->move(px(l.debitCompoundLeft), CompoundEntry[1]->y());
    CompoundEntry[2]->move(px(l.creditCompoundLeft), CompoundEntry[2]->y());
    ButtonBar->placeHelpButton(l.helpButtonLeft);
    const PanelScroller s = panelScrollerOnResize(l.panel.height, RowTop, PanelOffset, isVisible());
    if (!s.visible) {
        if (s.resetValue && EScroll->Value() != 0) EScroll->setValue(0);
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
    showJournalLine(std::max(0, book_.LastEntryLine()));
}

void TAcount::showJournalLine(int line) {
    setEntryScrollerMax(std::max(0, book_.LastEntryLine()));
    ScrollAcc->setValue(line);
}

void TAcount::applyEntryLineFont(const QString& fontName, bool dateBoxToo) {
    if (fontName.isEmpty()) return;
    auto named = [&](QWidget* w) {
        QFont f = w->font();
        f.setFamily(fontName);
        w->setFont(f);
    };
    for (int r = 0; r < EntryRowsPerSide; ++r) {
        named(DebitFolio[r]);
        named(DebitAccName[r]);
        named(CreditFolio[r]);
        named(CreditAccName[r]);
    }
    named(AccNote);
    if (dateBoxToo) Datetext->setFontName(fontName);
    Form_Resize(); // the number boxes measure their widest number anew
}

void TAcount::setEntryScrollerMax(int lastLine) {
    if (ScrollAcc->ValueMax() == lastLine) return;
    ScrollAcc->setValueMax(lastLine);
    ScrollAcc->Refresh(); // the thumb's size follows the new range
}

void TAcount::refillAccountBoxes() {
    Quiet quiet(*this); // the boxes' texts change, nothing was typed
    accountList->refill(accountBoxNames(book_));
    Form_Resize(); // the number boxes hold the chart's widest number
}

void TAcount::ScrollAcc_Change() {
    commitFocusedField(); // the entry left keeps what was typed in it
    typedField_ = nullptr;
    Quiet quiet(*this);
    CompoundEntry[1]->hide();
    CompoundEntry[2]->hide();
    CompShadow->hide();
    CalcCompound->hide();
    GL[7]->setText("");
    model_.showEntryHolding(ScrollAcc->Value());
    // Every entry shows from its first row; the panel scroller starts there too.
    if (EScroll->Value() != 0) EScroll->setValue(0);
    PanelOffset = 0;
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
        EScroll->Refresh();
    } else {
        EScroll->hide();
    }
    CalcCompound->hide();
    // The display's own word (an entry longer than its rows), else a black line.
    const std::string status = model_.statusText();
    setStatus(StatusUpdate{status, status.empty() ? StatusColour::Black : StatusColour::Red});
    emit entryShown();
}

void TAcount::EScroll_Change() {
    PanelOffset = EScroll->Value();
    DrCrArrange();
}

void TAcount::setStatus(const StatusUpdate& status) {
    if (status.text) {
        GL[7]->setText(qs(*status.text));
        GL[7]->setToolTip(qs(*status.text)); // a long text shows whole here
    }
    if (status.colour)
        GL[7]->setStyleSheet(*status.colour == StatusColour::Red ? "color: #FF0000" : "");
    alignStatusLine();
}

void TAcount::alignStatusLine() {
    QLabel* status = GL[7];
    const bool fits =
        status->fontMetrics().horizontalAdvance(status->text()) <= status->contentsRect().width();
    status->setAlignment((fits ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TAcount::Rec1() {
    CELablel->setText(qs(model_.positionText()));
    fitPositionLabel();
}

// The position label keeps its right edge and grows leftwards to show its
// whole text ("Entry 999999 - 1000000" on a book of a million lines).
void TAcount::fitPositionLabel() {
    const int needed = CELablel->fontMetrics().horizontalAdvance(CELablel->text()) + 4;
    const int width = std::max(px(design::PositionLabelWidth), needed);
    CELablel->setGeometry(positionLabelRight_ - width, CELablel->y(), width, CELablel->height());
}

void TAcount::DrCrArrange() {
    Quiet quiet(*this);
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
    rows_ = arrangeRows(sides, PanelOffset, rowHeight);
    const RowArrangement& a = rows_;
    RowTop = a.rowTop;
    showDateInBookStyle();

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
                setBoxText(name[r], QString());
                amount[r]->clear();
                continue;
            }
            const EntryRow& row = rows[static_cast<std::size_t>(r)];
            const int top = px(tops[static_cast<std::size_t>(r)]);
            folio[r]->move(folio[r]->x(), top);
            name[r]->move(name[r]->x(), top);
            amount[r]->move(amount[r]->x(), top);
            folio[r]->setText(qs(row.folio));
            setBoxText(name[r], qs(row.name));
            amount[r]->setText(qs(row.amount));
        }
    };
    fill(debits, a.debitTops, DebitFolio, DebitAccName, DebitAmountText);
    fill(credits, a.creditTops, CreditFolio, CreditAccName, CreditAmountText);

    GL[8]->move(GL[8]->x(), px(a.debitLabelTop));
    GL[9]->move(GL[9]->x(), px(a.creditLabelTop));
    CompoundEntry[1]->move(CompoundEntry[1]->x(), px(a.debitCompoundTop));
    CompoundEntry[2]->move(CompoundEntry[2]->x(), px(a.creditCompoundTop));
    AccNote->move(AccNote->x(), px(a.noteTop));
    placeHeadLabels();
    // The balancing button beside the add-line button of a side with two or
    // more lines (of the debit side for a simple entry, where the totals may
    // show it).
    const bool compound = debits.size() >= 2 || credits.size() >= 2;
    QLabel* b = CompoundEntry[debits.size() < 2 && credits.size() >= 2 ? 2 : 1];
    CalcCompound->move(b->x() + b->width() + px(30), b->y());
    CalcCompound->setVisible(compound);
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
        ScrollAcc->setValue(model_.previousEntryLine());
        return;
    }
    if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier) {
        ScrollAcc->setValue(model_.nextEntryLine());
        return;
    }
    QMainWindow::keyPressEvent(e);
}
