// The shared procedures the reports call most: the next entry reference and
// the account lookups, on the reference book (1,000,000 lines, 2,000 accounts).
#include "bench/generator/book_generator.h"
#include "book/tmain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int ReferenceAccounts = 2000;
constexpr std::int64_t ReferenceLines = 1000000;

const Book& referenceBook() {
    static const Book book = generateBook(ReferenceLines, ReferenceAccounts);
    return book;
}

// A slot at the start, the middle and the end of the table, and a miss.
void lookupArgs(benchmark::internal::Benchmark* b) {
    b->Arg(1)->Arg(ReferenceAccounts / 2)->Arg(ReferenceAccounts - 1)->Arg(-1);
}

Currency numberFor(const Book& book, std::int64_t slot) {
    return slot < 0 ? Currency::fromUnits(999999) : book.AccountNumbers[slot];
}

void BM_GenerateBook(benchmark::State& state) {
    for (auto _ : state) {
        Book book = generateBook(state.range(0), ReferenceAccounts);
        benchmark::DoNotOptimize(book.EntryLines.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GenerateBook)->Arg(ReferenceLines)->Unit(benchmark::kMillisecond);

void BM_NextEntryId(benchmark::State& state) {
    const Book& book = referenceBook();
    for (auto _ : state)
        benchmark::DoNotOptimize(Tmain::NextEntryId(book, "."));
}
BENCHMARK(BM_NextEntryId);

// The longest look-back: no reference of the journal starts with a number.
void BM_NextEntryIdWithoutNumbers(benchmark::State& state) {
    Book book = referenceBook();
    std::fill(book.EntryIds.begin(), book.EntryIds.end(), EntryId("INV"));
    for (auto _ : state)
        benchmark::DoNotOptimize(Tmain::NextEntryId(book, "."));
}
BENCHMARK(BM_NextEntryIdWithoutNumbers)->Unit(benchmark::kMillisecond);

void BM_AccountNameByNumber(benchmark::State& state) {
    const Book& book = referenceBook();
    const Currency number = numberFor(book, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Tmain::AccountNameByNumber(book, number));
}
BENCHMARK(BM_AccountNameByNumber)->Apply(lookupArgs);

void BM_AccountNumberByName(benchmark::State& state) {
    const Book& book = referenceBook();
    const std::string name =
        state.range(0) < 0 ? std::string("No such account") : book.AccountNames[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(Tmain::AccountNumberByName(book, name));
}
BENCHMARK(BM_AccountNumberByName)->Apply(lookupArgs);

void BM_AccountSlotByNumber(benchmark::State& state) {
    const Book& book = referenceBook();
    const Currency number = numberFor(book, state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Tmain::AccountSlotByNumber(book, number));
}
BENCHMARK(BM_AccountSlotByNumber)->Apply(lookupArgs);

// What a report pays when it names each line's account by a scan: the first
// 100,000 journal lines, one lookup each.
void BM_AccountNamePerJournalLine(benchmark::State& state) {
    const Book& book = referenceBook();
    const std::size_t lines = 100000;
    for (auto _ : state) {
        std::size_t total = 0;
        for (std::size_t i = 0; i < lines; ++i)
            total += Tmain::AccountNameByNumber(book, book.EntryLines[i].AccountNumber).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines));
}
BENCHMARK(BM_AccountNamePerJournalLine)->Unit(benchmark::kMillisecond);

} // namespace
