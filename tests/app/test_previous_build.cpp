// The settings file and the autostart entry exactly as the previous build
// wrote them (previous_build/: a drag of the widget, the run-at-startup option
// switched on in the details dialog, the widget closed; en_US, UTC) are read
// by this build with the same result, and written back byte for byte (the
// target with its format and the name of its locale added).

#include "support/TestMain.h"
#include "support/TestSupport.h"

#include "autostart/Autostart.h"
#include "countdown/CountdownTarget.h"
#include "main_window/CountdownWindow.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString previousBuild = QStringLiteral(PREVIOUS_BUILD_DIR);
// The program the previous build's entry starts.
const QString previousProgram = QStringLiteral("/tmp/t11/base/build/app/taloran");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyOver(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to)
        && QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

class TestPreviousBuild : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(copyOver(previousBuild + QLatin1String("/Taloran.conf"), SettingsStore::location()));
        QVERIFY(copyOver(previousBuild + QLatin1String("/Taloran.desktop"),
                         Autostart::entryPath()));
    }

    void theSettingsFileGivesTheTargetAndThePlace()
    {
        // A "now" before the stored target, which is then taken as it is.
        FixedClock clock(localMoment(2026, 1, 1));
        CountdownTarget target;
        target.load(DateValue(clock.now()));
        CountdownWindow window(target);
        window.start({});
        QCOMPARE(target.moment(), at(2026, 12, 8, 10, 21, 18));
        // "Top,Height,Left,Width,WindowState" in twips, under the stored key.
        QCOMPARE(window.frameGeometry().topLeft(), QPoint(3045 / 15, 7065 / 15));
        QVERIFY(!(window.windowState() & Qt::WindowMinimized));

        // Closing with the target unchanged leaves the file as it was. Set
        // anew, the target is written alike, with the format and the locale
        // that wrote it beside it.
        window.close();
        target.saveIfChanged();
        QByteArray expected = readAll(previousBuild + QLatin1String("/Taloran.conf"));
        QCOMPARE(readAll(SettingsStore::location()), expected);
        target.setMoment(target.moment());
        target.saveIfChanged();
        expected.replace("AM\n", "AM\nTargetFormat=M/d/yyyy h:mm:ss AP\nTargetLocale=en_US\n");
        QCOMPARE(readAll(SettingsStore::location()), expected);
    }

    void theAutostartEntryIsOnAndWrittenAlike()
    {
        QVERIFY(Autostart::isEnabled());
        // The option on, as the dialog found it: the entry is left alone.
        Autostart::setEnabled(true);
        const QByteArray previousEntry = readAll(previousBuild + QLatin1String("/Taloran.desktop"));
        QCOMPARE(readAll(Autostart::entryPath()), previousEntry);

        // Written afresh for the same program, it is the same entry.
        QVERIFY(!Autostart::setEnabled(false));
        QVERIFY(!Autostart::isEnabled());
        QVERIFY(!Autostart::setEnabled(true, previousProgram));
        QCOMPARE(readAll(Autostart::entryPath()), previousEntry);
    }
};

TALORAN_TEST_MAIN(TestPreviousBuild)
#include "test_previous_build.moc"
