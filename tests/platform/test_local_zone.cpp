// The local clock follows a change of the time zone while the program runs.

#include "support/TestMain.h"

#include "platform/LocalClock.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

using namespace std::chrono;

namespace {

// The local clock's offset from UTC, in seconds, rounded to the hour.
long long localOffsetHours()
{
    const auto utc = floor<seconds>(system_clock::now()).time_since_epoch();
    const auto local = LocalClock::systemNow().time_since_epoch();
    return (long long)std::llround(duration<double>(local - utc).count() / 3600.0);
}

// Replaces the file whole, as a package upgrade or a zone tool does.
bool replaceWith(const QString &zone, const QString &file)
{
    const QString source = QStringLiteral("/usr/share/zoneinfo/") + zone;
    QFile::remove(file + QStringLiteral(".new"));
    return QFile::copy(source, file + QStringLiteral(".new"))
        && std::rename(QFile::encodeName(file + QStringLiteral(".new")).constData(),
                       QFile::encodeName(file).constData())
        == 0;
}

} // namespace

class TestLocalZone : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        qputenv("TZ", "UTC");
        qunsetenv("TZDIR");
        tzset();
    }

    void theClockFollowsTheZoneFileThatTzNames_data()
    {
        QTest::addColumn<QString>("tzPrefix");
        QTest::addColumn<bool>("underTzdir");
        QTest::newRow("absolute path") << QString() << false;
        QTest::newRow("path after a colon") << QStringLiteral(":") << false;
        QTest::newRow("name under TZDIR") << QString() << true;
    }

    void theClockFollowsTheZoneFileThatTzNames()
    {
#ifdef Q_OS_WIN
        QSKIP("TZ names no zone file on Windows");
#endif
        QFETCH(QString, tzPrefix);
        QFETCH(bool, underTzdir);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Test")));
        const QString file = dir.path() + QStringLiteral("/Test/Zone");
        QVERIFY(replaceWith(QStringLiteral("UTC"), file));
        if (underTzdir) {
            qputenv("TZDIR", QFile::encodeName(dir.path()));
            qputenv("TZ", "Test/Zone");
        } else {
            qputenv("TZ", QFile::encodeName(tzPrefix + file));
        }
        QTRY_COMPARE_WITH_TIMEOUT(localOffsetHours(), 0LL, 3000);

        // Tokyo is nine hours ahead of UTC all year; the clock follows at its
        // next second, and follows back.
        QVERIFY(replaceWith(QStringLiteral("Asia/Tokyo"), file));
        QTRY_COMPARE_WITH_TIMEOUT(localOffsetHours(), 9LL, 2500);
        QVERIFY(replaceWith(QStringLiteral("UTC"), file));
        QTRY_COMPARE_WITH_TIMEOUT(localOffsetHours(), 0LL, 2500);
        // The spelling of TZ is the one the user gave.
        QCOMPARE(qgetenv("TZ"), underTzdir ? QByteArray("Test/Zone") : QFile::encodeName(tzPrefix + file));
    }
};

TALORAN_TEST_MAIN(TestLocalZone)
#include "test_local_zone.moc"
