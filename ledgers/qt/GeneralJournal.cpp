#include "ledgers/qt/GeneralJournal.h"

#include "book/plain_text.h"
#include "book/tmain.h"
#include "ledgers/ledger_exports.h"
#include "ledgers/ledger_printouts.h"
#include "ledgers/qt/ledger_choices.h"
#include "ledgers/qt/ledger_file_menu.h"
#include "ledgers/qt/ledger_window_support.h"
#include "ledgers/screen_columns.h"
#include "platform/qt/painter_surface.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

namespace {

// The journal's strip is a few pixels wider than the ledgers'.
constexpr StripPlaces JournalStripPlaces{
    {9, 4, 103, 23}, {114, 8, 14, 15}, {132, 4, 103, 23}, {240, 4, 285, 24}, {528, 4, 73, 23}};

double stretchOf(int width) {
    return std::max(width / 719.0, 1.0);
}

constexpr double RowPoints = 9;
constexpr double TableLeft = 4;

// The page's columns from x 4; on the design page (times f, the width over
// 719, at least 1) they end at 80, 420, 490, 590 and 690.
enum JournalColumn { DateColumn, NameColumn, FolioColumn, DebitColumn, CreditColumn };
constexpr double DesignRights[5] = {80, 420, 490, 590, 690};
constexpr int Headings[5] = {175, 169, 170, 162, 163};
// Where each heading starts in its column, and how far inside its right
// edge each figure ends (design pixels, times f).
constexpr double HeadingOffsets[5] = {24, 128, 22, 35, 35};
constexpr double RightInsets[5] = {2, 0, 6, 2, 2};
// What a figure keeps clear of the column left of it.
constexpr double LeftPad = 4;

SurfaceFont rowFont(const std::string& name, bool bold = false, bool italic = false) {
    return {name, RowPoints, bold, italic};
}

} // namespace

GeneralJournal::GeneralJournal(LedgerHost host, QWidget* parent)
    : QMainWindow(parent), host_(std::move(host)) {
    QMenu* file = addLedgerMenu(*this, 110);
    PrintJournal = addLedgerCommand(file, 157, [this] { PrintJournal_Click(); });
    file->addSeparator();
    SaveJournal = addLedgerCommand(file, 159, [this] { SaveJournal_Click(); });
    setWindowTitle(QString::fromStdString(strings::text(303) + "..."));
    SeenRevision = host_.run->JournalRevision;

    Canvas = addLedgerCanvas(
        *this, &host_, [this](DrawingSurface& s) { drawView(s); },
        [this](QPointF at) { Form_MouseDown(at); }, [this](QPointF at) { Form_MouseMove(at); });
    choices_ = new LedgerChoices(host_, Canvas, JournalStripPlaces, TypeAheadStart::FirstCharacter);
    choices_->share(DateSearch, tReportAcc, FolioChoiceTx);
    choices_->keepInStrip(choices_->PNPage[0], {603, 6});
    choices_->keepInStrip(choices_->PNPage[1], {630, 6});
    JJournal = new TuvoVerticalScroll(Canvas);
    JJournal->setGeometry(696, 52, 21, 320);
    JJournal->setBackColor(0xC0FFFF);
    connect(JJournal, &ScrollBarWidget::Change, this, [this] { JJournal_Change(); });
    HScroll = new RealhScroll(Canvas);
    HScroll->hide();
    connect(HScroll, &ScrollBarWidget::Change, Canvas, [this] { Canvas->update(); });
    ShowTip = new QLabel(Canvas);
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
    measureColumns();
    // The strip's controls stay in reach; the page scrolls sideways.
    choices_->holdWindowAtLeast({660, 240});
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
        JJournal->setBackColor(
            static_cast<std::uint32_t>(fromQColor(palette().color(QPalette::Window))));
    QMainWindow::changeEvent(e);
}

void GeneralJournal::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void GeneralJournal::Form_Resize() {
    if (!Canvas) return;
    const int W = Canvas->width();
    const int H = Canvas->height();
    choices_->stretchAccountBox(W - 719);
    if (H > 140) JJournal->resize(JJournal->width(), H - (52 + 30));
    placeColumns();
    JJournal_Change();
    JJournal->Refresh();
}

void GeneralJournal::Form_Activate() {
    if (host_.run->JournalRevision != SeenRevision) {
        SeenRevision = host_.run->JournalRevision;
        ListBuilt = false;
    }
    if (ListBuilt) return;
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
    const Book& book = *host_.book;
    JournalOptions options;
    static_cast<LedgerChoice&>(options) = choices_->choice(ReconcileMode);
    options.mode = searchMode_;
    options.searchText = searchText_;
    list_ = buildJournalList(book, options);
    ++builds_;
    measureColumns();
    placeColumns();
    if (list_.AllAccounts) choices_->setAccountText(strings::text(207));
    choices_->showBuilt(list_.FromDate, list_.ToDate, list_.Folio, "");
    // The range always follows this list.
    JJournal->setValueMax(std::max(static_cast<int>(list_.ShownLines.size()) - 1, 0));
    JJournal->setValue(0); // draws the first page
}

void GeneralJournal::setSearch(JournalMode mode, const std::string& text) {
    searchMode_ = mode;
    searchText_ = text;
    ListBuilt = false;
}

void GeneralJournal::measureColumns() {
    const JournalWidest widest = journalWidest(*host_.book, list_, currentLocale());
    const std::vector<std::string>* figures[5] = {&widest.dates, nullptr, &widest.folios,
                                                  &widest.debits, &widest.credits};
    const std::string font = ledgerFontName(*host_.book);
    measureOnScreen([&](DrawingSurface& s) {
        for (std::size_t c = 0; c < 5; ++c) {
            s.setFont(rowFont(font, true));
            measured_[c].heading = pixelWidth(s, strings::text(Headings[c]));
            s.setFont(rowFont(font));
            measured_[c].figure = figures[c] ? widestPixels(s, *figures[c]) : 0;
        }
    });
}

void GeneralJournal::placeColumns() {
    const int W = Canvas->width();
    const int H = Canvas->height();
    const double f = stretchOf(W);
    // The scroll bar stays at the window's right edge however wide the page.
    JJournal->move(static_cast<int>(std::min(696 * f, W - 23.0)), JJournal->y());
    columns_.assign(5, TableColumn{});
    double left = TableLeft;
    for (std::size_t c = 0; c < 5; ++c) {
        TableColumn& col = columns_[c];
        col.design = DesignRights[c] * f - left;
        left = DesignRights[c] * f;
        col.need = std::max(measured_[c].figure + RightInsets[c] * f + LeftPad,
                            HeadingOffsets[c] * f + measured_[c].heading + 2);
    }
    columns_[NameColumn].name = true;
    columns_[NameColumn].least = std::max(measured_[NameColumn].heading + 8, 120.0);
    const double right = placeTableColumns(columns_, TableLeft);
    const double room = viewRight();
    fitTableScroll(*HScroll, right, room,
                   QRect(TableLeft, H - 4 - TableScrollHeight,
                         static_cast<int>(room - TableLeft) + 1, TableScrollHeight));
}

double GeneralJournal::viewRight() const {
    return JJournal->x() - 6;
}

void GeneralJournal::drawView(DrawingSurface& s) {
    if (columns_.empty()) placeColumns();
    const double f = stretchOf(Canvas->width());
    const double x0 = -tableScrolled(*HScroll);
    const double H = Canvas->height();
    const double right = x0 + columns_.back().right();
    const std::string font = ledgerFontName(*host_.book);
    s.ForeColor = 0;
    ruledBoxAt(s, x0 + TableLeft, 32, right, 55, rgbColor(0xFF, 0xFF, 0xC0));
    s.setFont(rowFont(font, true));
    for (std::size_t c = 0; c < 5; ++c) {
        const TableColumn& col = columns_[c];
        const std::string heading = strings::text(Headings[c]);
        // At its design place while the column has room for it there.
        const double room = col.width - pixelWidth(s, heading) - 2;
        textAt(s, x0 + col.left + std::clamp(HeadingOffsets[c] * f, 0.0, std::max(room, 0.0)), 36,
               heading);
    }
    ruledBoxAt(s, x0 + TableLeft, 55, right, H - 4, rgbColor(0xFF, 0xFF, 0xFF));
    for (std::size_t c = 0; c + 1 < 5; ++c)
        lineAt(s, x0 + columns_[c].right(), 32, x0 + columns_[c].right(), H - 4);
    // The page's rows spaced by the lines of the surface drawn on.
    const JournalPage page = pageFor(s);
    const TableColumn& name = columns_[NameColumn];
    for (const JournalPrintRow& row : page.rows) {
        if (row.kind == JournalPrintRow::Note) {
            s.setFont(rowFont(font, true, true));
            s.ForeColor = 0;
            textAt(s, x0 + row.noteX, row.y, row.note);
            continue;
        }
        if (row.kind != JournalPrintRow::Line) continue;
        s.setFont(rowFont(font));
        s.ForeColor = row.grey ? rgbColor(0xE0, 0xE0, 0xE0) : 0;
        auto figure = [&](JournalColumn c, const std::string& text) {
            textEndingAt(s, x0 + columns_[c].right() - RightInsets[c] * f, row.y, text);
        };
        figure(DateColumn, row.date);
        // Credit names stand further in.
        const double indent = (row.debit ? 4 : 32) * f;
        nameAt(s, x0 + name.left + indent, row.y, name.width - indent - 6 * f, row.name);
        figure(FolioColumn, row.folio);
        figure(row.debit ? DebitColumn : CreditColumn, row.amount);
    }
    s.ForeColor = 0;
    const double t = TwipsPerScreenPixel;
    const RgbColor face = fromQColor(palette().color(QPalette::Window));
    // The table ends at its view: what scrolls past it is not drawn beside
    // the scroll bar nor below it.
    s.FilledBox((viewRight() + 1) * t, 32 * t, Canvas->width() * t, H * t, face);
    s.FilledBox(0, (H - 3) * t, Canvas->width() * t, H * t, face);
}

JournalPage GeneralJournal::pageFor(DrawingSurface& s) {
    const std::string font = ledgerFontName(*host_.book);
    const TableColumn& name = columns_[NameColumn];
    const double f = stretchOf(Canvas->width());
    JournalPageMetrics m;
    m.height = Canvas->height() - (HScroll->isHidden() ? 0 : TableScrollHeight + 4);
    m.noteLeft = name.left + 4 * f;
    m.noteColumn = name.width - 10 * f;
    s.setFont(rowFont(font));
    m.lineHeight = s.TextHeight("W") / TwipsPerScreenPixel;
    // Notes are measured as they are drawn, in bold italic.
    s.setFont(rowFont(font, true, true));
    m.noteWidth = [&s](const std::string& text) { return pixelWidth(s, text); };
    return journalPage(*host_.book, list_, JJournal->Value(), m, currentLocale());
}

void GeneralJournal::JJournal_Change() {
    if (columns_.empty()) placeColumns();
    measureOnScreen([this](DrawingSurface& s) { page_ = pageFor(s); });
    VisibleRows = page_.visibleRows;
    Canvas->update();
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
    const int r = at.y() > 55 && at.x() < Canvas->width() - 30 ? journalItemAt(page_, at.y()) : -1;
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
    printLedger(host_, strings::text(303), [&](DrawingSurface& s, double zoom) {
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
