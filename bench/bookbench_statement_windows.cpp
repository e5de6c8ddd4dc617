// bookbench steps: the four statement windows on the book, offscreen, each
// timed from its making to its first draw (the computation included; the
// statement steps time that alone) and for one scroll step down from the
// middle of the statement (the mean and the slowest of 20). Then the same on
// a book of 200,000 lines and 32,000 accounts generated in memory: a step
// costs the same whatever the chart's size.
#include "bench/bookbench.h"

#include "bench/generator/book_generator.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "bookbench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

std::string dayText(const Book& book, double day) {
    return Tmain::FormatDateStyle(day, book.DateStyle, currentLocale());
}

// Times opening the window: made, computed and shown at 1000 x 700 pixels
// (its first draw); then 20 steps of `scroll` on it. A statement that failed
// is reported so, and not scrolled.
template <class Window>
void openAndScroll(const std::string& label, const std::function<Window*()>& open,
                   const std::function<void(Window&, int step)>& scroll) {
    std::unique_ptr<Window> w;
    timeIt(label + " window, computed and first drawn", [&] {
        w.reset(open());
        if (!w->result().ok) return; // the window refused and closed
        w->resize(1000, 700);
        w->show();
    });
    if (!reportStep(w->result().ok, w->result().message)) return;
    double total = 0, slowest = 0;
    constexpr int Steps = 20;
    for (int step = 1; step <= Steps; ++step) {
        const auto start = std::chrono::steady_clock::now();
        scroll(*w, step);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        total += seconds;
        slowest = std::max(slowest, seconds);
    }
    std::printf("%s window, scroll step: %.4f s (slowest of %d: %.4f s)\n", label.c_str(),
                total / Steps, Steps, slowest);
    std::fflush(stdout);
}

void statementWindowsOn(Book& book, RunTimeState& run) {
    if (book.EntryLines.empty()) return;
    application();
    double first = book.EntryLines.front().Date, last = first;
    for (const EntryLine& line : book.EntryLines) {
        first = std::min(first, line.Date);
        last = std::max(last, line.Date);
    }
    const std::string firstDay = dayText(book, first), lastDay = dayText(book, last);
    auto down = [](auto& w, int step) {
        w.TScroll->setValue(w.TScroll->ValueMax() / 2 + step * 150);
    };
    openAndScroll<Trial_Balance>(
        "trial balance",
        [&] {
            auto* w = new Trial_Balance(book, run, StatementHost{});
            w->ISCalander->setText(lastDay);
            w->mainLOAD();
            return w;
        },
        down);
    openAndScroll<Income_Statement>(
        "income statement",
        [&] {
            auto* w = new Income_Statement(book, run, StatementHost{});
            w->DateSearch[0]->setText(firstDay);
            w->DateSearch[1]->setText(lastDay);
            w->Form_Activate2();
            return w;
        },
        down);
    openAndScroll<Balance_Sheet>(
        "balance sheet",
        [&] {
            auto* w = new Balance_Sheet(book, run, StatementHost{});
            w->ISCalander->setText(lastDay);
            w->BalanceMainLOAD();
            return w;
        },
        down);
    // Revenue against expenses, monthly.
    openAndScroll<CashFlow>(
        "inflows/outflows", [&] { return new CashFlow(book, run, StatementHost{}); },
        [](CashFlow& w, int step) {
            w.VScroll1->setValue(w.VScroll1->ValueMax() / 2 + step * 150);
            if (step == 20)
                std::printf(
                    "  %d rows x %d columns\n",
                    static_cast<int>(w.result().inflows.size() + w.result().outflows.size()),
                    w.result().periods() + 1);
        });
}

} // namespace

void statementWindows(BenchContext& ctx) {
    statementWindowsOn(ctx.book, ctx.run);
}

void statementWindowsOfAWideChart(BenchContext&) {
    Book book;
    timeIt("book generated (200,000 lines, 32,000 accounts)",
           [&] { book = generateBook(200000, 32000); });
    RunTimeState run;
    statementWindowsOn(book, run);
}

LW_BOOKBENCH_STEP("65-statement-windows", statementWindows);
LW_BOOKBENCH_STEP("66-statement-windows-32000-accounts", statementWindowsOfAWideChart);
