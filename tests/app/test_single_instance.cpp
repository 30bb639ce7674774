// Where the single-instance socket lives and what it is named for: one name
// per user and graphical session, in a folder only the user can reach.

#include "support/TestMain.h"

#include "app/SingleInstance.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString nameFor(const char *display, const char *wayland)
{
    qputenv("DISPLAY", display);
    qputenv("WAYLAND_DISPLAY", wayland);
    return SingleInstance::defaultName();
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void oneNamePerSessionHoweverTheDisplayIsNamed()
    {
        QTemporaryDir runtime;
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString x11 = nameFor(":7", "");
        QVERIFY2(x11.startsWith(runtime.path() + "/taloran-"), qPrintable(x11));
        QCOMPARE(nameFor(":7.0", ""), x11);
        QCOMPARE(nameFor("unix:7.1", ""), x11);
        QVERIFY(nameFor(":8", "") != x11);
        QVERIFY(nameFor("remote:7", "") != x11);
        // A Wayland session: the XWayland display and none at all are one.
        const QString wayland = nameFor(":7", "wayland-1");
        QVERIFY(wayland != x11);
        QCOMPARE(nameFor("", "wayland-1"), wayland);
        QCOMPARE(nameFor("", qPrintable(runtime.path() + "/wayland-1")), wayland);
        QVERIFY(nameFor("", "wayland-2") != wayland);
    }

    void withoutARuntimeFolderAPrivateOneIsUsed()
    {
        QTemporaryDir temp;
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(temp.path() + "/cache"));
        qunsetenv("XDG_RUNTIME_DIR");
        const auto folderOf = [] { return QFileInfo(nameFor(":7", "")).absolutePath(); };
        const auto isPrivate = [](const QString &folder) {
            struct stat status;
            return ::lstat(QFile::encodeName(folder).constData(), &status) == 0
                && status.st_uid == ::geteuid() && (status.st_mode & 0777) == 0700;
        };
        const QString runtime = folderOf();
        QVERIFY2(runtime.startsWith(temp.path() + "/runtime-") && isPrivate(runtime), qPrintable(runtime));

        // Another user holds that folder's name: a folder of the user's own
        // in the cache instead.
        if (::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        QVERIFY(::chown(QFile::encodeName(runtime).constData(), 65534, 65534) == 0);
        const QString cache = folderOf();
        QCOMPARE(cache, temp.path() + "/cache/taloran-runtime");
        QVERIFY(isPrivate(cache));
    }
};

TALORAN_TEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
