// Showing an entry in the main window's entry line: finding its bounds,
// filling the rows with account names and texts, and the head texts, on the
// reference book (1,000,000 lines, 2,000 accounts).
#include "bench/generator/book_generator.h"
#include "mainwindow/entry_model.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

Book& referenceBook() {
    static Book book = generateBook(1000000, 2000);
    return book;
}

// Everything the window reads when it shows the entry holding a line.
void showEntry(EntryModel& model, std::int32_t line) {
    model.showEntryHolding(line);
    benchmark::DoNotOptimize(model.positionText());
    benchmark::DoNotOptimize(model.dateText());
    benchmark::DoNotOptimize(model.reference());
    benchmark::DoNotOptimize(model.noteText());
    benchmark::DoNotOptimize(model.statusText());
}

// The entry at the start, the middle and the end of the journal.
void BM_ShowEntryAt(benchmark::State& state) {
    Book& book = referenceBook();
    RunTimeState run;
    EntryModel model(book, run, monthFirstLocale());
    const std::int32_t line =
        static_cast<std::int32_t>(state.range(0) * book.LastEntryLine() / 100);
    for (auto _ : state)
        showEntry(model, line);
    state.SetLabel("line " + std::to_string(line));
}
BENCHMARK(BM_ShowEntryAt)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

// Stepping to the next entry all the way through a stretch of the journal.
void BM_StepToNextEntry(benchmark::State& state) {
    Book& book = referenceBook();
    RunTimeState run;
    EntryModel model(book, run, monthFirstLocale());
    model.showEntryHolding(book.LastEntryLine() / 2);
    for (auto _ : state) {
        std::int32_t next = model.nextEntryLine();
        if (next > book.LastEntryLine()) next = 0;
        showEntry(model, next);
    }
}
BENCHMARK(BM_StepToNextEntry)->Unit(benchmark::kMicrosecond);

// The slowest kind of entry: a stretch of lines without a note, found whole
// however long it is, with 31 rows a side filled with names looked up in the
// 2,000-account table (last slots, so each lookup scans the whole table).
// The stretch is 301 lines, or the whole journal.
void BM_ShowUnboundedStretch(benchmark::State& state) {
    Book book = referenceBook();
    const std::int32_t mid = book.LastEntryLine() / 2;
    const std::int32_t reach =
        std::min<std::int32_t>(static_cast<std::int32_t>(state.range(0)), mid);
    const Currency farAccount = book.AccountNumbers[static_cast<std::size_t>(book.LastAccount)];
    for (std::int32_t i = mid - reach; i <= mid + reach && i <= book.LastEntryLine(); ++i) {
        book.EntryLines[static_cast<std::size_t>(i)].Details.clear();
        book.EntryLines[static_cast<std::size_t>(i)].AccountNumber = farAccount;
    }
    RunTimeState run;
    EntryModel model(book, run, monthFirstLocale());
    for (auto _ : state)
        showEntry(model, mid);
}
BENCHMARK(BM_ShowUnboundedStretch)->Arg(150)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace
