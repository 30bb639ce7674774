// The startup shortcut on Windows: Taloran.lnk in the user's Startup folder,
// made through win/WinShellLink (plain Win32). Texts cross as UTF-16 both ways.

#include "StartupBackend.h"

#include "win/WinShellLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

std::wstring toWide(const QString &text)
{
    return text.toStdWString();
}

QString fromWide(const std::wstring &text)
{
    return QString::fromStdWString(text);
}

} // namespace

QString StartupBackend::startupFolder()
{
    return fromWide(winStartupFolder());
}

QString StartupBackend::linkFileName(const QString &title)
{
    return title + QLatin1String(".lnk");
}

bool StartupBackend::isActiveLink(const QString &linkPath)
{
    return winOrdinaryFileExists(toWide(QDir::toNativeSeparators(linkPath)));
}

bool StartupBackend::writeLink(const QString &linkPath, const QString & /*title*/,
                               const QString &target, const QString &arguments)
{
    return winCreateLink(toWide(QDir::toNativeSeparators(linkPath)), toWide(target),
                         toWide(arguments));
}

QString StartupBackend::programPath()
{
    // The folder of the program file, "\", its name without extension, ".exe".
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const QString baseName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return folder + QLatin1Char('\\') + baseName + QLatin1String(".exe");
}
