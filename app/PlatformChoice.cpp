#include "app/PlatformChoice.h"

#include <QtGlobal>

#include <cstring>

namespace PlatformChoice {

QByteArray choose(const Session &session)
{
    if (!session.qpaPlatform.isEmpty() || session.platformArgument)
        return {};
    const bool wayland = session.sessionType == "wayland" || !session.waylandDisplay.isEmpty();
    if (!wayland)
        return {};
    return session.display.isEmpty() ? QByteArrayLiteral("wayland") : QByteArrayLiteral("xcb");
}

Session current(int argc, const char *const *argv)
{
    Session session;
    session.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    session.display = qgetenv("DISPLAY");
    session.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    session.sessionType = qgetenv("XDG_SESSION_TYPE");
    // Qt takes its options with one dash or two.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            session.platformArgument = true;
    }
    return session;
}

void apply([[maybe_unused]] int argc, [[maybe_unused]] const char *const *argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QByteArray platform = choose(current(argc, argv));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
#endif
}

} // namespace PlatformChoice
