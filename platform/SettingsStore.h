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

// Writes the value, creating whatever is missing. Returns false when the
// store could not be written; the failure is then reported with `what`, the
// writer's own description of what was lost.
bool setValue(const QString &section, const QString &key, const QString &value,
              const QString &what = QString());

// The INI file, or the registry key of the application.
QString location();

// A write that did not reach the store: what was lost, where it was going
// (the file, or the section's registry key) and why.
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

// Called after every write that failed. Every failure is also a warning on
// standard error.
using FailureHandler = std::function<void(const WriteFailure &)>;
void setFailureHandler(FailureHandler handler);

} // namespace SettingsStore
