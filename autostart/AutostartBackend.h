#pragma once

// What each platform provides for the autostart entry. Private to
// taloran_autostart; Autostart holds the shared logic.

#include <QString>

namespace AutostartBackend {

// The current user's autostart folder (created when missing), or the empty
// text when it cannot be found or made; `failedFolder` and `reason` then say
// which folder, as far as it is known, and why.
QString folder(QString *failedFolder = nullptr, QString *reason = nullptr);

// File name of the entry: "Taloran.desktop", "Taloran.lnk".
QString entryFileName();

// Whether the file at `path` is an entry that starts a program at logon: an
// ordinary file, and not switched off.
bool isActiveEntry(const QString &path);

// Why no entry that starts `program` can be written, or the empty text.
QString whyCannotStart(const QString &program);

// Writes the entry at `path` starting `program` with "/m", replacing whatever
// entry is there. Returns whether it was written, and else sets `reason`.
bool writeEntry(const QString &path, const QString &program, QString *reason);

// The running program file as the entry starts it.
QString programPath();

} // namespace AutostartBackend
