// Taloran: a desktop countdown widget. The application owns the target and
// hands it to its two views, the countdown window and the details dialog; it
// ends when its last window has closed.

#include "Assets.h"
#include "CountdownTarget.h"
#include "CountdownWindow.h"
#include "DetailsDialog.h"
#include "StartupTrace.h"
#include "TerminationSignals.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    StartupTrace::mark("main");
    QApplication app(argc, argv);
    StartupTrace::mark("application made");
    StartupTrace::watchFirstFrame();
    QApplication::setApplicationName(QStringLiteral("Taloran"));
    QApplication::setApplicationVersion(QStringLiteral(TALORAN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("taloran"));
    initTaloranAssets();
    Assets::setApplicationIconAfterFirstPaint();

    CountdownTarget target;
    // The window observes the target first, so that after a picker edit its
    // labels and caption are refreshed before the dialog's totals.
    CountdownWindow window(target);
    StartupTrace::mark("window made");

    // The dialog is made on the first request and lives for the rest of the
    // run, through any number of closes and opens.
    std::unique_ptr<DetailsDialog> details;
    QObject::connect(&window, &CountdownWindow::detailsRequested, &window, [&target, &details] {
        if (!details)
            details = std::make_unique<DetailsDialog>(target);
        details->open();
    });

    // Ending the session or the process still closes the main window
    // through its normal path, so the target is written.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.close(); });
    // The dialog can outlive the main window: an edit made after the main
    // window closed is written as the program ends.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &target,
                     [&target] { target.saveIfChanged(); });

    window.start(QApplication::arguments().mid(1));
    StartupTrace::mark("window shown");
    return QApplication::exec();
}
