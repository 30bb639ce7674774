// Reads arbitrary text as the stored bounds of a window ("Top,Height,Left,
// Width,WindowState"): through the parser, and each value it takes through the
// settings store into a restore of a fake window and a save of it maximized.
// The parser gives nothing or finite bounds in range; a restore of what it
// takes leaves those bounds with the top-left corner on the desktop, and a
// maximized save keeps them.

#include "SettingsStore.h"
#include "TestSupport.h"
#include "WindowPlacement.h"

#include <QByteArray>
#include <QRectF>
#include <QStringList>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kSection = QStringLiteral("Form Positions");
const QString kKey = QStringLiteral("frmMain");

constexpr float kMaxSize = 15.0f * 100'000;
constexpr float kMaxPosition = 15.0f * 1'000'000;

// Two screens side by side, the left one at negative coordinates, in twips.
const QRectF kDesktop(-28800, -1800, 48000, 16200);

QString g_text; // the input, for the failure report

[[noreturn]] void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "fuzz_form_position: %s\n  value: \"%s\"\n  %s\n", what,
                 g_text.toUtf8().constData(), detail.toUtf8().constData());
    std::abort();
}

void check(bool ok, const char *what, const QString &detail = QString())
{
    if (!ok)
        fail(what, detail);
}

bool sizeInRange(float v) { return std::isfinite(v) && v > 0 && v <= kMaxSize; }
bool positionInRange(float v) { return std::isfinite(v) && std::abs(v) <= kMaxPosition; }

QString describe(const FakeWindow &w)
{
    return QStringLiteral("window left %1 top %2 width %3 height %4 state %5")
        .arg(w.l, 0, 'g', 9)
        .arg(w.t, 0, 'g', 9)
        .arg(w.w, 0, 'g', 9)
        .arg(w.h, 0, 'g', 9)
        .arg(w.state);
}

QString describe(const WindowPlacement::StoredBounds &b)
{
    return QStringLiteral("parsed top %1 height %2 left %3 width %4 state %5")
        .arg(b.top, 0, 'g', 9)
        .arg(b.height, 0, 'g', 9)
        .arg(b.left, 0, 'g', 9)
        .arg(b.width, 0, 'g', 9)
        .arg(b.state);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A settings folder of the fuzzer's own, removed when it exits.
    static QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    g_text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    // The parser alone.
    const auto parsed = WindowPlacement::parseStoredBounds(g_text);
    if (!parsed)
        return 0;
    check(positionInRange(parsed->top) && positionInRange(parsed->left)
              && sizeInRange(parsed->height) && sizeInRange(parsed->width)
              && parsed->state >= 0 && parsed->state <= 2,
          "parsed bounds out of range", describe(*parsed));

    // A value the parser takes, through the store into a restore of a normal
    // window. (A value it rejects gives a restore nothing to apply; writing
    // each one to the store would cost twenty times the parse.)
    if (!SettingsStore::saveSetting(kSection, kKey, g_text))
        fail("settings store not writable");
    const QString readBack = SettingsStore::getSetting(kSection, kKey);
    check(readBack == g_text, "settings store changed the value",
          QStringLiteral("read back \"%1\"").arg(readBack));

    // A normal window on two screens side by side, the left one at negative
    // coordinates.
    FakeWindow window(kKey);
    window.setBounds(3000, 1200, 12000, 1875);
    window.desktop = kDesktop;
    if (!WindowPlacement::restore(window))
        fail("restore rejected what the parser took", describe(window));
    check(sizeInRange(window.w) && sizeInRange(window.h) && window.w == parsed->width
              && window.h == parsed->height,
          "restored size wrong", describe(window));
    check(std::isfinite(window.l) && std::isfinite(window.t) && window.l >= kDesktop.left()
              && window.l <= kDesktop.right() && window.t >= kDesktop.top()
              && window.t <= kDesktop.bottom(),
          "restored corner off the desktop", describe(window));
    check(window.state == (parsed->state == 2 ? 2 : 0), "restored state wrong", describe(window));

    // A save of the window maximized marks the stored value and keeps the
    // rest, so a later restore brings the same bounds back.
    window.state = 2;
    WindowPlacement::save(window);
    const QString saved = SettingsStore::getSetting(kSection, kKey);
    QStringList expected = g_text.split(u',');
    expected[4] = QStringLiteral("2");
    check(saved == expected.join(u','), "maximized save changed more than the state",
          QStringLiteral("saved \"%1\"").arg(saved));
    const auto again = WindowPlacement::parseStoredBounds(saved);
    check(again && again->top == parsed->top && again->height == parsed->height
              && again->left == parsed->left && again->width == parsed->width
              && again->state == 2,
          "maximized save lost the bounds", QStringLiteral("saved \"%1\"").arg(saved));
    return 0;
}
