#pragma once

// Shell links and the Startup folder through plain Win32, with no Qt, so that
// this part can be tried on its own under wine (tests/wine). Wide strings only.

#include <string>

// The current user's Startup folder (FOLDERID_Startup), created when missing;
// empty when it cannot be found.
std::wstring winStartupFolder();

// Whether `path` is an ordinary file: present, not a folder, neither hidden
// nor a system file.
bool winOrdinaryFileExists(const std::wstring &path);

// Saves a shell link at `linkPath` that starts `target` with `args`, working
// in the target's folder. Returns whether the link was saved; when it was
// not and `error` is given, the system's message for the failure.
bool winCreateLink(const std::wstring &linkPath, const std::wstring &target,
                   const std::wstring &args, std::wstring *error = nullptr);
