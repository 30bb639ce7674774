// The autostart entry on Windows: the shell link Taloran.lnk in the user's
// Startup folder, made through win/WinShellLink (plain Win32). Texts cross as
// UTF-16 both ways.

#include "autostart/AutostartBackend.h"

#include "autostart/win/WinShellLink.h"

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

QString AutostartBackend::folder(QString *, QString *reason)
{
    const QString folder = fromWide(winStartupFolder());
    if (folder.isEmpty() && reason)
        *reason = QCoreApplication::translate("Autostart", "The Startup folder cannot be found.");
    return folder;
}

QString AutostartBackend::entryFileName()
{
    return QStringLiteral("Taloran.lnk");
}

bool AutostartBackend::isActiveEntry(const QString &path)
{
    return winOrdinaryFileExists(toWide(QDir::toNativeSeparators(path)));
}

QString AutostartBackend::whyCannotStart(const QString &)
{
    // A shell link holds the target path as it is.
    return {};
}

bool AutostartBackend::writeEntry(const QString &path, const QString &program, QString *reason)
{
    std::wstring error;
    if (winCreateLink(toWide(QDir::toNativeSeparators(path)), toWide(program), L"/m", &error))
        return true;
    *reason = fromWide(error);
    return false;
}

QString AutostartBackend::programPath()
{
    // The folder of the program file, "\", its name without extension, ".exe".
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const QString baseName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return folder + QLatin1Char('\\') + baseName + QLatin1String(".exe");
}
