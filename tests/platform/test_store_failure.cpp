// A write that does not reach the settings store is reported with the
// store's place and the reason, and nothing else changes.

#include "support/TestMain.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

class TestStoreFailure : public QObject
{
    Q_OBJECT

    std::vector<SettingsStore::WriteFailure> failures;

    static bool isRoot()
    {
#ifdef Q_OS_WIN
        return false;
#else
        return ::geteuid() == 0;
#endif
    }

private slots:
    void init()
    {
        failures.clear();
        SettingsStore::setFailureHandler(
            [this](const SettingsStore::WriteFailure &f) { failures.push_back(f); });
    }

    void cleanup()
    {
        SettingsStore::setFailureHandler({});
        const QString file = SettingsStore::location();
        QFile::setPermissions(QFileInfo(file).absolutePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QDir(file).removeRecursively();
        QFile::remove(file);
    }

    void aFolderInTheFilesPlaceIsReportedOnceAWrite()
    {
#ifdef Q_OS_WIN
        QSKIP("the Windows store is the registry");
#endif
        const QString file = SettingsStore::location();
        QVERIFY(QDir().mkpath(file));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("settings were not saved"));
        QVERIFY(!SettingsStore::setValue("General", "Target", "00:00 2030/03/04"));
        QCOMPARE(failures.size(), 1u);
        QCOMPARE(failures[0].section, "General");
        QCOMPARE(failures[0].key, "Target");
        QCOMPARE(failures[0].location, file);
        QVERIFY2(failures[0].reason.contains("folder"), qPrintable(failures[0].reason));

        // Once the folder has gone, writes succeed and report nothing.
        QVERIFY(QDir(file).removeRecursively());
        QVERIFY(SettingsStore::setValue("General", "Target", "00:00 2030/03/04"));
        QCOMPARE(failures.size(), 1u);
        QCOMPARE(SettingsStore::value("General", "Target"), "00:00 2030/03/04");
    }

    void aReadOnlyFileOrFolderIsReportedWithTheSystemsReason_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("read-only file") << false;
        QTest::newRow("read-only folder") << true;
    }

    void aReadOnlyFileOrFolderIsReportedWithTheSystemsReason()
    {
#ifdef Q_OS_WIN
        QSKIP("the Windows store is the registry");
#endif
        if (isRoot())
            QSKIP("root writes read-only files and folders");
        QFETCH(bool, folder);
        const QString file = SettingsStore::location();
        QVERIFY(SettingsStore::setValue("General", "Target", "00:00 2030/03/04"));
        const QString locked = folder ? QFileInfo(file).absolutePath() : file;
        QVERIFY(QFile::setPermissions(locked, folder ? QFile::ReadOwner | QFile::ExeOwner
                                                     : QFile::ReadOwner));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("settings were not saved"));
        QVERIFY(!SettingsStore::setValue("Form Positions", "frmMain", "1,2,3,4,0", "The place."));
        QCOMPARE(failures.size(), 1u);
        QCOMPARE(failures[0].what, "The place.");
        QCOMPARE(failures[0].location, file);
        QVERIFY2(failures[0].reason.contains("Permission denied"), qPrintable(failures[0].reason));
        // What was stored before is still there.
        QCOMPARE(SettingsStore::value("General", "Target"), "00:00 2030/03/04");
    }
};

TALORAN_TEST_MAIN(TestStoreFailure)
#include "test_store_failure.moc"
