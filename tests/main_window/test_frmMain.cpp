// The main window's behaviour: the countdown in its labels, the minimized
// caption, start-up and unload, and which control a mouse press reaches.

#include "TestMain.h"

#include "DateText.h"
#include "PictureBox.h"
#include "SettingsStore.h"
#include "frmMain.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

namespace {

DateValue moment(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateValue(localMoment(y, mo, d, h, mi, s));
}

QString storedTarget()
{
    return SettingsStore::getSetting(QStringLiteral("General"), QStringLiteral("Target"));
}

void storeTarget(const QString &text)
{
    SettingsStore::saveSetting(QStringLiteral("General"), QStringLiteral("Target"), text);
}

QStringList captions(const frmMain &form)
{
    return {form.lblWeeks->text(), form.lblDays->text(), form.lblHrs->text(),
            form.lblMin->text(), form.lblSec->text()};
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(SettingsStore::location()); }

    void countdownFields_data()
    {
        QTest::addColumn<DateValue>("now");
        QTest::addColumn<DateValue>("target");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a fortnight ahead") << moment(2007, 3, 11, 11, 13, 39)
                                           << moment(2007, 3, 25, 8) << QStringList{"1", "6", "20", "46", "21"};
        QTest::newRow("across new year") << moment(2007, 12, 31, 23, 59, 59)
                                         << moment(2008, 1, 1) << QStringList{"0", "0", "0", "0", "1"};
        QTest::newRow("across a leap day") << moment(2008, 2, 28, 22, 30, 15)
                                           << moment(2008, 3, 1, 6, 45, 50)
                                           << QStringList{"0", "1", "8", "15", "35"};
        QTest::newRow("target is now") << moment(2007, 3, 11, 11, 13, 39)
                                       << moment(2007, 3, 11, 11, 13, 39)
                                       << QStringList{"0", "0", "0", "0", "0"};
        QTest::newRow("one second past") << moment(2007, 3, 11, 11, 13, 40)
                                         << moment(2007, 3, 11, 11, 13, 39)
                                         << QStringList{"0", "0", "0", "0", "0"};
        QTest::newRow("32767 days") << moment(2007, 3, 11, 11, 13, 39)
                                    << moment(2096, 11, 25, 11, 13, 39)
                                    << QStringList{"4681", "0", "0", "0", "0"};
        // Beyond the 32767 days a 16-bit field could hold: still exact.
        QTest::newRow("32768 days") << moment(2007, 3, 11, 11, 13, 39)
                                    << moment(2096, 11, 26, 11, 13, 39)
                                    << QStringList{"4681", "1", "0", "0", "0"};
        QTest::newRow("to the end of 9999") << moment(2007, 3, 11, 11, 13, 39)
                                            << moment(9999, 12, 31, 23, 59, 59)
                                            << QStringList{"417044", "5", "12", "46", "20"};
        QTest::newRow("from year 100") << moment(100, 1, 1) << moment(9999, 12, 31, 23, 59, 59)
                                       << QStringList{"516557", "0", "23", "59", "59"};
    }

    void countdownFields()
    {
        QFETCH(DateValue, now);
        QFETCH(DateValue, target);
        QFETCH(QStringList, expected);
        FixedClock clock(now.toLocalSeconds());
        frmMain form;
        form.datTarget = target;
        form.UpdateDisplay(true);
        QCOMPARE(captions(form), expected);
    }

    void labelsShowInitialCaptionsUntilFirstChange()
    {
        // The seconds field of the first tick is 0, the value intLastSec
        // starts with, so the tick does nothing.
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        frmMain form;
        form.datTarget = moment(2007, 3, 25, 8, 0, 39);
        form.tmr_Timer();
        QCOMPARE(captions(form), QStringList(5, "00"));

        clock.advance(std::chrono::seconds(1));
        form.tmr_Timer();
        QCOMPARE(captions(form), (QStringList{"1", "6", "20", "46", "59"}));
    }

    void unforcedUpdateSkipsTheSameSecond()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        frmMain form;
        form.datTarget = moment(2007, 3, 25, 8);
        form.tmr_Timer();
        QCOMPARE(form.lblSec->text(), "21");

        // Same second: nothing is touched, not even a caption set by hand.
        form.lblMin->setText("x");
        form.tmr_Timer();
        QCOMPARE(form.lblMin->text(), "x");

        // A forced call in the same second rewrites all five.
        form.UpdateDisplay(true);
        QCOMPARE(form.lblMin->text(), "46");

        // The clock set back by exactly a minute repeats the seconds value:
        // skipped until the seconds change, then right again.
        clock.advance(std::chrono::seconds(-60));
        form.tmr_Timer();
        QCOMPARE(form.lblMin->text(), "46");
        clock.advance(std::chrono::seconds(1));
        form.tmr_Timer();
        QCOMPARE(captions(form), (QStringList{"1", "6", "20", "47", "20"}));
    }

    void minimizedCaption()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        frmMain form;
        form.datTarget = moment(2007, 3, 25, 8);
        form.show();
        QCOMPARE(form.windowTitle(), "Taloran");

        form.picMinimize_Click();
        QVERIFY(form.windowState() & Qt::WindowMinimized);
        // Built from the labels as they stand, before the first update.
        QCOMPARE(form.windowTitle(), "00w 00d 00h 00m 00s ");

        form.tmr_Timer();
        QCOMPARE(form.windowTitle(), "1w 6d 20h 46m 21s ");

        // Once the target has passed, the labels read 0 but the caption is
        // left as the last full update wrote it.
        clock.set(localMoment(2007, 3, 25, 8, 0, 1));
        form.tmr_Timer();
        QCOMPARE(captions(form), QStringList(5, "0"));
        QCOMPARE(form.windowTitle(), "1w 6d 20h 46m 21s ");

        form.setWindowState(Qt::WindowNoState);
        QCOMPARE(form.windowTitle(), "Taloran");
        form.setWindowState(Qt::WindowMinimized);
        QCOMPARE(form.windowTitle(), "0w 0d 0h 0m 0s ");
    }

    void loadTakesTheStoredTargetOrPullsItUp_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<DateValue>("expected");
        const DateValue now = moment(2007, 3, 11, 11, 13, 39);
        QTest::newRow("nothing stored") << QString() << now;
        QTest::newRow("ahead") << "8:0.0 2007/3/25" << moment(2007, 3, 25, 8);
        QTest::newRow("equal to now") << "11:13.39 2007/3/11" << now;
        QTest::newRow("one second ago") << "11:13.38 2007/3/11" << now;
        QTest::newRow("general text") << DateText::general(moment(2031, 7, 4, 0, 0, 1))
                                      << moment(2031, 7, 4, 0, 0, 1);
        QTest::newRow("unreadable") << "not a date" << now;
        QTest::newRow("empty text") << "" << now;
    }

    void loadTakesTheStoredTargetOrPullsItUp()
    {
        QFETCH(QString, stored);
        QFETCH(DateValue, expected);
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        if (!stored.isNull())
            storeTarget(stored);
        frmMain form;
        form.Form_Load({});
        QCOMPARE(form.datTarget, expected);
        QVERIFY(form.isVisible());
        QVERIFY(!(form.windowState() & Qt::WindowMinimized));
        // Loading never rewrites the stored text, readable or not.
        QCOMPARE(storedTarget(), stored.isNull() ? QString() : stored);
    }

    void anyArgumentStartsMinimized_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("/m") << QStringList{"/m"};
        QTest::newRow("anything") << QStringList{"hello", "world"};
        QTest::newRow("an empty argument") << QStringList{""};
    }

    void anyArgumentStartsMinimized()
    {
        QFETCH(QStringList, arguments);
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        frmMain form;
        form.Form_Load(arguments);
        QVERIFY(form.windowState() & Qt::WindowMinimized);
        QCOMPARE(form.windowTitle(), "00w 00d 00h 00m 00s ");
    }

    void unloadWritesTheTargetOnce()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        frmMain form;
        form.Form_Load({});
        form.datTarget = moment(2031, 7, 4);
        form.picClose_Click();
        QVERIFY(!form.isVisible());
        QVERIFY(form.isUnloaded());
        QCOMPARE(storedTarget(), DateText::general(moment(2031, 7, 4)));
        QVERIFY(!form.tmr->isActive());

        // A second close does not write again.
        storeTarget("kept");
        form.close();
        form.programEnding();
        QCOMPARE(storedTarget(), "kept");

        // A target changed after the unload is written when the program ends.
        form.datTarget = moment(2032, 1, 2, 3, 4, 5);
        form.programEnding();
        QCOMPARE(storedTarget(), DateText::general(moment(2032, 1, 2, 3, 4, 5)));
    }

    void programEndingUnloadsAWindowStillOpen()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        frmMain form;
        form.Form_Load({});
        form.programEnding();
        QVERIFY(form.isUnloaded());
        QCOMPARE(storedTarget(), DateText::general(moment(2007, 3, 11, 11, 13, 39)));
    }

    void pressesOnLabelsAndButtonsStayThere()
    {
        frmMain form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy backgroundPresses(form.picBack, &PictureBox::mouseDown);
        QSignalSpy backgroundDoubleClicks(form.picBack, &PictureBox::doubleClicked);
        for (QWidget *control : std::initializer_list<QWidget *>{
                 form.lblWeeks, form.lblSec, form.picMore, form.picClose, form.picMinimize}) {
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                QTest::mousePress(control, button);
                QTest::mouseRelease(control, button);
                QTest::mouseDClick(control, button);
            }
        }
        QCOMPARE(backgroundPresses.count(), 0);
        QCOMPARE(backgroundDoubleClicks.count(), 0);
    }

    void buttonClicks()
    {
        frmMain form;
        form.show();
        QSignalSpy details(&form, &frmMain::detailsRequested);

        QTest::mouseClick(form.picMore, Qt::LeftButton);
        QCOMPARE(details.count(), 1);

        // Only a left press and release over the same button is a click.
        QTest::mouseClick(form.picMore, Qt::RightButton);
        QTest::mousePress(form.picMore, Qt::LeftButton);
        QTest::mouseRelease(form.picMore, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(details.count(), 1);
        QVERIFY(!(form.windowState() & Qt::WindowMinimized));

        QTest::mouseClick(form.picMinimize, Qt::LeftButton);
        QVERIFY(form.windowState() & Qt::WindowMinimized);
        form.setWindowState(Qt::WindowNoState);

        QTest::mouseClick(form.picClose, Qt::LeftButton);
        QVERIFY(form.isUnloaded());
    }

    void layout()
    {
        frmMain form;
        QCOMPARE(form.size(), QSize(800, 125));
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.picBack->geometry(), QRect(0, 0, 800, 125));

        const QList<QPair<QWidget *, QRect>> places{
            {form.lblWeeks, {8, 5, 57, 73}},    {form.lblDays, {197, 5, 57, 73}},
            {form.lblHrs, {352, 5, 57, 73}},    {form.lblMin, {523, 5, 57, 73}},
            {form.lblSec, {653, 5, 57, 73}},    {form.picMore, {696, 77, 40, 40}},
            {form.picClose, {740, 77, 40, 40}}, {form.picMinimize, {652, 77, 40, 40}}};
        for (const auto &[control, rect] : places) {
            QCOMPARE(control->parentWidget(), form.picBack);
            QCOMPARE(control->geometry(), rect);
        }
        for (QLabel *label : {form.lblWeeks, form.lblDays, form.lblHrs, form.lblMin, form.lblSec}) {
            QCOMPARE(label->text(), "00");
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            QVERIFY(!label->wordWrap());
            QVERIFY(!label->autoFillBackground());
            QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
        }
        // A caption wider than the label keeps the label's size.
        form.lblWeeks->setText("417052");
        QCOMPARE(form.lblWeeks->size(), QSize(57, 73));

        QCOMPARE(form.picBack->cursor().shape(), Qt::ArrowCursor);
        for (QWidget *button : std::initializer_list<QWidget *>{form.picMore, form.picClose,
                                                                 form.picMinimize})
            QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(form.picMore->accessibleName(), "Details");
        QCOMPARE(form.lblSec->accessibleDescription(), "seconds");

        QVERIFY(form.tmr->isActive());
        QCOMPARE(form.tmr->interval(), 1);
    }
};

TALORAN_TEST_MAIN(TestFrmMain)
#include "test_frmMain.moc"
