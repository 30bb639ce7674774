#include "DesktopEntry.h"

#include <QList>

namespace {

const QLatin1StringView kGroup("[Desktop Entry]");

} // namespace

QString DesktopEntry::quoteExecArgument(const QString &argument)
{
    QString quoted;
    quoted.reserve(argument.size() + 2);
    quoted += QLatin1Char('"');
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted;
}

QString DesktopEntry::escapeString(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else if (c == QLatin1Char(' ') && i == 0)
            escaped += QLatin1String("\\s");
        else
            escaped += c;
    }
    return escaped;
}

QString DesktopEntry::execValue(const QString &program)
{
    QString command = quoteExecArgument(program) + QLatin1String(" /m");
    command.replace(QLatin1Char('%'), QLatin1String("%%"));
    return escapeString(command);
}

QByteArray DesktopEntry::autostartEntry(const QString &program)
{
    const QString text = QString(kGroup) + QLatin1String("\n"
                                                         "Type=Application\n"
                                                         "Name=Taloran\n"
                                                         "Comment=Countdown to a chosen moment, started minimized\n"
                                                         "Exec=")
        + execValue(program)
        + QLatin1String("\n"
                        "Icon=taloran\n"
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
