#include "autostart/Autostart.h"

#include "autostart/AutostartBackend.h"

#include <QCoreApplication>
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
    QString reason;
    return !path.isEmpty() && whyCannotStart(program).isEmpty()
        && AutostartBackend::writeEntry(path, program, &reason);
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

std::optional<Autostart::Failure> Autostart::setEnabled(bool enabled)
{
    // Two separate steps, each testing for the entry afresh.
    if (!enabled && isEnabled()) {
        QFile entry(entryPath());
        if (!entry.remove())
            return Failure{Failure::NotRemoved, entry.fileName(), false, entry.errorString()};
    }
    if (enabled && !isEnabled()) {
        Failure failure{Failure::NotWritten, {}, true, {}};
        const QString folder = AutostartBackend::folder(&failure.location, &failure.reason);
        if (folder.isEmpty())
            return failure;
        const QString path = entryPath();
        // A program that no entry can start was refused when the box was
        // ticked; it is not written, and has been told.
        if (!whyCannotStart(programPath()).isEmpty())
            return {};
        if (!AutostartBackend::writeEntry(path, programPath(), &failure.reason))
            return Failure{Failure::NotWritten, path, false, failure.reason};
    }
    return {};
}

QString Autostart::Failure::message() const
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("Autostart", text); };
    const QString whatFailed = change == NotWritten ? tr("The run-at-startup entry could not be written.")
                                                    : tr("The run-at-startup entry could not be removed.");
    const QString where = locationIsFolder ? tr("Folder: %1") : tr("File: %1");
    return whatFailed + QLatin1String("\n\n") + where.arg(location) + QLatin1Char('\n')
        + tr("Reason: %1").arg(reason);
}
