// Taloran: a desktop countdown widget. The application owns the target and
// hands it to its two views, the countdown window and the details dialog; it
// ends when its last window has closed.

#include "app/ArrivalNotice.h"
#include "assets/Assets.h"
#include "countdown/CountdownTarget.h"
#include "countdown/TargetArrival.h"
#include "main_window/CountdownWindow.h"
#include "details_dialog/DetailsDialog.h"
#include "platform/LocalClock.h"
#include "app/PlatformChoice.h"
#include "platform/SecondTicker.h"
#include "platform/SettingsStore.h"
#include "app/SingleInstance.h"
#include "app/StartupTrace.h"
#include "app/TerminationSignals.h"

#include <QApplication>
#include <QMessageBox>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// What was lost, the file (the registry key on Windows) and why.
QString describeWriteFailure(const SettingsStore::WriteFailure &failure)
{
#ifdef Q_OS_WIN
    const QString where = QApplication::translate("main", "Registry key: %1");
#else
    const QString where = QApplication::translate("main", "File: %1");
#endif
    return failure.what + QLatin1String("\n\n") + where.arg(failure.location) + QLatin1Char('\n')
        + QApplication::translate("main", "Reason: %1").arg(failure.reason);
}

// Shows a failure in a box that waits for the user: one text the user can
// select and copy, the file's name with it. The program goes on, and ends
// normally, once it is dismissed.
void showFailure(const QString &title, const char *objectName, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box.setObjectName(QLatin1String(objectName));
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

void showWriteFailure(const SettingsStore::WriteFailure &failure)
{
    showFailure(QApplication::translate("main", "Taloran: settings not saved"), "writeFailureBox",
                describeWriteFailure(failure));
}

// The run-at-startup entry could not be written or removed: what failed, the
// file or folder, and why.
void showAutostartFailure(const Autostart::Failure &failure)
{
    const QString what = failure.change == Autostart::Failure::NotWritten
        ? QApplication::translate("main", "The run-at-startup entry could not be written.")
        : QApplication::translate("main", "The run-at-startup entry could not be removed.");
    const QString where = failure.locationIsFolder
        ? QApplication::translate("main", "Folder: %1")
        : QApplication::translate("main", "File: %1");
    showFailure(QApplication::translate("main", "Taloran: run at startup not changed"),
                "autostartFailureBox",
                what + QLatin1String("\n\n") + where.arg(failure.location) + QLatin1Char('\n')
                    + QApplication::translate("main", "Reason: %1").arg(failure.reason));
}

// A failure while the program is being ended, when no box can be shown. A
// Windows program has no standard error to read: there it is an error in
// the Application event log, from the source "Taloran". Elsewhere the
// warning on standard error that the store gives is the record.
void logWriteFailure([[maybe_unused]] const SettingsStore::WriteFailure &failure)
{
#ifdef Q_OS_WIN
    const HANDLE log = RegisterEventSourceW(nullptr, L"Taloran");
    if (!log)
        return;
    const std::wstring text = describeWriteFailure(failure).toStdWString();
    const wchar_t *strings[] = {text.c_str()};
    ReportEventW(log, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(log);
#endif
}

} // namespace

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
    initTaloranAssets();
    // The clock icon goes on every window before it is mapped, also on a
    // window that starts minimized and so is not painted until restored.
    QGuiApplication::setWindowIcon(Assets::clockIcon());

    // `Taloran.exe /close`, from the installer: the running copy closes and
    // ends; the exit status says how that went (see CloseResult).
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() == 1 && arguments[0].compare(QLatin1String("/close"), Qt::CaseInsensitive) == 0)
        return static_cast<int>(SingleInstance::closeRunningCopy());

    // One widget per user and session: a later start hands its request over
    // to the running copy and ends here, having shown and written nothing.
    SingleInstance instance;
    if (!instance.claim(arguments.isEmpty() ? SingleInstance::Request::Show
                                            : SingleInstance::Request::ShowMinimized))
        return 0;

    // A write that fails is shown at once, except while the program is being
    // ended by the session, a signal or an installer: a box then would hold
    // up the end, possibly for good, so the failure is logged instead. One
    // box at a time.
    bool ending = false;
    bool showingFailure = false;
    const auto report = [&ending, &showingFailure](const auto &show, const auto &failure) {
        if (ending || showingFailure)
            return;
        showingFailure = true;
        show(failure);
        showingFailure = false;
    };
    SettingsStore::setFailureHandler([report, &ending](const auto &failure) {
        if (ending)
            logWriteFailure(failure);
        else
            report(showWriteFailure, failure);
    });

    // The target is loaded before its views are made, and written when the
    // main window unloads, when the dialog closes after changing it, and at
    // the end of the program, when it changed after the main window closed.
    CountdownTarget target;
    target.load(DateValue(LocalClock::now()));
    // The window observes the target first, so that after a picker edit its
    // labels and caption are refreshed before the dialog's totals.
    CountdownWindow window(target);
    StartupTrace::mark("window made");
    QObject::connect(&window, &CountdownWindow::closed, &target, &CountdownTarget::saveIfChanged);

    // When the countdown reaches its target, the widget asks for attention
    // and the desktop shows a notice; a click on it brings the widget forward.
    TargetArrival arrival(target);
    QObject::connect(&SecondTicker::instance(), &SecondTicker::ticked, &arrival, &TargetArrival::check);
    ArrivalNotice notice;
    QObject::connect(&arrival, &TargetArrival::arrived, &window, [&window, &notice, &target] {
        QApplication::alert(&window);
        notice.show(target.moment());
    });
    QObject::connect(&notice, &ArrivalNotice::activated, &window, &CountdownWindow::bringToFront);

    // The dialog is made on the first request and lives for the rest of the
    // run, through any number of closes and opens.
    std::unique_ptr<DetailsDialog> details;
    QObject::connect(&window, &CountdownWindow::detailsRequested, &window, [&target, &details, report] {
        if (!details) {
            details = std::make_unique<DetailsDialog>(target);
            QObject::connect(details.get(), &DetailsDialog::closed, &target,
                             &CountdownTarget::saveIfChanged);
            QObject::connect(details.get(), &DetailsDialog::autostartFailed, details.get(),
                             [report](const Autostart::Failure &failure) {
                                 qWarning("Taloran: the run-at-startup entry %s was not changed: %s",
                                          qPrintable(failure.location), qPrintable(failure.reason));
                                 report(showAutostartFailure, failure);
                             });
        }
        details->open();
    });

    // Ending the session or the process still closes the main window
    // through its normal path, so the target is written. An installer's
    // request to close ends it the same way.
    TerminationSignals termination;
    const auto end = [&ending] {
        ending = true;
        QApplication::closeAllWindows();
        QApplication::quit();
    };
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, end);

    // A later start asks for the widget: without arguments it comes to the
    // front, with them (as at logon) a widget on screen stays as it is.
    // Either way a widget closed while the dialog stays open comes back.
    QObject::connect(&instance, &SingleInstance::requestReceived, &window,
                     [&window, end](SingleInstance::Request request) {
                         switch (request) {
                         case SingleInstance::Request::Show:
                             window.bringToFront();
                             break;
                         case SingleInstance::Request::ShowMinimized:
                             window.reopen(true);
                             break;
                         case SingleInstance::Request::Close:
                             end();
                             break;
                         }
                     });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window, &ending] {
                         ending = true;
                         window.close();
                     });
    // A target that has not reached the store (its last write failed, and
    // the user was told) is tried once more at the end. Nothing waits for the
    // user then: a failure goes to the log.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &target, [&target, &ending] {
        ending = true;
        target.saveIfChanged();
    });

    window.start(arguments);
    StartupTrace::mark("window shown");
    return QApplication::exec();
}
