#include "countdown/CountdownTarget.h"

#include "countdown/DateText.h"
#include "platform/SettingsStore.h"

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
        read = DateText::fromStoredText({stored, SettingsStore::value(section, formatKey),
                                         SettingsStore::value(section, localeKey)});
    const bool unreadable = !stored.trimmed().isEmpty() && !read;
    DateValue target = read.value_or(*DateText::fromString(defaultText));
    m_changed = target < now && !unreadable;
    if (target < now)
        target = now;
    m_moment = target;
}

bool CountdownTarget::save()
{
    const DateText::StoredText stored = DateText::toStoredText(m_moment);
    const QString what = tr("The countdown target could not be saved.");
    const bool written = SettingsStore::setValue(section, key, stored.text, what)
        && SettingsStore::setValue(section, formatKey, stored.format, what)
        && SettingsStore::setValue(section, localeKey, stored.localeName, what);
    // A target that did not reach the store is still to be written: the next
    // occasion (the widget's close, the end of the program) tries again.
    m_changed = !written;
    return written;
}

void CountdownTarget::saveIfChanged()
{
    if (m_changed)
        save();
}
