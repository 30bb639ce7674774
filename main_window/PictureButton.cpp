#include "main_window/PictureButton.h"

#include "assets/Assets.h"

#include <QKeyEvent>
#include <QPainter>

PictureButton::PictureButton(const QString &picture, QWidget *parent)
    : QAbstractButton(parent), m_pictureName(picture)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    // The hand is read at the first hover: reading a cursor file loads Qt's
    // image plugins, which the window's first showing need not wait for.
    if (!testAttribute(Qt::WA_SetCursor))
        setCursor(Assets::handCursor());
    QAbstractButton::enterEvent(event);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        m_picture = Assets::pixmap(m_pictureName, devicePixelRatioF());
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (hasFocus()) {
        // A dotted frame inside the picture's own border, in the black of its
        // glyph, as keyboard focus is shown on Windows.
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    // Space (QAbstractButton's own key), Enter and Return click, without
    // modifiers; a key held down clicks once.
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat())
            click();
    } else {
        QAbstractButton::keyPressEvent(event);
    }
}
