// The startup shortcut on Linux and other XDG desktops: the desktop entry
// Taloran.desktop in the user's autostart folder.

#include "StartupBackend.h"

#include "DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString StartupBackend::startupFolder()
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

QString StartupBackend::linkFileName(const QString &title)
{
    return title + QLatin1String(".desktop");
}

bool StartupBackend::isActiveLink(const QString &linkPath)
{
    if (!QFileInfo(linkPath).isFile())
        return false;
    QFile file(linkPath);
    // An entry that cannot be read is still there; only a readable entry can
    // say it is switched off.
    if (!file.open(QIODevice::ReadOnly))
        return true;
    return !DesktopEntry::isSwitchedOff(file.readAll());
}

bool StartupBackend::writeLink(const QString &linkPath, const QString &title, const QString &target,
                               const QString &arguments)
{
    QSaveFile file(linkPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(DesktopEntry::autostartEntry(title, target, arguments));
    return file.commit();
}

QString StartupBackend::programPath()
{
    return QCoreApplication::applicationFilePath();
}
