#pragma once

#include "PlacedWindow.h"

#include <QString>

#include <optional>

// Remembers a window's bounds and state in the settings store, section
// "Form Positions", key = the window's settings key, as the text
// "Top,Height,Left,Width,WindowState" in twips; and centres a window on the
// primary screen.
namespace WindowPlacement {

// A stored value as read back: bounds in twips and the window state.
struct StoredBounds
{
    float top;
    float height;
    float left;
    float width;
    int state;
};

// Reads a stored value "Top,Height,Left,Width,WindowState": its first five
// fields when they make sense as bounds (sizes above 0 and at most 1,500,000
// twips, positions at most 15,000,000 twips from the origin, "." as the
// decimal point) and a state 0, 1 or 2; nothing otherwise. Fields beyond the
// fifth are not looked at. What restore() applies.
std::optional<StoredBounds> parseStoredBounds(const QString &text);

// Writes the window's bounds and state. A minimized window writes nothing; a
// maximized one only marks the stored value as maximized, keeping the bounds
// it had before, or writes its current bounds when nothing usable is stored.
void save(PlacedWindow &window);

// Applies the stored bounds to a normal window, pulls its top-left corner
// back onto the desktop, then applies a stored maximized state. Returns false
// and leaves the window untouched when the window is not normal or nothing
// usable is stored; the caller then centres it.
bool restore(PlacedWindow &window);

// Centres the window on the primary screen (Top first, then Left).
void center(PlacedWindow &window);

} // namespace WindowPlacement
