// The chart editor's check on close on the largest chart the table allows
// (32,001 slots, 32,000 accounts of their own numbers and names, the last
// two sharing a name so that every slot is looked at before the fault), and
// on the same chart when it passes.
#include "accounts/chart_table.h"
#include "bench/generator/book_generator.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int ChartAccounts = 32000;

Book largeChart(bool duplicateAtTheEnd) {
    Book book = generateBook(2, ChartAccounts);
    book.resizeAccounts(ChartAccounts);
    for (int i = 0; i <= ChartAccounts; ++i) {
        const auto s = static_cast<std::size_t>(i);
        book.AccountNumbers[s] = Currency::fromUnits(100 + i);
        book.AccountNames[s] = "Account " + std::to_string(100 + i);
    }
    if (duplicateAtTheEnd) book.AccountNames[ChartAccounts] = book.AccountNames[ChartAccounts - 1];
    return book;
}

void BM_ChartCheckOnClose(benchmark::State& state) {
    Book book = largeChart(state.range(0) == 1);
    for (auto _ : state) {
        std::optional<ChartFault> fault = closeChart(book, ".");
        benchmark::DoNotOptimize(fault);
    }
    state.SetItemsProcessed(state.iterations() * (ChartAccounts + 1));
}
// 0: the chart passes (and the account list is rebuilt); 1: the last pair of names is caught.
BENCHMARK(BM_ChartCheckOnClose)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
