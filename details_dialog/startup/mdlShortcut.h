#pragma once

#include <QString>

namespace mdlShortcut {

// Makes the link strTitle in the menu folder strGroup, starting strTarget with
// strArguments. The only folder there is is "Startup" of the current user
// (blnAllUsers false): the folder that GetSpecialFolderPath(7) reports, so the
// link is found by StartupShortcutExists(). Anything else makes nothing.
// Returns whether the link was written.
bool CreateShortcut(const QString &strGroup, const QString &strTitle, const QString &strTarget,
                    const QString &strArguments, bool blnAllUsers);

// Full path of the startup shortcut ("Taloran.desktop" in the autostart
// folder, "Taloran.lnk" in the Startup folder on Windows), or the empty text
// when the folder cannot be found.
QString StartupShortcutPath();

// True when the startup shortcut is an ordinary file that will start the
// program at logon. An entry the desktop has switched off counts as absent.
// False whenever the folder cannot be found.
bool StartupShortcutExists();

// Deletes the startup shortcut. Does nothing when the folder cannot be found.
bool RemoveStartupShortcut();

// CreateShortcut("Startup", "Taloran", programPath, "/m", false).
bool CreateStartupShortcut(const QString &programPath);

// The running program file as the shortcut starts it: its absolute path; on
// Windows its folder, "\", its name without extension and ".exe".
QString ProgramPath();

// The run-at-startup check box when the details dialog loads: true means
// check it (the shortcut exists); false means leave it as it is.
bool startupBoxAtLoad();

// Brings the shortcut into line with the check box when the details dialog
// unloads: 0 (unchecked) removes an existing shortcut, 1 (checked) creates a
// missing one; other values and the matching cases leave the disk untouched.
void syncAtUnload(int chkValue);

} // namespace mdlShortcut
