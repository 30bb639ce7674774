// Reads arbitrary text as a date under one of a fixed set of locales. The
// first byte picks the locale, the rest is the text in UTF-8. Whatever is read
// must be a moment in range whose general text reads back to itself.

#include "countdown/DateText.h"

#include <QLocale>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Locales whose formats differ in what matters to reading: day/month order,
// two-digit years, spaces and quoted literals in the date, AM/PM words before
// or after the time, native digits and right-to-left scripts.
constexpr std::array kLocaleNames{
    "en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "ar_EG", "hi_IN", "ru_RU",
    "ko_KR", "zh_CN", "fa_IR", "bg_BG", "th_TH", "my_MM", "C",
};

const QLocale &localeFor(uint8_t selector)
{
    static const auto locales = [] {
        std::array<QLocale, kLocaleNames.size()> all;
        for (size_t i = 0; i < kLocaleNames.size(); ++i)
            all[i] = QLocale(QString::fromLatin1(kLocaleNames[i]));
        return all;
    }();
    return locales[selector % locales.size()];
}

[[noreturn]] void fail(const char *what, const QLocale &locale, const QString &text,
                       const QString &detail)
{
    std::fprintf(stderr, "fuzz_date_text: %s\n  locale: %s\n  text:   \"%s\"\n  %s\n", what,
                 qPrintable(locale.name()), text.toUtf8().constData(),
                 detail.toUtf8().constData());
    std::abort();
}

QString describe(const DateValue &v)
{
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(v.year())
        .arg(v.month())
        .arg(v.day())
        .arg(v.hour())
        .arg(v.minute())
        .arg(v.second());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QLocale &locale = localeFor(data[0]);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const std::optional<DateValue> value = DateText::fromString(text, locale);
    if (!value)
        return 0;
    if (value->year() < DateValue::minYear || value->year() > DateValue::maxYear)
        fail("read a moment out of range", locale, text, describe(*value));

    const QString general = DateText::toString(*value, locale);
    const std::optional<DateValue> again = DateText::fromString(general, locale);
    if (again != value)
        fail("general text does not read back", locale, text,
             QStringLiteral("read %1, general \"%2\", read back %3")
                 .arg(describe(*value), general,
                      again ? describe(*again) : QStringLiteral("nothing")));
    return 0;
}
