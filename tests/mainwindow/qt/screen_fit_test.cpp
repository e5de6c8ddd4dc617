// Every window that shows figures, opened from the main window on a book of
// forty-character names and eleven- to thirteen-digit figures, at its
// default size and at its smallest: no two texts drawn over each other, and
// no text cut at an edge without a scroll bar that reaches it (checked at the
// scroll bar's start and at its end). Each window also leaves a picture of
// itself at its default size under the build folder's screenshots, to be
// looked at in real fonts.
//
// One row per window: its name, how it is opened, what it draws and the area
// it shows. A window drawn through a DrawingSurface records its drawing on a
// RecordingSurface of its canvas's size.
#include "accounts/qt/ConfigAccounts.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "ledgers/qt/ledger_window_support.h"
#include "mainwindow/qt/TAcount.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "platform/qt/painter_surface.h"
#include "support/screen_fit.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace main_window_driving;

namespace {

double twipsOf(double pixels) {
    return pixels * TwipsPerScreenPixel;
}

// A business that keeps its books in a currency of small units: forty-
// character account names and figures of eleven to thirteen digits.
Book bigFigureBook() {
    Book book = tradingBook("Northern Trading Company");
    book.FontName = "DejaVu Sans";
    book.DecimalsJournal = 2;
    book.DecimalsLedger = 2;
    const struct {
        const char* number;
        const char* name;
        AccountType type;
    } accounts[] = {
        {"100", "Cash at the northern branch of City Bank", CurrentAsset},
        {"110", "Trade debtors of the export division Ltd", CurrentAsset},
        {"200", "Creditors for goods bought, 30 day terms", CurrentLiability},
        {"300", "Capital brought in by the partners, 2025", CapitalEquity},
        {"400", "Sales of goods and services, the counter", Revenue},
        {"600", "Wages and salaries of staff, north plant", Expense},
    };
    int slot = 1;
    for (const auto& a : accounts)
        setAccount(book, slot++, a.number, a.name, a.type);
    book.EntryLines.clear();
    book.EntryIds.clear();
    int reference = 1;
    auto entry = [&](int month, const char* debit, const char* credit, const char* amount) {
        trading_books::addEntry(book, debit, credit, amount, "_", std::to_string(reference++),
                                Tmain::DayNumber(2025, month, 10 + month));
    };
    entry(1, "100", "300", "1188085100441.60");
    for (int month = 1; month <= 6; ++month) {
        entry(month, "100", "400", "59404255022.08");
        entry(month, "110", "400", "118808510044.16");
        entry(month, "600", "100", "29702127511.04");
    }
    return book;
}

struct ScreenFitRow {
    std::string window; // also the screenshot's name
    // Opens the window from the main window, which shows the book.
    std::function<QWidget*(TAcount&)> open;
    // What the window draws as it stands.
    std::function<std::vector<RecordedCall>(QWidget*)> record;
    // The area it shows and how far its horizontal scroll bar reaches.
    std::function<VisibleArea(QWidget*)> area;
    // Scrolls it right by that many twips (none for a window without a bar).
    std::function<void(QWidget*, double)> scrollRight;
};

// A recording whose texts are as wide and as high as the screen draws them.
class ScreenRecording : public RecordingSurface {
  public:
    using RecordingSurface::RecordingSurface;

  protected:
    double lineWidth(const std::string& line) override {
        return metrics().horizontalAdvance(QString::fromStdString(line)) * TwipsPerScreenPixel;
    }
    double lineHeight() override { return metrics().height() * TwipsPerScreenPixel; }

  private:
    QFontMetricsF metrics() const {
        return QFontMetricsF(deviceFont(font(), TwipsPerInch / TwipsPerScreenPixel));
    }
};

std::vector<RecordedCall> recorded(QWidget* canvas,
                                   const std::function<void(DrawingSurface&)>& draw) {
    ScreenRecording s(twipsOf(canvas->width()), twipsOf(canvas->height()));
    draw(s);
    return s.calls;
}

// A ledger window: its canvas drawn through drawView. The area runs from
// `left` pixels (inside the rule that bounds its table) to its vertical
// scroll bar, and down to what covers its foot (the horizontal scroll bar,
// else `foot` pixels of it).
template <class W>
ScreenFitRow ledgerRow(const std::string& window, std::function<QWidget*(TAcount&)> open,
                       TuvoVerticalScroll* W::*vertical, double left, int foot) {
    auto cast = [](QWidget* w) { return static_cast<W*>(w); };
    return {window, std::move(open),
            [cast, left](QWidget* w) {
                std::vector<RecordedCall> calls =
                    recorded(cast(w)->Canvas(), [&](DrawingSurface& s) { cast(w)->drawView(s); });
                for (RecordedCall& c : calls) {
                    c.x1 -= twipsOf(left);
                    c.x2 -= twipsOf(left);
                }
                return calls;
            },
            [cast, vertical, left, foot](QWidget* w) {
                W* l = cast(w);
                const RealhScroll* h = l->HScroll;
                const double bottom =
                    h->isHidden() ? l->Canvas()->height() - foot : h->geometry().top();
                return VisibleArea{twipsOf((l->*vertical)->x() - left), twipsOf(bottom),
                                   h->isHidden() ? 0.0 : h->ValueMax()};
            },
            [cast](QWidget* w, double twips) {
                cast(w)->HScroll->setValue(static_cast<std::int32_t>(twips));
            }};
}

// A ledger of the busiest account, opened by its Display command.
template <class W>
std::function<QWidget*(TAcount&)> openLedger(Command c, WindowHandles TAcount::*list) {
    return [c, list](TAcount& main) -> QWidget* {
        run(main, c);
        const WindowHandles& opened = main.*list;
        auto* w = opened.count() ? qobject_cast<W*>(opened[opened.count() - 1].data()) : nullptr;
        if (!w) return nullptr;
        w->tReportAcc->setCurrentText("Cash at the northern branch of City Bank");
        w->tReportAcc_Click();
        return w;
    };
}

// The chart editor's grid as it shows: each box's text from its left margin,
// a name cut where its box ends, a number as wide as it is.
ScreenFitRow chartRow() {
    auto chart = [](QWidget* w) { return static_cast<ConfigAccounts*>(w); };
    return {"chart_of_accounts",
            [](TAcount& main) -> QWidget* {
                Book& book = main.book();
                book.resizeAccounts(7);
                book.AccountNumbers[7] =
                    Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
                book.AccountNames[7] = "Suspense for the year-end checks, 2025";
                run(main, Command::EditAccounts);
                return main.chartOfAccountsWindow.data();
            },
            [chart](QWidget* w) {
                std::vector<RecordedCall> calls;
                for (int k = 0; k < ChartRows; ++k)
                    for (QLineEdit* box : {chart(w)->RenameAccount[k], chart(w)->Folio[k]}) {
                        RecordedCall c;
                        c.text = box->text().toStdString();
                        const QRect r(box->mapTo(chart(w)->Frame2, QPoint(0, 0)), box->size());
                        const double width =
                            QFontMetricsF(box->font()).horizontalAdvance(box->text());
                        c.x1 = twipsOf(r.left() + 2);
                        c.x2 = c.x1 + twipsOf(box == chart(w)->Folio[k]
                                                  ? width
                                                  : std::min(width, r.width() - 4.0));
                        c.y1 = twipsOf(r.top());
                        c.y2 = twipsOf(r.bottom());
                        calls.push_back(c);
                    }
                return calls;
            },
            [chart](QWidget* w) {
                const QLineEdit* number = chart(w)->Folio[0];
                const QRect r(number->mapTo(chart(w)->Frame2, QPoint(0, 0)), number->size());
                return VisibleArea{twipsOf(r.right() - 1), twipsOf(chart(w)->Frame2->height()), 0};
            },
            nullptr};
}

std::vector<ScreenFitRow> rows() {
    return {
        ledgerRow<Report>("t_account",
                          openLedger<Report>(Command::ShowTaccount, &TAcount::LedgerWindows),
                          &Report::Vs, 0, DetailBarHeight),
        ledgerRow<Running_Balance>(
            "running_balance",
            openLedger<Running_Balance>(Command::RbMenuItem, &TAcount::RunningBalanceWindows),
            &Running_Balance::VScroll1, 3, DetailBarHeight),
        ledgerRow<GeneralJournal>(
            "general_journal",
            [](TAcount& main) -> QWidget* {
                run(main, Command::ShowJournals);
                const int count = main.JournalWindows.count();
                auto* w = count
                              ? qobject_cast<GeneralJournal*>(main.JournalWindows[count - 1].data())
                              : nullptr;
                if (w) w->Form_Activate();
                return w;
            },
            &GeneralJournal::JJournal, 5, 3),
        chartRow(),
    };
}

std::string lines(const std::vector<std::string>& faults) {
    std::string out;
    for (const std::string& f : faults)
        out += "\n  " + f;
    return out;
}

// The checks at the window's present size: from the scroll bar's start, and
// again scrolled to its end.
void expectFits(const ScreenFitRow& row, QWidget* w, const std::string& size) {
    SCOPED_TRACE(row.window + " at its " + size + " size");
    const VisibleArea area = row.area(w);
    const std::vector<RecordedCall> calls = row.record(w);
    ASSERT_FALSE(calls.empty());
    const std::vector<std::string> overlaps = overlappingTexts(calls);
    EXPECT_TRUE(overlaps.empty()) << lines(overlaps);
    const std::vector<std::string> cut = textsCutAtEdge(calls, area);
    EXPECT_TRUE(cut.empty()) << lines(cut);
    if (area.reachRight <= 0 || !row.scrollRight) return;
    row.scrollRight(w, area.reachRight);
    VisibleArea scrolled = area;
    scrolled.width += area.reachRight; // seen from the start of what the bar reaches
    const std::vector<RecordedCall> at = row.record(w);
    std::vector<RecordedCall> shifted = at;
    for (RecordedCall& c : shifted) {
        c.x1 += area.reachRight;
        c.x2 += area.reachRight;
    }
    const std::vector<std::string> cutScrolled = textsCutAtEdge(shifted, scrolled);
    EXPECT_TRUE(cutScrolled.empty()) << "scrolled right:" << lines(cutScrolled);
    row.scrollRight(w, 0);
}

TEST(ScreenFit, EveryWindowShowsItsFiguresWholeAndApart) {
    ScopedFakeServices fakes(dayFirstLocale());
    for (const ScreenFitRow& row : rows()) {
        TAcount main;
        showBook(main, bigFigureBook());
        QWidget* w = row.open(main);
        ASSERT_NE(w, nullptr) << row.window;
        w->show();
        QApplication::processEvents();
        dialog_driving::saveScreenshot(w, row.window);
        expectFits(row, w, "default");

        w->resize(w->minimumSize().expandedTo(w->minimumSizeHint()));
        QApplication::processEvents();
        expectFits(row, w, "smallest");
        EXPECT_TRUE(fakes.messages.shown.empty())
            << row.window << ": " << fakes.messages.lastText();
    }
}

} // namespace
