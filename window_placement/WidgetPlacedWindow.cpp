#include "WidgetPlacedWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <optional>
#include <utility>

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

WidgetPlacedWindow::WidgetPlacedWindow(QWidget &widget, QString settingsKey)
    : m_widget(widget), m_settingsKey(std::move(settingsKey))
{
}

QString WidgetPlacedWindow::settingsKey() const
{
    return m_settingsKey;
}

float WidgetPlacedWindow::left() const
{
    return float(m_widget.frameGeometry().x() * kTwipsPerPixel);
}

float WidgetPlacedWindow::top() const
{
    return float(m_widget.frameGeometry().y() * kTwipsPerPixel);
}

float WidgetPlacedWindow::width() const
{
    return float(m_widget.frameGeometry().width() * kTwipsPerPixel);
}

float WidgetPlacedWindow::height() const
{
    return float(m_widget.frameGeometry().height() * kTwipsPerPixel);
}

// move() places a window's frame; resize() sizes its client area, so the
// frame's own thickness is taken off the outer size asked for.
void WidgetPlacedWindow::setLeft(float twips)
{
    if (const auto x = toPixels(twips))
        m_widget.move(*x, m_widget.pos().y());
}

void WidgetPlacedWindow::setTop(float twips)
{
    if (const auto y = toPixels(twips))
        m_widget.move(m_widget.pos().x(), *y);
}

void WidgetPlacedWindow::setWidth(float twips)
{
    const int frame = m_widget.frameGeometry().width() - m_widget.width();
    if (const auto w = toPixels(twips))
        m_widget.resize(*w - frame, m_widget.height());
}

void WidgetPlacedWindow::setHeight(float twips)
{
    const int frame = m_widget.frameGeometry().height() - m_widget.height();
    if (const auto h = toPixels(twips))
        m_widget.resize(m_widget.width(), *h - frame);
}

int WidgetPlacedWindow::windowState() const
{
    const Qt::WindowStates states = m_widget.windowState();
    if (states & Qt::WindowMinimized)
        return 1;
    if (states & Qt::WindowMaximized)
        return 2;
    return 0;
}

void WidgetPlacedWindow::setWindowState(int state)
{
    Qt::WindowStates states = m_widget.windowState()
        & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (state == 1)
        states |= Qt::WindowMinimized;
    else if (state == 2)
        states |= Qt::WindowMaximized;
    m_widget.setWindowState(states);
}

QRectF WidgetPlacedWindow::screenTwips() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? toTwips(screen->geometry()) : QRectF();
}

QRectF WidgetPlacedWindow::desktopTwips() const
{
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    return toTwips(desktop);
}

bool WidgetPlacedWindow::positionIsKnown() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
