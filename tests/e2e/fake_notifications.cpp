// A stand-in for the desktop's notification service on a test's own session
// bus. It prints each Notify call as one line (app name|icon|summary|body|
// actions|desktop-entry|the D-Bus signature of image-data), and its Click
// method clicks the last notice (ActionInvoked with "default") as a user would.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QVariantMap>

#include <cstdio>

class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public slots:
    uint Notify(const QString &app, uint, const QString &icon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int)
    {
        const QStringList fields{app, icon, summary, body, actions.join(QLatin1Char(',')),
                                 hints.value(QStringLiteral("desktop-entry")).toString(),
                                 hints.value(QStringLiteral("image-data")).value<QDBusArgument>().currentSignature()};
        std::printf("%s\n", qPrintable(fields.join(QLatin1Char('|'))));
        std::fflush(stdout);
        return ++m_last;
    }
    void Click() { emit ActionInvoked(m_last, QStringLiteral("default")); }

signals:
    void ActionInvoked(uint id, const QString &action);

private:
    uint m_last = 0;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FakeNotifications service;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
    return bus.registerService(QStringLiteral("org.freedesktop.Notifications")) ? app.exec() : 1;
}

#include "fake_notifications.moc"
