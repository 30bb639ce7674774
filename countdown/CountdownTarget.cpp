#include "CountdownTarget.h"

#include "DateText.h"
#include "SettingsStore.h"

#include <QLocale>

namespace {
const QString section = QStringLiteral("General");
const QString key = QStringLiteral("Target");
// The name of the regional settings that wrote the text of "Target".
const QString localeKey = QStringLiteral("TargetLocale");
const QString defaultText = QStringLiteral("00:00 2000/01/01");
} // namespace

CountdownTarget::CountdownTarget(QObject *parent) : QObject(parent) {}

void CountdownTarget::setMoment(const DateValue &moment)
{
    m_moment = moment;
    m_changed = true;
    emit changed();
}

void CountdownTarget::load(const DateValue &now)
{
    // An absent or blank value is a first start; a text that cannot be read
    // counts as one too, but stays in the store.
    const QString stored = SettingsStore::value(section, key);
    std::optional<DateValue> read;
    if (!stored.trimmed().isEmpty())
        read = DateText::readWritten(stored, SettingsStore::value(section, localeKey));
    const bool unreadable = !stored.trimmed().isEmpty() && !read;
    DateValue target = read.value_or(*DateText::read(defaultText));
    m_changed = target < now && !unreadable;
    if (target < now)
        target = now;
    m_moment = target;
}

bool CountdownTarget::save()
{
    m_changed = false;
    const QLocale locale = QLocale::system();
    const QString what = tr("The countdown target could not be saved.");
    return SettingsStore::setValue(section, key, DateText::general(m_moment, locale), what)
        && SettingsStore::setValue(section, localeKey, locale.name(), what);
}

void CountdownTarget::saveIfChanged()
{
    if (m_changed)
        save();
}
