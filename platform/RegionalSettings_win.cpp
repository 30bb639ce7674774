#include "platform/RegionalSettings.h"

#include <windows.h>

QLocale RegionalSettings::dateLocale()
{
    return QLocale::system();
}

int RegionalSettings::twoDigitYearMax()
{
    DWORD max = 0;
    if (GetCalendarInfoEx(LOCALE_NAME_USER_DEFAULT, CAL_GREGORIAN, nullptr,
                          CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &max)
        && max >= 99 && max <= 9999)
        return int(max);
    return 2049;
}
