#pragma once

#include "DateValue.h"

#include <QLocale>
#include <QString>

#include <optional>

// Date values as text under the user's regional settings.
namespace DateText {

// The general date text: the locale's short date with a four-digit year, a
// space, and the locale's long time without any time-zone field. A moment at
// exactly midnight is written as the date alone.
QString general(const DateValue &value, const QLocale &locale = QLocale::system());

// Reads a date text: whatever general() writes under the same locale, and in
// every locale the fixed form "H:m[.s] Y/M/D" with ASCII digits (the stored
// default "00:00 2000/01/01", and what general() writes where Qt cannot read
// the locale's own text back) and the ISO 8601 forms "2030-03-04",
// "2030-03-04 14:30[:15]" and "2030-03-04T14:30[:15]". Nothing when the text
// names no moment in range.
std::optional<DateValue> read(const QString &text, const QLocale &locale = QLocale::system());

// Reads a text that general() wrote under the locale named `writerLocaleName`
// (QLocale::name(), e.g. "de_DE"; empty when unknown): under that locale
// first, so that "04/03/2030" from en_GB stays 4 March under en_US, then
// under `current`.
std::optional<DateValue> readWritten(const QString &text, const QString &writerLocaleName,
                                     const QLocale &current = QLocale::system());

// The locale's short date format with the year widened to four digits; also
// what the date picker shows.
QString shortDateFormat(const QLocale &locale = QLocale::system());

// The locale's long time format with every time-zone field removed.
QString longTimeFormat(const QLocale &locale = QLocale::system());

} // namespace DateText
