// The tape calculator on a long tape (a pasted text of 32,000 lines): the
// result after each key released in an amount box, for every mode. The
// middle value and the mode sort the positive amounts once per change.
#include "calculators/tape_calculator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string pastedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string((i * 7919) % 10007) + "." + std::to_string(i % 100) + "\r\n";
    return text;
}

void BM_TapeKeyRelease(benchmark::State& state) {
    TapeCalculator tape(40, NumberMarks{".", ","});
    tape.layout(20);
    tape.paste(pastedLines(static_cast<int>(state.range(1))));
    tape.setMode(static_cast<CalcMode>(state.range(0)));
    int n = 0;
    for (auto _ : state) {
        tape.amountTyped(0, std::to_string(++n % 1000)); // a changed amount, then the result
        benchmark::DoNotOptimize(tape.result());
    }
}
BENCHMARK(BM_TapeKeyRelease)
    ->ArgsProduct({{0, 1, 2, 3}, {1000, 32000}})
    ->ArgNames({"mode", "lines"})
    ->Unit(benchmark::kMillisecond);

} // namespace
