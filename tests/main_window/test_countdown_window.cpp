// The countdown window's behaviour: the countdown in its labels, the
// minimized caption, start-up and close, and which control a mouse press
// reaches.

#include "support/TestMain.h"
#include "support/TestSupport.h"

#include "countdown/CountdownTarget.h"
#include "main_window/CountdownWindow.h"
#include "countdown/DateText.h"
#include "main_window/NumberLabel.h"
#include "platform/SettingsStore.h"

#include <QAccessible>
#include <QImage>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

namespace {

QString storedTarget()
{
    return SettingsStore::value(QStringLiteral("General"), QStringLiteral("Target"));
}

void storeTarget(const QString &text)
{
    SettingsStore::setValue(QStringLiteral("General"), QStringLiteral("Target"), text);
}

QStringList captions(const CountdownWindow &window)
{
    return texts(window, {"weeksLabel", "daysLabel", "hoursLabel", "minutesLabel", "secondsLabel"});
}

QLabel *label(const CountdownWindow &window, const char *name)
{
    return control<QLabel>(window, name);
}

void click(const CountdownWindow &window, const char *button)
{
    QTest::mouseClick(control<QWidget>(window, button), Qt::LeftButton);
}

} // namespace

class TestCountdownWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearSettingsStore(); }

    void labelsShowInitialCaptionsUntilFirstChange()
    {
        // The seconds field of the first tick is 0, the value the last
        // update's seconds start with, so the tick does nothing.
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        CountdownTarget model;
        model.setMoment(at(2007, 3, 25, 8, 0, 39));
        CountdownWindow window(model);
        QVERIFY(waitForTick(window));
        QCOMPARE(captions(window), QStringList(5, "00"));

        clock.advance(std::chrono::seconds(1));
        QVERIFY(waitForTick(window));
        QCOMPARE(captions(window), (QStringList{"1", "6", "20", "46", "59"}));
    }

    void aTickInAnotherSecondAlwaysUpdates()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        CountdownTarget model;
        model.setMoment(at(2007, 3, 25, 8));
        CountdownWindow window(model);
        QVERIFY(waitForTick(window));
        QCOMPARE(captions(window), (QStringList{"1", "6", "20", "46", "21"}));

        // The clock moved by whole minutes leaves the seconds as they were;
        // the minutes follow at once, forward and back.
        clock.advance(std::chrono::seconds(60));
        QVERIFY(waitForTick(window));
        QCOMPARE(captions(window), (QStringList{"1", "6", "20", "45", "21"}));
        clock.advance(std::chrono::seconds(-120));
        QVERIFY(waitForTick(window));
        QCOMPARE(captions(window), (QStringList{"1", "6", "20", "47", "21"}));

        // A new target in the same second shows at once.
        model.setMoment(at(2007, 3, 25, 9));
        QCOMPARE(captions(window), (QStringList{"1", "6", "21", "47", "21"}));
    }

    void minimizedCaption()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        CountdownTarget model;
        model.setMoment(at(2007, 3, 25, 8));
        CountdownWindow window(model);
        window.show();
        QCOMPARE(window.windowTitle(), "Taloran");

        click(window, "minimizeButton");
        QVERIFY(window.windowState() & Qt::WindowMinimized);
        // Built from the labels as they stand, before the first update.
        QCOMPARE(window.windowTitle(), "00w 00d 00h 00m 00s ");

        QVERIFY(waitForTick(window));
        QCOMPARE(window.windowTitle(), "1w 6d 20h 46m 21s ");

        // The target passed without a tick at 0 s left (a clock jump, a
        // suspend): the caption reads 0 as the labels do.
        clock.set(localMoment(2007, 3, 25, 8, 0, 1));
        QVERIFY(waitForTick(window));
        QCOMPARE(captions(window), QStringList(5, "0"));
        QCOMPARE(window.windowTitle(), "0w 0d 0h 0m 0s ");

        window.setWindowState(Qt::WindowNoState);
        QCOMPARE(window.windowTitle(), "Taloran");
        window.setWindowState(Qt::WindowMinimized);
        model.setMoment(at(2007, 3, 26));
        QCOMPARE(window.windowTitle(), "0w 0d 15h 59m 59s ");
        // A past target picked while minimized.
        model.setMoment(at(2007, 3, 24));
        QCOMPARE(window.windowTitle(), "0w 0d 0h 0m 0s ");
    }

    void loadTakesTheStoredTargetOrPullsItUp_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<DateValue>("expected");
        const DateValue now = at(2007, 3, 11, 11, 13, 39);
        QTest::newRow("nothing stored") << QString() << now;
        QTest::newRow("ahead") << "8:0.0 2007/3/25" << at(2007, 3, 25, 8);
        QTest::newRow("equal to now") << "11:13.39 2007/3/11" << now;
        QTest::newRow("one second ago") << "11:13.38 2007/3/11" << now;
        QTest::newRow("general text") << DateText::toString(at(2031, 7, 4, 0, 0, 1))
                                      << at(2031, 7, 4, 0, 0, 1);
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
        CountdownTarget model;
        QSignalSpy changes(&model, &CountdownTarget::changed);
        model.load(DateValue(clock.now()));
        CountdownWindow window(model);
        window.start({});
        QCOMPARE(model.moment(), expected);
        // Loading is not an edit: the labels wait for the first tick.
        QCOMPARE(changes.count(), 0);
        QCOMPARE(captions(window), QStringList(5, "00"));
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowState() & Qt::WindowMinimized));
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
        CountdownTarget model;
        CountdownWindow window(model);
        window.start(arguments);
        QVERIFY(window.windowState() & Qt::WindowMinimized);
        QCOMPARE(window.windowTitle(), "00w 00d 00h 00m 00s ");
    }

    void closingUnloadsOnce()
    {
        CountdownTarget model;
        CountdownWindow window(model);
        QSignalSpy closes(&window, &CountdownWindow::closed);
        window.start({});
        click(window, "closeButton");
        QVERIFY(!window.isVisible());
        // A closed window counts no more.
        label(window, "secondsLabel")->setText("x");
        QVERIFY(waitForTick(window));
        QCOMPARE(label(window, "secondsLabel")->text(), "x");
        window.close();
        QCOMPARE(closes.count(), 1);
    }

    void onlyATargetThisCopyChangedIsWritten_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("storedMeanwhile"); // by another copy, or by hand
        QTest::addColumn<QString>("expected");
        const QString newer = QStringLiteral("9:0.0 2033/1/1");
        const QString edit = DateText::toString(at(2032, 1, 2));
        const QString pulledUp = DateText::toString(at(2007, 3, 11, 11, 13, 39));
        QTest::newRow("ahead, not edited") << "8:0.0 2031/7/4" << false << true << newer;
        QTest::newRow("unreadable, not edited") << "not a date" << false << true << newer;
        QTest::newRow("ahead, edited") << "8:0.0 2031/7/4" << true << true << edit;
        QTest::newRow("past, pulled up") << "8:0.0 2001/7/4" << false << false << pulledUp;
        QTest::newRow("nothing stored, pulled up") << QString() << false << false << pulledUp;
        QTest::newRow("past, pulled up, newer stored") << "8:0.0 2001/7/4" << false << true << newer;
    }

    void onlyATargetThisCopyChangedIsWritten()
    {
        QFETCH(QString, stored);
        QFETCH(bool, edited);
        QFETCH(bool, storedMeanwhile);
        QFETCH(QString, expected);
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        if (!stored.isNull())
            storeTarget(stored);
        CountdownTarget model;
        model.load(DateValue(clock.now()));
        if (edited)
            model.setMoment(at(2032, 1, 2));
        if (storedMeanwhile)
            storeTarget("9:0.0 2033/1/1");
        model.saveIfChanged();
        QCOMPARE(storedTarget(), expected);
    }

    void aTargetThatCouldNotBeWrittenIsWrittenAtTheNextOccasion()
    {
#ifdef Q_OS_WIN
        QSKIP("the Windows store is the registry");
#endif
        const QString file = SettingsStore::location();
        QFile::remove(file);
        CountdownTarget model;
        model.setMoment(at(2031, 7, 4));
        QVERIFY(QDir().mkpath(file)); // a folder in the file's place
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("settings were not saved"));
        model.saveIfChanged();
        QVERIFY(QDir().rmdir(file));
        model.saveIfChanged();
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains("Target=" + DateText::toString(at(2031, 7, 4)).toUtf8()));
    }

    void aClosedWindowOpensAgainCountingToTheTargetAsItStands()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        SettingsStore::setValue("Form Positions", "frmMain", "1500,1875,3000,12000,0");
        CountdownTarget model;
        CountdownWindow window(model);
        window.start({});
        window.bringToFront(); // open: nothing changes
        QCOMPARE(window.pos(), QPoint(200, 100));
        window.setWindowState(Qt::WindowMinimized);
        click(window, "closeButton");
        window.move(0, 0);
        // An edit in the dialog while the window is closed.
        model.setMoment(at(2007, 3, 25, 8));

        window.reopen(true);
        QVERIFY(window.isVisible());
        QVERIFY(window.windowState() & Qt::WindowMinimized);
        QCOMPARE(window.windowTitle(), "1w 6d 20h 46m 21s ");
        // Counting again.
        clock.advance(std::chrono::seconds(1));
        QVERIFY(waitForTick(window));
        QCOMPARE(window.windowTitle(), "1w 6d 20h 46m 20s ");
        window.close();

        window.bringToFront();
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowState() & Qt::WindowMinimized));
        QCOMPARE(window.pos(), QPoint(200, 100));
        QCOMPARE(captions(window), (QStringList{"1", "6", "20", "46", "20"}));
    }

    void buttonClicks()
    {
        CountdownTarget model;
        CountdownWindow window(model);
        window.show();
        QSignalSpy details(&window, &CountdownWindow::detailsRequested);
        QWidget *detailsButton = control<QWidget>(window, "detailsButton");

        QTest::mouseClick(detailsButton, Qt::LeftButton);
        QCOMPARE(details.count(), 1);
        // Two quick clicks are two clicks: the second press arrives as a
        // double-click.
        QTest::mouseClick(detailsButton, Qt::LeftButton);
        QTest::mouseDClick(detailsButton, Qt::LeftButton);
        QTest::mouseRelease(detailsButton, Qt::LeftButton);
        QCOMPARE(details.count(), 3);

        // Only a left press and release over the same button is a click.
        QTest::mouseClick(detailsButton, Qt::RightButton);
        QTest::mousePress(detailsButton, Qt::LeftButton);
        QTest::mouseRelease(detailsButton, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(details.count(), 3);
        QVERIFY(!(window.windowState() & Qt::WindowMinimized));

        click(window, "minimizeButton");
        QVERIFY(window.windowState() & Qt::WindowMinimized);
        window.setWindowState(Qt::WindowNoState);

        click(window, "closeButton");
        QVERIFY(!window.isVisible());
    }

    void buttonsWorkFromTheKeyboard()
    {
        CountdownTarget model;
        CountdownWindow window(model);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy details(&window, &CountdownWindow::detailsRequested);
        QWidget *detailsButton = control<QWidget>(window, "detailsButton");
        QWidget *minimizeButton = control<QWidget>(window, "minimizeButton");
        const QImage unfocused = detailsButton->grab().toImage();

        // Tab reaches the buttons in the order details, close, minimize.
        // The window holds the focus first; no button shows a frame.
        QCOMPARE(QApplication::focusWidget(), &window);
        window.setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), detailsButton);
        QVERIFY2(detailsButton->grab().toImage() != unfocused, "no focus frame shows");
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(detailsButton, key);
        QCOMPARE(details.count(), 3);
        // Other keys, and activation keys with a modifier, click nothing.
        QTest::keyClick(detailsButton, Qt::Key_A);
        QTest::keyClick(detailsButton, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(details.count(), 3);

        QTest::keyClick(detailsButton, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), minimizeButton);
        QTest::keyClick(minimizeButton, Qt::Key_Space);
        QVERIFY(window.windowState() & Qt::WindowMinimized);
        window.setWindowState(Qt::WindowNoState);

        // Assistive technology finds push buttons by name, and can press them.
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(detailsButton);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QCOMPARE(accessible->text(QAccessible::Name), "Details");
        QVERIFY(accessible->actionInterface());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(details.count(), 4);
    }

    void everyDigitShowsWithinTheLabel()
    {
        CountdownTarget model;
        CountdownWindow window(model);
        auto *weeks = control<NumberLabel>(window, "weeksLabel");
        // The columns of the label where the text leaves ink, drawn on
        // nothing: the first and the last.
        const auto inkColumns = [weeks] {
            QImage image(weeks->size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            weeks->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            int first = -1, last = -1;
            for (int x = 0; x < image.width(); ++x) {
                for (int y = 0; y < image.height(); ++y) {
                    if (qAlpha(image.pixel(x, y)) > 0) {
                        if (first < 0)
                            first = x;
                        last = x;
                        break;
                    }
                }
            }
            return QPair<int, int>(first, last);
        };

        for (const char *fits : {"0", "68", "99"}) {
            weeks->setText(QString::fromLatin1(fits));
            QCOMPARE(weeks->drawingFont(), weeks->font());
        }
        weeks->setText(QStringLiteral("99"));
        const int twoLast = inkColumns().second;
        for (const char *wide : {"168", "1000", "417052"}) {
            weeks->setText(QString::fromLatin1(wide));
            QVERIFY2(weeks->drawingFont().pointSizeF() < weeks->font().pointSizeF(), wide);
            const auto [first, last] = inkColumns();
            // Not cut at the left edge, and still right-aligned.
            QVERIFY2(first > 0, wide);
            QVERIFY2(last < weeks->width() && last >= twoLast - 6,
                     qPrintable(QStringLiteral("%1: %2 against %3").arg(wide).arg(last).arg(twoLast)));
        }
    }

    void layout()
    {
        CountdownTarget model;
        CountdownWindow window(model);
        QCOMPARE(window.size(), QSize(800, 125));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.minimumSize(), window.maximumSize());

        for (const char *name : {"weeksLabel", "daysLabel", "hoursLabel", "minutesLabel",
                                 "secondsLabel"}) {
            QLabel *number = label(window, name);
            QCOMPARE(number->text(), "00");
            QCOMPARE(number->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            QVERIFY(!number->wordWrap());
            QVERIFY(!number->autoFillBackground());
            QCOMPARE(number->cursor().shape(), Qt::ArrowCursor);
        }
        // A caption wider than the label keeps the label's size.
        label(window, "weeksLabel")->setText("417052");
        QCOMPARE(label(window, "weeksLabel")->size(), QSize(57, 73));

        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
        for (const char *name : {"detailsButton", "closeButton", "minimizeButton"}) {
            QWidget *button = control<QWidget>(window, name);
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(button, &enter);
            QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
        }
        // The buttons lie above the seconds label where they meet it.
        QCOMPARE(window.childAt(660, 77), control<QWidget>(window, "minimizeButton"));
    }

    // What assistive technology reads (through AT-SPI on Linux): a frame
    // whose children come in the order of the picture, each number with
    // its unit.
    void accessibleTree()
    {
        FixedClock clock(localMoment(2007, 3, 11, 11, 13, 39));
        CountdownTarget model;
        CountdownWindow window(model);
        window.show();
        QAccessibleInterface *frame = QAccessible::queryAccessibleInterface(&window);
        QVERIFY(frame);
        QCOMPARE(frame->role(), QAccessible::Window);
        const auto children = [frame] {
            QStringList names;
            for (int i = 0; i < frame->childCount(); ++i)
                names << frame->child(i)->text(QAccessible::Name);
            return names;
        };
        QCOMPARE(children(), (QStringList{"00 weeks", "00 days", "00 hours", "00 minutes", "00 seconds",
                                          "Details", "Close", "Minimize"}));
        QCOMPARE(frame->child(0)->role(), QAccessible::StaticText);
        model.setMoment(at(2007, 3, 19, 12, 14, 40));
        QCOMPARE(children().mid(0, 5), (QStringList{"1 week", "1 day", "1 hour", "1 minute", "1 second"}));
    }
};

TALORAN_TEST_MAIN(TestCountdownWindow)
#include "test_countdown_window.moc"
