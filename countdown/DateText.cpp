#include "countdown/DateText.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>

namespace {

using Piece = DateText::FormatPiece;
using DateText::splitFormat;

QString joinFormat(const QList<Piece> &pieces)
{
    QString format;
    for (const Piece &piece : pieces)
        format += piece.text;
    return format;
}

bool hasField(const QList<Piece> &pieces, QChar letter)
{
    return std::any_of(pieces.cbegin(), pieces.cend(), [letter](const Piece &p) {
        return p.kind == Piece::Field && p.text.front() == letter;
    });
}

// Anything longer is no date; it would only cost parse attempts.
constexpr qsizetype maxTextLength = 200;

// Whether `format` names the whole moment: a four-digit year, the month and
// the day of the month, and with any time field the hour and the minute. Qt
// reads a field a format lacks as that of 1900-01-01 00:00:00.
bool namesWholeMoment(const QString &format)
{
    bool year = false, month = false, day = false, hour = false, minute = false, time = false;
    for (const Piece &p : splitFormat(format)) {
        if (p.kind != Piece::Field)
            continue;
        switch (p.text.front().unicode()) {
        case 'y': year = year || p.text.size() == 4; break;
        case 'M': month = true; break;
        case 'd': day = day || p.text.size() <= 2; break; // "ddd" is the day's name
        case 'h': case 'H': hour = time = true; break;
        case 'm': minute = time = true; break;
        case 's': case 'z': case 'a': case 'A': case 'p': case 'P': time = true; break;
        }
    }
    return year && month && day && (!time || (hour && minute));
}

bool isSeparator(QChar c) { return c.isSpace() || c == u','; }

// Removes a time-zone field's surroundings: the separating blanks and commas
// on both sides and a pair of brackets enclosing it, e.g. " (t)" or " [t]".
void trimAroundRemovedField(QString &before, QString &after)
{
    const auto trim = [&] {
        while (!before.isEmpty() && isSeparator(before.back()))
            before.chop(1);
        while (!after.isEmpty() && isSeparator(after.front()))
            after.remove(0, 1);
    };
    trim();
    static const QString opening = QStringLiteral("([{"), closing = QStringLiteral(")]}");
    if (!before.isEmpty() && !after.isEmpty()) {
        const qsizetype kind = opening.indexOf(before.back());
        if (kind >= 0 && after.front() == closing.at(kind)) {
            before.chop(1);
            after.remove(0, 1);
            trim();
        }
    }
}

// Builds a moment from the fixed form "H:m[.s] Y/M/D" in ASCII digits, which
// the stored default and the date picker use whatever the regional settings.
std::optional<DateValue> readFixedForm(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(
        "^([0-9]{1,2}):([0-9]{1,2})(?:\\.([0-9]{1,2}))? +([0-9]{1,4})/([0-9]{1,2})/([0-9]{1,2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const auto number = [&m](int group) { return m.captured(group).toInt(); };
    return DateValue::fromParts(number(4), number(5), number(6), number(1), number(2), number(3));
}

// Builds a moment from an ISO 8601 date, alone or with a time of day after a
// "T" or a space: "2030-03-04", "2030-03-04 14:30", "2030-03-04T14:30:15".
// A text that names a zone or a fraction of a second is not read: it would
// spell a different moment or more than the target holds.
std::optional<DateValue> readIsoForm(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(
        "^([0-9]{4})-([0-9]{2})-([0-9]{2})(?:[T ]([0-9]{2}):([0-9]{2})(?::([0-9]{2}))?)?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const auto number = [&m](int group) { return m.captured(group).toInt(); };
    return DateValue::fromParts(number(1), number(2), number(3), number(4), number(5), number(6));
}

// Qt 6.4's parser reads past the end of a string when it matches a leading
// upper-case AM/PM field whose words change under upper-casing and are not
// plain ASCII (the Ewe locale's "ŋdi"). Such time formats are not handed to
// it; their texts are written in the fixed form instead, which reads
// everywhere. A format from elsewhere (the store) is held to the same words
// wherever its AM/PM field is.
bool qtReadsSafely(const QLocale &locale, const QString &format, bool onlyLeading)
{
    const QList<Piece> pieces = splitFormat(format);
    const auto isAmPm = [](const Piece &p) { return p.kind == Piece::Field && p.text.front() == u'A'; };
    const auto firstField = std::find_if(pieces.cbegin(), pieces.cend(),
                                         [](const Piece &p) { return p.kind == Piece::Field; });
    if (onlyLeading ? (firstField == pieces.cend() || !isAmPm(*firstField))
                    : std::none_of(pieces.cbegin(), pieces.cend(), isAmPm))
        return true;
    for (const QString &word : {locale.amText(), locale.pmText()}) {
        const bool ascii = std::all_of(word.cbegin(), word.cend(),
                                       [](QChar c) { return c.unicode() < 0x80; });
        if (!ascii && word.toUpper() != word)
            return false;
    }
    return true;
}

// The fixed form as a format, written with ASCII digits.
const QString fixedFormat = QStringLiteral("H:m.s yyyy/M/d");

// Written as UTC, which has no daylight-saving gaps: no format here has a
// zone field, so the text is the wall time as it is.
QString render(const DateValue &value, const QString &format, const QLocale &locale)
{
    const QDateTime moment(QDate(value.year(), value.month(), value.day()),
                           QTime(value.hour(), value.minute(), value.second()), Qt::UTC);
    return locale.toString(moment, format);
}

// Reads a text in `format`: a date, or a date, a space and a time. The date
// and the time are read apart, so that neither a daylight-saving gap nor the
// date's fields can refuse the time; each space that parts the format's date
// fields from its time fields is tried against each space of the text.
std::optional<DateValue> readInFormat(const QString &text, const QString &format,
                                      const QLocale &locale)
{
    static const QString timeLetters = QStringLiteral("hHmsaApPt");
    const QList<Piece> pieces = splitFormat(format);
    const auto isTime = [](const Piece &p) {
        return p.kind == Piece::Field && timeLetters.contains(p.text.front());
    };
    const auto fromParts = [](QDate d, QTime t) {
        return DateValue::fromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    };
    const auto firstTime = std::find_if(pieces.cbegin(), pieces.cend(), isTime);
    if (firstTime == pieces.cend()) {
        const QDate date = locale.toDate(text, format);
        return date.isValid() ? fromParts(date, QTime(0, 0)) : std::nullopt;
    }
    qsizetype offset = 0;
    for (auto piece = pieces.cbegin(); piece != firstTime; offset += piece->text.size(), ++piece) {
        if (piece->kind != Piece::Literal || std::any_of(piece + 1, pieces.cend(), [&](const Piece &p) {
                return p.kind == Piece::Field && !isTime(p);
            }))
            continue;
        for (qsizetype f = piece->text.indexOf(u' '); f >= 0; f = piece->text.indexOf(u' ', f + 1)) {
            const QString dateFormat = format.left(offset + f);
            const QString timeFormat = format.mid(offset + f + 1);
            for (qsizetype i = text.indexOf(u' '); i >= 0; i = text.indexOf(u' ', i + 1)) {
                const QDate date = locale.toDate(text.left(i), dateFormat);
                if (!date.isValid())
                    continue;
                const QTime time = locale.toTime(text.mid(i + 1), timeFormat);
                if (time.isValid())
                    return fromParts(date, time);
            }
        }
    }
    return std::nullopt;
}

// The general date text in the formats of `formats` and the words and
// digits of `words`; the fixed form where Qt cannot read that text back (some
// AM/PM words, digits outside the basic plane), so that a written text always
// gives back its moment.
DateText::StoredText write(const DateValue &value, const QLocale &formats, const QLocale &words)
{
    QString format = DateText::shortDateFormat(formats);
    bool safe = true;
    if (!value.isMidnight()) {
        const QString timeFormat = DateText::longTimeFormat(formats);
        safe = qtReadsSafely(words, timeFormat, true);
        format += u' ' + timeFormat;
    }
    const QString text = render(value, format, words);
    if (safe && readInFormat(text, format, words) == value)
        return {text, format, words.name()};
    return {render(value, fixedFormat, QLocale::c()), fixedFormat, QLocale::c().name()};
}

} // namespace

namespace DateText {

QString shortDateFormat(const QLocale &locale)
{
    QList<Piece> pieces = splitFormat(locale.dateFormat(QLocale::ShortFormat));
    if (!hasField(pieces, u'y') || !hasField(pieces, u'M') || !hasField(pieces, u'd'))
        return QStringLiteral("yyyy-MM-dd");
    for (Piece &piece : pieces) {
        if (piece.kind == Piece::Field && piece.text.front() == u'y')
            piece.text = QStringLiteral("yyyy");
    }
    return joinFormat(pieces);
}

QString longTimeFormat(const QLocale &locale)
{
    QList<Piece> pieces = splitFormat(locale.timeFormat(QLocale::LongFormat));
    for (qsizetype i = 0; i < pieces.size();) {
        if (pieces[i].kind != Piece::Field || pieces[i].text.front() != u't') {
            ++i;
            continue;
        }
        pieces.removeAt(i);
        // Make sure there is a literal on each side of the gap to trim.
        if (i == 0 || pieces[i - 1].kind != Piece::Literal)
            pieces.insert(i++, {Piece::Literal, QString()});
        if (i == pieces.size() || pieces[i].kind != Piece::Literal)
            pieces.insert(i, {Piece::Literal, QString()});
        Piece &before = pieces[i - 1];
        Piece &after = pieces[i];
        const bool hadSeparator = !before.text.isEmpty() || !after.text.isEmpty();
        trimAroundRemovedField(before.text, after.text);
        // A zone between two other fields still leaves them apart.
        if (hadSeparator && before.text.isEmpty() && after.text.isEmpty() && i - 1 > 0
            && i + 1 < pieces.size())
            after.text = QStringLiteral(" ");
    }
    QString format = joinFormat(pieces).trimmed();
    pieces = splitFormat(format);
    if (!(hasField(pieces, u'H') || hasField(pieces, u'h')) || !hasField(pieces, u'm')
        || !hasField(pieces, u's'))
        return QStringLiteral("HH:mm:ss");
    return format;
}

QList<FormatPiece> splitFormat(const QString &format)
{
    static const QString fieldLetters = QStringLiteral("dMyhHmszaApPt");
    QList<FormatPiece> pieces;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = format.at(i);
        qsizetype j = i + 1;
        FormatPiece::Kind kind = FormatPiece::Literal;
        if (c == u'\'') {
            // A quoted run ends at the next single quote; '' inside it is a quote.
            kind = FormatPiece::Quoted;
            while (j < n) {
                if (format.at(j) == u'\'') {
                    if (j + 1 < n && format.at(j + 1) == u'\'') {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
        } else if (fieldLetters.contains(c)) {
            kind = FormatPiece::Field;
            while (j < n && format.at(j) == c)
                ++j;
        } else {
            while (j < n && format.at(j) != u'\'' && !fieldLetters.contains(format.at(j)))
                ++j;
        }
        pieces.append({kind, format.mid(i, j - i)});
        i = j;
    }
    return pieces;
}

QString toString(const DateValue &value, const QLocale &locale)
{
    return write(value, locale, locale).text;
}

StoredText toStoredText(const DateValue &value, const QLocale &locale)
{
    // The words and digits of the locale's name, which a reader can rebuild
    // from the name; the user's own settings can change those of the system
    // locale.
    return write(value, locale, QLocale(locale.name()));
}

std::optional<DateValue> fromString(const QString &text, const QLocale &locale)
{
    const QString s = text.trimmed();
    if (s.isEmpty() || s.size() > maxTextLength)
        return std::nullopt;
    if (auto value = readFixedForm(s))
        return value;
    if (auto value = readIsoForm(s))
        return value;
    const QString timeFormat = longTimeFormat(locale);
    const bool timeReadsSafely = qtReadsSafely(locale, timeFormat, true);
    const auto readDated = [&](const QString &dateFormat) -> std::optional<DateValue> {
        if (auto value = readInFormat(s, dateFormat, locale))
            return value;
        if (!timeReadsSafely)
            return std::nullopt;
        return readInFormat(s, dateFormat + u' ' + timeFormat, locale);
    };
    if (auto value = readDated(shortDateFormat(locale)))
        return value;

    // The locale's own short date with its two-digit year, as other programs
    // write it: Qt reads the year as 19yy, the platform as its hundred years.
    const QString ownFormat = locale.dateFormat(QLocale::ShortFormat);
    const QList<Piece> pieces = splitFormat(ownFormat);
    const bool twoDigitYear = std::any_of(pieces.cbegin(), pieces.cend(), [](const Piece &p) {
        return p.kind == Piece::Field && p.text == QLatin1String("yy");
    });
    if (!twoDigitYear || !hasField(pieces, u'M') || !hasField(pieces, u'd'))
        return std::nullopt;
    const auto value = readDated(ownFormat);
    if (!value)
        return std::nullopt;
    return DateValue::fromParts(RegionalSettings::widenTwoDigitYear(value->year() % 100), value->month(),
                                value->day(), value->hour(), value->minute(), value->second());
}

std::optional<DateValue> fromStoredText(const StoredText &stored, const QLocale &current)
{
    const QLocale writer(stored.localeName);
    const bool known = !stored.localeName.isEmpty() && writer.name() == stored.localeName;
    if (known && stored.text.size() <= maxTextLength && stored.format.size() <= maxTextLength
        && namesWholeMoment(stored.format) && qtReadsSafely(writer, stored.format, false)) {
        const auto value = readInFormat(stored.text, stored.format, writer);
        if (value && render(*value, stored.format, writer) == stored.text)
            return value;
    }
    // The current settings are tried under their own, possibly customised,
    // formats; a name that Qt does not know as written is not guessed at.
    if (known && stored.localeName != current.name()) {
        if (auto value = fromString(stored.text, writer))
            return value;
    }
    return fromString(stored.text, current);
}

} // namespace DateText
