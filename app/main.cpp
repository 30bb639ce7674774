// Taloran: a desktop countdown widget.

#include "app/PlatformChoice.h"
#include "app/SingleInstance.h"
#include "app/StartupTrace.h"
#include "app/TaloranApplication.h"
#include "assets/Assets.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    StartupTrace::mark("main");
    // Before Qt picks its platform: XWayland, where there is one, in a
    // Wayland session.
    PlatformChoice::apply(argc, argv);
    QApplication app(argc, argv);
    StartupTrace::mark("application made");
    StartupTrace::watchFirstFrame();
    QApplication::setApplicationName(QStringLiteral("Taloran"));
    QApplication::setApplicationVersion(QStringLiteral(TALORAN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.taloran.Taloran"));
    Assets::setUp();

    // `Taloran.exe /close`, from the Windows installer.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (const std::optional<int> status = SingleInstance::closeForInstaller(arguments))
        return *status;

    TaloranApplication taloran(arguments);
    if (!taloran.start())
        return 0;
    return QApplication::exec();
}
