// Every window that shows figures, opened from the main window on a book of
// forty-character names and eleven- to thirteen-digit figures, at its default
// size and at its smallest, at each end of its scroll bars: no two texts drawn
// over each other, no text cut at an edge a scroll bar does not reach; at its
// smallest, every control whole inside it and clear of the others. Each
// leaves a picture of itself at its default size under the build folder's
// screenshots. A canvas window's drawing is recorded in the real fonts, in
// each of two font families.
#include "accounts/chart_copy.h"
#include "accounts/qt/ConfigAccounts.h"
#include "book/hand_made_books.h"
#include "book/plain_text.h"
#include "book/text_encoding.h"
#include "ledgers/ledger_printouts.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "ledgers/qt/ledger_window_support.h"
#include "mainwindow/qt/TAcount.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "resources/string_table.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "statements/qt/draw_balance_sheet.h"
#include "statements/qt/draw_income_statement.h"
#include "statements/qt/draw_inflows_outflows.h"
#include "statements/qt/draw_trial_balance.h"
#include "statements/qt/statement_canvas.h"
#include "statements/statement_books.h"
#include "support/qt/real_font_recorder.h"
#include "support/screen_fit.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"
#include "toolkit/text_wrap.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace main_window_driving;

namespace {

// A window, named as its screenshot: how the main window opens it, what it
// draws, the area it shows with how far its scroll bars reach, and how it
// scrolls that many twips right and down (none without scroll bars).
struct ScreenFitRow {
    std::string window;
    std::function<QWidget*(TAcount&)> open;
    std::function<std::vector<RecordedCall>(QWidget*)> record;
    std::function<VisibleArea(QWidget*)> area;
    std::function<void(QWidget*, double right, double down)> scroll;
    bool wholeAtDefault = false; // at its default size, nothing to scroll across
};

// The area a canvas shows between its scroll bars (a hidden bar takes no
// room and reaches nothing), and the corner two shown bars leave.
VisibleArea canvasArea(const QWidget* canvas, const ScrollBarWidget* down,
                       const ScrollBarWidget* across) {
    auto reach = [](const ScrollBarWidget* bar) { return bar->isHidden() ? 0.0 : bar->ValueMax(); };
    VisibleArea area{twipsOf(canvas->width() - (down->isHidden() ? 0 : down->width())),
                     twipsOf(canvas->height() - (across->isHidden() ? 0 : across->height())),
                     reach(across), 0, reach(down)};
    if (!down->isHidden() && !across->isHidden())
        area.corner = {twipsOf(across->geometry().right() + 1),
                       twipsOf(down->geometry().bottom() + 1), twipsOf(canvas->width()),
                       twipsOf(canvas->height())};
    return area;
}

// A window drawn on its canvas, with a vertical and a horizontal scroll bar.
template <class Window>
ScreenFitRow canvasRow(const std::string& window, std::function<QWidget*(TAcount&)> open,
                       TuvoVerticalScroll* Window::*vertical, RealhScroll* Window::*horizontal) {
    auto of = [](QWidget* w) { return static_cast<Window*>(w); };
    return {
        window, std::move(open),
        [of](QWidget* w) {
            RealFontRecorder s(twipsOf(of(w)->Canvas->width()), twipsOf(of(w)->Canvas->height()));
            of(w)->drawView(s);
            return s.calls;
        },
        [=](QWidget* w) { return canvasArea(of(w)->Canvas, of(w)->*vertical, of(w)->*horizontal); },
        [=](QWidget* w, double right, double down) {
            (of(w)->*horizontal)->setValue(static_cast<std::int32_t>(right));
            (of(w)->*vertical)->setValue(static_cast<std::int32_t>(down));
        }};
}

// A statement: at its default size, nothing to scroll across.
ScreenFitRow statementRow(const std::string& window, std::function<QWidget*(TAcount&)> open) {
    ScreenFitRow row =
        canvasRow(window, std::move(open), &StatementFrame::TScroll, &StatementFrame::HScroll);
    row.wholeAtDefault = true;
    return row;
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
        a.corner.x1 -= twipsOf(left);
        a.corner.x2 -= twipsOf(left);
        return a;
    };
    return row;
}

// The newest window of a list its command opens, made ready by `ready`.
template <class Window>
std::function<QWidget*(TAcount&)> newest(Command command, WindowHandles TAcount::*list,
                                         std::function<void(Window*)> ready) {
    return [=](TAcount& main) -> QWidget* {
        run(main, command);
        const WindowHandles& opened = main.*list;
        auto* w =
            opened.count() ? qobject_cast<Window*>(opened[opened.count() - 1].data()) : nullptr;
        if (w && ready) ready(w);
        return w;
    };
}

// The chart editor's grid, with an account numbered at the bottom of the
// range: each box's text from its left margin, a name cut where its box ends,
// a number as wide as it is; the area ends where the number boxes end.
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
                return VisibleArea{twipsOf(inGrid(w, chart(w)->Folio[0]).right() - 1),
                                   twipsOf(chart(w)->Frame2->height())};
            },
            nullptr};
}

// A window of controls, nothing to scroll: the texts its controls show.
ScreenFitRow controlsRow(const std::string& window, std::function<QWidget*(TAcount&)> open) {
    return {window, std::move(open), [](QWidget* w) { return dialog_driving::shownTexts(w); },
            [](QWidget* w) {
                return VisibleArea{twipsOf(w->width()), twipsOf(w->height())};
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
    auto busiest = [](auto* ledger) {
        ledger->tReportAcc->setCurrentText("Cash at the northern branch of City Bank");
        ledger->tReportAcc_Click();
    };
    return {
        // The main window at the last entry (an amount box's figure where it
        // would stand whole), and the windows of controls alone.
        controlsRow("main_window_big_figures", [](TAcount& main) -> QWidget* { return &main; }),
        controlsRow("settings", opening(Command::SoftwareSettings, &TAcount::settingsWindow)),
        controlsRow("search", opening(Command::SearchNumbers, &TAcount::searchWindow)),
        controlsRow("depreciation", opening(Command::Depreciation, &TAcount::depreciationWindow)),
        controlsRow("tape_calculator", newest<QWidget>(Command::RollingCalculator,
                                                       &TAcount::CalculatorWindows, nullptr)),
        controlsRow("payroll",
                    newest<QWidget>(Command::PayCalc, &TAcount::PayrollWindows, nullptr)),
        statementRow("trial_balance", opening(Command::TrialBalance, &TAcount::trialBalanceWindow)),
        statementRow("income_statement",
                     opening(Command::IncomeStatement, &TAcount::incomeStatementWindow)),
        statementRow("balance_sheet",
                     newest<QWidget>(Command::ShowBalance, &TAcount::BalanceSheetWindows, nullptr)),
        canvasRow("inflows_outflows", opening(Command::CashFlowMenu, &TAcount::cashFlowWindow),
                  &CashFlow::VScroll1, &CashFlow::HScroll1),
        ledgerRow("t_account",
                  newest<Report>(Command::ShowTaccount, &TAcount::LedgerWindows, busiest),
                  &Report::Vs, 0),
        ledgerRow(
            "running_balance",
            newest<Running_Balance>(Command::RbMenuItem, &TAcount::RunningBalanceWindows, busiest),
            &Running_Balance::VScroll1, 3),
        ledgerRow("general_journal", // the whole journal
                  newest<GeneralJournal>(Command::ShowJournals, &TAcount::JournalWindows,
                                         [](GeneralJournal* w) { w->Form_Activate(); }),
                  &GeneralJournal::JJournal, 5),
        chartRow(),
    };
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
            const VisibleArea area{whole.width, whole.height,           whole.reachRight - right,
                                   right,       whole.reachDown - down, down,
                                   whole.corner};
            const std::vector<RecordedCall> calls = row.record(w);
            ASSERT_FALSE(calls.empty());
            EXPECT_EQ(overlappingTexts(calls), std::vector<std::string>{});
            EXPECT_EQ(textsCutAtEdge(calls, area), std::vector<std::string>{});
            EXPECT_EQ(dialog_driving::figuresUnreadable(w, true), std::vector<std::string>{});
        }
    }
    if (row.scroll) row.scroll(w, 0, 0);
}

class ScreenFitInFamily : public dialog_driving::InBothFamilies {};

TEST_P(ScreenFitInFamily, EveryWindowShowsItsFiguresWholeAndApart) {
    LocaleInfo locale = dayFirstLocale();
    locale.currencySymbol = "CHF"; // a currency label of several letters
    ScopedFakeServices fakes(locale);
    for (const ScreenFitRow& row : rows()) {
        TAcount main;
        showBook(main, bigFigureBook(GetParam()));
        QWidget* w = row.open(main);
        ASSERT_NE(w, nullptr) << row.window;
        w->show();
        QApplication::processEvents();
        dialog_driving::saveScreenshot(w, row.window + "_" +
                                              dialog_driving::familyName({GetParam(), 0}));
        expectFits(row, w, "default");
        EXPECT_EQ(row.wholeAtDefault ? row.area(w).reachRight : 0, 0) << row.window;

        w->resize(w->minimumSize().expandedTo(w->minimumSizeHint()));
        QApplication::processEvents();
        expectFits(row, w, "smallest");
        EXPECT_EQ(dialog_driving::controlsCutOrCovered(w), std::vector<std::string>{})
            << row.window << " at its smallest size";
        EXPECT_TRUE(fakes.messages.shown.empty())
            << row.window << ": " << fakes.messages.lastText();
    }
}

// A printout of the book on a letter page (or as given) less its margins, at the target's
// zoom; a statement whose amount columns all stay on its one page; a
// heading it keeps on one page where a page holds it.
struct PrintoutRow {
    std::string what;
    std::function<void(DrawTarget&)> print;
    bool onePage = false;
    double width = 11520, height = 15120; // of the page less its margins
    std::string heading = {};
};

std::vector<PrintoutRow> printouts(const Book& book) {
    const LocaleInfo locale = dayFirstLocale();
    const double from = handmade::day(2024, 1, 1), to = handmade::day(2025, 12, 31);
    const LedgerChoice cash{handmade::money("100"), from, to, false, {}, {}};
    const JournalOptions all{{Currency(), from, to, false, {}, {}}, JournalMode::Account, {}};
    const LedgerHeading heading = ledgerHeading(book, "Cash", "100", from, to, locale);
    std::string named; // an account's name of some 500 letters, in words
    while (named.size() < 500)
        named += "Loan from the City Bank of Leeds and Bradford, ";
    const auto runningBalance = [=, &book](const LedgerHeading& headed) {
        return [=, &book](DrawTarget& t) {
            printRunningBalance(t.s, book, buildRunningBalance(book, cash), headed, locale, t.scale,
                                nullptr);
        };
    };
    const auto inflowsOutflows = [=, &book](DrawTarget& t) {
        InflowsOutflowsOptions options;
        options.locale = locale;
        printInflowsOutflows(t, book, computeInflowsOutflows(book, options), 0);
    };
    const auto trialBalance = [=, &book](DrawTarget& t) {
        drawTrialBalance(t, book, computeTrialBalance(book, {to, false, locale}));
    };
    return {
        {"t-account",
         [=, &book](DrawTarget& t) {
             printTAccount(t.s, book, buildTAccount(book, {cash}), heading, locale, t.scale);
         }},
        {"running balance", runningBalance(heading)},
        {"running balance on Legal landscape", runningBalance(heading), false, 19440, 10800},
        {"running balance on A5 landscape, headed by a long name",
         runningBalance(ledgerHeading(book, named, "100", from, to, locale)), false, 11180, 7670,
         named + " (100)"},
        {"general journal",
         [=, &book](DrawTarget& t) {
             printGeneralJournal(t.s, book, buildJournalList(book, all),
                                 ledgerHeading(book, "ALL", "100", from, to, locale), locale,
                                 t.scale);
         }},
        {"trial balance", trialBalance, true},
        {"trial balance on Legal", trialBalance, true, 11520, 19440},
        {"trial balance on A5", trialBalance, true, 7670, 11180},
        {"income statement",
         [=, &book](DrawTarget& t) {
             drawIncomeStatement(t, book,
                                 computeIncomeStatement(book, {{false, from, to, false}, locale}));
         },
         true},
        {"balance sheet",
         [=, &book](DrawTarget& t) {
             drawBalanceSheet(t, book, computeBalanceSheet(book, {to, false, locale}),
                              BalanceSheetLayout::WorkingCapital);
         },
         true},
        {"chart", [&book](DrawTarget& t) { printChart(t.s, book, ".", t.scale); }},
        {"chart on A5", [&book](DrawTarget& t) { printChart(t.s, book, ".", t.scale); }, false,
         7670, 11180},
        {"inflows/outflows", inflowsOutflows},
        {"inflows/outflows on A4 landscape", inflowsOutflows, false, 15394, 10469},
    };
}

// The book of large figures with a fifteen-character reference in three
// words on every line (the field keeps fourteen) and fourteen-digit figures in the ledgers.
Book printoutBook(const std::string& font) {
    Book book = bigFigureBook(font);
    handmade::addEntry(book, "", handmade::day(2025, 7, 1), "150", "100", "12345678901234.56");
    for (std::size_t line = 0; line < book.EntryIds.size(); ++line)
        book.EntryIds[line] = EntryId("INV 2024 000" + std::to_string(100 + line));
    return book;
}

// A text without its blanks, no-break ones too.
std::string squeezed(const std::string& text) {
    return QString::fromStdString(text).remove(' ').remove(QChar(0xA0)).toStdString();
}

// Each drawing of `text`, blanks aside, whole: on one line or wrapped onto
// lines drawn in turn (other texts drawn between them); of each, the calls of
// its lines and the words of up to LongestWholeWord characters it breaks
// across lines (a no-break space joins two into one).
struct DrawnLines {
    std::vector<std::size_t> calls;
    std::vector<std::string> broken;
};
std::vector<DrawnLines> drawnLines(const std::vector<RecordedCall>& calls,
                                   const std::string& whole) {
    const std::string text = squeezed(whole);
    std::vector<DrawnLines> found;
    for (std::size_t first = 0; first < calls.size(); ++first) {
        std::size_t at = 0;
        DrawnLines lines;
        for (std::size_t k = first; k < calls.size() && at < text.size(); ++k) {
            const std::string line =
                squeezed(calls[k].kind == RecordedCall::Text ? calls[k].text : "");
            const std::size_t start = at;
            if (!line.empty() && line.starts_with(text.substr(at))) // its last line, more after it
                at = text.size();
            else if (!line.empty() && text.compare(at, line.size(), line) == 0)
                at += line.size();
            else if (k == first)
                break;
            else
                continue;
            lines.calls.push_back(k);
            std::istringstream in(whole);
            std::size_t from = 0; // where a word starts, blanks aside
            for (std::string word; start > 0 && in >> word; from += squeezed(word).size())
                if (from < start && start < from + squeezed(word).size() &&
                    encoding::characterCount(word) <= LongestWholeWord)
                    lines.broken.push_back(word);
        }
        if (at == text.size() && !text.empty()) found.push_back(lines);
    }
    return found;
}

class PrintoutFitInFamily : public dialog_driving::InBothFamilies {};

// Every printout of four books, in three families, from 20 % to past 2000 %:
// texts apart and on the page, none shortened; names of 90 and 250 letters
// and a long business name wrapped with every letter printed, at the type of
// the same book with shorter names (the zoom lowered only for figures and
// words, an unused long name measured nowhere); a statement on one page
// width; no word of up to 20 letters (nor a reference) broken, a heading
// moved whole to a page that holds it.
TEST_P(PrintoutFitInFamily, EveryPrintoutPrintsItsCellsWholeAndOnThePage) {
    Book book = printoutBook(GetParam());
    Book small = book; // short names and figures: the headings are the widest
    for (EntryLine& line : small.EntryLines)
        line.Amount = handmade::money("12.5");
    for (std::string& name : small.AccountNames)
        name = name.substr(0, name.find(' '));
    small.AccountNames[3] = "Caisse \u00c9t\u00e9";
    for (EntryId& reference : small.EntryIds)
        reference = EntryId("R\u00e9f-2024-00012");
    Book named = book; // the figures of `book`, its names longer
    named.AccountNames[7] = "Sales of goods and services at the counter, by post and online, "
                            "north and south, 2025";
    named.AccountNames[9] =
        "Wages and salaries of the staff of the northern plant, " + std::string(60, 'w') +
        " and of the drivers, fitters, clerks and cleaners who keep the "
        "depots, the yards and the offices of the company running all the year, 5";
    named.BusinessName = "The Northern Trading Company of the Tyne, Wear and Tees Valleys "
                         "wholesale and retail merchants since eighteen ninety one";
    handmade::setAccount(named, 10, "700", std::string(140, 'U'), Expense); // used nowhere
    // The texts whose words of up to 20 letters no printout breaks.
    const auto keptWords = [](const Book& b) {
        std::set<std::string> texts{b.BusinessName.str()};
        texts.insert(b.AccountNames.begin(), b.AccountNames.end());
        for (const EntryId& id : b.EntryIds) // one word, its blanks printed unbreakable
            texts.insert(QString::fromStdString(trimmedSpaces(withoutNuls(id.raw())))
                             .replace(' ', QChar(0xA0))
                             .toStdString());
        for (const int label : {134, 167, 204, 250, 251, 252, 253, 254, 255, 257, 303})
            texts.insert(strings::text(label));
        return texts;
    };
    Book shop = statementbooks::tradingBook(); // short names beside wide labels
    shop.FontName = GetParam();
    shop.AccountNames[7] = "Drawings of the owners for the year, 2024";
    const std::pair<const char*, const Book*> books[] = {
        {"long names", &book}, {"short names", &small}, {"longer names", &named}, {"shop", &shop}};
    std::map<std::string, double> types; // of `book`'s printouts, by printout and zoom
    for (const auto& [what, printed] : books) {
        for (const PrintoutRow& row : printouts(*printed)) {
            for (const double zoom :
                 {0.2, 0.33, 0.75, 1.0, 1.25, 1.5, 2.143, 2.5, 3.0, 4.0, 20.0, 400.0}) {
                const std::string at = row.what + " at " + std::to_string(zoom);
                SCOPED_TRACE(at + " of " + what);
                RealFontRecorder s(row.width, row.height, true);
                DrawTarget paper{s, false, zoom};
                row.print(paper);
                EXPECT_EQ(overlappingTexts(s.calls), std::vector<std::string>{});
                const RecordedCall* heading = nullptr; // the first line of the heading
                double type = 0;                       // the largest drawn
                for (const RecordedCall& c : s.calls) {
                    if (c.kind != RecordedCall::Text || c.text.empty()) continue;
                    EXPECT_TRUE(c.x1 >= 0 && c.x2 <= row.width + 1 && c.y2 <= row.height + 1)
                        << RecordingSurface::describe(c) << " passes the page";
                    EXPECT_FALSE(c.text.ends_with("\u2026")) << c.text << " is shortened";
                    if (!heading) heading = &c;
                    type = std::max(type, c.font.size);
                }
                if (row.onePage) { // the heading once: no strip of columns
                    EXPECT_EQ(std::ranges::count(s.calls, heading->text, &RecordedCall::text), 1);
                }
                for (const std::string& text : keptWords(*printed))
                    for (const DrawnLines& drawn : drawnLines(s.calls, text))
                        EXPECT_EQ(drawn.broken, std::vector<std::string>{}) << text;
                if (!row.heading.empty()) { // parted only where the next page cannot hold it
                    const std::vector<std::size_t> lines =
                        drawnLines(s.calls, row.heading).at(0).calls;
                    const RecordedCall& first = s.calls[lines[0]];
                    const double height = static_cast<double>(lines.size()) * (first.y2 - first.y1);
                    for (std::size_t k = 1; k < lines.size(); ++k) {
                        const double top = s.calls[lines[k]].y1; // of a line, of a page
                        EXPECT_FALSE(top < s.calls[lines[k - 1]].y1 && height <= row.height - top);
                    }
                }
                if (printed == &book) types[at] = type;
                if (printed != &named) continue;
                EXPECT_EQ(type, types[at]);
                std::vector<std::string> wholes = {named.AccountNames[7], named.AccountNames[9],
                                                   named.BusinessName.str()};
                if (row.what == "balance sheet") wholes.erase(wholes.begin(), wholes.begin() + 2);
                if (row.what.starts_with("running balance"))
                    wholes.pop_back(); // printed without one
                for (const std::string& whole : wholes)
                    EXPECT_FALSE(drawnLines(s.calls, whole).empty()) << whole;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, PrintoutFitInFamily,
                         ::testing::Values("DejaVu Sans", "Liberation Sans",
                                           dialog_driving::widerRegularFamily),
                         dialog_driving::familyName);

INSTANTIATE_TEST_SUITE_P(Families, ScreenFitInFamily,
                         ::testing::ValuesIn(dialog_driving::bothFamilies),
                         dialog_driving::familyName);

} // namespace
