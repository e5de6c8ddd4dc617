#include "ledgers/qt/GeneralJournal.h"

#include "book/plain_text.h"
#include "book/tmain.h"
#include "ledgers/ledger_exports.h"
#include "ledgers/ledger_printouts.h"
#include "ledgers/qt/ledger_choices.h"
#include "ledgers/qt/ledger_file_menu.h"
#include "ledgers/qt/ledger_window_support.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// The journal's strip is a few pixels wider than the ledgers'.
constexpr StripPlaces JournalStripPlaces{
    {9, 4, 103, 23}, {114, 8, 14, 15}, {132, 4, 103, 23}, {240, 4, 285, 24}, {528, 4, 73, 23}};

double stretchOf(int width) {
    return std::max(width / 719.0, 1.0);
}

std::uint32_t bgrOf(const QColor& c) {
    return static_cast<std::uint32_t>(c.blue()) << 16 | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.red());
}

} // namespace

// The page: heading band, ruled body and the rows of the list items drawn.
class JournalCanvas : public QWidget {
  public:
    explicit JournalCanvas(GeneralJournal& j) : QWidget(&j), j_(j) { setMouseTracking(true); }

    QFont rowFont() const { return ledgerFont(*j_.host_.book, 9); }
    QFont noteFont() const {
        QFont f = rowFont();
        f.setBold(true);
        f.setItalic(true);
        return f;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawToolbarBackdrop(p, j_.host_);
        const double f = stretchOf(width());
        const int H = height();
        QFont regular = rowFont();
        QFont bold = regular;
        bold.setBold(true);
        p.setPen(Qt::black);
        const QRectF heading(QPointF(4, 32), QPointF(690 * f, 55));
        p.fillRect(heading, QColor(0xFF, 0xFF, 0xC0));
        p.drawRect(heading);
        p.setFont(bold);
        const std::pair<int, double> heads[] = {
            {175, 28}, {169, 208}, {170, 442}, {162, 525}, {163, 625}};
        for (const auto& [text, x] : heads)
            p.drawText(QPointF(x * f, 36 + QFontMetricsF(bold).ascent()),
                       QString::fromStdString(strings::text(text)));
        const QRectF body(QPointF(4, 55), QPointF(690 * f, H - 4));
        p.fillRect(body, Qt::white);
        p.drawRect(body);
        for (double x : {80.0, 420.0, 490.0, 590.0})
            p.drawLine(QPointF(x * f, 32), QPointF(x * f, H - 4));
        const QFontMetricsF m(regular);
        const QFont note = noteFont();
        for (const JournalPrintRow& row : j_.page_.rows) {
            const double base = row.y + m.ascent();
            if (row.kind == JournalPrintRow::Note) {
                p.setFont(note);
                p.setPen(Qt::black);
                p.drawText(QPointF(row.noteX, base), QString::fromStdString(row.note));
                continue;
            }
            if (row.kind != JournalPrintRow::Line) continue;
            p.setFont(regular);
            p.setPen(row.grey ? QColor(0xE0, 0xE0, 0xE0) : QColor(Qt::black));
            auto rightAt = [&](double end, const std::string& text) {
                const QString t = QString::fromStdString(text);
                p.drawText(QPointF(end - m.horizontalAdvance(t), base), t);
            };
            rightAt(78 * f, row.date);
            p.drawText(QPointF((row.debit ? 84 : 112) * f, base), QString::fromStdString(row.name));
            rightAt(484 * f, row.folio);
            rightAt((row.debit ? 588 : 688) * f, row.amount);
        }
        p.fillRect(QRect(0, H - 3, width(), 3), palette().color(QPalette::Window));
    }
    void mousePressEvent(QMouseEvent* e) override { j_.Form_MouseDown(e->position()); }
    void mouseMoveEvent(QMouseEvent* e) override { j_.Form_MouseMove(e->position()); }

  private:
    GeneralJournal& j_;
};

GeneralJournal::GeneralJournal(LedgerHost host, QWidget* parent)
    : QMainWindow(parent), host_(std::move(host)) {
    QMenu* file = addLedgerMenu(*this, 110);
    PrintJournal = addLedgerCommand(file, 157, [this] { PrintJournal_Click(); });
    file->addSeparator();
    SaveJournal = addLedgerCommand(file, 159, [this] { SaveJournal_Click(); });
    setWindowTitle(QString::fromStdString(strings::text(303) + "..."));
    SeenRevision = host_.run->JournalRevision;

    canvas_ = new JournalCanvas(*this);
    setCentralWidget(canvas_);
    choices_ =
        new LedgerChoices(host_, canvas_, JournalStripPlaces, TypeAheadStart::FirstCharacter);
    choices_->share(DateSearch, tReportAcc, FolioChoiceTx);
    choices_->PNPage[0]->move(603, 6);
    choices_->PNPage[1]->move(630, 6);
    JJournal = new TuvoVerticalScroll(canvas_);
    JJournal->setGeometry(696, 52, 21, 320);
    JJournal->setBackColor(0xC0FFFF);
    connect(JJournal, &ScrollBarWidget::Change, this, [this] { JJournal_Change(); });
    ShowTip = new QLabel(canvas_);
    QFont tip = ShowTip->font();
    tip.setBold(true);
    tip.setPointSizeF(8.25);
    ShowTip->setFont(tip);
    ShowTip->setAttribute(Qt::WA_TransparentForMouseEvents);
    ShowTip->hide();

    choices_->build = [this] { tReportAcc_Click(); };
    choices_->builtAccount = [this] { return list_.SelectedAccount; };
    choices_->pagePressed = [this](int i) { PNPag_Grey_MouseDown(i); };
    choices_->navigationKey = [this](KeyArgs& k) { navigationKey(k); };
    choices_->dateClicked = [this](int) {
        host_.run->DateChangedFlag = 0;
        tReportAcc_Click();
    };
    choices_->dateLeft = [this](int index) {
        choices_->normaliseDate(index);
        choices_->applyTypedDate();
    };
    resize(735, 440);
    layout()->activate(); // the rows fit the window before it is first shown
    Form_Resize();
}

GeneralJournal::~GeneralJournal() = default;

bool GeneralJournal::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QMainWindow::event(e);
}

void GeneralJournal::changeEvent(QEvent* e) {
    // The scroll bar takes the back colour an opener gives the window.
    if (e->type() == QEvent::PaletteChange && JJournal && testAttribute(Qt::WA_SetPalette))
        JJournal->setBackColor(bgrOf(palette().color(QPalette::Window)));
    QMainWindow::changeEvent(e);
}

void GeneralJournal::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void GeneralJournal::Form_Resize() {
    if (!canvas_) return;
    const int W = canvas_->width();
    const int H = canvas_->height();
    choices_->stretchAccountBox(W - 719);
    if (W > 719) {
        choices_->PNPage[0]->move(W - 719 + 600, 6);
        choices_->PNPage[1]->move(W - 719 + 628, 6);
    }
    if (H > 140) JJournal->resize(JJournal->width(), H - (52 + 30));
    JJournal_Change();
    JJournal->Refresh();
}

void GeneralJournal::Form_Activate() {
    if (host_.run->JournalRevision != SeenRevision) {
        SeenRevision = host_.run->JournalRevision;
        ListBuilt = false;
    }
    if (host_.run->SearchPending != 1 && ListBuilt) return;
    choices_->setJournalPeriod();
    const std::string all = strings::text(207);
    choices_->fillAccounts(all);
    choices_->setAccountText(all);
    tReportAcc_Click();
    ListBuilt = true;
}

void GeneralJournal::tReportAcc_Click() {
    BuildGuard guard(this, building_, *host_.run);
    if (guard.refused()) return;
    RunTimeState& run = *host_.run;
    // A search window searches again at every build.
    if (windowTitle().contains("Find ")) run.SearchPending = 1;
    const Book& book = *host_.book;
    JournalOptions options;
    static_cast<LedgerChoice&>(options) = choices_->choice(ReconcileMode);
    options.mode = journalModeFor(run.SearchPending, run.SearchMode);
    options.searchText = run.SearchText;
    list_ = buildJournalList(book, options);
    ++builds_;
    run.SearchPending = 0;
    if (list_.AllAccounts) choices_->setAccountText(strings::text(207));
    choices_->showBuilt(list_.Folio, "");
    // The range always follows this list.
    JJournal->setValueMax(std::max(static_cast<int>(list_.ShownLines.size()) - 1, 0));
    JJournal->setValue(0); // draws the first page
}

void GeneralJournal::JJournal_Change() {
    const double f = stretchOf(canvas_->width());
    JJournal->move(static_cast<int>(696 * f), JJournal->y());
    const QFontMetricsF rows(canvas_->rowFont());
    const QFontMetricsF notes(canvas_->noteFont());
    JournalPageMetrics m;
    m.f = f;
    m.height = canvas_->height();
    m.lineHeight = rows.height();
    m.width = [&rows](const std::string& s) {
        return rows.horizontalAdvance(QString::fromStdString(s));
    };
    m.noteWidth = [&notes](const std::string& s) {
        return notes.horizontalAdvance(QString::fromStdString(s));
    };
    page_ = journalPage(*host_.book, list_, JJournal->Value(), m, currentLocale());
    VisibleRows = page_.visibleRows;
    canvas_->update();
}

void GeneralJournal::navigationKey(KeyArgs& k) {
    const int v = JJournal->Value();
    switch (k.KeyCode) {
    case keys::End:
        JJournal->setValue(JJournal->ValueMax());
        break;
    case keys::Home:
        JJournal->setValue(0);
        break;
    case keys::PageUp:
        JJournal->setValue(v - VisibleRows);
        break;
    case keys::PageDown:
        JJournal->setValue(v + VisibleRows);
        break;
    default:
        stepOnArrowKey(k, *JJournal);
        break;
    }
}

void GeneralJournal::PNPag_Grey_MouseDown(int index) {
    JJournal->setValue(JJournal->Value() + (index == 0 ? -VisibleRows : VisibleRows));
    JJournal->setFocus();
}

void GeneralJournal::Form_MouseDown(QPointF at) {
    const int r = journalItemAt(page_, at.y());
    // Built before the journal changed, the items' lines may be other
    // entries' now: the list is built again instead.
    if (r >= 0 && choices_->listOutdated()) {
        Form_Activate();
        return;
    }
    if (r >= 0 && host_.showJournalLine)
        host_.showJournalLine(page_.itemLines[static_cast<std::size_t>(r)]);
    else if (host_.raiseMainWindow)
        host_.raiseMainWindow();
}

void GeneralJournal::Form_MouseMove(QPointF at) {
    ShowTip->hide();
    const int r = at.y() > 55 && at.x() < canvas_->width() - 30 ? journalItemAt(page_, at.y()) : -1;
    if (r < 0 || r >= VisibleRows || choices_->listOutdated()) return;
    const std::int32_t line = page_.itemLines[static_cast<std::size_t>(r)];
    if (line > host_.book->LastEntryLine()) return;
    const std::string reference =
        withoutNuls(host_.book->EntryIds[static_cast<std::size_t>(line)].raw());
    ShowTip->setText(QString::fromStdString(strings::text(145) + " " + reference));
    ShowTip->adjustSize();
    ShowTip->move(static_cast<int>(at.x()) + 15, static_cast<int>(at.y()) + 15);
    ShowTip->show();
    ShowTip->raise();
}

void GeneralJournal::PrintJournal_Click() {
    choices_->applyTypedDate();
    // In help mode the command explains itself and prints nothing.
    if (helpMode().isOn()) {
        if (host_.showHelp)
            host_.showHelp(strings::text(157),
                           "Send the selected journal entries to the printer...");
        return;
    }
    const Book& book = *host_.book;
    const LocaleInfo locale = currentLocale();
    const LedgerHeading heading = choices_->builtHeading(list_);
    printLedger(host_, [&](DrawingSurface& s, double zoom) {
        printGeneralJournal(s, book, list_, heading, locale, zoom);
    });
}

void GeneralJournal::SaveJournal_Click() {
    choices_->applyTypedDate();
    exportLedger(this, fileDialog_, *host_.run, {"*.xls"},
                 [this](const std::filesystem::path& path, const std::string&) {
                     exportJournalSheet(*host_.book, list_, path, currentLocale());
                 });
}
