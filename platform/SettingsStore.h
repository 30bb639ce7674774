#pragma once

#include <QString>

// The per-user settings store: text values addressed by application name,
// section and key. An empty application name stands for the program's title.
//
// Linux: INI file $XDG_CONFIG_HOME/<application>/<application>.conf.
// Windows: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// where the platform's classic per-user program settings live.
namespace SettingsStore {

// The program's title, "Taloran".
QString programTitle();

// The stored text, or defaultValue when the value does not exist.
QString getSetting(const QString &appName, const QString &section, const QString &key,
                   const QString &defaultValue = QString());

// Writes the value, creating whatever is missing. Returns false when the
// store could not be written.
bool saveSetting(const QString &appName, const QString &section, const QString &key,
                 const QString &value);

// Where the store lives (the INI file on Linux), for people and tests.
QString location(const QString &appName = QString());

} // namespace SettingsStore
