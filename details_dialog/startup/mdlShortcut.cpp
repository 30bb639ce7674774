#include "mdlShortcut.h"

#include "StartupBackend.h"
#include "mdlSpecialFolder.h"

#include <QDir>
#include <QFile>

namespace {

const QString kStartupGroup = QStringLiteral("Startup");
const QString kTitle = QStringLiteral("Taloran");
const QString kStartupArguments = QStringLiteral("/m");

// The link `title` in the Startup folder, looked up afresh; empty when the
// folder cannot be found, so that nothing is tested, removed or made.
QString linkPathFor(const QString &title)
{
    const QString folder = mdlSpecialFolder::GetSpecialFolderPath(mdlSpecialFolder::CSIDL_STARTUP);
    if (folder.isEmpty())
        return {};
    return QDir::toNativeSeparators(QDir(folder).filePath(StartupBackend::linkFileName(title)));
}

} // namespace

bool mdlShortcut::CreateShortcut(const QString &strGroup, const QString &strTitle,
                                 const QString &strTarget, const QString &strArguments,
                                 bool blnAllUsers)
{
    // Only the current user's Startup folder is known; a title with a path
    // separator would name a file elsewhere.
    if (blnAllUsers || strGroup.compare(kStartupGroup, Qt::CaseInsensitive) != 0
        || strTitle.isEmpty() || strTitle.contains(QLatin1Char('/'))
        || strTitle.contains(QLatin1Char('\\')))
        return false;
    const QString linkPath = linkPathFor(strTitle);
    if (linkPath.isEmpty())
        return false;
    return StartupBackend::writeLink(linkPath, strTitle, strTarget, strArguments);
}

QString mdlShortcut::StartupShortcutPath()
{
    return linkPathFor(kTitle);
}

bool mdlShortcut::StartupShortcutExists()
{
    const QString linkPath = StartupShortcutPath();
    return !linkPath.isEmpty() && StartupBackend::isActiveLink(linkPath);
}

bool mdlShortcut::RemoveStartupShortcut()
{
    const QString linkPath = StartupShortcutPath();
    return !linkPath.isEmpty() && QFile::remove(linkPath);
}

bool mdlShortcut::CreateStartupShortcut(const QString &programPath)
{
    return CreateShortcut(kStartupGroup, kTitle, programPath, kStartupArguments, false);
}

QString mdlShortcut::ProgramPath()
{
    return StartupBackend::programPath();
}

bool mdlShortcut::startupBoxAtLoad()
{
    return StartupShortcutExists();
}

void mdlShortcut::syncAtUnload(int chkValue)
{
    // Two separate steps, each testing for the shortcut afresh.
    if (chkValue == 0 && StartupShortcutExists())
        RemoveStartupShortcut();
    if (chkValue == 1 && !StartupShortcutExists())
        CreateStartupShortcut(ProgramPath());
}
