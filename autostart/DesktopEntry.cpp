#include "autostart/DesktopEntry.h"

#include <QCoreApplication>
#include <QList>

namespace {

const QLatin1StringView kGroup("[Desktop Entry]");

// Characters that launchers do not read alike inside an Exec value.
bool readsDifferently(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
        || c == QLatin1Char('\\') || c == QLatin1Char('%');
}

// Characters that no entry can carry so that every launcher reads them: line
// breaks and other controls, and the mark of a file name that is not text.
bool unwritable(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter;
}

bool anyOf(QStringView text, bool (*test)(QChar))
{
    for (QChar c : text) {
        if (test(c))
            return true;
    }
    return false;
}

bool plainInExec(QStringView text)
{
    return !anyOf(text, readsDifferently) && !anyOf(text, unwritable);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("Autostart", text);
}

} // namespace

QString DesktopEntry::whyNotStartable(const QString &program)
{
    const qsizetype slash = program.lastIndexOf(QLatin1Char('/'));
    if (!program.startsWith(QLatin1Char('/')) || slash == program.size() - 1)
        return tr("The program's own path is not known.");
    if (plainInExec(program))
        return {};
    const QStringView name = QStringView(program).mid(slash + 1);
    if (anyOf(program, unwritable) || program.contains(QLatin1Char('\\')))
        return tr("The path of the program contains a line break, a backslash or a name that is "
                  "not text, which programs that start others at logon do not read alike.\n\n"
                  "Move Taloran to another folder to use this option.");
    if (!plainInExec(name) || name.contains(QLatin1Char('=')))
        return tr("The program's file name contains one of the characters \" ` $ % =, which "
                  "programs that start others at logon do not read alike.\n\n"
                  "Rename the file to use this option.");
    return {};
}

QByteArray DesktopEntry::autostartEntry(const QString &program)
{
    QString start;
    if (plainInExec(program)) {
        start = QLatin1String("Exec=\"") + program + QLatin1String("\" /m\n");
    } else {
        // The folder goes where nothing is parsed; env finds the file there.
        // Only the folder can hold those characters, so it is not the root.
        const qsizetype slash = program.lastIndexOf(QLatin1Char('/'));
        start = QLatin1String("Exec=env \"./") + program.mid(slash + 1)
            + QLatin1String("\" /m\nPath=") + program.left(slash) + QLatin1Char('\n');
    }
    const QString text = QString(kGroup) + QLatin1String("\n"
                                                         "Type=Application\n"
                                                         "Name=Taloran\n"
                                                         "Comment=Countdown to a chosen moment, started minimized\n")
        + start
        + QLatin1String("Icon=taloran\n"
                        "Terminal=false\n"
                        "X-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

bool DesktopEntry::isSwitchedOff(const QByteArray &entryText)
{
    bool inEntryGroup = false;
    for (const QByteArray &rawLine : entryText.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inEntryGroup = line == QByteArrayView(kGroup);
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inEntryGroup || eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if ((key == "Hidden" && value == "true")
            || (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return true;
    }
    return false;
}
