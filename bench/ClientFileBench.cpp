// Reading and writing the client file of a heavily filled return.

#include "bench/BenchReturns.h"
#include "files/ClientFile.h"
#include "store/Answers.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

using namespace quorvan;

std::string HeavyReturnBytes()
{
    ScopedAnswerStore store;
    bench::FillHeavyReturn(*store);
    std::ostringstream out(std::ios::binary);
    WriteClientFile(*store, out);
    return out.str();
}

void BM_WriteFullClientFile(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    bench::FillHeavyReturn(*store);
    for (auto _ : state) {
        std::ostringstream out(std::ios::binary);
        WriteClientFile(*store, out);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_WriteFullClientFile)->Unit(benchmark::kMillisecond);

void BM_ReadFullClientFile(benchmark::State& state)
{
    bench::QuietMessages quiet;
    const std::string bytes = HeavyReturnBytes();
    for (auto _ : state) {
        ScopedAnswerStore store;
        std::istringstream in(bytes, std::ios::binary);
        benchmark::DoNotOptimize(ReadClientFile(*store, in));
    }
}
BENCHMARK(BM_ReadFullClientFile)->Unit(benchmark::kMillisecond);

// A damaged file whose trust name runs to 16 MB: refused at that line, at once.
void BM_RefuseSixteenMegabyteAnswer(benchmark::State& state)
{
    bench::QuietMessages quiet;
    std::string bytes = HeavyReturnBytes();
    const std::string header = "***** Page 1; Cont 0\r\n";
    bytes.insert(bytes.find(header) + header.size(), std::string(size_t(16) << 20, 'N'));
    for (auto _ : state) {
        ScopedAnswerStore store;
        std::istringstream in(bytes, std::ios::binary);
        benchmark::DoNotOptimize(ReadClientFile(*store, in));
    }
}
BENCHMARK(BM_RefuseSixteenMegabyteAnswer)->Unit(benchmark::kMillisecond);

}  // namespace
