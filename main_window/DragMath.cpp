#include "DragMath.h"

#include <cmath>
#include <limits>

namespace DragMath {

std::optional<qint32> twipsToPixels(float twips)
{
    // nearbyint rounds halfway cases to even in the default rounding mode.
    const double pixels = std::nearbyint(double(twips) / 15.0);
    if (!std::isfinite(pixels) || pixels < double(std::numeric_limits<qint32>::min())
        || pixels > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(pixels);
}

namespace {

bool fits(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

} // namespace

std::optional<float> edgeTwips(qint32 cursor, qint32 startCursor, qint32 startEdge)
{
    // Each step is worked out in 64 bits and must fit 32 bits again.
    const qint64 difference = qint64(cursor) - startCursor;
    if (!fits(difference))
        return std::nullopt;
    const qint64 sum = difference + startEdge;
    if (!fits(sum))
        return std::nullopt;
    const qint64 product = sum * 15;
    if (!fits(product))
        return std::nullopt;
    return float(product);
}

} // namespace DragMath
