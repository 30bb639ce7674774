#include "platform/RegionalSettings.h"

QLocale RegionalSettings::dateLocale()
{
    for (const char *variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return QLocale(name);
    }
    return QLocale::c();
}

int RegionalSettings::twoDigitYearMax()
{
    return 2068;
}
