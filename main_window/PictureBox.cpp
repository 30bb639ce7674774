#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
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
    emit pressed(event->globalPosition().toPoint());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit released();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit moved();
}
