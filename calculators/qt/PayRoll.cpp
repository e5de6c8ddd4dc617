#include "calculators/qt/PayRoll.h"

#include "book/typed_input.h"
#include "calculators/payroll_layout.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/amount_fit.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/qt_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace {

int px(int twips) {
    return twips / 15;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int BoxHeight = 285;
constexpr int PercentLength = 5; // characters a percentage box takes
constexpr int WindowHeight = 6015;

struct Band {
    int top, height;
    QColor colour;                                // invalid: the window's own background
    std::vector<std::pair<int, int>> labelBlocks; // left, width
    int totalsTop = -1, totalsHeight = 0;         // -1: no block in the totals column
};

// The bands' blocks behind the labels and period 1 reach 90 twips past its
// boxes; those behind the other periods and the totals follow their columns.
std::vector<Band> bands(const PayrollColumns& c) {
    const int labelsRight = c.periodLeft(0) + c.column + 90;
    const std::vector<std::pair<int, int>> wide{{90, labelsRight - 90}};
    const std::vector<std::pair<int, int>> inset{{135, labelsRight - 135}};
    return {
        {315, 1410, QColor(0xFF, 0xFF, 0xC0), wide, 1260, 465},
        {1800, 465, QColor(), wide},
        {2340, 465, QColor(0xFF, 0xE0, 0xC0), wide, 2340, 465},
        {3105,
         1095,
         QColor(0xFF, 0xC0, 0xC0),
         {{135, 825}, {1035, labelsRight - 1035}},
         3105,
         1095},
        {4275, 1095, QColor(0xFF, 0xC0, 0xC0), inset, 4275, 1095},
        {5445, 465, QColor(0xC0, 0xFF, 0xC0), inset, 5445, 465},
    };
}

} // namespace

PayRoll::PayRoll(const std::string& currencyLabel, const std::string& fontName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      sheet_(marksOf(currentLocale())), marks_(marksOf(currentLocale())) {
    setFixedSize(px(columns_.windowWidth()), px(WindowHeight));
    buildBoxes();
    buildCaptions();
    Form_Load(currencyLabel, fontName); // its figures place the columns
}

void PayRoll::buildBoxes() {
    const QFont arial("Arial", 9);
    // Boxes at their tops; placeColumns() gives them their lefts and widths.
    auto box = [&](int top, bool readOnly, const char* text) {
        auto* b = new QLineEdit(QString::fromLatin1(text), this);
        b->setGeometry(0, px(top), px(columns_.column), px(BoxHeight));
        b->setAlignment(Qt::AlignRight);
        b->setReadOnly(readOnly);
        b->setFont(arial);
        b->installEventFilter(this);
        return b;
    };
    // Money boxes: their columns are as wide as the figures they show.
    auto money = [&](int top, bool readOnly) {
        QLineEdit* b = box(top, readOnly, "0");
        AmountFit::attach(b);
        connect(b, &QLineEdit::textEdited, this, [this] { placeColumns(); });
        return b;
    };
    const int deductionTops[6] = {3195, 3510, 3825, 4365, 4680, 4995};
    for (int i = 0; i < PayPeriods; ++i) {
        PaySt[i] = box(405, false, "");
        PayEnd[i] = box(720, false, "");
        PayBreak[i] = box(1035, false, "");
        PayTotal[i] = box(1350, true, "0");
        PayRate[i] = money(1890, false);
        PayRate[i]->setMaxLength(9);
        PayGross[i] = money(2430, true);
        // The percentage deductions are worked out from the rates, as the
        // gross and the net are; the fixed ones are typed.
        for (int n = 0; n < 6; ++n)
            PayDe[n][i] = money(deductionTops[n], n < 3);
        PayNet[i] = money(5535, true);
        connect(PayRate[i], &QLineEdit::textEdited, this, [this, i] { recompute(i); });
    }
    PayTotalT = box(1350, true, "0");
    PayGrossT = money(2430, true);
    PayNetT = money(5535, true);
    for (int n = 0; n < 6; ++n)
        PayDT[n] = money(deductionTops[n], true);
    for (int n = 0; n < 3; ++n) {
        PayP[n] = box(deductionTops[n], false, "");
        PayP[n]->setGeometry(px(225), PayP[n]->y(), px(510), PayP[n]->height());
        PayP[n]->setAlignment(Qt::AlignCenter);
        PayP[n]->setMaxLength(PercentLength);
        AmountFit::attach(PayP[n]);
        connect(PayP[n], &QLineEdit::textEdited, this, [this] { recompute(-1); });
    }
}

void PayRoll::placeColumns() {
    // The widest figure of the periods' boxes and of the totals' (twips),
    // less what the wider boxes among them have beyond their column.
    std::vector<QLineEdit*> periods, totals(PayDT.begin(), PayDT.end());
    for (int i = 0; i < PayPeriods; ++i) {
        for (const Row& row : PayDe)
            periods.push_back(row[i]);
        periods.push_back(PayRate[i]);
        if (i > 0) periods.insert(periods.end(), {PayGross[i], PayNet[i]});
    }
    const int column = std::max(AmountFit::widthForShown(periods) * 15,
                                AmountFit::widthForShown({PayGross[0], PayNet[0]}) * 15 -
                                    (columns_.wideWidth() - columns_.column));
    const int total = std::max(AmountFit::widthForShown({PayGrossT, PayNetT}) * 15,
                               AmountFit::widthForShown(totals) * 15 -
                                   (columns_.deductionTotalsWidth() - columns_.totals));
    const QScreen* shown = screen();
    const int screenWidth =
        shown ? shown->availableGeometry().width() * 15 : columns_.windowWidth();
    const PayrollColumns fitted = payrollColumns(column, total, screenWidth, captionIndent_);
    if (placed_ && fitted.column == columns_.column && fitted.totals == columns_.totals &&
        fitted.indent == columns_.indent)
        return;
    placed_ = true;
    columns_ = fitted;
    auto place = [](QLineEdit* b, int left, int width) {
        b->setGeometry(px(left), b->y(), px(width), b->height());
    };
    for (int i = 0; i < PayPeriods; ++i) {
        const int left = columns_.periodLeft(i);
        for (QLineEdit* b : {PaySt[i], PayEnd[i], PayBreak[i], PayTotal[i], PayRate[i]})
            place(b, left, columns_.column);
        for (const Row& row : PayDe)
            place(row[i], left, columns_.column);
        for (QLineEdit* b : {PayGross[i], PayNet[i]}) {
            if (i == 0)
                place(b, columns_.wideLeft(), columns_.wideWidth());
            else
                place(b, left, columns_.column);
        }
        ShiftT[i]->setGeometry(px(left), ShiftT[i]->y(), px(columns_.column), ShiftT[i]->height());
    }
    for (QLineEdit* b : {PayTotalT, PayGrossT, PayNetT})
        place(b, columns_.totalsLeft(), columns_.totals);
    for (QLineEdit* b : PayDT)
        place(b, columns_.deductionTotalsLeft(), columns_.deductionTotalsWidth());
    PayTitle[15]->move(px(columns_.deductionTotalsLeft() - 45), PayTitle[15]->y());
    setFixedSize(px(columns_.windowWidth()), px(WindowHeight));
    update();
}

void PayRoll::buildCaptions() {
    struct Title {
        int left, top, width; // width 0: sized to the text
        QRgb background;      // 0: none
        Qt::Alignment align;
        const char* caption;
    };
    const Title titles[16] = {
        {135, 450, 1200, 0xFFFFC0, Qt::AlignRight, "Start Time :"},
        {135, 765, 1185, 0xFFFFC0, Qt::AlignRight, "End Time :"},
        {180, 1080, 1140, 0xFFFFC0, Qt::AlignRight, "Break :"},
        {90, 90, 0, 0, Qt::AlignLeft, "Hr / Mins :"},
        {180, 1395, 1140, 0xFFFFC0, Qt::AlignRight, "Total :"},
        {180, 1935, 1140, 0xFFFFFF, Qt::AlignRight, " P/H"},
        {135, 2475, 885, 0xFFE0C0, Qt::AlignRight, " :"},
        {765, 3240, 0, 0xFFC0C0, Qt::AlignLeft, "% =  $ :"},
        {765, 3555, 0, 0xFFC0C0, Qt::AlignLeft, "% =  $ :"},
        {765, 3870, 0, 0xFFC0C0, Qt::AlignLeft, "% =  $ :"},
        {1125, 4410, 0, 0xFFC0C0, Qt::AlignLeft, "$ :"},
        {1125, 4725, 0, 0xFFC0C0, Qt::AlignLeft, "$ :"},
        {180, 5580, 0, 0xC0FFC0, Qt::AlignRight, "Net $ :"},
        {135, 2880, 0, 0, Qt::AlignLeft, "Deductions :"},
        {1125, 5040, 0, 0xFFC0C0, Qt::AlignLeft, "$ :"},
        {10170, 1035, 0, 0, Qt::AlignLeft, "Totals :"}, // moves with the totals
    };
    QFont bold("Arial", 9, QFont::Bold);
    for (int t = 0; t < 16; ++t) {
        auto* l = new QLabel(titles[t].caption, this);
        l->setFont(bold);
        l->setAlignment(titles[t].align | Qt::AlignVCenter);
        l->setGeometry(px(titles[t].left), px(titles[t].top), px(titles[t].width), px(225));
        if (titles[t].background) {
            l->setAutoFillBackground(true);
            QPalette p = l->palette();
            p.setColor(QPalette::Window, QColor::fromRgb(titles[t].background));
            l->setPalette(p);
        }
        PayTitle[t] = l;
    }
    for (int i = 0; i < PayPeriods; ++i) {
        auto* l = new QLabel(this);
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(px(columns_.periodLeft(i)), px(90), px(columns_.column), px(225));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, palette().color(QPalette::Shadow));
        l->setPalette(p);
        ShiftT[i] = l;
    }
}

void PayRoll::Form_Load(const std::string& currencyLabel, const std::string& fontName) {
    setWindowTitle(qs(strings::text(295)));
    const QString money = qs(currencyLabel);
    auto titled = [](int text) { return qs(strings::text(text) + " :"); };
    PayTitle[4]->setText(titled(168));
    PayTitle[15]->setText(titled(164));
    PayTitle[0]->setText(titled(296));
    PayTitle[1]->setText(titled(297));
    PayTitle[2]->setText(titled(298));
    PayTitle[5]->setText(qs(strings::text(299)) + " " + money + PayTitle[5]->text());
    PayTitle[6]->setText(qs(strings::text(300)) + " " + money);
    for (int t : {7, 8, 9})
        PayTitle[t]->setText(PayTitle[t]->text().replace("$ :", money));
    for (int t : {10, 11, 14})
        PayTitle[t]->setText(money);
    PayTitle[13]->setText(titled(301));
    PayTitle[12]->setText(qs(strings::text(302)) + " " + money);
    for (QLabel* l : PayTitle) {
        if (!fontName.empty()) {
            QFont f = l->font();
            f.setFamily(qs(fontName));
            l->setFont(f);
        }
    }
    fitCaptionsBeforeBoxes();
    for (QLabel* l : PayTitle) {
        if (l->width() == 0) {
            l->adjustSize();
        } else if (const int need = l->sizeHint().width(); need > l->width()) {
            // A longer caption grows to the left of its boxes.
            const int right = l->geometry().right();
            l->setGeometry(std::max(2, right - need), l->y(), need, l->height());
        }
    }
    // A percentage's caption stands between its box and period 1's boxes; a
    // caption longer than that room takes the rest from the percentage box.
    for (int n = 0; n < 3; ++n) {
        QLabel* l = PayTitle[7 + n];
        const int left = std::min(l->x(), px(columns_.periodLeft(0)) - l->width());
        l->move(left, l->y());
        PayP[n]->resize(std::min(PayP[n]->width(), left - PayP[n]->x()), PayP[n]->height());
    }
    for (int i = 0; i < PayPeriods; ++i) {
        for (QWidget* w : std::initializer_list<QWidget*>{PayTotal[i], ShiftT[i]}) {
            if (fontName.empty()) continue;
            QFont f = w->font();
            f.setFamily(qs(fontName));
            w->setFont(f);
        }
        ShiftT[i]->setText(qs(strings::text(294) + " " + std::to_string(i + 1)));
    }
    push(); // the sheet starts at 09:00 am to 09:00 am with no lunch, computed
}

void PayRoll::fitCaptionsBeforeBoxes() {
    // Each caption's room (twips) up to the boxes after it: a right-aligned
    // one ends before its boxes and moves with them, growing left as far as
    // the window's edge; a sized one stays where it starts.
    struct Room {
        int title;
        int from, to;
    };
    const int edge = 30;
    const PayrollColumns designed;
    const int wide = designed.wideLeft(), first = designed.periodLeft(0);
    const Room rooms[] = {{5, edge, 1320},   {6, edge, 1020},   {12, 180, wide},
                          {10, 1125, first}, {11, 1125, first}, {14, 1125, first}};
    captionIndent_ = 0;
    for (const Room& r : rooms)
        captionIndent_ =
            std::max(captionIndent_, PayTitle[r.title]->sizeHint().width() * 15 - (r.to - r.from));
    for (QLabel* l : {PayTitle[5], PayTitle[6]})
        l->move(l->x() + px(captionIndent_), l->y());
    placeColumns();
}

void PayRoll::pull() {
    for (int i = 0; i < PayPeriods; ++i) {
        PayPeriodBoxes& p = sheet_.period[i];
        p.start = PaySt[i]->text().toStdString();
        p.end = PayEnd[i]->text().toStdString();
        p.lunch = PayBreak[i]->text().toStdString();
        p.rate = PayRate[i]->text().toStdString();
        for (int n = 0; n < 6; ++n)
            p.deductions[n] = PayDe[n][i]->text().toStdString();
    }
    for (int n = 0; n < 3; ++n)
        sheet_.percent[n] = PayP[n]->text().toStdString();
}

void PayRoll::push() {
    auto put = [](QLineEdit* box, const std::string& text) {
        const QString t = qs(text);
        if (box->text() != t) box->setText(t);
    };
    for (int i = 0; i < PayPeriods; ++i) {
        const PayPeriodBoxes& p = sheet_.period[i];
        put(PaySt[i], p.start);
        put(PayEnd[i], p.end);
        put(PayBreak[i], p.lunch);
        put(PayTotal[i], p.worked);
        put(PayRate[i], p.rate);
        put(PayGross[i], p.gross);
        for (int n = 0; n < 6; ++n)
            put(PayDe[n][i], p.deductions[n]);
        put(PayNet[i], p.net);
    }
    for (int n = 0; n < 3; ++n)
        put(PayP[n], sheet_.percent[n]);
    put(PayTotalT, sheet_.totalWorked);
    put(PayGrossT, sheet_.totalGross);
    put(PayNetT, sheet_.totalNet);
    for (int n = 0; n < 6; ++n)
        put(PayDT[n], sheet_.deductionTotals[n]);
    placeColumns();
}

void PayRoll::recompute(int period) {
    pull();
    if (period < 0)
        sheet_.computeAll();
    else
        sheet_.PayTime(period);
    push();
}

bool PayRoll::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QWidget::eventFilter(watched, event);
    int period = -1, percent = -1;
    PayrollSheet::Box kind = PayrollSheet::Box::Start;
    bool amount = false, time = false;
    for (int i = 0; i < PayPeriods && period < 0; ++i) {
        const std::pair<QLineEdit*, PayrollSheet::Box> boxes[] = {
            {PaySt[i], PayrollSheet::Box::Start},     {PayEnd[i], PayrollSheet::Box::End},
            {PayBreak[i], PayrollSheet::Box::Lunch},  {PayRate[i], PayrollSheet::Box::Rate},
            {PayDe[3][i], PayrollSheet::Box::Fixed4}, {PayDe[4][i], PayrollSheet::Box::Fixed5},
            {PayDe[5][i], PayrollSheet::Box::Fixed6}};
        for (const auto& [b, k] : boxes) {
            if (b != box) continue;
            period = i;
            kind = k;
            time = k == PayrollSheet::Box::Start || k == PayrollSheet::Box::End ||
                   k == PayrollSheet::Box::Lunch;
            amount = !time;
        }
    }
    for (int n = 0; n < 3; ++n)
        if (PayP[n] == box) percent = n;
    if (!amount && !time && percent < 0) return false;

    if (event->type() == QEvent::KeyPress && (amount || percent >= 0)) {
        // Amount boxes take digits, Backspace, "-" and the system's marks (a "."
        // or "," that is neither mark types the decimal mark; a refused key is
        // told), and a paste (judged when the box is left); keys that type
        // nothing (arrows, Delete, select all and copy) and Tab, which leaves the
        // box, are the box's own.
        const int ascii = qt_keys::keyAscii(static_cast<QKeyEvent*>(event));
        if (ascii == 0 || ascii == 9) return false;
        KeyPressArgs k{ascii};
        amountKeyPress(
            k, marks_, [](const std::string& problem) { showMessage(problem); }, box, true);
        if (k.KeyAscii == ascii) return false;
        const char32_t typed = static_cast<char32_t>(k.KeyAscii);
        if (typed != 0) box->insert(QString::fromUcs4(&typed, 1)); // the decimal mark for a "."
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        // The boxes show what is used before anything is told.
        pull();
        const std::string problem =
            percent >= 0 ? sheet_.leavePercent(percent) : sheet_.leaveBox(period, kind);
        push();
        if (!problem.empty()) showMessage(problem);
    }
    return false;
}

void PayRoll::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    const PayrollColumns& c = columns_;
    for (const Band& b : bands(c)) {
        const QColor colour = b.colour.isValid() ? b.colour : palette().color(QPalette::Base);
        auto fill = [&](int left, int top, int width, int height) {
            p.fillRect(px(left), px(top), px(width), px(height), colour);
        };
        for (const auto& [left, width] : b.labelBlocks)
            fill(left, b.top, width, b.height);
        for (int i = 1; i < PayPeriods; ++i)
            fill(c.periodLeft(i) - 90, b.top, c.column + 180, b.height);
        if (b.totalsTop >= 0)
            fill(c.deductionTotalsLeft() - 45, b.totalsTop, c.deductionTotalsWidth() + 135,
                 b.totalsHeight);
    }
}
