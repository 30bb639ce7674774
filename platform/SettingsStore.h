#pragma once

#include <QString>

#include <functional>

// The per-user settings store of "Taloran": text values addressed by section
// and key.
//
// Linux: INI file $XDG_CONFIG_HOME/Taloran/Taloran.conf.
// Windows: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Taloran\<section>,
// where the platform's classic per-user program settings live.
namespace SettingsStore {

// The stored text, or defaultValue when the value does not exist.
QString value(const QString &section, const QString &key, const QString &defaultValue = QString());

// Writes the value, creating whatever is missing. Returns false when the
// store could not be written; the failure is then reported with `what`, the
// writer's own words for what was lost.
bool setValue(const QString &section, const QString &key, const QString &value,
              const QString &what = QString());

// Where the store lives (the INI file on Linux), for people and tests.
QString location();

// A write that did not reach the store: what was lost (in the writer's
// words), the value written, where it was going (the file; on Windows the
// section's registry key, such as
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Taloran\General),
// and why it could not be written, in words.
struct WriteFailure
{
    QString what;
    QString section;
    QString key;
    QString location;
    QString reason;
};

// Called after every write that failed, on the thread that wrote. Without a
// handler (or with an empty one) a failure is only a warning on stderr.
using FailureHandler = std::function<void(const WriteFailure &)>;
void setFailureHandler(FailureHandler handler);

} // namespace SettingsStore
