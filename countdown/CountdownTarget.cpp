#include "CountdownTarget.h"

#include "DateText.h"
#include "SettingsStore.h"

namespace {
const QString section = QStringLiteral("General");
const QString key = QStringLiteral("Target");
const QString defaultText = QStringLiteral("00:00 2000/01/01");
} // namespace

CountdownTarget::CountdownTarget(QObject *parent) : QObject(parent) {}

void CountdownTarget::setMoment(const DateValue &moment)
{
    m_moment = moment;
    emit changed();
}

void CountdownTarget::load(const DateValue &now)
{
    const QString stored = SettingsStore::getSetting(section, key, defaultText);
    DateValue target = DateText::read(stored).value_or(*DateText::read(defaultText));
    if (target < now)
        target = now;
    m_moment = target;
}

bool CountdownTarget::save()
{
    m_saved = m_moment;
    return SettingsStore::saveSetting(section, key, DateText::general(m_moment));
}

void CountdownTarget::saveIfChanged()
{
    if (m_saved != m_moment)
        save();
}
