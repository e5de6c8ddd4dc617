#include "calculators/qt/Depreciation.h"

#include "book/typed_input.h"
#include "calculators/depreciation.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/amount_fit.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/field_events.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

int px(int twips) {
    return twips / 15;
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int RowPitch = 360;       // twips between schedule rows
constexpr int BoxHeight = 330;      // twips
constexpr int PictureHeight = 4995; // twips: the box the rows scroll in
constexpr int VisibleYears = 13;    // a longer schedule needs the scroll bar
constexpr int CostLength = 10;      // characters the cost box takes
// Designed places (twips) of a row's boxes and rate label, the frame, the
// scroll bar and the window; a box wider than designed moves what follows.
constexpr int ValueLeft = 780, RateLeft = 2460, DepreciationLeft = 3240, BoxWidth = 1635;
constexpr int FrameWidth = 5475, PictureWidth = 4995, ScrollLeft = 5040;
constexpr int WindowWidth = 5700, WindowHeight = 6630;
// The most rows that can be in view at once, cut at the top and the bottom.
constexpr std::size_t PoolRows = (PictureHeight + BoxHeight) / RowPitch + 1;

} // namespace

Depreciation::Depreciation(const Book& book, QWidget* parent)
    : QWidget(parent), book_(book), decimals_(std::clamp<int>(book.DecimalsJournal, 0, 3)),
      marks_(marksOf(currentLocale())) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(px(WindowWidth), px(WindowHeight));
    const char* captions[] = {"Cost of Asset", "%", "Years", "Reducing Balance :"};
    const QRect places[] = {twipsRect(600, 420, 1140, 225), twipsRect(2280, 420, 135, 225),
                            twipsRect(2700, 420, 495, 225), twipsRect(120, 120, 1620, 225)};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(captions[i], this);
        l->setGeometry(places[i]);
        Label1.push_back(l);
    }
    auto box = [this](QRect at, int maxLength, const char* text, const char* tip) {
        auto* b = new QLineEdit(text, this);
        b->setGeometry(at);
        b->setAlignment(Qt::AlignCenter);
        b->setMaxLength(maxLength);
        b->setToolTip(tip);
        return b;
    };
    Cost = box(twipsRect(240, 660, 1875, 330), CostLength, "", "Capital Cost of Asset...");
    AmountFit::attach(Cost);
    FieldEvents::attach(Cost)->keyPress = [this](KeyPressArgs& k) {
        amountKeyPress(
            k, marksOf(currentLocale()), [](const std::string& problem) { showMessage(problem); },
            Cost);
    };
    Percent = box(twipsRect(2160, 660, 435, 330), 2, "20", "% Rate of Depreciation..");
    TheYears = box(twipsRect(2640, 660, 615, 330), 2, "", "Number of Years...");
    // Each box, once left, shows the figure the schedule uses of it.
    for (auto [b, kind] :
         {std::pair{Cost, DepreciationBox::Cost}, std::pair{Percent, DepreciationBox::Percent},
          std::pair{TheYears, DepreciationBox::Years}})
        FieldEvents::attach(b)->lostFocus = [this, b, kind] { leaveBox(b, kind); };
    Command1 = new QPushButton("Calculate", this);
    Command1->setGeometry(twipsRect(3420, 540, 1215, 435));
    Command1->setToolTip("Calculate Depreciation...");
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Frame1 = new QGroupBox("Reducing Balance Depreciation", this);
    Frame1->setGeometry(twipsRect(120, 1200, FrameWidth, 5355));
    Picture1 = new QWidget(Frame1);
    Picture1->setGeometry(twipsRect(60, 240, PictureWidth, PictureHeight));
    VScroll1 = new QScrollBar(Qt::Vertical, Frame1);
    VScroll1->setGeometry(twipsRect(ScrollLeft, 240, 315, PictureHeight));
    VScroll1->setSingleStep(RowPitch);
    VScroll1->setPageStep(RowPitch * 10);
    VScroll1->hide();
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
    setTabOrder(Cost, Percent);
    setTabOrder(Percent, TheYears);
    setTabOrder(TheYears, Command1);
    addRow();
    L1[0]->setText("1 :");
    rateText_ = "x 20% =";
    L2[0]->setText(rateText_);
    fitRows();
    Form_Load();
}

void Depreciation::fitRows() {
    // The boxes as wide as the schedule's widest figure and the year labels
    // as its widest label, never narrower than designed, the rate labels as
    // their text; what follows each moves right, the frame and the window
    // grow by as much.
    const QFontMetrics labels = L1[0]->fontMetrics();
    const AmountFit* figures = AmountFit::of(Stage1[0]);
    int yearText = labels.horizontalAdvance(L1[0]->text()), figureBox = 0;
    for (std::size_t year = 0; year < years_.size(); ++year) {
        const RowTexts row = rowTexts(year);
        yearText = std::max(yearText, labels.horizontalAdvance(row.year));
        figureBox = std::max(
            {figureBox, figures->widthFor(row.bookValue), figures->widthFor(row.depreciation)});
    }
    yearWidth_ = std::max(px(ValueLeft) - 4, yearText + 2);
    boxWidth_ = std::max(px(BoxWidth), figureBox);
    rateWidth_ = std::max(px(DepreciationLeft - RateLeft), labels.horizontalAdvance(rateText_) + 4);
    const int wider = yearWidth_ - (px(ValueLeft) - 4) + 2 * (boxWidth_ - px(BoxWidth)) +
                      rateWidth_ - px(DepreciationLeft - RateLeft);
    for (std::size_t row = 0; row < L1.size(); ++row)
        placeRow(row);
    Picture1->resize(px(PictureWidth) + wider, Picture1->height());
    VScroll1->move(px(ScrollLeft) + wider, VScroll1->y());
    Frame1->resize(px(FrameWidth) + wider, Frame1->height());
    setFixedSize(px(WindowWidth) + wider, px(WindowHeight));
}

void Depreciation::placeRow(std::size_t row) {
    const int top = Stage1[row]->y();
    const int valueLeft = yearWidth_ + 4;
    const int rateLeft = valueLeft + boxWidth_ + px(RateLeft) - px(ValueLeft) - px(BoxWidth);
    L1[row]->setGeometry(0, top, yearWidth_, px(BoxHeight));
    Stage1[row]->setGeometry(valueLeft, top, boxWidth_, px(BoxHeight));
    L2[row]->setGeometry(rateLeft, top, rateWidth_, px(BoxHeight));
    Stage2[row]->setGeometry(rateLeft + rateWidth_, top, boxWidth_, px(BoxHeight));
}

void Depreciation::Form_Load() {
    setWindowTitle(qs(strings::text(127)));
    Label1[3]->setText(qs(strings::text(213)));
    Label1[0]->setText(qs(strings::text(214)));
    Label1[2]->setText(qs(strings::text(215)));
    Cost->setToolTip(qs(strings::text(214)));
    TheYears->setToolTip(qs(strings::text(215)));
    Command1->setText(qs(strings::text(217)));
    Frame1->setTitle(qs(strings::text(216)));
    if (!book_.FontName.str().empty()) {
        for (QWidget* w : std::initializer_list<QWidget*>{Command1, Frame1, Label1[0], Label1[1],
                                                          Label1[2], Label1[3]}) {
            QFont f = w->font();
            f.setFamily(qs(book_.FontName.str()));
            w->setFont(f);
        }
    }
    for (QLabel* l : Label1)
        l->adjustSize();
    // A caption over its box ends where the box begins, however tall its font.
    const QLineEdit* under[] = {Cost, Percent, TheYears};
    for (int i = 0; i < 3; ++i)
        Label1[i]->move(Label1[i]->x(),
                        std::min(Label1[i]->y(), under[i]->y() - Label1[i]->height()));
}

void Depreciation::addRow() {
    const int i = static_cast<int>(L1.size());
    auto* year = new QLabel(Picture1);
    year->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* value = new QLineEdit(Picture1);
    auto* rate = new QLabel(Picture1);
    rate->setAlignment(Qt::AlignCenter);
    auto* dep = new QLineEdit(Picture1);
    for (QLineEdit* b : {value, dep}) {
        b->setReadOnly(true);
        b->setAlignment(Qt::AlignRight);
    }
    value->setToolTip("Book Value...");
    dep->setToolTip("Depreciation Year...");
    for (QLineEdit* b : {value, dep})
        AmountFit::attach(b);
    value->move(0, px(RowPitch * i - VScroll1->value()));
    for (QWidget* w : std::initializer_list<QWidget*>{year, value, rate, dep})
        w->show();
    L1.push_back(year);
    Stage1.push_back(value);
    L2.push_back(rate);
    Stage2.push_back(dep);
    placeRow(L1.size() - 1);
}

void Depreciation::setRowCount(std::size_t rows) {
    while (L1.size() > rows) {
        delete L1.back();
        delete Stage1.back();
        delete L2.back();
        delete Stage2.back();
        L1.pop_back();
        Stage1.pop_back();
        L2.pop_back();
        Stage2.pop_back();
    }
    while (L1.size() < rows)
        addRow();
}

Depreciation::RowTexts Depreciation::rowTexts(std::size_t year) const {
    const DepreciationYear& y = years_[year];
    return {qs(depreciationYearLabel(yearWord_, static_cast<int>(year) + 1)),
            qs(formatAmount(y.bookValue, decimals_, marks_)),
            qs(formatAmount(y.depreciation, decimals_, marks_))};
}

void Depreciation::showYear(std::size_t row, std::size_t year) {
    const RowTexts texts = rowTexts(year);
    L1[row]->setText(texts.year);
    Stage1[row]->setText(texts.bookValue);
    L2[row]->setText(rateText_);
    Stage2[row]->setText(texts.depreciation);
}

bool Depreciation::leaveBox(QLineEdit* box, DepreciationBox kind) {
    const LeftBox left =
        leaveDepreciationBox(kind, box->text().toStdString(), marksOf(currentLocale()));
    showLeftBox(box, left);
    return left.problem.empty();
}

void Depreciation::Command1_Click() {
    // The boxes show what is used, as leaving them does; what was not taken
    // as typed is told first, and Calculate then works from what they show.
    bool asTyped = leaveBox(Cost, DepreciationBox::Cost);
    asTyped = leaveBox(Percent, DepreciationBox::Percent) && asTyped;
    asTyped = leaveBox(TheYears, DepreciationBox::Years) && asTyped;
    if (!asTyped) return;
    const NumberMarks marks = marksOf(currentLocale());
    DepreciationSchedule s =
        depreciationSchedule(Cost->text().toStdString(), Percent->text().toStdString(),
                             TheYears->text().toStdString(), marks);
    if (s.outcome != DepreciationSchedule::Outcome::Computed) {
        if (const std::string problem = depreciationProblem(s.outcome); !problem.empty())
            showMessage(problem);
        return;
    }
    decimals_ = std::clamp<int>(book_.DecimalsJournal, 0, 3);
    marks_ = marks;
    yearWord_ = strings::text(218);
    rateText_ = qs(depreciationRateLabel(Percent->text().toStdString()));
    years_ = std::move(s.years);
    setRowCount(std::min(years_.size(), PoolRows));
    fitRows(); // for the figures of this schedule
    VScroll1->blockSignals(true);
    VScroll1->setValue(0);
    VScroll1->blockSignals(false);
    Frame1->show();
    VScroll1->hide();
    if (years_.size() > VisibleYears) {
        // The last row's top less the frame's height (both twips) as the scroll range.
        const int lastTop = RowPitch * static_cast<int>(years_.size() - 1);
        VScroll1->setMaximum(std::max(0, lastTop + BoxHeight - PictureHeight));
        VScroll1->show();
    }
    VScroll1->setValue(0);
    VScroll1_Change();
}

void Depreciation::VScroll1_Change() {
    const int offset = VScroll1->value();
    // The year at the top of the view, held where the rows still reach the
    // schedule's last year.
    std::size_t first = 0;
    if (!years_.empty())
        first = std::min(static_cast<std::size_t>(offset / RowPitch), years_.size() - L1.size());
    for (std::size_t row = 0; row < L1.size(); ++row) {
        const std::size_t year = first + row;
        if (!years_.empty()) showYear(row, year);
        const int top = px(RowPitch * static_cast<int>(year) - offset);
        for (QWidget* w :
             std::initializer_list<QWidget*>{L1[row], Stage1[row], L2[row], Stage2[row]})
            w->move(w->x(), top);
    }
}
