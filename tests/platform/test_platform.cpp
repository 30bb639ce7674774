// The seams every subsystem shares: the settings store and the clock.

#include "support/TestMain.h"

#include "platform/LocalClock.h"
#include "platform/RegionalSettings.h"
#include "platform/SecondTicker.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>

#include <thread>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void aTwoDigitYearIsOneOfTheHundredUpToThePivot()
    {
        const int max = RegionalSettings::twoDigitYearMax();
#ifndef Q_OS_WIN
        QCOMPARE(max, 2068); // POSIX %y: 69-99 are 1969-1999, 00-68 are 2000-2068
#endif
        QCOMPARE(RegionalSettings::widenTwoDigitYear(max % 100), max);
        QCOMPARE(RegionalSettings::widenTwoDigitYear((max + 1) % 100), max - 99);
        QCOMPARE(RegionalSettings::widenTwoDigitYear(0), max - max % 100);
        QCOMPARE(RegionalSettings::widenTwoDigitYear(99), max % 100 == 99 ? max : max - max % 100 - 1);
    }

    void theStoreIsWherePeopleAndTestsCanFindIt()
    {
        QVERIFY(SettingsStore::setValue("General", "Target", "00:00 2000/01/01"));
        QVERIFY(SettingsStore::setValue("Form Positions", "frmMain", "1200,2400,3000,4500,0"));
#ifdef Q_OS_WIN
        // The registry key of the platform's classic per-user program
        // settings, one subkey a section.
        const QString key =
            QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Taloran");
        QCOMPARE(SettingsStore::location(), QLatin1Char('\\') + key);
        QSettings registry(key, QSettings::NativeFormat);
        QCOMPARE(registry.value("General/Target").toString(), "00:00 2000/01/01");
        QCOMPARE(registry.value("Form Positions/frmMain").toString(), "1200,2400,3000,4500,0");
#else
        const QString expected =
            qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Taloran/Taloran.conf");
        QCOMPARE(SettingsStore::location(), expected);
        QFile file(expected);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("[General]\nTarget=00:00 2000/01/01\n"), text.constData());
        QVERIFY2(text.contains("frmMain=\"1200,2400,3000,4500,0\""), text.constData());
#endif
    }

    void valuesReadBackWithADefaultForMissingOnes()
    {
        QCOMPARE(SettingsStore::value("General", "Missing", "fallback"), "fallback");
        QVERIFY(SettingsStore::setValue("General", "Odd", " spaces, commas; \"quotes\" = é "));
        QCOMPARE(SettingsStore::value("General", "Odd"), " spaces, commas; \"quotes\" = é ");
    }

    void aHandEditedListReadsAsOneText()
    {
#ifdef Q_OS_WIN
        QSKIP("Only an INI file can hold a list: the registry keeps a value as text");
#endif
        QFile file(SettingsStore::location());
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Form%20Positions]\nfrmMain=1200,2400,3000,4500,0\n");
        file.close();
        QCOMPARE(SettingsStore::value("Form Positions", "frmMain"), "1200,2400,3000,4500,0");
    }

    void theClockIsTheLocalWallClock()
    {
        using namespace std::chrono;
        const QDateTime before = QDateTime::currentDateTime();
        const local_seconds now = LocalClock::now();
        const QDateTime after = QDateTime::currentDateTime();
        const auto toLocal = [](const QDateTime &t) {
            const QDate d = t.date();
            const QTime tm = t.time();
            return local_days{year{d.year()} / month{unsigned(d.month())} / day{unsigned(d.day())}}
                + hours{tm.hour()} + minutes{tm.minute()} + seconds{tm.second()};
        };
        QVERIFY(toLocal(before) <= now && now <= toLocal(after));

        // Read as a second begins, the clock already shows that second.
        const auto second = ceil<seconds>(system_clock::now());
        std::this_thread::sleep_until(second - milliseconds(2));
        while (system_clock::now() < second) {
        }
        const QDateTime begun = QDateTime::fromSecsSinceEpoch(second.time_since_epoch().count());
        QCOMPARE(LocalClock::now(), toLocal(begun));

        FixedClock fixed(localMoment(2007, 3, 11, 11, 13, 39));
        QCOMPARE(LocalClock::now(), localMoment(2007, 3, 11, 11, 13, 39));
    }

    void theTickerTicksAsEachSecondBegins()
    {
        // Each tick falls in a later second of the wall clock than the one
        // before: one tick a second, none early.
        using namespace std::chrono;
        QList<sys_seconds> ticks;
        connect(&SecondTicker::instance(), &SecondTicker::ticked, this,
                [&ticks] { ticks << floor<seconds>(system_clock::now()); });
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 3, 10000);
        disconnect(&SecondTicker::instance(), nullptr, this, nullptr);
        for (qsizetype i = 1; i < ticks.size(); ++i)
            QVERIFY(ticks[i] > ticks[i - 1]);
    }
};

TALORAN_TEST_MAIN(TestPlatform)
#include "test_platform.moc"
