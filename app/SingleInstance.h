#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per user and session. The first start becomes the running
// copy and listens on a local socket (a named pipe on Windows); a later
// start hands its request over to it and ends. A lock file guards the
// moment of deciding, so that two starts at once make one running copy; the
// lock of a copy that crashed or was killed is taken over. Socket and lock
// live where only the user can reach them, and a start hands over only to a
// copy of the same user: what another user puts under the same name neither
// takes the request nor keeps the widget from starting.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // What a later start asks of the running copy: one byte on the channel,
    // answered with one byte once taken. A running copy answers every byte,
    // also one it does not know, so a new request is a new enumerator with a
    // byte of its own, handled where requestReceived() is connected.
    enum class Request : char {
        // A start without arguments: the widget comes to the front.
        Show = 'A',
        // A start with arguments, as at logon: a widget on screen stays as it
        // is, a closed one comes back minimized.
        ShowMinimized = 'N',
        // `Taloran /close`, from an installer: the running copy ends as at
        // session end. It answers `closing` and keeps the connection open
        // until its process ends, which is what the asking side waits for.
        Close = 'Q',
    };

    // What asking the running copy to close came to; the numbers are the
    // exit status of `Taloran.exe /close`, which the installer reads.
    enum class CloseResult { NoneRunning = 0, Closed = 1, ClosedMinimized = 2, StillRunning = 3 };

    // `name`: the socket's name or path; by default one per user and
    // session (see defaultName()).
    explicit SingleInstance(const QString &name = defaultName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running copy and returns true, or hands `request` to the
    // running copy and returns false: the caller then ends without doing
    // anything else.
    bool claim(Request request);

    // Linux: a socket in the user's private runtime folder ($XDG_RUNTIME_DIR,
    // else a folder of the user's own, mode 0700), named for the graphical
    // session (see README). Windows: a pipe named for the user's SID and the
    // logon session. Empty when no private place can be had: the program
    // then runs without looking for another copy.
    static QString defaultName();

    // Asks the running copy of this user and session to close as it does at
    // session end, and waits (up to half a minute) until it has ended: on
    // Windows until its process has ended, elsewhere until its connection
    // ends, just before it exits. On Windows the result says whether it was
    // minimized, and a copy of the earlier build, which listens under
    // another name and knows no close request, is closed through its
    // windows; elsewhere the result is Closed.
    static CloseResult closeRunningCopy();

signals:
    void requestReceived(SingleInstance::Request request);

private:
    void serve();
    static CloseResult closeCopyAt(const QString &name);

    QString m_name;
    QString m_lockPath;
    QLocalServer *m_server = nullptr;
};
