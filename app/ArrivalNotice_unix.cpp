#include "app/ArrivalNotice.h"

#include "assets/Assets.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QImage>

namespace {

// The service's name, also the name of its interface, and its object.
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

// The clock icon as the "image-data" hint carries it: width, height, bytes
// a line, alpha, bits a sample, samples a pixel, the RGBA bytes.
QDBusArgument clockImage()
{
    const QImage image =
        Assets::clockIcon().pixmap(64).toImage().convertToFormat(QImage::Format_RGBA8888);
    QDBusArgument data;
    data.beginStructure();
    data << image.width() << image.height() << int(image.bytesPerLine()) << true << 8 << 4
         << QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    data.endStructure();
    return data;
}

// The notices this program has shown, by the service's ids, and the clicks
// on them: the service may tell every client of a click on any notice.
class NoticeClicks : public QObject
{
    Q_OBJECT
public:
    explicit NoticeClicks(ArrivalNotice *notice) : QObject(notice)
    {
        QDBusConnection::sessionBus().connect(QString(), path, service, QStringLiteral("ActionInvoked"),
                                              this, SLOT(actionInvoked(uint,QString)));
        connect(this, &NoticeClicks::clicked, notice, &ArrivalNotice::activated);
    }

    QList<uint> shown;

signals:
    void clicked();

public slots:
    void actionInvoked(uint id, const QString &action)
    {
        if (action == QLatin1String("default") && shown.contains(id))
            emit clicked();
    }
};

} // namespace

void ArrivalNotice::show(const DateValue &target)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *clicks = findChild<NoticeClicks *>();
    if (!clicks)
        clicks = new NoticeClicks(this);

    // The desktop entry names the program in the desktop's notification
    // settings; "default" is the click on the notice itself.
    QDBusMessage notify = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    notify << QStringLiteral("Taloran") << 0u << QStringLiteral("taloran") << QStringLiteral("Taloran")
           << text(target) << QStringList{QStringLiteral("default"), tr("Show")}
           << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("io.github.taloran.Taloran")},
                          {QStringLiteral("image-data"), QVariant::fromValue(clockImage())}}
           << -1;
    auto *reply = new QDBusPendingCallWatcher(bus.asyncCall(notify), clicks);
    connect(reply, &QDBusPendingCallWatcher::finished, clicks, [clicks](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<uint> id = *call;
        if (id.isValid())
            clicks->shown.append(id.value());
        call->deleteLater();
    });
}

#include "ArrivalNotice_unix.moc"
