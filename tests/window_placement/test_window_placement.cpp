// The stored bounds of a window ("Top,Height,Left,Width,WindowState" in
// twips) read and written as text, pulled onto a screen and centred, and
// applied to a real widget through the settings store.

#include "platform/SettingsStore.h"
#include "support/TestMain.h"
#include "support/TestSupport.h"
#include "window_placement/WindowPlacement.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QWidget>

using WindowPlacement::Bounds;

namespace {

const QString section = QStringLiteral("Form Positions");

// Every test works on a key of its own.
QString freshKey()
{
    static int counter = 0;
    return QStringLiteral("test%1").arg(++counter);
}

} // namespace

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatMakesSense_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<int>("state");

        QTest::newRow("normal") << "1200,2400,3000,4500,0" << true << QRect(200, 80, 300, 160) << 0;
        QTest::newRow("maximized") << "1200,2400,3000,4500,2" << true << QRect(200, 80, 300, 160) << 2;
        QTest::newRow("minimized") << "1200,2400,3000,4500,1" << true << QRect(200, 80, 300, 160) << 1;
        QTest::newRow("first five fields only") << "1200,2400,3000,4500,2,junk,,abc"
                                                << true << QRect(200, 80, 300, 160) << 2;
        QTest::newRow("negative") << "-45,2400,-300,4500,0" << true << QRect(-20, -3, 300, 160) << 0;
        // One rounding: halfway goes away from zero.
        QTest::newRow("half pixels") << "37.5,2400,-37.5,4500,0" << true << QRect(-3, 3, 300, 160) << 0;
        QTest::newRow("largest size") << "0,1500000,0,1500000,0" << true << QRect(0, 0, 100000, 100000) << 0;
        QTest::newRow("farthest position") << "-15000000,2400,15000000,4500,0"
                                           << true << QRect(1000000, -1000000, 300, 160) << 0;
        QTest::newRow("smallest size") << "0,0.5,0,0.5,0" << true << QRect(0, 0, 0, 0) << 0;

        const QRect none;
        for (const char *text :
             {"", "1200", "1200,2400,3000,4500", ",,,,", "1200,2400,3000,,0", "1200,2400,3000,4500,",
              "1200,2400,abc,4500,0", "1200,5,2400,3000,4500,0" /* a decimal comma */,
              "nan,2400,3000,4500,0", "1200,inf,3000,4500,0", "1200,2400,-inf,4500,0",
              "1200,2400,3000,1e999,0", "1200,0,3000,4500,0", "1200,1e-46,3000,4500,0",
              "1,2400,0,399e-190,0", "1200,2400,3000,-4500,0", "1200,2400,3000,1500001,0",
              "1200,1e7,3000,4500,0", "1200,2400,-15000001,4500,0", "1e9,2400,3000,4500,0",
              "1200,2400,3000,4500,3", "1200,2400,3000,4500,-1", "1200,2400,3000,4500,1.5",
              "1200,2400,3000,4500,max"})
            QTest::newRow(text) << QString::fromLatin1(text) << false << none << 0;
    }

    void readsWhatMakesSense()
    {
        QFETCH(QString, text);
        QFETCH(bool, usable);
        QFETCH(QRect, frame);
        QFETCH(int, state);
        const auto bounds = WindowPlacement::read(text);
        QCOMPARE(bounds.has_value(), usable);
        if (bounds) {
            QCOMPARE(bounds->frame, frame);
            const Qt::WindowState states[] = {Qt::WindowNoState, Qt::WindowMinimized,
                                              Qt::WindowMaximized};
            QCOMPARE(bounds->state, states[state]);
        }
    }

    void writesPlainTwips_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<Qt::WindowStates>("state");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("written"); // null: nothing

        const QRect frame(200, 80, 300, 160);
        const Qt::WindowStates normal, maximized(Qt::WindowMaximized), minimized(Qt::WindowMinimized);
        QTest::newRow("normal") << frame << normal << QString() << "1200,2400,3000,4500,0";
        QTest::newRow("negative") << QRect(-20, -3, 300, 160) << normal << "1,2,3,4,0"
                                  << "-45,2400,-300,4500,0";
        QTest::newRow("no exponent") << QRect(1000000, 0, 100000, 160) << normal << QString()
                                     << "0,2400,15000000,1500000,0";
        QTest::newRow("minimized writes nothing") << frame << minimized << "1,2,3,4,0" << QString();
        QTest::newRow("minimized and maximized") << frame << (minimized | maximized) << QString()
                                                 << QString();
        // A maximized window keeps the bounds it had before: only the state
        // changes, the other fields as they were written.
        const QRect screen(0, 0, 1280, 960);
        const QString fresh = QStringLiteral("0,14400,0,19200,2");
        QTest::newRow("maximized over normal") << screen << maximized << "1200,2400,3000,4500,0"
                                               << "1200,2400,3000,4500,2";
        QTest::newRow("maximized over minimized") << screen << maximized << "1200,2400,3000,4500,1"
                                                  << "1200,2400,3000,4500,2";
        QTest::newRow("fields kept as written") << screen << maximized << "1200.50,2400,-0,4500,0"
                                                << "1200.50,2400,-0,4500,2";
        QTest::newRow("extra fields kept") << screen << maximized << "1200,2400,3000,4500,0,extra,,9"
                                           << "1200,2400,3000,4500,2,extra,,9";
        QTest::newRow("maximized, nothing stored") << screen << maximized << QString() << fresh;
        QTest::newRow("maximized over a bad state") << screen << maximized << "1200,2400,3000,4500,7"
                                                    << fresh;
        QTest::newRow("maximized over a zero width") << screen << maximized << "1200,2400,3000,0,0"
                                                     << fresh;
    }

    void writesPlainTwips()
    {
        QFETCH(QRect, frame);
        QFETCH(Qt::WindowStates, state);
        QFETCH(QString, stored);
        QFETCH(QString, written);
        // A decimal comma in the user's locale changes nothing.
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto text = WindowPlacement::write(frame, state, stored);
        QLocale::setDefault(previous);
        QCOMPARE(text.value_or(QString()), written);
        if (text && !(state & Qt::WindowMaximized)) {
            QCOMPARE(WindowPlacement::read(*text)->frame, frame);
        }
    }

    void pullsOntoAScreen_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("corner"); // of an 800 x 125 frame
        QTest::addColumn<QPoint>("expected");

        const QList<QRect> one{{0, 0, 1280, 960}};
        QTest::newRow("on screen") << one << QPoint(200, 80) << QPoint(200, 80);
        QTest::newRow("at the bottom right") << one << QPoint(480, 835) << QPoint(480, 835);
        QTest::newRow("left beyond width") << one << QPoint(1281, 80) << QPoint(0, 80);
        QTest::newRow("top beyond height") << one << QPoint(200, 961) << QPoint(200, 0);
        QTest::newRow("left negative") << one << QPoint(-20, 80) << QPoint(0, 80);
        QTest::newRow("partly past the right") << one << QPoint(1000, 80) << QPoint(480, 80);
        QTest::newRow("partly below") << one << QPoint(200, 900) << QPoint(200, 835);
        // A 1280 x 1024 monitor with an 800 x 600 one right of it: the
        // bounding box holds places that lie on neither.
        const QList<QRect> two{{0, 0, 1280, 1024}, {1280, 0, 800, 600}};
        QTest::newRow("on the small screen") << two << QPoint(1280, 475) << QPoint(1280, 475);
        QTest::newRow("below the small screen") << two << QPoint(1280, 700) << QPoint(1280, 0);
        QTest::newRow("mostly on the large screen") << two << QPoint(700, 100) << QPoint(480, 100);
        QTest::newRow("mostly on the small screen") << two << QPoint(1100, 100) << QPoint(1280, 100);
        // A screen left of the primary; one narrower than the frame.
        const QList<QRect> left{{-1280, 0, 1280, 960}, {0, 0, 1280, 960}};
        QTest::newRow("left of the desktop") << left << QPoint(-1400, 80) << QPoint(-1280, 80);
        const QList<QRect> narrow{{0, 0, 640, 480}};
        QTest::newRow("narrower than the frame") << narrow << QPoint(-80, 177) << QPoint(0, 177);
    }

    void anEmptyFrameLandsOnAScreen()
    {
        // A stored size that rounds to nothing, at the far corner of a screen.
        const QList<QRect> screens{{-1920, -120, 1920, 1080}, {0, 0, 1280, 800}};
        for (const QPoint corner : {QPoint(0, 1000000), QPoint(0, -3), QPoint(1280, 799)}) {
            const QRect placed = WindowPlacement::onScreen(QRect(corner, QSize(0, 0)), screens);
            QVERIFY2(screens[0].contains(placed.topLeft()) || screens[1].contains(placed.topLeft()),
                     qPrintable(QStringLiteral("%1,%2").arg(placed.x()).arg(placed.y())));
        }
    }

    void pullsOntoAScreen()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, corner);
        QFETCH(QPoint, expected);
        const QRect placed = WindowPlacement::onScreen(QRect(corner, QSize(800, 125)), screens);
        QCOMPARE(placed, QRect(expected, QSize(800, 125)));
    }

    void centres_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("corner");

        QTest::newRow("widget") << QSize(800, 125) << QRect(0, 0, 1280, 1024) << QPoint(240, 450);
        QTest::newRow("dialog") << QSize(346, 267) << QRect(0, 0, 1280, 1024) << QPoint(467, 379);
        // The left and top edges stay on a smaller screen, where what comes
        // back from the store is the same place.
        QTest::newRow("larger than the screen") << QSize(1600, 1000) << QRect(0, 0, 1280, 960)
                                                << QPoint(0, 0);
        QTest::newRow("narrow screen") << QSize(800, 125) << QRect(0, 0, 640, 480) << QPoint(0, 178);
        QTest::newRow("narrow screen, not at the origin") << QSize(800, 125) << QRect(1280, -100, 640, 480)
                                                          << QPoint(1280, 78);
        QTest::newRow("primary not at the origin") << QSize(300, 160) << QRect(1280, -100, 1280, 960)
                                                   << QPoint(1770, 300);
    }

    void centres()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, screen);
        QFETCH(QPoint, corner);
        QCOMPARE(WindowPlacement::centred(size, screen), corner);
        QCOMPARE(WindowPlacement::onScreen(QRect(corner, size), {screen}).topLeft(), corner);
    }

    void aWidgetGoesThroughTheStore()
    {
        QVERIFY(!WindowPlacement::isNativeWayland()); // offscreen, not Wayland
        const QString key = freshKey();
        QWidget widget;
        widget.setGeometry(40, 30, 320, 200);
        WindowPlacement::save(widget, key);
        QCOMPARE(SettingsStore::value(section, key), "450,3000,600,4800,0");
        widget.setWindowState(Qt::WindowMinimized);
        WindowPlacement::save(widget, key);
        QCOMPARE(SettingsStore::value(section, key), "450,3000,600,4800,0");

        QWidget other;
        QVERIFY(WindowPlacement::restore(other, key));
        QCOMPARE(other.geometry(), QRect(40, 30, 320, 200));
        QVERIFY(!(other.windowState() & Qt::WindowMaximized));
        // Only a normal window is restored; a stored maximized state follows
        // the bounds.
        QVERIFY(!WindowPlacement::restore(widget, key));
        SettingsStore::setValue(section, key, "450,3000,600,4800,2");
        QWidget maximized;
        QVERIFY(WindowPlacement::restore(maximized, key));
        QCOMPARE(maximized.pos(), QPoint(40, 30));
        QVERIFY(maximized.windowState() & Qt::WindowMaximized);
        // Nothing usable stored: the widget is left alone.
        SettingsStore::setValue(section, key, "broken");
        QWidget untouched;
        untouched.setGeometry(1, 2, 3, 4);
        QVERIFY(!WindowPlacement::restore(untouched, key));
        QCOMPARE(untouched.geometry(), QRect(1, 2, 3, 4));

        QWidget fixed;
        fixed.setFixedSize(800, 125);
        WindowPlacement::centre(fixed);
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(fixed.pos(), WindowPlacement::centred(QSize(800, 125), primary));
    }
};

TALORAN_TEST_MAIN(TestWindowPlacement)
#include "test_window_placement.moc"
