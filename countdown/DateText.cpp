#include "DateText.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>

namespace {

// A date/time format split into what Qt reads from it: quoted literals (kept
// verbatim, quotes included), field runs such as "yyyy" or "t", and the plain
// literal text between them.
struct Piece
{
    enum Kind { Literal, Quoted, Field };
    Kind kind;
    QString text;
};

bool isFieldLetter(QChar c)
{
    static const QString letters = QStringLiteral("dMyhHmszaApPt");
    return letters.contains(c);
}

QList<Piece> splitFormat(const QString &format)
{
    QList<Piece> pieces;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = format.at(i);
        qsizetype j = i + 1;
        Piece::Kind kind = Piece::Literal;
        if (c == u'\'') {
            // A quoted run ends at the next single quote; '' inside it is a quote.
            kind = Piece::Quoted;
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
        } else if (isFieldLetter(c)) {
            kind = Piece::Field;
            while (j < n && format.at(j) == c)
                ++j;
        } else {
            while (j < n && format.at(j) != u'\'' && !isFieldLetter(format.at(j)))
                ++j;
        }
        pieces.append({kind, format.mid(i, j - i)});
        i = j;
    }
    return pieces;
}

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
// plain ASCII (the Ewe locale's "ŋdi"). Such time texts are not handed to it;
// they are written in the fixed form instead, which reads everywhere.
bool qtReadsTimeSafely(const QLocale &locale, const QString &timeFormat)
{
    const QList<Piece> pieces = splitFormat(timeFormat);
    const auto firstField = std::find_if(pieces.cbegin(), pieces.cend(),
                                         [](const Piece &p) { return p.kind == Piece::Field; });
    if (firstField == pieces.cend() || firstField->text.front() != u'A')
        return true;
    for (const QString &word : {locale.amText(), locale.pmText()}) {
        const bool ascii = std::all_of(word.cbegin(), word.cend(),
                                       [](QChar c) { return c.unicode() < 0x80; });
        if (!ascii && word.toUpper() != word)
            return false;
    }
    return true;
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

QString general(const DateValue &value, const QLocale &locale)
{
    // Built from the calendar fields alone, so no time zone (and no gap of a
    // daylight-saving change) can move the moment.
    const QDate date(value.year(), value.month(), value.day());
    QString text = locale.toString(date, shortDateFormat(locale));
    if (!value.isMidnight()) {
        const QTime time(value.hour(), value.minute(), value.second());
        text += u' ' + locale.toString(time, longTimeFormat(locale));
    }
    // Qt cannot read back what it writes in a few locales (some AM/PM words,
    // digits outside the basic plane); those get the fixed form, which reads
    // in every locale, so that a written text always gives back its moment.
    if (read(text, locale) != value) {
        text = QStringLiteral("%1:%2.%3 %4/%5/%6")
                   .arg(value.hour())
                   .arg(value.minute())
                   .arg(value.second())
                   .arg(value.year())
                   .arg(value.month())
                   .arg(value.day());
    }
    return text;
}

std::optional<DateValue> read(const QString &text, const QLocale &locale)
{
    const QString s = text.trimmed();
    // Anything this long is no date; it would only cost parse attempts.
    if (s.isEmpty() || s.size() > 200)
        return std::nullopt;
    if (auto value = readFixedForm(s))
        return value;
    if (auto value = readIsoForm(s))
        return value;

    const auto fromDateTime = [](QDate d, QTime t) {
        return DateValue::fromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    };
    const QString dateFormat = shortDateFormat(locale);
    if (const QDate date = locale.toDate(s, dateFormat); date.isValid())
        return fromDateTime(date, QTime(0, 0));

    // The date format may itself contain spaces: try each one as the split.
    const QString timeFormat = longTimeFormat(locale);
    if (!qtReadsTimeSafely(locale, timeFormat))
        return std::nullopt;
    for (qsizetype i = s.indexOf(u' '); i >= 0; i = s.indexOf(u' ', i + 1)) {
        const QDate date = locale.toDate(s.left(i), dateFormat);
        if (!date.isValid())
            continue;
        const QTime time = locale.toTime(s.mid(i + 1), timeFormat);
        if (time.isValid())
            return fromDateTime(date, time);
    }
    return std::nullopt;
}

std::optional<DateValue> readWritten(const QString &text, const QString &writerLocaleName,
                                     const QLocale &current)
{
    // The current settings are tried under their own, possibly customised,
    // formats; a name that Qt does not know as written is not guessed at.
    if (!writerLocaleName.isEmpty() && writerLocaleName != current.name()) {
        const QLocale writer(writerLocaleName);
        if (writer.name() == writerLocaleName) {
            if (auto value = read(text, writer))
                return value;
        }
    }
    return read(text, current);
}

} // namespace DateText
