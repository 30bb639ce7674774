// `Taloran.exe /close`, which the installer runs before it replaces or removes
// the program: the running copy ends as at session end, so its target is
// written, and the exit status tells the installer how it went.

#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalSocket>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// The exit status, which the installer reads.
enum Status { NoneRunning = 0, Closed = 1, ClosedMinimized = 2, StillRunning = 3 };

// The name that the builds before the SID-named pipe listen on, for an
// upgrade over a running widget of such a build.
QString earlierName()
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    const QByteArray key = (qEnvironmentVariable("USERDOMAIN") + QLatin1Char('\\')
                            + qEnvironmentVariable("USERNAME") + QLatin1Char('/') + QString::number(session))
                               .toUtf8();
    return QStringLiteral("Taloran-")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
}

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

std::optional<int> SingleInstance::closeForInstaller(const QStringList &arguments)
{
    if (arguments.size() != 1 || arguments[0].compare(QLatin1String("/close"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    for (const QString &name : {defaultName(), earlierName()}) {
        QLocalSocket socket;
        if (!connectToRunningCopy(socket, name))
            continue;
        // The end of the running copy's process, not of its pipe, frees the
        // program's file for the installer.
        ULONG pid = 0;
        GetNamedPipeServerProcessId(reinterpret_cast<HANDLE>(socket.socketDescriptor()), &pid);
        const HANDLE process = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
        const std::vector<HWND> windows = pid ? windowsOf(pid) : std::vector<HWND>();
        const bool minimized = std::any_of(windows.begin(), windows.end(), IsIconic);
        constexpr int endWait = 30000;
        bool ended = false;
        if (send(socket, Request::Close)) {
            // The running copy keeps the connection until it ends.
            ended = process ? WaitForSingleObject(process, endWait) == WAIT_OBJECT_0
                            : (socket.state() == QLocalSocket::UnconnectedState
                               || socket.waitForDisconnected(endWait));
        } else {
            // A copy that knows no close request: its windows are asked to
            // close, as the taskbar's Close would, which writes the target too.
            for (HWND window : windows)
                PostMessageW(window, WM_CLOSE, 0, 0);
            ended = process && WaitForSingleObject(process, endWait) == WAIT_OBJECT_0;
        }
        if (process)
            CloseHandle(process);
        return !ended ? StillRunning : minimized ? ClosedMinimized : Closed;
    }
    return NoneRunning;
}
