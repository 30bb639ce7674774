// The choice of Qt platform made before the application starts.

#include "support/TestMain.h"

#include "app/PlatformChoice.h"

class TestPlatformChoice : public QObject
{
    Q_OBJECT

private slots:
    void aWaylandSessionUsesItsXServerUnlessTheUserChose()
    {
        using PlatformChoice::Session;
        const auto choose = [](Session s) { return PlatformChoice::choose(s); };
        // GNOME and KDE on Wayland: XWayland when there is an X server.
        QCOMPARE(choose({"", ":0", "wayland-0", "wayland", false}), "xcb");
        QCOMPARE(choose({"", ":0", "", "wayland", false}), "xcb");
        QCOMPARE(choose({"", ":1", "wayland-1", "", false}), "xcb");
        // No X server: native Wayland, also where Qt would try X11 first.
        QCOMPARE(choose({"", "", "wayland-0", "wayland", false}), "wayland");
        QCOMPARE(choose({"", "", "wayland-0", "", false}), "wayland");
        // The user's choice wins, and X11 or unknown sessions keep Qt's own.
        QCOMPARE(choose({"wayland", ":0", "wayland-0", "wayland", false}), "");
        QCOMPARE(choose({"", ":0", "wayland-0", "wayland", true}), "");
        QCOMPARE(choose({"", ":0", "", "x11", false}), "");
        QCOMPARE(choose({"", "", "", "tty", false}), "");

        const char *withArgument[] = {"taloran", "--platform", "wayland", "/m"};
        QVERIFY(PlatformChoice::current(4, withArgument).platformArgument);
        const char *withoutArgument[] = {"taloran", "/m", "platform"};
        QVERIFY(!PlatformChoice::current(3, withoutArgument).platformArgument);
    }
};

TALORAN_TEST_MAIN(TestPlatformChoice)
#include "test_platform_choice.moc"
