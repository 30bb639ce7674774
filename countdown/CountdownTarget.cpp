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
    m_keepStored = false;
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
    m_keepStored = !stored.trimmed().isEmpty() && !read;
    DateValue target = read.value_or(*DateText::read(defaultText));
    if (target < now)
        target = now;
    m_moment = target;
    // What the store holds now needs no writing until the target changes.
    m_saved = read;
}

bool CountdownTarget::save()
{
    m_saved = m_moment;
    if (m_keepStored)
        return true;
    const QLocale locale = QLocale::system();
    const QString what = tr("The countdown target could not be saved.");
    return SettingsStore::setValue(section, key, DateText::general(m_moment, locale), what)
        && SettingsStore::setValue(section, localeKey, locale.name(), what);
}

void CountdownTarget::saveIfChanged()
{
    if (m_saved != m_moment)
        save();
}
