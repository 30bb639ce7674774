#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {

// The running copy's answers: a request taken, and a request to close taken
// (a copy that knows no close request answers `taken` to it and goes on).
constexpr char taken = 'K';
constexpr char closing = 'C';

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name)
{
}

bool SingleInstance::connectToRunningCopy(QLocalSocket &socket, const QString &name)
{
    socket.connectToServer(name);
    // What another user listens on under this name counts as no copy at all.
    if (socket.waitForConnected(2000) && isSameUser(socket))
        return true;
    socket.abort();
    return false;
}

bool SingleInstance::send(QLocalSocket &socket, Request request)
{
    const char byte = char(request);
    socket.write(&byte, 1);
    socket.waitForBytesWritten(2000);
    const char expected = request == Request::Close ? closing : taken;
    return socket.waitForReadyRead(5000) && socket.read(1) == QByteArray(1, expected);
}

bool SingleInstance::claim(Request request)
{
    if (m_name.isEmpty()) {
        qWarning("Taloran: no private folder for the single-instance socket; not looking for "
                 "another copy");
        return true;
    }
    QLockFile lock(lockPathFor(m_name));
    // A running copy that does not answer may be ending: ask again, a few
    // times, before giving up.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Held only while deciding; the lock of a process that has died is
        // stale and taken over at once.
        lock.tryLock(10000);
        QLocalSocket socket;
        if (connectToRunningCopy(socket, m_name)) {
            lock.unlock();
            if (send(socket, request))
                return false;
            continue;
        }
        // No copy answers: a socket that one left behind goes first.
        QLocalServer::removeServer(m_name);
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!m_server->listen(m_name))
            qWarning("Taloran: cannot listen for later starts on %s: %s", qPrintable(m_name),
                     qPrintable(m_server->errorString()));
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serve);
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
            const auto request = Request(socket->read(1).at(0));
            // A request to close keeps its connection open until this process
            // ends, which is what the asking side waits for.
            const bool close = request == Request::Close;
            socket->write(close ? &closing : &taken, 1);
            socket->flush();
            if (!close)
                socket->disconnectFromServer();
            emit requestReceived(request);
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        take();
    }
}
