#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// One running copy per user and session. The first start becomes the running
// copy and listens on a local socket (a named pipe on Windows); a later
// start hands its command line over to it and ends. A lock file guards the
// moment of deciding, so that two starts at once make one running copy; the
// lock of a copy that crashed or was killed is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // `name`: the socket's name or path; by default one per user and
    // session (see defaultName()).
    explicit SingleInstance(const QString &name = defaultName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running copy and returns true, or hands `arguments` (the
    // command line without the program) to the running copy and returns
    // false: the caller then ends without doing anything else.
    bool claim(const QStringList &arguments);

    // Linux: a socket in $XDG_RUNTIME_DIR (else the temporary folder) named
    // for the user and the display. Windows: a pipe named for the user and
    // the logon session.
    static QString defaultName();

    // What asking the running copy to close came to; the numbers are the
    // exit status of `Taloran.exe /close`, which the installer reads.
    enum class CloseResult { NoneRunning = 0, Closed = 1, ClosedMinimized = 2, StillRunning = 3 };

    // Asks the running copy of `name` to close as it does at session end,
    // and waits (up to half a minute) until it has ended. On Windows the
    // result says whether it was minimized; elsewhere it is Closed.
    static CloseResult closeRunningCopy(const QString &name = defaultName());

signals:
    // A later start without arguments: the running copy comes to the front.
    // A later start with arguments (as at logon) changes nothing on screen.
    void activationRequested();

    // A request to close (an installer about to replace the program): the
    // running copy ends as at session end, writing the target.
    void closeRequested();

private:
    void serve();

    QString m_name;
    QString m_lockPath;
    QLocalServer *m_server = nullptr;
};
