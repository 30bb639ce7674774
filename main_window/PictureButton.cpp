#include "PictureButton.h"

#include <QMouseEvent>

#include <utility>

PictureButton::PictureButton(QWidget *parent) : PictureBox(parent)
{
    // Presses on a button are the button's own and never reach the
    // background, which would start a drag.
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // A button answers the left button only, as push buttons do.
    if (event->button() == Qt::LeftButton)
        m_pressedInside = true;
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool wasPressed = std::exchange(m_pressedInside, false);
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a fast double-click counts as a press of its own,
    // so two quick clicks are two clicks.
    mousePressEvent(event);
}
