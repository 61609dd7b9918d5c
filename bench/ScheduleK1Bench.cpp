// Full recalculation of an estate with twenty Schedule K-1 pages (every page in use, each with
// its share, capital loss carryovers on the final return and a minimum tax adjustment), and the
// twenty K-1 pages alone.

#include "bench/BenchReturns.h"
#include "calc/Calculate.h"
#include "calc/ScheduleK1.h"
#include "store/Answers.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace quorvan;

// Interest, dividends, rents, a short-term gain passed out and a long-term loss; fees and
// taxes; a final return distributing everything to twenty beneficiaries at 5% each.
void FillEstateWithTwentyBeneficiaries(TAnswer& store)
{
    auto set = [&store](int t, int s, const std::string& text) { store.SetText(t, 0, s, text); };
    set(ftForm1041Page1, 0, "01/01/2016");
    set(ftForm1041Page1, 1, "12/31/2016");
    set(ftForm1041Page1, 2, "X");
    set(ftForm1041Page1, 11, "Estate of Many Heirs");
    set(ftForm1041Page1, 12, "Ruth Many, Executor");
    set(ftForm1041Page1, 13, "1 Long Lane");
    set(ftForm1041Page1, 14, "Apt 2");
    set(ftForm1041Page1, 15, "Akron, OH 44308");
    set(ftForm1041Page1, 17, "34-1010101");
    set(ftForm1041Page1, 24, "X");
    set(ftForm1041Page1, 32, "9,000");
    set(ftForm1041Page1, 36, "25,000");
    set(ftForm1041Page1, 44, "6,000");
    set(ftForm1041Page1, 45, "8,000");
    set(ftForm1041Page1, 47, "3,500");
    set(ftForm1041Page2, 8, "2,000");
    set(ftForm1041Page2, 15, "80,000");
    set(ftForm1041Page2, 16, "20,000");
    set(ftScheduleDPage1, 18, "4,000");
    set(ftScheduleDPage1, 37, "-9,000");
    set(ftScheduleDPage2, 0, "4,000");
    set(ftScheduleDPage2, 3, "-9,000");
    store.NoOfInterest = 1;
    store.NoOfDividend = 1;
    for (int line = 0; line < 10; ++line) {
        store.SetText(ftInterest, 0, 4 + 2 * line, "Bank " + std::to_string(line));
        store.SetText(ftInterest, 0, 5 + 2 * line, std::to_string(3000 + 17 * line));
        store.SetText(ftDividend, 0, 4 + 2 * line, "Fund " + std::to_string(line));
        store.SetText(ftDividend, 0, 5 + 2 * line, std::to_string(1500 + 11 * line));
    }
    store.NoOfSchedK = kMaxPages;
    for (int k = 0; k < kMaxPages; ++k) {
        store.BeneficiaryInterest[static_cast<size_t>(k)] = 0.05;
        store.SetText(ftScheduleK1, k, 2, "Heir " + std::to_string(k));
    }
}

void BM_CalculateTwentyK1Pages(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    FillEstateWithTwentyBeneficiaries(*store);
    Calculate(*store, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(Calculate(*store, false));
}
BENCHMARK(BM_CalculateTwentyK1Pages)->Unit(benchmark::kMicrosecond);

void BM_TwentyK1PagesAlone(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    FillEstateWithTwentyBeneficiaries(*store);
    Calculate(*store, false);
    for (auto _ : state)
        for (int k = 0; k < kMaxPages; ++k)
            CalcScheduleK1(k);
}
BENCHMARK(BM_TwentyK1PagesAlone)->Unit(benchmark::kMicrosecond);

}  // namespace
