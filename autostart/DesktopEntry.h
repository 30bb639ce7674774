#pragma once

// The little of the freedesktop.org Desktop Entry format that the autostart
// entry needs: writing one application entry, and reading whether an existing
// entry has been switched off. Written by hand because QSettings rewrites
// .desktop files in its own INI dialect.

#include <QByteArray>
#include <QString>

namespace DesktopEntry {

// One argument of an Exec key in double quotes, with '"', '`', '$' and '\'
// escaped by a backslash, before the string escaping of the whole value.
QString quoteExecArgument(const QString &argument);

// The general escaping of a string value: '\' as "\\", newline, tab and
// carriage return as "\n", "\t", "\r", a leading space as "\s".
QString escapeString(const QString &value);

// The Exec value (string-escaped, ready for the file) that starts `program`
// with "/m". The program is always quoted; '%' is doubled.
QString execValue(const QString &program);

// The UTF-8 text of the autostart entry "Taloran" starting `program` with "/m".
QByteArray autostartEntry(const QString &program);

// Whether the entry text is switched off for autostart: "Hidden=true" or
// "X-GNOME-Autostart-enabled=false" in its [Desktop Entry] group.
bool isSwitchedOff(const QByteArray &entryText);

} // namespace DesktopEntry
