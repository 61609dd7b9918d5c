// Full recalculation of an empty return and of a heavily filled one (every continuation,
// Form 8949 and K-1 page in use). A recalculation runs on every field exit.

#include "bench/BenchReturns.h"
#include "calc/Calculate.h"
#include "store/Answers.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quorvan;

void BM_CalculateEmptyReturn(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    for (auto _ : state)
        benchmark::DoNotOptimize(Calculate(*store, false));
}
BENCHMARK(BM_CalculateEmptyReturn)->Unit(benchmark::kMicrosecond);

void BM_CalculateFullReturn(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    bench::FillHeavyReturn(*store);
    Calculate(*store, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(Calculate(*store, false));
}
BENCHMARK(BM_CalculateFullReturn)->Unit(benchmark::kMicrosecond);

}  // namespace
