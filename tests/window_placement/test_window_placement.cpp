#include "SettingsStore.h"
#include "TestMain.h"
#include "TestSupport.h"
#include "WidgetPlacedWindow.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <limits>

namespace {

const QString kSection = QStringLiteral("Form Positions");
const QString kNothing = QStringLiteral("<nothing stored>");
const QRectF kScreen(0, 0, 19200, 14400); // 1280 x 960 pixels

// Every test works on a key of its own, so that nothing stored by an earlier
// test is seen.
QString freshName()
{
    static int counter = 0;
    return QStringLiteral("test%1").arg(++counter);
}

QString stored(const PlacedWindow &window)
{
    return SettingsStore::getSetting(kSection, window.settingsKey(), kNothing);
}

void store(const PlacedWindow &window, const QString &value)
{
    QVERIFY(SettingsStore::saveSetting(kSection, window.settingsKey(), value));
}

QStringList applied(const QString &top, const QString &height, const QString &left,
                    const QString &width)
{
    return {QStringLiteral("Top ") + top, QStringLiteral("Height ") + height,
            QStringLiteral("Left ") + left, QStringLiteral("Width ") + width};
}

} // namespace

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void save_writesBoundsAsPlainText_data();
    void save_writesBoundsAsPlainText();
    void save_usesTheWindowsKeyInTheProgramsStore();
    void save_decimalPointWhateverTheLocale();
    void save_thenRestore_bringsBoundsBack_data();
    void save_thenRestore_bringsBoundsBack();
    void save_minimized_writesNothing();
    void save_maximized_onlyMarksState_data();
    void save_maximized_onlyMarksState();
    void save_maximized_thenRestore_appliesBoundsThenMaximizes();

    void restore_nothingStored_leavesWindowUntouched();
    void restore_onlyNormalWindow_data();
    void restore_onlyNormalWindow();
    void restore_pullsCornerOntoDesktop_data();
    void restore_pullsCornerOntoDesktop();
    void restore_state_data();
    void restore_state();
    void restore_malformed_changesNothing_data();
    void restore_malformed_changesNothing();
    void restore_limits_accepted_data();
    void restore_limits_accepted();

    void positionUnknown_nothingStoredOrRestored();

    void center_data();
    void center();

    void widgetWindow_boundsInTwips();
    void widgetWindow_stateAndScreens();
    void widgetWindow_roundTripThroughStore();
};

void TestWindowPlacement::save_writesBoundsAsPlainText_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("expected");

    QTest::newRow("normal") << 3000.f << 1200.f << 4500.f << 2400.f << 0
                            << "1200,2400,3000,4500,0";
    QTest::newRow("negative") << -300.f << -45.f << 4500.f << 2400.f << 0
                              << "-45,2400,-300,4500,0";
    QTest::newRow("fractions") << 7350.25f << 1200.5f << 0.1f << 2400.f << 0
                               << "1200.5,2400,7350.25,0.1,0";
    QTest::newRow("no exponent") << 1e7f << 0.f << 1.5e6f << 2400.f << 0
                                 << "0,2400,10000000,1500000,0";
    QTest::newRow("minus zero") << -0.f << -0.f << 4500.f << 2400.f << 0 << "0,2400,0,4500,0";
    QTest::newRow("maximized, nothing stored")
        << 0.f << 0.f << 19200.f << 14400.f << 2 << "0,14400,0,19200,2";
}

void TestWindowPlacement::save_writesBoundsAsPlainText()
{
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(int, state);
    QFETCH(QString, expected);

    FakeWindow window(freshName());
    window.setBounds(left, top, width, height);
    window.state = state;
    WindowPlacement::save(window);
    QCOMPARE(stored(window), expected);
    QVERIFY(window.log.isEmpty());
}

void TestWindowPlacement::save_usesTheWindowsKeyInTheProgramsStore()
{
    FakeWindow window(QStringLiteral("frmMain"));
    window.setBounds(3000, 1200, 4500, 2400);
    WindowPlacement::save(window);
    QCOMPARE(SettingsStore::getSetting(kSection, QStringLiteral("frmMain")),
             QStringLiteral("1200,2400,3000,4500,0"));

    FakeWindow other(freshName());
    QVERIFY(!WindowPlacement::restore(other));
    FakeWindow back(QStringLiteral("frmMain"));
    QVERIFY(WindowPlacement::restore(back));
    QCOMPARE(back.left(), 3000.f);
}

void TestWindowPlacement::save_decimalPointWhateverTheLocale()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    FakeWindow window(freshName());
    window.setBounds(7350.5f, 1200.25f, 1234567.f, 2400.f);
    WindowPlacement::save(window);
    const QString text = stored(window);

    FakeWindow back(window.settingsKey());
    const bool restored = WindowPlacement::restore(back);
    QLocale::setDefault(previous);

    QCOMPARE(text, QStringLiteral("1200.25,2400,7350.5,1234567,0"));
    QVERIFY(restored);
    QCOMPARE(back.log, applied("1200.25", "2400", "7350.5", "1234567") << "State 0");
}

void TestWindowPlacement::save_thenRestore_bringsBoundsBack_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");

    QTest::newRow("whole pixels") << 3000.f << 1200.f << 4500.f << 2400.f;
    QTest::newRow("fractions") << 7342.5f << 0.333333343f << 12000.7f << 1875.f;
    QTest::newRow("at the corner") << 0.f << 0.f << 12000.f << 1875.f;
    QTest::newRow("larger than the screen") << 0.f << 0.f << 30000.f << 20000.f;
}

void TestWindowPlacement::save_thenRestore_bringsBoundsBack()
{
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(float, width);
    QFETCH(float, height);

    FakeWindow window(freshName());
    window.setBounds(left, top, width, height);
    WindowPlacement::save(window);

    FakeWindow back(window.settingsKey());
    back.setBounds(1, 2, 3, 4);
    QVERIFY(WindowPlacement::restore(back));
    QCOMPARE(back.left(), left);
    QCOMPARE(back.top(), top);
    QCOMPARE(back.width(), width);
    QCOMPARE(back.height(), height);
    QCOMPARE(back.windowState(), 0);
    // Top, Height, Left, Width in that order, then the state.
    QCOMPARE(back.log.size(), 5);
    QVERIFY(back.log[0].startsWith(u"Top "));
    QVERIFY(back.log[1].startsWith(u"Height "));
    QVERIFY(back.log[2].startsWith(u"Left "));
    QVERIFY(back.log[3].startsWith(u"Width "));
    QCOMPARE(back.log[4], QStringLiteral("State 0"));
}

void TestWindowPlacement::save_minimized_writesNothing()
{
    FakeWindow window(freshName());
    window.setBounds(100, 200, 300, 400);
    window.state = 1;
    WindowPlacement::save(window);
    QCOMPARE(stored(window), kNothing);

    store(window, QStringLiteral("1200,2400,3000,4500,0"));
    WindowPlacement::save(window);
    QCOMPARE(stored(window), QStringLiteral("1200,2400,3000,4500,0"));
}

void TestWindowPlacement::save_maximized_onlyMarksState_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    // The window is maximized at 0,0 19200 x 14400.
    const QString fresh = QStringLiteral("0,14400,0,19200,2");
    QTest::newRow("normal stored") << "1200,2400,3000,4500,0" << "1200,2400,3000,4500,2";
    QTest::newRow("maximized stored") << "1200,2400,3000,4500,2" << "1200,2400,3000,4500,2";
    QTest::newRow("minimized stored") << "1200,2400,3000,4500,1" << "1200,2400,3000,4500,2";
    QTest::newRow("fields kept as written") << "1200.50,2400,-0,4500,0" << "1200.50,2400,-0,4500,2";
    QTest::newRow("extra fields kept") << "1200,2400,3000,4500,0,extra,,9"
                                       << "1200,2400,3000,4500,2,extra,,9";
    QTest::newRow("nothing stored") << QString() << fresh;
    QTest::newRow("empty stored") << "" << fresh;
    QTest::newRow("too few fields") << "1200,2400,3000,4500" << fresh;
    QTest::newRow("not a number") << "1200,abc,3000,4500,0" << fresh;
    QTest::newRow("bad state") << "1200,2400,3000,4500,7" << fresh;
    QTest::newRow("zero width") << "1200,2400,3000,0,0" << fresh;
}

void TestWindowPlacement::save_maximized_onlyMarksState()
{
    QFETCH(QString, before);
    QFETCH(QString, after);

    FakeWindow window(freshName());
    if (!before.isNull())
        store(window, before);
    window.setBounds(0, 0, 19200, 14400);
    window.state = 2;
    WindowPlacement::save(window);
    QCOMPARE(stored(window), after);
}

void TestWindowPlacement::save_maximized_thenRestore_appliesBoundsThenMaximizes()
{
    FakeWindow window(freshName());
    window.setBounds(3000, 1200, 4500, 2400);
    WindowPlacement::save(window);
    window.setBounds(0, 0, 19200, 14400);
    window.state = 2;
    WindowPlacement::save(window);
    QCOMPARE(stored(window), QStringLiteral("1200,2400,3000,4500,2"));

    FakeWindow back(window.settingsKey());
    QVERIFY(WindowPlacement::restore(back));
    QCOMPARE(back.log, applied("1200", "2400", "3000", "4500") << "State 2");
}

void TestWindowPlacement::restore_nothingStored_leavesWindowUntouched()
{
    FakeWindow window(freshName());
    window.setBounds(100, 200, 300, 400);
    QVERIFY(!WindowPlacement::restore(window));
    QVERIFY(window.log.isEmpty());
    QCOMPARE(stored(window), kNothing);
}

void TestWindowPlacement::restore_onlyNormalWindow_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("minimized") << 1;
    QTest::newRow("maximized") << 2;
}

void TestWindowPlacement::restore_onlyNormalWindow()
{
    QFETCH(int, state);
    FakeWindow window(freshName());
    store(window, QStringLiteral("1200,2400,3000,4500,0"));
    window.state = state;
    QVERIFY(!WindowPlacement::restore(window));
    QVERIFY(window.log.isEmpty());
}

void TestWindowPlacement::restore_pullsCornerOntoDesktop_data()
{
    QTest::addColumn<QRectF>("desktop");
    QTest::addColumn<QString>("value");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<QStringList>("corrections");

    const QRectF one = kScreen;
    QTest::newRow("on screen") << one << "1200,2400,3000,4500,0" << 3000.f << 1200.f
                               << QStringList();
    QTest::newRow("left beyond width") << one << "1200,2400,19201,4500,0" << 0.f << 1200.f
                                       << QStringList{"Left 0"};
    QTest::newRow("left a fraction beyond") << one << "1200,2400,19200.5,4500,0" << 0.f
                                            << 1200.f << QStringList{"Left 0"};
    QTest::newRow("left equal to width stays") << one << "1200,2400,19200,4500,0" << 19200.f
                                               << 1200.f << QStringList();
    QTest::newRow("top beyond height") << one << "14401,2400,3000,4500,0" << 3000.f << 0.f
                                       << QStringList{"Top 0"};
    QTest::newRow("top equal to height stays") << one << "14400,2400,3000,4500,0" << 3000.f
                                               << 14400.f << QStringList();
    QTest::newRow("left negative") << one << "1200,2400,-300,4500,0" << 0.f << 1200.f
                                   << QStringList{"Left 0"};
    QTest::newRow("top negative") << one << "-0.5,2400,3000,4500,0" << 3000.f << 0.f
                                  << QStringList{"Top 0"};
    QTest::newRow("size not checked") << one << "0,30000,0,40000,0" << 0.f << 0.f
                                      << QStringList();
    // The corrections run in their order: beyond right, beyond bottom, left
    // of the desktop, above it.
    QTest::newRow("order: right, bottom") << one << "20000,2400,20000,4500,0" << 0.f << 0.f
                                          << QStringList{"Left 0", "Top 0"};
    QTest::newRow("order: bottom, left") << one << "20000,2400,-300,4500,0" << 0.f << 0.f
                                         << QStringList{"Top 0", "Left 0"};
    QTest::newRow("order: right, above") << one << "-300,2400,20000,4500,0" << 0.f << 0.f
                                         << QStringList{"Left 0", "Top 0"};

    // Two screens side by side, the second one left of the primary, and one
    // screen stacked above.
    const QRectF sideBySide(-19200, 0, 38400, 14400);
    QTest::newRow("on the left screen") << sideBySide << "1200,2400,-15000,4500,0" << -15000.f
                                        << 1200.f << QStringList();
    QTest::newRow("left of the desktop") << sideBySide << "1200,2400,-19201,4500,0" << -19200.f
                                         << 1200.f << QStringList{"Left -19200"};
    QTest::newRow("right of the desktop") << sideBySide << "1200,2400,19201,4500,0" << -19200.f
                                          << 1200.f << QStringList{"Left -19200"};
    QTest::newRow("right edge stays") << sideBySide << "1200,2400,19200,4500,0" << 19200.f
                                      << 1200.f << QStringList();
    const QRectF stacked(0, -14400, 19200, 28800);
    QTest::newRow("on the upper screen") << stacked << "-3000,2400,3000,4500,0" << 3000.f
                                         << -3000.f << QStringList();
    QTest::newRow("above the desktop") << stacked << "-20000,2400,3000,4500,0" << 3000.f
                                       << -14400.f << QStringList{"Top -14400"};
    QTest::newRow("below the desktop") << stacked << "14401,2400,3000,4500,0" << 3000.f
                                       << -14400.f << QStringList{"Top -14400"};
}

void TestWindowPlacement::restore_pullsCornerOntoDesktop()
{
    QFETCH(QRectF, desktop);
    QFETCH(QString, value);
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(QStringList, corrections);

    FakeWindow window(freshName());
    window.desktop = desktop;
    store(window, value);
    QVERIFY(WindowPlacement::restore(window));
    QCOMPARE(window.left(), left);
    QCOMPARE(window.top(), top);

    const QStringList fields = value.split(u',');
    QCOMPARE(window.log, applied(fields[0], fields[1], fields[2], fields[3]) + corrections
                          << "State 0");
}

void TestWindowPlacement::restore_state_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("stateChanges");

    QTest::newRow("normal") << "1200,2400,3000,4500,0" << QStringList{"State 0"};
    QTest::newRow("maximized") << "1200,2400,3000,4500,2" << QStringList{"State 2"};
    QTest::newRow("minimized is never applied") << "1200,2400,3000,4500,1" << QStringList();
    QTest::newRow("first five fields only") << "1200,2400,3000,4500,2,junk,,abc"
                                            << QStringList{"State 2"};
}

void TestWindowPlacement::restore_state()
{
    QFETCH(QString, value);
    QFETCH(QStringList, stateChanges);

    FakeWindow window(freshName());
    store(window, value);
    QVERIFY(WindowPlacement::restore(window));
    QCOMPARE(window.log, applied("1200", "2400", "3000", "4500") + stateChanges);
}

void TestWindowPlacement::restore_malformed_changesNothing_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("empty") << "";
    QTest::newRow("one field") << "1200";
    QTest::newRow("four fields") << "1200,2400,3000,4500";
    QTest::newRow("empty fields") << ",,,,";
    QTest::newRow("empty width") << "1200,2400,3000,,0";
    QTest::newRow("empty state") << "1200,2400,3000,4500,";
    QTest::newRow("letters") << "1200,2400,abc,4500,0";
    // A decimal comma splits a field in two and shifts the rest.
    QTest::newRow("decimal comma") << "1200,5,2400,3000,4500,0";
    QTest::newRow("nan") << "nan,2400,3000,4500,0";
    QTest::newRow("inf") << "1200,inf,3000,4500,0";
    QTest::newRow("-inf") << "1200,2400,-inf,4500,0";
    QTest::newRow("overflow") << "1200,2400,3000,1e999,0";
    QTest::newRow("zero height") << "1200,0,3000,4500,0";
    // Positive, but 0 in single precision.
    QTest::newRow("height below single precision") << "1200,1e-46,3000,4500,0";
    QTest::newRow("width below single precision") << "1,2400,0,399e-190,0";
    QTest::newRow("negative width") << "1200,2400,3000,-4500,0";
    QTest::newRow("huge width") << "1200,2400,3000,1500001,0";
    QTest::newRow("huge height") << "1200,1e7,3000,4500,0";
    QTest::newRow("far left") << "1200,2400,-15000001,4500,0";
    QTest::newRow("far top") << "1e9,2400,3000,4500,0";
    QTest::newRow("state 3") << "1200,2400,3000,4500,3";
    QTest::newRow("state -1") << "1200,2400,3000,4500,-1";
    QTest::newRow("state 1.5") << "1200,2400,3000,4500,1.5";
    QTest::newRow("state text") << "1200,2400,3000,4500,max";
}

void TestWindowPlacement::restore_malformed_changesNothing()
{
    QFETCH(QString, value);

    FakeWindow window(freshName());
    window.setBounds(100, 200, 300, 400);
    store(window, value);
    QVERIFY(!WindowPlacement::restore(window));
    QVERIFY(window.log.isEmpty());
    QCOMPARE(stored(window), value);
}

void TestWindowPlacement::restore_limits_accepted_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("largest size") << "0,1500000,0,1500000,0"
                                  << (applied("0", "1500000", "0", "1500000") << "State 0");
    QTest::newRow("farthest position")
        << "-15000000,2400,15000000,4500,0"
        << (applied("-15000000", "2400", "15000000", "4500") << "Left 0" << "Top 0" << "State 0");
    QTest::newRow("smallest size") << "0,0.5,0,0.5,0"
                                   << (applied("0", "0.5", "0", "0.5") << "State 0");
}

void TestWindowPlacement::restore_limits_accepted()
{
    QFETCH(QString, value);
    QFETCH(QStringList, expected);

    FakeWindow window(freshName());
    store(window, value);
    QVERIFY(WindowPlacement::restore(window));
    QCOMPARE(window.log, expected);
}

void TestWindowPlacement::positionUnknown_nothingStoredOrRestored()
{
    FakeWindow window(freshName());
    window.known = false;
    window.setBounds(3000, 1200, 4500, 2400);
    WindowPlacement::save(window);
    QCOMPARE(stored(window), kNothing);
    window.state = 2;
    WindowPlacement::save(window);
    QCOMPARE(stored(window), kNothing);

    store(window, QStringLiteral("1200,2400,3000,4500,0"));
    WindowPlacement::save(window);
    QCOMPARE(stored(window), QStringLiteral("1200,2400,3000,4500,0"));
    window.state = 0;
    QVERIFY(!WindowPlacement::restore(window));
    QVERIFY(window.log.isEmpty());
}

void TestWindowPlacement::center_data()
{
    QTest::addColumn<QRectF>("screen");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("widget") << kScreen << 4500.f << 2400.f << 0
                            << QStringList{"Top 6000", "Left 7350"};
    QTest::newRow("half twips") << kScreen << 4515.f << 2415.f << 0
                                << QStringList{"Top 5992.5", "Left 7342.5"};
    QTest::newRow("larger than the screen") << kScreen << 24000.f << 15000.f << 0
                                            << QStringList{"Top -300", "Left -2400"};
    QTest::newRow("state not tested") << kScreen << 4500.f << 2400.f << 2
                                      << QStringList{"Top 6000", "Left 7350"};
    QTest::newRow("primary screen not at origin")
        << QRectF(19200, -1500, 19200, 14400) << 4500.f << 2400.f << 0
        << QStringList{"Top 4500", "Left 26550"};
}

void TestWindowPlacement::center()
{
    QFETCH(QRectF, screen);
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(int, state);
    QFETCH(QStringList, expected);

    FakeWindow window(freshName());
    window.screen = screen;
    window.desktop = QRectF(-99999, -99999, 1, 1); // not what centring uses
    window.setBounds(123, 456, width, height);
    window.state = state;
    WindowPlacement::center(window);
    QCOMPARE(window.log, expected);
}

void TestWindowPlacement::widgetWindow_boundsInTwips()
{
    QWidget widget;
    WidgetPlacedWindow window(widget, QStringLiteral("frmMain"));
    QCOMPARE(window.settingsKey(), QStringLiteral("frmMain"));

    window.setLeft(3000);
    window.setTop(1200);
    window.setWidth(4500);
    window.setHeight(2400);
    QCOMPARE(widget.pos(), QPoint(200, 80));
    QCOMPARE(widget.size(), QSize(300, 160));
    QCOMPARE(window.left(), 3000.f);
    QCOMPARE(window.top(), 1200.f);
    QCOMPARE(window.width(), 4500.f);
    QCOMPARE(window.height(), 2400.f);

    // Twips are rounded to the nearest pixel.
    window.setLeft(3007);
    window.setTop(-3008);
    QCOMPARE(widget.pos(), QPoint(200, -201));
    QCOMPARE(window.top(), -3015.f);

    // A value no window could take changes nothing.
    window.setLeft(std::numeric_limits<float>::quiet_NaN());
    window.setWidth(std::numeric_limits<float>::infinity());
    QCOMPARE(widget.pos(), QPoint(200, -201));
    QCOMPARE(widget.size(), QSize(300, 160));

    QWidget fixed;
    fixed.setFixedSize(800, 125);
    WidgetPlacedWindow fixedWindow(fixed, freshName());
    fixedWindow.setWidth(4500);
    fixedWindow.setHeight(2400);
    QCOMPARE(fixed.size(), QSize(800, 125));
    QCOMPARE(fixedWindow.width(), 12000.f);
}

void TestWindowPlacement::widgetWindow_stateAndScreens()
{
    QWidget widget;
    WidgetPlacedWindow window(widget, freshName());
    QCOMPARE(window.windowState(), 0);
    window.setWindowState(2);
    QVERIFY(widget.windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(window.windowState(), 2);
    window.setWindowState(1);
    QCOMPARE(widget.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized),
             Qt::WindowStates(Qt::WindowMinimized));
    widget.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
    QCOMPARE(window.windowState(), 1);
    window.setWindowState(0);
    QCOMPARE(widget.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized),
             Qt::WindowStates());
    QCOMPARE(window.windowState(), 0);

    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(window.screenTwips(), QRectF(primary.x() * 15, primary.y() * 15, primary.width() * 15,
                                       primary.height() * 15));
    QVERIFY(window.desktopTwips().contains(window.screenTwips()));
    QVERIFY(window.positionIsKnown()); // offscreen, not Wayland
}

void TestWindowPlacement::widgetWindow_roundTripThroughStore()
{
    QWidget widget;
    widget.setGeometry(40, 30, 320, 200);
    WidgetPlacedWindow window(widget, freshName());
    WindowPlacement::save(window);
    QCOMPARE(stored(window), QStringLiteral("450,3000,600,4800,0"));

    QWidget other;
    WidgetPlacedWindow otherWindow(other, window.settingsKey());
    QVERIFY(WindowPlacement::restore(otherWindow));
    QCOMPARE(other.geometry(), QRect(40, 30, 320, 200));

    WindowPlacement::center(otherWindow);
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(other.pos(), QPoint(primary.x() + (primary.width() - 320) / 2,
                                 primary.y() + (primary.height() - 200) / 2));
}

TALORAN_TEST_MAIN(TestWindowPlacement)
#include "test_window_placement.moc"
