#pragma once

#include <QByteArray>

// The Qt platform plugin, chosen before QApplication exists. A Wayland
// compositor lets no client place its window or read where it is; where the
// session also offers an X server (XWayland), the program runs there so that
// its remembered place, centring and dragging work as on X11.
namespace PlatformChoice {

struct Session
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE
    bool platformArgument = false; // -platform or --platform on the command line
};

// "xcb" in a Wayland session with an X server, "wayland" in one without;
// empty (Qt's own choice) when the user chose a platform or the session is
// not a Wayland one.
QByteArray choose(const Session &session);

Session current(int argc, const char *const *argv);

// Sets QT_QPA_PLATFORM to the choice for this process, if there is one.
void apply(int argc, const char *const *argv);

} // namespace PlatformChoice
