#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// What differs between the INI file and the registry. Private to the store.
namespace SettingsStoreBackend {

std::unique_ptr<QSettings> open();
QString keyPath(const QString &section, const QString &key);
// Why the store could not be written, in the system's words where it has them.
QString failureReason(const QSettings &settings);
// The file, or the section's registry key as Windows names it.
QString failedPlace(const QSettings &settings, const QString &section);
// "File: %1" or "Registry key: %1".
QString placeLabel();

} // namespace SettingsStoreBackend
