#pragma once

#include "countdown/DateValue.h"
#include "platform/RegionalSettings.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// Date values as text under the user's regional settings.
namespace DateText {

// A run of one field letter ("yyyy"), a quoted literal (quotes included), or
// the plain text between them, as Qt reads a date/time format.
struct FormatPiece
{
    enum Kind { Literal, Quoted, Field };
    Kind kind;
    QString text;
};
QList<FormatPiece> splitFormat(const QString &format);

// The locale's short date format with the year widened to four digits; also
// what the date picker shows.
QString shortDateFormat(const QLocale &locale = RegionalSettings::dateLocale());

// The locale's long time format with every time-zone field removed.
QString longTimeFormat(const QLocale &locale = RegionalSettings::dateLocale());

// The locale's short date with a four-digit year, then its long time without
// a time zone; a moment at exactly midnight is the date alone.
QString toString(const DateValue &value, const QLocale &locale = RegionalSettings::dateLocale());

// Reads at most 200 characters: what toString() writes, the locale's short
// date with a two-digit year (widened as the platform does), and in every
// locale the fixed form "H:m[.s] Y/M/D" and ISO 8601 dates and times.
std::optional<DateValue> fromString(const QString &text, const QLocale &locale = RegionalSettings::dateLocale());

// The text as the settings store keeps it, with its exact format and locale,
// so that it reads back whatever the regional settings are by then.
struct StoredText
{
    QString text;
    QString format;
    QString localeName;
    friend bool operator==(const StoredText &, const StoredText &) = default;
};
StoredText toStoredText(const DateValue &value, const QLocale &locale = RegionalSettings::dateLocale());

// In its stored format when that names the whole moment, both are short and
// the format still writes the text exactly; otherwise as fromString() under
// the stored locale first (so "04/03/2030" from en_GB stays 4 March), then
// under `current`.
std::optional<DateValue> fromStoredText(const StoredText &stored,
                                        const QLocale &current = RegionalSettings::dateLocale());

} // namespace DateText
