// The autostart entry on Linux and other XDG desktops: the desktop entry
// Taloran.desktop in the user's autostart folder.

#include "autostart/AutostartBackend.h"

#include "autostart/DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Autostart", text);
}

} // namespace

QString AutostartBackend::folder(QString *failedFolder, QString *reason)
{
    // $XDG_CONFIG_HOME/autostart, by default ~/.config/autostart.
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (configHome.isEmpty() || QDir::isRelativePath(configHome)) {
        if (reason)
            *reason = tr("The configuration folder is not known (HOME or XDG_CONFIG_HOME).");
        return {};
    }
    const QString folder = configHome + QLatin1String("/autostart");
    if (QDir().mkpath(folder))
        return folder;

    if (failedFolder)
        *failedFolder = folder;
    if (reason) {
        // The nearest path that exists on the way to the folder says why.
        QFileInfo nearest(folder);
        while (!nearest.exists() && nearest.absoluteFilePath() != nearest.absolutePath())
            nearest.setFile(nearest.absolutePath());
        *reason = nearest.isDir()
            ? tr("The folder %1 does not take new folders.").arg(nearest.absoluteFilePath())
            : tr("A file is in the place of the folder %1.").arg(nearest.absoluteFilePath());
    }
    return {};
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

bool AutostartBackend::writeEntry(const QString &path, const QString &program, QString *reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(DesktopEntry::autostartEntry(program));
        if (file.commit())
            return true;
    }
    *reason = file.errorString();
    return false;
}

QString AutostartBackend::programPath()
{
    return QCoreApplication::applicationFilePath();
}
