#include "mdlSpecialFolder.h"

#include "StartupBackend.h"

QString mdlSpecialFolder::GetSpecialFolderPath(qint32 lngCSIDL)
{
    if (lngCSIDL != CSIDL_STARTUP)
        return {};
    return StartupBackend::startupFolder();
}
