// Opening a calculator window in the program: the window built from its definition (frames,
// fields sized by a trial run, formula pictures drawn from their trees), shown and painted once,
// then closed. One benchmark a window, every window of the program, reported as the median of
// five runs; the goal is one frame (16 ms) on the CI machine and no window over four times the
// simplest one's time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "model/window_registry.h"
#include "fake_printer.h"
#include "shell/calc_window.h"
#include "shell/program_setup.h"

namespace {

void openWindow(benchmark::State& state, const pylora::FormDefinition* definition) {
    pylora::Services services;
    services.databaseFolder = PYLORA_DATABASE_DIR;
    FakePrinter printer;
    for (auto _ : state) {
        auto* window = new pylora::CalcWindow(*definition, services, printer);
        window->show();
        const QPixmap painted = window->grab();  // lays out and paints every child once
        benchmark::DoNotOptimize(painted.cacheKey());
        window->close();
        // Everything the opening and closing posted, as the program's event loop delivers it:
        // events left queued piled up from window to window, and every new event was compared
        // with the whole queue, so later windows measured slower than they open.
        QCoreApplication::sendPostedEvents();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});  // the offscreen platform's notes
    QApplication app(argc, argv);
    pylora::setUpProgram(app);
    for (const pylora::FormDefinition* definition : pylora::allWindows())
        benchmark::RegisterBenchmark(("open/" + definition->formName()).c_str(), openWindow, definition)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
