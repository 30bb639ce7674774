// A stand-in for the desktop's notification service on a test's own session
// bus. Each Notify call is appended to the file named by the argument as one
// line: app name|icon|summary|body|actions|desktop-entry|image-data's D-Bus
// signature. Its Click method clicks the last notice (ActionInvoked with
// "default"), as a user would.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QFile>
#include <QVariantMap>

class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QString log;

public slots:
    uint Notify(const QString &app, uint, const QString &icon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int)
    {
        QFile file(log);
        if (file.open(QIODevice::Append)) {
            const QStringList fields{app, icon, summary, body, actions.join(QLatin1Char(',')),
                                     hints.value(QStringLiteral("desktop-entry")).toString(),
                                     hints.value(QStringLiteral("image-data")).value<QDBusArgument>().currentSignature()};
            file.write(fields.join(QLatin1Char('|')).toUtf8() + '\n');
        }
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
    service.log = app.arguments().value(1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)
        || !bus.registerService(QStringLiteral("org.freedesktop.Notifications")))
        return 1;
    return app.exec();
}

#include "fake_notifications.moc"
