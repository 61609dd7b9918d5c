// The return review of the heavily filled return. The rules run after every recalculation, so
// they must cost far less than the recalculation itself; the computed figure of an overridden
// answer costs a recalculation of a copy of the return, and the window figures it when idle.

#include "bench/BenchReturns.h"
#include "calc/Calculate.h"
#include "review/OverrideFigures.h"
#include "review/Review.h"
#include "store/Answers.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quorvan;

// The heavy return with three overridden lines, so the review also writes notes.
void FillReviewedReturn(TAnswer& store)
{
    bench::FillHeavyReturn(store);
    for (int slot : {41, 54, 56}) {
        store.SetText(ftForm1041Page1, 0, slot, "1,000");
        store.SetOvRide(ftForm1041Page1, 0, slot, true);
    }
    Calculate(store, false);
}

void BM_ReviewFullReturn(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    FillReviewedReturn(*store);
    for (auto _ : state)
        benchmark::DoNotOptimize(review::ReviewReturn(*store));
}
BENCHMARK(BM_ReviewFullReturn)->Unit(benchmark::kMicrosecond);

void BM_FigureOverrideNotesFullReturn(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    FillReviewedReturn(*store);
    const std::vector<review::Finding> findings = review::ReviewReturn(*store);
    review::OverrideFigures figures;
    for (auto _ : state) {
        std::vector<review::Finding> notes = findings;
        figures.Figure(*store, notes);
        benchmark::DoNotOptimize(notes);
    }
}
BENCHMARK(BM_FigureOverrideNotesFullReturn)->Unit(benchmark::kMillisecond);

}  // namespace
