#include "WidgetFormWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <optional>

namespace {

constexpr double kTwipsPerPixel = 15.0;

// Whole pixels for a twips value; nothing for a value no window could take.
std::optional<int> toPixels(float twips)
{
    const double pixels = std::round(twips / kTwipsPerPixel);
    if (!std::isfinite(pixels) || std::abs(pixels) > 1e7)
        return std::nullopt;
    return int(pixels);
}

QRectF toTwips(const QRect &pixels)
{
    return QRectF(pixels.x() * kTwipsPerPixel, pixels.y() * kTwipsPerPixel,
                  pixels.width() * kTwipsPerPixel, pixels.height() * kTwipsPerPixel);
}

} // namespace

WidgetFormWindow::WidgetFormWindow(QWidget &widget) : m_widget(widget) {}

QString WidgetFormWindow::name() const
{
    return m_widget.objectName();
}

float WidgetFormWindow::left() const
{
    return float(m_widget.frameGeometry().x() * kTwipsPerPixel);
}

float WidgetFormWindow::top() const
{
    return float(m_widget.frameGeometry().y() * kTwipsPerPixel);
}

float WidgetFormWindow::width() const
{
    return float(m_widget.frameGeometry().width() * kTwipsPerPixel);
}

float WidgetFormWindow::height() const
{
    return float(m_widget.frameGeometry().height() * kTwipsPerPixel);
}

// move() places a window's frame; resize() sizes its client area, so the
// frame's own thickness is taken off the outer size asked for.
void WidgetFormWindow::setLeft(float twips)
{
    if (const auto x = toPixels(twips))
        m_widget.move(*x, m_widget.pos().y());
}

void WidgetFormWindow::setTop(float twips)
{
    if (const auto y = toPixels(twips))
        m_widget.move(m_widget.pos().x(), *y);
}

void WidgetFormWindow::setWidth(float twips)
{
    const int frame = m_widget.frameGeometry().width() - m_widget.width();
    if (const auto w = toPixels(twips))
        m_widget.resize(*w - frame, m_widget.height());
}

void WidgetFormWindow::setHeight(float twips)
{
    const int frame = m_widget.frameGeometry().height() - m_widget.height();
    if (const auto h = toPixels(twips))
        m_widget.resize(m_widget.width(), *h - frame);
}

int WidgetFormWindow::windowState() const
{
    const Qt::WindowStates states = m_widget.windowState();
    if (states & Qt::WindowMinimized)
        return 1;
    if (states & Qt::WindowMaximized)
        return 2;
    return 0;
}

void WidgetFormWindow::setWindowState(int state)
{
    Qt::WindowStates states = m_widget.windowState()
        & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (state == 1)
        states |= Qt::WindowMinimized;
    else if (state == 2)
        states |= Qt::WindowMaximized;
    m_widget.setWindowState(states);
}

QRectF WidgetFormWindow::screenTwips() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? toTwips(screen->geometry()) : QRectF();
}

QRectF WidgetFormWindow::desktopTwips() const
{
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    return toTwips(desktop);
}

bool WidgetFormWindow::positionIsKnown() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
