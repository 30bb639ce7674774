#pragma once

#include "countdown/DateValue.h"

#include <QObject>

// The desktop's notification that the target has arrived: "Taloran", the
// clock icon and the target as the details dialog's pickers show it. A click
// on it emits activated(). Where the desktop offers no notifications, nothing
// shows and nothing fails. On Linux it is a notification of the session
// bus's org.freedesktop.Notifications, the bus reached at the first notice
// only; on Windows a message from an icon in the notification area.
class ArrivalNotice : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Shows one notice that `target` has arrived, without waiting for it.
    void show(const DateValue &target);

    // "<date> <time> has arrived", in the pickers' formats.
    static QString text(const DateValue &target);

signals:
    void activated();
};
