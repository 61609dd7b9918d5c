// Importing a broker's year of sales into a heavily filled return: reading the CSV text, figuring
// where each sale goes against the rows already there, and writing them.

#include "bench/BenchReturns.h"
#include "files/StatementImport.h"
#include "files/SummedSalesRecord.h"
#include "store/Answers.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

using namespace quorvan;

// 5,000 sales: 300 each for boxes B and E (Form 8949 rows), the rest boxes A and D (summed).
std::string FiveThousandSales()
{
    std::string csv = "Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Box\n";
    for (int i = 0; i < 5000; ++i) {
        const char box = i < 300 ? 'B' : i < 600 ? 'E' : (i % 2 ? 'A' : 'D');
        csv += "\"" + std::to_string(i % 900 + 1) + " sh. Stock " + std::to_string(i) + "\",01/15/2015,06/30/2016,\"$" +
               std::to_string(1000 + i) + ".25\",\"$" + std::to_string(900 + i) + ".10\"," + box + "\n";
    }
    return csv;
}

void BM_ImportFiveThousandSales(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    bench::FillHeavyReturn(*store);
    const std::string csv = FiveThousandSales();
    for (auto _ : state) {
        // Boxes B and E start with no pages in use, so each run places its rows afresh.
        store->NoOf8949_B = 0;
        store->NoOf8949_E = 0;
        // Nor are the sales of boxes A and D summed yet: the last run's would all be duplicates.
        WriteSummedSales(*store, {});
        const PreparedImport prepared = PrepareImportOf(*store, csv, false);
        if (!CarryOutPrepared(*store, prepared))
            throw std::runtime_error(ProblemList(prepared.plan.problems));
        benchmark::DoNotOptimize(store->NoOf8949_B);
    }
}
BENCHMARK(BM_ImportFiveThousandSales)->Unit(benchmark::kMillisecond);

}  // namespace
