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

// Twips to whole pixels, halfway away from zero; nothing for a value no
// window could take.
std::optional<int> toPixels(double twips);

// The first five fields of "Top,Height,Left,Width,WindowState" when they make
// sense as bounds and a state 0, 1 or 2; nothing otherwise.
std::optional<Bounds> read(const QString &text);

// The text to store for `frame` in `state`: nothing for a minimized window;
// for a maximized one the stored text with only its state changed.
std::optional<QString> write(const QRect &frame, Qt::WindowStates state, const QString &stored);

// `frame` moved, if it is not wholly on one of `screens`, onto the one
// nearest to its centre; its left and top edges stay on a smaller screen.
QRect onScreen(QRect frame, const QList<QRect> &screens);

// The corner that centres `size` on `screen`, never left of or above it.
QPoint centred(const QSize &size, const QRect &screen);

// A native Wayland client can neither read nor set its window's position,
// so nothing is stored or restored there.
bool isNativeWayland();

// A top-level widget's place under `key`. restore() is false, leaving the
// widget untouched, when it is not normal or nothing usable is stored.
void save(const QWidget &window, const QString &key);
bool restore(QWidget &window, const QString &key);
void centre(QWidget &window);

} // namespace WindowPlacement
