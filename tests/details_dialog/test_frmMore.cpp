// The details dialog: pickers that set the target, the four totals, and its
// life cycle beside the main window.

#include "TestMain.h"

#include "DateText.h"
#include "DetailsLauncher.h"
#include "PictureBox.h"
#include "SettingsStore.h"
#include "frmMain.h"
#include "frmMore.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QTimeEdit>
#include <QTimer>

namespace {

DateValue moment(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateValue(localMoment(y, mo, d, h, mi, s));
}

QStringList totalsOf(const frmMore &dialog)
{
    return {dialog.lblDays->text(), dialog.lblHrs->text(), dialog.lblMins->text(),
            dialog.lblSecs->text()};
}

} // namespace

class TestFrmMore : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(SettingsStore::location()); }

    void loadSetsThePickersWithoutChangingTheTarget()
    {
        FixedClock clock(localMoment(2024, 3, 4, 8));
        frmMain main;
        main.datTarget = moment(2024, 3, 4, 9, 5, 7);
        frmMore dialog(main);
        dialog.Load();
        QCOMPARE(dialog.dtpTime->time(), QTime(9, 5, 7));
        QCOMPARE(dialog.dtpDate->date(), QDate(2024, 3, 4));
        QCOMPARE(dialog.pickerText(), "9:5.7 2024/3/4");
        QCOMPARE(main.datTarget, moment(2024, 3, 4, 9, 5, 7));
        // Totals and the main window wait for the first tick or edit.
        QCOMPARE(totalsOf(dialog), QStringList(4, "00"));
        QCOMPARE(main.lblSec->text(), "00");
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), dialog.dtpTime);
    }

    void pickerEditsSetTheTargetAndRefreshBothWindows_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("last second of 2024") << QTime(23, 59, 59) << QDate(2024, 12, 31)
                                             << "23:59.59 2024/12/31";
        QTest::newRow("midnight of 2025") << QTime(0, 0, 0) << QDate(2025, 1, 1) << "0:0.0 2025/1/1";
    }

    void pickerEditsSetTheTargetAndRefreshBothWindows()
    {
        QFETCH(QTime, time);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        FixedClock clock(localMoment(2024, 12, 31, 23, 0, 0));
        frmMain main;
        main.datTarget = moment(2024, 6, 1);
        frmMore dialog(main);
        dialog.Load();

        dialog.dtpDate->setDate(date);
        dialog.dtpTime->setTime(time);
        QCOMPARE(dialog.pickerText(), text);
        const DateValue expected =
            *DateValue::fromParts(date.year(), date.month(), date.day(), time.hour(),
                                  time.minute(), time.second());
        QCOMPARE(main.datTarget, expected);
        const qint64 secondsLeft = secondDifference(DateValue(clock.now()), expected);
        QCOMPARE(dialog.lblSecs->text(), QString::number(secondsLeft));
        QCOMPARE(main.lblSec->text(), QString::number(secondsLeft % 60));
    }

    void editingFromTheKeyboard()
    {
        FixedClock clock(localMoment(2024, 3, 4, 8));
        frmMain main;
        main.datTarget = moment(2024, 3, 4, 9, 5, 7);
        frmMore dialog(main);
        dialog.Load();
        dialog.dtpTime->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClick(dialog.dtpTime, Qt::Key_Up);
        QCOMPARE(main.datTarget, moment(2024, 3, 4, 10, 5, 7));
        QCOMPARE(main.lblHrs->text(), "2");
    }

    void totals_data()
    {
        QTest::addColumn<DateValue>("now");
        QTest::addColumn<DateValue>("target");
        QTest::addColumn<QStringList>("expected"); // days, hours, minutes, seconds
        QTest::newRow("across an hour") << moment(2024, 5, 6, 10, 59, 59)
                                        << moment(2024, 5, 6, 11) << QStringList{"0", "1", "1", "1"};
        QTest::newRow("across midnight") << moment(2024, 5, 6, 23) << moment(2024, 5, 7, 1)
                                         << QStringList{"1", "2", "120", "7200"};
        QTest::newRow("across new year") << moment(2024, 12, 31, 23, 59, 59)
                                         << moment(2025, 1, 1) << QStringList{"1", "1", "1", "1"};
        QTest::newRow("90 seconds past") << moment(2024, 5, 6, 12, 1, 30)
                                         << moment(2024, 5, 6, 12) << QStringList{"0", "0", "-1", "-90"};
        QTest::newRow("a year past") << moment(2024, 5, 6, 12) << moment(2023, 5, 6, 12)
                                     << QStringList{"-366", "-8784", "-527040", "-31622400"};
        // Beyond what a signed 32-bit seconds total could hold.
        QTest::newRow("to the end of 9999") << moment(2007, 3, 11, 11, 13, 39)
                                            << moment(9999, 12, 31, 23, 59, 59)
                                            << QStringList{"2919313", "70063524", "4203811486",
                                                           "252228689180"};
    }

    void totals()
    {
        QFETCH(DateValue, now);
        QFETCH(DateValue, target);
        QFETCH(QStringList, expected);
        FixedClock clock(now.toLocalSeconds());
        frmMain main;
        main.datTarget = target;
        frmMore dialog(main);
        dialog.Load();
        dialog.UpdateIndividualTimes(true);
        QCOMPARE(totalsOf(dialog), expected);
    }

    void lastDigitSkipsUnforcedRefreshes()
    {
        FixedClock clock(localMoment(2024, 5, 6, 12));
        frmMain main;
        main.datTarget = moment(2024, 5, 6, 13);
        frmMore dialog(main);
        dialog.Load();
        dialog.tmr_Timer();
        QCOMPARE(dialog.lblSecs->text(), "3600");
        QCOMPARE(dialog.strLastDigit, "0");

        // Ten seconds on, the last digit is the same: nothing changes.
        clock.advance(std::chrono::seconds(10));
        dialog.tmr_Timer();
        QCOMPARE(dialog.lblSecs->text(), "3600");

        // A forced refresh rewrites all four.
        dialog.UpdateIndividualTimes(true);
        QCOMPARE(totalsOf(dialog), (QStringList{"0", "1", "60", "3590"}));

        clock.advance(std::chrono::seconds(1));
        dialog.tmr_Timer();
        QCOMPARE(dialog.lblSecs->text(), "3589");
        QCOMPARE(dialog.strLastDigit, "9");
    }

    void aTextThatDoesNotReadKeepsTheTarget()
    {
        FixedClock clock(localMoment(2024, 5, 6, 12));
        frmMain main;
        main.datTarget = moment(2024, 5, 6, 13);
        frmMore dialog(main);
        dialog.Load();
        for (const QString &text : {QString(), QStringLiteral("garbage"),
                                    QStringLiteral("25:0.0 2024/1/1"), QStringLiteral("1:0.0 2023/2/29"),
                                    QStringLiteral("1:0.0 10000/1/1")})
            dialog.applyPickerText(text);
        QCOMPARE(main.datTarget, moment(2024, 5, 6, 13));
    }

    void closingUnloadsTheControlsAndLoadingRecreatesThem()
    {
        FixedClock clock(localMoment(2024, 5, 6, 12));
        frmMain main;
        main.datTarget = moment(2024, 5, 6, 13);
        DetailsLauncher launcher(main);
        launcher.open();
        frmMore *dialog = launcher.dialog();
        QVERIFY(dialog && dialog->isLoaded());
        dialog->UpdateIndividualTimes(true);
        dialog->chkStartup->setChecked(false);
        QPointer<QTimeEdit> oldPicker = dialog->dtpTime;

        dialog->close();
        QVERIFY(!dialog->isLoaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(oldPicker.isNull());
        QCOMPARE(dialog->strLastDigit, "0");

        // The same instance comes back with fresh controls.
        launcher.open();
        QCOMPARE(launcher.dialog(), dialog);
        QVERIFY(dialog->isLoaded() && dialog->isVisible());
        QCOMPARE(totalsOf(*dialog), QStringList(4, "00"));
        QCOMPARE(dialog->strLastDigit, "0");
        QVERIFY(dialog->tmr->isActive());

        // A second request while open opens nothing new.
        QPointer<QTimeEdit> picker = dialog->dtpTime;
        launcher.open();
        QCOMPARE(launcher.dialog(), dialog);
        QCOMPARE(dialog->dtpTime, picker.data());
        dialog->close();
    }

    void theDetailsButtonOpensTheDialog()
    {
        frmMain main;
        main.show();
        DetailsLauncher launcher(main);
        QTest::mouseClick(main.picMore, Qt::LeftButton);
        QVERIFY(launcher.dialog() && launcher.dialog()->isVisible());
        QVERIFY(main.isVisible());
        QVERIFY(main.tmr->isActive());
        launcher.dialog()->close();
    }

    void editsAfterTheMainWindowClosedAreKept()
    {
        FixedClock clock(localMoment(2024, 5, 6, 12));
        frmMain main;
        main.Form_Load({});
        DetailsLauncher launcher(main);
        launcher.open();
        main.close();
        QVERIFY(main.isUnloaded());

        launcher.dialog()->dtpDate->setDate(QDate(2030, 1, 2));
        QCOMPARE(main.datTarget, moment(2030, 1, 2, 12));
        launcher.dialog()->close();
        main.programEnding();
        QCOMPARE(SettingsStore::getSetting("General", "Target"),
                 DateText::general(moment(2030, 1, 2, 12)));
    }

    void layout()
    {
        frmMain main;
        frmMore dialog(main);
        dialog.Load();
        QCOMPARE(dialog.size(), QSize(346, 267));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(dialog.windowTitle(), "Taloran");

        const QList<QPair<QWidget *, QRect>> places{
            {dialog.Label2, {16, 19, 89, 17}},   {dialog.dtpTime, {104, 16, 97, 20}},
            {dialog.dtpDate, {208, 16, 121, 20}}, {dialog.Frame1, {16, 48, 313, 177}},
            {dialog.Label3, {8, 24, 73, 25}},    {dialog.lblDays, {88, 24, 185, 25}},
            {dialog.Label5, {8, 48, 73, 25}},    {dialog.lblHrs, {88, 48, 185, 25}},
            {dialog.Label7, {8, 72, 73, 25}},    {dialog.lblMins, {88, 72, 185, 25}},
            {dialog.Label9, {8, 96, 73, 25}},    {dialog.lblSecs, {88, 96, 185, 25}},
            {dialog.chkStartup, {16, 240, 289, 17}}};
        for (const auto &[control, rect] : places)
            QCOMPARE(control->geometry(), rect);
        QCOMPARE(dialog.Frame1->title(), "Individual Times");
        QCOMPARE(dialog.chkStartup->text(), "Run Taloran at startup (starts minimized)");
        QVERIFY(!dialog.chkStartup->isChecked());
        QCOMPARE(dialog.dtpDate->minimumDate(), QDate(1601, 1, 1));
        QCOMPARE(dialog.dtpDate->maximumDate(), QDate(9999, 12, 31));
        QVERIFY(dialog.dtpDate->calendarPopup());

        // Tab goes time picker, date picker, check box.
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.dtpTime);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.dtpDate);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.chkStartup);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), dialog.dtpDate);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), dialog.dtpTime);

        // Every picker value fits its box.
        QVERIFY(dialog.dtpTime->sizeHint().width() <= 97 + 4);
        dialog.close();
    }
};

TALORAN_TEST_MAIN(TestFrmMore)
#include "test_frmMore.moc"
