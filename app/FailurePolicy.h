#pragma once

#include <QObject>

class CountdownTarget;

// How the program tells of what it could not save, and how it ends. While the
// user is there, a failure is shown in a box that waits to be dismissed, one
// box at a time. Once the program is being ended (by the session, a signal or
// an installer) nothing may hold up the end: a failure is then only logged,
// as is one that comes while a box is open. At the very end a target that has
// not reached the store is tried once more.
class FailurePolicy : public QObject
{
    Q_OBJECT
public:
    // Reports the settings store's write failures from now on.
    explicit FailurePolicy(CountdownTarget &target, QObject *parent = nullptr);
    ~FailurePolicy() override;

    void report(const QString &title, const QString &text);
    bool isEnding() const { return m_ending; }

public slots:
    // From now on failures are only logged.
    void beginEnding();
    // Ends the program: its windows close through their normal path, which
    // writes the target, and the event loop ends.
    void end();
    // The last try, as the event loop ends.
    void finish();

private:
    // The system's log: the Application event log on Windows; elsewhere
    // standard error already holds every failure.
    static void log(const QString &text);

    CountdownTarget &m_target;
    bool m_ending = false;
    bool m_showing = false;
};
