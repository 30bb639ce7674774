#pragma once

#include <QString>

#include <optional>

// The run-at-startup option: "Taloran.desktop" in the XDG autostart folder or
// "Taloran.lnk" in the Windows Startup folder, starting the program with
// "/m". The entry's presence is the only record of the option.
namespace Autostart {

// The entry's full path, or empty when the folder cannot be found.
QString entryPath();

// True when the entry is an ordinary file that will start the program at
// logon; an entry the desktop has switched off counts as absent.
bool isEnabled();

// Why no entry that launchers run can be written for `program`, for the user;
// empty when one can.
QString whyCannotStart(const QString &program);

// The running program file as the entry starts it.
QString programPath();

// A change of the entry that did not reach the disk.
struct Failure
{
    enum Change { NotWritten, NotRemoved } change;
    // The entry, or its folder when that cannot be found or made.
    QString location;
    bool locationIsFolder = false;
    QString reason;

    // All of it, for the user.
    QString message() const;
};

// Removes an enabled entry, or writes one for `program` when none is enabled
// and whyCannotStart() allows it; a matching entry is left as it is.
std::optional<Failure> setEnabled(bool enabled, const QString &program = programPath());

} // namespace Autostart
