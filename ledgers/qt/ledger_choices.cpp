#include "ledgers/qt/ledger_choices.h"

#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/date_box.h"
#include "book/number_format.h"
#include "book/tmain.h"
#include "book/typed_input.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/field_events.h"
#include "toolkit/qt/number_box.h"
#include "toolkit/qt/scroll_bar_widget.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

#include <algorithm>

// ---------------------------------------------------------------- page buttons

PageButton::PageButton(bool down, QWidget* parent) : QWidget(parent), down_(down) {
    resize(24, 24);
    setMouseTracking(true);
}

void PageButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QColor(128, 128, 128));
    p.setBrush(hovered_ ? QColor(200, 200, 200) : QColor(255, 255, 224));
    p.drawRoundedRect(face, 4, 4);
    QPainterPath arrow;
    const double cx = width() / 2.0, top = 7, bottom = height() - 7;
    if (down_) {
        arrow.moveTo(cx - 6, top);
        arrow.lineTo(cx + 6, top);
        arrow.lineTo(cx, bottom);
    } else {
        arrow.moveTo(cx - 6, bottom);
        arrow.lineTo(cx + 6, bottom);
        arrow.lineTo(cx, top);
    }
    arrow.closeSubpath();
    p.fillPath(arrow, hovered_ ? QColor(96, 96, 96) : QColor(0, 0, 128));
}

void PageButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit pressed();
}

void PageButton::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void PageButton::leaveEvent(QEvent*) {
    hovered_ = false;
    update();
}

// ---------------------------------------------------------------- the choices

LedgerChoices::LedgerChoices(const LedgerHost& host, QWidget* parent, const StripPlaces& places,
                             TypeAheadStart typeAhead)
    : QObject(parent), host_(host), places_(places), builtRevision_(host.run->JournalRevision) {
    const Book& book = *host.book;
    const QString font = QString::fromStdString(book.FontName.str());
    for (int i = 0; i < 2; ++i) {
        auto* picker = new CalanderForm(parent);
        picker->setRunTimeState(host.run);
        const Book* b = host.book;
        picker->setDateStyleSource([b] { return static_cast<int>(b->DateStyle); });
        if (!font.isEmpty()) picker->setFontName(font);
        picker->setFontCharset(book.FontCharset);
        picker->setDateToolTipText(i == 0 ? "Select Start Date..." : "Select End Date...");
        connect(picker, &CalanderForm::KeyDown, this, [this](KeyArgs& k) {
            if (navigationKey) navigationKey(k);
        });
        connect(picker, &CalanderForm::KeyPress, this, [this](KeyPressArgs& k) {
            if (dateKey(k.KeyAscii)) k.KeyAscii = 0;
        });
        connect(picker, &CalanderForm::Click, this, [this, i] {
            if (dateClicked) dateClicked(i);
        });
        connect(picker, &CalanderForm::LostFocus, this, [this] { applyTypedDate(); });
        picker->installEventFilter(this);
        DateSearch[static_cast<std::size_t>(i)] = picker;
    }
    ToLable = new QLabel("To", parent);
    tReportAcc = new QComboBox(parent);
    tReportAcc->setEditable(true);
    tReportAcc->setInsertPolicy(QComboBox::NoInsert);
    tReportAcc->setMaxVisibleItems(20);
    tReportAcc->setToolTip("Select the Account...");
    if (host.installTypeAhead) {
        std::function<bool()> active;
        if (typeAhead == TypeAheadStart::AfterTwoCharacters)
            active = [box = tReportAcc] { return box->currentText().toUcs4().size() > 1; };
        host.installTypeAhead(tReportAcc, std::move(active));
    }
    connect(tReportAcc, &QComboBox::activated, this, [this] {
        if (build) build();
    });
    showPicksFromStart(tReportAcc);
    FolioChoiceTx = new QLineEdit(parent);
    FolioChoiceTx->setToolTip("Enter Folio Number...");
    // Each box fills its own background, so that its repaints (the cursor's
    // blink) leave the table drawn under the strip alone.
    tReportAcc->lineEdit()->setAutoFillBackground(true);
    FolioChoiceTx->setAutoFillBackground(true);
    for (QWidget* w : {static_cast<QWidget*>(ToLable), static_cast<QWidget*>(tReportAcc),
                       static_cast<QWidget*>(FolioChoiceTx)}) {
        if (!font.isEmpty()) {
            QFont f = w->font();
            f.setFamily(font);
            w->setFont(f);
        }
    }
    FieldEvents* account = FieldEvents::attach(tReportAcc);
    // The left and right arrows do not move in the account list.
    account->keyDown = [](KeyArgs& k) {
        if (k.KeyCode == keys::Left || k.KeyCode == keys::Right) k.KeyCode = 0;
    };
    // Enter builds the account the box shows (the list, while open, takes
    // its own Enter and builds the item chosen there).
    account->keyPress = [this](KeyPressArgs& k) {
        if (k.KeyAscii != keys::Enter) return;
        k.KeyAscii = 0;
        chooseShownAccount();
    };
    // The strip goes before its boxes: a box losing the focus as it goes builds nothing.
    account->lostFocus = [strip = QPointer(this)] {
        if (strip) strip->accountLeft();
    };
    FieldEvents* folio = FieldEvents::attach(FolioChoiceTx);
    folio->keyDown = [this](KeyArgs& k) {
        if (navigationKey) navigationKey(k);
    };
    folio->keyPress = [this](KeyPressArgs& k) { folioKey(k); };
    folio->lostFocus = [strip = QPointer(this)] {
        if (strip) strip->folioLeft();
    };
    // The whole number selected, so typing replaces it.
    folio->gotFocus = [this] {
        QMetaObject::invokeMethod(FolioChoiceTx, &QLineEdit::selectAll, Qt::QueuedConnection);
    };
    folioWidth_ = std::max(places.folio.width(),
                           fitNumberBoxes({FolioChoiceTx}, book, currentLocale().decimalMark));
    for (int i = 0; i < 2; ++i) {
        auto* button = new PageButton(i == 1, parent);
        connect(button, &PageButton::pressed, this, [this, i] {
            if (pagePressed) pagePressed(i);
        });
        PNPage[static_cast<std::size_t>(i)] = button;
    }
    place();
}

void LedgerChoices::place() {
    const StripPlaces& at = places_;
    // A picker keeps at least the width that holds its widest date.
    DateSearch[0]->setGeometry(at.from);
    int shift = DateSearch[0]->width() - at.from.width();
    ToLable->setGeometry(at.toLabel.translated(shift, 0));
    DateSearch[1]->setGeometry(at.to.translated(shift, 0));
    shift += DateSearch[1]->width() - at.to.width();
    // The account box gives up the pickers' extra room down to half its
    // width; what it cannot give moves the controls after it along.
    const int least = at.account.width() / 2;
    const int given = std::min(shift, at.account.width() - least);
    // A number box wider than its place takes the room from the account
    // box's stretch first, then moves what follows it along.
    const int folioExtra = folioWidth_ - at.folio.width();
    const int stretch = std::max(0, accountStretch_ - folioExtra);
    const int along = shift - given + stretch;
    tReportAcc->setGeometry(at.account.x() + shift, at.account.y(),
                            at.account.width() - given + stretch, at.account.height());
    FolioChoiceTx->setGeometry(at.folio.x() + along, at.folio.y(), folioWidth_, at.folio.height());
    int right = FolioChoiceTx->geometry().right();
    for (const auto& [control, designed] : followers_) {
        control->move(designed + QPoint(along + folioExtra, 0));
        right = std::max(right, control->geometry().right());
    }
    // The strip's controls at their own widths, with a margin past the last.
    constexpr int Margin = 6;
    QWidget* window = tReportAcc->window();
    if (!leastWindow_.isEmpty() && window)
        window->setMinimumSize(leastWindow_.expandedTo(QSize(right + 1 - stretch + Margin, 0)));
}

void LedgerChoices::stretchAccountBox(int extra) {
    accountStretch_ = std::max(extra, 0);
    place();
}

void LedgerChoices::keepInStrip(QWidget* control, QPoint at) {
    followers_.emplace_back(control, at);
    place();
}

void LedgerChoices::holdWindowAtLeast(QSize least) {
    leastWindow_ = least;
    place();
}

bool LedgerChoices::eventFilter(QObject* watched, QEvent* event) {
    // A date style or font that needs a wider picker moves the strip along.
    if (event->type() == QEvent::Resize && (watched == DateSearch[0] || watched == DateSearch[1]))
        place();
    return QObject::eventFilter(watched, event);
}

void LedgerChoices::share(std::array<CalanderForm*, 2>& dates, QComboBox*& account,
                          QLineEdit*& folio) const {
    dates = DateSearch;
    account = tReportAcc;
    folio = FolioChoiceTx;
}

LedgerChoice LedgerChoices::choice(bool reconcile) {
    readDates();
    LedgerChoice c;
    c.account = Tmain::AccountNumberByName(*host_.book, accountText());
    c.fromDate = FromDate;
    c.toDate = ToDate;
    c.reconcileMode = reconcile;
    c.marks = marksOf(currentLocale());
    RunTimeState& run = *host_.run;
    c.progress = [&run] { Tmain::StepProgress(run); };
    return c;
}

void LedgerChoices::showBuilt(double from, double to, const std::string& folio,
                              const std::string& message) {
    if (FromDate != from) showDay(0, from);
    if (ToDate != to) showDay(1, to);
    builtName_ = accountText();
    builtFolio_ = folio;
    builtRevision_ = host_.run->JournalRevision;
    FolioChoiceTx->setText(QString::fromStdString(folio));
    showFromStart(tReportAcc); // a name typed, too, once its ledger is built
    if (!message.empty()) showMessage(message);
}

bool LedgerChoices::listOutdated() const {
    return builtRevision_ != host_.run->JournalRevision;
}

bool LedgerChoices::buildIfDayPicked() {
    if (host_.run->DateChangedFlag != 1) return false;
    if (build) build();
    host_.run->DateChangedFlag = 0;
    return true;
}

void LedgerChoices::applyTypedDate() {
    if (dateEdited() && build) build();
}

bool LedgerChoices::dateEdited() const {
    return DateSearch[0]->Text() != keptDateText_[0] || DateSearch[1]->Text() != keptDateText_[1];
}

void LedgerChoices::accountLeft() {
    if (accountText() != builtName_) chooseShownAccount();
}

void LedgerChoices::chooseShownAccount() {
    const std::string shown = accountText();
    if (shown == first_ || isAccountNumber(Tmain::AccountNumberByName(*host_.book, shown))) {
        if (build) build();
        return;
    }
    showMessage(strings::text(291));
    setAccountText(builtName_);
}

void LedgerChoices::folioLeft() {
    if (FolioChoiceTx->text().toStdString() != builtFolio_) chooseTypedNumber();
}

void LedgerChoices::fillAccounts(const std::string& first) {
    tReportAcc->clear();
    first_ = first;
    QStringList items;
    if (!first.empty()) items << QString::fromStdString(first);
    if (host_.accountNames)
        for (const std::string& name : host_.accountNames())
            items << QString::fromStdString(name);
    tReportAcc->addItems(items);
    setBoxText(tReportAcc, QString());
}

void LedgerChoices::setJournalPeriod() {
    const Book& book = *host_.book;
    if (book.EntryLines.empty()) return;
    double first = book.EntryLines.front().Date;
    double last = book.EntryLines.back().Date;
    for (const EntryLine& line : book.EntryLines) {
        first = std::min(first, line.Date);
        last = std::max(last, line.Date);
    }
    showDay(0, first);
    showDay(1, last);
}

void LedgerChoices::setToDay(double day) {
    showDay(1, day);
}

void LedgerChoices::showDay(std::size_t box, double day) {
    // The day itself, also where the date style writes what it cannot read back.
    (box == 0 ? FromDate : ToDate) = day;
    keptDateText_[box] = Tmain::FormatDateStyle(day, host_.book->DateStyle, currentLocale());
    DateSearch[box]->setDayText(keptDateText_[box], day);
}

std::string LedgerChoices::accountText() const {
    return tReportAcc->currentText().toStdString();
}

void LedgerChoices::setAccountText(const std::string& name) {
    setBoxText(tReportAcc, QString::fromStdString(name));
}

void LedgerChoices::readDates() {
    const LocaleInfo locale = currentLocale();
    const int style = host_.book->DateStyle;
    double* days[2] = {&FromDate, &ToDate};
    bool told = false;
    for (std::size_t i = 0; i < 2; ++i) {
        const DateBoxReading read = readDateBox(
            DateSearch[i]->Text(), KeptDate{keptDateText_[i], *days[i]}, *days[i], style, locale);
        if (!read.problem.empty() && !told) {
            showMessage(read.problem);
            told = true;
        }
        *days[i] = read.day;
        keptDateText_[i] = read.text;
        DateSearch[i]->setDayText(read.text, read.day);
    }
}

// A date is typed into a date box as it is shown (dateKeyAllowed); Enter
// builds again for the account built last. True: the key is swallowed.
bool LedgerChoices::dateKey(int keyAscii) {
    if (keyAscii != keys::Enter && dateKeyAllowed(static_cast<char32_t>(keyAscii), currentLocale()))
        return false;
    if (keyAscii == keys::Enter) {
        setAccountText(
            Tmain::AccountNameByNumber(*host_.book, builtAccount ? builtAccount() : Currency()));
        if (build) build();
        return true;
    }
    return true;
}

// The account-number box takes what a number box takes (numberKey); Enter chooses the account
// of that number, or says there is none.
void LedgerChoices::folioKey(KeyPressArgs& k) {
    if (k.KeyAscii == keys::Enter) chooseTypedNumber();
    numberKeyPress(k, host_.run->DecimalSeparator,
                   [](const std::string& problem) { showMessage(problem); });
}

void LedgerChoices::chooseTypedNumber() {
    const TypedAccount typed = accountOfTypedNumber(
        *host_.book, FolioChoiceTx->text().toStdString(), builtFolio_, host_.run->DecimalSeparator);
    if (!typed.problem.empty()) {
        FolioChoiceTx->setText(QString::fromStdString(builtFolio_));
        showMessage(typed.problem);
        return;
    }
    setAccountText(typed.name);
    if (build) build();
}

void stepOnArrowKey(KeyArgs& k, ScrollBarWidget& list) {
    if (k.KeyCode != keys::Up && k.KeyCode != keys::Down) return;
    list.setValue(list.Value() + (k.KeyCode == keys::Up ? -1 : 1));
    k.KeyCode = 0;
}
