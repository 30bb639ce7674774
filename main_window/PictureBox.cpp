#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

PictureBox::PictureBox(Role role, QWidget *parent) : QWidget(parent), m_role(role)
{
    // Presses on a button are the button's own and never reach the
    // background, which would start a drag.
    if (m_role == Role::Button)
        setAttribute(Qt::WA_NoMousePropagation);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (m_role == Role::Button) {
        // A button answers the left button only, as push buttons do.
        if (event->button() == Qt::LeftButton)
            m_pressedInside = true;
        return;
    }
    emit mouseDown();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (m_role == Role::Button) {
        if (event->button() != Qt::LeftButton)
            return;
        const bool wasPressed = std::exchange(m_pressedInside, false);
        if (wasPressed && rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    emit mouseUp();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (m_role == Role::Button) {
        // The second press of a fast double-click on a button counts as a
        // press of its own, so two quick clicks are two clicks.
        if (event->button() == Qt::LeftButton)
            m_pressedInside = true;
        return;
    }
    emit doubleClicked();
}
