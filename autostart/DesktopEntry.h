#pragma once

#include <QByteArray>
#include <QString>

// The little of the Desktop Entry format that the autostart entry needs,
// written by hand because QSettings rewrites .desktop files in its own dialect.
//
// Launchers read Exec differently: GLib replaces "%%" and drops other "%x"
// codes, then splits the line as a POSIX shell does; dex keeps "%%" and takes
// backslash escapes inside double quotes literally. So the program path is
// quoted only when it holds none of '"', '`', '$', '\' and '%', which read
// alike everywhere; otherwise the entry starts the program by its file name
// through env, with its folder as the Path key, which no launcher parses.
namespace DesktopEntry {

// Why no entry can start `program` alike under the launchers; empty when
// autostartEntry() can write one.
QString whyNotStartable(const QString &program);

// The UTF-8 text of the entry "Taloran" starting `program` with "/m".
QByteArray autostartEntry(const QString &program);

// "Hidden=true" or "X-GNOME-Autostart-enabled=false" in [Desktop Entry].
bool isSwitchedOff(const QByteArray &entryText);

} // namespace DesktopEntry
