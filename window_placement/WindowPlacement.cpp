#include "window_placement/WindowPlacement.h"

#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QList>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString section = QStringLiteral("Form Positions");

constexpr double twipsPerPixel = 15.0;
// Bounds beyond what any desktop could hold: a stored value outside them is
// damaged, not a window that was really there.
constexpr double maxSizeTwips = twipsPerPixel * 100'000;
constexpr double maxPositionTwips = twipsPerPixel * 1'000'000;

// Field order of the stored text.
enum Field { Top, Height, Left, Width, State, FieldCount };

QString twips(int pixels)
{
    return QString::number(qint64(pixels) * 15);
}

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

} // namespace

namespace WindowPlacement {

std::optional<int> toPixels(double twips)
{
    const double pixels = std::round(twips / twipsPerPixel);
    if (!std::isfinite(pixels) || std::abs(pixels) > 1e7)
        return std::nullopt;
    return int(pixels);
}

std::optional<Bounds> read(const QString &text)
{
    const QStringList fields = text.split(u',');
    if (fields.size() < FieldCount)
        return std::nullopt;
    std::array<double, FieldCount> v{};
    for (int i = 0; i < FieldCount; ++i) {
        bool ok = false;
        v[i] = fields[i].toDouble(&ok); // always "." as the decimal separator
        if (!ok || !std::isfinite(v[i]))
            return std::nullopt;
    }
    // A size is tested as the single-precision value the stored text holds:
    // a positive text too small for it ("1e-50") is 0.
    const auto sizeOk = [](double size) { return float(size) > 0 && size <= maxSizeTwips; };
    const auto positionOk = [](double pos) { return std::abs(pos) <= maxPositionTwips; };
    const double state = v[State];
    if (!sizeOk(v[Width]) || !sizeOk(v[Height]) || !positionOk(v[Left]) || !positionOk(v[Top])
        || (state != 0 && state != 1 && state != 2))
        return std::nullopt;
    const Qt::WindowState states[] = {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized};
    return Bounds{QRect(*toPixels(float(v[Left])), *toPixels(float(v[Top])),
                        *toPixels(float(v[Width])), *toPixels(float(v[Height]))),
                  states[int(state)]};
}

std::optional<QString> write(const QRect &frame, Qt::WindowStates state, const QString &stored)
{
    if (state & Qt::WindowMinimized)
        return std::nullopt;
    if (state & Qt::WindowMaximized) {
        // Keep the bounds the window had before it was maximized: only the
        // state changes, every other field is written back as it was read.
        QStringList fields = stored.split(u',');
        if (read(stored)) {
            fields[State] = QStringLiteral("2");
            return fields.join(u',');
        }
    }
    return QStringList{twips(frame.y()), twips(frame.height()), twips(frame.x()),
                       twips(frame.width()), QString::number(state & Qt::WindowMaximized ? 2 : 0)}
        .join(u',');
}

QRect onScreen(QRect frame, const QList<QRect> &screens)
{
    // An empty stored size counts as one pixel, so that its corner, too,
    // lands on a screen (QRect::contains() takes an empty rectangle loosely).
    const QSize size = frame.size().expandedTo({1, 1});
    const QRect probe(frame.topLeft(), size);
    if (screens.isEmpty()
        || std::any_of(screens.cbegin(), screens.cend(), [&](const QRect &s) { return s.contains(probe); }))
        return frame;
    const QPoint centre = probe.center();
    const auto distance = [&centre](const QRect &s) {
        const qint64 dx = std::max({s.left() - centre.x(), 0, centre.x() - s.right()});
        const qint64 dy = std::max({s.top() - centre.y(), 0, centre.y() - s.bottom()});
        return dx * dx + dy * dy;
    };
    const QRect screen = *std::min_element(screens.cbegin(), screens.cend(),
                                           [&](const QRect &a, const QRect &b) { return distance(a) < distance(b); });
    // A corner beyond the far edge starts again at the near one; then the
    // far edges are pulled in, but never the left or top edge off the screen,
    // where the weeks and the buttons' row begin.
    if (frame.x() > screen.x() + screen.width())
        frame.moveLeft(screen.x());
    if (frame.y() > screen.y() + screen.height())
        frame.moveTop(screen.y());
    frame.moveTo(std::max(screen.x(), std::min(frame.x(), screen.right() + 1 - size.width())),
                 std::max(screen.y(), std::min(frame.y(), screen.bottom() + 1 - size.height())));
    return frame;
}

QPoint centred(const QSize &size, const QRect &screen)
{
    // On a screen smaller than the window its left and top edges stay on it.
    return {std::max(screen.x(), int(std::round(screen.x() + (screen.width() - size.width()) / 2.0))),
            std::max(screen.y(), int(std::round(screen.y() + (screen.height() - size.height()) / 2.0)))};
}

bool isNativeWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void save(const QWidget &window, const QString &key)
{
    if (isNativeWayland())
        return;
    const auto text = write(window.frameGeometry(), window.windowState(),
                            SettingsStore::value(section, key));
    if (text)
        SettingsStore::setValue(section, key, *text,
                                QCoreApplication::translate("WindowPlacement",
                                                            "The window's place could not be saved."));
}

bool restore(QWidget &window, const QString &key)
{
    if (isNativeWayland() || (window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        return false;
    const auto stored = read(SettingsStore::value(section, key));
    if (!stored)
        return false;
    // move() places a window's frame; resize() sizes its client area, so the
    // frame's own thickness is taken off the outer size.
    const QRect frame = onScreen(stored->frame, availableScreens());
    const QSize border = window.frameGeometry().size() - window.size();
    window.move(frame.topLeft());
    window.resize(frame.size() - border);
    // A window is never brought back minimized.
    if (stored->state == Qt::WindowMaximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}

void centre(QWidget &window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(centred(window.size(), screen->geometry()));
}

} // namespace WindowPlacement
