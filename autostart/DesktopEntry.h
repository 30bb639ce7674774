#pragma once

// The little of the freedesktop.org Desktop Entry format that the autostart
// entry needs: writing one application entry, and reading whether an existing
// entry has been switched off. Written by hand because QSettings rewrites
// .desktop files in its own INI dialect.
//
// The entry has to start the program under the launchers that read autostart
// folders, and they read the Exec key differently. GLib (GNOME, gio launch)
// replaces "%%" by "%" and drops other "%x" codes, then splits the line as a
// POSIX shell does, and refuses the whole entry when the first word, read
// before "%%" is replaced, names no program file. dex keeps "%%" as it is and
// takes the backslash escapes inside double quotes literally. So the program
// path is written in double quotes only when it holds none of '"', '`', '$',
// '\' and '%'; these read alike everywhere. Otherwise the entry starts the
// program by its file name through env, with its folder as the Path key,
// which no launcher parses.

#include <QByteArray>
#include <QString>

namespace DesktopEntry {

// Why no entry can start `program` alike under the launchers, in words for
// the user; the empty text when autostartEntry() can write one.
QString whyNotStartable(const QString &program);

// The UTF-8 text of the autostart entry "Taloran" starting `program` with
// "/m". Only for a program that whyNotStartable() accepts.
QByteArray autostartEntry(const QString &program);

// Whether the entry text is switched off for autostart: "Hidden=true" or
// "X-GNOME-Autostart-enabled=false" in its [Desktop Entry] group.
bool isSwitchedOff(const QByteArray &entryText);

} // namespace DesktopEntry
