#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

// Registers the compiled-in resources (pictures, cursor, icon, fonts). The
// helpers below call it themselves; calling it again does nothing.
void initTaloranAssets();

namespace Assets {

// "background" (800 × 125), "minimize", "more" or "close" (40 × 40), in
// logical pixels. At a device pixel ratio of 1.5 or more the twice-size
// picture is used, marked with a ratio of 2. A null pixmap for other names.
QPixmap pixmap(const QString &name, qreal devicePixelRatio = 1.0);

// The hand pointer of the buttons, hot spot at the tip of the index finger (5, 1).
QCursor handCursor();

// The clock icon of the windows: 16 to 128 pixels.
QIcon clockIcon();

// The number labels' face: "Haettenschweiler" 42 pt, weight 500, when installed,
// else the bundled Noto Sans ExtraCondensed Black at 42 pt. Both families are
// named in the font and Qt takes the first it has when the text is drawn.
// The bundled faces are registered as the first paint of the program begins.
QFont numberFont();

// The details dialog's totals: "Arial Black" 9.75 pt, weight 400, when installed,
// else the bundled Noto Sans Black at 9.75 pt, chosen as numberFont() is.
QFont totalsFont();

} // namespace Assets
