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

std::optional<float> edgeTwips(qint32 cursor, qint32 startCursor, qint32 startEdge)
{
    qint32 difference = 0;
    qint32 sum = 0;
    qint32 product = 0;
    if (__builtin_sub_overflow(cursor, startCursor, &difference)
        || __builtin_add_overflow(difference, startEdge, &sum)
        || __builtin_mul_overflow(sum, qint32(15), &product))
        return std::nullopt;
    return float(product);
}

} // namespace DragMath
