#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;

// Remembers a window's bounds and state in the settings store, section
// "Form Positions", as the text "Top,Height,Left,Width,WindowState" in twips
// (pixels x 15); and centres windows on the primary screen. Plain functions
// over rectangles and states, and the few that apply them to a widget.
namespace WindowPlacement {

// A stored value as read back: the frame in whole pixels and the state.
struct Bounds
{
    QRect frame;
    Qt::WindowState state = Qt::WindowNoState;
};

// Twips to whole pixels, the one rounding of this program (halfway away from
// zero); nothing for a value no window could take.
std::optional<int> toPixels(double twips);

// Reads "Top,Height,Left,Width,WindowState": its first five fields when they
// make sense as bounds (sizes above 0 and at most 1,500,000 twips, positions
// at most 15,000,000 twips from the origin, "." as the decimal point) and a
// state 0, 1 or 2; nothing otherwise. Fields beyond the fifth are not looked
// at.
std::optional<Bounds> read(const QString &text);

// The text that stores `frame` in `state`, given what is stored now: nothing
// for a minimized window; for a maximized one the stored text with only its
// state changed, or the frame when nothing usable is stored.
std::optional<QString> write(const QRect &frame, Qt::WindowStates state, const QString &stored);

// `frame`, its size kept, unchanged when it lies wholly on one of `screens`;
// otherwise pulled onto the screen nearest to its centre: a corner beyond
// that screen's right or bottom edge goes to its left or top edge, then the
// frame is moved in until it fits, its left and top edges staying on the
// screen when it is larger.
QRect onScreen(QRect frame, const QList<QRect> &screens);

// The top-left corner that centres `size` on `screen`, no further left or up
// than the screen's own corner.
QPoint centred(const QSize &size, const QRect &screen);

// A native Wayland client can neither read nor set its window's position:
// nothing is stored or restored there, and the compositor moves the window.
bool isNativeWayland();

// Applied to a top-level widget, stored under `key`:
// - save() writes its frame and state (see write());
// - restore() gives a normal widget its stored bounds, pulled onto a screen's
//   available area (see onScreen()), then a stored maximized state; false,
//   the widget untouched, when it is not normal or nothing usable is stored;
// - centre() centres it on the primary screen.
void save(const QWidget &window, const QString &key);
bool restore(QWidget &window, const QString &key);
void centre(QWidget &window);

} // namespace WindowPlacement
