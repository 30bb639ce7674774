#pragma once

#include <QtGlobal>

#include <optional>

// The arithmetic of dragging the window, in signed 32-bit integers as the
// cursor reports them. Nothing comes back where a step would overflow, and
// the caller then skips that move.
namespace DragMath {

// Twips to whole pixels, a value exactly halfway going to the even
// neighbour (37.5 twips is 2.5 pixels and gives 2; 52.5 gives 4).
std::optional<qint32> twipsToPixels(float twips);

// The new edge of the window: ((cursor - startCursor) + startEdge) * 15 twips.
std::optional<float> edgeTwips(qint32 cursor, qint32 startCursor, qint32 startEdge);

} // namespace DragMath
