// The cost of the main window's tick. The program's ticker ticks once a
// second; a tick that falls in the second of the last full update (a timer
// that fires early) must do next to nothing.

#include "countdown/CountdownTarget.h"
#include "main_window/CountdownWindow.h"
#include "platform/LocalClock.h"
#include "platform/SecondTicker.h"

#include <QApplication>
#include <QMetaMethod>

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

// A tick within the second of the last full update, on the real clock: the
// ticker's signal, emitted by hand, runs the window's handler as a real tick
// does.
void skippedTick(benchmark::State &state)
{
    application();
    CountdownTarget target;
    CountdownWindow window(target);
    target.setMoment(DateValue(LocalClock::now()).addDays(20));
    const QMetaMethod ticked = QMetaMethod::fromSignal(&SecondTicker::ticked);
    for (auto _ : state) {
        ticked.invoke(&SecondTicker::instance(), Qt::DirectConnection);
    }
}
BENCHMARK(skippedTick);

// A full update: five labels and the caption rule, as a change of the target
// makes one.
void fullUpdate(benchmark::State &state)
{
    application();
    CountdownTarget target;
    CountdownWindow window(target);
    const DateValue moment = DateValue(LocalClock::now()).addDays(20);
    for (auto _ : state) {
        target.setMoment(moment);
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
