// Every window that shows figures, opened from the main window on a book of
// forty-character names and eleven- to thirteen-digit figures, at its
// default size and at its smallest: no two texts drawn over each other, and
// no text cut at an edge without a scroll bar that reaches it, checked at
// each end of the scroll bars. Each window also leaves a picture of
// itself at its default size under the build folder's screenshots, to be
// looked at in real fonts.
//
// One row per window: its name, how it is opened, what it draws and the area
// it shows (the ledgers' inside the rule that bounds their table; the chart
// editor's the grid of name and number boxes). A window drawn through a DrawingSurface records its
// drawing on a recorder of its canvas's size that measures texts in the real fonts, as the window's
// picture does.
#include "accounts/qt/ConfigAccounts.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "ledgers/qt/ledger_window_support.h"
#include "mainwindow/qt/TAcount.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "platform/qt/painter_surface.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "statements/qt/statement_canvas.h"
#include "support/screen_fit.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace main_window_driving;

namespace {

struct ScreenFitRow {
    std::string window; // also the screenshot's name
    // Opens the window from the main window, which shows the book.
    std::function<QWidget*(TAcount&)> open;
    // What the window draws as it stands.
    std::function<std::vector<RecordedCall>(QWidget*)> record;
    // The area it shows and how far its scroll bars reach right and down.
    std::function<VisibleArea(QWidget*)> area;
    // Scrolls it that many twips right and down (none for a window without
    // scroll bars).
    std::function<void(QWidget*, double right, double down)> scroll;
};

// Records texts with the boxes they take in real fonts.
class RealFontRecorder : public RecordingSurface {
  public:
    RealFontRecorder(double width, double height) : RecordingSurface(width, height) {}

  protected:
    double lineWidth(const std::string& line) override {
        measure_.setFont(font());
        return measure_.TextWidth(line);
    }
    double lineHeight() override {
        measure_.setFont(font());
        return measure_.TextHeight("W");
    }

  private:
    QImage picture_{1, 1, QImage::Format_RGB32};
    PainterSurface measure_{&picture_};
};

std::vector<RecordedCall> recorded(QWidget* canvas,
                                   const std::function<void(DrawingSurface&)>& draw) {
    RealFontRecorder s(twipsOf(canvas->width()), twipsOf(canvas->height()));
    draw(s);
    return s.calls;
}

// A window drawn on its canvas through a DrawingSurface, with a vertical and
// a horizontal scroll bar; a hidden bar takes no room and reaches nothing.
template <class Window>
ScreenFitRow canvasRow(const std::string& window, std::function<QWidget*(TAcount&)> open,
                       TuvoVerticalScroll* Window::*vertical, RealhScroll* Window::*horizontal) {
    auto of = [](QWidget* w) { return static_cast<Window*>(w); };
    auto reach = [](const ScrollBarWidget* bar) { return bar->isHidden() ? 0.0 : bar->ValueMax(); };
    auto size = [](const QWidget* bar, int along) {
        return bar->isHidden() ? 0.0 : twipsOf(along);
    };
    return {window, std::move(open),
            [of](QWidget* w) {
                return recorded(of(w)->Canvas, [&](DrawingSurface& s) { of(w)->drawView(s); });
            },
            [=](QWidget* w) {
                const Window* f = of(w);
                const auto* down = f->*vertical;
                const auto* across = f->*horizontal;
                VisibleArea area;
                area.width = twipsOf(f->Canvas->width()) - size(down, down->width());
                area.height = twipsOf(f->Canvas->height()) - size(across, across->height());
                area.reachRight = reach(across);
                area.reachDown = reach(down);
                return area;
            },
            [=](QWidget* w, double right, double down) {
                (of(w)->*horizontal)->setValue(static_cast<std::int32_t>(right));
                (of(w)->*vertical)->setValue(static_cast<std::int32_t>(down));
            }};
}

// A ledger window: a canvas row whose area starts `left` pixels in, inside
// the rule that bounds its table on the left (a text across that rule is cut).
template <class Window>
ScreenFitRow ledgerRow(const std::string& window, std::function<QWidget*(TAcount&)> open,
                       TuvoVerticalScroll* Window::*vertical, double left) {
    ScreenFitRow row = canvasRow(window, std::move(open), vertical, &Window::HScroll);
    row.record = [record = row.record, left](QWidget* w) {
        std::vector<RecordedCall> calls = record(w);
        for (RecordedCall& c : calls) {
            c.x1 -= twipsOf(left);
            c.x2 -= twipsOf(left);
        }
        return calls;
    };
    row.area = [area = row.area, left](QWidget* w) {
        VisibleArea a = area(w);
        a.width -= twipsOf(left);
        return a;
    };
    return row;
}

// A ledger of the busiest account, opened by its Display command.
template <class Window>
std::function<QWidget*(TAcount&)> ledgerOpening(Command command, WindowHandles TAcount::*list) {
    return [=](TAcount& main) -> QWidget* {
        run(main, command);
        const WindowHandles& opened = main.*list;
        auto* w =
            opened.count() ? qobject_cast<Window*>(opened[opened.count() - 1].data()) : nullptr;
        if (!w) return nullptr;
        w->tReportAcc->setCurrentText("Cash at the northern branch of City Bank");
        w->tReportAcc_Click();
        return w;
    };
}

// The chart editor's grid as it shows, with an account numbered at the
// bottom of the range: each box's text from its left margin, a name cut
// where its box ends, a number as wide as it is; the area ends where the
// number boxes end.
ScreenFitRow chartRow() {
    auto chart = [](QWidget* w) { return static_cast<ConfigAccounts*>(w); };
    auto inGrid = [chart](QWidget* w, const QWidget* box) {
        return QRect(box->mapTo(chart(w)->Frame2, QPoint(0, 0)), box->size());
    };
    return {"chart_of_accounts",
            [](TAcount& main) -> QWidget* {
                Book& book = main.book();
                book.AccountNumbers[10] =
                    Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
                book.AccountNames[10] = "Suspense for the year-end checks, 2025";
                run(main, Command::EditAccounts);
                return main.chartOfAccountsWindow.data();
            },
            [chart, inGrid](QWidget* w) {
                std::vector<RecordedCall> calls;
                for (int k = 0; k < ChartRows; ++k)
                    for (QLineEdit* box : {chart(w)->RenameAccount[k], chart(w)->Folio[k]}) {
                        const QRect r = inGrid(w, box);
                        const double width =
                            QFontMetricsF(box->font()).horizontalAdvance(box->text());
                        RecordedCall c;
                        c.text = box->text().toStdString();
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
            [chart, inGrid](QWidget* w) {
                VisibleArea area;
                area.width = twipsOf(inGrid(w, chart(w)->Folio[0]).right() - 1);
                area.height = twipsOf(chart(w)->Frame2->height());
                return area;
            },
            nullptr};
}

// The main window: the texts of its controls as they stand (an amount box's
// figure where it would stand whole), the window's own area, nothing to
// scroll; it opens at the book's last entry.
ScreenFitRow mainWindowRow() {
    return {"main_window_big_figures", [](TAcount& main) -> QWidget* { return &main; },
            [](QWidget* w) { return dialog_driving::shownTexts(w); },
            [](QWidget* w) {
                VisibleArea area;
                area.width = twipsOf(w->width());
                area.height = twipsOf(w->height());
                return area;
            },
            nullptr};
}

// Opens a shared window by its command.
std::function<QWidget*(TAcount&)> opening(Command command, QPointer<QWidget> TAcount::*window) {
    return [=](TAcount& main) -> QWidget* {
        run(main, command);
        return (main.*window).data();
    };
}

std::vector<ScreenFitRow> rows() {
    auto newestBalanceSheet = [](TAcount& main) -> QWidget* {
        run(main, Command::ShowBalance);
        const int count = main.BalanceSheetWindows.count();
        return count ? main.BalanceSheetWindows[count - 1].data() : nullptr;
    };
    return {
        mainWindowRow(),
        canvasRow("trial_balance", opening(Command::TrialBalance, &TAcount::trialBalanceWindow),
                  &StatementFrame::TScroll, &StatementFrame::HScroll),
        canvasRow("income_statement",
                  opening(Command::IncomeStatement, &TAcount::incomeStatementWindow),
                  &StatementFrame::TScroll, &StatementFrame::HScroll),
        canvasRow("balance_sheet", newestBalanceSheet, &StatementFrame::TScroll,
                  &StatementFrame::HScroll),
        canvasRow("inflows_outflows", opening(Command::CashFlowMenu, &TAcount::cashFlowWindow),
                  &CashFlow::VScroll1, &CashFlow::HScroll1),
        ledgerRow("t_account",
                  ledgerOpening<Report>(Command::ShowTaccount, &TAcount::LedgerWindows),
                  &Report::Vs, 0),
        ledgerRow(
            "running_balance",
            ledgerOpening<Running_Balance>(Command::RbMenuItem, &TAcount::RunningBalanceWindows),
            &Running_Balance::VScroll1, 3),
        ledgerRow(
            "general_journal",
            [](TAcount& main) -> QWidget* {
                run(main, Command::ShowJournals);
                const int count = main.JournalWindows.count();
                auto* w = count
                              ? qobject_cast<GeneralJournal*>(main.JournalWindows[count - 1].data())
                              : nullptr;
                if (w) w->Form_Activate(); // the whole journal
                return w;
            },
            &GeneralJournal::JJournal, 5),
        chartRow(),
    };
}

std::string lines(const std::vector<std::string>& faults) {
    std::string out;
    for (const std::string& f : faults)
        out += "\n  " + f;
    return out;
}

// The checks at the window's present size, at each end of its scroll bars.
void expectFits(const ScreenFitRow& row, QWidget* w, const std::string& size) {
    const VisibleArea whole = row.area(w);
    auto ends = [&row](double reach) {
        return reach > 0 && row.scroll ? std::vector<double>{0, reach} : std::vector<double>{0};
    };
    for (const double right : ends(whole.reachRight)) {
        for (const double down : ends(whole.reachDown)) {
            SCOPED_TRACE(row.window + " at its " + size + " size, scrolled " +
                         std::to_string(static_cast<int>(right)) + " right and " +
                         std::to_string(static_cast<int>(down)) + " down");
            if (row.scroll) row.scroll(w, right, down);
            VisibleArea area = whole;
            area.reachRight -= right;
            area.reachLeft = right;
            area.reachDown -= down;
            area.reachUp = down;
            const std::vector<RecordedCall> calls = row.record(w);
            ASSERT_FALSE(calls.empty());
            const std::vector<std::string> overlaps = overlappingTexts(calls);
            EXPECT_TRUE(overlaps.empty()) << lines(overlaps);
            const std::vector<std::string> cut = textsCutAtEdge(calls, area);
            EXPECT_TRUE(cut.empty()) << lines(cut);
        }
    }
    if (row.scroll) row.scroll(w, 0, 0);
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
