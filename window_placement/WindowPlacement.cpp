#include "WindowPlacement.h"

#include "SettingsStore.h"

#include <QRectF>
#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

const QString kSection = QStringLiteral("Form Positions");

// Window states.
constexpr int Normal = 0;
constexpr int Minimized = 1;
constexpr int Maximized = 2;

// Bounds beyond what any desktop could hold: a stored value outside them is
// damaged, not a window that was really there.
constexpr double kMaxSizeTwips = 15.0 * 100'000;
constexpr double kMaxPositionTwips = 15.0 * 1'000'000;

// Field order of the stored text.
enum Field { FieldTop, FieldHeight, FieldLeft, FieldWidth, FieldState, FieldCount };

// Plain decimal text whatever the locale: "1200", "-300", "7350.5"; the
// shortest text that reads back to the same single-precision value, never
// with an exponent or a grouping separator.
QString twipsText(float value)
{
    if (value == 0.0f)
        return QStringLiteral("0"); // no "-0"
    std::array<char, 128> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

using WindowPlacement::StoredBounds;

// The first five fields of a stored value when they make sense as bounds and
// a state; anything else counts as nothing stored. Fields beyond the fifth are
// not looked at.
std::optional<StoredBounds> parseBounds(const QStringList &fields)
{
    if (fields.size() < FieldCount)
        return std::nullopt;
    std::array<double, FieldCount> v{};
    for (int i = 0; i < FieldCount; ++i) {
        bool ok = false;
        v[i] = fields[i].toDouble(&ok); // always "." as the decimal separator
        if (!ok || !std::isfinite(v[i]))
            return std::nullopt;
    }
    // A size is tested as the single-precision value the window gets: a
    // positive text too small for it ("1e-50") would reach the window as 0.
    const auto sizeOk = [](double size) { return float(size) > 0 && size <= kMaxSizeTwips; };
    const auto positionOk = [](double pos) { return std::abs(pos) <= kMaxPositionTwips; };
    const double state = v[FieldState];
    if (!sizeOk(v[FieldWidth]) || !sizeOk(v[FieldHeight]) || !positionOk(v[FieldLeft])
        || !positionOk(v[FieldTop])
        || (state != Normal && state != Minimized && state != Maximized))
        return std::nullopt;
    return StoredBounds{float(v[FieldTop]), float(v[FieldHeight]), float(v[FieldLeft]),
                        float(v[FieldWidth]), int(state)};
}

} // namespace

namespace WindowPlacement {

std::optional<StoredBounds> parseStoredBounds(const QString &text)
{
    return parseBounds(text.split(u','));
}

void save(PlacedWindow &window)
{
    const int state = window.windowState();
    if (!window.positionIsKnown() || state == Minimized)
        return;

    if (state == Maximized) {
        // Keep the bounds the window had before it was maximized: only the
        // state changes, every other field is written back as it was read.
        QStringList fields = SettingsStore::getSetting(kSection, window.settingsKey()).split(u',');
        if (parseBounds(fields)) {
            fields[FieldState] = QString::number(Maximized);
            SettingsStore::saveSetting(kSection, window.settingsKey(), fields.join(u','));
            return;
        }
    }

    const QStringList fields{twipsText(window.top()), twipsText(window.height()), twipsText(window.left()),
                             twipsText(window.width()), QString::number(state)};
    SettingsStore::saveSetting(kSection, window.settingsKey(), fields.join(u','));
}

bool restore(PlacedWindow &window)
{
    if (!window.positionIsKnown() || window.windowState() != Normal)
        return false;

    const auto stored = parseStoredBounds(SettingsStore::getSetting(kSection, window.settingsKey()));
    if (!stored)
        return false;

    window.setTop(stored->top);
    window.setHeight(stored->height);
    window.setLeft(stored->left);
    window.setWidth(stored->width);

    // Pull the top-left corner back onto the desktop. Each test reads the
    // window afresh, so an earlier correction is seen by the later ones.
    const QRectF desktop = window.desktopTwips();
    if (window.left() > desktop.right())
        window.setLeft(float(desktop.left()));
    if (window.top() > desktop.bottom())
        window.setTop(float(desktop.top()));
    if (window.left() < desktop.left())
        window.setLeft(float(desktop.left()));
    if (window.top() < desktop.top())
        window.setTop(float(desktop.top()));

    // A window is never brought back minimized.
    if (stored->state != Minimized)
        window.setWindowState(stored->state);
    return true;
}

void center(PlacedWindow &window)
{
    const QRectF screen = window.screenTwips();
    window.setTop(float(screen.top() + (screen.height() - window.height()) / 2.0));
    window.setLeft(float(screen.left() + (screen.width() - window.width()) / 2.0));
}

} // namespace WindowPlacement
