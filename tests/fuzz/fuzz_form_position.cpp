// Reads arbitrary text as the stored bounds of a window ("Top,Height,Left,
// Width,WindowState"): through the parser, and each value it takes onto a
// desktop and through a maximized write. The parser gives nothing or bounds
// in range; pulled onto the desktop they keep their size with the corner on
// it, and a maximized write keeps every field but the state.

#include "window_placement/WindowPlacement.h"

#include <QRect>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int maxSize = 100'000;
constexpr int maxPosition = 1'000'000;

// Two screens side by side, the left one at negative coordinates.
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

    const QRect placed = WindowPlacement::onDesktop(frame, desktop);
    check(placed.size() == frame.size() && placed.x() >= desktop.x()
              && placed.x() <= desktop.x() + desktop.width() && placed.y() >= desktop.y()
              && placed.y() <= desktop.y() + desktop.height(),
          "corner off the desktop", placed);

    const auto written = WindowPlacement::write(desktop, Qt::WindowMaximized, g_text);
    QStringList expected = g_text.split(u',');
    expected[4] = QStringLiteral("2");
    check(written == expected.join(u','), "maximized write changed more than the state", frame);
    const auto again = WindowPlacement::read(*written);
    check(again && again->frame == frame && again->state == Qt::WindowMaximized,
          "maximized write lost the bounds", frame);
    return 0;
}
