#include "app/StartupTrace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

Q_LOGGING_CATEGORY(lcStartup, "taloran.startup", QtInfoMsg)

namespace {

QElapsedTimer &startClock()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

// Sees events on their way to every object; removes itself after the first
// paint.
class FirstFrameFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_exposed) {
            m_exposed = true;
            StartupTrace::mark("first expose");
        } else if (event->type() == QEvent::Paint) {
            StartupTrace::mark("first paint begins");
            deleteLater();
            qApp->removeEventFilter(this);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_exposed = false;
};

} // namespace

namespace StartupTrace {

void mark(const char *step)
{
    const qint64 ns = startClock().nsecsElapsed();
    qCDebug(lcStartup, "%8.2f ms  %s", double(ns) / 1e6, step);
}

void watchFirstFrame()
{
    if (!lcStartup().isDebugEnabled() || !qApp)
        return;
    qApp->installEventFilter(new FirstFrameFilter(qApp));
}

} // namespace StartupTrace
