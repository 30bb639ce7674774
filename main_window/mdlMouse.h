#pragma once

#include <QtGlobal>

// Cursor reads. Each call makes its own query of the cursor's position on
// the screen, in logical pixels.
namespace mdlMouse {

qint32 GetCursorX();
qint32 GetCursorY();

// Whether any mouse button is held, as the application last saw it.
bool AnyButtonHeld();

} // namespace mdlMouse
