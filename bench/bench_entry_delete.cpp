// Deleting an entry in the middle of the reference book (1,000,000 lines,
// 2,000 accounts): the entry's lines go in one range erase and the entry
// that followed is shown.
#include "bench/generator/book_generator.h"
#include "mainwindow/entry_commands.h"
#include "mainwindow/entry_model.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DeleteMiddleEntry(benchmark::State& state) {
    Book book = generateBook(1000000, 2000);
    RunTimeState run;
    EntryModel model(book, run, monthFirstLocale());
    EntryCommands commands(book, run, model);
    for (auto _ : state) {
        // Showing the entry is what the user did before; only the delete is timed.
        state.PauseTiming();
        model.showEntryHolding(book.LastEntryLine() / 2);
        state.ResumeTiming();
        EntryOutcome out = commands.deleteEntry(nullptr, false);
        benchmark::DoNotOptimize(out.showLine);
    }
    state.SetLabel(std::to_string(book.EntryLines.size()) + " lines left");
}
BENCHMARK(BM_DeleteMiddleEntry)->Unit(benchmark::kMillisecond);

} // namespace
