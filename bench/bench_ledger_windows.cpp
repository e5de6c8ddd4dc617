// Opening the T-account of the busiest account of the reference book
// (1,000,000 lines, 2,000 accounts) and showing its first page: through the
// page model the window draws from, and through the window itself, opened,
// built and painted offscreen as the Display command does it.
#include "bench/generator/book_generator.h"
#include "book/tmain.h"
#include "ledgers/account_activity.h"
#include "ledgers/ledger_pages.h"
#include "ledgers/qt/Report.h"
#include "platform/services.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

const Book& referenceBook() {
    static const Book book = generateBook(1000000, 2000);
    return book;
}

void BM_TAccountFirstPageModel(benchmark::State& state) {
    const Book& book = referenceBook();
    const LocaleInfo locale = monthFirstLocale();
    TAccountOptions options;
    options.account = busiestAccount(book);
    options.fromDate = book.EntryLines.front().Date;
    options.toDate = book.EntryLines.back().Date;
    options.marks = marksOf(locale);
    std::size_t rows = 0;
    for (auto _ : state) {
        const TAccountLedger ledger = buildTAccount(book, options);
        const auto page = tAccountPage(book, ledger, 0, 24, locale);
        benchmark::DoNotOptimize(page.data());
        rows = static_cast<std::size_t>(ledger.LedgerRows);
    }
    state.SetLabel(std::to_string(rows) + " rows");
}
BENCHMARK(BM_TAccountFirstPageModel)->Unit(benchmark::kMillisecond);

void BM_TAccountWindowFirstPage(benchmark::State& state) {
    if (!qApp) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_ledger_windows";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    static Book book = referenceBook();
    static RunTimeState run;
    const std::string account = Tmain::AccountNameByNumber(book, busiestAccount(book));
    LedgerHost host;
    host.book = &book;
    host.run = &run;
    host.accountNames = [] {
        std::vector<std::string> names;
        for (int i = 0; i < book.slotsInUse(); ++i)
            names.push_back(book.AccountNames[i]);
        return names;
    };
    std::size_t rows = 0;
    for (auto _ : state) {
        auto window = std::make_unique<Report>(host);
        window->tReportAcc->setEditText(QString::fromStdString(account));
        window->tReportAcc_Click();
        const QPixmap shown = window->grab();
        benchmark::DoNotOptimize(shown.cacheKey());
        rows = window->page().size();
    }
    state.SetLabel(std::to_string(rows) + " label rows on the first page");
}
BENCHMARK(BM_TAccountWindowFirstPage)->Unit(benchmark::kMillisecond);

} // namespace
