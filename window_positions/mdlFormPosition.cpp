#include "mdlFormPosition.h"

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

QString resolvedAppName(const QString &strAppName)
{
    return strAppName.isEmpty() ? SettingsStore::programTitle() : strAppName;
}

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

using mdlFormPosition::StoredBounds;

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

namespace mdlFormPosition {

std::optional<StoredBounds> ParseStoredBounds(const QString &strValue)
{
    return parseBounds(strValue.split(u','));
}

void SaveFormPosition(FormWindow &frm, const QString &strAppName)
{
    const QString appName = resolvedAppName(strAppName);
    const int state = frm.windowState();
    if (!frm.positionIsKnown() || state == Minimized)
        return;

    if (state == Maximized) {
        // Keep the bounds the window had before it was maximized: only the
        // state changes, every other field is written back as it was read.
        QStringList fields = SettingsStore::getSetting(appName, kSection, frm.name()).split(u',');
        if (parseBounds(fields)) {
            fields[FieldState] = QString::number(Maximized);
            SettingsStore::saveSetting(appName, kSection, frm.name(), fields.join(u','));
            return;
        }
    }

    const QStringList fields{twipsText(frm.top()), twipsText(frm.height()), twipsText(frm.left()),
                             twipsText(frm.width()), QString::number(state)};
    SettingsStore::saveSetting(appName, kSection, frm.name(), fields.join(u','));
}

bool RestoreFormPosition(FormWindow &frm, const QString &strAppName)
{
    const QString appName = resolvedAppName(strAppName);
    if (!frm.positionIsKnown() || frm.windowState() != Normal)
        return false;

    const auto stored = ParseStoredBounds(SettingsStore::getSetting(appName, kSection, frm.name()));
    if (!stored)
        return false;

    frm.setTop(stored->top);
    frm.setHeight(stored->height);
    frm.setLeft(stored->left);
    frm.setWidth(stored->width);

    // Pull the top-left corner back onto the desktop. Each test reads the
    // window afresh, so an earlier correction is seen by the later ones.
    const QRectF desktop = frm.desktopTwips();
    if (frm.left() > desktop.right())
        frm.setLeft(float(desktop.left()));
    if (frm.top() > desktop.bottom())
        frm.setTop(float(desktop.top()));
    if (frm.left() < desktop.left())
        frm.setLeft(float(desktop.left()));
    if (frm.top() < desktop.top())
        frm.setTop(float(desktop.top()));

    // A window is never brought back minimized.
    if (stored->state != Minimized)
        frm.setWindowState(stored->state);
    return true;
}

void CenterForm(FormWindow &frm)
{
    const QRectF screen = frm.screenTwips();
    frm.setTop(float(screen.top() + (screen.height() - frm.height()) / 2.0));
    frm.setLeft(float(screen.left() + (screen.width() - frm.width()) / 2.0));
}

} // namespace mdlFormPosition
