#include "mdlMouse.h"

#include <QCursor>
#include <QGuiApplication>

namespace mdlMouse {

qint32 GetCursorX()
{
    return QCursor::pos().x();
}

qint32 GetCursorY()
{
    return QCursor::pos().y();
}

bool AnyButtonHeld()
{
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}

} // namespace mdlMouse
