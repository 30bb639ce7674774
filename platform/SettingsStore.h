#pragma once

#include <QString>

#include <functional>

// The per-user settings store of "Taloran": text values addressed by section
// and key. Linux: the INI file $XDG_CONFIG_HOME/Taloran/Taloran.conf.
// Windows: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Taloran\<section>,
// where the platform's classic per-user program settings live.
namespace SettingsStore {

// The stored text, or defaultValue when the value does not exist.
QString value(const QString &section, const QString &key, const QString &defaultValue = QString());

// False when the store could not be written; the failure is reported with
// `what`, the writer's description of what was lost.
bool setValue(const QString &section, const QString &key, const QString &value,
              const QString &what = QString());

// The INI file, or the registry key of the application.
QString location();

struct WriteFailure
{
    QString what;
    QString section;
    QString key;
    QString location;
    QString reason;

    // All of it, for the user.
    QString message() const;
};

// Called after every failed write; each is also a warning on standard error.
using FailureHandler = std::function<void(const WriteFailure &)>;
void setFailureHandler(FailureHandler handler);

} // namespace SettingsStore
