// Dragging the main window by its background, and the double-click that
// centres it: the window follows the cursor and its bounds are stored.

#include "TestMain.h"
#include "TestSupport.h"

#include "CountdownTarget.h"
#include "CountdownWindow.h"
#include "DragMath.h"
#include "SettingsStore.h"

#include <QCursor>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <limits>
#include <memory>

namespace {

QString storedBounds()
{
    return SettingsStore::getSetting(QStringLiteral("Form Positions"),
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

// Runs `steps` one after another from inside the event loop that a press
// starts, each a few milliseconds after the one before has finished, however
// long that took (moving a real window can take a while). Steps still
// pending when the returned handle goes (the drag ended early) never run.
using Steps = std::vector<std::function<void()>>;

void runFrom(std::weak_ptr<Steps> steps, std::size_t i)
{
    QTimer::singleShot(5, [steps, i] {
        const auto alive = steps.lock();
        if (!alive || i >= alive->size())
            return;
        (*alive)[i]();
        runFrom(steps, i + 1);
    });
}

[[nodiscard]] std::shared_ptr<Steps> during(Steps steps)
{
    auto shared = std::make_shared<Steps>(std::move(steps));
    runFrom(shared, 0);
    return shared;
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

    // Moves the cursor with the button still held. The window system sends
    // the move to the window that got the press wherever the cursor is; the
    // offscreen platform only to a window under the cursor, so the test sends
    // it to the pressed window itself too.
    void moveCursor(const QPoint &global) const
    {
        QCursor::setPos(global);
        QTest::mouseMove(window(), form->mapFromGlobal(global));
    }
    // A point of the background away from the labels and the buttons.
    static QPoint backgroundPoint() { return {300, 100}; }

private slots:
    void init()
    {
        clearSettingsStore();
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
        QCursor::setPos(grab);

        // The labels keep counting while the window is dragged.
        QLabel *seconds = control<QLabel>(*form, "secondsLabel");
        QStringList secondsDuringDrag;
        const auto steps = during({[&] { moveCursor(grab + movement / 2); },
                [&] { secondsDuringDrag << seconds->text(); },
                [&] { clock->advance(std::chrono::seconds(1)); },
                [&] { moveCursor(grab + movement); },
                [&] {
                    // The next tick, within a second, shows the new second.
                    (void)QTest::qWaitFor([&] { return seconds->text() != secondsDuringDrag.last(); }, 2000);
                    secondsDuringDrag << seconds->text();
                },
                [&] { QTest::mouseRelease(window(), button, modifiers, backgroundPoint() + movement); }});
        QTest::mousePress(window(), button, modifiers, backgroundPoint());

        QCOMPARE(secondsDuringDrag, (QStringList{"21", "20"}));
        QCOMPARE(form->pos(), start + movement);
        QCOMPARE(storedBounds(), boundsText(*form));
    }

    void aPressHandledLateIsMeasuredFromWhereItHappened()
    {
        const QPoint start = form->pos();
        const QPoint grab = form->mapToGlobal(backgroundPoint());
        // The cursor has moved on before the press is handled, as on a busy
        // machine: the window follows the whole movement from the press.
        QCursor::setPos(grab + QPoint(30, 20));
        const auto steps = during({[&] { moveCursor(grab + QPoint(40, 25)); },
                [&] { QTest::mouseRelease(window(), Qt::LeftButton, {},
                                          backgroundPoint() + QPoint(40, 25)); }});
        QTest::mousePress(window(), Qt::LeftButton, {}, backgroundPoint());
        QCOMPARE(form->pos(), start + QPoint(40, 25));
        QCOMPARE(storedBounds(), boundsText(*form));
    }

    void aReleaseThatGoesElsewhereStillEndsTheDrag()
    {
        QWidget other;
        other.setGeometry(500, 400, 100, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        const QPoint grab = form->mapToGlobal(backgroundPoint());
        QCursor::setPos(grab);
        const auto steps = during({[&] { moveCursor(grab + QPoint(10, 10)); },
                // The button comes up over another window: the drag ends
                // and stores the bounds as a release would.
                [&] { QTest::mouseRelease(other.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5)); }});
        QTest::mousePress(window(), Qt::LeftButton, {}, backgroundPoint());
        QCOMPARE(storedBounds(), boundsText(*form));
    }

    void closingTheWindowEndsTheDrag()
    {
        const QPoint grab = form->mapToGlobal(backgroundPoint());
        QCursor::setPos(grab);
        const auto steps = during({[&] { form->close(); }, [&] { moveCursor(grab + QPoint(40, 40)); }});
        // The press returns: the drag has ended without storing the bounds.
        QTest::mousePress(window(), Qt::LeftButton, {}, backgroundPoint());
        QVERIFY(!form->isVisible());
        QCOMPARE(storedBounds(), QString());
        // Release the button the test still holds.
        QTest::mouseRelease(window(), Qt::LeftButton, {}, backgroundPoint());
    }

    void pressesOnLabelsAndButtonsMoveNothing()
    {
        const QPoint start = form->pos();
        for (const char *name : {"weeksLabel", "secondsLabel", "detailsButton"}) {
            const QWidget *pressed = control<QWidget>(*form, name);
            const QPoint local = pressed->mapTo(form.get(), pressed->rect().center());
            QCursor::setPos(form->mapToGlobal(local));
            const auto steps = during({[&] { moveCursor(form->mapToGlobal(local) + QPoint(50, 50)); },
                    [&] { QTest::mouseRelease(window(), Qt::LeftButton, {}, local + QPoint(50, 50)); }});
            QTest::mousePress(window(), Qt::LeftButton, {}, local);
            QTest::qWait(30);
            QCOMPARE(form->pos(), start);
        }
        QCOMPARE(storedBounds(), QString());
    }

    void doubleClickCentresAndStores()
    {
        QTest::mouseDClick(control<QWidget>(*form, "background"), Qt::LeftButton, {},
                           backgroundPoint());
        const QRect screen = form->screen()->geometry();
        QVERIFY(qAbs(form->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form->frameGeometry().center().y() - screen.center().y()) <= 1);
        QCOMPARE(storedBounds(), boundsText(*form));
    }

    void startRestoresOrCentres()
    {
        form.reset();
        SettingsStore::saveSetting("Form Positions", "frmMain", "1500,1875,3000,12000,0");
        CountdownWindow restored(*model);
        restored.start({});
        QCOMPARE(restored.pos(), QPoint(200, 100));

        SettingsStore::saveSetting("Form Positions", "frmMain", "broken");
        CountdownWindow centred(*model);
        centred.start({});
        const QRect screen = centred.screen()->geometry();
        QVERIFY(qAbs(centred.frameGeometry().center().x() - screen.center().x()) <= 1);
        // A malformed value is left for the next save to replace.
        QCOMPARE(storedBounds(), "broken");
    }

    void pressRoundingAndOverflow()
    {
        using DragMath::edgeTwips;
        using DragMath::twipsToPixels;
        QCOMPARE(twipsToPixels(37.5f), 2);
        QCOMPARE(twipsToPixels(52.5f), 4);
        QCOMPARE(twipsToPixels(-37.5f), -2);
        QCOMPARE(twipsToPixels(1500.f), 100);
        QVERIFY(!twipsToPixels(1e30f));
        QVERIFY(!twipsToPixels(std::numeric_limits<float>::quiet_NaN()));

        QCOMPARE(edgeTwips(120, 100, 50), 1050.f);
        QCOMPARE(edgeTwips(80, 100, -5), -375.f);
        constexpr qint32 max = std::numeric_limits<qint32>::max();
        constexpr qint32 min = std::numeric_limits<qint32>::min();
        QVERIFY(!edgeTwips(min, 1, 0));                // the difference
        QVERIFY(!edgeTwips(max, 0, 1));                // the sum
        QVERIFY(!edgeTwips(max / 15 + 1, 0, 0));       // the product
        QCOMPARE(edgeTwips(max / 15, 0, 0), float((max / 15) * 15));
    }
};

TALORAN_TEST_MAIN(TestDrag)
#include "test_drag.moc"
