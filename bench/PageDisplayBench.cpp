// Displaying a page as the preparer sees it on every page change: the layout is loaded, its
// controls prepared, the return recalculated and the answers written into the controls.
// Runs offscreen on the layouts the build generated, with a heavily filled return.

#include "app/window/MainWindow.h"
#include "bench/BenchReturns.h"
#include "slot/Form1041Page1.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace quorvan;

// One window, in a temporary home, for every benchmark of the run.
std::unique_ptr<app::TfrmMain> g_window;

app::TfrmMain& Window()
{
    return *g_window;
}

void OpenWindow(const QString& home)
{
    app::StartOptions options;
    options.homeFolder = home;
    options.programFolder = QStringLiteral(QUORVAN_BUILD_DATA_DIR);
    g_window = std::make_unique<app::TfrmMain>(nullptr, options);
    // The window's dialog would wait for a click (the offscreen screen is narrow): drop messages.
    SetMessagePresenter([](const TMessage&) {});
    g_window->State().SkipAnimations = true;
    g_window->show();
    bench::FillHeavyReturn(*g_window->Store());
}

// Load, prepare, recalculate and fill.
void BM_DisplayPage(benchmark::State& state)
{
    app::TfrmMain& window = Window();
    const int pageCode = static_cast<int>(state.range(0));
    for (auto _ : state)
        window.DisplayCode(pageCode);
    QApplication::processEvents();
}
// Form 1041 page 1 (the largest layout), page 2, Schedule K-1 and a Form 8949 page.
BENCHMARK(BM_DisplayPage)->Arg(100)->Arg(200)->Arg(900)->Arg(2900)->Unit(benchmark::kMillisecond);

// The same with the page painted, as the preparer waits for it: Form 1041 page 1 and a Form 8949
// page, the two that take longest.
void BM_DisplayAndPaintPage(benchmark::State& state)
{
    app::TfrmMain& window = Window();
    const int pageCode = static_cast<int>(state.range(0));
    for (auto _ : state) {
        window.DisplayCode(pageCode);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DisplayAndPaintPage)->Arg(100)->Arg(2900)->Unit(benchmark::kMillisecond);

// Undo of one field left with a new amount: the return put back, recalculated, the page on
// screen refilled and the cursor put in the field, as after Ctrl+Z.
void BM_UndoField(benchmark::State& state)
{
    app::TfrmMain& window = Window();
    window.DisplayCode(100);
    const int line3 = slot::form1041Page1::line3Business.slot;
    QLineEdit* field = nullptr;
    for (QLineEdit* edit : window.Page()->findChildren<QLineEdit*>())
        if (app::SlotOf(edit) == line3)
            field = edit;
    if (!field) {
        state.SkipWithError("no line 3 on page 1");
        return;
    }
    int typed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        field->setText(QString::number(1000 + (++typed % 2)));
        window.StorePage();
        window.Recalculate(false);
        state.ResumeTiming();
        window.UndoClick();
    }
    QApplication::processEvents();
}
BENCHMARK(BM_UndoField)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir home;
    OpenWindow(home.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();  // before the application goes
    return 0;
}
