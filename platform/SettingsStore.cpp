#include "platform/SettingsStore.h"

#include "platform/SettingsStoreBackend.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

SettingsStore::FailureHandler &failureHandler()
{
    static SettingsStore::FailureHandler handler;
    return handler;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsStore", text);
}

} // namespace

namespace SettingsStore {

QString value(const QString &section, const QString &key, const QString &defaultValue)
{
    const QVariant value = SettingsStoreBackend::open()->value(SettingsStoreBackend::keyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with commas and no quotes reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool setValue(const QString &section, const QString &key, const QString &value, const QString &what)
{
    const auto settings = SettingsStoreBackend::open();
    settings->setValue(SettingsStoreBackend::keyPath(section, key), value);
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return true;
    const WriteFailure failure{what.isEmpty() ? tr("A setting could not be saved.") : what, section,
                               key, SettingsStoreBackend::failedPlace(*settings, section),
                               SettingsStoreBackend::failureReason(*settings)};
    qWarning("Taloran: the settings were not saved to %s: %s", qPrintable(failure.location),
             qPrintable(failure.reason));
    if (const auto &handler = failureHandler())
        handler(failure);
    return false;
}

QString location()
{
    return SettingsStoreBackend::open()->fileName();
}

QString WriteFailure::message() const
{
    return what + QLatin1String("\n\n") + SettingsStoreBackend::placeLabel().arg(location)
        + QLatin1Char('\n') + tr("Reason: %1").arg(reason);
}

void setFailureHandler(FailureHandler handler)
{
    failureHandler() = std::move(handler);
}

} // namespace SettingsStore
