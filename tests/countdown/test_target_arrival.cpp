#include "countdown/CountdownTarget.h"
#include "countdown/TargetArrival.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

using namespace std::chrono;

class TestTargetArrival : public QObject
{
    Q_OBJECT

private slots:
    void arrivesOnceWhenReached_data();
    void arrivesOnceWhenReached();
    void newTargetsArriveWhenPickedAhead();
};

void TestTargetArrival::arrivesOnceWhenReached_data()
{
    QTest::addColumn<int>("left"); // at the start; 0: a past target, pulled up
    QTest::addColumn<int>("jump"); // the clock's move before the next check
    QTest::addColumn<bool>("arrives");
    QTest::newRow("1 s left, a tick to zero") << 1 << 1 << true;
    QTest::newRow("1 s left, past") << 1 << 2 << true;
    QTest::newRow("10 min left, a jump past") << 600 << 3600 << true;
    QTest::newRow("10 min left, a tick") << 600 << 1 << false;
    QTest::newRow("start past the target") << 0 << 1 << false;
    QTest::newRow("start past the target, a jump") << 0 << 3600 << false;
}

void TestTargetArrival::arrivesOnceWhenReached()
{
    QFETCH(int, left);
    QFETCH(int, jump);
    QFETCH(bool, arrives);
    FixedClock clock(localMoment(2007, 3, 25, 7, 50));
    clearSettingsStore();
    CountdownTarget target;
    if (left > 0)
        target.setMoment(DateValue(clock.now() + seconds(left)));
    else
        target.load(DateValue(clock.now()));
    TargetArrival arrival(target);
    QSignalSpy arrivals(&arrival, &TargetArrival::arrived);

    arrival.check();
    QCOMPARE(arrivals.count(), 0);
    clock.advance(seconds(jump));
    arrival.check();
    QCOMPARE(arrivals.count(), arrives ? 1 : 0);
    clock.advance(seconds(1));
    arrival.check();
    QCOMPARE(arrivals.count(), arrives ? 1 : 0);
}

void TestTargetArrival::newTargetsArriveWhenPickedAhead()
{
    FixedClock clock(localMoment(2007, 3, 25, 7, 59, 59));
    CountdownTarget target;
    TargetArrival arrival(target);
    QSignalSpy arrivals(&arrival, &TargetArrival::arrived);
    const auto pickAndCheck = [&](seconds ahead, seconds wait) {
        target.setMoment(DateValue(clock.now() + ahead));
        arrival.check();
        clock.advance(wait);
        arrival.check();
        return arrivals.count();
    };

    QCOMPARE(pickAndCheck(seconds(1), seconds(1)), 1);
    QCOMPARE(pickAndCheck(seconds(-60), seconds(600)), 1); // a past date
    QCOMPARE(pickAndCheck(seconds(0), seconds(1)), 1);     // now itself
    QCOMPARE(pickAndCheck(seconds(5), seconds(4)), 1);
    clock.advance(seconds(1));
    arrival.check();
    QCOMPARE(arrivals.count(), 2);
    QCOMPARE(pickAndCheck(minutes(10), hours(1)), 3);
}

TALORAN_TEST_MAIN(TestTargetArrival)
#include "test_target_arrival.moc"
