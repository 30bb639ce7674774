#pragma once

#include <QString>

namespace mdlSpecialFolder {

// The platform's identifier of the current user's Startup folder.
inline constexpr qint32 CSIDL_STARTUP = 7;

// The file-system path of a special folder, or the empty text when it cannot
// be found. Only the Startup folder (7) is known: on Linux it is the XDG
// autostart folder, created when missing; on Windows FOLDERID_Startup. Any
// other identifier gives the empty text.
QString GetSpecialFolderPath(qint32 lngCSIDL);

} // namespace mdlSpecialFolder
