#include "platform/SettingsStoreBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsStore", text);
}

} // namespace

namespace SettingsStoreBackend {

std::unique_ptr<QSettings> open()
{
    // An INI file named <application>.conf.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Taloran"), QStringLiteral("Taloran"));
}

QString keyPath(const QString &section, const QString &key)
{
    // QSettings keeps the keys of its root in a [General] section and escapes
    // a group of that name as [%General]: "General" keys stay at the root so
    // that the file reads [General] as people expect.
    return section == QLatin1String("General") ? key : section + QLatin1Char('/') + key;
}

QString failureReason(const QSettings &settings)
{
    // QSettings says only that it failed: the reason is found by trying what
    // it tries and taking the system's word.
    if (settings.status() == QSettings::FormatError)
        return tr("The file is not in a form that can be kept.");
    const QFileInfo file(settings.fileName());
    if (file.isDir())
        return tr("A folder is in the place of the file.");

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
    // QSettings replaces the file through a new one beside it: try that with
    // as many bytes as the file holds, and some.
    QTemporaryFile probe(file.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!probe.open())
        return tr("The folder %1 does not take new files: %2.")
            .arg(file.absolutePath(), probe.errorString());
    const QByteArray block(qMax<qint64>(file.size(), 0) + 65536, ' ');
    if (probe.write(block) != block.size() || !probe.flush())
        return tr("The disk cannot take the file: %1.").arg(probe.errorString());
    return tr("The file could not be written.");
}

QString failedPlace(const QSettings &settings, const QString &)
{
    return settings.fileName();
}

QString placeLabel()
{
    return tr("File: %1");
}

} // namespace SettingsStoreBackend
