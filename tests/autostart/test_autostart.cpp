// The run-at-startup entry on Linux: Taloran.desktop in the autostart folder
// under $XDG_CONFIG_HOME. Every case gets an empty config folder of its own.

#include "autostart/Autostart.h"
#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <optional>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The keys of the [Desktop Entry] group, values as written in the file.
QHash<QString, QString> entryKeys(const QByteArray &text)
{
    QHash<QString, QString> keys;
    bool inGroup = false;
    for (const QString &line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
        } else if (inGroup && line.contains(QLatin1Char('='))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            keys.insert(line.left(eq), line.mid(eq + 1));
        }
    }
    return keys;
}

// Reads an Exec value back into its arguments the way a desktop does: the
// string escapes first, then "%%", then the quoting of the Exec key. Empty
// when the value breaks the rules.
std::optional<QStringList> decodeExec(const QString &value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\')) {
            unescaped += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i].unicode()) {
        case 's': unescaped += QLatin1Char(' '); break;
        case 'n': unescaped += QLatin1Char('\n'); break;
        case 't': unescaped += QLatin1Char('\t'); break;
        case 'r': unescaped += QLatin1Char('\r'); break;
        case '\\': unescaped += QLatin1Char('\\'); break;
        default: return std::nullopt;
        }
    }

    QString command;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        if (unescaped[i] == QLatin1Char('%')) {
            if (i + 1 == unescaped.size() || unescaped[i + 1] != QLatin1Char('%'))
                return std::nullopt; // no field codes in our entry
            ++i;
        }
        command += unescaped[i];
    }

    QStringList arguments;
    QString current;
    bool inWord = false;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command[i];
        if (c == QLatin1Char(' ')) {
            if (inWord)
                arguments << current;
            current.clear();
            inWord = false;
        } else if (c == QLatin1Char('"')) {
            inWord = true;
            for (++i;; ++i) {
                if (i == command.size())
                    return std::nullopt; // unterminated quote
                const QChar q = command[i];
                if (q == QLatin1Char('"'))
                    break;
                if (q == QLatin1Char('\\')) {
                    if (i + 1 == command.size())
                        return std::nullopt;
                    const QChar next = command[++i];
                    if (!QStringLiteral("\"`$\\").contains(next))
                        return std::nullopt;
                    current += next;
                } else {
                    current += q;
                }
            }
        } else {
            if (QStringLiteral("\t\n'\\><~|&;$*?#()`").contains(c))
                return std::nullopt; // reserved outside quotes
            current += c;
            inWord = true;
        }
    }
    if (inWord)
        arguments << current;
    return arguments;
}

// desktop-file-validate's complaints about the entry, or an empty text.
// Sets `found` to false when the tool is not installed.
QString validatorComplaints(const QString &path, bool &found)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    found = !tool.isEmpty();
    if (!found)
        return {};
    QProcess process;
    process.start(tool, {path});
    if (!process.waitForFinished(30000))
        return QStringLiteral("desktop-file-validate did not finish");
    const QString output = QString::fromUtf8(process.readAllStandardOutput()
                                             + process.readAllStandardError());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || output.contains(QLatin1String("error:")) || output.contains(QLatin1String("warning:")))
        return output.isEmpty() ? QStringLiteral("exit code %1").arg(process.exitCode()) : output;
    return {};
}

const QByteArray kForeignEntry = "[Desktop Entry]\nType=Application\nName=Someone else's\n"
                                 "Exec=/usr/bin/true\n# left exactly as it is\n";

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT

private:
    std::optional<QTemporaryDir> m_home;

    QString configHome() const { return m_home->path() + QLatin1String("/config"); }
    QString autostart() const { return configHome() + QLatin1String("/autostart"); }
    QString entryPath() const { return autostart() + QLatin1String("/Taloran.desktop"); }

    // Writes an entry of someone else's making in place of ours.
    void putEntry(const QByteArray &content)
    {
        QVERIFY(QDir().mkpath(autostart()));
        QVERIFY(writeFile(entryPath(), content));
    }

    void verifyWrittenEntry(const QString &program)
    {
        const QHash<QString, QString> keys = entryKeys(readAll(entryPath()));
        QCOMPARE(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(keys.value(QStringLiteral("Name")), QStringLiteral("Taloran"));
        QCOMPARE(keys.value(QStringLiteral("Hidden"), QStringLiteral("false")),
                 QStringLiteral("false"));
        QCOMPARE(keys.value(QStringLiteral("X-GNOME-Autostart-enabled"), QStringLiteral("true")),
                 QStringLiteral("true"));
        const std::optional<QStringList> exec = decodeExec(keys.value(QStringLiteral("Exec")));
        QVERIFY2(exec.has_value(), qPrintable(keys.value(QStringLiteral("Exec"))));
        const QString folder = keys.value(QStringLiteral("Path"));
        if (folder.isEmpty()) {
            QCOMPARE(*exec, (QStringList{program, QStringLiteral("/m")}));
        } else {
            QCOMPARE(exec->size(), 3);
            QCOMPARE(exec->at(0), QStringLiteral("env"));
            QCOMPARE(folder + exec->at(1).mid(1), program);
            QCOMPARE(exec->at(2), QStringLiteral("/m"));
        }

        bool validatorFound = false;
        const QString complaints = validatorComplaints(entryPath(), validatorFound);
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints));
        if (!validatorFound)
            qInfo("desktop-file-validate not installed: entry not validated");
    }

private slots:
    void init()
    {
        m_home.emplace();
        QVERIFY(m_home->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    }

    void cleanup()
    {
        // Read-only folders left by a case must not stop the removal.
        QFile::setPermissions(configHome(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(autostart(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_home.reset();
    }

    void autostartFolder()
    {
        QVERIFY(!QFileInfo::exists(autostart()));
        QCOMPARE(QFileInfo(Autostart::entryPath()).path(), autostart());
        QVERIFY2(QFileInfo(autostart()).isDir(), "the folder is created when missing");
    }

    void autostartFolderDefaultsToDotConfig()
    {
        const QByteArray savedHome = qgetenv("HOME");
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(m_home->path()));
        const QString folder = QFileInfo(Autostart::entryPath()).path();
        qputenv("HOME", savedHome);
        QCOMPARE(folder, m_home->path() + QLatin1String("/.config/autostart"));
    }

    void entryForProgramPath_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec"); // the Exec line as it must stand in the file
        QTest::addColumn<QString>("path"); // the Path key; empty: none

        const QString none;
        QTest::newRow("plain") << QStringLiteral("/usr/bin/taloran")
                               << QStringLiteral("\"/usr/bin/taloran\" /m") << none;
        QTest::newRow("spaces") << QStringLiteral("/home/ann/My Programs/taloran")
                                << QStringLiteral("\"/home/ann/My Programs/taloran\" /m") << none;
        QTest::newRow("non-ASCII") << QStringLiteral("/home/Zoë/日本/taloran")
                                   << QStringLiteral("\"/home/Zoë/日本/taloran\" /m") << none;
        QTest::newRow("shell characters")
            << QStringLiteral("/opt/it's (new) & <odd>; *?#~|/taloran")
            << QStringLiteral("\"/opt/it's (new) & <odd>; *?#~|/taloran\" /m") << none;
        // Characters that launchers read differently in Exec: the folder
        // moves to the Path key.
        QTest::newRow("double quote") << QStringLiteral("/opt/a\"b/taloran")
                                      << QStringLiteral("env \"./taloran\" /m")
                                      << QStringLiteral("/opt/a\"b");
        QTest::newRow("percent, dollar, backtick")
            << QStringLiteral("/tmp/Zoë 100%u $HOME `id`/日本 x/Taloran.bin")
            << QStringLiteral("env \"./Taloran.bin\" /m")
            << QStringLiteral("/tmp/Zoë 100%u $HOME `id`/日本 x");
    }

    void entryForProgramPath()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QFETCH(QString, path);

        // The launchers themselves run these in tests/e2e/autostart.sh.
        QCOMPARE(Autostart::whyCannotStart(program), QString());
        QVERIFY(!Autostart::setEnabled(true, program));
        QCOMPARE(Autostart::entryPath(), entryPath());
        const QHash<QString, QString> keys = entryKeys(readAll(entryPath()));
        QCOMPARE(keys.value(QStringLiteral("Exec")), exec);
        QCOMPARE(keys.value(QStringLiteral("Path")), path);
        verifyWrittenEntry(program);
        QVERIFY(Autostart::isEnabled());
    }

    void programThatNoEntryStarts_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("backslash") << QStringLiteral("/opt/a\\b/taloran");
        QTest::newRow("newline") << QStringLiteral("/opt/a\nb/taloran");
        QTest::newRow("tab") << QStringLiteral("/opt/a\tb/taloran");
        QTest::newRow("name that is not text") << QStringLiteral("/opt/a\uFFFDb/taloran");
        QTest::newRow("percent in the file name") << QStringLiteral("/opt/$x/taloran%u");
        QTest::newRow("equals sign in the file name") << QStringLiteral("/opt/$x/a=b");
        QTest::newRow("relative") << QStringLiteral("taloran");
        QTest::newRow("empty") << QString();
    }

    void programThatNoEntryStarts()
    {
        QFETCH(QString, program);
        QVERIFY(!Autostart::whyCannotStart(program).isEmpty());
        QVERIFY(!Autostart::setEnabled(true, program));
        QVERIFY(!QFileInfo::exists(entryPath()));
        QVERIFY(!Autostart::isEnabled());
    }

    void isEnabled_data()
    {
        QTest::addColumn<QByteArray>("entry"); // empty: no file
        QTest::addColumn<bool>("checked");

        QTest::newRow("no entry") << QByteArray() << false;
        QTest::newRow("entry") << QByteArray("[Desktop Entry]\nType=Application\nName=Taloran\n"
                                             "Exec=taloran /m\n")
                               << true;
        QTest::newRow("Hidden=true") << QByteArray("[Desktop Entry]\nType=Application\n"
                                                   "Exec=taloran /m\nHidden=true\n")
                                     << false;
        QTest::newRow("Hidden = true, spaced") << QByteArray("[Desktop Entry]\nExec=taloran /m\n"
                                                             "Hidden = true\n")
                                               << false;
        QTest::newRow("GNOME switched off") << QByteArray("[Desktop Entry]\nExec=taloran /m\n"
                                                          "X-GNOME-Autostart-enabled=false\n")
                                            << false;
        QTest::newRow("GNOME switched on") << QByteArray("[Desktop Entry]\nExec=taloran /m\n"
                                                         "X-GNOME-Autostart-enabled=true\n"
                                                         "Hidden=false\n")
                                           << true;
        QTest::newRow("Hidden in another group")
            << QByteArray("[Desktop Entry]\nExec=taloran /m\n\n[Desktop Action x]\nHidden=true\n")
            << true;
        QTest::newRow("Hidden commented out") << QByteArray("[Desktop Entry]\nExec=taloran /m\n"
                                                            "# Hidden=true\n")
                                              << true;
        QTest::newRow("CRLF lines") << QByteArray("[Desktop Entry]\r\nExec=taloran /m\r\n"
                                                  "Hidden=true\r\n")
                                    << false;
    }

    void isEnabled()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, checked);

        if (!entry.isEmpty())
            putEntry(entry);
        QCOMPARE(Autostart::isEnabled(), checked);
    }

    void aFolderOfThatNameIsNoEntry()
    {
        QVERIFY(QDir().mkpath(entryPath()));
        QVERIFY(!Autostart::isEnabled());
        QVERIFY(!Autostart::setEnabled(false));
        QVERIFY(QFileInfo(entryPath()).isDir());
    }

    void setEnabled_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("entryBefore");
        QTest::addColumn<bool>("entryAfter");
        QTest::addColumn<bool>("untouched"); // an entry there before keeps its content

        QTest::newRow("off, entry there: removed") << false << true << false << false;
        QTest::newRow("on, no entry: created") << true << false << true << false;
        QTest::newRow("on, entry there: left alone") << true << true << true << true;
        QTest::newRow("off, no entry: nothing made") << false << false << false << true;
    }

    void setEnabled()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, entryBefore);
        QFETCH(bool, entryAfter);
        QFETCH(bool, untouched);

        QVERIFY(QDir().mkpath(autostart()));
        const QString neighbour = autostart() + QLatin1String("/other.desktop");
        QVERIFY(writeFile(neighbour, kForeignEntry));
        if (entryBefore)
            putEntry(kForeignEntry);

        Autostart::setEnabled(enabled);

        QCOMPARE(QFileInfo::exists(entryPath()), entryAfter);
        QCOMPARE(Autostart::isEnabled(), entryAfter);
        QCOMPARE(readAll(neighbour), kForeignEntry);
        if (entryBefore && untouched)
            QCOMPARE(readAll(entryPath()), kForeignEntry);
        if (entryAfter && !entryBefore)
            verifyWrittenEntry(QCoreApplication::applicationFilePath());
    }

    void switchedOffEntry_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::newRow("Hidden=true")
            << QByteArray("[Desktop Entry]\nType=Application\nName=Taloran\nExec=/old/taloran /m\n"
                          "Hidden=true\n");
        QTest::newRow("X-GNOME-Autostart-enabled=false")
            << QByteArray("[Desktop Entry]\nType=Application\nName=Taloran\nExec=/old/taloran /m\n"
                          "X-GNOME-Autostart-enabled=false\n");
    }

    void switchedOffEntry()
    {
        QFETCH(QByteArray, entry);

        // Off: the entry is not ours to remove, as far as the option shows.
        putEntry(entry);
        QVERIFY(!Autostart::isEnabled());
        Autostart::setEnabled(false);
        QCOMPARE(readAll(entryPath()), entry);

        // On: replaced by an enabled entry for this program.
        Autostart::setEnabled(true);
        QVERIFY(Autostart::isEnabled());
        verifyWrittenEntry(QCoreApplication::applicationFilePath());
    }

    void folderCannotBeUsed_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("config home below a regular file") << "file";
        QTest::newRow("read-only config home") << "read-only home";
        QTest::newRow("read-only autostart folder") << "read-only autostart";
    }

    void folderCannotBeUsed()
    {
        QFETCH(QString, setup);

        if (setup == QLatin1String("file")) {
            const QString blocker = m_home->path() + QLatin1String("/plain-file");
            QVERIFY(writeFile(blocker, "not a folder"));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker + QLatin1String("/config")));
        } else {
            const QString readOnly = setup == QLatin1String("read-only home") ? configHome()
                                                                              : autostart();
            QVERIFY(QDir().mkpath(readOnly));
            QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
            if (::access(QFile::encodeName(readOnly).constData(), W_OK) == 0)
                QSKIP("this user can write to read-only folders");
        }

        const QString path = Autostart::entryPath();
        const QString folder = path.isEmpty() ? QString() : QFileInfo(path).path();
        if (setup == QLatin1String("read-only autostart"))
            QCOMPARE(folder, autostart());
        else
            QVERIFY2(folder.isEmpty(), qPrintable(folder));

        QVERIFY(!Autostart::isEnabled());
        QVERIFY(Autostart::setEnabled(true, QStringLiteral("/usr/bin/taloran")));
        Autostart::setEnabled(false);
        QVERIFY(!Autostart::isEnabled());

        // Nothing anywhere under the temporary home but what the case put there.
        QStringList made;
        QDirIterator it(m_home->path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            made << QDir(m_home->path()).relativeFilePath(it.next());
        made.sort();
        const QStringList expected = setup == QLatin1String("file") ? QStringList{"plain-file"}
            : setup == QLatin1String("read-only home")               ? QStringList{"config"}
                                                                     : QStringList{"config", "config/autostart"};
        QCOMPARE(made, expected);
    }
};

TALORAN_TEST_MAIN(TestAutostart)
#include "test_autostart.moc"
