#pragma once

#include <QRectF>
#include <QString>

// What the window placement store needs of a window. Positions and sizes are
// in twips (logical pixels x 15) and single precision, as the stored text has
// them. Tests drive the store with a fake window; WidgetPlacedWindow adapts a
// real top-level widget.
class PlacedWindow
{
public:
    virtual ~PlacedWindow() = default;

    // The key under which the window's bounds are stored.
    virtual QString settingsKey() const = 0;

    virtual float left() const = 0;
    virtual float top() const = 0;
    virtual float width() const = 0;
    virtual float height() const = 0;
    virtual void setLeft(float twips) = 0;
    virtual void setTop(float twips) = 0;
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;

    // 0 normal, 1 minimized, 2 maximized.
    virtual int windowState() const = 0;
    virtual void setWindowState(int state) = 0;

    // The primary screen, in twips: what centring uses.
    virtual QRectF screenTwips() const = 0;
    // The whole desktop, the bounding rectangle of all screens, in twips:
    // what the off-screen corrections use.
    virtual QRectF desktopTwips() const = 0;

    // False where the platform can neither report nor set a window's
    // position (Wayland); then nothing is stored or restored.
    virtual bool positionIsKnown() const { return true; }
};
