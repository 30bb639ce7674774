// The autostart entry on Linux and other XDG desktops: the desktop entry
// Taloran.desktop in the user's autostart folder.

#include "AutostartBackend.h"

#include "DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString AutostartBackend::folder()
{
    // $XDG_CONFIG_HOME/autostart, by default ~/.config/autostart.
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        return {};
    const QString folder = configHome + QLatin1String("/autostart");
    if (!QDir().mkpath(folder))
        return {};
    return folder;
}

QString AutostartBackend::entryFileName()
{
    return QStringLiteral("Taloran.desktop");
}

bool AutostartBackend::isActiveEntry(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    // An entry that cannot be read is still there; only a readable entry can
    // say it is switched off.
    if (!file.open(QIODevice::ReadOnly))
        return true;
    return !DesktopEntry::isSwitchedOff(file.readAll());
}

QString AutostartBackend::whyCannotStart(const QString &program)
{
    return DesktopEntry::whyNotStartable(program);
}

bool AutostartBackend::writeEntry(const QString &path, const QString &program)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(DesktopEntry::autostartEntry(program));
    return file.commit();
}

QString AutostartBackend::programPath()
{
    return QCoreApplication::applicationFilePath();
}
