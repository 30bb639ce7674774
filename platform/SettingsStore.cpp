#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

#include <memory>

namespace {

const QString applicationName = QStringLiteral("Taloran");

std::unique_ptr<QSettings> open()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + applicationName,
        QSettings::NativeFormat);
#else
    // The native format on Linux is an INI file named <application>.conf.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, applicationName,
                                       applicationName);
#endif
}

// QSettings keeps keys of its root in an INI section called [General] and
// escapes a group of that name as [%General]. Keys of the "General" section
// are kept at the root so that the file reads [General] as people expect.
QString keyPath(const QString &section, const QString &key)
{
#ifndef Q_OS_WIN
    if (section == QLatin1String("General"))
        return key;
#endif
    return section + QLatin1Char('/') + key;
}

SettingsStore::FailureHandler &failureHandler()
{
    static SettingsStore::FailureHandler handler;
    return handler;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsStore", text);
}

// Why the store could not be written. QSettings says only that it could not;
// the reason is found by trying what it tries, and taking the system's word.
QString failureReason(const QSettings &settings)
{
#ifdef Q_OS_WIN
    return settings.status() == QSettings::FormatError
        ? tr("The registry key holds values in a form that cannot be kept.")
        : tr("The registry key cannot be written (access denied).");
#else
    if (settings.status() == QSettings::FormatError)
        return tr("The file is not in a form that can be kept.");
    const QFileInfo file(settings.fileName());
    if (file.isDir())
        return tr("A folder is in the place of the file.");

    // The nearest folder that exists on the way to the file.
    QFileInfo folder(file.absolutePath());
    while (!folder.exists() && folder.absoluteFilePath() != folder.absolutePath())
        folder.setFile(folder.absolutePath());
    if (!folder.isDir())
        return tr("A file is in the place of the folder %1.").arg(folder.absoluteFilePath());
    if (folder.absoluteFilePath() != file.absolutePath())
        return tr("The folder %1 cannot be made in %2.")
            .arg(file.absolutePath(), folder.absoluteFilePath());

    if (file.exists()) {
        QFile existing(file.absoluteFilePath());
        if (!existing.open(QIODevice::ReadWrite))
            return tr("The file cannot be written: %1.").arg(existing.errorString());
    }
    // The file is replaced whole through a new file beside it, as QSettings
    // does; try that with as many bytes as the file holds, and some.
    QTemporaryFile probe(file.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!probe.open())
        return tr("The folder %1 does not take new files: %2.")
            .arg(file.absolutePath(), probe.errorString());
    const QByteArray block(qMax<qint64>(file.size(), 0) + 65536, ' ');
    if (probe.write(block) != block.size() || !probe.flush())
        return tr("The disk cannot take the file: %1.").arg(probe.errorString());
    return tr("The file could not be written.");
#endif
}

// Where a failed write was going: the file, or on Windows the section's own
// registry key, named as Windows names it (QSettings puts a backslash first).
QString failedPlace(const QSettings &settings, const QString &section)
{
#ifdef Q_OS_WIN
    QString key = settings.fileName() + QLatin1Char('\\') + section;
    if (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    return key;
#else
    Q_UNUSED(section);
    return settings.fileName();
#endif
}

void reportFailure(SettingsStore::WriteFailure failure)
{
    qWarning("Taloran: the settings were not saved to %s: %s", qPrintable(failure.location),
             qPrintable(failure.reason));
    if (const auto &handler = failureHandler())
        handler(failure);
}

} // namespace

namespace SettingsStore {

QString value(const QString &section, const QString &key, const QString &defaultValue)
{
    const auto settings = open();
    const QVariant value = settings->value(keyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with commas and no quotes reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool setValue(const QString &section, const QString &key, const QString &value, const QString &what)
{
    const auto settings = open();
    settings->setValue(keyPath(section, key), value);
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return true;
    reportFailure({what.isEmpty() ? tr("A setting could not be saved.") : what, section, key,
                   failedPlace(*settings, section), failureReason(*settings)});
    return false;
}

QString location()
{
    return open()->fileName();
}

void setFailureHandler(FailureHandler handler)
{
    failureHandler() = std::move(handler);
}

} // namespace SettingsStore
