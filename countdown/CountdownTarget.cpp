#include "CountdownTarget.h"

#include "DateText.h"
#include "SettingsStore.h"

namespace {
const QString section = QStringLiteral("General");
const QString key = QStringLiteral("Target");
// Beside the text of "Target": the exact format it is written in and the name
// of the locale whose words and digits it uses. Earlier builds stored the
// name only, or nothing.
const QString formatKey = QStringLiteral("TargetFormat");
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
    const QString stored = SettingsStore::getSetting(section, key);
    std::optional<DateValue> read;
    if (!stored.trimmed().isEmpty())
        read = DateText::fromStoredText({stored, SettingsStore::getSetting(section, formatKey),
                                         SettingsStore::getSetting(section, localeKey)});
    m_keepStored = !stored.trimmed().isEmpty() && !read;
    DateValue target = read.value_or(*DateText::fromString(defaultText));
    if (target < now)
        target = now;
    m_moment = target;
}

bool CountdownTarget::save()
{
    m_saved = m_moment;
    if (m_keepStored)
        return true;
    const DateText::StoredText stored = DateText::toStoredText(m_moment);
    return SettingsStore::saveSetting(section, key, stored.text)
        && SettingsStore::saveSetting(section, formatKey, stored.format)
        && SettingsStore::saveSetting(section, localeKey, stored.localeName);
}

void CountdownTarget::saveIfChanged()
{
    if (m_saved != m_moment)
        save();
}
