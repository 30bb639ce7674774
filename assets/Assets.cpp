#include "assets/Assets.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QTimer>

namespace Assets {

// Read in the named format only: left to guess, Qt loads every image plugin
// to ask it, which costs the start-up a few milliseconds.
static QPixmap picture(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

void setUp()
{
    QGuiApplication::setWindowIcon(clockIcon());
    // Registering a face sets up fontconfig, as the first text drawn would:
    // done as the event loop starts, before the first paint, the window's map
    // does not wait for it.
    QTimer::singleShot(0, qApp, [] {
        QFontDatabase::addApplicationFont(QStringLiteral(":/taloran/fonts/NotoSans-ExtraCondensedBlack.ttf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/taloran/fonts/NotoSans-Black.ttf"));
    });
}

QPixmap pixmap(const QString &name, qreal devicePixelRatio)
{
    static const QStringList names{QStringLiteral("background"), QStringLiteral("minimize"),
                                   QStringLiteral("more"), QStringLiteral("close")};
    if (!names.contains(name))
        return {};
    const bool twice = devicePixelRatio >= 1.5;
    QPixmap bitmap = picture(QStringLiteral(":/taloran/%1%2.bmp").arg(name, twice ? QStringLiteral("@2x") : QString()),
                             "bmp");
    bitmap.setDevicePixelRatio(twice ? 2.0 : 1.0);
    return bitmap;
}

QCursor handCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/taloran/hand.cur")), 5, 1);
}

QIcon clockIcon()
{
    // No window shows more than 128 pixels of the icon.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(picture(QStringLiteral(":/taloran/taloran-%1.png").arg(size), "png"));
    return icon;
}

static QFont face(const QString &family, const QString &bundled, qreal points, QFont::Weight weight)
{
    QFont font;
    font.setFamilies({family, bundled});
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QFont numberFont()
{
    return face(QStringLiteral("Haettenschweiler"), QStringLiteral("Noto Sans ExtraCondensed Black"), 42,
                QFont::Medium);
}

QFont totalsFont()
{
    return face(QStringLiteral("Arial Black"), QStringLiteral("Noto Sans Black"), 9.75, QFont::Normal);
}

} // namespace Assets
