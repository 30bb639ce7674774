#include "app/TaloranApplication.h"

#include "app/StartupTrace.h"
#include "autostart/Autostart.h"
#include "countdown/TargetArrival.h"
#include "details_dialog/DetailsDialog.h"
#include "main_window/CountdownWindow.h"
#include "platform/LocalClock.h"
#include "platform/SecondTicker.h"

#include <QApplication>

TaloranApplication::TaloranApplication(const QStringList &arguments, QObject *parent)
    : QObject(parent), m_arguments(arguments)
{
}

TaloranApplication::~TaloranApplication() = default;

bool TaloranApplication::start()
{
    if (!m_instance.claim(m_arguments.isEmpty() ? SingleInstance::Request::Show
                                                : SingleInstance::Request::ShowMinimized))
        return false;

    m_target.load(DateValue(LocalClock::now()));
    // The window observes the target first, so that after a picker edit its
    // labels and caption are refreshed before the dialog's totals.
    m_window = std::make_unique<CountdownWindow>(m_target);
    StartupTrace::mark("window made");
    connect(m_window.get(), &CountdownWindow::closed, &m_target, &CountdownTarget::saveIfChanged);
    connect(m_window.get(), &CountdownWindow::detailsRequested, this, &TaloranApplication::openDetails);
    connect(&m_instance, &SingleInstance::requestReceived, this, &TaloranApplication::answer);

    // At the target the widget asks for attention and the desktop shows a
    // notice, whose click brings the widget forward.
    m_arrival = std::make_unique<TargetArrival>(m_target);
    connect(&SecondTicker::instance(), &SecondTicker::ticked, m_arrival.get(), &TargetArrival::check);
    connect(m_arrival.get(), &TargetArrival::arrived, this, [this] {
        QApplication::alert(m_window.get());
        m_notice.show(m_target.moment());
    });
    connect(&m_notice, &ArrivalNotice::activated, m_window.get(), &CountdownWindow::bringToFront);

    // The session's end, a termination signal or an installer's request
    // closes the widget through its normal path, so the target is written.
    connect(&m_termination, &TerminationSignals::terminationRequested, &m_failures, &FailurePolicy::end);
    connect(qApp, &QGuiApplication::commitDataRequest, m_window.get(), [this] {
        m_failures.beginEnding();
        m_window->close();
    });
    connect(qApp, &QCoreApplication::aboutToQuit, &m_failures, &FailurePolicy::finish);

    m_window->start(m_arguments);
    StartupTrace::mark("window shown");
    return true;
}

void TaloranApplication::openDetails()
{
    // Made on the first request, it lives for the rest of the run.
    if (!m_details) {
        m_details = std::make_unique<DetailsDialog>(m_target);
        connect(m_details.get(), &DetailsDialog::finished, &m_target, &CountdownTarget::saveIfChanged);
        connect(m_details.get(), &DetailsDialog::autostartFailed, this,
                [this](const Autostart::Failure &failure) {
                    qWarning("Taloran: the run-at-startup entry %s was not changed: %s",
                             qPrintable(failure.location), qPrintable(failure.reason));
                    m_failures.report(tr("Taloran: run at startup not changed"), failure.message());
                });
    }
    m_details->showAndActivate();
}

void TaloranApplication::answer(SingleInstance::Request request)
{
    // Without arguments a later start brings the widget to the front; with
    // them (as at logon) a widget on screen stays as it is. Either way a
    // widget closed while the dialog stays open comes back.
    switch (request) {
    case SingleInstance::Request::Show:
        m_window->bringToFront();
        break;
    case SingleInstance::Request::ShowMinimized:
        m_window->reopen(true);
        break;
    case SingleInstance::Request::Close:
        m_failures.end();
        break;
    }
}
