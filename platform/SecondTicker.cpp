#include "platform/SecondTicker.h"

#include <QCoreApplication>
#include <QPointer>

using namespace std::chrono;

namespace {

// From now until the next whole second of the wall clock: more than 0 and at
// most a second, rounded up so that the tick does not come before it.
milliseconds untilNextSecond()
{
    const nanoseconds now = system_clock::now().time_since_epoch();
    nanoseconds intoSecond = now % seconds(1);
    if (intoSecond < 0ns)
        intoSecond += seconds(1);
    return ceil<milliseconds>(seconds(1) - intoSecond);
}

} // namespace

SecondTicker &SecondTicker::instance()
{
    static QPointer<SecondTicker> ticker;
    if (!ticker)
        ticker = new SecondTicker(QCoreApplication::instance());
    return *ticker;
}

void SecondTicker::fire()
{
    arm(untilNextSecond());
    emit ticked();
}
