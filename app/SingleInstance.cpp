#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <vector>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// What the running copy answers once it has taken a request, and once it
// has taken a request to close (a copy that predates that request answers
// `taken` to it and goes on running).
constexpr char taken = 'K';
constexpr char closing = 'C';

QString shortHash(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}

#ifdef Q_OS_WIN

// A security identifier as text ("S-1-5-21-..."), or the empty text.
QString sidText(PSID sid)
{
    LPWSTR text = nullptr;
    if (!sid || !ConvertSidToStringSidW(sid, &text))
        return {};
    const QString result = QString::fromWCharArray(text);
    LocalFree(text);
    return result;
}

// The SID of the user that `process` runs as, or the empty text.
QString userOf(HANDLE process)
{
    HANDLE token = nullptr;
    if (!process || !OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    QByteArray buffer(qsizetype(size), '\0');
    QString sid;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        sid = sidText(reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid);
    CloseHandle(token);
    return sid;
}

QString currentUserSid()
{
    return userOf(GetCurrentProcess());
}

// Whether the pipe at the other end was made by this user: our own server
// sets the user as the pipe's owner (UserAccessOption). Where the owner
// cannot be read, the user of the process serving the pipe decides.
bool peerIsSameUser(const QLocalSocket &socket)
{
    const QString user = currentUserSid();
    const auto pipe = reinterpret_cast<HANDLE>(socket.socketDescriptor());
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(pipe, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor)
        == ERROR_SUCCESS) {
        const QString ownerSid = sidText(owner);
        LocalFree(descriptor);
        if (!ownerSid.isEmpty())
            return ownerSid == user;
    }
    ULONG serverId = 0;
    if (!GetNamedPipeServerProcessId(pipe, &serverId))
        return false;
    const HANDLE server = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId);
    const QString serverUser = userOf(server);
    if (server)
        CloseHandle(server);
    return !serverUser.isEmpty() && serverUser == user;
}

#else

// Whether `folder` is a real folder (not a link) that only this user can
// enter and that is the user's own.
bool isPrivateFolder(const QString &folder)
{
    struct stat status;
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &status) == 0
        && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

// A folder of this user's own, mode 0700: the runtime folder ($XDG_RUNTIME_DIR,
// or the one Qt makes in the temporary folder when it is unset); when that
// name is taken by someone else, a folder in the user's cache. Empty when
// neither can be had.
QString privateFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (isPrivateFolder(runtime))
        return runtime;
    const QString cacheHome = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString cache = cacheHome + QStringLiteral("/taloran-runtime");
    QDir().mkpath(cacheHome);
    QDir().mkdir(cache, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return isPrivateFolder(cache) ? cache : QString();
}

// The graphical session this copy shows in, named alike however the display
// is named and whichever platform plugin runs. In a Wayland session it is the
// compositor's socket, for a native copy and for one on XWayland alike: the
// XWayland display belongs to the Wayland session that runs it. Otherwise it
// is the X display without its screen, so ":0", ":0.0" and "unix:0" are one.
QString sessionName()
{
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString x = qEnvironmentVariable("DISPLAY");
    if (!wayland.isEmpty() || x.isEmpty()) {
        // A relative socket name is taken in the runtime folder, by default
        // wayland-0, as every Wayland client does.
        const QString socket = wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland;
        return QStringLiteral("wayland ")
            + QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(socket);
    }
    // [host]:display[.screen]; a local display's host is empty or "unix".
    const qsizetype colon = x.lastIndexOf(QLatin1Char(':'));
    QString host = colon < 0 ? QString() : x.left(colon);
    if (host == QLatin1String("unix"))
        host.clear();
    return QStringLiteral("x11 ") + host + QLatin1Char(':')
        + x.mid(colon + 1).section(QLatin1Char('.'), 0, 0);
}

// Whether the process at the other end of the socket runs as this user.
bool peerIsSameUser(const QLocalSocket &socket)
{
    const int descriptor = int(socket.socketDescriptor());
#ifdef SO_PEERCRED
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
        && peer.uid == ::geteuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(descriptor, &uid, &gid) == 0 && uid == ::geteuid();
#endif
}

#endif

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent), m_name(name)
{
    if (name.isEmpty())
        return;
#ifdef Q_OS_WIN
    // The user's own temporary folder (in the user's profile), which no
    // other user can write, and which an uninstall need not clear.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    m_lockPath = QDir(folder).filePath(name + QStringLiteral(".lock"));
#else
    m_lockPath = name + QStringLiteral(".lock");
#endif
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
#ifdef Q_OS_WIN
    // Pipe names are shared by all users: the user's SID and the logon
    // session keep ours apart, and the owner check in claim() skips a pipe
    // that another user made under the same name.
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return QStringLiteral("Taloran-") + shortHash(currentUserSid() + QLatin1Char('/') + QString::number(session));
#else
    // A socket path must stay short (108 bytes).
    const QString folder = privateFolder();
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/taloran-")
        + shortHash(QString::number(::geteuid()) + QLatin1Char('/') + sessionName());
#endif
}

bool SingleInstance::claim(Request request)
{
    if (m_name.isEmpty()) {
        qWarning("Taloran: no private folder for the single-instance socket; not looking for "
                 "another copy");
        return true;
    }
    QLockFile lock(m_lockPath);
    // A running copy that does not answer may be ending: ask again, a few
    // times, before giving up.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Held only while deciding; a lock whose owner has died is stale
        // and taken over at once.
        const bool locked = lock.tryLock(10000);

        QLocalSocket socket;
        socket.connectToServer(m_name);
        const bool connected = socket.waitForConnected(2000);
        // Only a copy of this user's is asked; what another user listens on
        // under this name counts as no copy at all.
        if (connected && peerIsSameUser(socket)) {
            const char byte = char(request);
            socket.write(&byte, 1);
            socket.waitForBytesWritten(2000);
            if (locked)
                lock.unlock();
            if (socket.waitForReadyRead(5000) && socket.read(1) == QByteArray(1, taken))
                return false;
            continue;
        }
        socket.abort();

        // No copy answers: what is left of one that crashed is removed.
        QLocalServer::removeServer(m_name);
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!m_server->listen(m_name))
            qWarning("Taloran: cannot listen for later starts on %s: %s", qPrintable(m_name),
                     qPrintable(m_server->errorString()));
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
        if (locked)
            lock.unlock();
        return true;
    }
    qWarning("Taloran: another copy runs but does not answer; this one ends");
    return false;
}

void SingleInstance::serve()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto take = [this, socket] {
            if (socket->bytesAvailable() < 1)
                return;
            const char request = socket->read(1).at(0);
            if (Request(request) == Request::Close) {
                // The connection stays open until this process ends.
                socket->write(&closing, 1);
                socket->flush();
                emit requestReceived(Request::Close);
                return;
            }
            socket->write(&taken, 1);
            socket->flush();
            socket->disconnectFromServer();
            emit requestReceived(Request(request));
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        take();
    }
}

#ifdef Q_OS_WIN
namespace {

// The shown top-level windows of process `pid`.
std::vector<HWND> windowsOf(DWORD pid)
{
    struct Search
    {
        DWORD pid;
        std::vector<HWND> windows;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto *search = reinterpret_cast<Search *>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->pid && IsWindowVisible(window))
                search->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

} // namespace
#endif

SingleInstance::CloseResult SingleInstance::closeRunningCopy()
{
    const CloseResult result = closeCopyAt(defaultName());
#ifdef Q_OS_WIN
    if (result == CloseResult::NoneRunning) {
        // The name that builds before this one listen on, for an upgrade
        // over a running widget of such a build.
        DWORD session = 0;
        ProcessIdToSessionId(GetCurrentProcessId(), &session);
        return closeCopyAt(QStringLiteral("Taloran-")
                           + shortHash(qEnvironmentVariable("USERDOMAIN") + QLatin1Char('\\')
                                       + qEnvironmentVariable("USERNAME") + QLatin1Char('/')
                                       + QString::number(session)));
    }
#endif
    return result;
}

SingleInstance::CloseResult SingleInstance::closeCopyAt(const QString &name)
{
    constexpr int endWait = 30000;
    if (name.isEmpty())
        return CloseResult::NoneRunning;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(2000) || !peerIsSameUser(socket))
        return CloseResult::NoneRunning;
#ifdef Q_OS_WIN
    // The running copy's process: its end, not the pipe's, frees the
    // program's file for the installer.
    ULONG pid = 0;
    GetNamedPipeServerProcessId(reinterpret_cast<HANDLE>(socket.socketDescriptor()), &pid);
    const HANDLE process = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
    const std::vector<HWND> windows = pid ? windowsOf(pid) : std::vector<HWND>();
    const bool minimized = std::any_of(windows.begin(), windows.end(), IsIconic);
#endif
    const char byte = char(Request::Close);
    socket.write(&byte, 1);
    socket.waitForBytesWritten(2000);
    const bool accepted = socket.waitForReadyRead(5000) && socket.read(1) == QByteArray(1, closing);
    // The running copy keeps the connection until it ends.
    const auto connectionEnded = [&socket, accepted] {
        return accepted
            && (socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(endWait));
    };
#ifdef Q_OS_WIN
    // A copy from before the close request answers as to any other and goes
    // on: its windows are asked to close, as the taskbar's Close would,
    // which writes the target all the same.
    if (!accepted)
        for (HWND window : windows)
            PostMessageW(window, WM_CLOSE, 0, 0);
    bool ended = false;
    if (process) {
        ended = WaitForSingleObject(process, endWait) == WAIT_OBJECT_0;
        CloseHandle(process);
    } else {
        ended = connectionEnded();
    }
    if (!ended)
        return CloseResult::StillRunning;
    return minimized ? CloseResult::ClosedMinimized : CloseResult::Closed;
#else
    return connectionEnded() ? CloseResult::Closed : CloseResult::StillRunning;
#endif
}
