#pragma once

#include <QString>

#include <optional>

// The run-at-startup option, kept as an entry in the current user's autostart
// folder that starts the program with "/m": "Taloran.desktop" in the XDG
// autostart folder, "Taloran.lnk" in the Startup folder on Windows. The
// entry's presence is the only record of the option.
namespace Autostart {

// The current user's autostart folder, created when missing: on Linux
// $XDG_CONFIG_HOME/autostart, on Windows FOLDERID_Startup. The empty text
// when it cannot be found.
QString folder();

// Full path of the entry, or the empty text when the folder cannot be found.
QString entryPath();

// True when the entry is an ordinary file that will start the program at
// logon. An entry the desktop has switched off counts as absent. False
// whenever the folder cannot be found.
bool isEnabled();

// Why no entry that launchers run can be written for `program`, in words
// for the user; the empty text when one can.
QString whyCannotStart(const QString &program);

// Writes the entry, starting `program` with "/m", over whatever entry is
// there. Returns whether it was written; never writes an entry that
// whyCannotStart() refuses.
bool enable(const QString &program);

// Deletes the entry. Does nothing when the folder cannot be found.
bool disable();

// The running program file as the entry starts it: its absolute path; on
// Windows its folder, "\", its name without extension and ".exe".
QString programPath();

// A change of the entry that did not reach the disk.
struct Failure
{
    enum Change { NotWritten, NotRemoved } change;
    // The entry's file, or the folder when it is the folder that cannot be
    // found or made (empty when not even its name is known).
    QString location;
    bool locationIsFolder = false;
    // Why, in the system's words where it has them.
    QString reason;

    // All of it, for the user.
    QString message() const;
};

// Brings the entry into line with the option: off removes an enabled entry,
// on writes one for this program when none is enabled; an entry that
// already matches is left untouched. Says what failed, if anything did.
std::optional<Failure> setEnabled(bool enabled);

} // namespace Autostart
