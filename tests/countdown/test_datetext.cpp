#include "countdown/DateText.h"
#include "support/TestSupport.h"
#include "support/TestMain.h"

#include <QDateTime>
#include <QTimeZone>

using namespace std::chrono;

namespace {

QString iso(const DateValue &v)
{
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(v.year(), 4, 10, QChar('0'))
        .arg(v.month(), 2, 10, QChar('0'))
        .arg(v.day(), 2, 10, QChar('0'))
        .arg(v.hour(), 2, 10, QChar('0'))
        .arg(v.minute(), 2, 10, QChar('0'))
        .arg(v.second(), 2, 10, QChar('0'));
}

QString describe(const std::optional<DateValue> &v)
{
    return v ? iso(*v) : QStringLiteral("nothing");
}

// Locales whose regional formats differ in the ways that matter here: two- and
// four-digit years, day/month order, spaces and quoted literals inside the
// date, AM/PM markers before or after the time, native digits, and time-zone
// fields at either end, in brackets or after a comma.
const QStringList localeNames{
    QStringLiteral("en_US"), QStringLiteral("en_GB"), QStringLiteral("de_DE"),
    QStringLiteral("fr_FR"), QStringLiteral("ja_JP"), QStringLiteral("ar_EG"),
    QStringLiteral("hi_IN"), QStringLiteral("ru_RU"), QStringLiteral("ko_KR"),
    QStringLiteral("zh_CN"), QStringLiteral("zh_TW"), QStringLiteral("fa_IR"),
    QStringLiteral("bg_BG"), QStringLiteral("es_ES"), QStringLiteral("el_GR"),
    QStringLiteral("sq_AL"), QStringLiteral("my_MM"), QStringLiteral("fi_FI"),
    QStringLiteral("hu_HU"), QStringLiteral("th_TH"), QStringLiteral("mr_IN"),
    QStringLiteral("am_ET"), QStringLiteral("C"),
};

void addLocaleRows()
{
    QTest::addColumn<QString>("localeName");
    for (const QString &name : localeNames)
        QTest::newRow(qPrintable(name)) << name;
}

// Moments that stress the formats: range edges, midnight, noon and the hours
// either side of the AM/PM switch, a leap day, and wall times that fall in or
// next to daylight-saving changes of the zones the test is run in (Central
// Europe, US Eastern, Cairo, Sao Paulo and Tehran, some of which change at
// midnight).
QList<DateValue> notableMoments()
{
    return {
        at(100, 1, 1),
        at(100, 1, 1, 0, 0, 1),
        at(999, 12, 31, 23, 59, 59),
        at(1000, 1, 1, 12),
        at(1899, 12, 31, 12, 0, 1),
        at(1969, 12, 31, 23, 59, 59),
        at(2000, 1, 1),
        at(2000, 1, 1, 0, 0, 1),
        at(2000, 1, 1, 0, 34, 56),
        at(2000, 1, 1, 11, 59, 59),
        at(2000, 1, 1, 12),
        at(2000, 1, 1, 12, 34, 56),
        at(2000, 1, 1, 13, 5, 7),
        at(2000, 1, 1, 23, 59, 59),
        at(2007, 3, 25, 8),
        at(2024, 2, 29),
        at(2024, 2, 29, 13, 5, 7),
        at(2024, 3, 4, 9, 5, 7),
        at(2024, 3, 10, 2, 30),
        at(2024, 3, 31, 2, 30),
        at(2024, 10, 27, 2, 30),
        at(2024, 11, 3, 1, 30),
        at(2024, 4, 26),
        at(2024, 4, 26, 0, 30),
        at(2018, 11, 4),
        at(2018, 11, 4, 0, 30),
        at(2022, 3, 22),
        at(2022, 3, 22, 0, 30),
        at(2096, 11, 25, 11, 13, 39),
        at(9999, 12, 31),
        at(9999, 12, 31, 23, 59, 59),
    };
}


} // namespace

class TestDateText : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data() { addLocaleRows(); }
    void roundTrip();
    void everyLocaleRoundTrips();
    void roundTripUnderSystemLocale();
    void generalText_data() { addLocaleRows(); }
    void generalText();
    void formats_data();
    void formats();
    void midnightIsDateAlone_data() { addLocaleRows(); }
    void midnightIsDateAlone();
    void fixedForm_data();
    void fixedForm();
    void twoDigitYears_data();
    void twoDigitYears();
    void rejected_data();
    void rejected();
    void arbitraryTextIsHandled();
    void readsUnderTheWriterLocale_data();
    void readsUnderTheWriterLocale();
    void storedTextReadsInItsFormat_data();
    void storedTextReadsInItsFormat();
};

void TestDateText::roundTrip()
{
    QFETCH(QString, localeName);
    const QLocale locale(localeName);
    const QList<DateValue> moments = notableMoments() + spreadMoments(300, 0x2545F4914F6CDD1Dull);
    for (const DateValue &v : moments) {
        const QString text = DateText::toString(v, locale);
        const auto back = DateText::fromString(text, locale);
        QVERIFY2(back == v, qPrintable(QStringLiteral("%1 written as \"%2\" reads as %3")
                                           .arg(iso(v), text, describe(back))));
        // Written in the locale's own form, not the fixed fallback form.
        const QString date = locale.toString(QDate(v.year(), v.month(), v.day()),
                                             DateText::shortDateFormat(locale));
        QVERIFY2(text.startsWith(date), qPrintable(text));
    }
}

// Whatever the regional settings, a written text reads back; where Qt cannot
// read its own text the fixed form is written instead.
void TestDateText::everyLocaleRoundTrips()
{
    const QList<DateValue> moments{at(100, 1, 2, 0, 0, 1), at(2024, 2, 29), at(2024, 2, 29, 12, 30, 5),
                                   at(1987, 7, 13, 1, 2, 3), at(9999, 12, 31, 23, 59, 59)};
    const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                  QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        for (const DateValue &v : moments) {
            const QString text = DateText::toString(v, locale);
            const auto back = DateText::fromString(text, locale);
            QVERIFY2(back == v, qPrintable(QStringLiteral("%1: %2 written as \"%3\" reads as %4")
                                               .arg(locale.bcp47Name(), iso(v), text, describe(back))));
        }
    }
    // Ewe's leading upper-case morning word makes Qt's parser read out of
    // bounds: its times are written and read in the fixed form only.
    const QLocale ewe(QStringLiteral("ee_GH"));
    QCOMPARE(DateText::toString(at(2024, 3, 4, 13, 5, 7), ewe), QStringLiteral("13:5.7 2024/3/4"));
    QCOMPARE(DateText::fromString(QStringLiteral("13:5.7 2024/3/4"), ewe), at(2024, 3, 4, 13, 5, 7));

    // A locale whose morning word Qt does not read back (checked first, so that
    // a Qt that learns to read it does not fail this test).
    const QLocale bodo(QStringLiteral("brx"));
    const QString format = DateText::longTimeFormat(bodo);
    if (bodo.toTime(bodo.toString(QTime(1, 2, 3), format), format).isValid())
        QSKIP("This Qt reads the Bodo morning word");
    QCOMPARE(DateText::toString(at(2024, 3, 4, 1, 2, 3), bodo), QStringLiteral("1:2.3 2024/3/4"));
    QCOMPARE(DateText::toString(at(2024, 3, 4, 13, 2, 3), bodo).left(10), QStringLiteral("2024-03-04"));
    QCOMPARE(DateText::toString(at(2024, 3, 4), bodo), QStringLiteral("2024-03-04"));
}

void TestDateText::roundTripUnderSystemLocale()
{
    for (const DateValue &v : notableMoments())
        QCOMPARE(describe(DateText::fromString(DateText::toString(v))), iso(v));
}

void TestDateText::generalText()
{
    QFETCH(QString, localeName);
    const QLocale locale(localeName);

    // The years that two digits would lose or confuse are written in full, in
    // the locale's own digits.
    for (const int year : {100, 1999, 2024, 9999}) {
        const QString text = DateText::toString(at(year, 3, 4, 13, 5, 7), locale);
        const QString fullYear = locale.toString(QDate(year, 1, 1), QStringLiteral("yyyy"));
        QVERIFY2(text.contains(fullYear), qPrintable(text + " lacks " + fullYear));
    }

    // No time-zone name of the zone the test runs in, winter or summer, and
    // nothing left over from where one was.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    QStringList zoneNames{QStringLiteral("UTC"), QStringLiteral("GMT")};
    for (const QDateTime &when : {QDateTime(QDate(2024, 1, 15), QTime(12, 0)),
                                  QDateTime(QDate(2024, 7, 15), QTime(12, 0))}) {
        zoneNames << zone.abbreviation(when) << zone.displayName(when, QTimeZone::ShortName, locale);
    }
    for (const DateValue &v : {at(2024, 1, 15, 13, 5, 7), at(2024, 7, 15, 0, 30), at(2024, 7, 15, 12)}) {
        const QString text = DateText::toString(v, locale);
        for (const QString &name : std::as_const(zoneNames)) {
            if (!name.isEmpty())
                QVERIFY2(!text.contains(name), qPrintable(text + " names the zone " + name));
        }
        for (const char *leftover : {"()", "[]", "  "})
            QVERIFY2(!text.contains(QLatin1String(leftover)), qPrintable(text));
        QVERIFY2(!text.back().isSpace() && text.back() != u',', qPrintable(text));
        QCOMPARE(text.trimmed(), text);
    }
}

void TestDateText::formats_data()
{
    // The raw formats are those of the locale data this was written against;
    // a row is skipped when the installed data differs.
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("rawDate");
    QTest::addColumn<QString>("rawTime");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");

    QTest::newRow("en_US two-digit year, AM/PM")
        << "en_US" << "M/d/yy" << "h:mm:ss AP t" << "M/d/yyyy" << "h:mm:ss AP";
    QTest::newRow("en_GB four-digit year stays")
        << "en_GB" << "dd/MM/yyyy" << "HH:mm:ss t" << "dd/MM/yyyy" << "HH:mm:ss";
    QTest::newRow("de_DE") << "de_DE" << "dd.MM.yy" << "HH:mm:ss t" << "dd.MM.yyyy" << "HH:mm:ss";
    QTest::newRow("hi_IN") << "hi_IN" << "d/M/yy" << "h:mm:ss AP t" << "d/M/yyyy" << "h:mm:ss AP";
    QTest::newRow("ko_KR spaces in date, AM/PM first")
        << "ko_KR" << "yy. M. d." << "AP h시 m분 s초 t" << "yyyy. M. d." << "AP h시 m분 s초";
    QTest::newRow("zh_CN zone first") << "zh_CN" << "yyyy/M/d" << "t HH:mm:ss" << "yyyy/M/d" << "HH:mm:ss";
    QTest::newRow("fa_IR zone in parentheses")
        << "fa_IR" << "yyyy/M/d" << "H:mm:ss (t)" << "yyyy/M/d" << "H:mm:ss";
    QTest::newRow("zh_TW zone in brackets")
        << "zh_TW" << "yyyy/M/d" << "Bh:mm:ss [t]" << "yyyy/M/d" << "Bh:mm:ss";
    QTest::newRow("bg_BG quoted literals")
        << "bg_BG" << "d.MM.yy 'г'." << "H:mm:ss 'ч'. t" << "d.MM.yyyy 'г'." << "H:mm:ss 'ч'.";
    QTest::newRow("fr_CA letters inside quotes")
        << "fr_CA" << "yyyy-MM-dd" << "HH 'h' mm 'min' ss 's' t" << "yyyy-MM-dd" << "HH 'h' mm 'min' ss 's'";
    QTest::newRow("nn_NO quoted literal first")
        << "nn_NO" << "dd.MM.yyyy" << "'kl'. HH:mm:ss t" << "dd.MM.yyyy" << "'kl'. HH:mm:ss";
    QTest::newRow("sq_AL zone after a comma")
        << "sq_AL" << "d.M.yy" << "h:mm:ss AP, t" << "d.M.yyyy" << "h:mm:ss AP";
}

void TestDateText::formats()
{
    QFETCH(QString, localeName);
    QFETCH(QString, rawDate);
    QFETCH(QString, rawTime);
    QFETCH(QString, date);
    QFETCH(QString, time);
    const QLocale locale(localeName);
    if (locale.dateFormat(QLocale::ShortFormat) != rawDate || locale.timeFormat(QLocale::LongFormat) != rawTime)
        QSKIP("The installed locale data has other formats for this locale");
    QCOMPARE(DateText::shortDateFormat(locale), date);
    QCOMPARE(DateText::longTimeFormat(locale), time);
}

void TestDateText::midnightIsDateAlone()
{
    QFETCH(QString, localeName);
    const QLocale locale(localeName);
    for (const DateValue &v : {at(2024, 2, 29), at(100, 1, 1), at(9999, 12, 31), at(2024, 4, 26)}) {
        const QString text = DateText::toString(v, locale);
        QCOMPARE(text, locale.toString(QDate(v.year(), v.month(), v.day()), DateText::shortDateFormat(locale)));
        QCOMPARE(describe(DateText::fromString(text, locale)), iso(v));
    }
    // One second later the time is written too.
    const QString text = DateText::toString(at(2024, 2, 29, 0, 0, 1), locale);
    QVERIFY(text.size() > DateText::toString(at(2024, 2, 29), locale).size());
}

void TestDateText::fixedForm_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QList<std::pair<QString, QString>> forms{
        {"00:00 2000/01/01", "2000-01-01 00:00:00"},
        {"9:5.7 2024/3/4", "2024-03-04 09:05:07"},
        {"23:59.59 2024/12/31", "2024-12-31 23:59:59"},
        {"0:0.0 2025/1/1", "2025-01-01 00:00:00"},
        {"12:0.0 2024/2/29", "2024-02-29 12:00:00"},
        {"2:30.0 2024/3/31", "2024-03-31 02:30:00"},
        {"0:0.0 100/1/1", "0100-01-01 00:00:00"},
        {"23:59.59 9999/12/31", "9999-12-31 23:59:59"},
        {"  9:5.7 2024/3/4\n", "2024-03-04 09:05:07"},
        // ISO 8601, as people write a date by hand.
        {"2030-03-04 14:30:15", "2030-03-04 14:30:15"},
        {"2030-03-04T14:30:15", "2030-03-04 14:30:15"},
        {"2030-03-04 14:30", "2030-03-04 14:30:00"},
        {"2030-03-04", "2030-03-04 00:00:00"},
    };
    for (const QString &name : localeNames) {
        for (const auto &[text, expected] : forms)
            QTest::addRow("%s %s", qPrintable(name), qPrintable(text.trimmed())) << name << text << expected;
    }
}

void TestDateText::fixedForm()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(DateText::fromString(text, QLocale(localeName))), expected);
}

void TestDateText::readsUnderTheWriterLocale_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("reader");
    QTest::addColumn<DateValue>("moment");
    const QStringList names{"en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "ar_EG", "C"};
    for (const QString &writer : names) {
        for (const QString &reader : names) {
            // A midnight is the date alone, where day and month swap places.
            for (const DateValue &moment : {at(2030, 3, 4, 14, 30, 15), at(2030, 3, 4)})
                QTest::addRow("%s to %s %s", qPrintable(writer), qPrintable(reader),
                              qPrintable(iso(moment)))
                    << writer << reader << moment;
        }
    }
}

void TestDateText::readsUnderTheWriterLocale()
{
    QFETCH(QString, writer);
    QFETCH(QString, reader);
    QFETCH(DateValue, moment);
    const QLocale writerLocale(writer);
    const QString text = DateText::toString(moment, writerLocale);
    QCOMPARE(describe(DateText::fromStoredText({text, {}, writerLocale.name()}, QLocale(reader))),
             iso(moment));
    // A writer that names no locale Qt knows leaves the current one.
    if (writer == reader)
        QCOMPARE(describe(DateText::fromStoredText({text, {}, "xx_nonsense"}, QLocale(reader))), iso(moment));
}

void TestDateText::storedTextReadsInItsFormat_data()
{
    QTest::addColumn<QStringList>("stored"); // text, format, locale name
    QTest::addColumn<QString>("expected");
    // A short date the user made day first, under a locale whose own is
    // month first, then a text changed since it was written: by an earlier
    // build (month first, its locale's own) or by hand.
    QTest::newRow("custom short date") << QStringList{"03/04/2027 2:30:16 PM", "dd/MM/yyyy h:mm:ss AP", "en_US"}
                                       << "2027-04-03 14:30:16";
    QTest::newRow("system's own, not Qt's") << QStringList{"2027/4/3 14:30:16", "yyyy/M/d H:mm:ss", "ja_JP"}
                                            << "2027-04-03 14:30:16";
    QTest::newRow("custom, midnight") << QStringList{"2027-4-3", "yyyy-M-d", "de_DE"} << "2027-04-03 00:00:00";
    QTest::newRow("rewritten since") << QStringList{"3/2/2031", "dd/MM/yyyy", "en_US"} << "2031-03-02 00:00:00";
    QTest::newRow("edited by hand") << QStringList{"2030-03-04T14:30", "dd/MM/yyyy", "en_US"} << "2030-03-04 14:30:00";
    // A format that does not name the whole moment is not trusted (Qt would
    // read the missing fields as those of 1900-01-01 00:00), nor a text or
    // format too long to be a date's.
    QTest::newRow("format without the year") << QStringList{"1 Mar 13:00:00", "d MMM HH:mm:ss", "C"} << "nothing";
    QTest::newRow("format without the minute") << QStringList{"2030-03-04 14", "yyyy-MM-dd HH", "C"} << "nothing";
    QTest::newRow("day's name, not its number") << QStringList{"Mon 03/2031", "ddd MM/yyyy", "C"} << "nothing";
    QTest::newRow("two-digit year, read as text") << QStringList{"04.03.27 15:30:15", "dd.MM.yy HH:mm:ss", "de_DE"}
                                                  << "2027-03-04 15:30:15";
    const QString literal = QString(300, u'x');
    QTest::newRow("too long") << QStringList{literal + " 2030-03-04", "'" + literal + "' yyyy-MM-dd", "C"} << "nothing";
}

void TestDateText::storedTextReadsInItsFormat()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, expected);
    for (const QString &reader : QStringList{"en_US", "en_GB", "de_DE", "ja_JP", "ar_EG"}) {
        const DateText::StoredText text{stored[0], stored[1], stored[2]};
        QCOMPARE(describe(DateText::fromStoredText(text, QLocale(reader))), expected);
    }
    // Whatever wrote it reads back under any other settings.
    for (const QString &writer : localeNames) {
        for (const DateValue &v : {at(2030, 3, 4, 14, 30, 15), at(2030, 3, 4), at(2030, 3, 30, 2, 30)}) {
            const DateText::StoredText text = DateText::toStoredText(v, QLocale(writer));
            for (const QString &reader : QStringList{"en_US", "en_GB", "C"})
                QCOMPARE(describe(DateText::fromStoredText(text, QLocale(reader))), iso(v));
        }
    }
}

// Text in the locale's own short date with a two-digit year, as other
// programs write it, takes the year as the platform does.
void TestDateText::twoDigitYears_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<DateValue>("moment"); // its year as 19yy
    QTest::newRow("de_DE") << "de_DE" << "04.03.27 15:30:15" << at(1927, 3, 4, 15, 30, 15);
    QTest::newRow("de_DE, midnight") << "de_DE" << "04.03.27" << at(1927, 3, 4);
    QTest::newRow("en_US") << "en_US" << "3/4/27 3:30:15 PM" << at(1927, 3, 4, 15, 30, 15);
    QTest::newRow("50") << "de_DE" << "04.03.50" << at(1950, 3, 4);
    QTest::newRow("69") << "de_DE" << "04.03.69" << at(1969, 3, 4);
}

void TestDateText::twoDigitYears()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(DateValue, moment);
    const auto expected = DateValue::fromParts(RegionalSettings::widenTwoDigitYear(moment.year() % 100),
                                               moment.month(), moment.day(), moment.hour(),
                                               moment.minute(), moment.second());
    QCOMPARE(describe(DateText::fromString(text, QLocale(localeName))), describe(expected));
    QCOMPARE(describe(DateText::fromStoredText({text, {}, {}}, QLocale(localeName))), describe(expected));
}

void TestDateText::rejected_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");

    const QStringList texts{
        "", "   ", "garbage", "00:00", "2000/01/01 00:00", "00:00 2000/01/01 x",
        "24:00 2000/01/01", "0:60 2000/1/1", "0:0.60 2000/1/1", "-1:0 2000/1/1",
        "0:0 2023/2/29", "0:0 2024/2/30", "0:0 2000/13/1", "0:0 2000/0/1", "0:0 2000/1/0",
        "0:0 2000/1/32", "0:0 99/12/31", "0:0 0/1/1", "0:0 10000/1/1",
        "0:0 2000-01-01", "0:0.0.0 2000/1/1", "0:0 2000/1", "99999999999:0 2000/1/1",
        "2030-02-30", "2030-03-04 24:00:00", "2030-03-04T14:30:15Z", "2030-03-04 14:30:15+01:00",
        "2030-03-04T14:30:15.5", "2030-3-4 14:30", "0099-12-31",
    };
    for (const QString &name : localeNames) {
        for (const QString &text : texts)
            QTest::addRow("%s \"%s\"", qPrintable(name), qPrintable(text)) << name << text;

        // Texts in the locale's own form that name no moment in range.
        const QLocale locale(name);
        const QString dateFormat = DateText::shortDateFormat(locale);
        const QString timeFormat = DateText::longTimeFormat(locale);
        QTest::addRow("%s year 99", qPrintable(name))
            << name << locale.toString(QDate(99, 12, 31), dateFormat);
        QTest::addRow("%s year 10000", qPrintable(name))
            << name << locale.toString(QDate(10000, 1, 1), dateFormat) + ' '
                   + locale.toString(QTime(1, 2, 3), timeFormat);
        QTest::addRow("%s time alone", qPrintable(name)) << name << locale.toString(QTime(1, 2, 3), timeFormat);
        QTest::addRow("%s trailing text", qPrintable(name))
            << name << DateText::toString(at(2024, 3, 4, 13, 5, 7), locale) + " UTC+99";
    }
}

void TestDateText::rejected()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    const auto value = DateText::fromString(text, QLocale(localeName));
    QVERIFY2(!value, qPrintable(QStringLiteral("\"%1\" reads as %2").arg(text, describe(value))));
}

// Random texts made of the characters and pieces dates are made of: reading
// them must neither crash nor give a moment out of range.
void TestDateText::arbitraryTextIsHandled()
{
    quint64 state = 12345;
    const auto next = [&state](quint64 bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return qsizetype((state >> 33) % bound);
    };
    for (const QString &name : localeNames) {
        const QLocale locale(name);
        QStringList pieces{" ", ":", ".", "/", "-", "'", "0", "1", "2", "9", "12", "24", "60",
                           "2024", "10000", locale.amText(), locale.pmText(), QString(QChar(0x200F)),
                           locale.toString(12), locale.toString(2024), QString(QChar(0xD800))};
        pieces += DateText::toString(at(2024, 3, 4, 13, 5, 7), locale).split(u' ');
        for (int i = 0; i < 300; ++i) {
            QString text;
            for (qsizetype n = next(12); n > 0; --n)
                text += pieces[next(pieces.size())];
            const auto value = DateText::fromString(text, locale);
            QVERIFY2(!value || value->isInRange(), qPrintable(text));
        }
        QVERIFY(!DateText::fromString(QString(100000, u'1'), locale));
        QVERIFY(!DateText::fromString(QString(300, u' ') + "9:5.7 2024/3/4x", locale));
    }
}

TALORAN_TEST_MAIN(TestDateText)
#include "test_datetext.moc"
