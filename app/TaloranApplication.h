#pragma once

#include "app/ArrivalNotice.h"
#include "app/FailurePolicy.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "countdown/CountdownTarget.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CountdownWindow;
class DetailsDialog;
class TargetArrival;

// The application: one running copy per session, the target loaded before its
// two views are made, the views wired to it, and the target written when the
// widget or the dialog closes and once more at the end.
class TaloranApplication : public QObject
{
    Q_OBJECT
public:
    // `arguments`: the command line without the program; any argument at all
    // starts the widget minimized.
    explicit TaloranApplication(const QStringList &arguments, QObject *parent = nullptr);
    ~TaloranApplication() override;

    // Shows the widget and returns true, or hands the start over to the
    // running copy and returns false: the process then ends at once.
    bool start();

private:
    void openDetails();
    void answer(SingleInstance::Request request);

    QStringList m_arguments;
    SingleInstance m_instance;
    CountdownTarget m_target;
    FailurePolicy m_failures{m_target};
    TerminationSignals m_termination;
    std::unique_ptr<CountdownWindow> m_window;
    std::unique_ptr<DetailsDialog> m_details;
    std::unique_ptr<TargetArrival> m_arrival;
    ArrivalNotice m_notice;
};
