// The print engine: the first sheet of the sample return painted for the preview (layouts read,
// answers formatted, one sheet painted at the preview's size), every page of the heavily filled
// return painted as PDF, and the sample return's PDF through the tool as a whole process.
// Budgets: 100 ms, 2 s and 300 ms. Runs offscreen on the print layouts the build generated.

#include "bench/BenchReturns.h"
#include "calc/Calculate.h"
#include "files/ClientFile.h"
#include "print/FormSelect.h"
#include "print/PaintedLayout.h"
#include "render/PaintedDocument.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <memory>
#include <string>

extern char** environ;

namespace {

using namespace quorvan;

const std::string kLayouts = QUORVAN_BUILD_DATA_DIR "/LAY";
const std::string kSample = QUORVAN_SOURCE_DIR "/examples/sample-trust.fq6";

// The return recalculated until it settles, as the program has it when the preparer prints.
void Settle(TAnswer& store)
{
    for (int run = 0; run < 10 && Calculate(store, false); ++run) {
    }
}

void BM_PaintFirstPreviewSheet(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    if (!ReadClientFileAt(*store, kSample)) {
        state.SkipWithError("the sample return cannot be read");
        return;
    }
    Settle(*store);
    const std::vector<PrintPage> pages = PagesToPrint(DefaultSelection(*store), *store);
    // A Letter sheet at the width of the preview window on a 96 dpi screen.
    QImage sheet(940, 1216, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        render::PaintedDocument document;
        std::string error;
        if (!document.Build(*store, pages, std::make_shared<PaintedLayouts>(kLayouts), error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        document.Paint(painter, 0, QRectF(0, 0, sheet.width(), sheet.height()));
    }
}
BENCHMARK(BM_PaintFirstPreviewSheet)->Unit(benchmark::kMillisecond);

void BM_PaintHeavyReturnToPdf(benchmark::State& state)
{
    bench::QuietMessages quiet;
    ScopedAnswerStore store;
    bench::FillHeavyReturn(*store);
    Settle(*store);
    PrintSelection everything;
    everything.SelectAll();
    const std::vector<PrintPage> pages = PagesToPrint(everything, *store);
    auto layouts = std::make_shared<PaintedLayouts>(kLayouts);
    size_t bytes = 0;
    int sheets = 0;
    for (auto _ : state) {
        render::PaintedDocument document;
        std::string error;
        std::string pdf;
        if (!document.Build(*store, pages, layouts, error) || !render::PdfBytes(document, "forms", pdf, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        bytes = pdf.size();
        sheets = document.SheetCount();
    }
    // A label, not counters: the CSV report wants the same counters in every benchmark of a program.
    state.SetLabel(std::to_string(sheets) + " sheets, " + std::to_string(bytes / 1024) + " KB");
}
BENCHMARK(BM_PaintHeavyReturnToPdf)->Unit(benchmark::kMillisecond);

// quorvan_16-calc --print X.pdf on the sample return, from its start to its end.
void BM_SampleReturnPdfThroughTheTool(benchmark::State& state)
{
    char folder[] = "/tmp/quorvan_16-paintbench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no scratch folder");
        return;
    }
    const std::string output = std::string(folder) + "/sample.pdf";
    std::string program = QUORVAN_CLI_PATH;
    std::string print = "--print";
    std::string target = output;
    std::string sample = kSample;
    char* argv[] = {program.data(), print.data(), target.data(), sample.data(), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) < 0 ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("quorvan_16-calc --print failed");
            break;
        }
    }
    std::remove(output.c_str());
    rmdir(folder);
}
// Its time is the process's, not this program's: measured by the clock.
BENCHMARK(BM_SampleReturnPdfThroughTheTool)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
