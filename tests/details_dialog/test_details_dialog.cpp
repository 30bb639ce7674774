// The details dialog: pickers that set the target, the four totals, and its
// life cycle beside the countdown window.

#include "support/TestMain.h"
#include "support/TestSupport.h"

#include "countdown/CountdownTarget.h"
#include "main_window/CountdownWindow.h"
#include "countdown/DateText.h"
#include "details_dialog/DetailsDialog.h"
#include "platform/SettingsStore.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTimeEdit>

namespace {

QStringList totalsOf(const DetailsDialog &dialog)
{
    return texts(dialog, {"daysTotal", "hoursTotal", "minutesTotal", "secondsTotal"});
}

QTimeEdit *timePicker(const DetailsDialog &dialog)
{
    return control<QTimeEdit>(dialog, "timePicker");
}

QDateEdit *datePicker(const DetailsDialog &dialog)
{
    return control<QDateEdit>(dialog, "datePicker");
}

QCheckBox *startupCheckBox(const DetailsDialog &dialog)
{
    return control<QCheckBox>(dialog, "startupCheckBox");
}

// A target set to `moment` and the dialog on it, opened.
struct OpenDialog
{
    explicit OpenDialog(const DateValue &moment = DateValue())
    {
        target.setMoment(moment);
        dialog.showAndActivate();
    }
    ~OpenDialog() { dialog.close(); }

    CountdownTarget target;
    DetailsDialog dialog{target};
};

} // namespace

class TestDetailsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearSettingsStore(); }

    void openingSetsThePickersWithoutChangingTheTarget()
    {
        FixedClock clock(localMoment(2024, 3, 4, 8));
        CountdownTarget target;
        target.setMoment(at(2024, 3, 4, 9, 5, 7));
        QSignalSpy changes(&target, &CountdownTarget::changed);
        DetailsDialog dialog(target);
        dialog.showAndActivate();
        QCOMPARE(timePicker(dialog)->time(), QTime(9, 5, 7));
        QCOMPARE(datePicker(dialog)->date(), QDate(2024, 3, 4));
        QCOMPARE(target.moment(), at(2024, 3, 4, 9, 5, 7));
        QCOMPARE(changes.count(), 0);
        // The totals are there at once.
        QCOMPARE(totalsOf(dialog), (QStringList{"0", "1", "65", "3907"}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), timePicker(dialog));
        dialog.close();
    }

    void pickerEditsSetTheTargetAndRefreshTheTotals_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QDate>("date");
        QTest::newRow("last second of 2024") << QTime(23, 59, 59) << QDate(2024, 12, 31);
        QTest::newRow("midnight of 2025") << QTime(0, 0, 0) << QDate(2025, 1, 1);
        QTest::newRow("earliest pick") << QTime(0, 0, 0) << QDate(1601, 1, 1);
        QTest::newRow("latest pick") << QTime(23, 59, 59) << QDate(9999, 12, 31);
    }

    void pickerEditsSetTheTargetAndRefreshTheTotals()
    {
        QFETCH(QTime, time);
        QFETCH(QDate, date);
        FixedClock clock(localMoment(2024, 12, 31, 23, 0, 0));
        OpenDialog open(at(2024, 6, 1));
        datePicker(open.dialog)->setDate(date);
        timePicker(open.dialog)->setTime(time);
        const DateValue expected =
            *DateValue::fromParts(date.year(), date.month(), date.day(), time.hour(),
                                  time.minute(), time.second());
        QCOMPARE(open.target.moment(), expected);
        const qint64 secondsLeft = secondDifference(DateValue(clock.now()), expected);
        QCOMPARE(control<QLabel>(open.dialog, "secondsTotal")->text(),
                 QString::number(secondsLeft));
    }

    void eachEditRefreshesTheTotalsInFull()
    {
        // Also when the last digit of the seconds total stays the same.
        FixedClock clock(localMoment(2024, 5, 6, 12));
        OpenDialog open(at(2024, 5, 6, 13));
        timePicker(open.dialog)->setTime(QTime(13, 0, 1));
        QCOMPARE(totalsOf(open.dialog), (QStringList{"0", "1", "60", "3601"}));
        control<QLabel>(open.dialog, "daysTotal")->setText("x");
        timePicker(open.dialog)->setTime(QTime(13, 0, 11));
        QCOMPARE(totalsOf(open.dialog), (QStringList{"0", "1", "60", "3611"}));
    }

    void editingFromTheKeyboard()
    {
        FixedClock clock(localMoment(2024, 3, 4, 8));
        OpenDialog open(at(2024, 3, 4, 9, 5, 7));
        QTimeEdit *picker = timePicker(open.dialog);
        picker->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClick(picker, Qt::Key_Up);
        QCOMPARE(open.target.moment(), at(2024, 3, 4, 10, 5, 7));
        QCOMPARE(totalsOf(open.dialog), (QStringList{"0", "2", "125", "7507"}));
        // After typing, the arrows step the field last typed in.
        QTest::keyClicks(picker, "1430");
        QTest::keyClick(picker, Qt::Key_Up);
        QCOMPARE(open.target.moment(), at(2024, 3, 4, 14, 31, 7));
    }

    void typingATime_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QTime>("expected");
        QTest::newRow("with colons") << "14:30:15" << QTime(14, 30, 15);
        QTest::newRow("one-digit hour") << "9:05:07" << QTime(9, 5, 7);
        QTest::newRow("one-digit fields") << "9:5:7" << QTime(9, 5, 7);
        QTest::newRow("digits only") << "143015" << QTime(14, 30, 15);
        QTest::newRow("digits only, one-digit hour") << "90507" << QTime(9, 5, 7);
        QTest::newRow("hour and minutes") << "23:59" << QTime(23, 59, 2);
        QTest::newRow("other separators") << "7.45 0" << QTime(7, 45, 0);
    }

    void typingATime()
    {
        // Typed from the hour field, as the dialog opens; the target follows.
        QFETCH(QString, keys);
        QFETCH(QTime, expected);
        FixedClock clock(localMoment(2024, 3, 4, 8));
        OpenDialog open(at(2030, 3, 4, 8, 1, 2));
        QTimeEdit *picker = timePicker(open.dialog);
        picker->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClicks(picker, keys);
        QCOMPARE(picker->time(), expected);
        QCOMPARE(open.target.moment(),
                 at(2030, 3, 4, expected.hour(), expected.minute(), expected.second()));
    }

    void typingADate_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QDate>("expected"); // invalid: refused
        const QString dmy = "dd/MM/yyyy", mdy = "M/d/yyyy";
        QTest::newRow("31 in June") << dmy << QDate(2030, 6, 15) << "31/12/2030" << QDate(2030, 12, 31);
        QTest::newRow("31 in February") << dmy << QDate(2028, 2, 28) << "31/12/2030" << QDate(2030, 12, 31);
        QTest::newRow("leap day, digits") << dmy << QDate(2030, 6, 15) << "29022028" << QDate(2028, 2, 29);
        QTest::newRow("one-digit fields") << dmy << QDate(2030, 6, 15) << "4.3.2031" << QDate(2031, 3, 4);
        QTest::newRow("month first") << mdy << QDate(2030, 6, 15) << "2/29/2028" << QDate(2028, 2, 29);
        QTest::newRow("month first, digits") << mdy << QDate(2030, 6, 15) << "12312030" << QDate(2030, 12, 31);
        QTest::newRow("no leap day") << dmy << QDate(2030, 6, 15) << "29/02/2030" << QDate();
        QTest::newRow("no 31 April") << mdy << QDate(2030, 6, 15) << "4/31/2030" << QDate();
        QTest::newRow("before 1601") << dmy << QDate(2030, 6, 15) << "01/01/1600" << QDate();
        // A two-digit year is the year the platform reads, once the typing
        // ends: here with a separator after it.
        QTest::newRow("two-digit year") << mdy << QDate(2027, 4, 3) << "1/2/27 " << QDate(2027, 1, 2);
        QTest::newRow("two-digit year, 1900s") << dmy << QDate(2027, 4, 3) << "02/01/75 " << QDate(1975, 1, 2);
    }

    void typingADate()
    {
        QFETCH(QString, format);
        QFETCH(QDate, from);
        QFETCH(QString, keys);
        QFETCH(QDate, expected);
        FixedClock clock(localMoment(2024, 3, 4, 8));
        const DateValue before = at(from.year(), from.month(), from.day(), 9, 5, 7);
        OpenDialog open(before);
        QDateEdit *picker = datePicker(open.dialog);
        picker->setDisplayFormat(format);
        picker->setCurrentSectionIndex(0);
        QTest::keyClicks(picker, keys);
        if (!expected.isValid()) {
            // A date that does not exist leaves the picker and the target
            // as they were.
            QCOMPARE(picker->date(), from);
            QCOMPARE(picker->text(), QLocale().toString(from, format));
            QCOMPARE(open.target.moment(), before);
            return;
        }
        QCOMPARE(picker->date(), expected);
        QCOMPARE(picker->text(), QLocale().toString(expected, format));
        QCOMPARE(open.target.moment(),
                 at(expected.year(), expected.month(), expected.day(), 9, 5, 7));
    }

    void aTwoDigitYearIsShownAsTypedThenInFull()
    {
        FixedClock clock(localMoment(2024, 3, 4, 8));
        OpenDialog open(at(2027, 4, 3));
        QDateEdit *picker = datePicker(open.dialog);
        picker->setDisplayFormat("M/d/yyyy");
        QVERIFY(QTest::qWaitForWindowActive(&open.dialog));
        picker->setFocus();
        picker->setCurrentSectionIndex(0);
        QTest::keyClicks(picker, "1/2/27");
        QCOMPARE(picker->text(), "1/2/27");
        // Tab leaves the picker, which ends the typing.
        QTest::keyClick(picker, Qt::Key_Tab);
        QVERIFY(!picker->hasFocus());
        QCOMPARE(picker->text(), "1/2/2027");
        QCOMPARE(open.target.moment(), at(2027, 1, 2));
    }

    void aDayTheMonthLacksIsHeld()
    {
        FixedClock clock(localMoment(2024, 3, 4, 8));
        OpenDialog open(at(2030, 6, 15));
        QDateEdit *picker = datePicker(open.dialog);
        picker->setDisplayFormat("dd/MM/yyyy");
        picker->setCurrentSectionIndex(0);
        QTest::keyClicks(picker, "31");
        QCOMPARE(picker->text(), "31/06/2030");
        QTest::keyClicks(picker, "/07");
        QCOMPARE(picker->date(), QDate(2030, 7, 31));
        // Leaving the picker with a day still held drops it.
        QTest::keyClicks(picker, "/2028");
        picker->setCurrentSectionIndex(0);
        QTest::keyClicks(picker, "31/02");
        QCOMPARE(picker->text(), "31/02/2028");
        QTest::keyClick(picker, Qt::Key_Right);
        QCOMPARE(picker->date(), QDate(2028, 7, 31));
        QCOMPARE(picker->text(), "31/07/2028");
        QCOMPARE(open.target.moment(), at(2028, 7, 31));
        // So does a click in the text.
        picker->setCurrentSectionIndex(0);
        QTest::keyClicks(picker, "31/06");
        QCOMPARE(picker->text(), "31/06/2028");
        QTest::mouseClick(picker->childAt(10, 10), Qt::LeftButton, {}, QPoint(4, 8));
        QCOMPARE(picker->text(), "31/07/2028");
        QTest::keyClicks(picker, "1");
        QCOMPARE(picker->text(), "01/07/2028");
    }

    void totals_data()
    {
        QTest::addColumn<DateValue>("now");
        QTest::addColumn<DateValue>("target");
        QTest::addColumn<QStringList>("expected"); // days, hours, minutes, seconds
        QTest::newRow("across an hour") << at(2024, 5, 6, 10, 59, 59)
                                        << at(2024, 5, 6, 11) << QStringList{"0", "1", "1", "1"};
        QTest::newRow("across midnight") << at(2024, 5, 6, 23) << at(2024, 5, 7, 1)
                                         << QStringList{"1", "2", "120", "7200"};
        QTest::newRow("across new year") << at(2024, 12, 31, 23, 59, 59)
                                         << at(2025, 1, 1) << QStringList{"1", "1", "1", "1"};
        QTest::newRow("90 seconds past") << at(2024, 5, 6, 12, 1, 30)
                                         << at(2024, 5, 6, 12) << QStringList{"0", "0", "-1", "-90"};
        QTest::newRow("a year past") << at(2024, 5, 6, 12) << at(2023, 5, 6, 12)
                                     << QStringList{"-366", "-8784", "-527040", "-31622400"};
        // Beyond what a signed 32-bit seconds total could hold.
        QTest::newRow("to the end of 9999") << at(2007, 3, 11, 11, 13, 39)
                                            << at(9999, 12, 31, 23, 59, 59)
                                            << QStringList{"2919313", "70063524", "4203811486",
                                                           "252228689180"};
    }

    void totals()
    {
        QFETCH(DateValue, now);
        QFETCH(DateValue, target);
        QFETCH(QStringList, expected);
        FixedClock clock(now.toLocalSeconds());
        OpenDialog open;
        open.target.setMoment(target);
        QCOMPARE(totalsOf(open.dialog), expected);
    }

    void ticksUpdateTheTotalsInEachNewSecond()
    {
        FixedClock clock(localMoment(2024, 5, 6, 12));
        OpenDialog open(at(2024, 5, 6, 13));
        QLabel *seconds = control<QLabel>(open.dialog, "secondsTotal");
        QCOMPARE(seconds->text(), "3600");

        // A tick within the second of the last update leaves the totals.
        seconds->setText("x");
        QVERIFY(waitForTick(open.dialog));
        QCOMPARE(seconds->text(), "x");

        // Ten seconds on, the last digit is the same, and the totals change.
        clock.advance(std::chrono::seconds(10));
        QVERIFY(waitForTick(open.dialog));
        QCOMPARE(totalsOf(open.dialog), (QStringList{"0", "1", "60", "3590"}));

        // A change of the target rewrites them within the same second.
        open.target.setMoment(at(2024, 5, 6, 14));
        QCOMPARE(totalsOf(open.dialog), (QStringList{"0", "2", "120", "7190"}));
    }

    void reopeningShowsWhatChangedWhileClosed()
    {
        FixedClock clock(localMoment(2024, 5, 6, 12));
        CountdownTarget target;
        target.setMoment(at(2024, 5, 6, 13));
        DetailsDialog dialog(target);
        QSignalSpy closes(&dialog, &QDialog::finished);
        dialog.showAndActivate();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QPointer<QTimeEdit> picker = timePicker(dialog);
        timePicker(dialog)->setCurrentSection(QDateTimeEdit::SecondSection);
        startupCheckBox(dialog)->setFocus();

        // Escape closes it, as in every dialog.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(closes.count(), 1);

        target.setMoment(at(2030, 1, 2, 3, 4, 5));
        QVERIFY(!Autostart::setEnabled(true));
        clock.advance(std::chrono::seconds(10));
        dialog.showAndActivate();
        QCOMPARE(timePicker(dialog), picker.data());
        QCOMPARE(timePicker(dialog)->time(), QTime(3, 4, 5));
        QCOMPARE(datePicker(dialog)->date(), QDate(2030, 1, 2));
        QVERIFY(startupCheckBox(dialog)->isChecked());
        QCOMPARE(totalsOf(dialog), (QStringList{"2067", "49599", "2975944", "178556635"}));
        // The focus is back in the hour field.
        QCOMPARE(dialog.focusWidget(), timePicker(dialog));
        QCOMPARE(timePicker(dialog)->currentSection(), QDateTimeEdit::HourSection);

        // Opened again while open, it stays as it is.
        timePicker(dialog)->setTime(QTime(6, 0, 0));
        dialog.showAndActivate();
        QCOMPARE(timePicker(dialog)->time(), QTime(6, 0, 0));
        QTest::keyClick(timePicker(dialog), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(closes.count(), 2);
        QVERIFY(Autostart::isEnabled());
        QVERIFY(!Autostart::setEnabled(false));
    }

    void aPickerEditRefreshesBothViews()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        CountdownTarget target;
        target.setMoment(at(2007, 3, 30));
        CountdownWindow window(target);
        window.show();
        window.setWindowState(Qt::WindowMinimized);
        DetailsDialog dialog(target);
        dialog.showAndActivate();
        datePicker(dialog)->setDate(QDate(2007, 3, 25));
        timePicker(dialog)->setTime(QTime(8, 0, 0));
        QCOMPARE(window.windowTitle(), "1w 6d 20h 46m 21s ");
        QCOMPARE(control<QLabel>(dialog, "secondsTotal")->text(), "1197981");
        dialog.close();
    }

    void anAutostartEntryThatCannotBeWrittenIsReported_data()
    {
        QTest::addColumn<QString>("blocked"); // what stands in the way
        QTest::addColumn<bool>("locationIsFolder");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder in the entry's place") << "entry" << false << "director";
        QTest::newRow("a file in the autostart folder's place")
            << "folder" << true << "A file is in the place of the folder";
    }

    void anAutostartEntryThatCannotBeWrittenIsReported()
    {
        QFETCH(QString, blocked);
        QFETCH(bool, locationIsFolder);
        QFETCH(QString, reason);
#ifdef Q_OS_WIN
        if (blocked == "folder")
            QSKIP("the Startup folder is the shell's own");
#endif
        const QString entry = Autostart::entryPath();
        const QString folder = QFileInfo(entry).path();
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(blocked == "entry" ? QDir().mkpath(entry) : QFile(folder).open(QIODevice::WriteOnly));

        OpenDialog open;
        QSignalSpy failures(&open.dialog, &DetailsDialog::autostartFailed);
        startupCheckBox(open.dialog)->setChecked(true);
        open.dialog.close();
        QCOMPARE(failures.count(), 1);
        const auto failure = failures.at(0).at(0).value<Autostart::Failure>();
        QCOMPARE(failure.change, Autostart::Failure::NotWritten);
        QCOMPARE(failure.location, locationIsFolder ? folder : entry);
        QCOMPARE(failure.locationIsFolder, locationIsFolder);
#ifndef Q_OS_WIN // the system's own words there
        QVERIFY2(failure.reason.contains(reason, Qt::CaseInsensitive), qPrintable(failure.reason));
#endif

        // Nothing to do, nothing reported.
        open.dialog.showAndActivate();
        open.dialog.close();
        QCOMPARE(failures.count(), 1);
        QVERIFY(blocked == "entry" ? QDir().rmdir(entry) : QFile::remove(folder));
    }

    void editsAfterTheMainWindowClosedAreKept()
    {
        FixedClock clock(localMoment(2024, 5, 6, 12));
        CountdownTarget target;
        target.load(at(2024, 5, 6, 12));
        target.save();
        // The main window has closed and written the target; the dialog is
        // still open.
        DetailsDialog dialog(target);
        QSignalSpy closes(&dialog, &QDialog::finished);
        dialog.showAndActivate();
        datePicker(dialog)->setDate(QDate(2030, 1, 2));
        QCOMPARE(target.moment(), at(2030, 1, 2, 12));
        dialog.close();
        // The program writes a changed target as the dialog closes.
        QCOMPARE(closes.count(), 1);
        target.saveIfChanged();
        QCOMPARE(SettingsStore::value("General", "Target"),
                 DateText::toString(at(2030, 1, 2, 12)));
    }

    void layout()
    {
        OpenDialog open;
        DetailsDialog &dialog = open.dialog;
        QCOMPARE(dialog.size(), QSize(346, 267));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(dialog.windowTitle(), "Taloran");
        // A dialog to screen readers, with a taskbar button of its own.
        QCOMPARE(QAccessible::queryAccessibleInterface(&dialog)->role(), QAccessible::Dialog);
        QCOMPARE(dialog.windowType(), Qt::Window);

        const QList<QPair<const char *, QRect>> places{
            {"pickerCaption", {16, 19, 89, 17}},   {"timePicker", {104, 16, 97, 20}},
            {"datePicker", {208, 16, 121, 20}},    {"totalsGroup", {16, 48, 313, 177}},
            {"daysCaption", {8, 24, 73, 25}},      {"daysTotal", {88, 24, 185, 25}},
            {"hoursCaption", {8, 48, 73, 25}},     {"hoursTotal", {88, 48, 185, 25}},
            {"minutesCaption", {8, 72, 73, 25}},   {"minutesTotal", {88, 72, 185, 25}},
            {"secondsCaption", {8, 96, 73, 25}},   {"secondsTotal", {88, 96, 185, 25}},
            {"startupCheckBox", {16, 240, 289, 17}}};
        for (const auto &[name, rect] : places)
            QCOMPARE(control<QWidget>(dialog, name)->geometry(), rect);
        QCOMPARE(texts(dialog, {"pickerCaption", "daysCaption", "hoursCaption", "minutesCaption",
                                "secondsCaption"}),
                 (QStringList{"Count Down To:", "Days:", "Hours:", "Minutes:", "Seconds:"}));
        QCOMPARE(control<QGroupBox>(dialog, "totalsGroup")->title(), "Individual Times");
        QCOMPARE(startupCheckBox(dialog)->text(), "Run Taloran at startup (starts minimized)");
        QVERIFY(!startupCheckBox(dialog)->isChecked());
        QCOMPARE(datePicker(dialog)->minimumDate(), QDate(1601, 1, 1));
        QCOMPARE(datePicker(dialog)->maximumDate(), QDate(9999, 12, 31));
        QVERIFY(datePicker(dialog)->calendarPopup());

        // Tab goes time picker, date picker, check box.
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), timePicker(dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), datePicker(dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), startupCheckBox(dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), datePicker(dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), timePicker(dialog));

        // Every picker value fits its box.
        QVERIFY(timePicker(dialog)->sizeHint().width() <= 97 + 4);
    }
};

TALORAN_TEST_MAIN(TestDetailsDialog)
#include "test_details_dialog.moc"
