#include "SettingsStore.h"

#include <QSettings>
#include <QStringList>

#include <memory>

namespace {

const QString applicationName = QStringLiteral("Taloran");

std::unique_ptr<QSettings> open()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + applicationName,
        QSettings::NativeFormat);
#else
    // The native format on Linux is an INI file named <application>.conf.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, applicationName,
                                       applicationName);
#endif
}

// QSettings keeps keys of its root in an INI section called [General] and
// escapes a group of that name as [%General]. Keys of the "General" section
// are kept at the root so that the file reads [General] as people expect.
QString keyPath(const QString &section, const QString &key)
{
#ifndef Q_OS_WIN
    if (section == QLatin1String("General"))
        return key;
#endif
    return section + QLatin1Char('/') + key;
}

} // namespace

namespace SettingsStore {

QString getSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    const auto settings = open();
    const QVariant value = settings->value(keyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with commas and no quotes reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool saveSetting(const QString &section, const QString &key, const QString &value)
{
    const auto settings = open();
    settings->setValue(keyPath(section, key), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QString location()
{
    return open()->fileName();
}

} // namespace SettingsStore
