// Dragging the main window by its background, and the double-click that
// centres it: the window follows the cursor and its bounds are stored.

#include "support/TestMain.h"
#include "support/TestSupport.h"

#include "countdown/CountdownTarget.h"
#include "main_window/CountdownWindow.h"
#include "platform/SettingsStore.h"

#include <QCursor>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include <memory>

namespace {

QString storedBounds()
{
    return SettingsStore::value(QStringLiteral("Form Positions"),
                                     QStringLiteral("frmMain"));
}

QString boundsText(const QWidget &window)
{
    const QRect g = window.frameGeometry();
    return QStringLiteral("%1,%2,%3,%4,0")
        .arg(g.y() * 15)
        .arg(g.height() * 15)
        .arg(g.x() * 15)
        .arg(g.width() * 15);
}

} // namespace

class TestDrag : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FixedClock> clock;
    std::unique_ptr<CountdownTarget> model;
    std::unique_ptr<CountdownWindow> form;

    QWindow *window() const { return form->windowHandle(); }

    // Moves the cursor with `buttons` held, as the window system reports it
    // to the window that got the press wherever the cursor is. The real
    // cursor stays away: on Windows a window moved under it gets a move
    // with the buttons that are really held, none.
    void moveCursor(const QPoint &global, Qt::MouseButtons buttons) const
    {
        QMouseEvent move(QEvent::MouseMove, form->mapFromGlobal(global), global, Qt::NoButton,
                         buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(window(), &move);
    }
    // A point of the background away from the labels and the buttons.
    static QPoint backgroundPoint() { return {300, 100}; }

private slots:
    void init()
    {
        clearSettingsStore();
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
        clock = std::make_unique<FixedClock>(localMoment(2007, 3, 11, 11, 13, 39));
        model = std::make_unique<CountdownTarget>();
        model->setMoment(at(2007, 3, 25, 8));
        form = std::make_unique<CountdownWindow>(*model);
        form->move(100, 80);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        form.reset();
        model.reset();
        clock.reset();
    }

    void theWindowFollowsTheCursorAndIsStored_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("movement");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(37, -21);
        QTest::newRow("right with shift") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                          << QPoint(-90, 15);
        QTest::newRow("middle with ctrl and alt")
            << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
            << QPoint(5, 300);
        QTest::newRow("past the top left") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(-150, -120);
        QTest::newRow("without moving") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(0, 0);
    }

    void theWindowFollowsTheCursorAndIsStored()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QPoint, movement);
        const QPoint start = form->pos();
        const QPoint grab = form->mapToGlobal(backgroundPoint());
        QTest::mousePress(window(), button, modifiers, backgroundPoint());

        // The labels keep counting while the window is dragged.
        QLabel *seconds = control<QLabel>(*form, "secondsLabel");
        moveCursor(grab + movement / 2, button);
        QVERIFY(waitForTick(*form));
        QCOMPARE(seconds->text(), "21");
        clock->advance(std::chrono::seconds(1));
        moveCursor(grab + movement, button);
        QVERIFY(waitForTick(*form));
        QCOMPARE(seconds->text(), "20");
        QCOMPARE(form->pos(), start + movement);
        QCOMPARE(storedBounds(), QString());

        QTest::mouseRelease(window(), button, modifiers, form->mapFromGlobal(grab + movement));
        QCOMPARE(form->pos(), start + movement);
        QCOMPARE(storedBounds(), boundsText(*form));
    }

    void aLostReleaseStillEndsTheDrag()
    {
        const QPoint grab = form->mapToGlobal(backgroundPoint());
        QTest::mousePress(window(), Qt::LeftButton, {}, backgroundPoint());
        moveCursor(grab + QPoint(10, 10), Qt::LeftButton);
        // The release never comes (another program took the grab): the next
        // move without a button ends the drag and stores the bounds as a
        // release would; the window follows no further.
        moveCursor(grab + QPoint(30, 30), Qt::NoButton);
        QCOMPARE(storedBounds(), boundsText(*form));
        QCOMPARE(form->pos(), QPoint(110, 90));
        moveCursor(grab + QPoint(40, 40), Qt::LeftButton);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, backgroundPoint());
        QCOMPARE(form->pos(), QPoint(110, 90));
    }

    void onlyTheButtonThatStartedTheDragEndsIt()
    {
        const QPoint grab = form->mapToGlobal(backgroundPoint());
        QTest::mousePress(window(), Qt::LeftButton, {}, backgroundPoint());
        moveCursor(grab + QPoint(10, 10), Qt::LeftButton);
        // Another button pressed and released, twice (a double-click), with
        // the left one held: the drag goes on from where it started.
        for (int i = 0; i < 2; ++i) {
            QTest::mousePress(window(), Qt::RightButton, {}, backgroundPoint() + QPoint(10, 10));
            QTest::mouseRelease(window(), Qt::RightButton, {}, backgroundPoint() + QPoint(10, 10));
        }
        moveCursor(grab + QPoint(30, 20), Qt::LeftButton);
        QCOMPARE(form->pos(), QPoint(130, 100));
        QCOMPARE(storedBounds(), QString());
        QTest::mouseRelease(window(), Qt::LeftButton, {}, backgroundPoint());
        QCOMPARE(storedBounds(), boundsText(*form));
    }

    void closingTheWindowEndsTheDrag()
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, backgroundPoint());
        form->close();
        QVERIFY(!form->isVisible());
        QTest::mouseRelease(window(), Qt::LeftButton, {}, backgroundPoint());
        QCOMPARE(storedBounds(), QString());
    }

    void pressesOnLabelsAndButtonsMoveNothing()
    {
        const QPoint start = form->pos();
        for (const char *name : {"weeksLabel", "secondsLabel", "detailsButton", "closeButton",
                                 "minimizeButton"}) {
            const QWidget *pressed = control<QWidget>(*form, name);
            const QPoint local = pressed->mapTo(form.get(), pressed->rect().center());
            for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
                QTest::mousePress(window(), button, {}, local);
                moveCursor(form->mapToGlobal(local) + QPoint(20, 20), button);
                QTest::mouseRelease(window(), button, {}, local + QPoint(20, 20));
                QTest::mouseDClick(window(), button, {}, local);
                QCOMPARE(form->pos(), start);
            }
            if (!form->isVisible()) // the close button, clicked
                form->show();
            form->setWindowState(Qt::WindowNoState);
        }
        QCOMPARE(storedBounds(), QString());
    }

    void doubleClickCentresAndStores()
    {
        QTest::mouseDClick(window(), Qt::LeftButton, {}, backgroundPoint());
        const QRect screen = form->screen()->geometry();
        QVERIFY(qAbs(form->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form->frameGeometry().center().y() - screen.center().y()) <= 1);
        QCOMPARE(storedBounds(), boundsText(*form));
    }

    void startRestoresOrCentres()
    {
        form.reset();
        SettingsStore::setValue("Form Positions", "frmMain", "1500,1875,3000,12000,0");
        CountdownWindow restored(*model);
        restored.start({});
        QCOMPARE(restored.pos(), QPoint(200, 100));

        SettingsStore::setValue("Form Positions", "frmMain", "broken");
        CountdownWindow centred(*model);
        centred.start({});
        const QRect screen = centred.screen()->geometry();
        QVERIFY(qAbs(centred.frameGeometry().center().x() - screen.center().x()) <= 1);
        // A malformed value is left for the next save to replace.
        QCOMPARE(storedBounds(), "broken");
    }
};

TALORAN_TEST_MAIN(TestDrag)
#include "test_drag.moc"
