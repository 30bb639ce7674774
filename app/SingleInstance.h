#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QLocalServer;
class QLocalSocket;

// One running copy per user and graphical session. The first start listens on
// a local socket (a named pipe on Windows) that only the user can reach; a
// later start hands its request to it and ends. A lock file makes two starts
// at once agree, and what a copy that died left behind is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // One byte from a later start, answered once taken. The running copy
    // answers any byte, so a new request needs a byte of its own.
    enum class Request : char {
        Show = 'A',          // no arguments: the widget comes to the front
        ShowMinimized = 'N', // arguments, as at logon: a widget on screen stays as it is
        Close = 'Q',         // the Windows installer: end as at session end
    };

    explicit SingleInstance(const QString &name = defaultName(), QObject *parent = nullptr);

    // Becomes the running copy (true), or hands `request` to it (false: the
    // caller then ends without doing anything else).
    bool claim(Request request);

    // One name per user and session, where only the user can reach it; empty
    // when there is no such place, and the program then runs alone.
    static QString defaultName();

    // `Taloran.exe /close` from the Windows installer: closes the running copy
    // and gives the exit status. Empty for any other arguments, and on other
    // systems always, where `/close` is an argument like any other.
    static std::optional<int> closeForInstaller(const QStringList &arguments);

signals:
    void requestReceived(SingleInstance::Request request);

private:
    static QString lockPathFor(const QString &name);
    static bool isSameUser(const QLocalSocket &peer);
    static bool connectToRunningCopy(QLocalSocket &socket, const QString &name);
    static bool send(QLocalSocket &socket, Request request);
    void serve();

    QString m_name;
    QLocalServer *m_server = nullptr;
};
