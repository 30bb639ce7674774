#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#ifdef Q_OS_WIN
#include <windows.h>

#include <algorithm>
#include <vector>
#else
#include <unistd.h>
#endif

namespace {

// What the later start says: come to the front, or nothing to show.
constexpr char activate = 'A';
constexpr char stay = 'N';
// Close and end, as at session end.
constexpr char closeAndEnd = 'Q';
// What the running copy answers once it has taken the request, and once it
// has taken a request to close (a copy that predates that request answers
// `taken` to it and goes on running).
constexpr char taken = 'K';
constexpr char closing = 'C';

QString shortHash(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent), m_name(name)
{
#ifdef Q_OS_WIN
    m_lockPath = QDir::temp().filePath(name + QStringLiteral(".lock"));
#else
    m_lockPath = name + QStringLiteral(".lock");
#endif
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
#ifdef Q_OS_WIN
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    const QString identity = qEnvironmentVariable("USERDOMAIN") + QLatin1Char('\\')
        + qEnvironmentVariable("USERNAME") + QLatin1Char('/') + QString::number(session);
    return QStringLiteral("Taloran-") + shortHash(identity);
#else
    // The runtime folder is the user's own; the display tells two sessions
    // of one user apart. A socket path must stay short (108 bytes).
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    const QString identity = QString::number(::getuid()) + QLatin1Char('/')
        + qEnvironmentVariable("DISPLAY") + QLatin1Char('/')
        + qEnvironmentVariable("WAYLAND_DISPLAY");
    return folder + QStringLiteral("/taloran-") + shortHash(identity);
#endif
}

bool SingleInstance::claim(const QStringList &arguments)
{
    QLockFile lock(m_lockPath);
    // A running copy that does not answer may be ending: ask again, a few
    // times, before giving up.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Held only while deciding; a lock whose owner has died is stale
        // and taken over at once.
        const bool locked = lock.tryLock(10000);

        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(2000)) {
            socket.write(arguments.isEmpty() ? &activate : &stay, 1);
            socket.waitForBytesWritten(2000);
            if (locked)
                lock.unlock();
            if (socket.waitForReadyRead(5000) && socket.read(1) == QByteArray(1, taken))
                return false;
            continue;
        }

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
            const QByteArray request = socket->read(1);
            if (request.at(0) == closeAndEnd) {
                // The connection stays open until this process ends, which
                // is what the asking side waits for.
                socket->write(&closing, 1);
                socket->flush();
                emit closeRequested();
                return;
            }
            socket->write(&taken, 1);
            socket->flush();
            socket->disconnectFromServer();
            if (request.at(0) == activate)
                emit activationRequested();
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

SingleInstance::CloseResult SingleInstance::closeRunningCopy(const QString &name)
{
    constexpr int endWait = 30000;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(2000))
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
    socket.write(&closeAndEnd, 1);
    socket.waitForBytesWritten(2000);
    const bool accepted = socket.waitForReadyRead(5000) && socket.read(1) == QByteArray(1, closing);
    // The running copy keeps the connection until it ends.
    const auto connectionEnded = [&socket, accepted] {
        return accepted
            && (socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(endWait));
    };
#ifdef Q_OS_WIN
    // A copy from before the close request (1.0.0.3) answers as to any
    // other and goes on: its windows are asked to close, as the taskbar's
    // Close would, which writes the target all the same.
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
