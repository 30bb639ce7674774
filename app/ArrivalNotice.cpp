#include "app/ArrivalNotice.h"

#include "countdown/DateText.h"

#include <QDate>
#include <QLocale>
#include <QTime>

QString ArrivalNotice::text(const DateValue &target)
{
    const QLocale locale; // the pickers' own
    return tr("%1 %2 has arrived")
        .arg(locale.toString(QDate(target.year(), target.month(), target.day()),
                             DateText::shortDateFormat()),
             locale.toString(QTime(target.hour(), target.minute(), target.second()),
                             QStringLiteral("HH:mm:ss")));
}
