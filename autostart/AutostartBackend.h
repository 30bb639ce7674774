#pragma once

#include <QString>

// What each platform provides for the autostart entry; private to autostart/.
namespace AutostartBackend {

// The current user's autostart folder, created when missing; empty when it
// cannot be found or made, with the folder (as far as known) and the reason.
QString folder(QString *failedFolder = nullptr, QString *reason = nullptr);

QString entryFileName();

// Whether the file at `path` is an entry that starts a program at logon.
bool isActiveEntry(const QString &path);

QString whyCannotStart(const QString &program);

// Writes the entry starting `program` with "/m" over whatever is at `path`;
// false, with `reason` set, when it cannot.
bool writeEntry(const QString &path, const QString &program, QString *reason);

QString programPath();

} // namespace AutostartBackend
