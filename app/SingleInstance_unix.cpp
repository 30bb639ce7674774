#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A real folder (not a link) of this user's that no one else can enter.
bool isPrivateFolder(const QString &folder)
{
    struct stat status;
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &status) == 0
        && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

// The user's runtime folder: $XDG_RUNTIME_DIR; without it, the login's own
// folder, so that a start from `su` or `sudo -u` meets one from the desktop;
// else the one Qt makes in the temporary folder; and when another user holds
// that name, a folder in the user's cache. Empty when none can be had.
QString privateFolder()
{
    const QString login = QStringLiteral("/run/user/") + QString::number(::geteuid());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && isPrivateFolder(login))
        return login;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (isPrivateFolder(runtime))
        return runtime;
    const QString cacheHome = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString cache = cacheHome + QStringLiteral("/taloran-runtime");
    QDir().mkpath(cacheHome);
    QDir().mkdir(cache, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return isPrivateFolder(cache) ? cache : QString();
}

// The graphical session, named alike however the display is named. In a
// Wayland session it is the compositor's socket, for a native copy and one on
// XWayland alike (XWayland belongs to the Wayland session that runs it).
// Otherwise it is the X display without its screen: ":0", ":0.0" and
// "unix:0" are one.
QString sessionName(const QString &runtimeFolder)
{
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString x = qEnvironmentVariable("DISPLAY");
    if (!wayland.isEmpty() || x.isEmpty()) {
        // A relative socket name lies in the runtime folder, as for every
        // Wayland client; by default wayland-0.
        return QStringLiteral("wayland ")
            + QDir(runtimeFolder).filePath(wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland);
    }
    // [host]:display[.screen]; a local display's host is empty or "unix".
    const qsizetype colon = x.lastIndexOf(QLatin1Char(':'));
    QString host = colon < 0 ? QString() : x.left(colon);
    if (host == QLatin1String("unix"))
        host.clear();
    return QStringLiteral("x11 ") + host + QLatin1Char(':')
        + x.mid(colon + 1).section(QLatin1Char('.'), 0, 0);
}

// A socket's address holds 108 bytes, of which Qt keeps two. A folder too deep
// for that is reached through a handle on it that this process keeps open.
QString socketPath(const QString &folder, const QString &name)
{
    const QString path = folder + QLatin1Char('/') + name;
    if (QFile::encodeName(path).size() + 2 <= qsizetype(sizeof(sockaddr_un::sun_path)))
        return path;
    const int handle = ::open(QFile::encodeName(folder).constData(),
                              O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return handle < 0 ? QString() : QStringLiteral("/proc/self/fd/%1/").arg(handle) + name;
}

} // namespace

QString SingleInstance::defaultName()
{
    const QString folder = privateFolder();
    if (folder.isEmpty())
        return {};
    const QByteArray key = (QString::number(::geteuid()) + QLatin1Char('/') + sessionName(folder)).toUtf8();
    return socketPath(folder, QStringLiteral("taloran-")
                          + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256)
                                                    .toHex()
                                                    .left(16)));
}

QString SingleInstance::lockPathFor(const QString &name)
{
    return name + QStringLiteral(".lock");
}

bool SingleInstance::isSameUser(const QLocalSocket &peer)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(int(peer.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0
        && credentials.uid == ::geteuid();
}

std::optional<int> SingleInstance::closeForInstaller(const QStringList &)
{
    return std::nullopt;
}
