#pragma once

#include <QString>

// The per-user settings store of "Taloran": text values addressed by section
// and key.
//
// Linux: INI file $XDG_CONFIG_HOME/Taloran/Taloran.conf.
// Windows: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Taloran\<section>,
// where the platform's classic per-user program settings live.
namespace SettingsStore {

// The stored text, or defaultValue when the value does not exist.
QString getSetting(const QString &section, const QString &key,
                   const QString &defaultValue = QString());

// Writes the value, creating whatever is missing. Returns false when the
// store could not be written.
bool saveSetting(const QString &section, const QString &key, const QString &value);

// Where the store lives (the INI file on Linux), for people and tests.
QString location();

} // namespace SettingsStore
