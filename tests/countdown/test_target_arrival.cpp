#include "countdown/CountdownTarget.h"
#include "countdown/TargetArrival.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

using namespace std::chrono;

class TestTargetArrival : public QObject
{
    Q_OBJECT

private slots:
    void arrivesOnceWhenReached_data()
    {
        QTest::addColumn<int>("left"); // at the start; 0: a past target, pulled up
        QTest::addColumn<int>("jump"); // the clock's move to the next check
        QTest::addColumn<bool>("arrives");
        QTest::newRow("1 s left, a tick to zero") << 1 << 1 << true;
        QTest::newRow("1 s left, past") << 1 << 2 << true;
        QTest::newRow("10 min left, a jump past") << 600 << 3600 << true;
        QTest::newRow("10 min left, a tick") << 600 << 1 << false;
        QTest::newRow("start past the target") << 0 << 3600 << false;
    }

    void arrivesOnceWhenReached()
    {
        QFETCH(int, left);
        QFETCH(int, jump);
        QFETCH(bool, arrives);
        FixedClock clock(localMoment(2007, 3, 25, 7, 50));
        CountdownTarget target;
        if (left > 0)
            target.setMoment(DateValue(clock.now() + seconds(left)));
        else
            target.load(DateValue(clock.now()));
        TargetArrival arrival(target);
        QSignalSpy arrivals(&arrival, &TargetArrival::arrived);
        for (const int move : {0, jump, 1}) {
            clock.advance(seconds(move));
            arrival.check();
            QCOMPARE(arrivals.count(), move == 0 || !arrives ? 0 : 1);
        }
    }

    // Each target picked ahead of the clock arrives once; one picked at or
    // before the clock does not.
    void pickedTargetsArriveWhenAhead()
    {
        FixedClock clock(localMoment(2007, 3, 25, 7, 59, 59));
        CountdownTarget target;
        TargetArrival arrival(target);
        QSignalSpy arrivals(&arrival, &TargetArrival::arrived);
        for (const auto &[ahead, wait, count] :
             {std::tuple{1, 1, 1}, {-60, 600, 1}, {0, 1, 1}, {5, 5, 2}, {600, 3600, 3}}) {
            target.setMoment(DateValue(clock.now() + seconds(ahead)));
            arrival.check();
            clock.advance(seconds(wait));
            arrival.check();
            QCOMPARE(arrivals.count(), count);
        }
    }
};

TALORAN_TEST_MAIN(TestTargetArrival)
#include "test_target_arrival.moc"
