#pragma once

#include "countdown/DateValue.h"
#include "platform/RegionalSettings.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// Date values as text under the user's regional settings.
namespace DateText {

// One piece of a date/time format as Qt reads it: a run of one field letter
// ("yyyy", "t"), a quoted literal (quotes included), or the plain literal
// text between them.
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

// The general date text: the locale's short date with a four-digit year, a
// space, and the locale's long time without any time-zone field. A moment at
// exactly midnight is written as the date alone.
QString toString(const DateValue &value, const QLocale &locale = RegionalSettings::dateLocale());

// Reads a date text of at most 200 characters: whatever toString() writes
// under the same locale; the locale's own short date with a two-digit year,
// widened as the platform widens one (RegionalSettings::widenTwoDigitYear);
// and in every locale the fixed form "H:m[.s] Y/M/D" with ASCII digits (the
// stored default "00:00 2000/01/01", and what toString() writes where Qt
// cannot read the locale's own text back) and the ISO 8601 forms
// "2030-03-04", "2030-03-04 14:30[:15]" and "2030-03-04T14:30[:15]". Nothing
// when the text names no moment in range.
std::optional<DateValue> fromString(const QString &text, const QLocale &locale = RegionalSettings::dateLocale());

// The general date text as the settings store keeps it: the text with the
// exact format it is written in and the name of the locale whose words and
// digits it uses, which together read it back whatever the settings are by
// then, custom formats included.
struct StoredText
{
    QString text;
    QString format;
    QString localeName;
    friend bool operator==(const StoredText &, const StoredText &) = default;
};
StoredText toStoredText(const DateValue &value, const QLocale &locale = RegionalSettings::dateLocale());

// Reads a stored text: in its format when that names the whole moment (a
// four-digit year, month, day, and hour and minute with a time), both are at
// most 200 characters, and the format still writes the text exactly (nobody
// has changed it since); otherwise as fromString() reads it, under the named
// locale first, so that "04/03/2030" from en_GB stays 4 March under en_US,
// then under `current`.
std::optional<DateValue> fromStoredText(const StoredText &stored,
                                        const QLocale &current = RegionalSettings::dateLocale());

} // namespace DateText
