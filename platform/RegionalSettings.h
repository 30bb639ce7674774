#pragma once

#include <QLocale>

// The user's regional settings for dates and times.
namespace RegionalSettings {

// The locale whose formats dates are written and read in. On Linux it is the
// one LC_TIME names (LC_ALL over LC_TIME over LANG), as C programs and the
// desktop write dates; QLocale::system() would take its name and digits from
// LC_MESSAGES and LC_NUMERIC. On Windows it is QLocale::system(), with the
// user's own formats.
QLocale dateLocale();

// The latest year that a two-digit year stands for: 2068 by POSIX's "%y", on
// Windows the user's setting (2049 unless changed).
int twoDigitYearMax();

// The year of the hundred up to twoDigitYearMax() that ends in `twoDigits`.
inline int widenTwoDigitYear(int twoDigits)
{
    const int max = twoDigitYearMax();
    return max - (max - twoDigits) % 100;
}

} // namespace RegionalSettings
