// The run-at-startup option on Windows: Taloran.lnk in the user's Startup
// folder, made, seen and removed through the shell's link objects.

#include "support/TestMain.h"

#include "autostart/Autostart.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

class TestAutostartWindows : public QObject
{
    Q_OBJECT

private slots:
    void init() { Autostart::setEnabled(false); }
    void cleanup() { Autostart::setEnabled(false); }

    void theEntryIsALinkInTheStartupFolder()
    {
        const QString folder = QFileInfo(QDir::fromNativeSeparators(Autostart::entryPath())).path();
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        QVERIFY2(folder.endsWith(QLatin1String("/Start Menu/Programs/Startup"), Qt::CaseInsensitive),
                 qPrintable(folder));
        QCOMPARE(QDir::fromNativeSeparators(Autostart::entryPath()), folder + QLatin1String("/Taloran.lnk"));
        // The running program as a Windows path ending in ".exe".
        const QString program = Autostart::programPath();
        QVERIFY2(program.endsWith(QLatin1String(".exe")), qPrintable(program));
        QCOMPARE(QFileInfo(program).canonicalFilePath(),
                 QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    }

    void tickingAndUntickingMakesAndRemovesTheLink()
    {
        QVERIFY(!Autostart::isEnabled());
        Autostart::setEnabled(true);
        QVERIFY(QFileInfo(Autostart::entryPath()).isFile());
        QVERIFY(Autostart::isEnabled());
        // An entry that matches is left as it is.
        const QDateTime written = QFileInfo(Autostart::entryPath()).lastModified();
        Autostart::setEnabled(true);
        QCOMPARE(QFileInfo(Autostart::entryPath()).lastModified(), written);
        Autostart::setEnabled(false);
        QVERIFY(!QFileInfo::exists(Autostart::entryPath()));
        QVERIFY(!Autostart::isEnabled());
    }

    void aFolderOfThatNameIsNoEntry()
    {
        QVERIFY(QDir().mkpath(Autostart::entryPath()));
        QVERIFY(!Autostart::isEnabled());
        QVERIFY(!Autostart::setEnabled(false));
        QVERIFY(QFileInfo(Autostart::entryPath()).isDir());
        QVERIFY(QDir().rmdir(Autostart::entryPath()));
    }
};

TALORAN_TEST_MAIN(TestAutostartWindows)
#include "test_autostart_windows.moc"
