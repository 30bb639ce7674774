#include "countdown/Countdown.h"
#include "countdown/DateValue.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QDateTime>
#include <QTimeZone>

using namespace std::chrono;

Q_DECLARE_METATYPE(DateValue)

namespace {

// An independent reading of the same wall-clock moment, for checking the
// calendar code against Qt's.
QDateTime asUtc(const DateValue &v)
{
    return QDateTime(QDate(v.year(), v.month(), v.day()), QTime(v.hour(), v.minute(), v.second()),
                     QTimeZone::utc());
}


} // namespace

class TestDateValue : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void fieldsAgreeWithQt();
    void fromParts_data();
    void fromParts();
    void addIntervals_data();
    void addIntervals();
    void laterThanIsStrict();
    void differences_data();
    void differences();
    void differencesAgreeWithQt();
    void rangeEdges();
    void breakDown_data();
    void breakDown();
};

void TestDateValue::fields_data()
{
    QTest::addColumn<DateValue>("value");
    QTest::addColumn<QList<int>>("expected"); // y, mo, d, h, mi, s

    QTest::newRow("first moment") << at(100, 1, 1) << QList<int>{100, 1, 1, 0, 0, 0};
    QTest::newRow("last moment") << at(9999, 12, 31, 23, 59, 59) << QList<int>{9999, 12, 31, 23, 59, 59};
    QTest::newRow("second before 1970") << at(1969, 12, 31, 23, 59, 59)
                                        << QList<int>{1969, 12, 31, 23, 59, 59};
    QTest::newRow("1970 epoch") << at(1970, 1, 1) << QList<int>{1970, 1, 1, 0, 0, 0};
    QTest::newRow("leap day") << at(2024, 2, 29, 13, 5, 7) << QList<int>{2024, 2, 29, 13, 5, 7};
    QTest::newRow("noon") << at(2000, 1, 1, 12) << QList<int>{2000, 1, 1, 12, 0, 0};
    QTest::newRow("1600 leap day") << at(1600, 2, 29, 0, 0, 1) << QList<int>{1600, 2, 29, 0, 0, 1};
}

void TestDateValue::fields()
{
    QFETCH(DateValue, value);
    QFETCH(QList<int>, expected);
    const QList<int> actual{value.year(), value.month(), value.day(),
                            value.hour(), value.minute(), value.second()};
    QCOMPARE(actual, expected);
    QCOMPARE(value.isMidnight(), expected[3] == 0 && expected[4] == 0 && expected[5] == 0);
    QVERIFY(value.isInRange());
}

void TestDateValue::fieldsAgreeWithQt()
{
    const QDateTime epoch(QDate(1970, 1, 1), QTime(0, 0), QTimeZone::utc());
    for (const DateValue &v : spreadMoments(2000, 0x9E3779B97F4A7C15ull)) {
        const QDateTime qt = epoch.addSecs(v.toLocalSeconds().time_since_epoch().count());
        QCOMPARE(asUtc(v), qt);
    }
}

void TestDateValue::fromParts_data()
{
    QTest::addColumn<QList<int>>("parts");
    QTest::addColumn<bool>("valid");

    QTest::newRow("ordinary") << QList<int>{2024, 3, 4, 9, 5, 7} << true;
    QTest::newRow("year 100") << QList<int>{100, 1, 1, 0, 0, 0} << true;
    QTest::newRow("year 9999") << QList<int>{9999, 12, 31, 23, 59, 59} << true;
    QTest::newRow("year 99") << QList<int>{99, 12, 31, 23, 59, 59} << false;
    QTest::newRow("year 10000") << QList<int>{10000, 1, 1, 0, 0, 0} << false;
    QTest::newRow("year 0") << QList<int>{0, 1, 1, 0, 0, 0} << false;
    QTest::newRow("negative year") << QList<int>{-2024, 1, 1, 0, 0, 0} << false;
    QTest::newRow("leap day of leap year") << QList<int>{2024, 2, 29, 0, 0, 0} << true;
    QTest::newRow("leap day of 2000") << QList<int>{2000, 2, 29, 0, 0, 0} << true;
    QTest::newRow("leap day of non-leap year") << QList<int>{2023, 2, 29, 0, 0, 0} << false;
    QTest::newRow("leap day of 1900") << QList<int>{1900, 2, 29, 0, 0, 0} << false;
    QTest::newRow("February 30") << QList<int>{2024, 2, 30, 0, 0, 0} << false;
    QTest::newRow("April 31") << QList<int>{2024, 4, 31, 0, 0, 0} << false;
    QTest::newRow("month 0") << QList<int>{2024, 0, 1, 0, 0, 0} << false;
    QTest::newRow("month 13") << QList<int>{2024, 13, 1, 0, 0, 0} << false;
    QTest::newRow("day 0") << QList<int>{2024, 1, 0, 0, 0, 0} << false;
    QTest::newRow("day 32") << QList<int>{2024, 1, 32, 0, 0, 0} << false;
    QTest::newRow("hour 24") << QList<int>{2024, 1, 1, 24, 0, 0} << false;
    QTest::newRow("minute 60") << QList<int>{2024, 1, 1, 0, 60, 0} << false;
    QTest::newRow("second 60") << QList<int>{2024, 1, 1, 0, 0, 60} << false;
    QTest::newRow("negative hour") << QList<int>{2024, 1, 1, -1, 0, 0} << false;
    QTest::newRow("negative minute") << QList<int>{2024, 1, 1, 0, -1, 0} << false;
    QTest::newRow("negative second") << QList<int>{2024, 1, 1, 0, 0, -1} << false;
}

void TestDateValue::fromParts()
{
    QFETCH(QList<int>, parts);
    QFETCH(bool, valid);
    const auto value = DateValue::fromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
    QCOMPARE(value.has_value(), valid);
    if (valid) {
        const QList<int> actual{value->year(), value->month(), value->day(),
                                value->hour(), value->minute(), value->second()};
        QCOMPARE(actual, parts);
    }
}

void TestDateValue::addIntervals_data()
{
    QTest::addColumn<DateValue>("start");
    QTest::addColumn<QChar>("interval");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<DateValue>("expected");

    QTest::newRow("second into next year") << at(2007, 12, 31, 23, 59, 59) << QChar('s') << qint64(1)
                                           << at(2008, 1, 1);
    QTest::newRow("seconds back across midnight") << at(2008, 1, 1) << QChar('s') << qint64(-1)
                                                  << at(2007, 12, 31, 23, 59, 59);
    QTest::newRow("seconds forward") << at(2007, 3, 25, 8) << QChar('s') << qint64(21)
                                                         << at(2007, 3, 25, 8, 0, 21);
    QTest::newRow("minutes back") << at(2007, 3, 25, 7, 59, 39) << QChar('n') << qint64(-46)
                                  << at(2007, 3, 25, 7, 13, 39);
    QTest::newRow("hours back across midnight") << at(2007, 3, 25, 7, 13, 39) << QChar('h') << qint64(-20)
                                                << at(2007, 3, 24, 11, 13, 39);
    QTest::newRow("hour through a daylight-saving gap") << at(2024, 3, 31, 1, 30) << QChar('h')
                                                        << qint64(1) << at(2024, 3, 31, 2, 30);
    QTest::newRow("day onto leap day") << at(2024, 2, 28, 22, 30, 15) << QChar('d') << qint64(1)
                                       << at(2024, 2, 29, 22, 30, 15);
    QTest::newRow("day over missing leap day") << at(2023, 2, 28, 6) << QChar('d') << qint64(1)
                                               << at(2023, 3, 1, 6);
    QTest::newRow("days back over a year") << at(2025, 3, 1) << QChar('d') << qint64(-366)
                                           << at(2024, 2, 29);
    QTest::newRow("32767 days") << at(2007, 3, 11, 11, 13, 39) << QChar('d') << qint64(32767)
                                << at(2096, 11, 25, 11, 13, 39);
    QTest::newRow("minutes across the 1970 epoch") << at(1970, 1, 1, 0, 0, 30) << QChar('n')
                                                   << qint64(-1) << at(1969, 12, 31, 23, 59, 30);
    QTest::newRow("zero") << at(2024, 3, 4, 9, 5, 7) << QChar('h') << qint64(0) << at(2024, 3, 4, 9, 5, 7);
    QTest::newRow("to the last moment") << at(9999, 12, 31, 23, 59, 58) << QChar('s') << qint64(1)
                                        << at(9999, 12, 31, 23, 59, 59);
    QTest::newRow("back to the first moment") << at(100, 1, 1, 1) << QChar('h') << qint64(-1)
                                              << at(100, 1, 1);
}

void TestDateValue::addIntervals()
{
    QFETCH(DateValue, start);
    QFETCH(QChar, interval);
    QFETCH(qint64, count);
    QFETCH(DateValue, expected);

    DateValue moved;
    switch (interval.toLatin1()) {
    case 's': moved = start.addSeconds(count); break;
    case 'n': moved = start.addMinutes(count); break;
    case 'h': moved = start.addHours(count); break;
    case 'd': moved = start.addDays(count); break;
    }
    QCOMPARE(asUtc(moved), asUtc(expected));
    QVERIFY(moved == expected);
}

void TestDateValue::laterThanIsStrict()
{
    const DateValue a = at(2007, 3, 11, 11, 13, 39);
    const DateValue b = a.addSeconds(1);
    QVERIFY(b.isLaterThan(a));
    QVERIFY(!a.isLaterThan(b));
    QVERIFY(!a.isLaterThan(a));
    QVERIFY(at(2000, 1, 1).isLaterThan(at(1999, 12, 31, 23, 59, 59)));
    QVERIFY(at(9999, 12, 31, 23, 59, 59).isLaterThan(at(100, 1, 1)));
    QVERIFY(!at(100, 1, 1).isLaterThan(at(9999, 12, 31, 23, 59, 59)));
}

void TestDateValue::differences_data()
{
    QTest::addColumn<DateValue>("from");
    QTest::addColumn<DateValue>("to");
    QTest::addColumn<QList<qint64>>("expected"); // seconds, minutes, hours, days

    QTest::newRow("second across an hour") << at(2024, 5, 6, 10, 59, 59) << at(2024, 5, 6, 11)
                                           << QList<qint64>{1, 1, 1, 0};
    QTest::newRow("two hours across midnight") << at(2024, 5, 6, 23) << at(2024, 5, 7, 1)
                                               << QList<qint64>{7200, 120, 2, 1};
    QTest::newRow("90 seconds past") << at(2024, 5, 6, 12, 1, 30) << at(2024, 5, 6, 12)
                                     << QList<qint64>{-90, -1, 0, 0};
    QTest::newRow("equal") << at(2024, 5, 6, 12) << at(2024, 5, 6, 12) << QList<qint64>{0, 0, 0, 0};
    QTest::newRow("one second to midnight") << at(2007, 12, 31, 23, 59, 59) << at(2008, 1, 1)
                                            << QList<qint64>{1, 1, 1, 1};
    QTest::newRow("same day, earlier time") << at(2024, 5, 6, 0, 0, 1) << at(2024, 5, 6, 23, 59, 59)
                                            << QList<qint64>{86398, 1439, 23, 0};
    QTest::newRow("midnights only") << at(2024, 5, 6, 23, 59, 59) << at(2024, 5, 8, 0, 0, 1)
                                    << QList<qint64>{86402, 1441, 25, 2};
    QTest::newRow("back across midnight") << at(2024, 5, 7, 0, 0, 1) << at(2024, 5, 6, 23, 59, 59)
                                          << QList<qint64>{-2, -1, -1, -1};
    QTest::newRow("worked example") << at(2007, 3, 11, 11, 13, 39) << at(2007, 3, 25, 8)
                                    << QList<qint64>{1197981, 19967, 333, 14};
    QTest::newRow("over a leap day") << at(2024, 2, 28, 22, 30, 15) << at(2024, 3, 1, 6, 45, 50)
                                     << QList<qint64>{116135, 1935, 32, 2};
    QTest::newRow("across a daylight-saving change") << at(2024, 3, 30, 12) << at(2024, 3, 31, 12)
                                                     << QList<qint64>{86400, 1440, 24, 1};
    QTest::newRow("whole range") << at(100, 1, 1) << at(9999, 12, 31, 23, 59, 59)
                                 << QList<qint64>{312413759999, 5206895999, 86781599, 3615899};
}

void TestDateValue::differences()
{
    QFETCH(DateValue, from);
    QFETCH(DateValue, to);
    QFETCH(QList<qint64>, expected);
    const QList<qint64> actual{secondDifference(from, to), minuteDifference(from, to),
                               hourDifference(from, to), dayDifference(from, to)};
    QCOMPARE(actual, expected);
    // Going the other way passes the same boundaries.
    const QList<qint64> reversed{secondDifference(to, from), minuteDifference(to, from),
                                 hourDifference(to, from), dayDifference(to, from)};
    QCOMPARE(reversed, (QList<qint64>{-expected[0], -expected[1], -expected[2], -expected[3]}));
}

void TestDateValue::differencesAgreeWithQt()
{
    const QList<DateValue> moments = spreadMoments(400, 0x9E3779B97F4A7C15ull);
    for (qsizetype i = 0; i + 1 < moments.size(); ++i) {
        const DateValue &a = moments[i];
        const DateValue &b = moments[i + 1];
        const QDateTime qa = asUtc(a), qb = asUtc(b);
        QCOMPARE(dayDifference(a, b), qa.date().daysTo(qb.date()));
        QCOMPARE(secondDifference(a, b), qa.secsTo(qb));
        // Boundaries passed: the count of whole hours/minutes on a clock that
        // starts from the truncated moments.
        const auto truncated = [](const QDateTime &t, int unit) {
            return t.addSecs(-(t.time().msecsSinceStartOfDay() / 1000 % unit));
        };
        QCOMPARE(hourDifference(a, b), truncated(qa, 3600).secsTo(truncated(qb, 3600)) / 3600);
        QCOMPARE(minuteDifference(a, b), truncated(qa, 60).secsTo(truncated(qb, 60)) / 60);
        QCOMPARE(b.isLaterThan(a), qb > qa);
    }
}

void TestDateValue::rangeEdges()
{
    const DateValue first = at(100, 1, 1);
    const DateValue last = at(9999, 12, 31, 23, 59, 59);
    QVERIFY(first.isInRange());
    QVERIFY(last.isInRange());
    QVERIFY(!first.addSeconds(-1).isInRange());
    QVERIFY(!last.addSeconds(1).isInRange());
    QCOMPARE(first.addSeconds(-1).year(), 99);
    QCOMPARE(last.addSeconds(1).year(), 10000);
    QVERIFY(first.isMidnight());
    QVERIFY(!last.isMidnight());
    QVERIFY(last.addSeconds(1).isMidnight());
}

void TestDateValue::breakDown_data()
{
    QTest::addColumn<DateValue>("now");
    QTest::addColumn<DateValue>("target");
    QTest::addColumn<QList<qint64>>("expected"); // weeks, days of the week, hours, minutes, seconds

    const DateValue now = at(2007, 3, 11, 11, 13, 39);
    QTest::newRow("a fortnight ahead") << now << at(2007, 3, 25, 8) << QList<qint64>{1, 6, 20, 46, 21};
    QTest::newRow("across new year") << at(2007, 12, 31, 23, 59, 59) << at(2008, 1, 1)
                                     << QList<qint64>{0, 0, 0, 0, 1};
    QTest::newRow("across a leap day") << at(2008, 2, 28, 22, 30, 15) << at(2008, 3, 1, 6, 45, 50)
                                       << QList<qint64>{0, 1, 8, 15, 35};
    QTest::newRow("target is now") << now << now << QList<qint64>{0, 0, 0, 0, 0};
    QTest::newRow("32767 days") << now << at(2096, 11, 25, 11, 13, 39) << QList<qint64>{4681, 0, 0, 0, 0};
    // Beyond what a 16-bit day count holds: still exact.
    QTest::newRow("32768 days") << now << at(2096, 11, 26, 11, 13, 39) << QList<qint64>{4681, 1, 0, 0, 0};
    QTest::newRow("to the end of 9999") << now << at(9999, 12, 31, 23, 59, 59)
                                        << QList<qint64>{417044, 5, 12, 46, 20};
    QTest::newRow("from year 100") << at(100, 1, 1) << at(9999, 12, 31, 23, 59, 59)
                                   << QList<qint64>{516557, 0, 23, 59, 59};
}

void TestDateValue::breakDown()
{
    QFETCH(DateValue, now);
    QFETCH(DateValue, target);
    QFETCH(QList<qint64>, expected);
    const CountdownFields f = Countdown::breakDown(now, target);
    QCOMPARE((QList<qint64>{f.weeks(), f.daysOfWeek(), f.hours, f.minutes, f.seconds}), expected);
    QCOMPARE(Countdown::secondsField(now, target), f.seconds);
    // The whole seconds left, split.
    const qint64 left = secondDifference(now, target);
    QCOMPARE((QList<qint64>{f.days, f.hours, f.minutes, f.seconds}),
             (QList<qint64>{left / 86400, left / 3600 % 24, left / 60 % 60, left % 60}));
}

TALORAN_TEST_MAIN(TestDateValue)
#include "test_datevalue.moc"
