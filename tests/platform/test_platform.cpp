// The seams every subsystem shares: the settings store and the clock.

#include "TestMain.h"

#include "LocalClock.h"
#include "SettingsStore.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
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

        FixedClock fixed(localMoment(2007, 3, 11, 11, 13, 39));
        QCOMPARE(LocalClock::now(), localMoment(2007, 3, 11, 11, 13, 39));
    }
};

TALORAN_TEST_MAIN(TestPlatform)
#include "test_platform.moc"
