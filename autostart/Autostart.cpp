#include "autostart/Autostart.h"

#include "autostart/AutostartBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

QString Autostart::entryPath()
{
    // Looked up afresh each time: empty when the folder cannot be found, so
    // that nothing is tested, removed or made.
    const QString folder = AutostartBackend::folder();
    if (folder.isEmpty())
        return {};
    return QDir::toNativeSeparators(QDir(folder).filePath(AutostartBackend::entryFileName()));
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

QString Autostart::programPath()
{
    return AutostartBackend::programPath();
}

std::optional<Autostart::Failure> Autostart::setEnabled(bool enabled, const QString &program)
{
    if (!enabled && isEnabled()) {
        QFile entry(entryPath());
        if (!entry.remove())
            return Failure{Failure::NotRemoved, entry.fileName(), false, entry.errorString()};
    }
    if (enabled && !isEnabled()) {
        Failure failure{Failure::NotWritten, {}, true, {}};
        if (AutostartBackend::folder(&failure.location, &failure.reason).isEmpty())
            return failure;
        // The user was told why when the box was ticked.
        if (!whyCannotStart(program).isEmpty())
            return {};
        const QString path = entryPath();
        if (!AutostartBackend::writeEntry(path, program, &failure.reason))
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
