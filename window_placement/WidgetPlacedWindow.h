#pragma once

#include "PlacedWindow.h"

#include <QString>

class QWidget;

// A top-level QWidget seen as a PlacedWindow stored under `settingsKey`: its
// frame geometry in twips (logical pixels x 15), its window state and the
// screens it can be on.
class WidgetPlacedWindow : public PlacedWindow
{
public:
    WidgetPlacedWindow(QWidget &widget, QString settingsKey);

    QString settingsKey() const override;

    float left() const override;
    float top() const override;
    float width() const override;
    float height() const override;
    // Twips are rounded to whole pixels. A fixed-size widget keeps its size.
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;

    int windowState() const override;
    void setWindowState(int state) override;

    QRectF screenTwips() const override;
    QRectF desktopTwips() const override;

    // False on Wayland, where a client can neither read nor set its position.
    bool positionIsKnown() const override;

private:
    QWidget &m_widget;
    QString m_settingsKey;
};
