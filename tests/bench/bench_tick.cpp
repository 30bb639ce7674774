// The cost of the main window's timer tick. The timer fires every
// millisecond, and all but one tick a second fall in the second of the last
// full update and must do next to nothing.

#include "LocalClock.h"
#include "frmMain.h"

#include <QApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

QApplication *application()
{
    static int argc = 1;
    static char name[] = "bench_tick";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return &app;
}

// A tick within the second of the last full update, on the real clock.
void skippedTick(benchmark::State &state)
{
    application();
    frmMain form;
    form.tmr->stop();
    form.datTarget = DateValue(LocalClock::now()).addDays(20);
    for (auto _ : state) {
        form.UpdateDisplay(false);
    }
}
BENCHMARK(skippedTick);

// A full update: five labels and the caption rule.
void fullUpdate(benchmark::State &state)
{
    application();
    frmMain form;
    form.tmr->stop();
    form.datTarget = DateValue(LocalClock::now()).addDays(20);
    for (auto _ : state) {
        form.UpdateDisplay(true);
    }
}
BENCHMARK(fullUpdate);

// Reading the clock alone, the floor under every tick.
void clockRead(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LocalClock::now());
}
BENCHMARK(clockRead);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    application();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
