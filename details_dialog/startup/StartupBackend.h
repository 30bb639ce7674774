#pragma once

// What each platform provides for the startup shortcut. Private to
// taloran_startup; mdlSpecialFolder and mdlShortcut hold the shared logic.

#include <QString>

namespace StartupBackend {

// The current user's Startup folder (created when missing), or the empty
// text when it cannot be found.
QString startupFolder();

// File name of the link titled `title` ("Taloran.desktop", "Taloran.lnk").
QString linkFileName(const QString &title);

// Whether the file at `linkPath` is a link that starts a program at logon:
// an ordinary file, and not switched off.
bool isActiveLink(const QString &linkPath);

// Writes the link at `linkPath` starting `target` with `arguments`, replacing
// whatever link is there. Returns whether it was written.
bool writeLink(const QString &linkPath, const QString &title, const QString &target,
               const QString &arguments);

// The running program file as the link starts it.
QString programPath();

} // namespace StartupBackend
