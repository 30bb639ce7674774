#pragma once

// Moments for the date tests: one from its fields, and many spread over the
// whole range of date values from a fixed seed.

#include "DateValue.h"
#include "TestMain.h"

#include <QList>

inline DateValue at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateValue(localMoment(y, mo, d, h, mi, s));
}

inline QList<DateValue> spreadMoments(int count, quint64 seed)
{
    const qint64 first = at(DateValue::minYear, 1, 1).toLocalSeconds().time_since_epoch().count();
    const qint64 last =
        at(DateValue::maxYear, 12, 31, 23, 59, 59).toLocalSeconds().time_since_epoch().count();
    quint64 state = seed;
    QList<DateValue> moments;
    for (int i = 0; i < count; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const qint64 offset = qint64((state >> 11) % quint64(last - first + 1));
        moments.append(DateValue(std::chrono::local_seconds(std::chrono::seconds(first + offset))));
    }
    return moments;
}
