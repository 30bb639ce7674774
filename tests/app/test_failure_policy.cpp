// What the user is told of a value that could not be saved, and when.

#include "support/TestMain.h"
#include "support/TestSupport.h"

#include "app/FailurePolicy.h"
#include "countdown/CountdownTarget.h"
#include "platform/SettingsStore.h"

#include <QMessageBox>

namespace {

// Runs `action`, dismissing every message box it shows; returns their texts.
QStringList boxesDuring(const std::function<void()> &action)
{
    QStringList texts;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [&texts] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (box && box->isVisible() && !texts.contains(box->text())) {
                texts << box->text();
                box->accept();
            }
        }
    });
    dismiss.start(20);
    action();
    return texts;
}

// The store's file cannot be written while a folder stands in its place.
void breakStore(bool broken)
{
    clearSettingsStore();
    QDir(SettingsStore::location()).removeRecursively();
    if (broken)
        QDir().mkpath(SettingsStore::location());
}

} // namespace

class TestFailurePolicy : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { breakStore(false); }

    void oneBoxAtATime()
    {
        CountdownTarget target;
        FailurePolicy policy(target);
        bool secondReturned = false;
        const QStringList shown = boxesDuring([&] {
            QTimer::singleShot(0, [&] {
                policy.report(QStringLiteral("Taloran"), QStringLiteral("second"));
                secondReturned = true;
            });
            policy.report(QStringLiteral("Taloran"), QStringLiteral("first"));
        });
        QVERIFY(secondReturned);
        QCOMPARE(shown, QStringList{"first"});
    }

    void aFailedWriteIsShownWithTheFileAndTheReason()
    {
#ifdef Q_OS_WIN
        QSKIP("the Windows store is the registry");
#endif
        CountdownTarget target;
        FailurePolicy policy(target);
        breakStore(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("settings were not saved"));
        const QStringList shown = boxesDuring([] {
            SettingsStore::setValue("General", "Target", "x", QStringLiteral("The target was lost."));
        });
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith("The target was lost.\n\nFile: " + SettingsStore::location()));
        QVERIFY(shown[0].contains("Reason: A folder is in the place of the file."));
    }

    void whileEndingNothingWaitsAndTheLastTryWritesTheTarget()
    {
        CountdownTarget target;
        FailurePolicy policy(target);
        target.setMoment(at(2030, 3, 4, 14, 30, 15));
#ifndef Q_OS_WIN
        breakStore(true);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("settings were not saved"));
        QVERIFY(boxesDuring([&] { policy.finish(); }).isEmpty());
        QVERIFY(policy.isEnding());
        breakStore(false);
#endif
        // A later last try still writes what was lost.
        QVERIFY(boxesDuring([&] { policy.finish(); }).isEmpty());
        CountdownTarget reread;
        reread.load(at(2020, 1, 1));
        QCOMPARE(reread.moment(), at(2030, 3, 4, 14, 30, 15));
    }
};

TALORAN_TEST_MAIN(TestFailurePolicy)
#include "test_failure_policy.moc"
