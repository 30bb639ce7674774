#include "countdown/CountdownTarget.h"

#include "platform/SettingsStore.h"

namespace {
const QString section = QStringLiteral("General");
const QString key = QStringLiteral("Target");
// Beside the text: the exact format it is written in and the name of the
// locale whose words and digits it uses.
const QString formatKey = QStringLiteral("TargetFormat");
const QString localeKey = QStringLiteral("TargetLocale");
const QString defaultText = QStringLiteral("00:00 2000/01/01");

DateText::StoredText storedText()
{
    return {SettingsStore::value(section, key), SettingsStore::value(section, formatKey),
            SettingsStore::value(section, localeKey)};
}
} // namespace

CountdownTarget::CountdownTarget(QObject *parent) : QObject(parent) {}

void CountdownTarget::setMoment(const DateValue &moment)
{
    m_moment = moment;
    m_change = Change::Edited;
    emit changed();
}

void CountdownTarget::load(const DateValue &now)
{
    // An absent or blank value is a first start; a text that cannot be read
    // counts as one too, but stays in the store.
    m_loaded = storedText();
    const bool blank = m_loaded.text.trimmed().isEmpty();
    const std::optional<DateValue> read = blank ? std::nullopt : DateText::fromStoredText(m_loaded);
    DateValue target = read.value_or(*DateText::fromString(defaultText));
    m_change = target < now && (blank || read) ? Change::PulledUp : Change::None;
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
    if (written)
        m_change = Change::None;
    return written;
}

void CountdownTarget::saveIfChanged()
{
    if (m_change == Change::Edited || (m_change == Change::PulledUp && storedText() == m_loaded))
        save();
}
