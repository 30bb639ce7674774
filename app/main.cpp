// Taloran: a desktop countdown widget. The program is its main window: it
// starts by loading frmMain and ends when its last window has closed.

#include "Assets.h"
#include "DetailsLauncher.h"
#include "TerminationSignals.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Taloran"));
    QApplication::setApplicationVersion(QStringLiteral(TALORAN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("taloran"));
    initTaloranAssets();
    QApplication::setWindowIcon(Assets::clockIcon());

    frmMain mainWindow;
    DetailsLauncher details(mainWindow);

    // Ending the session or the process still unloads the main window
    // through its normal path, so the target is written.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow,
                     [&mainWindow] { mainWindow.close(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &mainWindow,
                     [&mainWindow] { mainWindow.programEnding(); });

    mainWindow.Form_Load(QApplication::arguments().mid(1));
    return QApplication::exec();
}
