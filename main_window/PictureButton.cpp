#include "PictureButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <utility>

namespace {

// What assistive technology sees of a picture button: a push button that
// can be pressed.
class AccessiblePictureButton : public QAccessibleWidget
{
public:
    explicit AccessiblePictureButton(PictureButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<PictureButton *>(widget())->click();
    }
};

QAccessibleInterface *accessiblePictureButton(const QString &className, QObject *object)
{
    if (className == QLatin1String("PictureButton") && object && object->isWidgetType())
        return new AccessiblePictureButton(static_cast<PictureButton *>(object));
    return nullptr;
}

} // namespace

PictureButton::PictureButton(QWidget *parent) : PictureBox(parent)
{
    static const bool accessibleFactoryInstalled = [] {
        QAccessible::installFactory(accessiblePictureButton);
        return true;
    }();
    Q_UNUSED(accessibleFactoryInstalled);
    // Presses on a button are the button's own and never reach the
    // background, which would start a drag.
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureButton::click()
{
    emit clicked();
}

void PictureButton::paintEvent(QPaintEvent *event)
{
    PictureBox::paintEvent(event);
    if (!hasFocus())
        return;
    // A dotted frame inside the picture's own border, in the black of its
    // glyph, as keyboard focus is shown on Windows; plain enough to see on
    // the light picture under any style.
    QPainter painter(this);
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
}

void PictureButton::focusInEvent(QFocusEvent *event)
{
    PictureBox::focusInEvent(event);
    update();
}

void PictureButton::focusOutEvent(QFocusEvent *event)
{
    PictureBox::focusOutEvent(event);
    update();
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    const bool activates = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return
        || event->key() == Qt::Key_Enter;
    if (!activates || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        PictureBox::keyPressEvent(event);
        return;
    }
    event->accept();
    // A key held down clicks once.
    if (!event->isAutoRepeat())
        click();
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
