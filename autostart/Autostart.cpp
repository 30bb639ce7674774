#include "Autostart.h"

#include "AutostartBackend.h"

#include <QDir>
#include <QFile>

QString Autostart::folder()
{
    return AutostartBackend::folder();
}

QString Autostart::entryPath()
{
    // Looked up afresh each time; empty when the folder cannot be found, so
    // that nothing is tested, removed or made.
    const QString autostartFolder = folder();
    if (autostartFolder.isEmpty())
        return {};
    return QDir::toNativeSeparators(
        QDir(autostartFolder).filePath(AutostartBackend::entryFileName()));
}

bool Autostart::isEnabled()
{
    const QString path = entryPath();
    return !path.isEmpty() && AutostartBackend::isActiveEntry(path);
}

QString Autostart::whyCannotStart(const QString &program)
{
    return AutostartBackend::whyCannotStart(program);
}

bool Autostart::enable(const QString &program)
{
    const QString path = entryPath();
    return !path.isEmpty() && whyCannotStart(program).isEmpty() && AutostartBackend::writeEntry(path, program);
}

bool Autostart::disable()
{
    const QString path = entryPath();
    return !path.isEmpty() && QFile::remove(path);
}

QString Autostart::programPath()
{
    return AutostartBackend::programPath();
}

void Autostart::setEnabled(bool enabled)
{
    // Two separate steps, each testing for the entry afresh.
    if (!enabled && isEnabled())
        disable();
    if (enabled && !isEnabled())
        enable(programPath());
}
