// One running copy takes each later start's request; on Linux, what a dead
// copy left is taken over, and the socket lies where only the user reaches
// it, named for the graphical session.

#include "support/TestMain.h"

#include "app/SingleInstance.h"

#include <QLocalSocket>
#include <QThread>

#include <memory>

#ifndef Q_OS_WIN
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>

#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using Request = SingleInstance::Request;

namespace {

// A later start, made in another thread as it would be in another process,
// while this thread's event loop lets the running copy answer. True when it
// became the running copy itself.
bool claimFromElsewhere(Request request)
{
    bool claimed = false;
    const std::unique_ptr<QThread> start(QThread::create([&] { claimed = SingleInstance().claim(request); }));
    start->start();
    if (!QTest::qWaitFor([&] { return start->isFinished(); }, 60000))
        qFatal("a later start did not end");
    start->wait();
    return claimed;
}

#ifndef Q_OS_WIN
QString nameFor(const char *display, const char *wayland)
{
    qputenv("DISPLAY", display);
    qputenv("WAYLAND_DISPLAY", wayland);
    return SingleInstance::defaultName();
}

bool isPrivate(const QString &folder)
{
    struct stat status;
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && status.st_uid == ::geteuid()
        && (status.st_mode & 0777) == 0700;
}

bool makePrivate(const QString &folder)
{
    return QDir().mkpath(folder)
        && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
#endif

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_runtime;

private slots:
    void init()
    {
#ifndef Q_OS_WIN
        QVERIFY(makePrivate(m_runtime.path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("DISPLAY", ":7");
        qunsetenv("WAYLAND_DISPLAY");
#endif
    }

    void aRunningCopyTakesEachRequest()
    {
        auto running = std::make_unique<SingleInstance>();
        QList<Request> received;
        connect(running.get(), &SingleInstance::requestReceived, this, [&](Request request) { received << request; });
        QVERIFY(running->claim(Request::Show));
        QVERIFY(!claimFromElsewhere(Request::Show));
        QVERIFY(!claimFromElsewhere(Request::ShowMinimized));
        // The installer's request to close is answered and holds its
        // connection until the running copy ends.
        QLocalSocket closing;
        closing.connectToServer(SingleInstance::defaultName());
        QVERIFY(closing.waitForConnected(5000) && closing.write("Q") == 1);
        QTRY_VERIFY(closing.bytesAvailable() > 0);
        QCOMPARE(closing.readAll(), QByteArray("C"));
        QVERIFY(received == QList<Request>({Request::Show, Request::ShowMinimized, Request::Close}));
        QCoreApplication::processEvents();
        QCOMPARE(closing.state(), QLocalSocket::ConnectedState);
        running.reset();
        QTRY_COMPARE(closing.state(), QLocalSocket::UnconnectedState);
    }

#ifndef Q_OS_WIN
    // A socket that no one listens on and the lock of a process that has
    // ended, as a copy killed while deciding leaves them.
    void whatADeadCopyLeftIsTakenOver()
    {
        const QString name = SingleInstance::defaultName();
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path);
        const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(left, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 && ::close(left) == 0);
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        QFile lock(name + ".lock");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(pid) + "\ntaloran\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        lock.close();

        SingleInstance running;
        QVERIFY(running.claim(Request::Show));
        QVERIFY2(!lock.exists(), "the dead process's lock was not taken over");
        QVERIFY(!claimFromElsewhere(Request::Show));
    }

    // A socket's address holds 108 bytes: a runtime folder (or cache, under a
    // long home) deeper than that still serves.
    void aDeepFolderStillServes()
    {
        const QString deep = m_runtime.filePath(QString(100, QLatin1Char('d')));
        QVERIFY(makePrivate(deep));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep));
        SingleInstance running;
        QVERIFY(running.claim(Request::Show));
        QVERIFY(!claimFromElsewhere(Request::ShowMinimized));
    }

    void oneNamePerSessionHoweverTheDisplayIsNamed()
    {
        const QString x11 = nameFor(":7", "");
        QVERIFY2(x11.startsWith(m_runtime.path() + "/taloran-"), qPrintable(x11));
        QCOMPARE(nameFor(":7.0", ""), x11);
        QCOMPARE(nameFor("unix:7.1", ""), x11);
        QVERIFY(nameFor(":8", "") != x11);
        QVERIFY(nameFor("remote:7", "") != x11);
        // A Wayland session: the XWayland display and none at all are one.
        const QString wayland = nameFor(":7", "wayland-1");
        QVERIFY(wayland != x11);
        QCOMPARE(nameFor("", "wayland-1"), wayland);
        QCOMPARE(nameFor("", qPrintable(m_runtime.path() + "/wayland-1")), wayland);
        QVERIFY(nameFor("", "wayland-2") != wayland);
    }

    // Neither: the folder Qt makes in the temporary folder, and when another
    // user holds its name, a folder of the user's own in the cache.
    void withoutARuntimeFolderAPrivateOneIsUsed()
    {
        if (isPrivate("/run/user/" + QString::number(::geteuid())))
            QSKIP("this user has a login runtime folder");
        QTemporaryDir temp;
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(temp.path() + "/cache"));
        qunsetenv("XDG_RUNTIME_DIR");
        const auto folderOf = [] { return QFileInfo(nameFor(":7", "")).absolutePath(); };
        const QString runtime = folderOf();
        QVERIFY2(runtime.startsWith(temp.path() + "/runtime-") && isPrivate(runtime), qPrintable(runtime));

        if (::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        QVERIFY(::chown(QFile::encodeName(runtime).constData(), 65534, 65534) == 0);
        const QString cache = folderOf();
        QCOMPARE(cache, temp.path() + "/cache/taloran-runtime");
        QVERIFY(isPrivate(cache));
    }

    // Without XDG_RUNTIME_DIR (su, sudo -u) the login's runtime folder is used,
    // so that such a start meets the desktop's. Root gets a /run/user of this
    // process's own, and the system's stays as it is.
    void withoutXdgRuntimeDirTheLoginsFolderIsUsed()
    {
        const QString login = "/run/user/" + QString::number(::geteuid());
        if (::geteuid() == 0
            && (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                || ::mount("tmpfs", "/run/user", "tmpfs", 0, "mode=755") != 0 || !makePrivate(login)))
            QSKIP("no /run/user of this process's own");
        if (!isPrivate(login))
            QSKIP("no private /run/user folder of this user's");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(login));
        const QString x11 = nameFor(":7", "");
        const QString wayland = nameFor(":7", "wayland-1");
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(nameFor(":7", ""), x11);
        QCOMPARE(nameFor(":7", "wayland-1"), wayland);
    }
#endif
};

TALORAN_TEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
