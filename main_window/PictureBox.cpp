#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_load = nullptr;
    update();
}

void PictureBox::setPicture(std::function<QPixmap()> load)
{
    m_picture = QPixmap();
    m_load = std::move(load);
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_load)
        m_picture = std::exchange(m_load, nullptr)();
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
