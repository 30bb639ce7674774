#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

namespace {

// A security identifier as text ("S-1-5-21-..."), or empty.
QString sidText(PSID sid)
{
    LPWSTR text = nullptr;
    if (!sid || !ConvertSidToStringSidW(sid, &text))
        return {};
    const QString result = QString::fromWCharArray(text);
    LocalFree(text);
    return result;
}

// The SID of the user that `process` runs as, or empty.
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

} // namespace

QString SingleInstance::defaultName()
{
    // Pipe names are shared by all users: the user's SID and the logon
    // session keep ours apart, and isSameUser() skips a pipe that another
    // user made under the same name.
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    const QByteArray key = (userOf(GetCurrentProcess()) + QLatin1Char('/') + QString::number(session)).toUtf8();
    return QStringLiteral("Taloran-")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
}

QString SingleInstance::lockPathFor(const QString &name)
{
    // The user's own temporary folder, which no other user can write and an
    // uninstall need not clear.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
        .filePath(name + QStringLiteral(".lock"));
}

// Our server makes the user the pipe's owner (UserAccessOption). Where the
// owner cannot be read, the user of the process serving the pipe decides.
bool SingleInstance::isSameUser(const QLocalSocket &peer)
{
    const QString user = userOf(GetCurrentProcess());
    const auto pipe = reinterpret_cast<HANDLE>(peer.socketDescriptor());
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
