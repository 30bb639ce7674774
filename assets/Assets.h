#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The artwork, cursor, icon and fonts compiled into the program.
namespace Assets {

// Puts the clock icon on every window and registers the bundled faces that
// stand in for "Haettenschweiler" and "Arial Black" where those are missing.
void setUp();

// "background" (800 x 125), "minimize", "more" or "close" (40 x 40), in
// logical pixels; at a device pixel ratio of 1.5 or more the twice-size
// picture, marked with a ratio of 2. A null pixmap for other names.
QPixmap pixmap(const QString &name, qreal devicePixelRatio = 1.0);

// The hand pointer of the buttons, hot spot at the tip of the index finger.
QCursor handCursor();

// The clock icon: 16 to 128 pixels.
QIcon clockIcon();

// "Haettenschweiler" 42 pt, weight 500, for the countdown numbers, and
// "Arial Black" 9.75 pt for the dialog's totals; each names its bundled face
// second, and Qt takes the first it has.
QFont numberFont();
QFont totalsFont();

} // namespace Assets
