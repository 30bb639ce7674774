#include "TargetDate.h"

#include "DateText.h"
#include "SettingsStore.h"

namespace {
const QString section = QStringLiteral("General");
const QString key = QStringLiteral("Target");
} // namespace

namespace TargetDate {

DateValue load(const DateValue &now)
{
    const QString stored = SettingsStore::getSetting(section, key, defaultText);
    DateValue target = DateText::read(stored).value_or(*DateText::read(defaultText));
    if (target < now)
        target = now;
    return target;
}

bool save(const DateValue &target)
{
    return SettingsStore::saveSetting(section, key, DateText::general(target));
}

} // namespace TargetDate
