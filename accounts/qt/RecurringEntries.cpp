#include "accounts/qt/RecurringEntries.h"

#include "accounts/editor_position.h"
#include "book/account_name_box.h"
#include "book/account_number_text.h"
#include "book/book_text_forms.h"
#include "book/number_format.h"
#include "book/tmain.h"
#include "book/typed_input.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/key_codes.h"
#include "toolkit/qt/BandedBackdrop.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/amount_fit.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/field_events.h"
#include "toolkit/qt/fixed_text_box.h"
#include "toolkit/qt/number_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Layout in pixels.
constexpr int ButtonTop = 6;
constexpr int ButtonHeight = 24;
constexpr int ButtonWidth = 104;
constexpr int NameBoxTop = 36;
constexpr int NameBoxHeight = 22;
constexpr int LineAreaTop = 64;
constexpr int RowHeight = 22;
constexpr int LabelWidth = 56; // at least; wider for a caption that needs it
constexpr int DebitLabelLeft = 4;
constexpr int CreditLabelLeft = 36; // credit rows stand indented
constexpr int FolioWidth = 64;      // at least; wider for the chart's widest number
constexpr int AmountWidth = 100;    // at least; wider for the widest figure
constexpr int AddLineWidth = 20;
constexpr int ScrollWidth = 17;
constexpr int NoteGap = 8; // between entries
// The smallest window: 9915 by 5535 twips.
constexpr int MinWidth = 9915 / 15;
constexpr int MinHeight = 5535 / 15;

const QColor CreditBack(255, 240, 240);

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

void paintBox(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
    if (auto* box = qobject_cast<QComboBox*>(w); box && box->lineEdit())
        box->lineEdit()->setPalette(p);
}

void setLabelColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

std::string decimalMark() {
    return currentLocale().decimalMark;
}

} // namespace

RecurringEntries::RecurringEntries(Book& book, RunTimeState& run, const EntryGroupHost& host,
                                   QWidget* owner)
    : QWidget(owner, Qt::Window), book_(book), run_(run), host_(host), editor_(book, run) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The toolbar's picture along the top, once; the rows stand on plain ground.
    if (!host_.backdrop.isNull()) showPictureOnce(this, host_.backdrop);
    // The command buttons, side by side, each as wide as its caption needs.
    int buttonsRight = 4;
    auto button = [this, &buttonsRight](int n) {
        auto* b = new QPushButton(qs(strings::text(n)), this);
        const int width = std::max(ButtonWidth, b->sizeHint().width());
        b->setGeometry(buttonsRight + 4, ButtonTop, width, ButtonHeight);
        buttonsRight = b->geometry().right() + 1;
        return b;
    };
    Edit_op = button(117);
    Edit_op->setFlat(true);
    Edit_op->setFocusPolicy(Qt::NoFocus);
    New_E = button(317);
    C_E = button(119);
    P_E = button(120);
    Del_E = button(121);
    connect(New_E, &QPushButton::clicked, this, [this] { New_E_Click(); });
    connect(C_E, &QPushButton::clicked, this, [this] { C_E_Click(); });
    connect(P_E, &QPushButton::clicked, this, [this] { P_E_Click(); });
    connect(Del_E, &QPushButton::clicked, this, [this] { Del_E_Click(); });

    // The group's name.
    GroupLabels = new QLineEdit(this);
    GroupLabels->setGeometry(8, NameBoxTop, 360, NameBoxHeight);
    holdToBytes(GroupLabels, GroupName{}.bytes.size());
    if (!book_.FontName.str().empty()) {
        QFont f = GroupLabels->font();
        f.setFamily(qs(book_.FontName.str()));
        GroupLabels->setFont(f);
    }
    GroupLabels->setText(qs(std::string(textforms::trimSpaces(book_.GroupNames[0].shown()))));
    FieldEvents* name = FieldEvents::attach(GroupLabels);
    name->keyDown = [this](KeyArgs& k) {
        if (k.KeyCode == keys::Up) {
            k.KeyCode = 0;
            ScrollAcc->setValue(editor_.EntryFirstLine() - 1);
        } else if (k.KeyCode == keys::Down) {
            k.KeyCode = 0;
            ScrollAcc->setValue(editor_.EntryLastLine() + 1);
        } else if (k.KeyCode == keys::Left || k.KeyCode == keys::Right) {
            k.KeyCode = 0;
        }
    };
    connect(GroupLabels, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_.setName(text.toStdString());
        if (nameChanged) nameChanged();
    });

    // The line area and its scroll bar.
    eBox = new QWidget(this);
    eBox->move(0, LineAreaTop);
    ScrollAcc = new TuvoVerticalScroll(this);
    connect(ScrollAcc, &TuvoVerticalScroll::Change, this, [this] { ScrollAcc_Change(); });
    connect(ScrollAcc, &TuvoVerticalScroll::GotFocus, this, [this] { hideAddLineButtons(); });

    // Every account with a name, in the table's order, in one list for all rows.
    QStringList names;
    for (int i = 0; i < book_.slotsInUse(); ++i)
        if (!textforms::trimSpaces(book_.AccountNames[i]).empty())
            names << qs(book_.AccountNames[i]);
    accounts_ = new QStringListModel(names, this);
    buildRows();

    editor_.open();
    ScrollAcc->setValueMax(editor_.LastLine());
    ScrollAcc->setValue(0);

    setMinimumSize(std::max(MinWidth, buttonsRight + 8), MinHeight);
    resize(std::max(minimumWidth(), 760), std::max(MinHeight, 460));
    const EditorPosition at = readEditorPosition();
    move(at.left ? *at.left / 15 : x(), at.top ? *at.top / 15 : y());
}

RecurringEntries::~RecurringEntries() {
    // The rows go while the editor they write to still stands.
    drawing_ = true;
    delete eBox;
}

void RecurringEntries::buildRows() {
    QFont boxFont = font();
    if (!book_.FontName.str().empty()) boxFont.setFamily(qs(book_.FontName.str()));
    for (int r = 0; r < Rows; ++r) {
        CrDrLabel[r] = new QLabel(eBox);
        CrDrLabel2[r] = new QLabel(qs(strings::text(152)), eBox);
        CrDrLabel2[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setLabelColour(CrDrLabel2[r], QColor(0, 0, 255));
        Folio[r] = new QLineEdit(eBox);
        Folio[r]->resize(FolioWidth, RowHeight);
        Account_Name[r] = new QComboBox(eBox);
        Account_Name[r]->setEditable(true);
        Account_Name[r]->setModel(accounts_);
        if (host_.installTypeAhead) host_.installTypeAhead(Account_Name[r]);
        Account_Name[r]->resize(300, RowHeight);
        AmountText[r] = new QLineEdit(eBox);
        AmountText[r]->resize(AmountWidth, RowHeight);
        AmountText[r]->setAlignment(Qt::AlignRight);
        AccNote[r] = new QLineEdit(eBox);
        AccNote[r]->resize(400, RowHeight);
        for (QWidget* w : {static_cast<QWidget*>(Folio[r]), static_cast<QWidget*>(Account_Name[r]),
                           static_cast<QWidget*>(AmountText[r]), static_cast<QWidget*>(AccNote[r])})
            w->setFont(boxFont);
        // As wide as the largest amount in its plain form; the account box gives way.
        AmountFit::attach(AmountText[r], [] {
            return std::vector<std::string>{plainNumberText(LargestFigure, decimalMark())};
        });
        wireRow(r);
    }
    amountWidth_ = std::max(AmountWidth, AmountFit::of(AmountText[0])->widthNeeded());
    folioWidth_ =
        std::max(FolioWidth, fitNumberBoxes({Folio.begin(), Folio.end()}, book_, decimalMark()));
    // The side labels' column holds the longest caption.
    labelWidth_ = LabelWidth;
    const QFontMetrics captions = CrDrLabel[0]->fontMetrics();
    for (int text : {150, 151, 152})
        labelWidth_ =
            std::max(labelWidth_, captions.horizontalAdvance(qs(strings::text(text))) + 2);
    for (int r = 0; r < Rows; ++r) {
        CrDrLabel[r]->resize(labelWidth_, RowHeight - 4);
        CrDrLabel2[r]->resize(labelWidth_, RowHeight - 4);
    }
    for (int side = 1; side <= 2; ++side) {
        CompoundEntry[side] = new QLabel(eBox);
        if (host_.addLinePicture.isNull())
            CompoundEntry[side]->setText(QStringLiteral("+"));
        else
            CompoundEntry[side]->setPixmap(host_.addLinePicture);
        CompoundEntry[side]->resize(AddLineWidth, RowHeight);
        CompoundEntry[side]->setAlignment(Qt::AlignCenter);
        CompoundEntry[side]->setCursor(Qt::PointingHandCursor);
        CompoundEntry[side]->hide();
        FieldEvents::attach(CompoundEntry[side])->click = [this, side] {
            CompoundEntry_Click(side);
        };
    }
}

void RecurringEntries::wireRow(int r) {
    const auto keyDown = [this, r](KeyArgs& k) { rowKeyDown(r, k); };
    const auto gotFocus = [this, r] { Folio_GotFocus(r); };
    // A refused key or change is told once the box is left, with what leaving
    // finds: a message box now would take the keys typed next.
    const auto tell = [this](const std::string& problem) {
        refusal_ += (refusal_.empty() ? "" : "\n") + problem;
    };
    for (QWidget* w : {static_cast<QWidget*>(Folio[r]), static_cast<QWidget*>(Account_Name[r]),
                       static_cast<QWidget*>(AmountText[r]), static_cast<QWidget*>(AccNote[r])}) {
        FieldEvents* events = FieldEvents::attach(w);
        events->keyDown = keyDown;
        events->gotFocus = gotFocus;
        if (w == Folio[r]) {
            events->keyPress = [tell](KeyPressArgs& k) { numberKeyPress(k, decimalMark(), tell); };
            events->lostFocus = [this, r] {
                if (!drawing_) leaveFolio(r);
            };
        } else if (w == AmountText[r]) {
            events->keyPress = [tell](KeyPressArgs& k) {
                amountKeyPress(k, marksOf(currentLocale()), tell);
            };
            events->lostFocus = [this, r] {
                if (!drawing_) leaveAmount(r);
            };
        } else if (w == Account_Name[r]) {
            events->lostFocus = [this, r] {
                if (!drawing_) leaveName(r);
            };
        }
    }
    // Each box writes into the line its row shows, as it is edited.
    connect(Folio[r], &QLineEdit::textEdited, this, [this, r](const QString& text) {
        const std::string name = editor_.setFolio(lineOf(r), text.toStdString(), decimalMark());
        setBoxText(Account_Name[r], qs(name));
    });
    connect(Account_Name[r], &QComboBox::activated, this, [this, r](int index) {
        if (drawing_ || index < 0) return;
        const std::optional<std::string> folio = editor_.setAccountName(
            lineOf(r), Account_Name[r]->itemText(index).toStdString(), decimalMark());
        if (folio) Folio[r]->setText(qs(*folio));
    });
    showPicksFromStart(Account_Name[r]);
    auto* validator =
        new AmountValidator([] { return marksOf(currentLocale()); },
                            [this, r] { return editor_.heldAmount(lineOf(r)); }, AmountText[r]);
    validator->refused = tell;
    AmountText[r]->setValidator(validator);
    connect(AmountText[r], &QLineEdit::textEdited, this, [this, r](const QString& text) {
        const AmountCheck check = checkAmountText(text.toStdString(), marksOf(currentLocale()),
                                                  editor_.heldAmount(lineOf(r)));
        if (check.isAmount()) editor_.setAmount(lineOf(r), check.value);
    });
    connect(AccNote[r], &QLineEdit::textEdited, this,
            [this, r](const QString& text) { editor_.setNote(lineOf(r), text.toStdString()); });
}

// ---------------------------------------------------------------- the grid

void RecurringEntries::ScrollAcc_Change() {
    drawing_ = true;
    editor_.setTopLine(ScrollAcc->Value());
    const std::vector<EntryLine>& lines = editor_.lines();
    const std::int32_t top = editor_.TopLine();
    const std::string mark = decimalMark();
    int y = 4 - RowHeight;
    for (int r = 0; r < Rows; ++r) {
        CrDrLabel2[r]->hide();
        const std::int32_t n = top + r;
        if (n > editor_.LastLine()) {
            for (QWidget* w :
                 {static_cast<QWidget*>(Folio[r]), static_cast<QWidget*>(Account_Name[r]),
                  static_cast<QWidget*>(AmountText[r]), static_cast<QWidget*>(AccNote[r]),
                  static_cast<QWidget*>(CrDrLabel[r])})
                w->hide();
            continue;
        }
        const EntryLine& line = lines[static_cast<std::size_t>(n)];
        int folioLeft = Folio[r]->x();
        if (line.Side == Debit) {
            CrDrLabel[r]->setText(qs(strings::text(150)));
            setLabelColour(CrDrLabel[r], QColor(0, 0, 0));
            CrDrLabel[r]->move(DebitLabelLeft, CrDrLabel[r]->y());
            CrDrLabel[r]->setVisible(n == 0 || closesEntry(lines[n - 1].Details));
            folioLeft = DebitLabelLeft + labelWidth_;
        } else if (line.Side == Credit) {
            CrDrLabel[r]->setText(qs(strings::text(151)));
            setLabelColour(CrDrLabel[r], QColor(255, 0, 0));
            CrDrLabel[r]->move(CreditLabelLeft, CrDrLabel[r]->y());
            CrDrLabel[r]->setVisible(n > 0 && lines[n - 1].Side == Debit);
            folioLeft = CreditLabelLeft + labelWidth_ + 2;
        } else {
            CrDrLabel[r]->hide();
        }
        if (line.Side == Debit || line.Side == Credit) {
            const QColor back =
                line.Side == Credit ? CreditBack : QApplication::palette().color(QPalette::Base);
            for (QWidget* w :
                 {static_cast<QWidget*>(Folio[r]), static_cast<QWidget*>(Account_Name[r]),
                  static_cast<QWidget*>(AmountText[r])})
                paintBox(w, back);
        }
        Folio[r]->setText(qs(lineFolioText(book_, line.AccountNumber, mark)));
        setBoxText(Account_Name[r], qs(Tmain::AccountNameByNumber(book_, line.AccountNumber)));
        AmountText[r]->setText(qs(amountBoxText(line.Amount, mark)));
        y += RowHeight;
        CrDrLabel[r]->move(CrDrLabel[r]->x(), y + 2);
        Folio[r]->setGeometry(folioLeft, y, folioWidth_, RowHeight);
        Account_Name[r]->move(folioLeft + folioWidth_, y);
        AmountText[r]->move(Account_Name[r]->x() + Account_Name[r]->width(), y);
        Folio[r]->show();
        Account_Name[r]->show();
        AmountText[r]->show();
        if (closesEntry(line.Details)) {
            y += RowHeight;
            AccNote[r]->setGeometry(folioLeft, y, noteWidth(folioLeft), RowHeight);
            AccNote[r]->setText(line.Details == "_" ? QString() : qs(line.Details));
            AccNote[r]->show();
            // "Notes :" stands just before its box, on a debit row as on a credit one.
            CrDrLabel2[r]->move(std::max(0, folioLeft - 2 - labelWidth_), y + 2);
            CrDrLabel2[r]->show();
            y += NoteGap;
        } else {
            AccNote[r]->hide();
        }
    }
    drawing_ = false;
}

void RecurringEntries::hideAddLineButtons() {
    CompoundEntry[1]->hide();
    CompoundEntry[2]->hide();
}

void RecurringEntries::Folio_GotFocus(int r) {
    const std::int32_t line = lineOf(r);
    editor_.focusLine(line);
    if (line > editor_.LastLine()) return;
    hideAddLineButtons();
    const std::uint8_t side = editor_.lines()[static_cast<std::size_t>(line)].Side;
    if ((side == Debit || side == Credit) && editor_.canAddLine(side)) {
        QLabel* add = CompoundEntry[side];
        add->move(AmountText[r]->x() + AmountText[r]->width(), AmountText[r]->y());
        add->show();
        add->raise();
    }
}

// ---------------------------------------------------------------- leaving a box

void RecurringEntries::leaveFolio(int r) {
    showLeftBox(Folio[r],
                editor_.leaveFolio(lineOf(r), Folio[r]->text().toStdString(), decimalMark()));
}

void RecurringEntries::leaveAmount(int r) {
    LeftBox left = leaveAmountBox(AmountText[r]->text().toStdString(), marksOf(currentLocale()),
                                  editor_.heldAmount(lineOf(r)));
    // What was refused while typing is told with what the box keeps.
    if (!refusal_.empty())
        left.problem =
            std::exchange(refusal_, {}) + (left.problem.empty() ? "" : "\n") + left.problem;
    showLeftBox(AmountText[r], left);
}

void RecurringEntries::leaveName(int r) {
    const std::int32_t line = lineOf(r);
    if (line > editor_.LastLine()) return;
    const std::string typed = Account_Name[r]->currentText().toStdString();
    const NamedAccount chosen =
        leaveAccountNameBox(book_, typed, editor_.lines()[line].AccountNumber);
    if (chosen.number) {
        if (const auto folio = editor_.setAccountName(line, typed, decimalMark()))
            Folio[r]->setText(qs(*folio));
        return;
    }
    // The box shows the account kept before anything is told.
    if (typed != chosen.left.text) setBoxText(Account_Name[r], qs(chosen.left.text));
    if (!chosen.left.problem.empty()) showMessage(chosen.left.problem);
}

void RecurringEntries::leaveRow(int r) {
    const QWidget* at = QApplication::focusWidget();
    if (at == Folio[r])
        leaveFolio(r);
    else if (at == AmountText[r])
        leaveAmount(r);
    else if (at && (at == Account_Name[r] || Account_Name[r]->isAncestorOf(at)))
        leaveName(r);
}

void RecurringEntries::rowKeyDown(int r, KeyArgs& k) {
    hideAddLineButtons();
    switch (k.KeyCode) {
    // The grid moves under the box, which then shows another line: the box
    // is left first, as when the focus goes.
    case keys::Up:
        k.KeyCode = 0;
        if (ScrollAcc->Value() < 1) break;
        leaveRow(r);
        ScrollAcc->setValue(ScrollAcc->Value() - 1);
        break;
    case keys::Down:
        k.KeyCode = 0;
        if (ScrollAcc->Value() >= editor_.LastLine()) break;
        leaveRow(r);
        ScrollAcc->setValue(ScrollAcc->Value() + 1);
        break;
    case keys::Left:
    case keys::Right:
        k.KeyCode = 0;
        break;
    case keys::PageUp:
    case keys::PageDown:
        Folio[0]->setFocus(); // row 0 takes the focus and makes its line current
        return;
    default:
        break;
    }
    // The row may show another line now: it and its entry become current.
    editor_.focusLine(lineOf(r));
}

// ---------------------------------------------------------------- commands

void RecurringEntries::scrollTo(std::int32_t line) {
    ScrollAcc->setValueMax(editor_.LastLine());
    ScrollAcc->Refresh();
    ScrollAcc->setValue(line);
}

void RecurringEntries::New_E_Click() {
    hideAddLineButtons();
    editor_.newEntry();
    scrollTo(editor_.EntryFirstLine());
}

void RecurringEntries::CompoundEntry_Click(int side) {
    const bool more = editor_.addLine(static_cast<std::uint8_t>(side));
    scrollTo(editor_.TopLine());
    if (!more) CompoundEntry[side]->hide();
}

void RecurringEntries::Del_E_Click() {
    hideAddLineButtons();
    if (!editor_.deleteEntry()) return;
    scrollTo(editor_.EntryFirstLine());
}

void RecurringEntries::C_E_Click() {
    services().clipboard->setText(editor_.copyText(decimalMark()));
    // The copied rows marked until the next redraw.
    const std::int32_t first = editor_.EntryFirstLine();
    const std::int32_t last = std::max(editor_.EntryLastLine(), 1);
    const QColor marked = QApplication::palette().color(QPalette::Inactive, QPalette::Button);
    for (int r = 0; r < Rows; ++r) {
        const std::int32_t n = lineOf(r);
        if (n > editor_.LastLine()) break;
        const std::uint8_t side = editor_.lines()[static_cast<std::size_t>(n)].Side;
        QColor back;
        if (n >= first && n <= last)
            back = marked;
        else if (side == Credit)
            back = CreditBack;
        else if (side == Debit)
            back = QApplication::palette().color(QPalette::Base);
        else
            continue;
        for (QWidget* w : {static_cast<QWidget*>(Folio[r]), static_cast<QWidget*>(Account_Name[r]),
                           static_cast<QWidget*>(AmountText[r])})
            paintBox(w, back);
    }
}

void RecurringEntries::P_E_Click() {
    if (!editor_.paste(services().clipboard->text(), marksOf(currentLocale()))) return;
    scrollTo(editor_.EntryFirstLine());
}

// ---------------------------------------------------------------- window

void RecurringEntries::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void RecurringEntries::Form_Resize() {
    if (isMinimized()) return;
    eBox->resize(width() - ScrollWidth, height() - LineAreaTop);
    ScrollAcc->setGeometry(eBox->width(), LineAreaTop, ScrollWidth, height() - LineAreaTop);
    const int nameWidth = std::max(60, eBox->width() - (Account_Name[0]->x() + amountWidth_ +
                                                        AddLineWidth + ScrollWidth + 20));
    for (int r = 0; r < Rows; ++r) {
        Account_Name[r]->resize(nameWidth, Account_Name[r]->height());
        AmountText[r]->setGeometry(Account_Name[r]->x() + nameWidth, AmountText[r]->y(),
                                   amountWidth_, RowHeight);
        for (int side = 1; side <= 2; ++side)
            if (CompoundEntry[side]->y() == Account_Name[r]->y())
                CompoundEntry[side]->move(AmountText[r]->x() + amountWidth_,
                                          CompoundEntry[side]->y());
        AccNote[r]->resize(noteWidth(AccNote[r]->x()), AccNote[r]->height());
    }
}

int RecurringEntries::noteWidth(int left) const {
    return std::max(60, std::min(eBox->width() - ScrollWidth - 70, eBox->width() - left - 4));
}

void RecurringEntries::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() && deactivated)
        deactivated();
}

void RecurringEntries::closeEvent(QCloseEvent* e) {
    if (!closed_) {
        closed_ = true;
        editor_.writeBack();
        storeEditorPosition(x() * 15, y() * 15);
    }
    QWidget::closeEvent(e);
}
