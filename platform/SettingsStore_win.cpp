#include "platform/SettingsStoreBackend.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsStore", text);
}

} // namespace

namespace SettingsStoreBackend {

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Taloran"),
        QSettings::NativeFormat);
}

QString keyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

QString failureReason(const QSettings &settings)
{
    return settings.status() == QSettings::FormatError
        ? tr("The registry key holds values in a form that cannot be kept.")
        : tr("The registry key cannot be written (access denied).");
}

QString failedPlace(const QSettings &settings, const QString &section)
{
    // QSettings names the key with a backslash first.
    QString key = settings.fileName() + QLatin1Char('\\') + section;
    if (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    return key;
}

QString placeLabel()
{
    return tr("Registry key: %1");
}

} // namespace SettingsStoreBackend
