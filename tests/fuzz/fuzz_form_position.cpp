// Reads arbitrary text as the stored bounds of a window ("Top,Height,Left,
// Width,WindowState"): through the parser, and each value it takes onto two
// screens and through a maximized write. The parser gives nothing or bounds
// in range; pulled onto the screens they keep their size with the corner on
// one of them, and a maximized write keeps every field but the state.

#include "window_placement/WindowPlacement.h"

#include <QList>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int maxSize = 100'000;
constexpr int maxPosition = 1'000'000;

// Two screens of different sizes side by side, the left one at negative
// coordinates.
const QList<QRect> screens{QRect(-1920, -120, 1920, 1080), QRect(0, 0, 1280, 800)};
const QRect desktop(-1920, -120, 3200, 1080);

QString g_text; // the input, for the failure report

void check(bool ok, const char *what, const QRect &frame)
{
    if (ok)
        return;
    std::fprintf(stderr, "fuzz_form_position: %s\n  value: \"%s\"\n  frame %d,%d %dx%d\n", what,
                 g_text.toUtf8().constData(), frame.x(), frame.y(), frame.width(), frame.height());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    g_text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto parsed = WindowPlacement::read(g_text);
    if (!parsed)
        return 0;
    const QRect frame = parsed->frame;
    check(frame.width() >= 0 && frame.width() <= maxSize && frame.height() >= 0
              && frame.height() <= maxSize && qAbs(frame.x()) <= maxPosition
              && qAbs(frame.y()) <= maxPosition,
          "parsed bounds out of range", frame);

    const QRect placed = WindowPlacement::onScreen(frame, screens);
    check(placed.size() == frame.size()
              && std::any_of(screens.cbegin(), screens.cend(),
                             [&](const QRect &s) { return s.contains(placed.topLeft()); }),
          "corner off the screens", placed);

    const auto written = WindowPlacement::write(desktop, Qt::WindowMaximized, g_text);
    QStringList expected = g_text.split(u',');
    expected[4] = QStringLiteral("2");
    check(written == expected.join(u','), "maximized write changed more than the state", frame);
    const auto again = WindowPlacement::read(*written);
    check(again && again->frame == frame && again->state == Qt::WindowMaximized,
          "maximized write lost the bounds", frame);
    return 0;
}
