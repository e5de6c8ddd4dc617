// Opening the trial balance window on the reference book (1,000,000 lines,
// 2,000 accounts): the window made, the trial balance computed for the last
// journal day and its first screen drawn, offscreen. Also the redraw alone,
// as a scroll step makes it.
#include "bench/generator/book_generator.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "statements/qt/Trial_Balance.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

Book& referenceBook() {
    static Book book = generateBook(1000000, 2000);
    return book;
}

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_statement_windows";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

std::string lastDayText(const Book& book) {
    return Tmain::FormatDateStyle(book.EntryLines.back().Date, book.DateStyle, currentLocale());
}

void BM_OpenTrialBalanceWindow(benchmark::State& state) {
    application();
    Book& book = referenceBook();
    RunTimeState run;
    const std::string date = lastDayText(book);
    for (auto _ : state) {
        Trial_Balance w(book, run, StatementHost{});
        w.resize(1000, 700);
        w.ISCalander->setText(date);
        w.mainLOAD();
        w.show();
        benchmark::DoNotOptimize(w.rows().size());
    }
}
BENCHMARK(BM_OpenTrialBalanceWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RedrawTrialBalanceWindow(benchmark::State& state) {
    application();
    Book& book = referenceBook();
    RunTimeState run;
    Trial_Balance w(book, run, StatementHost{});
    w.resize(1000, 700);
    w.ISCalander->setText(lastDayText(book));
    w.mainLOAD();
    w.show();
    int value = 0;
    for (auto _ : state) {
        value = (value + 150) % 15000;
        w.TScroll->setValue(value);
        benchmark::DoNotOptimize(w.rows().size());
    }
}
BENCHMARK(BM_RedrawTrialBalanceWindow)->Unit(benchmark::kMillisecond);

} // namespace
