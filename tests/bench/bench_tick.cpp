// The cost of the main window's timer tick. The timer fires every
// millisecond, and all but one tick a second fall in the second of the last
// full update and must do next to nothing.

#include "CountdownTarget.h"
#include "CountdownWindow.h"
#include "LocalClock.h"

#include <QApplication>
#include <QMetaMethod>
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

// The window's timer, stopped, to drive its ticks by hand.
QTimer *stoppedTimer(const CountdownWindow &window)
{
    auto *timer = window.findChild<QTimer *>(QStringLiteral("tickTimer"));
    timer->stop();
    return timer;
}

// A tick within the second of the last full update, on the real clock: the
// timer's timeout runs the window's handler as a real tick does.
void skippedTick(benchmark::State &state)
{
    application();
    CountdownTarget target;
    CountdownWindow window(target);
    QTimer *timer = stoppedTimer(window);
    target.setMoment(DateValue(LocalClock::now()).addDays(20));
    const QMetaMethod timeout = QMetaMethod::fromSignal(&QTimer::timeout);
    for (auto _ : state) {
        timeout.invoke(timer, Qt::DirectConnection);
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
    stoppedTimer(window);
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
